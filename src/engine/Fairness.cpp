#include "Fairness.h"

#include <algorithm>
#include <cstdlib>

#include "Cells.h"
#include "Directions.h"
#include "Shape.h"

namespace sopaly {

namespace {

constexpr Cell foldLatin(Cell cell) {
    switch (cell) {
        case U'\u00C0':
        case U'\u00C1':
        case U'\u00C2':
        case U'\u00C3':
        case U'\u00C4':
            return U'A';
        case U'\u00C8':
        case U'\u00C9':
        case U'\u00CA':
        case U'\u00CB':
            return U'E';
        case U'\u00CC':
        case U'\u00CD':
        case U'\u00CE':
        case U'\u00CF':
            return U'I';
        case U'\u00D2':
        case U'\u00D3':
        case U'\u00D4':
        case U'\u00D5':
        case U'\u00D6':
            return U'O';
        case U'\u00D9':
        case U'\u00DA':
        case U'\u00DB':
        case U'\u00DC':
            return U'U';
        default:
            return cell;
    }
}

}  // namespace

Cell foldAccent(Cell cell) {
    return foldLatin(cell);
}

std::u32string foldAccents(std::u32string_view word) {
    std::u32string folded(word);
    for (Cell& cell : folded) cell = foldLatin(cell);
    return folded;
}

namespace {

// Codes of the characters below 256: 1 to 26 for A to Z, 27 for Ñ, the
// accented vowels as their plain vowel, 0 for an empty cell, and 63 for
// everything else until a word holds it.
constexpr std::array<std::uint8_t, 256> kLatinCodes = [] {
    std::array<std::uint8_t, 256> codes{};
    codes.fill(63);
    codes[kEmptyCell] = 0;
    codes[kBlankCell] = 0;
    for (Cell letter = U'A'; letter <= U'Z'; ++letter) {
        codes[letter] = static_cast<std::uint8_t>(letter - U'A' + 1);
    }
    codes[U'\u00D1'] = 27;
    for (Cell cell = 0xC0; cell < 0x100; ++cell) {
        if (foldLatin(cell) != cell) codes[cell] = codes[foldLatin(cell)];
    }
    return codes;
}();

}  // namespace

void ReadingGuard::reset(std::span<const QString> listed, const QStringList& rude) {
    // A batch builds puzzle after puzzle from the same words.
    if (rude_ == rude && std::ranges::equal(listed_, listed) && !letters_.empty()) return;
    listed_ = QStringList(listed.begin(), listed.end());
    rude_ = rude;
    latinCodes_ = kLatinCodes;
    otherCodes_.clear();
    nextCode_ = 28;
    letters_.clear();
    unsorted_.clear();
    entries_.clear();
    longest_ = 0;

    const auto add = [&](const QString& text, int listedIndex) {
        if (text.size() < kShortestGuardedWord) return;
        // A word reads in the grid as the cells it takes there.
        word_.clear();
        for (const Cell cell : wordCells(text)) {
            const Code code = codeForWordLetter(cell);
            // A letter that reads as an empty cell can never be read.
            if (code == kNoCode) return;
            word_.push_back(code);
        }
        if (word_.size() < static_cast<std::size_t>(kShortestGuardedWord)) return;
        addEntry(word_, listedIndex);
        if (!std::equal(word_.begin(), word_.end(), word_.rbegin())) {
            std::reverse(word_.begin(), word_.end());
            addEntry(word_, listedIndex);
        }
    };
    for (std::size_t i = 0; i < listed.size(); ++i) add(listed[i], static_cast<int>(i));
    for (const QString& text : rude) add(text, -1);
    tabulateThrees();

    // By first letter, so that a reading looks only at the words that start
    // with the letter it starts with.
    firstEntry_.fill(0);
    for (const Entry& entry : unsorted_) ++firstEntry_[letters_[entry.offset] + 1U];
    for (std::size_t code = 1; code < firstEntry_.size(); ++code) {
        firstEntry_[code] += firstEntry_[code - 1];
    }
    entries_.resize(unsorted_.size());
    std::array<std::uint32_t, 65> next = firstEntry_;
    for (const Entry& entry : unsorted_) entries_[next[letters_[entry.offset]]++] = entry;
    indexOccurrences();
}

void ReadingGuard::indexOccurrences() {
    // A letter of the fill looks only at the places it takes in the words
    // with the neighbour it has there: the letter before it, or for a first
    // letter the one after it.
    firstOccurrence_.assign(2 * pairCount() + 1, 0);
    const auto keyOf = [&](const Code* letters, std::uint16_t k) {
        return k > 0 ? pairOf(letters[k - 1], letters[k])
                     : pairCount() + pairOf(letters[k], letters[k + 1]);
    };
    for (const Entry& entry : entries_) {
        const Code* const letters = letters_.data() + entry.offset;
        for (std::uint16_t k = 0; k < entry.length; ++k) {
            ++firstOccurrence_[keyOf(letters, k) + 1];
        }
    }
    for (std::size_t key = 1; key < firstOccurrence_.size(); ++key) {
        firstOccurrence_[key] += firstOccurrence_[key - 1];
    }
    occurrences_.resize(firstOccurrence_.back());
    std::vector<std::uint32_t> next(firstOccurrence_);
    for (const Entry& entry : entries_) {
        const Code* const letters = letters_.data() + entry.offset;
        for (std::uint16_t k = 0; k < entry.length; ++k) {
            occurrences_[next[keyOf(letters, k)]++] = {entry.offset, entry.length, k};
        }
    }
    // Those with the fewest letters after theirs first: a question stops at
    // the first that needs more letters than the line holds after the cell,
    // and the fill's cells mostly have none.
    for (std::size_t key = 0; key + 1 < firstOccurrence_.size(); ++key) {
        std::stable_sort(
            occurrences_.begin() + firstOccurrence_[key],
            occurrences_.begin() + firstOccurrence_[key + 1],
            [](const Occurrence& a, const Occurrence& b) { return ahead(a) < ahead(b); });
    }
}

ReadingGuard::Code ReadingGuard::otherCodeOf(Cell cell) const {
    for (const auto& [other, code] : otherCodes_) {
        if (other == cell) return code;
    }
    return kForeignCode;
}

ReadingGuard::Code ReadingGuard::codeForWordLetter(Cell cell) {
    const Code known = codeOf(cell);
    if (known != kForeignCode) return known;
    // Past the codes there are, such letters share the foreign code: a cell
    // of another strange letter may then be refused, never let through.
    if (nextCode_ >= kForeignCode) return kForeignCode;
    const Code code = nextCode_++;
    if (cell < latinCodes_.size()) {
        latinCodes_[cell] = code;
    } else {
        otherCodes_.emplace_back(cell, code);
    }
    return code;
}

void ReadingGuard::addEntry(const std::vector<Code>& letters, int listed) {
    const auto offset = static_cast<std::uint32_t>(letters_.size());
    letters_.insert(letters_.end(), letters.begin(), letters.end());
    unsorted_.push_back({offset,
                         static_cast<std::uint16_t>(std::min<std::size_t>(letters.size(), 65535)),
                         static_cast<std::int16_t>(listed)});
    longest_ = std::max(longest_, static_cast<int>(letters.size()));
}

void ReadingGuard::tabulateThrees() {
    const std::size_t pairs = kTableStride;
    threes_.assign(kTables * pairs, 0);
    runs_.assign(std::size_t{1} << (kRunBits - 6), 0);
    const auto add = [&](Table which, Code x, Code y, Code z) {
        threes_[which * pairs + pairOf(x, y)] |= bitOf(z);
    };
    for (const Entry& entry : unsorted_) {
        const Code* const letters = letters_.data() + entry.offset;
        for (std::size_t k = 0; k + 2 < entry.length; ++k) {
            const Code a = letters[k];
            const Code b = letters[k + 1];
            const Code c = letters[k + 2];
            add(kThird, a, b, c);
            add(kMiddle, a, c, b);
            add(kFirst, b, c, a);
            if (k == 0) {
                add(kFirstOfWord, b, c, a);
                add(kThirdOfStart, a, b, c);
            }
            if (k + 3 == entry.length) add(kLastThird, a, b, c);
            if (k + 3 < entry.length) addRun(runKey(a, b, c, letters[k + 3]));
        }
        if (entry.length == kShortestGuardedWord) {
            add(kThirdOfThree, letters[0], letters[1], letters[2]);
        }
    }
}

void ReadingGuard::mirror(const Grid& grid) {
    rows_ = grid.rows();
    cols_ = grid.cols();
    // Puzzle after puzzle of one size keeps its steps.
    const std::ptrdiff_t width = std::max<std::ptrdiff_t>(cols_ + 2 * kBorder, kNarrowWidth);
    const bool sameWidth = width_ == width;
    width_ = width;
    for (int direction = 0; direction <= 8 && !sameWidth; ++direction) {
        const Step step = directionStep(direction);
        const std::ptrdiff_t along = std::abs(step.dRow * width_ + step.dCol);
        steps_[static_cast<std::size_t>(direction)] = step.dRow * width_ + step.dCol;
        auto& across = across_[static_cast<std::size_t>(direction)];
        std::size_t lines = 0;
        for (const std::ptrdiff_t line : {std::ptrdiff_t{1}, width_, width_ + 1, width_ - 1}) {
            if (line != along && lines < across.size()) across[lines++] = line;
        }
    }
    codes_.assign(static_cast<std::size_t>((rows_ + 2 * kBorder) * width_), kNoCode);
    places_.clear();
    line_.resize(static_cast<std::size_t>(std::max(rows_, cols_) + 1));
    if (!isActive()) return;
    for (int r = 1; r <= rows_; ++r) {
        const Cell* cell = grid.cellPointer(r, 1);
        Code* code = codes_.data() + indexOf(r, 1);
        for (int c = 1; c <= cols_; ++c) *code++ = codeOf(*cell++);
    }
}

template <typename Found>
bool ReadingGuard::readingsInLine(std::ptrdiff_t step, std::ptrdiff_t from, std::ptrdiff_t to,
                                  Found&& found) const {
    const Code* const codes = codes_.data();
    // A reading that covers a cell from `from` to `to` starts at most
    // longest - 1 cells before it and ends as far after.
    std::ptrdiff_t begin = from;
    for (int k = 1; k < longest_ && codes[begin - step] != kNoCode; ++k) begin -= step;
    std::ptrdiff_t end = to;
    for (int k = 1; k < longest_ && codes[end + step] != kNoCode; ++k) end += step;
    const auto length = static_cast<int>((end - begin) / step) + 1;
    if (length < kShortestGuardedWord) return false;
    if (static_cast<std::size_t>(length) > line_.size())
        line_.resize(static_cast<std::size_t>(length));
    Code* const line = line_.data();
    for (int k = 0; k < length; ++k) line[k] = codes[begin + k * step];
    const auto fromAt = static_cast<int>((from - begin) / step);
    const auto toAt = static_cast<int>((to - begin) / step);
    for (int t = 0; t + kShortestGuardedWord <= length && t <= fromAt; ++t) {
        if (!holds(kThirdOfStart, line[t], line[t + 1], line[t + 2])) continue;
        const std::uint32_t last = firstEntry_[line[t] + 1U];
        for (std::uint32_t e = firstEntry_[line[t]]; e < last; ++e) {
            const Entry& entry = entries_[e];
            const int size = entry.length;
            if (t + size > length || t + size - 1 < toAt) continue;
            const Code* const letters = letters_.data() + entry.offset;
            if (!std::equal(letters + 1, letters + size, line + t + 1)) continue;
            if (found(entry, begin + t * step, begin + (t + size - 1) * step)) return true;
        }
    }
    return false;
}

bool ReadingGuard::isAllowed(std::ptrdiff_t first, std::ptrdiff_t last, std::ptrdiff_t step) const {
    const auto on = [](const Place& place, std::ptrdiff_t cell) {
        const std::ptrdiff_t distance = cell - place.start;
        if (distance % place.step != 0) return false;
        const std::ptrdiff_t k = distance / place.step;
        return k >= 0 && k < place.length;
    };
    const auto explains = [&](const Place& place) {
        return (place.step == step || place.step == -step) && on(place, first) && on(place, last);
    };
    if (trial_.length > 0 && explains(trial_)) return true;
    return std::any_of(places_.begin(), places_.end(), explains);
}

bool ReadingGuard::misreadInLine(std::ptrdiff_t step, std::ptrdiff_t from,
                                 std::ptrdiff_t to) const {
    return readingsInLine(step, from, to,
                          [&](const Entry&, std::ptrdiff_t first, std::ptrdiff_t last) {
                              return !isAllowed(first, last, step);
                          });
}

bool ReadingGuard::letterMisreads(const Code* cell, Code code) const {
    for (const std::ptrdiff_t step : {std::ptrdiff_t{1}, width_, width_ + 1, width_ - 1}) {
        if ((suspectsAlong(cell, step) & bitOf(code)) != 0 &&
            letterMisreadsInLine(cell, step, code)) {
            return true;
        }
    }
    return false;
}

bool ReadingGuard::mayReadThrough(const Code* cell, std::ptrdiff_t step, Code code) const {
    const Code before = cell[-step];
    const Code twoBefore = cell[-2 * step];
    const Code after = cell[step];
    const Code twoAfter = cell[2 * step];
    // A word of three letters ending, centred on or starting at the cell.
    const Mask* const three = table(kThirdOfThree);
    if (((three[pairOf(twoBefore, before)] & bitOf(code)) |
         (three[pairOf(before, code)] & bitOf(after)) |
         (three[pairOf(code, after)] & bitOf(twoAfter))) != 0) {
        return true;
    }
    // A run of four, asked only where its cells hold letters: the third
    // cell on a side is then within the border.
    if (before != kNoCode) {
        if (twoBefore != kNoCode && holdsRun(runKey(cell[-3 * step], twoBefore, before, code))) {
            return true;
        }
        if (after != kNoCode && holdsRun(runKey(twoBefore, before, code, after))) return true;
    }
    if (after != kNoCode) {
        if (twoAfter != kNoCode && holdsRun(runKey(code, after, twoAfter, cell[3 * step]))) {
            return true;
        }
        if (before != kNoCode && holdsRun(runKey(before, code, after, twoAfter))) return true;
    }
    return false;
}

bool ReadingGuard::letterMisreadsInLine(const Code* cell, std::ptrdiff_t step, Code code) const {
    if (!mayReadThrough(cell, step, code)) return false;
    const Code before = cell[-step];
    const Code after = cell[step];
    const std::ptrdiff_t at = cell - codes_.data();
    // The letters in the line after the cell, up to the first empty one.
    int filled = 0;
    while (filled < longest_ && cell[(filled + 1) * step] != kNoCode) ++filled;
    const auto readsFrom = [&](std::size_t key) {
        for (std::uint32_t n = firstOccurrence_[key]; n < firstOccurrence_[key + 1]; ++n) {
            const Occurrence& occurrence = occurrences_[n];
            const int ahead = ReadingGuard::ahead(occurrence);
            if (ahead > filled) break;
            // Word letters are never 0: a comparison stops at the first
            // empty cell or border, so no reading looks past the border.
            const Code* const letters = letters_.data() + occurrence.offset + occurrence.at;
            const int behind = occurrence.at;
            bool reads = true;
            for (int j = 1; j <= ahead && reads; ++j) reads = letters[j] == cell[j * step];
            for (int j = 2; j <= behind && reads; ++j) reads = letters[-j] == cell[-j * step];
            if (reads && !isAllowed(at - behind * step, at + ahead * step, step)) return true;
        }
        return false;
    };
    return (before != kNoCode && readsFrom(pairOf(before, code))) ||
           (after != kNoCode && readsFrom(pairCount() + pairOf(code, after)));
}

std::size_t ReadingGuard::writeTrialLetters(std::u32string_view word, std::ptrdiff_t start,
                                            std::ptrdiff_t step) {
    const auto length = static_cast<std::ptrdiff_t>(word.size());
    // Written in without a branch: the word's letters and the grid's lie
    // about at random. A cell the grid holds keeps its code.
    if (newCells_.size() < static_cast<std::size_t>(length)) {
        newCells_.resize(static_cast<std::size_t>(length));
        besideCells_.resize(static_cast<std::size_t>(length));
    }
    std::size_t added = 0;
    for (std::ptrdiff_t k = 0; k < length; ++k) {
        Code& code = codes_[static_cast<std::size_t>(start + k * step)];
        const Code old = code;
        const Code letter = codeOf(word[static_cast<std::size_t>(k)]);
        code = old != kNoCode ? old : letter;
        newCells_[added] = start + k * step;
        added += static_cast<std::size_t>((old == kNoCode) & (letter != kNoCode));
    }
    return added;
}

bool ReadingGuard::wordWouldMisread(std::u32string_view word, int row, int col, int direction) {
    if (!isActive() || word.empty()) return false;
    const std::ptrdiff_t step = stepOf(direction);
    const std::ptrdiff_t start = indexOf(row, col);
    const auto length = static_cast<std::ptrdiff_t>(word.size());
    const std::size_t added = writeTrialLetters(word, start, step);
    // Letters it shares with the grid already read as they did.
    if (added == 0) return false;
    trial_ = {start, step, static_cast<int>(length)};
    const std::ptrdiff_t along = std::abs(step);
    const std::ptrdiff_t end = start + (length - 1) * step;
    // Along its own line a reading within the word's cells is its own; only
    // one that runs on over either end into a letter beyond can be new.
    const std::ptrdiff_t low = std::min(start, end);
    const std::ptrdiff_t high = std::max(start, end);
    const Code* const codes = codes_.data();
    const auto runsOn = [&](std::ptrdiff_t first, std::ptrdiff_t second) {
        if (codes[first] == kNoCode || codes[second] == kNoCode) return false;
        const Code before = codes[first - along];
        const Code after = codes[second + along];
        const bool may =
            (before != kNoCode && holds(kThird, before, codes[first], codes[second])) ||
            (after != kNoCode && holds(kThird, codes[first], codes[second], after));
        return may && misreadInLine(along, first, second);
    };
    bool misread = runsOn(low - along, low) || runsOn(high, high + along);
    if (!misread) {
        misread = misreadsAcross(added, across_[directionIndex(direction)]);
    }
    trial_.length = 0;
    for (std::size_t n = 0; n < added; ++n)
        codes_[static_cast<std::size_t>(newCells_[n])] = kNoCode;
    return misread;
}

bool ReadingGuard::misreadsAcross(std::size_t added, std::array<std::ptrdiff_t, 3> across) {
    const Code* const codes = codes_.data();
    // A new letter with no letter beside it across forms no three letters
    // there: while words are placed the grid is mostly empty, and a look at
    // the six cells beside it spares most letters the tables. Kept without a
    // branch, as letters and empty cells lie about at random.
    std::size_t beside = 0;
    for (std::size_t n = 0; n < added; ++n) {
        const Code* const at = codes + newCells_[n];
        const Code neighbours = at[-across[0]] | at[across[0]] | at[-across[1]] | at[across[1]] |
                                at[-across[2]] | at[across[2]];
        besideCells_[beside] = newCells_[n];
        beside += static_cast<std::size_t>(neighbours != kNoCode);
    }
    // For every such letter at once: almost none forms three letters of a
    // guarded word in any of them.
    bool may = false;
    for (std::size_t n = 0; n < beside; ++n) {
        const Code* const at = codes + besideCells_[n];
        may |= mayRead(at, across[0]) | mayRead(at, across[1]) | mayRead(at, across[2]);
    }
    if (!may) return false;
    for (std::size_t n = 0; n < beside; ++n) {
        const Code* const at = codes + besideCells_[n];
        if (std::any_of(across.begin(), across.end(), [&](std::ptrdiff_t line) {
                return mayRead(at, line) && letterMisreadsInLine(at, line, *at);
            })) {
            return true;
        }
    }
    return false;
}

void ReadingGuard::place(std::u32string_view word, int row, int col, int direction) {
    if (!isActive() || word.empty()) return;
    const std::ptrdiff_t step = stepOf(direction);
    const std::ptrdiff_t start = indexOf(row, col);
    for (std::size_t k = 0; k < word.size(); ++k) {
        codes_[static_cast<std::size_t>(start + static_cast<std::ptrdiff_t>(k) * step)] =
            codeOf(word[k]);
    }
    places_.push_back({start, step, static_cast<int>(word.size())});
}

QStringList ReadingGuard::misreadWords() const {
    std::vector<bool> misread(static_cast<std::size_t>(listed_.size()), false);
    if (isActive()) {
        for (const std::ptrdiff_t along : {std::ptrdiff_t{1}, width_, width_ + 1, width_ - 1}) {
            for (int r = 1; r <= rows_; ++r) {
                for (int c = 1; c <= cols_; ++c) {
                    const std::ptrdiff_t at = indexOf(r, c);
                    if (codes_[static_cast<std::size_t>(at)] == kNoCode) continue;
                    // Each cell once, as the last letter a reading may end on.
                    readingsInLine(
                        along, at, at,
                        [&](const Entry& entry, std::ptrdiff_t first, std::ptrdiff_t last) {
                            if (std::max(first, last) == at && entry.listed >= 0 &&
                                !isAllowed(first, last, along)) {
                                misread[static_cast<std::size_t>(entry.listed)] = true;
                            }
                            return false;
                        });
                }
            }
        }
    }
    QStringList words;
    for (std::size_t i = 0; i < misread.size(); ++i) {
        if (misread[i] && !words.contains(listed_.at(static_cast<qsizetype>(i)))) {
            words << listed_.at(static_cast<qsizetype>(i));
        }
    }
    return words;
}

namespace {

// What a placed cell is to the fill alphabet: bit 0 a letter (not an empty,
// blank or off-shape cell), bit 1 a letter other than the alphabet's 27
// capitals. Every character from U+00FF up is such a letter, as U+00FF is.
constexpr std::array<std::uint8_t, 256> kPlacedKinds = [] {
    std::array<std::uint8_t, 256> kinds{};
    for (Cell cell = 0; cell < 256; ++cell) {
        const bool letter = cell != kEmptyCell && cell != kBlankCell && cell != kOffShapeCell;
        const bool capital = (cell >= U'A' && cell <= U'Z') || cell == U'\u00D1';
        kinds[cell] = static_cast<std::uint8_t>((letter ? 1 : 0) | (letter && !capital ? 2 : 0));
    }
    return kinds;
}();
static_assert(kPlacedKinds[0xFF] == 3);

}  // namespace

FillAlphabet::FillAlphabet(const Grid& placed, int rows, int cols) {
    // Letters and empty cells lie about the grid at random: the cells are
    // counted, the other letters kept and the empty cells listed without a
    // branch on any of them, in the one pass over the grid the fill makes
    // before its first draw.
    const std::size_t cells =
        static_cast<std::size_t>(std::max(rows, 0)) * static_cast<std::size_t>(std::max(cols, 0));
    others_.resize(cells);
    emptyColumns_.resize(cells);
    rowStarts_.assign(static_cast<std::size_t>(std::max(rows, 0)) + 1, 0);
    std::size_t kept = 0;
    std::size_t empty = 0;
    int letters = 0;
    for (int r = 1; r <= rows; ++r) {
        const Cell* const row = placed.cellPointer(r, 1);
        rowStarts_[static_cast<std::size_t>(r - 1)] = empty;
        for (int c = 0; c < cols; ++c) {
            const Cell cell = row[c];
            const unsigned kind = kPlacedKinds[std::min<Cell>(cell, 0xFF)];
            letters += static_cast<int>(kind & 1U);
            others_[kept] = cell;
            kept += kind >> 1U;
            emptyColumns_[empty] = c;
            empty += static_cast<std::size_t>(cell == kEmptyCell);
        }
    }
    if (rows > 0) rowStarts_.back() = empty;
    others_.resize(kept);
    // However many such letters the words hold, every capital of the
    // alphabet keeps at least half the draws.
    if (letters > 0) {
        share_ = std::min(0.5F, static_cast<float>(others_.size()) / static_cast<float>(letters));
    }
}

Cell FillAlphabet::letter(float draw) const {
    if (others_.empty()) return fillLetter(draw);
    if (draw < share_) {
        const auto count = others_.size();
        const auto k = std::min(
            count - 1, static_cast<std::size_t>(draw / share_ * static_cast<float>(count)));
        return others_[k];
    }
    return fillLetter((draw - share_) / (1.0F - share_));
}

}  // namespace sopaly
