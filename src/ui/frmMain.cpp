#include "frmMain.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <utility>

#include "Banner.h"
#include "Batch.h"
#include "ClassroomRun.h"
#include "ClassroomSet.h"
#include "Form1.h"
#include "PlayWindow.h"
#include "Program.h"
#include "ProgressWindow.h"
#include "ScormPackage.h"
#include "StatusLine.h"
#include "StatusText.h"
#include "Toolkit.h"
#include "WebPage.h"
#include "WordList.h"
#include "WordListFile.h"
#include "Worksheet.h"
#include "WorksheetPreview.h"

namespace sopaly {

namespace {

constexpr int kClientWidth = 10230;
constexpr int kClientHeight = 7860;
constexpr int kKeyEnter = 13;

}  // namespace

frmMain::frmMain(Program& program, QWidget* parent)
    : QMainWindow(parent),
      program_(program),
      session_(program.random()),
      files_(program, prompts,
             [this](const std::optional<QString>& failure) { settingsStored(failure); }),
      words_(new WordList(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setupWindow();
    prompts = dialogPrompts(this, windowCaption());
    openAddress = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    banner_ = new SponsorBanner(
        program_.programFolder(), program_.random(), nullptr,
        [this](const QUrl& url) { openAddress(url); }, this);
    banner_->setFileLocator(
        [this](const QString& name) { return program_.folderChoice().fileToRead(name); });

    setupMenus();
    setupWidgets();
    setupTimers();
    setupFileMenu();
    setupOptionsMenu();
    setupSettings();
    connect(banner_, &SponsorBanner::showPicture, Banner, &BannerViewer::showFile);
    setupTabOrder();
    setupAccessibleNames();
    Form_Load();
}

frmMain::~frmMain() = default;

frmMain::SettingFields frmMain::settingFields() const {
    return {{
        {txtGridRows, &kGridRowsSetting},
        {txtGridCol, &kGridColumnsSetting},
        {txtWordCount, &kWordLimitSetting},
        {txtNumOfPuzzles, &kBatchCountSetting},
    }};
}

void frmMain::setupSettings() {
    for (const auto& [field, setting] : settingFields()) {
        // Only what the user types is kept, not what the program puts there.
        connect(field, &QLineEdit::textEdited, this, [this, setting](const QString& text) {
            settingsStored(program_.settings().storeNumberText(*setting, text));
        });
    }
    for (QRadioButton* option : {optEasy, optHard}) {
        connect(option, &QRadioButton::clicked, this,
                [this] { settingsStored(program_.settings().storeEasy(optEasy->isChecked())); });
    }
    showKeptSettings();
    showKeptOptions();
}

void frmMain::showKeptSettings() {
    const Settings& kept = program_.settings();
    for (const auto& [field, setting] : settingFields()) {
        field->setText(QString::number(kept.number(*setting).value_or(setting->designValue)));
    }
    (kept.easy().value_or(false) ? optEasy : optHard)->setChecked(true);
}

void frmMain::showKeptOptions() {
    const Settings& kept = program_.settings();
    const bool lowerCase = kept.flag(settingKey::kLowerCase).value_or(false);
    const Shape shape =
        shapeFromKey(kept.word(settingKey::kShape).value_or(QString())).value_or(Shape::Square);
    mnuLowerCase->setChecked(lowerCase);
    // The group unchecks the others.
    for (std::size_t i = 0; i < kShapes.size(); ++i) {
        if (kShapes[i] == shape) mnuShapes[i]->setChecked(true);
    }
    mnuHideList->setChecked(kept.flag(settingKey::kHideList).value_or(false));
    const LetterSize size =
        letterSizeFromKey(kept.word(settingKey::kLetterSize).value_or(QString()))
            .value_or(LetterSize::Normal);
    for (std::size_t i = 0; i < kLetterSizes.size(); ++i) {
        if (kLetterSizes[i] == size) mnuLetterSizes[i]->setChecked(true);
    }
    mnuEasyReading->setChecked(kept.flag(settingKey::kEasyReading).value_or(false));
    words_->setShownInLowerCase(lowerCase);
}

void frmMain::settingsStored(const std::optional<QString>& failure) {
    if (failure) tell(*failure);
}

void frmMain::updateFileMenu() {
    const bool hasWords = words_->count() > 0;
    mnuSaveList->setEnabled(hasWords);
    mnuClassroomPdf->setEnabled(hasWords);
    // A worksheet shows a finished grid only: a second Iniciar greys it
    // until Vista Preeliminar.
    const bool finished = cmdExport->isEnabled() && session_.isFinished();
    mnuWorksheetPdf->setEnabled(finished);
    mnuPrintWorksheet->setEnabled(finished);
    mnuPlay->setEnabled(finished);
    mnuWebPage->setEnabled(finished);
    mnuScorm->setEnabled(finished);
}

void frmMain::rememberOptionsMenu() {
    Settings& kept = program_.settings();
    const PuzzleSettings current = settings();
    settingsStored(kept.storeFlag(settingKey::kLowerCase, current.lowerCase));
    settingsStored(kept.store(settingKey::kShape, shapeKey(current.shape)));
    settingsStored(kept.storeFlag(settingKey::kHideList, current.hideList));
    settingsStored(kept.store(settingKey::kLetterSize, letterSizeKey(current.letterSize)));
    settingsStored(kept.storeFlag(settingKey::kEasyReading, current.easyReading));
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
    batchPanel_->PanelClosing = false;
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
    // A run writes each file within one step: between two steps none is
    // half written, and the run can stop at once.
    batchPanel_->stop();
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
    current.hideList = mnuHideList->isChecked();
    for (std::size_t i = 0; i < kLetterSizes.size(); ++i) {
        if (mnuLetterSizes[i]->isChecked()) current.letterSize = kLetterSizes[i];
    }
    current.easyReading = mnuEasyReading->isChecked();
    current.rudeWords = program_.rudeWords();
    return session_.withSessionChoices(current);
}

QString frmMain::txtWordText() const {
    // The document keeps its lines as blocks; each rendered row ended in
    // "\r\n", the last one included.
    QString text = txtWord->toPlainText();
    text.replace(u'\n', QStringLiteral("\r\n"));
    return text;
}

void frmMain::CenterForm(QWidget* anyForm) {
    twips::centre(anyForm, twips::Centring::AtLoad);
}

void frmMain::centreOnActivation() {
    twips::centre(this, twips::Centring::AtActivation);
}

void frmMain::txtInputWord_KeyPress(int KeyAscii) {
    if (KeyAscii != kKeyEnter) return;
    const std::optional<QString> word = committedWord(txtInputWord->text());
    if (!word) return;
    // A refused word stays in the box for the user to mend.
    const Intake intake = sortOutWords({*word}, kMostWordsInList - words_->count());
    if (!intake.noLetters.isEmpty()) {
        prompts.showMessage(noLettersMessage(intake.noLetters));
        return;
    }
    if (!intake.noRoom.isEmpty()) {
        prompts.showMessage(fullListMessage(1));
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
    if (!intake.noLetters.isEmpty()) prompts.showMessage(noLettersMessage(intake.noLetters));
    if (!intake.noRoom.isEmpty()) {
        prompts.showMessage(fullListMessage(static_cast<int>(intake.noRoom.size())));
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
            session_.puzzle().WordPool = sortIntoPool(words_->words());
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
    for (const QString& problem : program_.rudeWordFileProblems()) tell(problem);
    const PuzzleSettings current = settings();
    if (!gridSizeIsUsable(current)) return;
    session_.start(words_->words(), current);
    ShowWordOnWordText();
    cmdFinish->setEnabled(true);
    lblPuzzleWords->setText(puzzleStatus(session_.puzzle(), current));
    updateFileMenu();
}

void frmMain::ShowWordOnWordText() {
    txtWord->setPlainText(gridText(session_.puzzle().WordGrid, settings()));
}

void frmMain::cmdFinish_Click() {
    cmdFinish->setEnabled(false);
    txtWord->setPlainText(session_.finish(settings()));
    // A fill that found no fair letter for a cell builds the puzzle again.
    lblPuzzleWords->setText(puzzleStatus(session_.puzzle(), session_.builtWith()));
    cmdExport->setEnabled(true);
    updateFileMenu();
}

void frmMain::cmdExport_Click() {
    program_.PuzzleName = prompts.askPuzzleName();
    if (Form1* open = program_.preview()) {
        // An open preview keeps the text it was built with.
        open->raise();
        open->activateWindow();
        return;
    }
    // No parent: the preview stays open, and keeps the program running,
    // when the main window is closed.
    // The list names only the words the grid holds.
    QStringList placed = placedInListOrder(words_->words(), session_.puzzle());
    if (mnuLowerCase->isChecked()) {
        for (QString& word : placed) word = word.toLower();
    }
    auto* preview = new Form1(program_.PuzzleName, txtWordText(), placed);
    preview->setGridFinished(session_.isFinished());
    program_.adoptPreview(preview);
    preview->show();
}

Form1* frmMain::preview() const {
    return program_.preview();
}

void frmMain::tell(const QString& text) {
    if (!batchPanel_->isBusy()) {
        prompts.showMessage(text);
    } else if (batchFailure_.isEmpty()) {
        batchFailure_ = text;
    }
}

void frmMain::cmdAuto_Click() {
    // A press while a run is on would start a second run beside it.
    if (batchPanel_->isBusy()) return;
    batchPanel_->PanelClosing = false;
    const BatchPlan plan = planBatch(txtNumOfPuzzles->text(), batchPanel_->barLength());
    if (plan.outcome == BatchPlan::Nothing) return;
    if (plan.outcome == BatchPlan::Refused) {
        prompts.showMessage(plan.message);
        return;
    }
    settingsStored(program_.settings().storeNumber(kBatchCountSetting.key, plan.count));
    if (words_->count() > 0 && !gridSizeIsUsable(settings())) return;
    if (const auto refusal = batchRefusal(words_->words(), session_.message())) {
        prompts.showMessage(*refusal);
        return;
    }
    batchPanel_->start(
        new BatchRun(session_, program_.programFolder(), plan.count,
                     {[this] { return words_->words(); }, [this] { return settings(); }}),
        plan.step);
}

void frmMain::tmrAuto_Timer() {
    batchPanel_->tick();
}

void frmMain::batchEnded(BatchRun::End end, int written, int withoutMessage) {
    // Told once the pointer is back and the panel narrowed, so that the
    // message is the last thing the run shows.
    if (!batchFailure_.isEmpty()) prompts.showMessage(std::exchange(batchFailure_, QString()));
    if (end == BatchRun::End::Completed) ListBoxControl(QStringLiteral("CLEAR"));
    updateFileMenu();
    lblPuzzleWords->setText(withMessageShortfall(lblPuzzleWords->textBeforeSaved(), withoutMessage,
                                                 written, ShortfallOf::Puzzles));
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

void frmMain::mnuOpenList_Click() {
    const QString path = files_.choose(false, FileDialog::OpenList, tr("Abrir lista de palabras"));
    if (path.isEmpty()) return;
    const WordListRead read = readWordListFile(path, words_->count());
    if (!read.failure.isEmpty()) {
        prompts.showMessage(wordListReadMessage(path, read.failure));
        return;
    }
    if (read.words.isEmpty() && read.noLetters.isEmpty()) {
        prompts.showMessage(read.invalidLines.isEmpty()
                                ? emptyWordListMessage(path)
                                : invalidLinesMessage(path, read.invalidLines));
        return;
    }
    const int already = alreadyListed(*words_, read.words);
    commitWords(read.words);
    lblPuzzleWords->setText(listOpenedLine(path, read, already));
    if (!read.invalidLines.isEmpty()) {
        prompts.showMessage(invalidLinesMessage(path, read.invalidLines));
    }
}

void frmMain::mnuOpenPuzzle_Click() {
    const QString path = files_.choose(false, FileDialog::OpenPuzzle, tr("Abrir rompecabezas"));
    if (path.isEmpty()) return;
    OpenedPuzzle opened = readPuzzleFile(path);
    if (!opened.refusal.isEmpty()) {
        prompts.showMessage(opened.refusal);
        return;
    }
    if (words_->count() > 0 && !prompts.confirmReplaceList(words_->count())) return;
    const QStringList words = opened.words;
    ListBoxControl(QStringLiteral("CLEAR"));
    commitWords(words);
    // The file's size is shown, not kept: the remembered one stays.
    txtGridRows->setText(QString::number(opened.rows));
    txtGridCol->setText(QString::number(opened.cols));
    session_.open(std::move(opened), settings());
    txtWord->setPlainText(gridText(session_.puzzle().WordGrid, session_.builtWith()));
    cmdFinish->setEnabled(false);
    cmdExport->setEnabled(true);
    lblPuzzleWords->setText(puzzleStatus(session_.puzzle(), session_.builtWith()));
    updateFileMenu();
}

void frmMain::mnuSaveList_Click() {
    if (words_->count() == 0) return;
    const QString path = files_.choose(true, FileDialog::SaveList, tr("Guardar lista de palabras"),
                                       tr("palabras.txt"));
    if (path.isEmpty()) return;
    if (files_.write(path, wordListFileBytes(words_->words()))) {
        lblPuzzleWords->addSavedFile(tr("Lista guardada en"), path);
    }
}

void frmMain::mnuWorksheetPdf_Click() {
    if (!mnuWorksheetPdf->isEnabled()) return;
    const auto chosen =
        files_.askNameAndPdfPath(FileDialog::WorksheetPdf, tr("Guardar hoja de trabajo en PDF"));
    if (!chosen) return;
    const auto& [name, path] = *chosen;
    const QByteArray pdf = worksheetPdf({session_.worksheet(name)}, worksheetPageSize(), name);
    if (files_.writePdf(path, pdf)) {
        lblPuzzleWords->addSavedFile(tr("Hoja guardada en"), path);
    }
}

void frmMain::mnuClassroomPdf_Click() {
    if (words_->count() == 0) return;
    const PuzzleSettings current = settings();
    if (!gridSizeIsUsable(current)) return;
    const std::optional<int> versions =
        prompts.askVersionCount(program_.settings()
                                    .number(kClassroomVersionsSetting)
                                    .value_or(ClassroomSet::kDefaultVersions));
    if (!versions) return;
    settingsStored(program_.settings().storeNumber(kClassroomVersionsSetting.key, *versions));
    const auto chosen = files_.askNameAndPdfPath(FileDialog::ClassroomPdf,
                                                 tr("Guardar juego para la clase en PDF"));
    if (!chosen) return;
    const auto& [name, path] = *chosen;

    ProgressWindow progress(windowCaption(), tr("Preparando las versiones para la clase..."), this);
    progress.setObjectName(QStringLiteral("classroomProgress"));
    ClassroomRun run(session_.classroomSet(words_->words(), current), *versions, name,
                     worksheetPageSize());
    const std::optional<QByteArray> pdf = progress.exec(run);
    if (!pdf) return;
    lblPuzzleWords->setText(withMessageShortfall(lblPuzzleWords->textBeforeSaved(),
                                                 run.withoutMessage(), *versions,
                                                 ShortfallOf::Versions));
    if (files_.writePdf(path, *pdf)) {
        lblPuzzleWords->addSavedFile(tr("Juego guardado en"), path);
    }
}

void frmMain::mnuPrintWorksheet_Click() {
    if (!mnuPrintWorksheet->isEnabled()) return;
    const std::optional<QString> name = prompts.askWorksheetName(program_.PuzzleName);
    if (!name) return;
    program_.PuzzleName = *name;
    previewWorksheets(this, {session_.worksheet(*name)}, *name);
}

void frmMain::mnuPlay_Click() {
    if (!mnuPlay->isEnabled()) return;
    auto* play = new PlayWindow(session_.worksheet(QString()), playClock, this);
    play->show();
}

void frmMain::mnuWebPage_Click() {
    if (!mnuWebPage->isEnabled()) return;
    const auto chosen = files_.askNameAndPath(FileDialog::WebPage,
                                              tr("Exportar para el navegador"),
                                              QStringLiteral(".html"));
    if (!chosen) return;
    const auto& [name, path] = *chosen;
    if (files_.write(path, webPage(session_.worksheet(name)))) {
        lblPuzzleWords->addSavedFile(tr("Página guardada en"), path);
    }
}

void frmMain::mnuScorm_Click() {
    if (!mnuScorm->isEnabled()) return;
    const auto chosen = files_.askNameAndPath(FileDialog::ScormPackage,
                                              tr("Exportar para Moodle (SCORM)"),
                                              QStringLiteral(".zip"));
    if (!chosen) return;
    const auto& [name, path] = *chosen;
    const QByteArray package = scormPackage(session_.worksheet(name));
    if (package.isEmpty()) {
        tell(scormNotMadeMessage(path));
    } else if (files_.write(path, package)) {
        lblPuzzleWords->addSavedFile(tr("Paquete guardado en"), path);
    }
}

void frmMain::mnuLowerCase_Click() {
    words_->setShownInLowerCase(mnuLowerCase->isChecked());
    rememberOptionsMenu();
}

void frmMain::mnuShape_Click() {
    rememberOptionsMenu();
}

void frmMain::mnuSecretMessage_Click() {
    if (const std::optional<QString> message = prompts.askSecretMessage(session_.message())) {
        session_.setMessage(*message);
    }
    // Nothing of it could take a cell: no message waits for the build.
    if (!session_.message().isEmpty() && messageLetters(session_.message()).empty()) {
        prompts.showMessage(messageWithoutLettersSentence(session_.message()));
        session_.setMessage(QString());
    }
    mnuSecretMessage->setChecked(!session_.message().isEmpty());
}

void frmMain::mnuResetSettings_Click() {
    if (!prompts.confirmReset()) return;
    settingsStored(program_.settings().resetToDefaults());
    showKeptSettings();
    showKeptOptions();
}

void frmMain::mnuHideList_Click() {
    rememberOptionsMenu();
}

void frmMain::mnuLetterSize_Click() {
    rememberOptionsMenu();
}

void frmMain::mnuEasyReading_Click() {
    rememberOptionsMenu();
}

}  // namespace sopaly
