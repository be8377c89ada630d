#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMovie>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <algorithm>
#include <memory>

#include "Banner.h"
#include "Form1.h"
#include "Form3.h"
#include "Product.h"
#include "Program.h"
#include "Startup.h"
#include "TestEnvironment.h"
#include "TextFit.h"
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

    // A click as the window system delivers it, through the window that holds
    // the widget, so that an open menu sees it first, as it does on screen.
    static void clickOnScreen(QWidget* widget, QPoint at) {
        QWidget* top = widget->window();
        QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {}, widget->mapTo(top, at));
    }

    // The texts of the buttons of the dialog that opens after `open`, which
    // is then answered with Escape.
    static QStringList buttonsOfTheNextDialog(const std::function<void()>& open) {
        QStringList texts;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog || !dialog->isVisible()) return;
            poll.stop();
            for (const QPushButton* button : dialog->findChildren<QPushButton*>()) {
                if (button->isVisible()) texts << button->text().remove(u'&');
            }
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        poll.start(20);
        open();
        texts.sort();
        return texts;
    }

  private slots:
    void initTestCase() {
        // What main() does first: Qt's dialogs in Spanish, the design's fonts.
        QVERIFY2(prepareApplication(*qApp), "qtbase_es.qm from qt6-translations-l10n is missing");
    }

    void init() {
        // Each case starts from the design values, whatever an earlier one typed.
        sopaly::test::freshSettings();
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
            window->prompts.askPuzzleName = [] { return QStringLiteral("Playa"); };
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

    void theAboutMenuOpenedWithTheMouseHandsBackACentredMainWindow_data() {
        QTest::addColumn<bool>("item");
        QTest::newRow("the menu title, then a click beside the menu") << false;
        QTest::newRow("the item About...") << true;
    }
    void theAboutMenuOpenedWithTheMouseHandsBackACentredMainWindow() {
        QFETCH(bool, item);
        QVERIFY(QFile::copy(folder->filePath("S.g"), folder->filePath("B.g")));
        frmMain* window = openMain();
        QVERIFY(QTest::qWaitForWindowActive(window));
        const QPoint centred = window->frameGeometry().topLeft();
        // A tick has shown a picture, and the user has moved the window.
        QVERIFY(window->Banner->showFile(folder->filePath("B.g")));
        window->move(centred + QPoint(40, 30));
        QTRY_COMPARE(window->frameGeometry().topLeft(), centred + QPoint(40, 30));
        QSignalSpy activations(window, &frmMain::activated);

        QMenuBar* bar = window->menuBar();
        clickOnScreen(bar, bar->actionGeometry(window->mnuAbout->menuAction()).center());
        QTRY_VERIFY(window->mnuAbout->isVisible());
        if (item) {
            clickOnScreen(window->mnuAbout,
                          window->mnuAbout->actionGeometry(window->about).center());
        } else {
            clickOnScreen(window->lbl, QPoint(2, 2));
        }
        QTRY_VERIFY(!window->mnuAbout->isVisible());
        QTRY_VERIFY(program->aboutWindow() != nullptr);
        QPointer<Form3> about = program->aboutWindow();
        QVERIFY(QTest::qWaitForWindowActive(about));
        QCOMPARE(activations.size(), 0);

        QLabel* label2 = about->findChild<QLabel*>(QStringLiteral("Label2"));
        clickOnScreen(label2, label2->rect().center());
        QTRY_VERIFY(about.isNull());
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTRY_COMPARE(activations.size(), 1);
        QCOMPARE(window->frameGeometry().topLeft(), centred);
        QCOMPARE(window->Banner->shownFile(), folder->filePath("S.g"));
    }

    void theAboutWindowOpenedFromTheKeyboardClosesWithEscapeEnterOrSpace_data() {
        QTest::addColumn<Qt::Key>("key");
        QTest::newRow("Escape") << Qt::Key_Escape;
        QTest::newRow("Enter") << Qt::Key_Return;
        QTest::newRow("keypad Enter") << Qt::Key_Enter;
        QTest::newRow("Space") << Qt::Key_Space;
    }
    void theAboutWindowOpenedFromTheKeyboardClosesWithEscapeEnterOrSpace() {
        QFETCH(Qt::Key, key);
        frmMain* window = openMain();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window, Qt::Key_A, Qt::AltModifier);
        QTRY_VERIFY(window->mnuAbout->isVisible());
        QTest::keyClick(window->mnuAbout, Qt::Key_Escape);
        QTRY_VERIFY(program->aboutWindow() != nullptr);
        QPointer<Form3> about = program->aboutWindow();
        QVERIFY(QTest::qWaitForWindowActive(about));
        QTest::keyClick(about->windowHandle(), key);
        QTRY_VERIFY(about.isNull());
        QTRY_COMPARE(QApplication::activeWindow(), window);
    }

    void everyTextOfTheAboutWindowShowsWhole() {
        Form3* about = program->showAbout();
        QVERIFY(QTest::qWaitForWindowExposed(about));
        const QList<QLabel*> labels = about->findChildren<QLabel*>();
        int texts = 0;
        for (const QLabel* label : labels) {
            if (label->text().isEmpty()) continue;
            ++texts;
            const QString clipped = clippedText(label);
            QVERIFY2(clipped.isEmpty(), qPrintable(clipped));
        }
        QCOMPARE(texts, 2);
    }

    void standardDialogsAnswerInSpanish_data() {
        QTest::addColumn<bool>("namePrompt");
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("the name prompt of the print button")
            << true << QStringList{QStringLiteral("Aceptar"), QStringLiteral("Cancelar")};
        QTest::newRow("a message box") << false << QStringList{QStringLiteral("Aceptar")};
    }
    void standardDialogsAnswerInSpanish() {
        QFETCH(bool, namePrompt);
        QFETCH(QStringList, buttons);
        frmMain* window = openMain();
        QVERIFY(QTest::qWaitForWindowActive(window));
        window->txtInputWord->setText(QStringLiteral("sol"));
        QTest::keyClick(window->txtInputWord, Qt::Key_Return);
        if (namePrompt) {
            QTest::mouseClick(window->cmdStart, Qt::LeftButton);
            QTest::mouseClick(window->cmdFinish, Qt::LeftButton);
            QVERIFY(window->cmdExport->isEnabled());
            QCOMPARE(buttonsOfTheNextDialog(
                         [&] { QTest::mouseClick(window->cmdExport, Qt::LeftButton); }),
                     buttons);
            QTRY_VERIFY(window->preview() != nullptr);
            window->preview()->close();
        } else {
            // A grid too small for the window: the start button says so.
            window->txtGridRows->setText(QStringLiteral("3"));
            QCOMPARE(buttonsOfTheNextDialog(
                         [&] { QTest::mouseClick(window->cmdStart, Qt::LeftButton); }),
                     buttons);
        }
    }

    void theCourierTextsResolveToACourierMetricFace() {
        if (!QFontDatabase::hasFamily(QStringLiteral("Liberation Mono"))) {
            QSKIP("fonts-liberation is not installed");
        }
        frmMain* window = openMain();
        window->prompts.askPuzzleName = [] { return QStringLiteral("Playa"); };
        window->cmdExport_Click();
        QPointer<Form1> preview = window->preview();
        QVERIFY(preview);
        QCOMPARE(QFontInfo(preview->rtf->font()).family(), QStringLiteral("Liberation Mono"));
        QCOMPARE(QFontInfo(window->txtWord->font()).family(), QStringLiteral("Liberation Mono"));
        preview->close();
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
