#include "Program.h"

#include <QApplication>
#include <QWidget>

#include "frmMain.h"

namespace sopaly {

Program::Program(Random::Clock clock)
    : random_(std::move(clock)), programFolder_(QCoreApplication::applicationDirPath()) {}

Program::~Program() {
    // A window still loaded when the program ends goes without its unload
    // handler, as at "E&xit".
    delete mainWindow_.data();
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

void Program::exit(int returnCode) {
    exiting_ = true;
    // hide() closes a window without a close event, so no unload handler runs.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) window->hide();
    QCoreApplication::exit(returnCode);
}

}  // namespace sopaly
