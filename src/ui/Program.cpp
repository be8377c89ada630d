#include "Program.h"

#include <QApplication>
#include <QWidget>

#include "Form3.h"
#include "frmMain.h"

namespace sopaly {

Program::Program(Random::Clock clock)
    : random_(std::move(clock)), programFolder_(QCoreApplication::applicationDirPath()) {}

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
    if (mainWindow_.isNull()) mainWindow_ = new frmMain(*this);
    mainWindow_->show();
    mainWindow_->raise();
    mainWindow_->activateWindow();
    return mainWindow_;
}

Form3* Program::showAbout() {
    if (about_.isNull()) {
        // No parent: the about window stays, and keeps the program running,
        // when the main window is closed.
        about_ = new Form3(programFolder_, [this] { showMainWindow(); });
    }
    about_->show();
    about_->raise();
    about_->activateWindow();
    return about_;
}

Form3* Program::aboutWindow() const {
    return about_.data();
}

void Program::exit(int returnCode) {
    exiting_ = true;
    // hide() closes a window without a close event, so no unload handler runs.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) window->hide();
    QCoreApplication::exit(returnCode);
}

}  // namespace sopaly
