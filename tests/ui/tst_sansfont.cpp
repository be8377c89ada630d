// Menus, dialogs and prompts have no design face of their own. On a machine
// whose only fonts are the Liberation ones, as a bare Debian with
// fonts-liberation has, fontconfig answers "sans-serif" with Liberation Mono;
// the window must still show them in a proportional sans. The test gives
// itself such a font set before the application starts.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHeaderView>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "Program.h"
#include "Startup.h"
#include "frmMain.h"

using namespace sopaly;

namespace {

const QString kSans = QStringLiteral("Liberation Sans");

// The face a widget's text is actually drawn in: its family, and whether its
// letters all have one width.
QString faceOf(const QWidget* widget) {
    const QFontInfo info(widget->font());
    return info.family() + (info.fixedPitch() ? QStringLiteral(" (monospaced)") : QString());
}

}  // namespace

class SansFontTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<Program> program;
    frmMain* window = nullptr;

    // Runs `open`, which shows a modal dialog; reads the faces of the dialog
    // and of its first child of type T (the dialog itself when T is QWidget),
    // then answers it with Escape.
    template <typename T>
    QStringList facesOfTheNextDialog(const std::function<void()>& open) {
        QStringList faces;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog || !dialog->isVisible()) return;
            poll.stop();
            faces << faceOf(dialog);
            if (const T* part = dialog->findChild<T*>()) faces << faceOf(part);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        poll.start(20);
        open();
        return faces;
    }

    void openFileMenu() {
        QTest::keyClick(window, Qt::Key_R, Qt::AltModifier);
        QTRY_VERIFY(window->mnuFile->isVisible());
    }

  private slots:
    void initTestCase() {
        QVERIFY2(QFontDatabase::hasFamily(kSans), "fonts-liberation is not installed");
        // Only the Liberation faces, besides fontconfig's generic names.
        const QStringList generic{"Monospace", "Sans Serif", "Serif"};
        const QStringList families = QFontDatabase::families();
        for (const QString& family : families) {
            QVERIFY2(family.startsWith(QStringLiteral("Liberation")) || generic.contains(family),
                     qPrintable(family));
        }
        prepareApplication(*qApp);
    }

    void init() {
        folder = std::make_unique<QTemporaryDir>();
        QVERIFY(folder->isValid());
        program = std::make_unique<Program>();
        program->setProgramFolder(folder->path());
        window = program->showMainWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }

    void cleanup() {
        program.reset();
        window = nullptr;
        folder.reset();
    }

    void theFileMenuIsSetInAProportionalSans() {
        openFileMenu();
        QCOMPARE(faceOf(window->mnuFile), kSans);
        QTest::keyClick(window->mnuFile, Qt::Key_Escape);
    }

    void theOpenDialogAndItsFileListAreSetInAProportionalSans() {
        const QStringList faces = facesOfTheNextDialog<QHeaderView>([this] {
            openFileMenu();
            QTest::keyClick(window->mnuFile, Qt::Key_A);
        });
        QCOMPARE(faces, QStringList({kSans, kSans}));
    }

    void theWorksheetNamePromptIsSetInAProportionalSans() {
        for (const char* word : {"sol", "mar", "luna"}) {
            window->txtInputWord->setText(QString::fromLatin1(word));
            QTest::keyClick(window->txtInputWord, Qt::Key_Return);
        }
        QTest::mouseClick(window->cmdStart, Qt::LeftButton);
        QTest::mouseClick(window->cmdFinish, Qt::LeftButton);
        QVERIFY(window->mnuWorksheetPdf->isEnabled());
        const QStringList faces = facesOfTheNextDialog<QPushButton>([this] {
            openFileMenu();
            QTest::keyClick(window->mnuFile, Qt::Key_H);
        });
        QCOMPARE(faces, QStringList({kSans, kSans}));
    }
};

int main(int argc, char* argv[]) {
    // Only the Liberation fonts, through the system's own fontconfig rules.
    QTemporaryDir fonts;
    if (!fonts.isValid()) return 1;
    QFile config(fonts.filePath(QStringLiteral("fonts.conf")));
    if (!config.open(QIODevice::WriteOnly)) return 1;
    config.write(QStringLiteral(R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts/truetype/liberation</dir>
  <cachedir>%1</cachedir>
  <include ignore_missing="yes">/etc/fonts/conf.d</include>
</fontconfig>
)")
                     .arg(fonts.filePath(QStringLiteral("cache")))
                     .toUtf8());
    config.close();
    qputenv("FONTCONFIG_FILE", QFile::encodeName(config.fileName()));

    QApplication app(argc, argv);
    SansFontTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_sansfont.moc"
