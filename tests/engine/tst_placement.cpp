#include <QTest>
#include <set>

#include "Cells.h"
#include "Directions.h"
#include "Puzzle.h"
#include "WordList.h"

using namespace sopaly;

Q_DECLARE_METATYPE(std::u32string)

namespace {

PuzzleSettings sized(int rows, int cols, const QString& limit = QStringLiteral("100"),
                     bool easy = false) {
    PuzzleSettings s;
    s.rowsText = QString::number(rows);
    s.colsText = QString::number(cols);
    s.wordLimitText = limit;
    s.easy = easy;
    return s;
}

Grid emptyGrid(int rows, int cols) {
    return Grid(rows, cols, kEmptyCell);
}

// Writes `text` into the grid one cell per code point from (row, col).
void put(Grid& grid, int row, int col, int direction, const std::u32string& text) {
    const Step step = directionStep(direction);
    for (std::size_t k = 0; k < text.size(); ++k) {
        grid.at(row + static_cast<int>(k) * step.dRow, col + static_cast<int>(k) * step.dCol) =
            text[k];
    }
}

// A clock that counts its readings: one reading per RandPos, one RandPos per try.
struct CountingClock {
    std::uint64_t readings = 0;
    Random::Clock clock() {
        return [this] { return ++readings; };
    }
};

// Checks what must hold after every build, whatever the draws.
void verifyPlacements(const Puzzle& puzzle, const std::vector<Placement>& placed, bool easy) {
    const Grid& grid = puzzle.WordGrid;
    Grid covered(grid.rows(), grid.cols(), kBlankCell);
    std::set<int> indexes;
    for (const Placement& p : placed) {
        QVERIFY2(p.direction >= 1 && p.direction <= (easy ? 4 : 8), "direction not allowed");
        QVERIFY(indexes.insert(p.poolIndex).second);
        const std::u32string word = puzzle.WordPool.at(p.poolIndex).toStdU32String();
        const Step step = directionStep(p.direction);
        for (std::size_t k = 0; k < word.size(); ++k) {
            const int r = p.row + static_cast<int>(k) * step.dRow;
            const int c = p.col + static_cast<int>(k) * step.dCol;
            QVERIFY2(grid.isUsedCell(r, c), "word runs off the grid");
            QCOMPARE(grid.at(r, c), word[k]);
            covered.at(r, c) = word[k];
            if (p.direction == LeftToRight) QVERIFY(c < grid.cols());
            if (p.direction == TopToBottom) QVERIFY(r < grid.rows());
        }
    }
    for (int r = 0; r <= grid.rows(); ++r) {
        for (int c = 0; c <= grid.cols(); ++c) {
            if (covered.at(r, c) == kBlankCell) QCOMPARE(grid.at(r, c), kEmptyCell);
        }
    }
}

}  // namespace

class PlacementTest : public QObject {
    Q_OBJECT
  private slots:
    // Latin-1 words are split by a table, any other by QChar and
    // normalisation: both must give a cell to each letter or digit, with its
    // marks, and none to a sign.
    void aWordTakesACellForEachLetterOrDigit_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<std::u32string>("cells");
        QTest::newRow("signs between")
            << QStringLiteral("GIRA-SOL, 2") << std::u32string(U"GIRASOL2");
        QTest::newRow("Latin-1 letters")
            << QStringLiteral("ÑANDÚ ºª µ") << std::u32string(U"ÑANDÚºªµ");
        QTest::newRow("Latin-1 signs") << QStringLiteral("×÷¿¡·") << std::u32string();
        QTest::newRow("past Latin-1") << QStringLiteral("ĀB-Ω") << std::u32string(U"ĀBΩ");
        QTest::newRow("a sign past Latin-1") << QStringLiteral("A—B") << std::u32string(U"AB");
        QTest::newRow("decomposed accent") << QStringLiteral("ÉL") << std::u32string(U"ÉL");
        QTest::newRow("beyond the plane") << QStringLiteral("A𝐀") << std::u32string(U"A𝐀");
    }
    void aWordTakesACellForEachLetterOrDigit() {
        QFETCH(QString, word);
        QFETCH(std::u32string, cells);
        QCOMPARE(wordCells(word), cells);
        QCOMPARE(cellCount(word), cells.size());
        std::u32string kept(U"left from the last word");
        assignWordCells(kept, word);
        QCOMPARE(kept, cells);
    }
    void eachLatin1CharacterIsACellExactlyWhenQtCallsItALetterOrDigit() {
        for (char16_t c = 0; c < 256; ++c) {
            const QString word(QChar{c});
            QCOMPARE(cellCount(word), QChar(c).isLetterOrNumber() ? 1U : 0U);
            QCOMPARE(wordCells(word).size(), cellCount(word));
        }
    }
    void aFourLetterWordFitsWhereTheFitTestsAllow_data() {
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("firstColumn");
        QTest::addColumn<int>("lastColumn");
        QTest::newRow("left to right stops short of the last column") << 1 << 1 << 6;
        QTest::newRow("right to left reaches column 1") << 2 << 4 << 10;
    }
    void aFourLetterWordFitsWhereTheFitTestsAllow() {
        QFETCH(int, direction);
        QFETCH(int, firstColumn);
        QFETCH(int, lastColumn);
        const PlacementLimits limits = PlacementLimits::read(sized(10, 10));
        for (int col = 1; col <= 10; ++col) {
            Grid grid = emptyGrid(10, 10);
            const bool fits = FitWord(grid, U"CASA", 5, col, direction, limits);
            QCOMPARE(fits, col >= firstColumn && col <= lastColumn);
            if (fits && direction == RightToLeft && col == 4) {
                QCOMPARE(grid.at(5, 1), U'A');
                QCOMPARE(grid.at(5, 4), U'C');
            }
        }
    }

    void wordsCrossOnAnEqualLetter() {
        const PlacementLimits limits = PlacementLimits::read(sized(10, 10));
        Grid grid = emptyGrid(10, 10);
        QVERIFY(FitWord(grid, U"SOL", 2, 1, LeftToRight, limits));
        QVERIFY(FitWord(grid, U"DOS", 1, 2, TopToBottom, limits));
        QCOMPARE(grid.at(1, 2), U'D');
        QCOMPARE(grid.at(2, 2), U'O');
        QCOMPARE(grid.at(3, 2), U'S');
        QCOMPARE(grid.at(2, 1), U'S');
    }

    void aConflictLeavesTheGridExactlyAsItWas_data() {
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        for (int d = 1; d <= 8; ++d) QTest::addRow("direction %d", d) << d << 5 << 5;
    }
    void aConflictLeavesTheGridExactlyAsItWas() {
        QFETCH(int, direction);
        QFETCH(int, row);
        QFETCH(int, col);
        const PlacementLimits limits = PlacementLimits::read(sized(10, 10));
        Grid grid = emptyGrid(10, 10);
        // Block the word's last cell with another letter.
        const Step step = directionStep(direction);
        grid.at(row + 3 * step.dRow, col + 3 * step.dCol) = U'X';
        const Grid before = grid;
        QVERIFY(!FitWord(grid, U"CASA", row, col, direction, limits));
        QCOMPARE(grid, before);
    }

    void caseMatters() {
        const PlacementLimits limits = PlacementLimits::read(sized(10, 10));
        Grid grid = emptyGrid(10, 10);
        grid.at(1, 1) = U'a';
        QVERIFY(!FitWord(grid, U"AMOR", 1, 1, LeftToRight, limits));
        QCOMPARE(grid.at(1, 2), kEmptyCell);
    }

    void aWordAsLongAsTheRowFitsOnlyRightToLeftFromTheLastColumn() {
        const PlacementLimits limits = PlacementLimits::read(sized(5, 5));
        for (int col = 1; col <= 5; ++col) {
            Grid grid = emptyGrid(5, 5);
            QVERIFY(!FitWord(grid, U"PERRO", 3, col, LeftToRight, limits));
            QCOMPARE(FitWord(grid, U"PERRO", 3, col, RightToLeft, limits), col == 5);
        }
        Grid grid = emptyGrid(5, 5);
        QVERIFY(FitWord(grid, U"PERRO", 3, 5, RightToLeft, limits));
        QCOMPARE(grid.at(3, 5), U'P');
        QCOMPARE(grid.at(3, 1), U'O');
    }

    void diagonalsMayReachEveryEdgeButNotPassIt_data() {
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<bool>("fits");
        QTest::newRow("down-right to the corner") << 5 << 3 << 3 << true;
        QTest::newRow("down-right past the last row") << 5 << 4 << 3 << false;
        QTest::newRow("down-right past the last column") << 5 << 3 << 4 << false;
        QTest::newRow("up-left to row 1") << 6 << 3 << 3 << true;
        QTest::newRow("up-left past row 1") << 6 << 2 << 3 << false;
        QTest::newRow("down-left past column 1") << 7 << 1 << 2 << false;
        QTest::newRow("down-left to column 1") << 7 << 1 << 3 << true;
        QTest::newRow("up-right past the last column") << 8 << 5 << 4 << false;
        QTest::newRow("up-right to the last column") << 8 << 5 << 3 << true;
    }
    void diagonalsMayReachEveryEdgeButNotPassIt() {
        QFETCH(int, direction);
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(bool, fits);
        const PlacementLimits limits = PlacementLimits::read(sized(5, 5));
        Grid grid = emptyGrid(5, 5);
        const Grid before = grid;
        QCOMPARE(FitWord(grid, U"SOL", row, col, direction, limits), fits);
        if (!fits) QCOMPARE(grid, before);
    }

    void placingAWordOverItselfChangesNothing() {
        const PlacementLimits limits = PlacementLimits::read(sized(10, 10));
        Grid grid = emptyGrid(10, 10);
        put(grid, 2, 2, DownRight, U"LUNA");
        const Grid before = grid;
        QVERIFY(FitWord(grid, U"LUNA", 2, 2, DownRight, limits));
        QCOMPARE(grid, before);
    }

    void anEmptyWordFitsEverywhereAndChangesNothing() {
        const PlacementLimits limits = PlacementLimits::read(sized(5, 5));
        for (int d = 1; d <= 8; ++d) {
            Grid grid = emptyGrid(5, 5);
            QVERIFY(FitWord(grid, U"", 5, 5, d, limits));
            QCOMPARE(grid, emptyGrid(5, 5));
        }
    }

    void directionCodesOutsideOneToEightAreRefused() {
        const PlacementLimits limits = PlacementLimits::read(sized(5, 5));
        Grid grid = emptyGrid(5, 5);
        QVERIFY(!FitWord(grid, U"SOL", 1, 1, 0, limits));
        QVERIFY(!FitWord(grid, U"SOL", 1, 1, 9, limits));
        QVERIFY(!FitWord(grid, U"", 1, 1, 9, limits));
        QCOMPARE(grid, emptyGrid(5, 5));
    }

    void aStartCellOutsideTheGridIsRefusedNotWrittenPast() {
        // Column text 6.5: the grid has 6 columns, yet the draw may give 7.
        PuzzleSettings s = sized(6, 6);
        s.colsText = QStringLiteral("6.5");
        const PlacementLimits limits = PlacementLimits::read(s);
        Grid grid = emptyGrid(6, 6);
        QVERIFY(!FitWord(grid, U"SOL", 3, 7, RightToLeft, limits));
        QCOMPARE(grid, emptyGrid(6, 6));
    }

    void aLetterBeyondTheBasicPlaneTakesOneCell() {
        const PlacementLimits limits = PlacementLimits::read(sized(5, 5));
        Grid grid = emptyGrid(5, 5);
        const std::u32string word = QStringLiteral("A\U0001F600Ñ").toStdU32String();
        QCOMPARE(word.size(), std::size_t{3});
        QVERIFY(FitWord(grid, word, 1, 1, LeftToRight, limits));
        QCOMPARE(grid.at(1, 2), char32_t{0x1F600});
        QCOMPARE(grid.at(1, 3), U'Ñ');
        QCOMPARE(grid.at(1, 4), kEmptyCell);
    }

    void randPosDrawsEveryStartCellAndOnlyAllowedDirections_data() {
        QTest::addColumn<bool>("easy");
        QTest::newRow("master") << false;
        QTest::newRow("easy") << true;
    }
    void randPosDrawsEveryStartCellAndOnlyAllowedDirections() {
        QFETCH(bool, easy);
        const PlacementLimits limits = PlacementLimits::read(sized(5, 7, "100", easy));
        Random random;  // the system clock: draws must differ all the same
        std::set<std::pair<int, int>> cells;
        std::set<int> directions;
        for (int i = 0; i < 5000; ++i) {
            int r = 0;
            int c = 0;
            int d = 0;
            RandPos(random, limits, r, c, d);
            QVERIFY(r >= 1 && r <= 5);
            QVERIFY(c >= 1 && c <= 7);
            QVERIFY(d >= 1 && d <= (easy ? 4 : 8));
            cells.insert({r, c});
            directions.insert(d);
        }
        QCOMPARE(cells.size(), std::size_t{35});
        QCOMPARE(directions.size(), std::size_t{easy ? 4U : 8U});
    }

    void everyBuildPlacesWordsOnStraightLinesInAllowedDirections_data() {
        QTest::addColumn<bool>("easy");
        QTest::addColumn<std::uint64_t>("seed");
        for (std::uint64_t seed = 1; seed <= 20; ++seed) {
            QTest::addRow("master %llu", static_cast<unsigned long long>(seed)) << false << seed;
            QTest::addRow("easy %llu", static_cast<unsigned long long>(seed)) << true << seed;
        }
    }
    void everyBuildPlacesWordsOnStraightLinesInAllowedDirections() {
        QFETCH(bool, easy);
        QFETCH(std::uint64_t, seed);
        const QStringList words = {"CASA", "PERRO",    "GATO", "NIÑO",  "CANCIÓN", "AGUA",    "SOL",
                                   "LUNA", "ESTRELLA", "MAR",  "ÁRBOL", "FLOR",    "MARIPOSA"};
        Random random([seed, t = std::uint64_t{0}]() mutable { return seed * 1000003 + ++t; });
        Puzzle puzzle;
        const auto placed =
            buildPuzzle(puzzle, sortIntoPool(words), sized(10, 12, "100", easy), random);
        QVERIFY(!placed.empty());
        verifyPlacements(puzzle, placed, easy);
    }

    void aWordLimitTriesOnlyTheFirstWords_data() {
        QTest::addColumn<QString>("limit");
        QTest::addColumn<int>("placed");
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("no number") << "muchas" << 0;
        QTest::newRow("2.5 tries two words") << "2.5" << 2;
        QTest::newRow("beyond the list tries every word") << "50" << 4;
    }
    void aWordLimitTriesOnlyTheFirstWords() {
        QFETCH(QString, limit);
        QFETCH(int, placed);
        Random random;
        Puzzle puzzle;
        const auto result = buildPuzzle(puzzle, sortIntoPool({"UNO", "DOS", "TRES", "CUATRO"}),
                                        sized(20, 20, limit), random);
        QCOMPARE(static_cast<int>(result.size()), placed);
        for (int i = 0; i < placed; ++i)
            QCOMPARE(result[static_cast<std::size_t>(i)].poolIndex, i + 1);
    }

    void aWordThatCannotFitCostsExactly1001Tries() {
        CountingClock clock;
        Random random(clock.clock());
        Puzzle puzzle;
        const auto placed =
            buildPuzzle(puzzle, sortIntoPool({"LARGUISIMAMENTE"}), sized(5, 5), random);
        QVERIFY(placed.empty());
        QCOMPARE(clock.readings, std::uint64_t{1001});
        QCOMPARE(puzzle.WordGrid, Grid(5, 5, kEmptyCell));
    }

    void aSingleWordIsPlacedOnceThoughThePoolHoldsItTwice() {
        Random random;
        Puzzle puzzle;
        const auto placed = buildPuzzle(puzzle, sortIntoPool({"SOL"}), sized(5, 5), random);
        QCOMPARE(puzzle.WordPool.size(), 3);
        QCOMPARE(placed.size(), std::size_t{1});
        int letters = 0;
        for (int r = 1; r <= 5; ++r)
            for (int c = 1; c <= 5; ++c) letters += puzzle.WordGrid.at(r, c) != kEmptyCell;
        QCOMPARE(letters, 3);
    }

    void aWordAsWideAsTheGridAndTallerThanItRunsRightToLeftFromTheLastColumn() {
        for (std::uint64_t seed = 0; seed < 10; ++seed) {
            Random random([seed, t = std::uint64_t{0}]() mutable { return seed << 20 | ++t; });
            Puzzle puzzle;
            const auto placed =
                buildPuzzle(puzzle, sortIntoPool({"MARIPOSA"}), sized(5, 8), random);
            if (placed.empty()) continue;  // 1001 tries may all miss
            QCOMPARE(placed[0].direction, int(RightToLeft));
            QCOMPARE(placed[0].col, 8);
        }
    }

    void twoEqualWordsAreBothTried() {
        CountingClock clock;
        Random random(clock.clock());
        Puzzle puzzle;
        const auto placed =
            buildPuzzle(puzzle, sortIntoPool({"CASA", "CASA"}), sized(5, 5), random);
        QCOMPARE(placed.size(), std::size_t{2});
        QCOMPARE(placed[0].poolIndex, 1);
        QCOMPARE(placed[1].poolIndex, 2);
    }

    void allocatingSizesBothGridsAndClearsThePuzzleGrid() {
        Puzzle puzzle;
        allocateGrids(puzzle, sized(5, 7));
        QCOMPARE(puzzle.WordGrid.rows(), 5);
        QCOMPARE(puzzle.WordGrid.cols(), 7);
        QCOMPARE(puzzle.SolutionGrid.rows(), 5);
        for (int r = 0; r <= 5; ++r) {
            for (int c = 0; c <= 7; ++c) {
                QCOMPARE(puzzle.WordGrid.at(r, c), kEmptyCell);
                QCOMPARE(puzzle.SolutionGrid.at(r, c), kBlankCell);
            }
        }
    }
};

QTEST_APPLESS_MAIN(PlacementTest)
#include "tst_placement.moc"
