#include <QApplication>

#include "Program.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sopaly"));
    QApplication::setDesktopFileName(QStringLiteral("example.sopaly.Sopaly"));
    sopaly::Program program;
    program.showMainWindow();
    return QApplication::exec();
}
