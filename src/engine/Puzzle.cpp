#include "Puzzle.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>

#include "Cells.h"
#include "Directions.h"
#include "Fairness.h"
#include "Numbers.h"

namespace sopaly {

namespace {

constexpr int kTriesPerWord = 1001;
// How many builds a secret message gets before the puzzle goes without it.
constexpr int kMessageBuilds = 5;
// Draws of one cell before the fill gives the puzzle up, and rebuilds of a
// puzzle before it is kept as it is.
constexpr int kDrawsPerCell = 300;
constexpr int kRebuilds = 3;

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

// Whether a cell of the grid is more than one code point written out (a
// letter with its marks) or runs from right to left: such a grid is written
// cell by cell, not through a pointer.
bool needsCellTexts(const Grid& grid, int rows, int cols) {
    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= cols; ++c) {
            const Cell cell = grid.at(r, c);
            if (cell >= 0x0590 && (isRightToLeftCell(cell) || cell > 0x10FFFF)) return true;
        }
    }
    return false;
}

QString markedLinesOf(const Grid& grid, int rows, int cols) {
    QString text;
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

// Writes the rows of a grid whose cells are all written letters below
// U+0590, as a Spanish grid's are, or cells off its shape, one unit and a
// space a cell, without a test for each: returns false, with `out` written
// to no purpose, when some cell is neither.
bool writePlainLines(const Grid& grid, int rows, int width, QChar*& out) {
    std::uint32_t unusual = 0;
    for (int r = 1; r <= rows; ++r) {
        const Cell* cell = grid.cellPointer(r, 1);
        for (int c = 1; c <= width; ++c, ++cell) {
            // A blank cell (0) wraps round to the top.
            unusual |= static_cast<std::uint32_t>(*cell - 1U >= 0x0590U - 1U);
            // An off-shape cell keeps the columns of the rest of the row.
            out[0] = QChar(*cell == kOffShapeCell ? u' ' : static_cast<char16_t>(*cell));
            out[1] = QChar(u' ');
            out += 2;
        }
        out[0] = QChar(u'\r');
        out[1] = QChar(u'\n');
        out += 2;
    }
    return unusual == 0;
}

QString linesOf(const Grid& grid, int rows, int cols, bool lowerCase) {
    QString text;
    if (rows <= 0) return text;
    const int width = std::max(cols, 0);
    // Written through a pointer: appending a character at a time cost more
    // than filling the grid. A cell beyond the Basic Multilingual Plane
    // takes two units, so the text is sized for that and cut to length.
    text.resize(static_cast<qsizetype>(rows) * (3 * width + 2));
    QChar* out = text.data();
    if (writePlainLines(grid, rows, width, out)) {
        text.truncate(out - text.constData());
        return lowerCase ? text.toLower() : text;
    }
    if (needsCellTexts(grid, rows, cols)) {
        text = markedLinesOf(grid, rows, cols);
        return lowerCase ? text.toLower() : text;
    }
    out = text.data();
    for (int r = 1; r <= rows; ++r) {
        const Cell* cell = grid.cellPointer(r, 1);
        for (int c = 1; c <= width; ++c, ++cell) {
            if (*cell == kBlankCell) {
                // a never-written cell prints as nothing
            } else if (*cell == kOffShapeCell) {
                *out++ = QChar(u' ');  // keeps the columns of the rest of the row
            } else if (QChar::requiresSurrogates(*cell)) {
                *out++ = QChar(QChar::highSurrogate(*cell));
                *out++ = QChar(QChar::lowSurrogate(*cell));
            } else {
                *out++ = QChar(static_cast<char16_t>(*cell));
            }
            *out++ = QChar(u' ');
        }
        *out++ = QChar(u'\r');
        *out++ = QChar(u'\n');
    }
    text.truncate(out - text.constData());
    return lowerCase ? text.toLower() : text;
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
    const auto whole = [](double range) {
        return range >= 1.0 && range <= 255.0 && range == std::floor(range)
                   ? static_cast<int>(range)
                   : 0;
    };
    limits.wholeStrictRows = whole(limits.strictRows);
    limits.wholeStrictCols = whole(limits.strictCols);
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
    puzzle.SolutionGrid.reset(rows, cols, kBlankCell);
    puzzle.WordGrid.reset(rows, cols, kEmptyCell);
    cutToShape(puzzle.WordGrid, settings.shape);
    puzzle.GuardMatchesGrid = false;
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

namespace {

bool wordFits(const Grid& grid, std::u32string_view word, int iRow, int iCol, int iDirection,
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

    const Cell* cell = grid.cellPointer(iRow, iCol);
    const std::ptrdiff_t stride = step.dRow * grid.rowStride() + step.dCol;
    for (const Cell letter : word) {
        if (*cell != kEmptyCell && *cell != letter) return false;
        cell += stride;
    }
    return true;
}

void writeWord(Grid& grid, std::u32string_view word, int iRow, int iCol, int iDirection) {
    if (word.empty()) return;
    const Step step = directionStep(iDirection);
    const std::ptrdiff_t stride = step.dRow * grid.rowStride() + step.dCol;
    Cell* cell = grid.cellPointer(iRow, iCol);
    for (const Cell letter : word) {
        *cell = letter;
        cell += stride;
    }
}

// Calls `found` for every start cell and direction the difficulty allows
// where `word` fits as FitWord would place it: the starts whose last letter
// stays in bounds, then the cells.
template <typename Found>
void placesOf(const Grid& grid, std::u32string_view word, const PlacementLimits& limits,
              Found&& found) {
    const auto length = static_cast<int>(word.size());
    if (length == 0) return;
    const int directions = limits.easy ? 4 : 8;
    // The starts whose last letter stays in bounds, by direction.
    struct Range {
        int rowLow, rowHigh, colLow, colHigh;
        std::ptrdiff_t stride;
    };
    std::array<Range, 9> ranges{};
    const int span = length - 1;
    for (int direction = 1; direction <= directions; ++direction) {
        const Step step = directionStep(direction);
        const auto d = static_cast<std::size_t>(direction);
        const int lastRowMax = std::min(limits.lastRowMax[d], grid.rows());
        const int lastColMax = std::min(limits.lastColMax[d], grid.cols());
        ranges[d] = {
            std::max(1, 1 - span * step.dRow), std::min(grid.rows(), lastRowMax - span * step.dRow),
            std::max(1, 1 - span * step.dCol), std::min(grid.cols(), lastColMax - span * step.dCol),
            step.dRow * grid.rowStride() + step.dCol};
    }
    const Cell first = word.front();
    for (int row = 1; row <= grid.rows(); ++row) {
        const Cell* start = grid.cellPointer(row, 1);
        for (int col = 1; col <= grid.cols(); ++col, ++start) {
            // Most cells of a crowded grid turn every direction away at once.
            if (*start != kEmptyCell && *start != first) continue;
            for (int direction = 1; direction <= directions; ++direction) {
                const Range& range = ranges[static_cast<std::size_t>(direction)];
                if (row < range.rowLow || row > range.rowHigh || col < range.colLow ||
                    col > range.colHigh) {
                    continue;
                }
                const Cell* cell = start;
                bool fits = true;
                for (const Cell letter : word) {
                    if (*cell != kEmptyCell && *cell != letter) {
                        fits = false;
                        break;
                    }
                    cell += range.stride;
                }
                if (fits) found(row, col, direction);
            }
        }
    }
}

// Which placed words cover each cell, so that every word keeps at least one
// cell no other word covers: a word lying wholly on others (SOL on the end
// of GIRASOL) would be outlined in the key where the pupil never finds a
// SOL of its own.
class CellOwners {
  public:
    CellOwners(const Grid& grid, std::size_t words)
        : width_(grid.rowStride()),
          covers_(static_cast<std::size_t>((grid.rows() + 1) * width_), 0),
          owner_(covers_.size(), 0) {
        ownLeft_.reserve(words);
    }

    // Whether the word keeps a cell of its own there, and leaves every
    // placed word one.
    bool leavesOwnCells(int length, int row, int col, int direction) {
        // Most tries cross no placed word: then every cell is the word's own
        // and no other word loses one.
        std::uint8_t crossed = 0;
        forCells(length, row, col, direction, [&](std::size_t at) { crossed |= covers_[at]; });
        if (crossed == 0) return length > 0;
        bool ownCell = false;
        forCells(length, row, col, direction, [&](std::size_t at) {
            if (covers_[at] == 0) ownCell = true;
            if (covers_[at] == 1) --ownLeft_[owner_[at]];
        });
        // Each word's cells are counted off before any is put back, so the
        // first of them sees all that the try would take.
        bool fits = ownCell;
        forCells(length, row, col, direction, [&](std::size_t at) {
            if (covers_[at] != 1) return;
            if (ownLeft_[owner_[at]] <= 0) fits = false;
            ++ownLeft_[owner_[at]];
        });
        return fits;
    }

    void claim(int length, int row, int col, int direction) {
        const auto word = static_cast<std::uint32_t>(ownLeft_.size());
        int own = 0;
        forCells(length, row, col, direction, [&](std::size_t at) {
            if (covers_[at] == 1) --ownLeft_[owner_[at]];
            if (covers_[at] == 0) {
                owner_[at] = word;
                ++own;
            }
            if (covers_[at] < 2) ++covers_[at];
        });
        ownLeft_.push_back(own);
    }

  private:
    template <typename Visit>
    void forCells(int length, int row, int col, int direction, Visit&& visit) const {
        const Step step = directionStep(direction);
        const std::ptrdiff_t stride = step.dRow * width_ + step.dCol;
        std::ptrdiff_t at = row * width_ + col;
        for (int k = 0; k < length; ++k, at += stride) visit(static_cast<std::size_t>(at));
    }

    std::ptrdiff_t width_;
    std::vector<std::uint8_t> covers_;  // words on each cell, counted up to two
    std::vector<std::uint32_t> owner_;  // the one word on a cell that has one
    std::vector<int> ownLeft_;          // cells each placed word has to itself
};

// The words of the list as the pool holds them: without its empty first
// entry and the repeated last one. A view, not a copy: every build asks.
std::span<const QString> listedWords(const QStringList& pool) {
    if (pool.size() <= 2) return {};
    return {pool.constData() + 1, static_cast<std::size_t>(pool.size() - 2)};
}

}  // namespace

bool FitWord(Grid& grid, std::u32string_view word, int iRow, int iCol, int iDirection,
             const PlacementLimits& limits) {
    if (!wordFits(grid, word, iRow, iCol, iDirection, limits)) return false;
    writeWord(grid, word, iRow, iCol, iDirection);
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
        return QCoreApplication::translate("Puzzle",
                                           "El número de filas debe ser un número de 5 a 20.");
    }
    if (!isGridSideText(settings.colsText)) {
        return QCoreApplication::translate("Puzzle",
                                           "El número de columnas debe ser un número de 5 a 20.");
    }
    return std::nullopt;
}

void RandPos(Random& random, const PlacementLimits& limits, int& iRow, int& iCol, int& iDirection) {
    random.reseedFromClock();
    // Every try draws its start cell, and the double arithmetic a range with
    // a fraction needs was a tenth of a build. A whole range n gives the
    // same cell from the same draw as below(n) + 1: n × next() + 1 is exact
    // in double.
    iRow = limits.wholeStrictRows > 0 ? random.below(limits.wholeStrictRows) + 1
                                      : drawnIndex(limits.strictRows, random.next());
    iCol = limits.wholeStrictCols > 0 ? random.below(limits.wholeStrictCols) + 1
                                      : drawnIndex(limits.strictCols, random.next());
    iDirection = random.below(limits.easy ? 4 : 8) + 1;
}

namespace {

// After this many tries miss, one look at every place of the word tells
// which of the later tries would fit: the grid stands still while they run.
constexpr int kTriesBeforeScan = 48;
// The most places a later try is looked up among; with more, it is tested.
constexpr std::size_t kPlacesLookedUp = 32;

// The place the first fitting try of kTriesPerWord draws, or none; then
// `places` holds every place `scan` finds. `draw` makes a try, `fits` tests
// it, and `scan` fills `places` with every place that fits (only when
// `scannable`: a word of no cells fits where no cell shows it).
template <typename Draw, typename Fits, typename Scan>
std::optional<Placement> triedPlace(Draw&& draw, Fits&& fits, Scan&& scan,
                                    const std::vector<Placement>& places, Random& random,
                                    bool scannable) {
    bool scanned = false;
    const auto listed = [&](const Placement& at) {
        return std::any_of(places.begin(), places.end(), [&](const Placement& place) {
            return place.row == at.row && place.col == at.col && place.direction == at.direction;
        });
    };
    for (int attempt = 0; attempt < kTriesPerWord; ++attempt) {
        if (attempt == kTriesBeforeScan && scannable) {
            scan();
            scanned = true;
            if (places.empty()) {
                // Every later try would miss: the generator is left as they
                // would leave it, the last one drawn.
                random.skipReseeds(static_cast<std::uint64_t>(kTriesPerWord - attempt - 1));
                draw();
                return std::nullopt;
            }
        }
        const Placement at = draw();
        if (scanned && places.size() <= kPlacesLookedUp ? listed(at) : fits(at)) return at;
    }
    if (!scanned) scan();
    return std::nullopt;
}

}  // namespace

namespace {

// What the placement of one build keeps from word to word.
class WordPlacement {
  public:
    WordPlacement(Puzzle& puzzle, const PuzzleSettings& settings, Random& random)
        : puzzle_(puzzle),
          limits_(PlacementLimits::read(settings)),
          random_(random),
          owners_(puzzle.WordGrid,
                  static_cast<std::size_t>(std::max<qsizetype>(puzzle.WordPool.size(), 0))),
          // A shape's tries are drawn among the places that lie on it; the
          // square keeps its own draws.
          shapePlaces_(settings.shape == Shape::Square
                           ? nullptr
                           : &ShapePlaces::of(settings.shape, puzzle.WordGrid.rows(),
                                              puzzle.WordGrid.cols(), limits_.easy)) {}

    const PlacementLimits& limits() const { return limits_; }

    // Places word `i` of the pool by its tries, or at a place drawn among
    // all those where it fits fairly, if any.
    void place(qsizetype i) {
        Grid& grid = puzzle_.WordGrid;
        ReadingGuard& guard = puzzle_.Guard;
        assignWordCells(cells_, puzzle_.WordPool.at(i));
        const std::u32string_view word = cells_;
        const auto length = static_cast<int>(word.size());
        // A word that no line of the shape holds has no place to try.
        if (shapePlaces_ && shapePlaces_->count(length) == 0) return;
        const auto draw = [&] {
            if (shapePlaces_) {
                shapePlaces_->draw(random_, length, iRow_, iCol_, iDirection_);
            } else {
                RandPos(random_, limits_, iRow_, iCol_, iDirection_);
            }
            return Placement{0, iRow_, iCol_, iDirection_};
        };
        const auto scan = [&] {
            places_.clear();
            placesOf(grid, word, limits_, [&](int row, int col, int direction) {
                if (owners_.leavesOwnCells(length, row, col, direction) &&
                    !guard.wordWouldMisread(word, row, col, direction)) {
                    places_.push_back({0, row, col, direction});
                }
            });
        };
        const auto fitsFairly = [&](const Placement& at) {
            return wordFits(grid, word, at.row, at.col, at.direction, limits_) &&
                   owners_.leavesOwnCells(length, at.row, at.col, at.direction) &&
                   !guard.wordWouldMisread(word, at.row, at.col, at.direction);
        };
        std::optional<Placement> at =
            triedPlace(draw, fitsFairly, scan, places_, random_, length > 0);
        // The tries can miss the few places a crowded grid still has.
        if (!at && !places_.empty()) {
            at = places_[std::min(
                places_.size() - 1,
                static_cast<std::size_t>(random_.next() * static_cast<float>(places_.size())))];
        }
        if (!at) return;
        owners_.claim(length, at->row, at->col, at->direction);
        writeWord(grid, word, at->row, at->col, at->direction);
        guard.place(word, at->row, at->col, at->direction);
        puzzle_.Placements.push_back({static_cast<int>(i), at->row, at->col, at->direction});
    }

  private:
    Puzzle& puzzle_;
    const PlacementLimits limits_;
    Random& random_;
    CellOwners owners_;
    const ShapePlaces* shapePlaces_;
    std::vector<Placement> places_;  // every place a word that missed its tries fits
    std::u32string cells_;           // the word's cells, in memory kept from word to word
    int iRow_ = 0;
    int iCol_ = 0;
    int iDirection_ = 0;
};

}  // namespace

std::vector<Placement> FitWordOnGrid(Puzzle& puzzle, const PuzzleSettings& settings,
                                     Random& random) {
    puzzle.Placements.clear();
    puzzle.BuiltWith = settings;
    puzzle.Fairness = {};
    puzzle.Guard.reset(listedWords(puzzle.WordPool), settings.rudeWords);
    puzzle.Guard.mirror(puzzle.WordGrid);
    WordPlacement placement(puzzle, settings, random);
    // The pool repeats its last word at the end; that copy is never tried.
    const auto last = puzzle.WordPool.size() - 2;
    for (qsizetype i = 1; i <= last; ++i) {
        if (placement.limits().wordLimit < static_cast<double>(i)) break;
        placement.place(i);
    }
    puzzle.GuardMatchesGrid = true;
    return puzzle.Placements;
}

std::vector<Placement> placeWordsAndMessage(Puzzle& puzzle, const PuzzleSettings& settings,
                                            Random& random) {
    puzzle.Message = SecretMessage{};
    const std::u32string letters = messageLetters(settings.message);
    if (letters.empty()) return FitWordOnGrid(puzzle, settings, random);
    puzzle.Message.typed = settings.message;
    const Grid allocated = puzzle.WordGrid;
    for (int build = 1;; ++build) {
        FitWordOnGrid(puzzle, settings, random);
        Grid& grid = puzzle.WordGrid;
        std::vector<std::pair<int, int>> cells;
        puzzle.Message.missing = placeMessageLetters(grid, letters, &cells);
        if (puzzle.Message.missing > 0) return puzzle.Placements;
        // The build's guard takes the letters one by one, each asked
        // whether it completes a reading of a word that is not allowed.
        bool fair = true;
        for (std::size_t k = 0; k < cells.size() && fair; ++k) {
            const auto [row, col] = cells[k];
            fair = !puzzle.Guard.letterWouldMisread(row, col, letters[k]);
            puzzle.Guard.set(row, col, letters[k]);
        }
        if (fair) {
            puzzle.Message.letters = static_cast<int>(letters.size());
            return puzzle.Placements;
        }
        if (build == kMessageBuilds) {
            // The words stay where this build put them; the fill takes the
            // message's cells.
            for (const auto& [row, col] : cells) grid.at(row, col) = kEmptyCell;
            puzzle.GuardMatchesGrid = false;
            puzzle.Message.unfair = true;
            return puzzle.Placements;
        }
        grid = allocated;
    }
}

QString gridText(const Grid& grid, const PuzzleSettings& settings) {
    const auto [rows, cols] = renderedSize(grid, settings);
    return linesOf(grid, rows, cols, settings.lowerCase);
}

Cell fillLetter(float draw) {
    const auto count = static_cast<int>(kFillLetters.size());
    const int offset = std::clamp(static_cast<int>(draw * static_cast<float>(count)), 0, count - 1);
    return kFillLetters[static_cast<std::size_t>(offset)];
}

namespace {

enum class FillEnd { Fair, Stuck, KeptUnfair };

// Fills the empty cells row by row. A cell that kDrawsPerCell draws cannot
// fill fairly stops the fill, or, when `keepAnyway`, keeps its last draw.
FillEnd fillFairly(Grid& grid, int rows, int cols, ReadingGuard& guard,
                   const FillAlphabet& alphabet, Random& random, bool keepAnyway) {
    FillEnd end = FillEnd::Fair;
    if (cols <= 0) return end;
    const auto draw = [&] { return alphabet.letter(random.next()); };
    for (int r = 1; r <= rows; ++r) {
        bool kept = false;
        if (guard.fillRow(grid.cellPointer(r, 1), r, alphabet.emptyColumns(r), kDrawsPerCell,
                          keepAnyway, kept, draw) != 0) {
            return FillEnd::Stuck;
        }
        if (kept) end = FillEnd::KeptUnfair;
    }
    return end;
}

QString readsInside(const QString& part, const QString& whole) {
    return QCoreApplication::translate("Puzzle", "%1 se lee también dentro de %2.")
        .arg(part, whole);
}

}  // namespace

QString ShowFinishedWord(Puzzle& puzzle, const PuzzleSettings& settings, Random& random) {
    Grid& grid = puzzle.WordGrid;
    const auto [rows, cols] = renderedSize(grid, settings);
    int rebuilds = 0;
    for (;;) {
        if (puzzle.SolutionGrid.rows() != grid.rows() ||
            puzzle.SolutionGrid.cols() != grid.cols()) {
            puzzle.SolutionGrid = Grid(grid.rows(), grid.cols(), kBlankCell);
        }
        for (int r = 1; r <= rows && cols > 0; ++r) {
            std::copy_n(grid.cellPointer(r, 1), cols, puzzle.SolutionGrid.cellPointer(r, 1));
        }
        ReadingGuard& guard = puzzle.Guard;
        if (!puzzle.GuardMatchesGrid) {
            guard.reset(listedWords(puzzle.WordPool), settings.rudeWords);
            guard.mirror(grid);
            for (const Placement& where : puzzle.Placements) {
                guard.place(wordCells(puzzle.WordPool.at(where.poolIndex)), where.row, where.col,
                            where.direction);
            }
        }
        // The fill changes the grid behind the build's back.
        puzzle.GuardMatchesGrid = false;
        const FillAlphabet alphabet(grid, rows, cols);
        // A grid the build did not make cannot be made again.
        const bool lastChance = rebuilds == kRebuilds || !puzzle.BuiltWith;
        const FillEnd end = fillFairly(grid, rows, cols, guard, alphabet, random, lastChance);
        if (end != FillEnd::Stuck) {
            puzzle.Fairness.rebuilds = rebuilds;
            if (end == FillEnd::KeptUnfair) puzzle.Fairness.readTwice = guard.misreadWords();
            break;
        }
        ++rebuilds;
        const PuzzleSettings builtWith = *puzzle.BuiltWith;
        allocateGrids(puzzle, builtWith);
        placeWordsAndMessage(puzzle, builtWith, random);
    }
    return linesOf(grid, rows, cols, settings.lowerCase);
}

QStringList fairnessNotes(const Puzzle& puzzle, bool lowerCase) {
    QStringList notes;
    const auto named = [lowerCase](const QString& word) {
        return lowerCase ? word.toLower() : word;
    };
    const auto folded = [](const QString& word) { return foldAccents(wordCells(word)); };
    for (const Placement& inner : puzzle.Placements) {
        const QString& word = puzzle.WordPool.at(inner.poolIndex);
        const std::u32string part = folded(word);
        if (part.size() < static_cast<std::size_t>(kShortestGuardedWord)) continue;
        const std::u32string backwards(part.rbegin(), part.rend());
        for (const Placement& outer : puzzle.Placements) {
            const QString& whole = puzzle.WordPool.at(outer.poolIndex);
            if (whole == word) continue;
            const std::u32string text = folded(whole);
            if (text.find(part) == std::u32string::npos &&
                text.find(backwards) == std::u32string::npos) {
                continue;
            }
            // Two words that read as each other backwards (RAMO, OMAR) are
            // one pair, named once.
            const QString mirrored = readsInside(named(whole), named(word));
            if (text.size() == part.size() && notes.contains(mirrored)) continue;
            const QString note = readsInside(named(word), named(whole));
            if (!notes.contains(note)) notes << note;
        }
    }
    QStringList twice = puzzle.Fairness.readTwice;
    for (QString& word : twice) word = named(word);
    if (const int count = static_cast<int>(twice.size()); count > 0) {
        notes << QCoreApplication::translate("Puzzle", "Se leen más de una vez: %1.", nullptr,
                                             count)
                     .arg(twice.join(QStringLiteral(", ")));
    }
    return notes;
}

QString buildFinishedPuzzle(Puzzle& puzzle, const QStringList& pool, const PuzzleSettings& settings,
                            Random& random) {
    const auto letters = static_cast<int>(messageLetters(settings.message).size());
    int builds = 1;
    if (letters > 0) {
        // A message longer than the shape has cells fits no build.
        Puzzle empty;
        allocateGrids(empty, settings);
        if (letters <= freeCellCount(empty.WordGrid)) builds = kBuildsForMessage;
    }
    for (int build = 1;; ++build) {
        buildPuzzle(puzzle, pool, settings, random);
        QString finished = ShowFinishedWord(puzzle, settings, random);
        if (build >= builds || puzzle.Message.placed()) return finished;
    }
}

bool isFinished(const Puzzle& puzzle) {
    const Grid& grid = puzzle.WordGrid;
    if (grid.rows() < 1 || grid.cols() < 1) return false;
    for (int r = 1; r <= grid.rows(); ++r) {
        for (int c = 1; c <= grid.cols(); ++c) {
            if (grid.at(r, c) == kEmptyCell) return false;
        }
    }
    return true;
}

QStringList placedInListOrder(const QStringList& list, const Puzzle& puzzle) {
    QStringList unclaimed;
    for (const Placement& where : puzzle.Placements) {
        unclaimed << puzzle.WordPool.value(where.poolIndex);
    }
    QStringList placed;
    for (const QString& word : list) {
        if (unclaimed.removeOne(word)) placed << word;
    }
    return placed;
}

std::vector<Placement> buildPuzzle(Puzzle& puzzle, const QStringList& pool,
                                   const PuzzleSettings& settings, Random& random) {
    allocateGrids(puzzle, settings);
    puzzle.WordPool = pool;
    return placeWordsAndMessage(puzzle, settings, random);
}

}  // namespace sopaly
