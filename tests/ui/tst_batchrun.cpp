#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <memory>

#include "Form1.h"
#include "FullFolder.h"
#include "Program.h"
#include "TestEnvironment.h"
#include "TextFit.h"
#include "Toolkit.h"
#include "WindowTestTools.h"
#include "WordList.h"
#include "frmMain.h"

using namespace sopaly;

namespace {

// What the screen holds where `widget` lies: the window as last painted,
// with no repaint forced.
QImage onScreen(QWidget* widget) {
    QWidget* top = widget->window();
    const QImage shot = top->screen()->grabWindow(top->winId()).toImage();
    return shot.copy(QRect(widget->mapTo(top, QPoint(0, 0)), widget->size()));
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

// The batch button and the print button, driven through the real window.
class BatchRunTest : public WindowTest {
    Q_OBJECT

    void commit(const QString& word) {
        window->txtInputWord->setText(word);
        window->txtInputWord_KeyPress(13);
    }

    QString path(int n) const { return folder->filePath(QStringLiteral("Tabloza%1.txt").arg(n)); }

    int filesWritten() const {
        return static_cast<int>(QDir(folder->path()).entryList({"Tabloza*.txt"}).size());
    }

    void runBatch(const QString& count) {
        window->txtNumOfPuzzles->setText(count);
        window->cmdAuto_Click();
        QVERIFY(waitForBatchEnd(window));
    }

  private slots:
    void init() {
        QVERIFY(openWindow());
        for (const char* word : {"sol", "mar", "casa", "niño"}) commit(QString::fromUtf8(word));
    }
    void cleanup() { closeWindow(); }

    void aBatchOfThreeWritesThreeCompleteFilesAndClearsTheList() {
        runBatch("3");
        QVERIFY(messages.isEmpty());
        QCOMPARE(filesWritten(), 3);
        for (int n = 1; n <= 3; ++n) {
            const QByteArray bytes = fileBytes(path(n));
            QVERIFY(bytes.startsWith("Sopaly!!! by "));
            QVERIFY(bytes.endsWith("*********************************\r\n"));
            // 2 × 20 grid rows, the 4 words and 16 fixed lines.
            QCOMPARE(bytes.count("\r\n"), 2 * 20 + 4 + 16);
            QVERIFY(bytes.contains("\r\nNI\xD1O\r\n"));
        }
        QCOMPARE(window->wordList().count(), 0);
        for (QPushButton* off :
             {window->cmdStart, window->cmdAuto, window->cmdFinish, window->cmdExport}) {
            QVERIFY(!off->isEnabled());
        }
        QCOMPARE(window->fraOfPuzzlesToCreate->widthTwips(), 1815);
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
        // Three steps of 1500 twips take the green line to the bar's end.
        QCOMPARE(window->linGrn->x2(), 6540);
        QCOMPARE(window->linRed->x1(), 6540);
        QCOMPARE(window->lblNumOfPuzzles->text(),
                 QStringLiteral("Creando y Salvando el Rompecabezas en:  ") +
                     QDir::toNativeSeparators(path(3)));
    }

    void whileThePanelIsWideItsStatusLineReadsWholeOverTheHiddenHelpText() {
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QString clipped = QStringLiteral("the run never showed a status line");
        bool helpTextShows = true;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&] {
            if (!window->lblNumOfPuzzles->text().startsWith(QStringLiteral("Creando")) ||
                window->fraOfPuzzlesToCreate->widthTwips() < 7015) {
                return;
            }
            watch.stop();
            clipped = clippedText(window->lblNumOfPuzzles);
            // The help text lies under the wide panel: the screen there looks
            // the same with it as without it. Only the repaints are let in,
            // not the run's next puzzle, which would change the panel itself.
            QCoreApplication::sendPostedEvents();
            const QImage with = onScreen(window->lbl);
            window->lbl->hide();
            QCoreApplication::sendPostedEvents();
            const QImage without = onScreen(window->lbl);
            window->lbl->show();
            helpTextShows = with != without;
        });
        watch.start(1);
        runBatch("2");
        QCOMPARE(filesWritten(), 2);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped));
        QVERIFY(!helpTextShows);
    }

    void thePanelMovesWhileOtherEventsComeFasterThanItsTimer() {
        // As a mouse moving over the window sends them, every few milliseconds.
        QTimer busy;
        busy.start(2);
        bool gaveUp = false;
        QTimer::singleShot(20000, this, [&] {
            gaveUp = true;
            program->exit();
        });
        runBatch("1");
        QVERIFY(!gaveUp);
        QCOMPARE(filesWritten(), 1);
        QCOMPARE(window->fraOfPuzzlesToCreate->widthTwips(), 1815);
    }

    void halvesOfTheCountGoToTheEvenNeighbour_data() {
        QTest::addColumn<QString>("count");
        QTest::addColumn<int>("files");
        QTest::newRow("2.5") << "2.5" << 2;
        QTest::newRow("3.5") << "3.5" << 4;
    }
    void halvesOfTheCountGoToTheEvenNeighbour() {
        QFETCH(QString, count);
        QFETCH(int, files);
        runBatch(count);
        QCOMPARE(filesWritten(), files);
    }

    void aCountThatIsNoNumberDoesNothingAtAll() {
        runBatch("abc");
        QVERIFY(messages.isEmpty());
        QCOMPARE(filesWritten(), 0);
        QCOMPARE(window->wordList().count(), 4);
        QCOMPARE(window->fraOfPuzzlesToCreate->widthTwips(), 1815);
        QCOMPARE(window->lblNumOfPuzzles->text(), QStringLiteral("Un Momento por Favor... "));
    }

    void unusableCountsAndSizesAreRefusedBeforeThePanelMoves_data() {
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("rows");
        QTest::newRow("count rounds to zero") << "0.4"
                                              << "20";
        QTest::newRow("negative count") << "-2"
                                        << "20";
        QTest::newRow("count beyond 32 bits") << "3000000000"
                                              << "20";
        QTest::newRow("too few rows") << "2"
                                      << "4";
        QTest::newRow("rows no number") << "2"
                                        << "muchas";
    }
    void unusableCountsAndSizesAreRefusedBeforeThePanelMoves() {
        QFETCH(QString, count);
        QFETCH(QString, rows);
        window->txtGridRows->setText(rows);
        runBatch(count);
        QCOMPARE(messages.size(), 1);
        QCOMPARE(filesWritten(), 0);
        QCOMPARE(window->wordList().count(), 4);
        QCOMPARE(window->fraOfPuzzlesToCreate->widthTwips(), 1815);
        QCOMPARE(window->linGrn->x2(), 3240);
    }

    void aWordWindows1252CannotHoldStopsTheRunBeforeAnyFile() {
        commit(QString::fromUtf16(u"\u6C34"));
        runBatch("2");
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages.first().contains(QString::fromUtf16(u"\u6C34")));
        QCOMPARE(filesWritten(), 0);
        QCOMPARE(window->wordList().count(), 5);
    }

    void aFileThatCannotBeWrittenStopsTheRunAndKeepsTheList() {
        // The "folder" is a plain file: nothing can be created inside it.
        const QString notAFolder = folder->filePath("plain");
        QFile plain(notAFolder);
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        program->setProgramFolder(notAFolder);
        runBatch("3");
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages.first().contains(QStringLiteral("Tabloza1.txt")));
        // The puzzle that could not be saved stays in view, finished.
        QCOMPARE(window->txtWordText(),
                 gridText(window->session().puzzle().WordGrid, window->settings()));
        QVERIFY(!window->txtWordText().contains(u'.'));
        QCOMPARE(window->wordList().count(), 4);
        QVERIFY(window->cmdStart->isEnabled());
        QCOMPARE(window->fraOfPuzzlesToCreate->widthTwips(), 1815);
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
        QVERIFY(!window->batchRunning());
    }

    void aFullDiskStopsTheRunKeepsTheGoodFilesAndTellsOnce() {
        FullFolder full;
        if (!full.reasonUnavailable().isEmpty()) QSKIP(qPrintable(full.reasonUnavailable()));
        program->setProgramFolder(full.path());
        const QByteArray good = "un rompecabezas bueno\r\n";
        for (const char* name : {"Tabloza1.txt", "Tabloza2.txt"}) {
            QFile file(full.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(good) == good.size());
        }
        full.fill();
        bool pointerNormalAtMessage = false;
        window->prompts.showMessage = [&](const QString& text) {
            messages << text;
            pointerNormalAtMessage = QGuiApplication::overrideCursor() == nullptr;
        };
        window->txtNumOfPuzzles->setText(QStringLiteral("3"));
        QTest::mouseClick(window->cmdAuto, Qt::LeftButton);
        QVERIFY(waitForBatchEnd(window));

        QCOMPARE(messages.size(), 1);
        QVERIFY(messages.first().contains(QStringLiteral("Tabloza1.txt")));
        QVERIFY(messages.first().contains(QStringLiteral("disco lleno")));
        QCOMPARE(messages.first().count(QStringLiteral("No se pudo")), 1);
        QVERIFY(pointerNormalAtMessage);
        QCOMPARE(full.entries(), (QStringList{"Tabloza1.txt", "Tabloza2.txt"}));
        QCOMPARE(fileBytes(full.filePath("Tabloza1.txt")), good);
        QCOMPARE(fileBytes(full.filePath("Tabloza2.txt")), good);
        QCOMPARE(window->wordList().count(), 4);
        QCOMPARE(window->fraOfPuzzlesToCreate->widthTwips(), 1815);

        // With room again the same batch goes through.
        full.makeRoom();
        QTest::mouseClick(window->cmdAuto, Qt::LeftButton);
        QVERIFY(waitForBatchEnd(window));
        QCOMPARE(messages.size(), 1);
        QCOMPARE(full.entries(), (QStringList{"Tabloza1.txt", "Tabloza2.txt", "Tabloza3.txt"}));
        QVERIFY(fileBytes(full.filePath("Tabloza3.txt")).endsWith("****\r\n"));
        QCOMPARE(window->wordList().count(), 0);
    }

    void aPressDuringARunIsIgnored() {
        bool nestedReturnedAtOnce = false;
        QTimer::singleShot(30, window, [this, &nestedReturnedAtOnce] {
            const int before = filesWritten();
            window->cmdAuto_Click();
            nestedReturnedAtOnce = window->batchRunning() && filesWritten() == before;
        });
        runBatch("2");
        QVERIFY(nestedReturnedAtOnce);
        QCOMPARE(filesWritten(), 2);
        QCOMPARE(window->wordList().count(), 0);
    }

    void emptyingTheListDuringTheRunStopsItWithThePanelWide() {
        QTimer::singleShot(30, window, [this] { window->ListBoxControl("CLEAR"); });
        runBatch("3");
        QCOMPARE(filesWritten(), 0);
        QVERIFY(window->fraOfPuzzlesToCreate->widthTwips() > 6850);
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
        QVERIFY(!window->batchRunning());
    }

    void closingTheWindowDuringARunStopsItSafely() {
        QPointer<frmMain> watched = window;
        // Close once the first puzzle's status line is up.
        connect(window->tmrAuto, &QTimer::timeout, window, [this] {
            if (window->fraOfPuzzlesToCreate->widthTwips() > 6000) window->close();
        });
        runBatch("50");
        QTRY_VERIFY(watched.isNull());
        window = nullptr;
        const int files = filesWritten();
        QVERIFY(files < 50);
        for (int n = 1; n <= files; ++n) QVERIFY(fileBytes(path(n)).endsWith("****\r\n"));
    }

    void printAsksForANameAndOpensOnePreview() {
        window->cmdStart_Click();
        window->cmdFinish_Click();
        window->prompts.askPuzzleName = [] { return QStringLiteral("Playa"); };
        window->cmdExport_Click();
        QPointer<Form1> preview = window->preview();
        QVERIFY(preview);
        QVERIFY(preview->isVisible());
        QVERIFY(preview->rtf->toPlainText().startsWith(QStringLiteral("Playa\n\n")));
        QVERIFY(preview->rtf->toPlainText().contains(QStringLiteral(" 1. CASA   2. MAR")));
        QCOMPARE(program->PuzzleName, QStringLiteral("Playa"));

        // A second press keeps the open preview and its text.
        window->prompts.askPuzzleName = [] { return QString(); };
        window->cmdExport_Click();
        QCOMPARE(window->preview(), preview.data());
        QVERIFY(preview->rtf->toPlainText().startsWith(QStringLiteral("Playa")));
        QCOMPARE(program->PuzzleName, QString());

        // Closed, the next opening builds the text from the current name.
        preview->close();
        QTRY_VERIFY(preview.isNull());
        window->cmdExport_Click();
        QVERIFY(window->preview());
        QVERIFY(window->preview()->rtf->toPlainText().startsWith(QStringLiteral("\n\n")));
        delete window->preview();
    }
};

QTEST_MAIN(BatchRunTest)
#include "tst_batchrun.moc"
