#include <QApplication>
#include <QGuiApplication>

#include "CommandLine.h"
#include "Program.h"
#include "Startup.h"

namespace {

// With any option the program makes what it is asked for and ends, with no
// window: it needs no display, and fonts and PDFs work on Qt's offscreen
// platform all the same.
int runCommandLine(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    sopaly::cli::quietenRuntimeFolderWarning();
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("Sopaly"));
    sopaly::prepareApplication(app);
    return sopaly::cli::commandLineMain(QCoreApplication::arguments(),
                                        sopaly::cli::processConsole());
}

}  // namespace

int main(int argc, char* argv[]) {
    if (sopaly::cli::commandLineAsked(argc, argv)) return runCommandLine(argc, argv);
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
