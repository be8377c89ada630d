#include <QTest>
#include <array>
#include <cmath>
#include <set>

#include "Puzzle.h"
#include "Random.h"

using namespace sopaly;

namespace {

// Pearson's statistic of a table of observed pairs against independence of
// its two margins, and the table's degrees of freedom.
struct Contingency {
    double chiSquare = 0;
    int freedom = 0;
};
template <std::size_t N>
Contingency independence(const std::array<std::array<double, N>, N>& table, int used) {
    std::array<double, N> rowSums{};
    std::array<double, N> colSums{};
    double total = 0;
    for (int a = 0; a < used; ++a) {
        for (int b = 0; b < used; ++b) {
            rowSums[a] += table[a][b];
            colSums[b] += table[a][b];
            total += table[a][b];
        }
    }
    Contingency result{0, (used - 1) * (used - 1)};
    for (int a = 0; a < used; ++a) {
        for (int b = 0; b < used; ++b) {
            const double expected = rowSums[a] * colSums[b] / total;
            result.chiSquare += (table[a][b] - expected) * (table[a][b] - expected) / expected;
        }
    }
    return result;
}

// The 0.1 % upper tail of the chi-square law (Wilson and Hilferty), so that
// a sound generator fails once in a thousand fixed seeds at most.
double chiSquareTail(int freedom) {
    const double k = freedom;
    const double z = 3.09;
    const double c = 1 - 2 / (9 * k) + z * std::sqrt(2 / (9 * k));
    return k * c * c * c;
}

}  // namespace

class RandomTest : public QObject {
    Q_OBJECT
  private slots:
    void drawsLieInTheHalfOpenUnitInterval() {
        Random random;
        double sum = 0;
        constexpr int draws = 100000;
        for (int i = 0; i < draws; ++i) {
            const float u = random.next();
            QVERIFY(u >= 0.0F && u < 1.0F);
            sum += u;
        }
        QVERIFY(qAbs(sum / draws - 0.5) < 0.01);
    }

    void aFreshGeneratorFollowsItsFixedInitialSequence() {
        Random a([] { return std::uint64_t{1}; });
        Random b([] { return std::uint64_t{2}; });
        for (int i = 0; i < 10; ++i) QCOMPARE(a.next(), b.next());
    }

    void reseedsWithinOneClockTickStillDrawDifferentNumbers() {
        Random random([] { return std::uint64_t{42}; });
        std::set<float> firsts;
        for (int i = 0; i < 1000; ++i) {
            random.reseedFromClock();
            firsts.insert(random.next());
        }
        QVERIFY(firsts.size() > 990);
    }

    void drawsAfterReseedsWithinOneTickAreUniform() {
        // Placement draws three numbers right after every reseed, so those
        // first draws must spread evenly even when the clock stands still.
        Random random([] { return std::uint64_t{123456789}; });
        constexpr int bins = 20;
        constexpr int draws = 200000;
        std::array<std::array<int, bins>, 3> counts{};
        for (int i = 0; i < draws; ++i) {
            random.reseedFromClock();
            for (auto& perDraw : counts) ++perDraw[static_cast<std::size_t>(random.next() * bins)];
        }
        for (const auto& perDraw : counts) {
            double chiSquare = 0;
            const double expected = double(draws) / bins;
            for (const int count : perDraw)
                chiSquare += (count - expected) * (count - expected) / expected;
            // 19 degrees of freedom: 43.8 is the 0.1 % tail.
            QVERIFY2(chiSquare < 43.8, qPrintable(QString::number(chiSquare)));
        }
    }

    void theSameClockAndCounterGiveTheSameDraws() {
        std::uint64_t now = 7;
        Random a([&now] { return now; });
        Random b([&now] { return now; });
        for (int i = 0; i < 5; ++i) {
            a.reseedFromClock();
            b.reseedFromClock();
            QCOMPARE(a.next(), b.next());
            now += 1000;
        }
    }

    // Placement skips the tries it knows will miss: the generator and a
    // clock of the caller's must end exactly as after the tries.
    void skippedReseedsLeaveTheGeneratorAsTheReseedsWould_data() {
        QTest::addColumn<int>("skipped");
        QTest::newRow("none") << 0;
        QTest::newRow("one") << 1;
        QTest::newRow("the rest of a word's tries") << 952;
    }
    void skippedReseedsLeaveTheGeneratorAsTheReseedsWould() {
        QFETCH(int, skipped);
        std::uint64_t ticks = 0;
        std::uint64_t skippingTicks = 0;
        Random reseeding([&ticks] { return ticks += 3; });
        Random skipping([&skippingTicks] { return skippingTicks += 3; });
        reseeding.reseedFromClock();
        skipping.reseedFromClock();
        for (int i = 0; i < skipped; ++i) {
            reseeding.reseedFromClock();
            reseeding.next();
        }
        skipping.skipReseeds(static_cast<std::uint64_t>(skipped));
        reseeding.reseedFromClock();
        skipping.reseedFromClock();
        QCOMPARE(skippingTicks, ticks);
        for (int i = 0; i < 5; ++i) QCOMPARE(skipping.next(), reseeding.next());
    }

    void seedingFixesTheSequence() {
        Random a;
        Random b;
        a.seed(99);
        b.next();
        b.seed(99);
        for (int i = 0; i < 10; ++i) QCOMPARE(a.next(), b.next());
    }

    void consecutiveTriesDrawIndependentCellsAndDirectionsOnAStoppedClock_data() {
        QTest::addColumn<int>("draw");  // 0 row, 1 column, 2 direction
        QTest::newRow("rows") << 0;
        QTest::newRow("columns") << 1;
        QTest::newRow("directions") << 2;
    }
    void consecutiveTriesDrawIndependentCellsAndDirectionsOnAStoppedClock() {
        // A clock that never moves is the worst case: only the counter
        // tells one reseed from the next.
        QFETCH(int, draw);
        Random random([] { return std::uint64_t{1700000000000000000}; });
        const PlacementLimits limits = PlacementLimits::read(PuzzleSettings{});  // 20 x 20 master
        std::array<std::array<double, 21>, 21> pairs{};
        int previous = -1;
        for (int t = 0; t < 1000000; ++t) {
            std::array<int, 3> drawn{};
            RandPos(random, limits, drawn[0], drawn[1], drawn[2]);
            const int now = drawn[static_cast<std::size_t>(draw)] - 1;
            if (previous >= 0) ++pairs[previous][now];
            previous = now;
        }
        const Contingency result = independence(pairs, draw == 2 ? 8 : 20);
        QVERIFY2(result.chiSquare < chiSquareTail(result.freedom),
                 qPrintable(QStringLiteral("chi-square %1 on %2 degrees of freedom")
                                .arg(result.chiSquare)
                                .arg(result.freedom)));
    }

    void theRowsOfTwoWordsPlacedOneAfterTheOtherAreIndependent() {
        std::uint64_t now = 1700000000000000000;
        Random random([&now] { return now; });
        Puzzle puzzle;
        const PuzzleSettings settings;
        std::array<std::array<double, 21>, 21> rows{};
        for (int n = 0; n < 200000; ++n) {
            // The coarse clock ticks every few milliseconds, many puzzles apart.
            if (n % 64 == 0) now += 4000000;
            allocateGrids(puzzle, settings);
            // One-letter words always fit on their first try; equal letters
            // may share a cell, so the second is never turned away.
            puzzle.WordPool = {QString(), QStringLiteral("A"), QStringLiteral("A"),
                               QStringLiteral("A")};
            const std::vector<Placement> placed = FitWordOnGrid(puzzle, settings, random);
            QCOMPARE(placed.size(), std::size_t{2});
            ++rows[placed[0].row - 1][placed[1].row - 1];
        }
        const Contingency result = independence(rows, 20);
        QVERIFY2(result.chiSquare < chiSquareTail(result.freedom),
                 qPrintable(QStringLiteral("chi-square %1").arg(result.chiSquare)));
    }
};

QTEST_APPLESS_MAIN(RandomTest)
#include "tst_random.moc"
