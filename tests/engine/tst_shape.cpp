// Puzzles in a shape: the cells outside it are no cells, whatever the size
// of the grid and whatever the draws.
#include <QTest>

#include "Directions.h"
#include "Puzzle.h"
#include "Shape.h"
#include "WordList.h"

using namespace sopaly;

Q_DECLARE_METATYPE(sopaly::Shape)

namespace {

QStringList pool() {
    WordList list;
    for (const char* word :
         {"sol",     "mar",   "pez",  "oso",   "luna",     "gato",     "perro",
          "casa",    "árbol", "flor", "ratón", "león",     "búho",     "niño",
          "canción", "uva",   "tren", "nube",  "mariposa", "elefante", "cocodrilo"}) {
        list.add(*committedWord(QString::fromUtf8(word)));
    }
    return sortIntoPool(list.words());
}

}  // namespace

class ShapeTest : public QObject {
    Q_OBJECT

  private slots:
    void noLetterIsPlacedOrFilledOutsideTheShapeAndTheShapeHoldsItsShare_data() {
        QTest::addColumn<Shape>("shape");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("cols");
        QTest::addColumn<bool>("easy");
        const std::array<std::pair<int, int>, 9> sizes{
            {{5, 5}, {5, 20}, {20, 5}, {6, 6}, {7, 13}, {12, 12}, {15, 8}, {19, 20}, {20, 20}}};
        for (const Shape shape : kShapes) {
            for (const auto& [rows, cols] : sizes) {
                const bool easy = (rows + cols) % 3 == 0;
                QTest::addRow("%s %d×%d%s", qPrintable(shapeKey(shape)), rows, cols,
                              easy ? " easy" : "")
                    << shape << rows << cols << easy;
            }
        }
    }
    void noLetterIsPlacedOrFilledOutsideTheShapeAndTheShapeHoldsItsShare() {
        QFETCH(Shape, shape);
        QFETCH(int, rows);
        QFETCH(int, cols);
        QFETCH(bool, easy);
        const ShapeMask mask(shape, rows, cols);
        const int cells = rows * cols;
        QVERIFY2(3 * mask.count() >= cells, qPrintable(QString::number(mask.count())));
        if (shape != Shape::Star) QVERIFY2(2 * mask.count() >= cells, "less than half");
        if (shape != Shape::Square) QVERIFY2(mask.count() < cells, "no shape at all");

        PuzzleSettings settings;
        settings.rowsText = QString::number(rows);
        settings.colsText = QString::number(cols);
        settings.easy = easy;
        settings.shape = shape;
        Random random([] { return std::uint64_t{7}; });
        random.seed(static_cast<std::uint64_t>(rows * 100 + cols));
        int placedWords = 0;
        for (int build = 0; build < 20; ++build) {
            Puzzle puzzle;
            const std::vector<Placement> placed = buildPuzzle(puzzle, pool(), settings, random);
            placedWords += static_cast<int>(placed.size());
            for (const Placement& where : placed) {
                const Step step = directionStep(where.direction);
                const auto length = puzzle.WordPool.at(where.poolIndex).toStdU32String().size();
                for (int k = 0; k < static_cast<int>(length); ++k) {
                    QVERIFY2(mask.holds(where.row + k * step.dRow, where.col + k * step.dCol),
                             "a word runs outside the shape");
                }
                QVERIFY(where.direction <= (easy ? 4 : 8));
            }
            ShowFinishedWord(puzzle, settings, random);
            for (int row = 1; row <= rows; ++row) {
                for (int col = 1; col <= cols; ++col) {
                    for (const Grid* grid : {&puzzle.WordGrid, &puzzle.SolutionGrid}) {
                        const Cell cell = grid->at(row, col);
                        if (mask.holds(row, col)) {
                            QVERIFY2(cell != kOffShapeCell, "a cell of the shape is cut");
                        } else {
                            QVERIFY2(cell == kOffShapeCell, "a letter outside the shape");
                        }
                    }
                    if (mask.holds(row, col)) {
                        QVERIFY2(QChar::isLetter(puzzle.WordGrid.at(row, col)),
                                 "a cell of the shape holds no letter");
                    }
                }
            }
        }
        // Words do find room in the shape.
        QVERIFY(placedWords > 20);
    }
};

QTEST_GUILESS_MAIN(ShapeTest)
#include "tst_shape.moc"
