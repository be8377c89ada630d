#include "Puzzle.h"

#include <algorithm>
#include <cmath>

#include "Cells.h"
#include "Directions.h"
#include "Numbers.h"

namespace sopaly {

namespace {

constexpr int kTriesPerWord = 1001;

// A start cell drawn from a text that is no whole number can lie past the
// grid, and a huge text must still give an int. The truncating cast is a
// floor for the non-negative values every sensible text gives; it spares the
// library call that std::floor costs on baseline x86-64 in the hottest loop.
int drawnIndex(double range, float draw) {
    const double value = std::clamp(range * static_cast<double>(draw) + 1.0, -32768.0, 32767.0);
    const auto truncated = static_cast<int>(value);
    return value < static_cast<double>(truncated) ? truncated - 1 : truncated;
}

// The rows and columns a rendering covers: the fields' whole-number
// readings, never beyond the grid itself.
std::pair<int, int> renderedSize(const Grid& grid, const PuzzleSettings& settings) {
    return {std::min(wholeNumber(settings.rowsText), grid.rows()),
            std::min(wholeNumber(settings.colsText), grid.cols())};
}

// A row holding a right-to-left letter would be shown reordered, or pushed
// to the right edge: a left-to-right mark opens the row and follows every
// cell, so that each letter stands alone in its place. The rows of a grid
// without such letters carry no marks.
constexpr QChar kLeftToRightMark = u'\u200E';

bool holdsRightToLeftLetter(const Grid& grid, int rows, int cols) {
    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= cols; ++c) {
            if (isRightToLeftCell(grid.at(r, c))) return true;
        }
    }
    return false;
}

QString linesOf(const Grid& grid, int rows, int cols) {
    QString text;
    if (rows <= 0) return text;
    const bool marked = holdsRightToLeftLetter(grid, rows, cols);
    text.reserve(rows * ((marked ? 3 : 2) * std::max(cols, 0) + 3));
    for (int r = 1; r <= rows; ++r) {
        if (marked) text.append(kLeftToRightMark);
        for (int c = 1; c <= cols; ++c) {
            appendCellText(text, grid.at(r, c));
            if (marked) text.append(kLeftToRightMark);
            text.append(u' ');
        }
        text.append(u"\r\n");
    }
    return text;
}

}  // namespace

PlacementLimits PlacementLimits::read(const PuzzleSettings& settings) {
    PlacementLimits limits;
    limits.rows = wholeNumber(settings.rowsText);
    limits.cols = wholeNumber(settings.colsText);
    limits.lenientRows = lenientNumber(settings.rowsText);
    limits.lenientCols = lenientNumber(settings.colsText);
    limits.strictRows = strictNumber(settings.rowsText).value_or(0.0);
    limits.strictCols = strictNumber(settings.colsText).value_or(0.0);
    limits.wordLimit = lenientNumber(settings.wordLimitText);
    limits.easy = settings.easy;
    // Left to right and top to bottom test "cols - iCol >= L" against the
    // unrounded texts: the last letter stays short of the last column (row)
    // and before the unrounded size. The other directions reach every edge.
    const auto shortOf = [](double lenient, int whole) {
        return std::min(whole,
                        static_cast<int>(std::floor(std::clamp(lenient, -32768.0, 32767.0))) - 1);
    };
    limits.lastRowMax.fill(limits.rows);
    limits.lastColMax.fill(limits.cols);
    limits.lastRowMax[TopToBottom] = shortOf(limits.lenientRows, limits.rows);
    limits.lastColMax[LeftToRight] = shortOf(limits.lenientCols, limits.cols);
    return limits;
}

void allocateGrids(Puzzle& puzzle, const PuzzleSettings& settings) {
    const int rows = wholeNumber(settings.rowsText);
    const int cols = wholeNumber(settings.colsText);
    puzzle.SolutionGrid = Grid(rows, cols, kBlankCell);
    puzzle.WordGrid = Grid(rows, cols, kEmptyCell);
}

namespace {

// The fit tests as written for each direction; only the empty word, which
// has no last letter to bound, still needs them.
bool emptyWordFits(int iRow, int iCol, int iDirection, const PlacementLimits& limits) {
    switch (iDirection) {
        case LeftToRight:
            return limits.lenientCols - iCol >= 0;
        case TopToBottom:
            return limits.lenientRows - iRow >= 0;
        case RightToLeft:
        case BottomToTop:
        case DownRight:
        case UpLeft:
        case DownLeft:
        case UpRight:
            return true;
        default:
            return false;
    }
}

}  // namespace

bool FitWord(Grid& grid, std::u32string_view word, int iRow, int iCol, int iDirection,
             const PlacementLimits& limits) {
    // A start cell drawn from a row or column text with a fraction (6.5 draws
    // up to 7 in a grid of 6) lies outside the grid: refuse it rather than
    // write past the grid's edge.
    if (!grid.isUsedCell(iRow, iCol)) return false;
    if (iDirection < 1 || iDirection > 8) return false;
    const auto length = static_cast<int>(word.size());
    if (length == 0) return emptyWordFits(iRow, iCol, iDirection, limits);

    const Step step = directionStep(iDirection);
    // Every cell of a straight word lies within bounds when its last one does.
    const int lastRow = iRow + (length - 1) * step.dRow;
    const int lastCol = iCol + (length - 1) * step.dCol;
    const auto d = static_cast<std::size_t>(iDirection);
    if (lastRow < 1 || lastRow > std::min(limits.lastRowMax[d], grid.rows()) || lastCol < 1 ||
        lastCol > std::min(limits.lastColMax[d], grid.cols())) {
        return false;
    }

    Cell* const first = grid.cellPointer(iRow, iCol);
    const std::ptrdiff_t stride = step.dRow * grid.rowStride() + step.dCol;
    Cell* cell = first;
    for (const Cell letter : word) {
        if (*cell != kEmptyCell && *cell != letter) return false;
        cell += stride;
    }
    cell = first;
    for (const Cell letter : word) {
        *cell = letter;
        cell += stride;
    }
    return true;
}

namespace {

bool isGridSideText(QStringView text) {
    const std::optional<double> strict = strictNumber(text);
    if (!strict) return false;
    const double rounded = roundHalfEven(*strict);
    const int whole = wholeNumber(text);
    return rounded >= kSmallestGrid && rounded <= kLargestGrid && whole >= kSmallestGrid &&
           whole <= kLargestGrid;
}

}  // namespace

std::optional<QString> gridSizeRefusal(const PuzzleSettings& settings) {
    if (!isGridSideText(settings.rowsText)) {
        return QStringLiteral("El número de filas debe ser un número de 5 a 20.");
    }
    if (!isGridSideText(settings.colsText)) {
        return QStringLiteral("El número de columnas debe ser un número de 5 a 20.");
    }
    return std::nullopt;
}

void RandPos(Random& random, const PlacementLimits& limits, int& iRow, int& iCol, int& iDirection) {
    random.reseedFromClock();
    iRow = drawnIndex(limits.strictRows, random.next());
    iCol = drawnIndex(limits.strictCols, random.next());
    iDirection = random.below(limits.easy ? 4 : 8) + 1;
}

std::vector<Placement> FitWordOnGrid(Puzzle& puzzle, const PuzzleSettings& settings,
                                     Random& random) {
    const PlacementLimits limits = PlacementLimits::read(settings);
    std::vector<Placement> placed;
    // The pool repeats its last word at the end; that copy is never tried.
    const auto last = puzzle.WordPool.size() - 2;
    int iRow = 0;
    int iCol = 0;
    int iDirection = 0;
    for (qsizetype i = 1; i <= last; ++i) {
        if (limits.wordLimit < static_cast<double>(i)) break;
        const std::u32string word = wordCells(puzzle.WordPool.at(i));
        for (int attempt = 0; attempt < kTriesPerWord; ++attempt) {
            RandPos(random, limits, iRow, iCol, iDirection);
            if (FitWord(puzzle.WordGrid, word, iRow, iCol, iDirection, limits)) {
                placed.push_back({static_cast<int>(i), iRow, iCol, iDirection});
                break;
            }
        }
    }
    return placed;
}

QString gridText(const Grid& grid, const PuzzleSettings& settings) {
    const auto [rows, cols] = renderedSize(grid, settings);
    return linesOf(grid, rows, cols);
}

Cell fillLetter(float draw) {
    const auto count = static_cast<int>(kFillLetters.size());
    const int offset = std::clamp(static_cast<int>(draw * static_cast<float>(count)), 0, count - 1);
    return kFillLetters[static_cast<std::size_t>(offset)];
}

QString ShowFinishedWord(Puzzle& puzzle, const PuzzleSettings& settings, Random& random) {
    Grid& grid = puzzle.WordGrid;
    const auto [rows, cols] = renderedSize(grid, settings);
    if (puzzle.SolutionGrid.rows() != grid.rows() || puzzle.SolutionGrid.cols() != grid.cols()) {
        puzzle.SolutionGrid = Grid(grid.rows(), grid.cols(), kBlankCell);
    }
    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= cols; ++c) puzzle.SolutionGrid.at(r, c) = grid.at(r, c);
    }
    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= cols; ++c) {
            if (grid.at(r, c) == kEmptyCell) grid.at(r, c) = fillLetter(random.next());
        }
    }
    return linesOf(grid, rows, cols);
}

std::vector<Placement> buildPuzzle(Puzzle& puzzle, const QStringList& pool,
                                   const PuzzleSettings& settings, Random& random) {
    allocateGrids(puzzle, settings);
    puzzle.WordPool = pool;
    return FitWordOnGrid(puzzle, settings, random);
}

}  // namespace sopaly
