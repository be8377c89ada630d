#include "frmMain.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QIcon>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <utility>

#include "Banner.h"
#include "Batch.h"
#include "ClassroomSet.h"
#include "Form1.h"
#include "Numbers.h"
#include "Program.h"
#include "PuzzleFile.h"
#include "PuzzleWords.h"
#include "SensorCursor.h"
#include "StatusLine.h"
#include "Toolkit.h"
#include "WordList.h"
#include "WordListFile.h"
#include "Worksheet.h"

namespace sopaly {

namespace {

const QColor kCaptionBlue(0, 0, 255);
const QColor kLabelMagenta(192, 0, 192);
const QColor kBarRed(192, 0, 0);
const QColor kBarGreen(0, 192, 0);

constexpr int kClientWidth = 10230;
constexpr int kClientHeight = 7860;
constexpr int kKeyEnter = 13;
constexpr qint64 kBatchDisplayIntervalMs = 40;

QString windowCaption() {
    return QStringLiteral("Sopaly!!!");
}

// The design's system font, 8.25 points. Where it is missing, Liberation Sans
// stands in; its narrow cut for the labels that were sized to the design font.
QFont designFont(bool narrow) {
    const QString design = QStringLiteral("MS Sans Serif");
    const bool present = QFontDatabase::hasFamily(design);
    QFont font(present  ? design
               : narrow ? QStringLiteral("Liberation Sans Narrow")
                        : QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    return font;
}

// The print button's name prompt, `last` already typed in; nothing on Cancel.
std::optional<QString> askForName(QWidget* parent, const QString& last) {
    bool ok = false;
    const QString name =
        QInputDialog::getText(parent, QStringLiteral("Listo."),
                              QStringLiteral("Por Favor Escriba el Nombre del Rompecabezas."),
                              QLineEdit::Normal, last, &ok);
    return ok ? std::optional<QString>(name) : std::nullopt;
}

QString fileFilter(const QString& suggested) {
    return suggested.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)
               ? QStringLiteral("Documentos PDF (*.pdf);;Todos los archivos (*)")
               : QStringLiteral("Archivos de texto (*.txt);;Todos los archivos (*)");
}

}  // namespace

frmMain::frmMain(Program& program, QWidget* parent)
    : QMainWindow(parent), program_(program), words_(new WordList(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(windowCaption());
    setWindowIcon(QIcon(QStringLiteral(":/sopaly.png")));
    setFont(designFont(false));

    showMessage = [this](const QString& text) {
        QMessageBox::warning(this, windowCaption(), text);
    };

    askPuzzleName = [this] {
        // Cancel leaves the text empty, which is what the preview then shows.
        return askForName(this, QString()).value_or(QString());
    };

    chooseOpenFile = [this](const QString& caption, const QString& suggested) {
        return QFileDialog::getOpenFileName(this, caption, suggested, fileFilter(suggested));
    };
    chooseSaveFile = [this](const QString& caption, const QString& suggested) {
        return QFileDialog::getSaveFileName(this, caption, suggested, fileFilter(suggested));
    };
    askWorksheetName = [this](const QString& last) { return askForName(this, last); };
    askVersionCount = [this](int last) -> std::optional<int> {
        bool ok = false;
        const int count = QInputDialog::getInt(this, QStringLiteral("Juego para la clase"),
                                               QStringLiteral("¿Cuántas versiones? (de %1 a %2)")
                                                   .arg(ClassroomSet::kFewestVersions)
                                                   .arg(ClassroomSet::kMostVersions),
                                               last, ClassroomSet::kFewestVersions,
                                               ClassroomSet::kMostVersions, 1, &ok);
        return ok ? std::optional<int>(count) : std::nullopt;
    };

    askSecretMessage = [this](const QString& current) -> std::optional<QString> {
        bool ok = false;
        const QString message = QInputDialog::getText(
            this, QStringLiteral("Mensaje secreto"),
            QStringLiteral("Escribe un mensaje corto: sus letras ocupan las primeras\n"
                           "casillas libres. Déjalo vacío para no poner ninguno."),
            QLineEdit::Normal, current, &ok);
        return ok ? std::optional<QString>(message) : std::nullopt;
    };

    openAddress = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    banner_ = new SponsorBanner(
        program_.programFolder(), program_.random(), nullptr,
        [this](const QUrl& url) { openAddress(url); }, this);
    banner_->setFileLocator(
        [this](const QString& name) { return program_.folderChoice().fileToRead(name); });

    setupMenus();
    setupWidgets();
    setupFileMenu();
    setupOptionsMenu();
    setupSettings();
    connect(banner_, &SponsorBanner::showPicture, Banner, &BannerViewer::showFile);
    setupTimers();
    setupTabOrder();
    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::setupMenus() {
    mnuAbout = menuBar()->addMenu(QStringLiteral("&Acerca de..."));
    mnuAbout->setObjectName(QStringLiteral("mnuAbout"));
    about = mnuAbout->addAction(QStringLiteral("About..."));
    about->setObjectName(QStringLiteral("about"));
    web = mnuAbout->addAction(QStringLiteral("Web Site Sopaly!!!"));
    web->setObjectName(QStringLiteral("web"));
    // The title's own click takes effect once its menu has closed: a window
    // shown while the menu is open never takes the activation from this one,
    // which then gets none back when the user returns from it.
    connect(mnuAbout, &QMenu::aboutToHide, this, &frmMain::mnuAbout_Click, Qt::QueuedConnection);
    connect(about, &QAction::triggered, this, &frmMain::about_Click);
    connect(web, &QAction::triggered, this, &frmMain::web_Click);
}

void frmMain::setupFileMenu() {
    mnuFile = new QMenu(QStringLiteral("A&rchivo"), this);
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    menuBar()->insertMenu(mnuAbout->menuAction(), mnuFile);
    mnuOpenList = mnuFile->addAction(QStringLiteral("&Abrir lista de palabras..."));
    mnuOpenList->setObjectName(QStringLiteral("mnuOpenList"));
    mnuOpenList->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuSaveList = mnuFile->addAction(QStringLiteral("&Guardar lista de palabras..."));
    mnuSaveList->setObjectName(QStringLiteral("mnuSaveList"));
    mnuSaveList->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuFile->addSeparator();
    mnuWorksheetPdf = mnuFile->addAction(QStringLiteral("&Hoja de trabajo en PDF..."));
    mnuWorksheetPdf->setObjectName(QStringLiteral("mnuWorksheetPdf"));
    mnuClassroomPdf = mnuFile->addAction(QStringLiteral("&Juego para la clase en PDF..."));
    mnuClassroomPdf->setObjectName(QStringLiteral("mnuClassroomPdf"));
    mnuPrintWorksheet = mnuFile->addAction(QStringLiteral("&Imprimir hoja de trabajo..."));
    mnuPrintWorksheet->setObjectName(QStringLiteral("mnuPrintWorksheet"));
    mnuPrintWorksheet->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    connect(mnuPrintWorksheet, &QAction::triggered, this, &frmMain::mnuPrintWorksheet_Click);
    connect(mnuOpenList, &QAction::triggered, this, &frmMain::mnuOpenList_Click);
    connect(mnuSaveList, &QAction::triggered, this, &frmMain::mnuSaveList_Click);
    connect(mnuWorksheetPdf, &QAction::triggered, this, &frmMain::mnuWorksheetPdf_Click);
    connect(mnuClassroomPdf, &QAction::triggered, this, &frmMain::mnuClassroomPdf_Click);
    // The items follow the list and the print button.
    connect(words_, &QAbstractItemModel::rowsInserted, this, &frmMain::updateFileMenu);
    connect(words_, &QAbstractItemModel::rowsRemoved, this, &frmMain::updateFileMenu);
    connect(words_, &QAbstractItemModel::modelReset, this, &frmMain::updateFileMenu);
    cmdExport->installEventFilter(this);
    updateFileMenu();

    // Below the design client area, which keeps its size and contents.
    lblPuzzleWords = new StatusLine(this);
    lblPuzzleWords->setObjectName(QStringLiteral("lblPuzzleWords"));
    statusBar()->addWidget(lblPuzzleWords, 1);
    statusBar()->setSizeGripEnabled(false);
}

void frmMain::setupSettings() {
    Settings& kept = program_.settings();
    const std::array<std::pair<QLineEdit*, const NumberSetting*>, 4> fields{{
        {txtGridRows, &kGridRowsSetting},
        {txtGridCol, &kGridColumnsSetting},
        {txtWordCount, &kWordLimitSetting},
        {txtNumOfPuzzles, &kBatchCountSetting},
    }};
    for (const auto& [field, setting] : fields) {
        if (const auto value = kept.number(*setting)) field->setText(QString::number(*value));
        // Only what the user types is kept, not what the program puts there.
        connect(field, &QLineEdit::textEdited, this, [this, setting](const QString& text) {
            settingsStored(program_.settings().storeNumberText(*setting, text));
        });
    }
    if (const auto easy = kept.easy()) (*easy ? optEasy : optHard)->setChecked(true);
    for (QRadioButton* option : {optEasy, optHard}) {
        connect(option, &QRadioButton::clicked, this,
                [this] { settingsStored(program_.settings().storeEasy(optEasy->isChecked())); });
    }
}

void frmMain::settingsStored(const std::optional<QString>& failure) {
    if (failure) tell(*failure);
}

QString frmMain::chooseFile(bool save, FileDialog dialog, const QString& caption,
                            const QString& fileName) {
    const QString folder = fileDialogFolder(program_.settings(), dialog);
    const QString suggested = fileName.isEmpty() ? folder : QDir(folder).filePath(fileName);
    const QString path =
        save ? chooseSaveFile(caption, suggested) : chooseOpenFile(caption, suggested);
    if (!path.isEmpty()) {
        settingsStored(rememberFileDialogChoice(program_.settings(), dialog, path));
    }
    return path;
}

void frmMain::updateFileMenu() {
    const bool hasWords = words_->count() > 0;
    mnuSaveList->setEnabled(hasWords);
    mnuClassroomPdf->setEnabled(hasWords);
    // A worksheet shows a finished grid only: a second Iniciar greys it
    // until Vista Preeliminar.
    const bool finished = cmdExport->isEnabled() && isFinished(Puzzle);
    mnuWorksheetPdf->setEnabled(finished);
    mnuPrintWorksheet->setEnabled(finished);
}

void frmMain::setupOptionsMenu() {
    mnuOptions = new QMenu(QStringLiteral("&Opciones"), this);
    mnuOptions->setObjectName(QStringLiteral("mnuOptions"));
    menuBar()->insertMenu(mnuAbout->menuAction(), mnuOptions);
    const Settings& kept = program_.settings();
    const bool lowerCase = kept.flag(settingKey::kLowerCase).value_or(false);
    const bool hideList = kept.flag(settingKey::kHideList).value_or(false);

    mnuLowerCase = mnuOptions->addAction(QStringLiteral("Letras &minúsculas"));
    mnuLowerCase->setObjectName(QStringLiteral("mnuLowerCase"));
    mnuLowerCase->setCheckable(true);
    mnuLowerCase->setChecked(lowerCase);
    connect(mnuLowerCase, &QAction::triggered, this, &frmMain::mnuLowerCase_Click);

    mnuShape = mnuOptions->addMenu(QStringLiteral("&Forma"));
    mnuShape->setObjectName(QStringLiteral("mnuShape"));
    auto* shapes = new QActionGroup(mnuShape);
    const Shape shape =
        shapeFromKey(kept.word(settingKey::kShape).value_or(QString())).value_or(Shape::Square);
    for (std::size_t i = 0; i < kShapes.size(); ++i) {
        QAction* item = mnuShape->addAction(shapeName(kShapes[i]));
        item->setObjectName(QStringLiteral("mnuShape_") + shapeKey(kShapes[i]));
        item->setCheckable(true);
        item->setChecked(kShapes[i] == shape);
        shapes->addAction(item);
        mnuShapes[i] = item;
    }
    connect(shapes, &QActionGroup::triggered, this, &frmMain::mnuShape_Click);

    mnuSecretMessage = mnuOptions->addAction(QStringLiteral("Mensaje &secreto..."));
    mnuSecretMessage->setObjectName(QStringLiteral("mnuSecretMessage"));
    // Checked while a message waits for the next build.
    mnuSecretMessage->setCheckable(true);
    connect(mnuSecretMessage, &QAction::triggered, this, &frmMain::mnuSecretMessage_Click);

    mnuHideList = mnuOptions->addAction(QStringLiteral("&Ocultar la lista en la hoja"));
    mnuHideList->setObjectName(QStringLiteral("mnuHideList"));
    mnuHideList->setCheckable(true);
    mnuHideList->setChecked(hideList);
    connect(mnuHideList, &QAction::triggered, this, &frmMain::mnuHideList_Click);

    words_->setShownInLowerCase(lowerCase);
}

void frmMain::rememberOptionsMenu() {
    Settings& kept = program_.settings();
    const PuzzleSettings current = settings();
    settingsStored(kept.storeFlag(settingKey::kLowerCase, current.lowerCase));
    settingsStored(kept.store(settingKey::kShape, shapeKey(current.shape)));
    settingsStored(kept.storeFlag(settingKey::kHideList, current.hideList));
}

void frmMain::setupWidgets() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    fraInputWord = frame(client, "fraInputWord", QStringLiteral("Escribe aquí las Palabras"),
                         {60, 120, 3195, 6615});
    txtInputWord = textBox(fraInputWord, "txtInputWord", {}, {240, 240, 2715, 315},
                           QStringLiteral("Type in word and press ENTER key."));
    txtInputWord->installEventFilter(this);
    connect(txtInputWord, &QLineEdit::textChanged, this, &frmMain::txtInputWord_Change);
    lstInputWord = new QListView(fraInputWord);
    lstInputWord->setObjectName(QStringLiteral("lstInputWord"));
    twips::place(lstInputWord, 240, 780, 2715, 5325);
    lstInputWord->setModel(words_);
    lstInputWord->setSelectionMode(QAbstractItemView::SingleSelection);
    lstInputWord->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(lstInputWord->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &frmMain::lstInputWord_Click);
    cmdRemove =
        button(fraInputWord, "cmdRemove", QStringLiteral("&Quitar Palabra"), {240, 6180, 1275, 315},
               false, QStringLiteral("Highlight a word and click here."));
    connect(cmdRemove, &QPushButton::clicked, this, &frmMain::cmdRemove_Click);

    fraGrid = frame(client, "fraGrid", QStringLiteral("Cuadricula"), {3300, 2460, 1815, 1035});
    txtGridRows = textBox(fraGrid, "txtGridRows", QStringLiteral("20"), {960, 180, 675, 285},
                          QStringLiteral("Min 5, Max 20"));
    lblLabel1[0] = label(fraGrid, "lblLabel1_0", QStringLiteral("Filas"), {555, 240, 315, 195});
    lblLabel1[1] = label(fraGrid, "lblLabel1_1", QStringLiteral("Columnas"), {180, 600, 690, 195});
    for (QLabel* caption : lblLabel1) {
        setTextColour(caption, kLabelMagenta);
        caption->setFont(designFont(true));
    }
    txtGridCol = textBox(fraGrid, "txtGridCol", QStringLiteral("20"), {960, 540, 675, 285});

    fraWordCount = frame(client, "fraWordCount", QStringLiteral("Maximo de Palabras"),
                         {3300, 3540, 1815, 675});
    txtWordCount =
        textBox(fraWordCount, "txtWordCount", QStringLiteral("100"), {600, 240, 675, 285},
                QStringLiteral(
                    "How many words from the list for this puzzle. Words are picked by random."));
    connect(txtWordCount, &QLineEdit::textChanged, this, &frmMain::txtWordCount_Change);

    fraOfPuzzlesToCreate = frame(client, "fraOfPuzzlesToCreate",
                                 QStringLiteral("# de Rompecabezas"), {3300, 5280, 1815, 1155});
    txtNumOfPuzzles =
        textBox(fraOfPuzzlesToCreate, "txtNumOfPuzzles", QStringLiteral("1"), {600, 240, 675, 285});
    cmdAuto = button(fraOfPuzzlesToCreate, "cmdAuto", QStringLiteral("&Generar y Guardar"),
                     {120, 600, 1575, 495}, false,
                     QStringLiteral("Create lots of puzzles as text files."));
    connect(cmdAuto, &QPushButton::clicked, this, &frmMain::cmdAuto_Click);
    // The status line and the progress bar lie beyond the panel's resting
    // width: they show only while a batch run widens it.
    lblNumOfPuzzles = label(fraOfPuzzlesToCreate, "lblNumOfPuzzles",
                            QStringLiteral("Un Momento por Favor... "), {2100, 180, 4635, 555});
    // Two lines high: the path goes below the words that announce it.
    lblNumOfPuzzles->setWordWrap(true);
    linRed = new LineShape(3300, 6540, 900, kBarRed, 3, fraOfPuzzlesToCreate);
    linRed->setObjectName(QStringLiteral("linRed"));
    linGrn = new LineShape(2040, 3240, 900, kBarGreen, 3, fraOfPuzzlesToCreate);
    linGrn->setObjectName(QStringLiteral("linGrn"));

    fraRawPuzzle =
        frame(client, "fraRawPuzzle", QStringLiteral("Rompecabezas"), {5160, 120, 4995, 5115});
    txtWord = new QTextEdit(fraRawPuzzle);
    txtWord->setObjectName(QStringLiteral("txtWord"));
    twips::place(txtWord, 240, 360, 4575, 4575);
    txtWord->setReadOnly(true);
    txtWord->setAcceptRichText(false);
    txtWord->setTabChangesFocus(true);
    // Not in the keyboard focus order; a click still lets the user select.
    txtWord->setFocusPolicy(Qt::ClickFocus);
    QFont grid(QStringLiteral("Courier New"));
    grid.setStyleHint(QFont::TypeWriter);
    grid.setFixedPitch(true);
    grid.setPointSizeF(8.25);
    grid.setWeight(QFont::Normal);
    txtWord->setFont(grid);

    fraDifficulty =
        frame(client, "fraDifficulty", QStringLiteral("Dificultad"), {3300, 4260, 1815, 975});
    optHard = new QRadioButton(QStringLiteral("&M&aster"), fraDifficulty);
    optHard->setObjectName(QStringLiteral("optHard"));
    twips::place(optHard, 540, 600, 795, 195);
    optEasy = new QRadioButton(QStringLiteral("&Facil"), fraDifficulty);
    optEasy->setObjectName(QStringLiteral("optEasy"));
    twips::place(optEasy, 540, 240, 855, 255);
    optEasy->setToolTip(QStringLiteral("No diagonal words"));
    optHard->setChecked(true);

    cmdStart = button(client, "cmdStart", QStringLiteral("&Iniciar"), {3480, 230, 1515, 375}, false,
                      QStringLiteral("Creat a new puzzle using the word in the list."));
    connect(cmdStart, &QPushButton::clicked, this, &frmMain::cmdStart_Click);
    cmdFinish = button(client, "cmdFinish", QStringLiteral("&Vista Preeliminar"),
                       {3480, 630, 1515, 375}, false, QStringLiteral("Add the random letters. "));
    connect(cmdFinish, &QPushButton::clicked, this, &frmMain::cmdFinish_Click);
    cmdExport = button(client, "cmdExport", QStringLiteral("I&mprimir"), {3480, 1040, 1515, 375},
                       false, QStringLiteral("Put the puzzle in a text file."));
    connect(cmdExport, &QPushButton::clicked, this, &frmMain::cmdExport_Click);
    cmdNew = button(client, "cmdNew", QStringLiteral("&Limpiar"), {3480, 1440, 1515, 380}, true);
    connect(cmdNew, &QPushButton::clicked, this, &frmMain::cmdNew_Click);
    cmdExit = button(client, "cmdExit", QStringLiteral("E&xit"), {3480, 1860, 1515, 375}, true,
                     QStringLiteral("Thank you for using Sopaly!!!."));
    connect(cmdExit, &QPushButton::clicked, this, &frmMain::cmdExit_Click);

    lbl = label(client, "lbl",
                QStringLiteral("Como Hacer Rompecabezas?  Primero escribe las palabras usando "
                               "ENTER para agregarlas a la lista. Una vez que tengas las "
                               "palabras a Revolver, presiona el boton Iniciar."),
                {5400, 5400, 4575, 795});
    lbl->setWordWrap(true);
    // The batch panel widens over the help text and hides it, as a panel
    // does: above it, and painting its own background.
    fraOfPuzzlesToCreate->setAutoFillBackground(true);
    fraOfPuzzlesToCreate->raise();

    Banner = new BannerViewer(client);
    Banner->setObjectName(QStringLiteral("Banner"));
    twips::place(Banner, 1568, 6840, 7095, 975);
    sensor = label(client, "sensor", {}, {1688, 6960, 6855, 735});
    sensor->raise();  // over the banner, so that it takes the clicks
    sensor->setCursor(sensorCursor());
    sensor->installEventFilter(this);
    // Below the design client area: it shows only in a taller window.
    Click = label(client, "Click",
                  QStringLiteral("Para que este Software siga Gratuito Visita Nuestros "
                                 "Patrocinadores        ------------>CLICK AQUI<------------"),
                  {1448, 8040, 7335, 255});
    setTextColour(Click, kCaptionBlue);
    // Sized to the design font; in the regular cut its arrow runs past the box.
    Click->setFont(designFont(true));
    Click->installEventFilter(this);
}

void frmMain::setupTimers() {
    T = new QTimer(this);
    T->setObjectName(QStringLiteral("T"));
    T->setInterval(5000);
    connect(T, &QTimer::timeout, this, &frmMain::T_Timer);
    tmrAuto = new QTimer(this);
    tmrAuto->setObjectName(QStringLiteral("tmrAuto"));
    tmrAuto->setInterval(10);
    connect(tmrAuto, &QTimer::timeout, this, &frmMain::tmrAuto_Timer);
}

void frmMain::setupTabOrder() {
    const std::array<QWidget*, 15> order{
        txtInputWord,    lstInputWord, txtGridRows, txtGridCol, txtWordCount,
        txtNumOfPuzzles, optHard,      optEasy,     cmdRemove,  cmdStart,
        cmdFinish,       cmdExport,    cmdNew,      cmdExit,    cmdAuto,
    };
    for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
    txtInputWord->setFocus();
}

void frmMain::Form_Load() {
    // The window opens with the client area at its design size, the bars
    // around it added, and the user may then resize or maximise it; the
    // controls keep their places whatever its size. That size is set now so
    // that the window can be centred before it is shown.
    QWidget* client = centralWidget();
    client->setMinimumSize(twips::toPixels(kClientWidth), twips::toPixels(kClientHeight));
    const QSize designSize = layout()->totalMinimumSize();
    client->setMinimumSize(0, 0);
    resize(designSize);
    layout()->activate();
    CenterForm(this);
    PanelClosing = false;
    T->start();
}

void frmMain::Form_Unload() {
    banner_->cancel();
    emit unloading();
}

bool frmMain::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) Form_Activate();
    return QMainWindow::event(event);
}

void frmMain::Form_Activate() {
    banner_->activate();
    emit activated();
    centreOnActivation();
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (batchRunning_) {
        // The run is on the stack below this event: let it finish the file
        // it is writing and close the window then.
        closeAfterBatch_ = true;
        hide();
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cmdExport && event->type() == QEvent::EnabledChange) updateFileMenu();
    if (watched == txtInputWord && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const QString text = key->text();
        // The handler sees the key first; the box then gets it as usual.
        txtInputWord_KeyPress(enter ? kKeyEnter : (text.isEmpty() ? 0 : text.at(0).unicode()));
    } else if ((watched == sensor || watched == Click) &&
               event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        auto* widget = static_cast<QWidget*>(watched);
        if (mouse->button() == Qt::LeftButton &&
            widget->rect().contains(mouse->position().toPoint())) {
            if (watched == sensor) {
                sensor_Click();
            } else {
                Click_Click();
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

PuzzleSettings frmMain::settings() const {
    PuzzleSettings current;
    current.rowsText = txtGridRows->text();
    current.colsText = txtGridCol->text();
    current.wordLimitText = txtWordCount->text();
    current.easy = optEasy->isChecked();
    current.lowerCase = mnuLowerCase->isChecked();
    for (std::size_t i = 0; i < kShapes.size(); ++i) {
        if (mnuShapes[i]->isChecked()) current.shape = kShapes[i];
    }
    current.message = SecretMessageText;
    current.hideList = mnuHideList->isChecked();
    current.rudeWords = program_.rudeWords();
    return current;
}

QString frmMain::txtWordText() const {
    // The document keeps its lines as blocks; each rendered row ended in
    // "\r\n", the last one included.
    QString text = txtWord->toPlainText();
    text.replace(u'\n', QStringLiteral("\r\n"));
    return text;
}

void frmMain::CenterForm(QWidget* anyForm) {
    if (anyForm->isMinimized() || anyForm->isMaximized() || anyForm->isFullScreen()) return;
    const QSizeF outer(twips::fromPixels(anyForm->frameGeometry().width()),
                       twips::fromPixels(anyForm->frameGeometry().height()));
    const QPointF place = twips::centredAtLoad(twips::screenSize(anyForm), outer);
    const QPoint origin = anyForm->screen() ? anyForm->screen()->geometry().topLeft() : QPoint();
    // Half a twip left over goes to the nearest pixel.
    anyForm->move(origin + QPoint(twips::toPixels(place.x()), twips::toPixels(place.y())));
}

void frmMain::centreOnActivation() {
    if (isMinimized() || isMaximized() || isFullScreen()) return;
    const QSizeF outer(twips::fromPixels(frameGeometry().width()),
                       twips::fromPixels(frameGeometry().height()));
    const QPoint place = twips::centredAtActivation(twips::screenSize(this), outer);
    const QPoint origin = screen() ? screen()->geometry().topLeft() : QPoint();
    move(origin + QPoint(twips::toPixels(place.x()), twips::toPixels(place.y())));
}

void frmMain::txtInputWord_KeyPress(int KeyAscii) {
    if (KeyAscii != kKeyEnter) return;
    const std::optional<QString> word = committedWord(txtInputWord->text());
    if (!word) return;
    // A refused word stays in the box for the user to mend.
    const Intake intake = sortOutWords({*word}, kMostWordsInList - words_->count());
    if (!intake.noLetters.isEmpty()) {
        showMessage(noLettersMessage(intake.noLetters));
        return;
    }
    if (!intake.noRoom.isEmpty()) {
        showMessage(fullListMessage(1));
        return;
    }
    commitWords(intake.words);
    txtInputWord->clear();
    tellUnencodable(intake.words);
}

void frmMain::txtInputWord_Change() {
    // Pasted lines (Ctrl+V, the context menu, a middle click) are words
    // each, as if Enter had ended every one.
    const QString text = txtInputWord->text();
    if (!holdsLineBreak(text)) return;
    const QList<PastedLine> lines = pastedLines(text);
    QStringList committed;
    for (const PastedLine& line : lines) committed << line.word;
    const Intake intake = sortOutWords(committed, kMostWordsInList - words_->count());
    // The first word the full list could not take waits in the box.
    txtInputWord->setText(intake.noRoom.isEmpty() ? QString()
                                                  : lines.at(intake.noRoom.first()).typed);
    commitWords(intake.words);
    tellUnencodable(intake.words);
    if (!intake.noLetters.isEmpty()) showMessage(noLettersMessage(intake.noLetters));
    if (!intake.noRoom.isEmpty()) {
        showMessage(fullListMessage(static_cast<int>(intake.noRoom.size())));
    }
}

void frmMain::commitWords(const QStringList& words) {
    if (words.isEmpty()) return;
    listChanging_ = true;
    for (const QString& word : words) words_->add(word);
    listChanging_ = false;
    cmdStart->setEnabled(true);
    cmdAuto->setEnabled(true);
    txtInputWord->setFocus();
}

void frmMain::tellUnencodable(const QStringList& words) {
    const QString status = unencodableStatus(words);
    if (!status.isEmpty()) lblPuzzleWords->setText(status);
}

void frmMain::lstInputWord_Click() {
    if (listChanging_) return;
    cmdRemove->setEnabled(!lstInputWord->selectionModel()->selectedIndexes().isEmpty());
}

void frmMain::ListBoxControl(const QString& sMode) {
    switch (listMode(sMode)) {
        case ListMode::Sort:
            Puzzle.WordPool = sortIntoPool(words_->words());
            break;
        case ListMode::Delete: {
            const QModelIndexList selected = lstInputWord->selectionModel()->selectedIndexes();
            if (selected.isEmpty()) return;
            const auto first = std::min_element(
                selected.cbegin(), selected.cend(),
                [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
            listChanging_ = true;
            words_->removeAt(first->row());
            // The view would select the next word in its place; the list
            // is left with no selection, as before any click.
            lstInputWord->selectionModel()->clear();
            listChanging_ = false;
            break;
        }
        case ListMode::Clear:
            listChanging_ = true;
            words_->clear();
            listChanging_ = false;
            txtWord->setPlainText(QString());
            txtInputWord->setText(QString());
            cmdStart->setEnabled(false);
            cmdAuto->setEnabled(false);
            cmdFinish->setEnabled(false);
            cmdExport->setEnabled(false);
            // The words of the last build are no longer on show.
            lblPuzzleWords->clear();
            txtInputWord->setFocus();
            break;
        case ListMode::None:
            break;
    }
}

void frmMain::cmdRemove_Click() {
    ListBoxControl(QStringLiteral("DELETE"));
}

void frmMain::cmdNew_Click() {
    ListBoxControl(QStringLiteral("CLEAR"));
}

void frmMain::txtWordCount_Change() {
    // The word limit is read when a puzzle is built, not checked as typed.
}

bool frmMain::gridSizeIsUsable(const PuzzleSettings& current) {
    // An unusable size is turned away before anything changes.
    const std::optional<QString> refusal = gridSizeRefusal(current);
    if (refusal) tell(*refusal);
    return !refusal;
}

void frmMain::cmdStart_Click() {
    if (words_->count() == 0) return;
    const PuzzleSettings current = settings();
    if (!gridSizeIsUsable(current)) return;
    allocateGrids(Puzzle, current);
    ListBoxControl(QStringLiteral("SORT"));
    Placements = placeWordsAndMessage(Puzzle, current, program_.random());
    BuiltWith = current;
    ShowWordOnWordText();
    cmdFinish->setEnabled(true);
    lblPuzzleWords->setText(puzzleStatus(Puzzle, current));
    updateFileMenu();
}

void frmMain::ShowWordOnWordText() {
    txtWord->setPlainText(gridText(Puzzle.WordGrid, settings()));
}

void frmMain::cmdFinish_Click() {
    cmdFinish->setEnabled(false);
    txtWord->setPlainText(ShowFinishedWord(Puzzle, settings(), program_.random()));
    // A fill that found no fair letter for a cell builds the puzzle again.
    Placements = Puzzle.Placements;
    lblPuzzleWords->setText(puzzleStatus(Puzzle, BuiltWith));
    cmdExport->setEnabled(true);
    updateFileMenu();
}

void frmMain::cmdExport_Click() {
    program_.PuzzleName = askPuzzleName();
    if (Form1* open = program_.preview()) {
        // An open preview keeps the text it was built with.
        open->raise();
        open->activateWindow();
        return;
    }
    // No parent: the preview stays open, and keeps the program running,
    // when the main window is closed.
    // The list names only the words the grid holds.
    QStringList placed = placedInListOrder(words_->words(), Puzzle);
    if (mnuLowerCase->isChecked()) {
        for (QString& word : placed) word = word.toLower();
    }
    auto* preview = new Form1(program_.PuzzleName, txtWordText(), placed);
    preview->setGridFinished(isFinished(Puzzle));
    program_.adoptPreview(preview);
    preview->show();
}

Form1* frmMain::preview() const {
    return program_.preview();
}

void frmMain::tell(const QString& text) {
    if (!batchRunning_) {
        showMessage(text);
    } else if (batchFailure_.isEmpty()) {
        batchFailure_ = text;
    }
}

void frmMain::yieldToEvents(bool wait) {
    QCoreApplication::processEvents(wait ? QEventLoop::WaitForMoreEvents : QEventLoop::AllEvents);
}

bool frmMain::batchMustStop() const {
    return closeAfterBatch_ || program_.exiting();
}

void frmMain::cmdAuto_Click() {
    // A press during a run's yields would start a run inside the run.
    if (batchRunning_) return;
    PanelClosing = false;
    const BatchPlan plan = planBatch(txtNumOfPuzzles->text(), linRed->x2() - linGrn->x1());
    if (plan.outcome == BatchPlan::Nothing) return;
    if (plan.outcome == BatchPlan::Refused) {
        showMessage(plan.message);
        return;
    }
    settingsStored(program_.settings().storeNumber(kBatchCountSetting.key, plan.count));
    if (words_->count() > 0 && !gridSizeIsUsable(settings())) return;
    if (const auto refusal = batchRefusal(words_->words(), SecretMessageText)) {
        showMessage(*refusal);
        return;
    }

    batchRunning_ = true;
    linGrn->setX2(linGrn->x1());
    linRed->setX1(linGrn->x2());
    animatePanel(panelStillWidening);

    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    batchWithoutMessage_ = 0;
    const BatchEnd end = makeBatchPuzzles(plan.count, plan.step);
    // A run whose list was emptied under it stops where it is, panel wide.
    if (end == BatchEnd::Completed || end == BatchEnd::Failed) {
        PanelClosing = true;
        animatePanel(panelStillNarrowing);
    }
    QGuiApplication::restoreOverrideCursor();
    batchRunning_ = false;
    updateFileMenu();
    // Told once the pointer is back and the panel narrowed, so that the
    // message is the last thing the run shows.
    if (!batchFailure_.isEmpty()) showMessage(std::exchange(batchFailure_, QString()));

    if (end == BatchEnd::Completed) ListBoxControl(QStringLiteral("CLEAR"));
    lblPuzzleWords->setText(withMessageShortfall(lblPuzzleWords->text(), batchWithoutMessage_,
                                                 plan.count, QStringLiteral("rompecabezas")));
    if (closeAfterBatch_) {
        closeAfterBatch_ = false;
        close();
    }
}

void frmMain::animatePanel(bool (*goOn)(int width)) {
    while (goOn(fraOfPuzzlesToCreate->widthTwips()) && !batchMustStop()) {
        // Started again it would count its 10 ms afresh, and events that
        // come faster (a mouse moving over the window) would hold the panel.
        if (!tmrAuto->isActive()) tmrAuto->start();
        yieldToEvents(true);
    }
    tmrAuto->stop();
}

frmMain::BatchEnd frmMain::makeBatchPuzzles(int count, int step) {
    const QString folder = program_.programFolder();
    QElapsedTimer sinceShown;
    sinceShown.start();
    for (int n = 1; n <= count; ++n) {
        const QString path = batchFilePath(folder, n);
        // Laying out and painting the run's progress costs more than a
        // puzzle. The status line, the grid and the bar change at most 25
        // times a second, which the eye cannot tell from every puzzle; the
        // first and the last puzzle always show, and one whose file failed.
        const bool shown = n == 1 || n == count || sinceShown.elapsed() >= kBatchDisplayIntervalMs;
        if (shown) lblNumOfPuzzles->setText(batchStatusText(path));
        yieldToEvents(false);
        if (batchMustStop()) return BatchEnd::Stopped;
        // The user may have emptied the list during the yield.
        if (words_->count() == 0) return BatchEnd::ListEmptied;
        // ...or edited the size fields.
        const PuzzleSettings current = settings();
        if (!gridSizeIsUsable(current)) return BatchEnd::Failed;

        ListBoxControl(QStringLiteral("SORT"));
        BuiltWith = current;
        // Nothing is painted between two yields, so the emptied and the
        // placed grid are never shown.
        const QString finished =
            buildFinishedPuzzle(Puzzle, Puzzle.WordPool, current, program_.random());
        Placements = Puzzle.Placements;
        if (!messageLetters(current.message).empty() && !Puzzle.Message.placed()) {
            ++batchWithoutMessage_;
        }
        if (shown) txtWord->setPlainText(finished);
        if (!AutoExportPuzzle(path)) {
            if (!shown) {
                lblNumOfPuzzles->setText(batchStatusText(path));
                txtWord->setPlainText(finished);
            }
            return BatchEnd::Failed;
        }
        if (shown) {
            linGrn->setX2(linGrn->x1() + n * step);
            linRed->setX1(linGrn->x2());
            sinceShown.restart();
        }
        yieldToEvents(false);
    }
    return BatchEnd::Completed;
}

bool frmMain::AutoExportPuzzle(const QString& sFilePath) {
    const QStringList words = words_->words();
    // A word typed during the run's yields is checked too.
    if (const auto refusal = batchRefusal(words, SecretMessageText)) {
        tell(*refusal);
        return false;
    }
    QString reason;
    const bool written =
        writePuzzleFile(fileWriter_, sFilePath, Puzzle, settings(), words, &reason);
    if (!written) tell(writeFailureMessage(sFilePath, reason));
    return written;
}

void frmMain::tmrAuto_Timer() {
    fraOfPuzzlesToCreate->setWidthTwips(
        tmrAutoStep(fraOfPuzzlesToCreate->widthTwips(), PanelClosing));
}

void frmMain::cmdExit_Click() {
    program_.exit(0);
}

void frmMain::about_Click() {
    program_.showAbout();
}

void frmMain::mnuAbout_Click() {
    program_.showAbout();
}

void frmMain::web_Click() {
    banner_->openProductPage();
}

void frmMain::Click_Click() {
    banner_->openCurrentLink();
}

void frmMain::sensor_Click() {
    banner_->openCurrentLink();
}

void frmMain::T_Timer() {
    banner_->tick();
}

bool frmMain::writeChosenFile(const QString& path, const QByteArray& bytes) {
    QString reason;
    if (writeFileAtomically(path, bytes, &reason, Durability::Durable)) return true;
    showMessage(writeFailureMessage(path, reason));
    return false;
}

std::optional<std::pair<QString, QString>> frmMain::askNameAndPdfPath(FileDialog dialog,
                                                                      const QString& caption) {
    const std::optional<QString> name = askWorksheetName(program_.PuzzleName);
    if (!name) return std::nullopt;
    program_.PuzzleName = *name;
    QString file = name->isEmpty() ? QStringLiteral("sopa") : *name;
    file.replace(u'/', u'-');
    QString path = chooseFile(true, dialog, caption, file + QStringLiteral(".pdf"));
    if (path.isEmpty()) return std::nullopt;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
    return std::pair{*name, path};
}

void frmMain::mnuOpenList_Click() {
    const QString path =
        chooseFile(false, FileDialog::OpenList, QStringLiteral("Abrir lista de palabras"));
    if (path.isEmpty()) return;
    const WordListRead read = readWordListFile(path, words_->count());
    if (!read.failure.isEmpty()) {
        showMessage(wordListReadMessage(path, read.failure));
        return;
    }
    if (read.words.isEmpty() && read.noLetters.isEmpty()) {
        showMessage(emptyWordListMessage(path));
        return;
    }
    const int already = alreadyListed(*words_, read.words);
    commitWords(read.words);
    QStringList status{listOpenedStatus(
        QFileInfo(path).fileName(), static_cast<int>(read.words.size()), already, read.noLetters)};
    if (const QString unencodable = unencodableStatus(read.words); !unencodable.isEmpty()) {
        status << unencodable;
    }
    lblPuzzleWords->setText(status.join(u' '));
}

void frmMain::mnuSaveList_Click() {
    if (words_->count() == 0) return;
    const QString path =
        chooseFile(true, FileDialog::SaveList, QStringLiteral("Guardar lista de palabras"),
                   QStringLiteral("palabras.txt"));
    if (path.isEmpty()) return;
    writeChosenFile(path, wordListFileBytes(words_->words()));
}

void frmMain::mnuWorksheetPdf_Click() {
    if (!mnuWorksheetPdf->isEnabled()) return;
    const auto chosen = askNameAndPdfPath(FileDialog::WorksheetPdf,
                                          QStringLiteral("Guardar hoja de trabajo en PDF"));
    if (!chosen) return;
    const auto& [name, path] = *chosen;
    const QByteArray pdf = worksheetPdf({worksheetPuzzle(name, Puzzle, Placements, BuiltWith)},
                                        worksheetPageSize(), name);
    if (pdf.isEmpty()) {
        showMessage(
            QStringLiteral("No se pudo crear el PDF %1.").arg(QDir::toNativeSeparators(path)));
        return;
    }
    writeChosenFile(path, pdf);
}

void frmMain::mnuClassroomPdf_Click() {
    if (words_->count() == 0) return;
    const PuzzleSettings current = settings();
    if (!gridSizeIsUsable(current)) return;
    const std::optional<int> versions =
        askVersionCount(program_.settings()
                            .number(kClassroomVersionsSetting)
                            .value_or(ClassroomSet::kDefaultVersions));
    if (!versions) return;
    settingsStored(program_.settings().storeNumber(kClassroomVersionsSetting.key, *versions));
    const auto chosen = askNameAndPdfPath(FileDialog::ClassroomPdf,
                                          QStringLiteral("Guardar juego para la clase en PDF"));
    if (!chosen) return;
    const auto& [name, path] = *chosen;

    QProgressDialog progress(QStringLiteral("Preparando las versiones para la clase..."),
                             QStringLiteral("Cancelar"), 0, ClassroomSet::steps(*versions), this);
    progress.setObjectName(QStringLiteral("classroomProgress"));
    progress.setWindowTitle(windowCaption());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setValue(0);
    const ClassroomSet set(words_->words(), current, program_.random());
    // A modal progress dialog handles the waiting events at each value.
    int withoutMessage = 0;
    const std::optional<QByteArray> pdf = set.pdf(
        *versions, name, worksheetPageSize(),
        [&progress](int done, int /*total*/) {
            progress.setValue(done);
            return !progress.wasCanceled();
        },
        &withoutMessage);
    progress.close();
    if (!pdf) return;
    lblPuzzleWords->setText(withMessageShortfall(lblPuzzleWords->text(), withoutMessage,
                                                 *versions, QStringLiteral("versiones")));
    if (pdf->isEmpty()) {
        showMessage(
            QStringLiteral("No se pudo crear el PDF %1.").arg(QDir::toNativeSeparators(path)));
        return;
    }
    writeChosenFile(path, *pdf);
}

void frmMain::mnuPrintWorksheet_Click() {
    if (!mnuPrintWorksheet->isEnabled()) return;
    const std::optional<QString> name = askWorksheetName(program_.PuzzleName);
    if (!name) return;
    program_.PuzzleName = *name;
    const std::vector<WorksheetPuzzle> sheets{
        worksheetPuzzle(*name, Puzzle, Placements, BuiltWith)};
    QPrinter printer(QPrinter::HighResolution);
    setUpWorksheetPrinter(printer, worksheetPageSize(), *name);
    QPrintPreviewDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("worksheetPrintPreview"));
    dialog.setWindowTitle(QStringLiteral("Imprimir hoja de trabajo"));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [&sheets](QPrinter* target) { printWorksheets(*target, sheets); });
    dialog.exec();
}

void frmMain::mnuLowerCase_Click() {
    words_->setShownInLowerCase(mnuLowerCase->isChecked());
    rememberOptionsMenu();
}

void frmMain::mnuShape_Click() {
    rememberOptionsMenu();
}

void frmMain::mnuSecretMessage_Click() {
    if (const std::optional<QString> message = askSecretMessage(SecretMessageText)) {
        SecretMessageText = message->trimmed();
    }
    mnuSecretMessage->setChecked(!SecretMessageText.isEmpty());
}

void frmMain::mnuHideList_Click() {
    rememberOptionsMenu();
}

}  // namespace sopaly
