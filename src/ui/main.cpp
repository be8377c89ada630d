#include <QApplication>

#include "Program.h"
#include "Startup.h"

int main(int argc, char* argv[]) {
    sopaly::PlatformStartGuard starting;
    QApplication app(argc, argv);
    starting.release();
    QApplication::setApplicationName(QStringLiteral("Sopaly"));
    QApplication::setDesktopFileName(QStringLiteral("example.sopaly.Sopaly"));
    sopaly::prepareApplication(app);
    sopaly::Program program;
    program.showMainWindow();
    return QApplication::exec();
}
