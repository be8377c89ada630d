#include <QDir>
#include <QTest>
#include <cstdlib>

#include "Batch.h"

using namespace sopaly;

namespace {
// The design bar: from x = 2040 (start of the green line) to x = 6540 (end of
// the red line).
constexpr int kBarStart = 2040;
constexpr int kBarEnd = 6540;
constexpr int kBarLength = kBarEnd - kBarStart;
}  // namespace

Q_DECLARE_METATYPE(BatchPlan::Outcome)

class BatchTest : public QObject {
    Q_OBJECT
  private slots:
    void puzzleFilesAreNumberedTablozaFiles_data() {
        QTest::addColumn<qint64>("n");
        QTest::addColumn<QString>("name");
        QTest::newRow("first") << qint64(1) << "Tabloza1.txt";
        QTest::newRow("two digits") << qint64(12) << "Tabloza12.txt";
        QTest::newRow("past 16 bits") << qint64(40000) << "Tabloza40000.txt";
        QTest::newRow("the last count") << qint64(2147483647) << "Tabloza2147483647.txt";
    }
    void puzzleFilesAreNumberedTablozaFiles() {
        QFETCH(qint64, n);
        QFETCH(QString, name);
        QCOMPARE(batchFileName(n), name);
        QCOMPARE(batchFilePath("/home/ana/Sopaly", n), "/home/ana/Sopaly/" + name);
    }

    void aFolderEndingInASeparatorGetsNoSecondOne() {
        QCOMPARE(batchFilePath("/", 3), QString("/Tabloza3.txt"));
        QCOMPARE(batchFilePath("D:/Juegos/", 1), QString("D:/Juegos/Tabloza1.txt"));
    }

    void theStatusLinePutsTwoSpacesBeforeThePath() {
        const QString path = batchFilePath("/opt/juegos", 1);
        const QString status = batchStatusText(path);
        const QString caption = "Creando y Salvando el Rompecabezas en:";
        QVERIFY(status.startsWith(caption + "  "));
        QCOMPARE(status.mid(caption.size() + 2), QDir::toNativeSeparators(path));
    }

    void theWordsThatCannotBeSavedAreNamedWithTheirCharacters() {
        const QString message = unencodableWordsMessage({"MAR", "中文", "ŁÓDŹ", "SOL", "中文"});
        QVERIFY2(message.contains("中文: 中, 文; ŁÓDŹ: Ł, Ź."), qPrintable(message));
        QVERIFY(!message.contains("MAR"));
        QVERIFY(!message.contains("SOL"));
    }

    void theCountTextDecidesWhatTheBatchButtonDoes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<BatchPlan::Outcome>("outcome");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("step");
        QTest::newRow("three") << "3" << BatchPlan::Run << 3 << 1500;
        QTest::newRow("one gives the whole bar") << "1" << BatchPlan::Run << 1 << 4500;
        QTest::newRow("seven rounds the step") << "7" << BatchPlan::Run << 7 << 643;
        QTest::newRow("9000 steps by nothing") << "9000" << BatchPlan::Run << 9000 << 0;
        QTest::newRow("2.5 rounds to even 2") << "2.5" << BatchPlan::Run << 2 << 2250;
        QTest::newRow("3.5 rounds to even 4") << "3.5" << BatchPlan::Run << 4 << 1125;
        QTest::newRow("surrounding blanks") << " 5 " << BatchPlan::Run << 5 << 900;
        QTest::newRow("exponent") << "2e1" << BatchPlan::Run << 20 << 225;
        QTest::newRow("the top of the range") << "2147483647" << BatchPlan::Run << 2147483647 << 0;
        QTest::newRow("letters") << "abc" << BatchPlan::Nothing << 0 << 0;
        QTest::newRow("number then letters") << "3x" << BatchPlan::Nothing << 0 << 0;
        QTest::newRow("empty") << "" << BatchPlan::Nothing << 0 << 0;
        QTest::newRow("zero") << "0" << BatchPlan::Refused << 0 << 0;
        QTest::newRow("a half rounds to zero") << "0.5" << BatchPlan::Refused << 0 << 0;
        QTest::newRow("negative") << "-2" << BatchPlan::Refused << 0 << 0;
        QTest::newRow("beyond 32 bits") << "1e10" << BatchPlan::Refused << 0 << 0;
        QTest::newRow("one past the range") << "2147483648" << BatchPlan::Refused << 0 << 0;
        QTest::newRow("beyond any double") << "1e999" << BatchPlan::Refused << 0 << 0;
    }
    void theCountTextDecidesWhatTheBatchButtonDoes() {
        QFETCH(QString, text);
        QFETCH(BatchPlan::Outcome, outcome);
        QFETCH(int, count);
        QFETCH(int, step);
        const BatchPlan plan = planBatch(text, kBarLength);
        QCOMPARE(plan.outcome, outcome);
        if (outcome == BatchPlan::Run) {
            QCOMPARE(plan.count, count);
            QCOMPARE(plan.step, step);
        }
        // Only a refusal has something to tell the user.
        QCOMPARE(plan.message.isEmpty(), outcome != BatchPlan::Refused);
        if (outcome == BatchPlan::Refused) QVERIFY(plan.message.contains("2147483647"));
    }

    void theBarEndsWithinHalfATwipPerPuzzleOfItsEnd() {
        for (int count = 1; count <= 20000; ++count) {
            const BatchPlan plan = planBatch(QString::number(count), kBarLength);
            QCOMPARE(plan.outcome, BatchPlan::Run);
            const qint64 end = kBarStart + qint64(plan.count) * plan.step;
            QVERIFY2(2 * std::llabs(end - kBarEnd) <= count, qPrintable(QString::number(count)));
            QVERIFY(plan.step >= 0 && plan.step <= kBarLength);
        }
        // Seven puzzles run one twip past the end of the bar.
        QCOMPARE(kBarStart + 7 * planBatch("7", kBarLength).step, kBarEnd + 1);
    }

    void aTickMovesThePanelByTwoHundredUpToItsLimits_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("closing");
        QTest::addColumn<int>("after");
        QTest::newRow("widening from rest") << 1815 << false << 2015;
        QTest::newRow("widening just below the limit") << 6854 << false << 7054;
        QTest::newRow("widening at the limit stays") << 6855 << false << 6855;
        QTest::newRow("widening beyond stays") << 7015 << false << 7015;
        QTest::newRow("narrowing when wide") << 7015 << true << 6815;
        QTest::newRow("narrowing just above rest") << 1816 << true << 1616;
        QTest::newRow("narrowing at rest stays") << 1815 << true << 1815;
        QTest::newRow("narrowing below rest stays") << 900 << true << 900;
    }
    void aTickMovesThePanelByTwoHundredUpToItsLimits() {
        QFETCH(int, width);
        QFETCH(bool, closing);
        QFETCH(int, after);
        QCOMPARE(tmrAutoStep(width, closing), after);
    }

    void aRunFromRestWidensInTwentySixTicksAndComesBack() {
        int width = kPanelDesignWidth;
        int ticks = 0;
        while (panelStillWidening(width)) {
            width = tmrAutoStep(width, false);
            ++ticks;
        }
        QCOMPARE(ticks, 26);
        QCOMPARE(width, 7015);

        ticks = 0;
        while (panelStillNarrowing(width)) {
            width = tmrAutoStep(width, true);
            ++ticks;
        }
        QCOMPARE(ticks, 26);
        QCOMPARE(width, kPanelDesignWidth);
    }

    void bothPanelLoopsEndFromAnyWidth() {
        // A loop whose tick stopped moving the panel before the loop's own
        // threshold was passed would never end.
        const int bound = 12000 / kPanelTickStep + 2;
        for (int start = -500; start <= 12000; start += 7) {
            int width = start;
            int ticks = 0;
            while (panelStillWidening(width) && ticks <= bound) {
                width = tmrAutoStep(width, false);
                ++ticks;
            }
            QVERIFY2(!panelStillWidening(width), qPrintable(QString::number(start)));
            while (panelStillNarrowing(width) && ticks <= 2 * bound) {
                width = tmrAutoStep(width, true);
                ++ticks;
            }
            QVERIFY2(!panelStillNarrowing(width), qPrintable(QString::number(start)));
        }
    }
};

QTEST_GUILESS_MAIN(BatchTest)
#include "tst_batch.moc"
