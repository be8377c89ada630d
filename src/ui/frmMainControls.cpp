#include <QAction>
#include <QActionGroup>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>

#include "Program.h"
#include "SensorCursor.h"
#include "StatusLine.h"
#include "Toolkit.h"
#include "WordList.h"
#include "frmMain.h"

// The main window's controls and menus as the design lays them out: what
// each is called, where it lies, what it says. What they do is wired in
// frmMain.cpp.
namespace sopaly {

namespace {

const QColor kCaptionBlue(0, 0, 255);
const QColor kLabelMagenta(192, 0, 192);
const QColor kBarRed(192, 0, 0);
const QColor kBarGreen(0, 192, 0);

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

QString designText(const NumberSetting& setting) {
    return QString::number(setting.designValue);
}

// The shapes with their access letters; none takes one another item has.
QString shapeMenuText(Shape shape) {
    switch (shape) {
        case Shape::Square:
            return frmMain::tr("&Cuadrada");
        case Shape::Circle:
            return frmMain::tr("Círcu&lo");
        case Shape::Heart:
            return frmMain::tr("Cora&zón");
        case Shape::Star:
            return frmMain::tr("&Estrella");
        case Shape::Diamond:
            return frmMain::tr("&Rombo");
        case Shape::Tree:
            return frmMain::tr("Ár&bol");
    }
    return shapeName(shape);
}

// The design's boxes fit the Spanish texts; a translation may run longer. A
// label before its box then grows to the left, keeping its right edge by the
// box; a radio button grows to the right, within its frame. Texts that fit
// keep the design's geometry.
void growLabelLeftToFit(QLabel* label) {
    const QRect box = label->contentsRect();
    const QRect drawn =
        QFontMetrics(label->font()).boundingRect(box, int(label->alignment()), label->text());
    const int excess = drawn.width() - box.width();
    if (excess <= 0) return;
    const QRect at = label->geometry();
    const int left = std::max(0, at.left() - excess);
    label->setGeometry(left, at.top(), at.right() + 1 - left, at.height());
}

void growRadioRightToFit(QRadioButton* radio) {
    const int wanted = radio->sizeHint().width();
    if (wanted <= radio->width()) return;
    const int room = radio->parentWidget()->width() - radio->x();
    radio->resize(std::min(wanted, room), radio->height());
}

// A label's text as a screen reader should say it: without the access
// key's "&" ("&M&aster" is "Master"), "&&" kept as one "&".
QString spokenText(const QString& label) {
    QString spoken;
    for (qsizetype i = 0; i < label.size(); ++i) {
        if (label.at(i) == u'&' && ++i == label.size()) break;
        spoken += label.at(i);
    }
    return spoken;
}

}  // namespace

QString frmMain::windowCaption() {
    return tr("Sopaly!!!");
}

void frmMain::setupWindow() {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(windowCaption());
    setWindowIcon(QIcon(QStringLiteral(":/sopaly.png")));
    setFont(designFont(false));
}

void frmMain::setupMenus() {
    mnuAbout = menuBar()->addMenu(tr("&Acerca de..."));
    mnuAbout->setObjectName(QStringLiteral("mnuAbout"));
    about = mnuAbout->addAction(tr("About..."));
    about->setObjectName(QStringLiteral("about"));
    web = mnuAbout->addAction(tr("Web Site Sopaly!!!"));
    web->setObjectName(QStringLiteral("web"));
    // The title's own click takes effect once its menu has closed: a window
    // shown while the menu is open never takes the activation from this one,
    // which then gets none back when the user returns from it.
    connect(mnuAbout, &QMenu::aboutToHide, this, &frmMain::mnuAbout_Click, Qt::QueuedConnection);
    connect(about, &QAction::triggered, this, &frmMain::about_Click);
    connect(web, &QAction::triggered, this, &frmMain::web_Click);
}

void frmMain::setupFileMenu() {
    mnuFile = new QMenu(tr("A&rchivo"), this);
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    menuBar()->insertMenu(mnuAbout->menuAction(), mnuFile);
    mnuOpenList = mnuFile->addAction(tr("&Abrir lista de palabras..."));
    mnuOpenList->setObjectName(QStringLiteral("mnuOpenList"));
    mnuOpenList->setShortcut(QKeySequence::Open);
    mnuSaveList = mnuFile->addAction(tr("&Guardar lista de palabras..."));
    mnuSaveList->setObjectName(QStringLiteral("mnuSaveList"));
    mnuSaveList->setShortcut(QKeySequence::Save);
    mnuOpenPuzzle = mnuFile->addAction(tr("Abrir &rompecabezas..."));
    mnuOpenPuzzle->setObjectName(QStringLiteral("mnuOpenPuzzle"));
    mnuOpenPuzzle->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    mnuFile->addSeparator();
    mnuWorksheetPdf = mnuFile->addAction(tr("&Hoja de trabajo en PDF..."));
    mnuWorksheetPdf->setObjectName(QStringLiteral("mnuWorksheetPdf"));
    mnuClassroomPdf = mnuFile->addAction(tr("&Juego para la clase en PDF..."));
    mnuClassroomPdf->setObjectName(QStringLiteral("mnuClassroomPdf"));
    mnuPrintWorksheet = mnuFile->addAction(tr("&Imprimir hoja de trabajo..."));
    mnuPrintWorksheet->setObjectName(QStringLiteral("mnuPrintWorksheet"));
    mnuPrintWorksheet->setShortcut(QKeySequence::Print);
    mnuWebPage = mnuFile->addAction(tr("Exportar para el &navegador (HTML)..."));
    mnuWebPage->setObjectName(QStringLiteral("mnuWebPage"));
    connect(mnuWebPage, &QAction::triggered, this, &frmMain::mnuWebPage_Click);
    mnuScorm = mnuFile->addAction(tr("Exportar para &Moodle (SCORM)..."));
    mnuScorm->setObjectName(QStringLiteral("mnuScorm"));
    connect(mnuScorm, &QAction::triggered, this, &frmMain::mnuScorm_Click);
    connect(mnuPrintWorksheet, &QAction::triggered, this, &frmMain::mnuPrintWorksheet_Click);
    mnuPlay = mnuFile->addAction(tr("Jugar en &pantalla..."));
    mnuPlay->setObjectName(QStringLiteral("mnuPlay"));
    mnuPlay->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_J));
    connect(mnuPlay, &QAction::triggered, this, &frmMain::mnuPlay_Click);
    connect(mnuOpenList, &QAction::triggered, this, &frmMain::mnuOpenList_Click);
    connect(mnuSaveList, &QAction::triggered, this, &frmMain::mnuSaveList_Click);
    connect(mnuOpenPuzzle, &QAction::triggered, this, &frmMain::mnuOpenPuzzle_Click);
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

void frmMain::setupOptionsMenu() {
    mnuOptions = new QMenu(tr("&Opciones"), this);
    mnuOptions->setObjectName(QStringLiteral("mnuOptions"));
    menuBar()->insertMenu(mnuAbout->menuAction(), mnuOptions);
    mnuLowerCase = mnuOptions->addAction(tr("Letras &minúsculas"));
    mnuLowerCase->setObjectName(QStringLiteral("mnuLowerCase"));
    mnuLowerCase->setCheckable(true);
    connect(mnuLowerCase, &QAction::triggered, this, &frmMain::mnuLowerCase_Click);

    mnuShape = mnuOptions->addMenu(tr("&Forma"));
    mnuShape->setObjectName(QStringLiteral("mnuShape"));
    auto* shapes = new QActionGroup(mnuShape);
    for (std::size_t i = 0; i < kShapes.size(); ++i) {
        QAction* item = mnuShape->addAction(shapeMenuText(kShapes[i]));
        item->setObjectName(QStringLiteral("mnuShape_") + shapeKey(kShapes[i]));
        item->setCheckable(true);
        shapes->addAction(item);
        mnuShapes[i] = item;
    }
    connect(shapes, &QActionGroup::triggered, this, &frmMain::mnuShape_Click);

    mnuSecretMessage = mnuOptions->addAction(tr("Mensaje &secreto..."));
    mnuSecretMessage->setObjectName(QStringLiteral("mnuSecretMessage"));
    // Checked while a message waits for the next build.
    mnuSecretMessage->setCheckable(true);
    connect(mnuSecretMessage, &QAction::triggered, this, &frmMain::mnuSecretMessage_Click);

    mnuHideList = mnuOptions->addAction(tr("&Ocultar la lista en la hoja"));
    mnuHideList->setObjectName(QStringLiteral("mnuHideList"));
    mnuHideList->setCheckable(true);
    connect(mnuHideList, &QAction::triggered, this, &frmMain::mnuHideList_Click);
    setupReadingMenus();

    mnuOptions->addSeparator();
    mnuResetSettings = mnuOptions->addAction(tr("&Restablecer valores iniciales"));
    mnuResetSettings->setObjectName(QStringLiteral("mnuResetSettings"));
    connect(mnuResetSettings, &QAction::triggered, this, &frmMain::mnuResetSettings_Click);
}

void frmMain::setupReadingMenus() {
    mnuLetterSize = mnuOptions->addMenu(tr("&Tamaño de letra"));
    mnuLetterSize->setObjectName(QStringLiteral("mnuLetterSize"));
    auto* sizes = new QActionGroup(mnuLetterSize);
    const std::array<QString, kLetterSizes.size()> texts{tr("&Normal"), tr("&Grande"),
                                                         tr("&Muy grande")};
    for (std::size_t i = 0; i < kLetterSizes.size(); ++i) {
        QAction* item = mnuLetterSize->addAction(texts[i]);
        item->setObjectName(QStringLiteral("mnuLetterSize_") + letterSizeKey(kLetterSizes[i]));
        item->setCheckable(true);
        sizes->addAction(item);
        mnuLetterSizes[i] = item;
    }
    mnuLetterSizes[0]->setChecked(true);
    connect(sizes, &QActionGroup::triggered, this, &frmMain::mnuLetterSize_Click);

    mnuEasyReading = mnuOptions->addAction(tr("Letra de &lectura fácil"));
    mnuEasyReading->setObjectName(QStringLiteral("mnuEasyReading"));
    mnuEasyReading->setCheckable(true);
    connect(mnuEasyReading, &QAction::triggered, this, &frmMain::mnuEasyReading_Click);
}

void frmMain::setupWidgets() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    setupWordFrame(client);
    setupSettingsFrames(client);
    setupPuzzleFrames(client);
    setupButtons(client);
    setupBanner(client);
}

void frmMain::setupWordFrame(QWidget* client) {
    fraInputWord =
        frame(client, "fraInputWord", tr("Escribe aquí las Palabras"), {60, 120, 3195, 6615});
    txtInputWord = textBox(fraInputWord, "txtInputWord", {}, {240, 240, 2715, 315},
                           tr("Type in word and press ENTER key."));
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
    cmdRemove = button(fraInputWord, "cmdRemove", tr("&Quitar Palabra"), {240, 6180, 1275, 315},
                       false, tr("Highlight a word and click here."));
    connect(cmdRemove, &QPushButton::clicked, this, &frmMain::cmdRemove_Click);
}

void frmMain::setupSettingsFrames(QWidget* client) {
    fraGrid = frame(client, "fraGrid", tr("Cuadricula"), {3300, 2460, 1815, 1035});
    txtGridRows = textBox(fraGrid, "txtGridRows", designText(kGridRowsSetting),
                          {960, 180, 675, 285}, tr("Min 5, Max 20"));
    lblLabel1[0] = label(fraGrid, "lblLabel1_0", tr("Filas"), {555, 240, 315, 195});
    lblLabel1[1] = label(fraGrid, "lblLabel1_1", tr("Columnas"), {180, 600, 690, 195});
    for (QLabel* caption : lblLabel1) {
        setTextColour(caption, kLabelMagenta);
        caption->setFont(designFont(true));
        growLabelLeftToFit(caption);
    }
    txtGridCol =
        textBox(fraGrid, "txtGridCol", designText(kGridColumnsSetting), {960, 540, 675, 285});

    fraWordCount = frame(client, "fraWordCount", tr("Maximo de Palabras"), {3300, 3540, 1815, 675});
    txtWordCount =
        textBox(fraWordCount, "txtWordCount", designText(kWordLimitSetting), {600, 240, 675, 285},
                tr("How many words from the list for this puzzle. Words are picked by random."));
    connect(txtWordCount, &QLineEdit::textChanged, this, &frmMain::txtWordCount_Change);

    fraOfPuzzlesToCreate =
        frame(client, "fraOfPuzzlesToCreate", tr("# de Rompecabezas"), {3300, 5280, 1815, 1155});
    txtNumOfPuzzles = textBox(fraOfPuzzlesToCreate, "txtNumOfPuzzles",
                              designText(kBatchCountSetting), {600, 240, 675, 285});
    cmdAuto = button(fraOfPuzzlesToCreate, "cmdAuto", tr("&Generar y Guardar"),
                     {120, 600, 1575, 495}, false, tr("Create lots of puzzles as text files."));
    connect(cmdAuto, &QPushButton::clicked, this, &frmMain::cmdAuto_Click);
    // The status line and the progress bar lie beyond the panel's resting
    // width: they show only while a batch run widens it.
    lblNumOfPuzzles = label(fraOfPuzzlesToCreate, "lblNumOfPuzzles", tr("Un Momento por Favor... "),
                            {2100, 180, 4635, 555});
    // Two lines high: the path goes below the words that announce it.
    lblNumOfPuzzles->setWordWrap(true);
    linRed = new LineShape(3300, 6540, 900, kBarRed, 3, fraOfPuzzlesToCreate);
    linRed->setObjectName(QStringLiteral("linRed"));
    linGrn = new LineShape(2040, 3240, 900, kBarGreen, 3, fraOfPuzzlesToCreate);
    linGrn->setObjectName(QStringLiteral("linGrn"));
}

void frmMain::setupPuzzleFrames(QWidget* client) {
    fraRawPuzzle = frame(client, "fraRawPuzzle", tr("Rompecabezas"), {5160, 120, 4995, 5115});
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

    fraDifficulty = frame(client, "fraDifficulty", tr("Dificultad"), {3300, 4260, 1815, 975});
    optHard = new QRadioButton(tr("&M&aster"), fraDifficulty);
    optHard->setObjectName(QStringLiteral("optHard"));
    twips::place(optHard, 540, 600, 795, 195);
    optEasy = new QRadioButton(tr("&Facil"), fraDifficulty);
    optEasy->setObjectName(QStringLiteral("optEasy"));
    twips::place(optEasy, 540, 240, 855, 255);
    optEasy->setToolTip(tr("No diagonal words"));
    optHard->setChecked(true);
    for (QRadioButton* option : {optHard, optEasy}) growRadioRightToFit(option);
}

void frmMain::setupButtons(QWidget* client) {
    cmdStart = button(client, "cmdStart", tr("&Iniciar"), {3480, 230, 1515, 375}, false,
                      tr("Creat a new puzzle using the word in the list."));
    connect(cmdStart, &QPushButton::clicked, this, &frmMain::cmdStart_Click);
    cmdFinish = button(client, "cmdFinish", tr("&Vista Preeliminar"), {3480, 630, 1515, 375}, false,
                       tr("Add the random letters. "));
    connect(cmdFinish, &QPushButton::clicked, this, &frmMain::cmdFinish_Click);
    cmdExport = button(client, "cmdExport", tr("I&mprimir"), {3480, 1040, 1515, 375}, false,
                       tr("Put the puzzle in a text file."));
    connect(cmdExport, &QPushButton::clicked, this, &frmMain::cmdExport_Click);
    cmdNew = button(client, "cmdNew", tr("&Limpiar"), {3480, 1440, 1515, 380}, true);
    connect(cmdNew, &QPushButton::clicked, this, &frmMain::cmdNew_Click);
    cmdExit = button(client, "cmdExit", tr("E&xit"), {3480, 1860, 1515, 375}, true,
                     tr("Thank you for using Sopaly!!!."));
    connect(cmdExit, &QPushButton::clicked, this, &frmMain::cmdExit_Click);

    lbl = label(client, "lbl",
                tr("Como Hacer Rompecabezas?  Primero escribe las palabras usando "
                   "ENTER para agregarlas a la lista. Una vez que tengas las "
                   "palabras a Revolver, presiona el boton Iniciar."),
                {5400, 5400, 4575, 795});
    lbl->setWordWrap(true);
    // The batch panel widens over the help text and hides it, as a panel
    // does: above it, and painting its own background.
    fraOfPuzzlesToCreate->setAutoFillBackground(true);
    fraOfPuzzlesToCreate->raise();
}

void frmMain::setupBanner(QWidget* client) {
    Banner = new BannerViewer(client);
    Banner->setObjectName(QStringLiteral("Banner"));
    twips::place(Banner, 1568, 6840, 7095, 975);
    sensor = label(client, "sensor", {}, {1688, 6960, 6855, 735});
    sensor->raise();  // over the banner, so that it takes the clicks
    sensor->setCursor(sensorCursor());
    sensor->installEventFilter(this);
    // Below the design client area: it shows only in a taller window.
    Click = label(client, "Click",
                  tr("Para que este Software siga Gratuito Visita Nuestros "
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
    batchPanel_ = new BatchPanel(
        {fraOfPuzzlesToCreate, lblNumOfPuzzles, linGrn, linRed, txtWord, tmrAuto}, this);
    connect(batchPanel_, &BatchPanel::failed, this, &frmMain::tell);
    connect(batchPanel_, &BatchPanel::ended, this, &frmMain::batchEnded);
}

void frmMain::setupAccessibleNames() {
    // Each box is named by its own caption, not by the frame around it
    // (both size boxes would be "Cuadricula").
    const std::array<std::pair<QWidget*, QString>, 6> named{{
        {txtInputWord, fraInputWord->title()},
        {lstInputWord, tr("Lista de palabras")},
        {txtGridRows, lblLabel1[0]->text()},
        {txtGridCol, lblLabel1[1]->text()},
        {txtWordCount, fraWordCount->title()},
        {txtNumOfPuzzles, fraOfPuzzlesToCreate->title()},
    }};
    for (const auto& [widget, name] : named) widget->setAccessibleName(spokenText(name));
    for (QRadioButton* option : {optHard, optEasy}) {
        option->setAccessibleName(spokenText(option->text()));
    }
    txtWord->setAccessibleName(spokenText(fraRawPuzzle->title()));
    lblPuzzleWords->setAccessibleDescription(
        tr("Las palabras que quedaron fuera del rompecabezas"));
    for (QWidget* banner : std::initializer_list<QWidget*>{Banner, sensor}) {
        banner->setAccessibleName(tr("Anuncio del patrocinador"));
        banner->setAccessibleDescription(
            tr("Al hacer clic se abre la página del patrocinador en el navegador."));
    }
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

}  // namespace sopaly
