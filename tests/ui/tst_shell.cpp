#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMovie>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <memory>

#include "Banner.h"
#include "Form3.h"
#include "Product.h"
#include "Program.h"
#include "WordList.h"
#include "frmMain.h"

using namespace sopaly;

// The main window together with the banner and the about window.
class ShellTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<Program> program;
    QList<QUrl> opened;

    frmMain* openMain() {
        frmMain* window = program->showMainWindow();
        window->openAddress = [this](const QUrl& url) { opened << url; };
        return window;
    }

    static void clickOn(QWidget* widget) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    }

  private slots:
    void init() {
        folder = std::make_unique<QTemporaryDir>();
        QVERIFY(folder->isValid());
        // The program's standby picture, so that the banner has one to show.
        QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + "/../bin/S.g",
                            folder->filePath("S.g")));
        program = std::make_unique<Program>();
        program->setProgramFolder(folder->path());
        opened.clear();
    }
    void cleanup() {
        program.reset();
        folder.reset();
    }

    void activationShowsTheStandbyPictureAndClicksOpenNothingBeforeATick() {
        frmMain* window = openMain();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTRY_VERIFY(window->Banner->shownFile().endsWith(QStringLiteral("S.g")));
        window->sensor_Click();
        window->Click_Click();
        QVERIFY(opened.isEmpty());
        QTest::mouseClick(window->sensor, Qt::LeftButton, {}, window->sensor->rect().center());
        QVERIFY(opened.isEmpty());
        QCOMPARE(window->sensor->cursor().hotSpot(), QPoint(12, 1));
    }

    void theWebSiteItemOpensTheProductPage() {
        frmMain* window = openMain();
        window->web->trigger();
        QCOMPARE(opened, QList<QUrl>({QUrl(productPageAddress())}));
        QVERIFY(productPageAddress().endsWith(QStringLiteral("/sopaly")));
    }

    void theAboutWindowOpensOnceAndItsMovieIsNotRestarted() {
        frmMain* window = openMain();
        window->about->trigger();
        QPointer<Form3> about = program->aboutWindow();
        QVERIFY(about);
        QVERIFY(about->isVisible());
        const int starts = about->movieStarts();
        window->mnuAbout_Click();
        window->about_Click();
        QCOMPARE(program->aboutWindow(), about.data());
        QCOMPARE(about->movieStarts(), starts);
        const QWidgetList windows = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(windows.cbegin(), windows.cend(),
                               [](const QWidget* w) {
                                   return qobject_cast<const Form3*>(w) && w->isVisible();
                               }),
                 1);
    }

    void theContinueActionAfterTheMainWindowClosedLoadsAFreshOne() {
        frmMain* window = openMain();
        window->txtGridRows->setText(QStringLiteral("9"));
        window->txtInputWord->setText(QStringLiteral("sol"));
        window->txtInputWord_KeyPress(13);
        program->showAbout();
        QPointer<Form3> about = program->aboutWindow();
        QPointer<frmMain> old = window;
        window->close();
        QTRY_VERIFY(old.isNull());
        QVERIFY(program->mainWindow() == nullptr);
        QVERIFY(about && about->isVisible());

        clickOn(about->findChild<QLabel*>(QStringLiteral("Label2")));
        QTRY_VERIFY(about.isNull());
        frmMain* fresh = program->mainWindow();
        QVERIFY(fresh);
        QVERIFY(fresh->isVisible());
        QCOMPARE(fresh->txtGridRows->text(), QStringLiteral("20"));
        QCOMPARE(fresh->wordList().count(), 0);
    }

    void anOpenPreviewOrAboutWindowKeepsTheProgramRunning_data() {
        QTest::addColumn<bool>("preview");
        QTest::newRow("print preview") << true;
        QTest::newRow("about window") << false;
    }
    void anOpenPreviewOrAboutWindowKeepsTheProgramRunning() {
        QFETCH(bool, preview);
        frmMain* window = openMain();
        QPointer<QWidget> other;
        if (preview) {
            window->askPuzzleName = [] { return QStringLiteral("Playa"); };
            window->cmdExport_Click();
            other = window->preview();
        } else {
            other = program->showAbout();
        }
        QVERIFY(other && other->isVisible());
        // The program ends by itself when its last window closes: run its
        // event loop, close the main window, then the other one.
        bool otherOutlivedTheMainWindow = false;
        QTimer::singleShot(0, window, [window] { window->close(); });
        QTimer::singleShot(300, qApp, [&] {
            otherOutlivedTheMainWindow =
                program->mainWindow() == nullptr && other && other->isVisible();
            if (other) other->close();
        });
        QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(99); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(otherOutlivedTheMainWindow);
    }

    void theContinueActionBringsBackTheOpenMainWindow() {
        frmMain* window = openMain();
        window->txtInputWord->setText(QStringLiteral("mar"));
        window->txtInputWord_KeyPress(13);
        program->showAbout();
        QPointer<Form3> about = program->aboutWindow();
        clickOn(about->findChild<QLabel*>(QStringLiteral("Label1")));
        QTRY_VERIFY(about.isNull());
        QCOMPARE(program->mainWindow(), window);
        QCOMPARE(window->wordList().count(), 1);
    }
};

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
