#include <QTest>
#include <set>

#include "Puzzle.h"

using namespace sopaly;

namespace {

PuzzleSettings sized(const QString& rows, const QString& cols) {
    PuzzleSettings s;
    s.rowsText = rows;
    s.colsText = cols;
    return s;
}

// The 3 × 4 grid with SOL left to right in row 2 from column 1.
Puzzle solPuzzle() {
    Puzzle puzzle;
    allocateGrids(puzzle, sized("3", "4"));
    puzzle.WordGrid.at(2, 1) = U'S';
    puzzle.WordGrid.at(2, 2) = U'O';
    puzzle.WordGrid.at(2, 3) = U'L';
    return puzzle;
}

}  // namespace

class RenderingTest : public QObject {
    Q_OBJECT
  private slots:
    void thePlacedGridShowsDotsInEmptyCells() {
        const Puzzle puzzle = solPuzzle();
        const QString text = gridText(puzzle.WordGrid, sized("3", "4"));
        QCOMPARE(text, QStringLiteral(". . . . \r\nS O L . \r\n. . . . \r\n"));
        QCOMPARE(text.size(), 30);
    }

    void theTextLengthFollowsTheFields_data() {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("cols");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("lineLength");
        QTest::newRow("5 by 5") << "5"
                                << "5" << 5 << 12;
        QTest::newRow("20 by 20") << "20"
                                  << "20" << 20 << 42;
        QTest::newRow("7.5 rows renders 8") << "7.5"
                                            << "20" << 8 << 42;
        QTest::newRow("6.5 rows renders 6") << "6.5"
                                            << "20" << 6 << 42;
        QTest::newRow("zero rows renders nothing") << "0"
                                                   << "20" << 0 << 0;
        QTest::newRow("zero columns renders bare line ends") << "3"
                                                             << "0" << 3 << 2;
        QTest::newRow("fields beyond the grid stop at the grid") << "99"
                                                                 << "30" << 20 << 42;
    }
    void theTextLengthFollowsTheFields() {
        QFETCH(QString, rows);
        QFETCH(QString, cols);
        QFETCH(int, lines);
        QFETCH(int, lineLength);
        Puzzle puzzle;
        allocateGrids(puzzle, sized("20", "20"));
        const QString text = gridText(puzzle.WordGrid, sized(rows, cols));
        QCOMPARE(text.size(), lines * lineLength);
        QCOMPARE(text.count(QStringLiteral("\r\n")), lines);
        if (lineLength > 2) QVERIFY(text.endsWith(QStringLiteral(" \r\n")));
    }

    void finishingKeepsThePlacedGridAsTheSolutionAndFillsEveryDot() {
        Puzzle puzzle = solPuzzle();
        const Grid placed = puzzle.WordGrid;
        Random random;
        random.seed(5);
        const QString text = ShowFinishedWord(puzzle, sized("3", "4"), random);
        QCOMPARE(text.size(), 30);
        QCOMPARE(text.mid(10, 10), QStringLiteral("S O L ") + QString(text.at(16)) + " \r\n");
        for (int r = 1; r <= 3; ++r) {
            for (int c = 1; c <= 4; ++c) {
                QVERIFY(puzzle.WordGrid.at(r, c) != kEmptyCell);
                QCOMPARE(puzzle.SolutionGrid.at(r, c), placed.at(r, c));
                if (placed.at(r, c) != kEmptyCell)
                    QCOMPARE(puzzle.WordGrid.at(r, c), placed.at(r, c));
            }
        }
        QCOMPARE(text, gridText(puzzle.WordGrid, sized("3", "4")));
    }

    void finishingDrawsOncePerEmptyCellInRowOrder() {
        Puzzle puzzle = solPuzzle();
        Random random;
        random.seed(11);
        Random replay;
        replay.seed(11);
        ShowFinishedWord(puzzle, sized("3", "4"), random);
        for (int r = 1; r <= 3; ++r) {
            for (int c = 1; c <= 4; ++c) {
                if (r == 2 && c <= 3) continue;
                QCOMPARE(puzzle.WordGrid.at(r, c), fillLetter(replay.next()));
            }
        }
        QCOMPARE(random.next(), replay.next());
    }

    void aFullGridDrawsNothing() {
        Puzzle puzzle;
        allocateGrids(puzzle, sized("5", "5"));
        puzzle.WordGrid.fill(U'Q');
        Random random;
        Random untouched;
        ShowFinishedWord(puzzle, sized("5", "5"), random);
        QCOMPARE(random.next(), untouched.next());
        QCOMPARE(puzzle.WordGrid.at(3, 3), U'Q');
    }

    void fillLettersAreTheSpanishCapitalsAndEnyeAppears() {
        std::set<char32_t> seen;
        Random random;
        for (int round = 0; round < 20; ++round) {
            Puzzle puzzle;
            allocateGrids(puzzle, sized("20", "20"));
            ShowFinishedWord(puzzle, sized("20", "20"), random);
            for (int r = 1; r <= 20; ++r)
                for (int c = 1; c <= 20; ++c) seen.insert(puzzle.WordGrid.at(r, c));
        }
        QCOMPARE(seen.size(), kFillLetters.size());
        QVERIFY(seen.count(U'Ñ'));
        QCOMPARE(fillLetter(0.0F), U'A');
        QCOMPARE(fillLetter(0.99999994F), U'Z');
    }

    void fieldsSmallerThanTheGridFinishOnlyTheTopLeftPart() {
        Puzzle puzzle;
        allocateGrids(puzzle, sized("6", "6"));
        Random random;
        const QString text = ShowFinishedWord(puzzle, sized("3", "2"), random);
        QCOMPARE(text.size(), 3 * 6);
        QVERIFY(puzzle.WordGrid.at(3, 2) != kEmptyCell);
        QCOMPARE(puzzle.WordGrid.at(4, 1), kEmptyCell);
        QCOMPARE(puzzle.WordGrid.at(1, 3), kEmptyCell);
    }

    void fieldsLargerThanTheGridNeverReachPastIt() {
        Puzzle puzzle;
        allocateGrids(puzzle, sized("5", "5"));
        Random random;
        const QString text = ShowFinishedWord(puzzle, sized("20", "20"), random);
        QCOMPARE(text.size(), 5 * 12);
    }
};

QTEST_APPLESS_MAIN(RenderingTest)
#include "tst_rendering.moc"
