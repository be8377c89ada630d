// The rules of a game on screen, with no window: what a drag selects, what
// a selection finds, and what the game says at its end.
#include <QTest>

#include "PlayGame.h"
#include "Selection.h"

using namespace sopaly;

Q_DECLARE_METATYPE(sopaly::CellPos)
Q_DECLARE_METATYPE(sopaly::CellLine)

namespace {

// A 6 × 6 puzzle of two words: SOL along row 2 from (2,2), and MAR down
// and to the right from (3,1) to (5,3).
PlayPuzzle twoWords() {
    PlayPuzzle puzzle;
    puzzle.grid = Grid(6, 6, U'X');
    puzzle.words = {QStringLiteral("MAR"), QStringLiteral("SOL")};
    puzzle.places = {{{3, 1}, 1, 1, 3}, {{2, 2}, 0, 1, 3}};
    return puzzle;
}

}  // namespace

class PlayTest : public QObject {
    Q_OBJECT
  private slots:
    void aDragSnapsToTheNearestOfTheEightDirections_data() {
        QTest::addColumn<CellPos>("from");
        QTest::addColumn<CellPos>("to");
        QTest::addColumn<CellLine>("line");
        QTest::newRow("one cell") << CellPos{3, 3} << CellPos{3, 3} << CellLine{{3, 3}, 0, 0, 1};
        QTest::newRow("right") << CellPos{3, 3} << CellPos{3, 6} << CellLine{{3, 3}, 0, 1, 4};
        QTest::newRow("left, a row off")
            << CellPos{3, 6} << CellPos{4, 1} << CellLine{{3, 6}, 0, -1, 6};
        QTest::newRow("up") << CellPos{5, 2} << CellPos{1, 2} << CellLine{{5, 2}, -1, 0, 5};
        QTest::newRow("nearly diagonal")
            << CellPos{1, 1} << CellPos{4, 5} << CellLine{{1, 1}, 1, 1, 5};
        QTest::newRow("up and left")
            << CellPos{6, 6} << CellPos{3, 3} << CellLine{{6, 6}, -1, -1, 4};
        QTest::newRow("down and left, cut at the edge")
            << CellPos{4, 3} << CellPos{8, 0} << CellLine{{4, 3}, 1, -1, 3};
        QTest::newRow("steep, so down")
            << CellPos{1, 3} << CellPos{6, 4} << CellLine{{1, 3}, 1, 0, 6};
    }
    void aDragSnapsToTheNearestOfTheEightDirections() {
        QFETCH(CellPos, from);
        QFETCH(CellPos, to);
        QFETCH(CellLine, line);
        QCOMPARE(snapSelection(from, to, 6, 6), line);
    }

    void aSelectionFindsAWordReadEitherWayAndOnlyOnce_data() {
        QTest::addColumn<CellPos>("from");
        QTest::addColumn<CellPos>("to");
        QTest::addColumn<int>("word");
        QTest::newRow("forwards") << CellPos{2, 2} << CellPos{2, 4} << 1;
        QTest::newRow("backwards") << CellPos{5, 3} << CellPos{3, 1} << 0;
        QTest::newRow("snapped from a sloppy drag") << CellPos{3, 1} << CellPos{5, 2} << 0;
        QTest::newRow("one letter short") << CellPos{2, 2} << CellPos{2, 3} << -1;
        QTest::newRow("one letter long") << CellPos{2, 2} << CellPos{2, 5} << -1;
        QTest::newRow("the first letter only") << CellPos{2, 2} << CellPos{2, 2} << -1;
    }
    void aSelectionFindsAWordReadEitherWayAndOnlyOnce() {
        QFETCH(CellPos, from);
        QFETCH(CellPos, to);
        QFETCH(int, word);
        PlayGame game(twoWords(), [] { return qint64{0}; });
        const PlayGame::Result first = game.select(from, to);
        QCOMPARE(first.word.value_or(-1), word);
        QCOMPARE(first.newlyFound, word >= 0);
        const PlayGame::Result again = game.select(from, to);
        QCOMPARE(again.word.value_or(-1), word);
        QVERIFY(!again.newlyFound);
        QCOMPARE(game.foundCount(), word >= 0 ? 1 : 0);
    }

    void theEndSaysTheTimeAndTheHints_data() {
        QTest::addColumn<int>("hints");
        QTest::addColumn<qint64>("ms");
        QTest::addColumn<QString>("text");
        QTest::newRow("no hint") << 0 << qint64{272400}
                                 << QStringLiteral(
                                        "¡Muy bien! Encontraste las 2 palabras en 4:32.");
        QTest::newRow("one hint")
            << 1 << qint64{9000}
            << QStringLiteral("¡Muy bien! Encontraste las 2 palabras en 0:09 y usaste 1 pista.");
        QTest::newRow("two hints, past an hour")
            << 2 << qint64{3725000}
            << QStringLiteral(
                   "¡Muy bien! Encontraste las 2 palabras en 1:02:05 y usaste 2 pistas.");
    }
    void theEndSaysTheTimeAndTheHints() {
        QFETCH(int, hints);
        QFETCH(qint64, ms);
        QFETCH(QString, text);
        qint64 now = 1000;
        PlayGame game(twoWords(), [&now] { return now; });
        for (int i = 0; i < hints; ++i) QCOMPARE(game.hint(std::nullopt), std::optional<int>(0));
        game.select({2, 2}, {2, 4});
        QVERIFY(game.endText().isEmpty());
        now += ms;
        game.select({3, 1}, {5, 3});
        now += 60000;  // the clock stands still once the game is won
        QCOMPARE(game.endText(), text);
        QCOMPARE(game.counterText(), QStringLiteral("Encontradas: 2 de 2"));
    }

    void aHintPointsAtTheChosenWordOrTheNextNotFound() {
        PlayGame game(twoWords(), [] { return qint64{0}; });
        QCOMPARE(game.hint(1), std::optional<int>(1));
        game.select({3, 1}, {5, 3});
        QCOMPARE(game.hint(0), std::optional<int>(1));  // MAR is found
        QCOMPARE(game.hintsUsed(), 2);
        game.giveUp();
        QCOMPARE(game.hint(1), std::nullopt);
        QVERIFY(!game.select({2, 2}, {2, 4}).word);
        QCOMPARE(game.hintsUsed(), 2);
    }
};

QTEST_GUILESS_MAIN(PlayTest)
#include "tst_play.moc"
