#include "Program.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <utility>

#include "ClassroomSet.h"
#include "Form1.h"
#include "Form3.h"
#include "ProgramFolder.h"
#include "Puzzle.h"
#include "RudeWords.h"
#include "frmMain.h"

namespace sopaly {

namespace {

// The settings file is read back only within the ranges the window takes.
bool settingsMatchTheWindow() {
    return kGridRowsSetting.lowest == kSmallestGrid && kGridRowsSetting.highest == kLargestGrid &&
           kGridColumnsSetting.lowest == kSmallestGrid &&
           kGridColumnsSetting.highest == kLargestGrid &&
           kClassroomVersionsSetting.lowest == ClassroomSet::kFewestVersions &&
           kClassroomVersionsSetting.highest == ClassroomSet::kMostVersions;
}

}  // namespace

Program::Program(Random::Clock clock)
    : random_(std::move(clock)), settings_(std::make_unique<Settings>()) {
    QGuiApplication::setQuitOnLastWindowClosed(false);
    Q_ASSERT(settingsMatchTheWindow());
    folderChoice_ = programFolderChoice(*settings_);
    folderProblems_ = std::exchange(folderChoice_.problems, {});
}

Program::~Program() {
    // A window still loaded when the program ends goes without its unload
    // handler, as at "E&xit".
    delete mainWindow_.data();
    delete about_.data();
}

frmMain* Program::mainWindow() const {
    return mainWindow_.data();
}

frmMain* Program::showMainWindow() {
    if (mainWindow_.isNull()) {
        mainWindow_ = new frmMain(*this);
        endWhenLastWindowGoes(mainWindow_);
    }
    mainWindow_->show();
    mainWindow_->raise();
    mainWindow_->activateWindow();
    // Told once: the program runs on, and each file it then cannot write
    // names itself when the write fails.
    if (!folderProblems_.isEmpty()) {
        const QString text = folderProblems_.join(u'\n');
        folderProblems_.clear();
        QMessageBox::warning(mainWindow_, mainWindow_->windowTitle(), text);
    }
    return mainWindow_;
}

QStringList Program::rudeWords() const {
    // The built-in list, as the administrator's and the teacher's files change it.
    return sopaly::rudeWords(folderChoice_.filesToRead(QString::fromLatin1(kRudeWordsFileName)));
}

Form3* Program::showAbout() {
    if (about_.isNull()) {
        // No parent: the about window stays, and keeps the program running,
        // when the main window is closed.
        about_ = new Form3(folderChoice_.shippedFolder, [this] { showMainWindow(); });
        endWhenLastWindowGoes(about_);
    }
    about_->show();
    about_->raise();
    about_->activateWindow();
    return about_;
}

Form3* Program::aboutWindow() const {
    return about_.data();
}

Form1* Program::preview() const {
    return preview_.data();
}

void Program::adoptPreview(Form1* preview) {
    preview_ = preview;
    endWhenLastWindowGoes(preview);
}

void Program::endWhenLastWindowGoes(QObject* window) {
    // Queued: while `destroyed` is emitted the pointer to it is not yet null,
    // and a continue action may be about to load a fresh main window.
    QObject::connect(
        window, &QObject::destroyed, &lifeline_, [this] { endIfNoWindowLeft(); },
        Qt::QueuedConnection);
}

void Program::endIfNoWindowLeft() {
    if (mainWindow_.isNull() && about_.isNull() && preview_.isNull()) QCoreApplication::exit(0);
}

void Program::exit(int returnCode) {
    exiting_ = true;
    // hide() closes a window without a close event, so no unload handler runs.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) window->hide();
    QCoreApplication::exit(returnCode);
}

}  // namespace sopaly
