// What a pupil reads: a worksheet only of a finished grid, lists that name
// only the grid's words, a message in every version, a cell of its own for
// every word, a shape big enough to be itself, and a guard that needs no file.
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <map>

#include "Directions.h"
#include "Form1.h"
#include "WindowTestTools.h"

using namespace sopaly;

class WhatPupilsReadTest : public WindowTest {
    Q_OBJECT

    void build(const QStringList& words, const QString& side) {
        for (const QString& word : words) {
            window->txtInputWord->setText(word);
            QTest::keyClick(window->txtInputWord, Qt::Key_Return);
        }
        window->txtGridRows->setText(side);
        window->txtGridCol->setText(side);
        QTest::mouseClick(window->cmdStart, Qt::LeftButton);
    }
    QString fileText(const QString& name) const {
        QFile file(folder->filePath(name));
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
    }

  private slots:
    void init() { QVERIFY(openWindow()); }
    void cleanup() { closeWindow(); }

    void aWorksheetIsOfferedOnlyForAFinishedGrid() {
        build({"sol", "mar"}, "10");
        QTest::mouseClick(window->cmdFinish, Qt::LeftButton);
        QTest::mouseClick(window->cmdStart, Qt::LeftButton);
        QVERIFY(window->cmdExport->isEnabled());
        QVERIFY(!window->mnuWorksheetPdf->isEnabled());
        QVERIFY(!window->mnuPrintWorksheet->isEnabled());
        window->prompts.askPuzzleName = [] { return QString(); };
        QTest::mouseClick(window->cmdExport, Qt::LeftButton);
        QTRY_VERIFY(window->preview());
        QVERIFY(window->preview()->rtf->toPlainText().contains(u'.'));
        QVERIFY(!window->preview()->Command3->isEnabled());
        window->preview()->close();
        QTest::mouseClick(window->cmdFinish, Qt::LeftButton);
        QVERIFY(window->mnuWorksheetPdf->isEnabled());
        QVERIFY(window->mnuPrintWorksheet->isEnabled());
    }

    void everyListAPupilReadsNamesOnlyTheGridsWords_data() {
        QTest::addColumn<bool>("lowerCase");
        QTest::newRow("capitals") << false;
        QTest::newRow("lower case") << true;
    }
    void everyListAPupilReadsNamesOnlyTheGridsWords() {
        QFETCH(bool, lowerCase);
        if (lowerCase) chooseOption(window, window->mnuLowerCase);
        const auto shown = [lowerCase](QString text) { return lowerCase ? text.toLower() : text; };
        build({"computadoras", "sol", "mar"}, "5");
        QCOMPARE(window->lblPuzzleWords->text(),
                 "2 de 3 palabras en la cuadrícula. No caben: " + shown("COMPUTADORAS."));
        QTest::mouseClick(window->cmdFinish, Qt::LeftButton);
        window->prompts.askPuzzleName = [] { return QString(); };
        QTest::mouseClick(window->cmdExport, Qt::LeftButton);
        QTRY_VERIFY(window->preview());
        QVERIFY(window->preview()->rtf->toPlainText().endsWith(shown(" 1. MAR   2. SOL  ")));
        window->preview()->close();
        window->txtNumOfPuzzles->setText(QStringLiteral("1"));
        QTest::mouseClick(window->cmdAuto, Qt::LeftButton);
        QVERIFY(waitForBatchEnd(window));
        QVERIFY(fileText("Tabloza1.txt").contains("Buscar:\r\nMAR\r\nSOL\r\n \r\n"));
    }

    void everyPlacedWordKeepsACellOfItsOwn_data() {
        QTest::addColumn<QStringList>("words");
        QTest::newRow("a word inside another") << QStringList{"GIRASOL", "SOL", "MAR"};
        QTest::newRow("a word listed twice") << QStringList{"SOL", "SOL", "OLA"};
    }
    void everyPlacedWordKeepsACellOfItsOwn() {
        QFETCH(QStringList, words);
        Random random(steppingClock());
        PuzzleSettings settings;
        settings.rowsText = settings.colsText = QStringLiteral("8");
        for (int n = 0; n < 300; ++n) {
            Puzzle puzzle;
            buildPuzzle(puzzle, QStringList{QString()} << words << words.last(), settings, random);
            QCOMPARE(puzzle.Placements.size(), std::size_t{3});
            std::map<std::pair<int, int>, int> covers;
            const auto cellsOf = [&](const Placement& p, auto&& visit) {
                const Step step = directionStep(p.direction);
                for (int k = 0; k < puzzle.WordPool.at(p.poolIndex).size(); ++k) {
                    visit(std::pair{p.row + k * step.dRow, p.col + k * step.dCol});
                }
            };
            for (const Placement& p : puzzle.Placements) {
                cellsOf(p, [&](std::pair<int, int> cell) { ++covers[cell]; });
            }
            for (const Placement& p : puzzle.Placements) {
                bool own = false;
                cellsOf(p, [&](std::pair<int, int> cell) { own = own || covers[cell] == 1; });
                QVERIFY(own);
            }
        }
    }

    void aSetCarriesTheMessageInEveryVersionThatCanHoldIt_data() {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("footLine");
        QTest::newRow("fits") << "las sopas de letras son super geniales"
                              << "";
        QTest::newRow("too long") << QString(120, u'x')
                                  << "El mensaje secreto no cupo en 4 de 4 versiones.";
    }
    void aSetCarriesTheMessageInEveryVersionThatCanHoldIt() {
        QFETCH(QString, message);
        QFETCH(QString, footLine);
        window->prompts.askSecretMessage = [&](const QString&) { return std::optional(message); };
        chooseOption(window, window->mnuSecretMessage);
        for (const char* word : {"mariposa", "elefante", "girasol", "montaña", "ratón", "perro",
                                 "gato", "luna", "casa", "árbol", "pelota", "ventana"}) {
            window->txtInputWord->setText(QString::fromUtf8(word));
            QTest::keyClick(window->txtInputWord, Qt::Key_Return);
        }
        window->txtGridRows->setText("10");
        window->txtGridCol->setText("10");
        window->prompts.askVersionCount = [&footLine](int) {
            return std::optional(footLine.isEmpty() ? 30 : 4);
        };
        window->prompts.askWorksheetName = [](const QString&) { return std::optional(QString()); };
        window->prompts.chooseSaveFile = [this](const QString&, const QString&) {
            return folder->filePath("clase.pdf");
        };
        QTest::keyClick(window, Qt::Key_R, Qt::AltModifier);
        QTRY_VERIFY(window->mnuFile->isVisible());
        QTest::keyClick(window->mnuFile, Qt::Key_J);
        QTRY_VERIFY(QFile::exists(folder->filePath("clase.pdf")));
        const QString saved = "Juego guardado en " + folder->filePath("clase.pdf") + ".";
        QCOMPARE(window->lblPuzzleWords->text(),
                 footLine.isEmpty() ? saved : footLine + " " + saved);
        QProcess text;
        text.start("pdftotext", {folder->filePath("clase.pdf"), "-"});
        QVERIFY(text.waitForFinished(60000));
        const QString pages = QString::fromUtf8(text.readAllStandardOutput());
        if (footLine.isEmpty()) QCOMPARE(pages.count("forman un mensaje secreto"), 30);
    }

    void aShapeBelowItsSizeIsBuiltAndNamedAtTheFoot_data() {
        QTest::addColumn<QString>("side");
        QTest::addColumn<QString>("note");
        QTest::newRow("10")
            << "10"
            << " La estrella necesita al menos 11 × 11; a 10 × 10 apenas se reconoce.";
        QTest::newRow("11") << "11"
                            << "";
    }
    void aShapeBelowItsSizeIsBuiltAndNamedAtTheFoot() {
        QFETCH(QString, side);
        QFETCH(QString, note);
        chooseOption(window, window->mnuShapes[3]);
        build({"sol"}, side);
        QCOMPARE(window->lblPuzzleWords->text(), "1 de 1 palabra en la cuadrícula." + note);
    }

    void aMessageABatchFileCannotHoldIsRefusedByName() {
        window->prompts.askSecretMessage = [](const QString&) {
            return std::optional(QString("Ωμέγα"));
        };
        chooseOption(window, window->mnuSecretMessage);
        build({"sol"}, "10");
        window->txtNumOfPuzzles->setText(QStringLiteral("1"));
        QTest::mouseClick(window->cmdAuto, Qt::LeftButton);
        QVERIFY(waitForBatchEnd(window));
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.first().contains("Ω, Μ, Έ, Γ, Α"), qPrintable(messages.first()));
        QVERIFY(!QFile::exists(folder->filePath("Tabloza1.txt")));
    }

    void theRudeWordsGuardWithNoFileAndAFileAddsOrTakesAway_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("guarded");
        QTest::addColumn<QStringList>("notGuarded");
        QTest::newRow("no file") << QByteArray() << QStringList{"PUTA", "CULO"} << QStringList{};
        QTest::newRow("adds, takes away")
            << QByteArray("asa\n-culo\n") << QStringList{"PUTA", "ASA"} << QStringList{"CULO"};
    }
    void theRudeWordsGuardWithNoFileAndAFileAddsOrTakesAway() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, guarded);
        QFETCH(QStringList, notGuarded);
        if (!file.isEmpty()) QVERIFY(writeBytes(folder->filePath("palabrotas.txt"), file));
        const QStringList words = window->settings().rudeWords;
        for (const QString& word : guarded) QVERIFY2(words.contains(word), qPrintable(word));
        for (const QString& word : notGuarded) QVERIFY(!words.contains(word));
    }
};

QTEST_MAIN(WhatPupilsReadTest)
#include "tst_whatpupilsread.moc"
