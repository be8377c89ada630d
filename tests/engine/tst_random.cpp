#include <QTest>
#include <array>
#include <set>

#include "Random.h"

using namespace sopaly;

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

    void seedingFixesTheSequence() {
        Random a;
        Random b;
        a.seed(99);
        b.next();
        b.seed(99);
        for (int i = 0; i < 10; ++i) QCOMPARE(a.next(), b.next());
    }
};

QTEST_APPLESS_MAIN(RandomTest)
#include "tst_random.moc"
