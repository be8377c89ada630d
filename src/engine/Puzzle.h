#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Fairness.h"
#include "Grid.h"
#include "LetterSize.h"
#include "Random.h"
#include "SecretMessage.h"
#include "SettingsTable.h"
#include "Shape.h"

namespace sopaly {

// The texts of the main window's settings controls, taken at the start of an
// operation. No event runs while a puzzle is built, so one reading per
// operation is the same as one per use.
struct PuzzleSettings {
    QString rowsText = QString::number(kGridRowsSetting.designValue);        // txtGridRows
    QString colsText = QString::number(kGridColumnsSetting.designValue);     // txtGridCol
    QString wordLimitText = QString::number(kWordLimitSetting.designValue);  // txtWordCount
    bool easy = false;                                                       // optEasy selected
    // The Options menu.
    Shape shape = Shape::Square;  // the cells words and fill may take
    QString message;              // the secret message as typed; empty for none
    bool lowerCase = false;       // letters shown in lower case (never in the batch's files)
    bool hideList = false;        // the worksheet names no word
    LetterSize letterSize = LetterSize::Normal;  // the printed page's letters
    bool easyReading = false;  // the printed page in a typeface for beginning readers
    // Words that must never read in a puzzle by chance: the program's list
    // of rude words, as the program folder holds it.
    QStringList rudeWords;
};

// The settings in the readings that placement takes of them.
struct PlacementLimits {
    int rows = 0;  // whole-number readings: the grid's size
    int cols = 0;
    double lenientRows = 0;  // the fit tests of directions 1 and 3
    double lenientCols = 0;
    double strictRows = 0;  // RandPos's start cell range
    double strictCols = 0;
    // The same when it is a whole number from 1 to 255, else 0: such a
    // range draws its start cells in integer arithmetic.
    int wholeStrictRows = 0;
    int wholeStrictCols = 0;
    double wordLimit = 0;  // lenient reading of the word limit
    bool easy = false;
    // The furthest row and column a word's last letter may reach, by
    // direction code: the fit tests folded into two bounds, so that a try
    // costs two comparisons instead of a switch.
    std::array<int, 9> lastRowMax{};
    std::array<int, 9> lastColMax{};

    static PlacementLimits read(const PuzzleSettings& settings);
};

// Where one word of the pool went.
struct Placement {
    int poolIndex = 0;
    int row = 0;
    int col = 0;
    int direction = 0;
};

// What the finishing step had to do to keep every word at its one place.
struct FairnessReport {
    // Times the fill met a cell that no letter could fill fairly and the
    // puzzle was built again.
    int rebuilds = 0;
    // The listed words that read at more places than they were placed: only
    // when the rebuilds gave up and the puzzle was kept as it was.
    QStringList readTwice;
};

// The state of one puzzle. A build replaces all of it.
struct Puzzle {
    // Element 0 empty, the words longest first, the last word repeated.
    QStringList WordPool;
    // "." in every empty cell; the finished puzzle after ShowFinishedWord.
    Grid WordGrid;
    // Blank until the finishing step stores the placed grid in it.
    Grid SolutionGrid;
    // How the secret message of the last build went.
    SecretMessage Message;
    // Where each placed word went, in placing order. The finishing step may
    // build the puzzle again, so this, not what the build returned, is the key.
    std::vector<Placement> Placements;
    // The settings of the last build, which a rebuild repeats; none when the
    // grid was not built by FitWordOnGrid.
    std::optional<PuzzleSettings> BuiltWith;
    FairnessReport Fairness;
    // The build's view of the readings, handed on to the finishing step
    // while it still matches WordGrid.
    ReadingGuard Guard;
    bool GuardMatchesGrid = false;
};

// The sizes the window offers for a grid side.
inline constexpr int kSmallestGrid = kGridRowsSetting.lowest;
inline constexpr int kLargestGrid = kGridRowsSetting.highest;
static_assert(kGridColumnsSetting.lowest == kSmallestGrid &&
              kGridColumnsSetting.highest == kLargestGrid);

// Why the row or column text cannot size a puzzle, in the user's words, or
// nothing when both are numbers as a whole that read, as whole numbers,
// within the sizes the window offers.
std::optional<QString> gridSizeRefusal(const PuzzleSettings& settings);

// Sizes both grids from the row and column texts (whole-number readings) and
// clears WordGrid to "." everywhere, row 0 and column 0 included, but for
// the cells outside the settings' shape.
void allocateGrids(Puzzle& puzzle, const PuzzleSettings& settings);

// Writes `word` into `grid` from (iRow, iCol) in direction `iDirection` when
// every cell it needs lies in the grid and is "." or holds the same code
// point; otherwise leaves the grid untouched and returns false.
bool FitWord(Grid& grid, std::u32string_view word, int iRow, int iCol, int iDirection,
             const PlacementLimits& limits);

// Reseeds `random` from its clock, then draws a start cell and a direction.
void RandPos(Random& random, const PlacementLimits& limits, int& iRow, int& iCol, int& iDirection);

// Places the first words of the pool, up to the word limit, with up to 1001
// tries each; a try that would make a listed word read a second time, or a
// rude word read at all, does not fit. A word that no try placed goes to a
// place drawn among all those where it fits, if there is one. Returns where
// each placed word went, in placing order (also kept in puzzle.Placements).
std::vector<Placement> FitWordOnGrid(Puzzle& puzzle, const PuzzleSettings& settings,
                                     Random& random);

// FitWordOnGrid, then the settings' secret message in the first free cells.
// A message that makes a word read a second time has the words placed again,
// a few times, and then the puzzle goes without it; puzzle.Message tells how
// it went.
std::vector<Placement> placeWordsAndMessage(Puzzle& puzzle, const PuzzleSettings& settings,
                                            Random& random);

// The display text of rows 1..R and columns 1..K of `grid`: every cell
// followed by a space, every line ended by "\r\n", a cell outside the shape
// a space, in lower case when the settings ask for it. R and K come from the
// texts, limited to the grid's own size.
QString gridText(const Grid& grid, const PuzzleSettings& settings);

// The finishing step: keeps the placed grid in SolutionGrid, fills every "."
// of WordGrid, and returns the finished grid's text. A letter that would
// complete a reading that is not allowed is drawn again; a cell that a few
// hundred draws cannot fill has the puzzle built again, a few times at most,
// after which it is kept as it is and puzzle.Fairness names the words that
// read twice. A fill that refuses nothing takes exactly one draw per cell.
QString ShowFinishedWord(Puzzle& puzzle, const PuzzleSettings& settings, Random& random);

// The whole build of one puzzle from a pool already sorted (the build button's
// road without the window): allocate, place the words and the message, and
// return the placements.
std::vector<Placement> buildPuzzle(Puzzle& puzzle, const QStringList& pool,
                                   const PuzzleSettings& settings, Random& random);

// How many builds one puzzle of a set (a classroom set, a batch) gets to
// hold the settings' secret message.
inline constexpr int kBuildsForMessage = 20;

// Builds and finishes one puzzle from a pool already sorted, and returns the
// finished grid's text. A message the grid had no room for, or that made a
// word read twice, has the puzzle built again, up to kBuildsForMessage builds
// in all, unless the shape has fewer cells than the message has letters.
// Without a message it draws exactly as buildPuzzle then ShowFinishedWord.
QString buildFinishedPuzzle(Puzzle& puzzle, const QStringList& pool, const PuzzleSettings& settings,
                            Random& random);

// The sentences that tell the user which words read at more than one place:
// a word inside another placed word ("SOL se lee también dentro de
// GIRASOL."), and the words a kept puzzle lets read twice. The words are
// named in lower case when the puzzle is shown so.
QStringList fairnessNotes(const Puzzle& puzzle, bool lowerCase = false);

// Whether the finishing step has filled the grid: no cell of it is "." any
// more. A worksheet shows only such a grid.
bool isFinished(const Puzzle& puzzle);

// The words of `list` that the grid holds, in the list's order: a word the
// list holds twice is kept as often as it was placed.
QStringList placedInListOrder(const QStringList& list, const Puzzle& puzzle);

}  // namespace sopaly
