#include <QTest>
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
