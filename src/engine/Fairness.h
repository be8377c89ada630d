#pragma once

#include <QString>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Grid.h"

namespace sopaly {

// A child reads RATON as RATÓN: Á, É, Í, Ó, Ú, Ü (and their kin) read as the
// plain vowel. Ñ is a letter of its own and stays.
Cell foldAccent(Cell cell);
std::u32string foldAccents(std::u32string_view word);

// Words of one or two letters turn up everywhere and cannot be kept from
// reading elsewhere.
inline constexpr int kShortestGuardedWord = 3;

// Keeps the words of a puzzle from reading anywhere but where they were
// placed, and the rude words from reading at all, in any of the eight
// directions whatever the difficulty. A reading inside the cells of a placed
// word (SOL inside GIRASOL, PUTA inside COMPUTADORA) is the word's own and
// allowed.
//
// It mirrors the grid's cells as small letter codes in a block with a border
// of empty cells, so that a neighbour is read without a bounds test, and
// keeps every three letters that a guarded word holds in a bit table: a
// letter that forms no such three with its neighbours in a line completes
// no reading there, which answers almost every question in a few loads.
// Only the cells it is told about count: a cell never set reads as empty,
// so cells outside a shape or not yet filled break every reading.
class ReadingGuard {
  public:
    ReadingGuard() = default;
    // `listed` are the puzzle's words (their order names them in
    // misreadWords()), `rude` the words that must never read by chance.
    ReadingGuard(const QStringList& listed, const QStringList& rude) { reset(listed, rude); }
    // The same for a new puzzle, keeping the memory of the last one.
    void reset(const QStringList& listed, const QStringList& rude) {
        reset(std::span<const QString>(listed.constData(), static_cast<std::size_t>(listed.size())),
              rude);
    }
    void reset(std::span<const QString> listed, const QStringList& rude);

    // False when no word is long enough to guard: every question is then "no".
    bool isActive() const { return !entries_.empty(); }

    // Takes the used cells of `grid` as they are now; placements are forgotten.
    void mirror(const Grid& grid);
    // The cell changed in the grid.
    void set(int row, int col, Cell cell) {
        if (isActive()) codes_[static_cast<std::size_t>(indexOf(row, col))] = codeOf(cell);
    }

    // Would `word`, written at the start cell in the direction (every cell
    // already empty or equal), complete a reading that is not allowed?
    bool wordWouldMisread(std::u32string_view word, int row, int col, int direction);
    // Records a word written into the grid: its cells, and its place as one
    // where readings are allowed.
    void place(std::u32string_view word, int row, int col, int direction);

    // Would `cell` written into the empty cell complete a reading that is not
    // allowed? Asked for every draw of the fill: the answer is almost always
    // "no", given by the letters that make three letters of a guarded word
    // with the neighbours, one load per side and line.
    bool letterWouldMisread(int row, int col, Cell cell) const {
        if (!isActive()) return false;
        const Code code = codeOf(cell);
        const Code* const slot = codes_.data() + indexOf(row, col);
        // An empty cell or a letter no guarded word holds is in no mask.
        const Mask suspects = suspectsAlong(slot, 1) | suspectsAlong(slot, width_) |
                              suspectsAlong(slot, width_ + 1) | suspectsAlong(slot, width_ - 1);
        if ((suspects & bitOf(code)) == 0) return false;
        return letterMisreads(slot, code);
    }
    // Fills the empty cells `columns` (from 0, left to right) of the grid's
    // row `row`, whose first cell is `cells`, with letters of `draw()`, each
    // drawn again while it would complete a reading that is not allowed, up
    // to `tries` draws, and takes them as set() would. A cell that no draw
    // fills stops the row: its column + 1 is returned, the cell left empty;
    // with `keepAnyway` the cell keeps its last draw, `kept` is set and the
    // row goes on. 0 when done.
    template <typename Draw>
    int fillRow(Cell* cells, int row, std::span<const int> columns, int tries, bool keepAnyway,
                bool& kept, Draw&& draw);
    // The listed words that read somewhere no placement explains, once each,
    // in the order they were given. Rude words are not named.
    QStringList misreadWords() const;

  private:
    using Code = std::uint8_t;
    // fillRow() in rows of `Width` codes, or of width_ for 0.
    template <std::ptrdiff_t Width, typename Draw>
    int fillRowOf(Cell* cells, int row, std::span<const int> columns, int tries, bool keepAnyway,
                  bool& kept, Draw& draw);
    // Writes a word's trial letters into the mirror, keeping the grid's own
    // where it has one, and notes the cells that were empty; returns how
    // many letters are new.
    std::size_t writeTrialLetters(std::u32string_view word, std::ptrdiff_t start,
                                  std::ptrdiff_t step);
    // Whether one of the `added` new cells of a trial word completes a
    // reading that is not allowed in one of the lines `across` its own.
    bool misreadsAcross(std::size_t added, std::array<std::ptrdiff_t, 3> across);
    static constexpr Code kNoCode = 0;        // empty, a border or a cell never set
    static constexpr Code kForeignCode = 63;  // a character no guarded word holds
    static constexpr int kBorder = 2;
    // Every grid of up to 28 columns is mirrored in rows of this many codes,
    // so that the fill, which asks the neighbours of every cell, reaches
    // them at offsets the compiler knows.
    static constexpr std::ptrdiff_t kNarrowWidth = 32;
    static constexpr std::size_t kCodes = 64;
    // Sets of letters, as the tables keep them: one bit a code, the codes
    // from 32 up sharing the bits of those 32 below them (the shift takes
    // the low five bits, which costs no instruction). A mask only ever sends
    // a question on to the exact comparison, so a shared bit costs time,
    // never an answer; the pairs a Spanish list uses stay within the nearest
    // cache.
    using Mask = std::uint32_t;
    static constexpr Mask bitOf(Code code) { return Mask{1} << (code & 31U); }

    struct Entry {
        std::uint32_t offset;  // into letters_
        std::uint16_t length;
        std::int16_t listed;  // index into the listed words, -1 for a rude word
    };
    struct Place {
        std::ptrdiff_t start;  // index into codes_
        std::ptrdiff_t step;
        int length;
    };

    // A letter of a guarded word (either way round).
    struct Occurrence {
        std::uint32_t offset;  // the word's first letter in letters_
        std::uint16_t length;
        std::uint16_t at;  // the letter's place in the word
    };
    // How many letters of the word follow the occurrence's.
    static int ahead(const Occurrence& occurrence) { return occurrence.length - 1 - occurrence.at; }

    // Where two letters a, b stand in a table of pairs.
    static constexpr std::size_t pairOf(Code a, Code b) { return std::size_t{a} * kCodes + b; }
    static constexpr std::size_t pairCount() { return kCodes * kCodes; }

    Code codeOf(Cell cell) const {
        return cell < latinCodes_.size() ? latinCodes_[cell] : otherCodeOf(cell);
    }
    Code otherCodeOf(Cell cell) const;
    Code codeForWordLetter(Cell cell);
    void addEntry(const std::vector<Code>& letters, int listed);
    void tabulateThrees();
    void indexOccurrences();
    std::ptrdiff_t indexOf(int row, int col) const {
        return (row + kBorder - 1) * width_ + col + kBorder - 1;
    }
    // Where a direction code's entries stand in steps_ and across_.
    static std::size_t directionIndex(int direction) {
        return static_cast<std::size_t>(direction >= 1 && direction <= 8 ? direction : 0);
    }
    std::ptrdiff_t stepOf(int direction) const { return steps_[directionIndex(direction)]; }

    // The tables of three letters in a row of a guarded word, each asked
    // with two of them for the set of the third, in one block.
    enum Table : std::size_t {
        kThird,         // a, b: the letters c
        kLastThird,     // a, b: the letters c that end a word
        kMiddle,        // a, c: the letters b
        kFirst,         // b, c: the letters a
        kFirstOfWord,   // b, c: the letters a that start a word
        kThirdOfStart,  // a, b that start a word: the letters c
        kThirdOfThree,  // a, b that start a word of three letters: the letters c
        kTables
    };
    // The tables lie two cache lines further apart than their size: the
    // lines a Spanish list uses would otherwise fall on the same few sets of
    // the nearest cache in every table and push each other out.
    static constexpr std::size_t kTableStride = kCodes * kCodes + 32;
    const Mask* table(Table which) const { return threes_.data() + which * kTableStride; }
    // Whether some guarded word holds the letters a, b, c in a row.
    bool holds(Table which, Code a, Code b, Code c) const {
        return (table(which)[pairOf(a, b)] & bitOf(c)) != 0;
    }
    // Whether the letter in `cell` forms three letters of a guarded word
    // with its neighbours along `step`. An empty cell has code 0, which no
    // word holds (its bit only stands for it with the rare codes from 32
    // up), so it needs no test of its own, and the question needs no branch.
    bool mayRead(const Code* cell, std::ptrdiff_t step) const {
        const Code x = *cell;
        const Code before = cell[-step];
        const Code after = cell[step];
        const Mask* const three = table(kThird);
        return ((three[pairOf(cell[-2 * step], before)] & bitOf(x)) |
                (three[pairOf(before, x)] & bitOf(after)) |
                (three[pairOf(x, after)] & bitOf(cell[2 * step]))) != 0;
    }
    // The letters that, written into `cell`, would make three letters of a
    // guarded word with its neighbours along `step`: on either side of them
    // or between them. An empty neighbour has code 0, which no word holds;
    // past an empty cell a reading can only end (or start) here, which far
    // fewer letters do.
    Mask suspectsAlong(const Code* cell, std::ptrdiff_t step) const {
        return suspectsAlong(threes_.data(), cell, step);
    }
    // The same from the tables at `threes`, which a loop keeps in a register:
    // a store through a Code pointer may change any member.
    static Mask suspectsAlong(const Mask* threes, const Code* cell, std::ptrdiff_t step) {
        const Code before = cell[-step];
        const Code after = cell[step];
        constexpr std::size_t pairs = kTableStride;
        return threes[kThird * pairs + kNextIfEmpty[after] + pairOf(cell[-2 * step], before)] |
               threes[kMiddle * pairs + pairOf(before, after)] |
               threes[kFirst * pairs + kNextIfEmpty[before] + pairOf(after, cell[2 * step])];
    }
    // By code, how far the table for a reading that stops at an empty
    // neighbour lies from the one for any reading: one load where a test and
    // a shift would take four instructions.
    static constexpr std::array<std::uint16_t, 256> kNextIfEmpty = [] {
        std::array<std::uint16_t, 256> next{};
        next[kNoCode] = static_cast<std::uint16_t>(kTableStride);
        return next;
    }();
    // Runs of four letters of a guarded word, hashed into a set of bits: a
    // reading of four letters or more through a cell holds one of the four
    // runs of four cells around it in its line. With the words of three
    // letters (kThirdOfThree) it turns away most of what the tables of three
    // send on, before the exact comparison.
    static constexpr int kRunBits = 14;
    static constexpr std::uint32_t runKey(Code a, Code b, Code c, Code d) {
        return (std::uint32_t{a} << 18) | (std::uint32_t{b} << 12) | (std::uint32_t{c} << 6) | d;
    }
    static constexpr std::uint32_t runHash(std::uint32_t key) {
        return (key * 2654435761U) >> (32 - kRunBits);
    }
    bool holdsRun(std::uint32_t key) const {
        const std::uint32_t hash = runHash(key);
        return ((runs_[hash / 64] >> (hash % 64)) & 1U) != 0;
    }
    void addRun(std::uint32_t key) {
        const std::uint32_t hash = runHash(key);
        runs_[hash / 64] |= std::uint64_t{1} << (hash % 64);
    }
    // Whether a guarded word may read through `cell` along `step`, the cell
    // read as `code`: false only when none does.
    bool mayReadThrough(const Code* cell, std::ptrdiff_t step, Code code) const;
    // The slow half of letterWouldMisread() and of the fill, for a letter a
    // line suspects. The fill keeps only the union of the four lines'
    // suspects, which it asks for every cell, and leaves the rare letter in
    // it to ask each line again here.
    bool letterMisreads(const Code* cell, Code code) const;
    // Whether a guarded word that holds `code` reads through `cell` along
    // `step` (> 0) where no placement explains it, the cell read as `code`
    // and its neighbours as they are.
    bool letterMisreadsInLine(const Code* cell, std::ptrdiff_t step, Code code) const;
    // Calls `found` for each guarded word that reads in the line of step
    // `step` (> 0) over every cell from `from` to `to` (filled cells); stops
    // and returns true when `found` does.
    template <typename Found>
    bool readingsInLine(std::ptrdiff_t step, std::ptrdiff_t from, std::ptrdiff_t to,
                        Found&& found) const;
    bool isAllowed(std::ptrdiff_t first, std::ptrdiff_t last, std::ptrdiff_t step) const;
    bool misreadInLine(std::ptrdiff_t step, std::ptrdiff_t from, std::ptrdiff_t to) const;

    QStringList listed_;
    QStringList rude_;
    std::array<Code, 256> latinCodes_{};  // codes of the characters below 256
    std::vector<std::pair<Cell, Code>> otherCodes_;
    Code nextCode_ = 28;
    std::vector<Code> letters_;
    std::vector<Entry> entries_;  // by first letter, forwards and backwards
    std::array<std::uint32_t, 65>
        firstEntry_{};  // entries_ of first code k: [firstEntry_[k], firstEntry_[k+1])
    int longest_ = 0;
    // The tables of Table, kTables blocks of pairCount() sets each, one
    // every kTableStride.
    std::vector<Mask> threes_;
    std::vector<std::uint64_t> runs_;  // the set of runs, 2^kRunBits bits
    int rows_ = 0;
    int cols_ = 0;
    std::ptrdiff_t width_ = 0;
    // By direction code (0 for none): its step in the mirror, and the steps
    // (> 0) of the three lines across it.
    std::array<std::ptrdiff_t, 9> steps_{};
    std::array<std::array<std::ptrdiff_t, 3>, 9> across_{};
    std::vector<Code> codes_;
    std::vector<Place> places_;
    Place trial_{0, 0, 0};  // the place wordWouldMisread() tries, length 0 when none
    std::vector<std::ptrdiff_t> newCells_;
    std::vector<std::ptrdiff_t> besideCells_;  // the new cells with a letter beside them across
    std::vector<Code> word_;
    std::vector<Entry> unsorted_;
    mutable std::vector<Code> line_;
    // Every letter of every entry, by the letter and its neighbour there:
    // the one before it (key pairOf(before, letter)), or for a first letter
    // the one after it (key pairCount() + pairOf(letter, after)).
    std::vector<Occurrence> occurrences_;
    std::vector<std::uint32_t> firstOccurrence_;
};

template <typename Draw>
int ReadingGuard::fillRow(Cell* cells, int row, std::span<const int> columns, int tries,
                          bool keepAnyway, bool& kept, Draw&& draw) {
    if (!isActive()) {
        for (const int c : columns) cells[c] = draw();
        return 0;
    }
    if (width_ == kNarrowWidth) {
        return fillRowOf<kNarrowWidth>(cells, row, columns, tries, keepAnyway, kept, draw);
    }
    return fillRowOf<0>(cells, row, columns, tries, keepAnyway, kept, draw);
}

template <std::ptrdiff_t Width, typename Draw>
int ReadingGuard::fillRowOf(Cell* cells, int row, std::span<const int> columns, int tries,
                            bool keepAnyway, bool& kept, Draw& draw) {
    const Mask* const threes = threes_.data();
    const std::ptrdiff_t width = Width != 0 ? Width : width_;
    const std::array<std::ptrdiff_t, 4> steps = {1, width, width + 1, width - 1};
    Code* const rowCodes = codes_.data() + indexOf(row, 1);
    for (const int c : columns) {
        Code* const slot = rowCodes + c;
        // The neighbours stay as they are while the cell is drawn again.
        const Mask any =
            suspectsAlong(threes, slot, steps[0]) | suspectsAlong(threes, slot, steps[1]) |
            suspectsAlong(threes, slot, steps[2]) | suspectsAlong(threes, slot, steps[3]);
        Cell letter = draw();
        Code code = codeOf(letter);
        for (int draws = 1; (any & bitOf(code)) != 0 && letterMisreads(slot, code); ++draws) {
            if (draws == tries) {
                if (!keepAnyway) return c + 1;
                kept = true;
                break;
            }
            letter = draw();
            code = codeOf(letter);
        }
        cells[c] = letter;
        *slot = code;
    }
    return 0;
}

// The letters that fill empty cells: the Spanish alphabet's 27 capitals.
inline constexpr std::u32string_view kFillLetters = U"ABCDEFGHIJKLMN\u00D1OPQRSTUVWXYZ";
Cell fillLetter(float draw);

// The fill letters of a puzzle: the Spanish alphabet's 27 capitals, and the
// other letters its placed words hold (Á, É, Í, Ó, Ú, Ü above all), drawn
// about as often as the words hold them, so that no letter gives its word
// away. When the words hold none of those, a draw gives exactly the letter
// fillLetter() gives.
class FillAlphabet {
  public:
    // Counts the letters of rows 1..rows, columns 1..cols of the placed grid.
    // Also lists the empty cells of each row, which the fill takes.
    FillAlphabet(const Grid& placed, int rows, int cols);
    Cell letter(float draw) const;
    // The columns (from 0) of the empty cells of row `row`, left to right.
    std::span<const int> emptyColumns(int row) const {
        const auto r = static_cast<std::size_t>(row - 1);
        return {emptyColumns_.data() + rowStarts_[r], rowStarts_[r + 1] - rowStarts_[r]};
    }

  private:
    std::vector<Cell> others_;  // one entry per placed cell that holds such a letter
    float share_ = 0;           // their share of the placed cells
    std::vector<int> emptyColumns_;
    std::vector<std::size_t> rowStarts_;  // where each row's columns start, and the end
};

}  // namespace sopaly
