#include "Cells.h"

#include <QHash>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cstdint>
#include <mutex>

#include "Shape.h"

namespace sopaly {

namespace {

// A letter with marks that no single code point stands for gets a cell
// value past the last code point, numbered in the order first seen. The
// grid keeps one char32_t a cell, so a copy stays a memcpy.
constexpr Cell kFirstClusterCell = 0x110000;

struct Clusters {
    std::mutex lock;
    QStringList texts;
    QHash<QString, Cell> cells;
};

Clusters& clusters() {
    static Clusters table;
    return table;
}

Cell clusterCell(const QString& text) {
    Clusters& table = clusters();
    const std::lock_guard guard(table.lock);
    const auto found = table.cells.constFind(text);
    if (found != table.cells.cend()) return *found;
    const Cell cell = kFirstClusterCell + static_cast<Cell>(table.texts.size());
    table.texts.append(text);
    table.cells.insert(text, cell);
    return cell;
}

bool isMark(char32_t codePoint) {
    const QChar::Category category = QChar::category(codePoint);
    return category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
           category == QChar::Mark_Enclosing;
}

// Below the first combining mark every text is already composed.
bool surelyComposed(QStringView word) {
    return std::all_of(word.begin(), word.end(), [](QChar c) { return c.unicode() < 0x300; });
}

// Whether each Latin-1 character is a letter or digit, as QChar says: every
// build asks it of every letter of every word, and a table answers without
// the branches of the ranges, which a word's letters take at random.
const std::array<std::uint8_t, 256>& latinLettersOrNumbers() {
    static const std::array<std::uint8_t, 256> table = [] {
        std::array<std::uint8_t, 256> letters{};
        for (char16_t c = 0; c < 256; ++c) letters[c] = QChar(c).isLetterOrNumber() ? 1 : 0;
        return letters;
    }();
    return table;
}

}  // namespace

void assignWordCells(std::u32string& cells, QStringView word) {
    cells.clear();
    // Every build asks this of every word: a word of Latin-1 letters holds
    // no mark and no surrogate, so each letter or digit is a cell of its
    // own, with no normalisation and no copy. The rare word with any other
    // character is read again the careful way.
    const std::array<std::uint8_t, 256>& letters = latinLettersOrNumbers();
    cells.resize(static_cast<std::size_t>(word.size()));
    std::size_t kept = 0;
    unsigned beyond = 0;  // the high bits of any character past Latin-1
    for (const QChar c : word) {
        beyond |= c.unicode() & 0xFF00U;
        cells[kept] = c.unicode();
        kept += letters[c.unicode() & 0xFFU];
    }
    cells.resize(kept);
    if (beyond == 0) return;
    cells.clear();
    if (surelyComposed(word)) {
        cells.reserve(static_cast<std::size_t>(word.size()));
        for (const QChar c : word) {
            if (c.isLetterOrNumber()) cells.push_back(c.unicode());
        }
        return;
    }
    const QString composed = word.toString().normalized(QString::NormalizationForm_C);
    word = composed;
    cells.reserve(static_cast<std::size_t>(word.size()));
    std::u32string cluster;
    const auto close = [&] {
        if (cluster.size() == 1) {
            cells.push_back(cluster.front());
        } else if (!cluster.empty()) {
            cells.push_back(clusterCell(QString::fromStdU32String(cluster)));
        }
        cluster.clear();
    };
    for (qsizetype i = 0; i < word.size(); ++i) {
        char32_t codePoint = word[i].unicode();
        if (word[i].isHighSurrogate() && i + 1 < word.size() && word[i + 1].isLowSurrogate()) {
            codePoint = QChar::surrogateToUcs4(word[i], word[i + 1]);
            ++i;
        }
        if (QChar::isLetterOrNumber(codePoint)) {
            close();
            cluster.push_back(codePoint);
        } else if (isMark(codePoint) && !cluster.empty()) {
            cluster.push_back(codePoint);
        } else {
            // A sign takes no cell, and a mark after it has no letter to sit on.
            close();
        }
    }
    close();
}

std::u32string wordCells(QStringView word) {
    std::u32string cells;
    assignWordCells(cells, word);
    return cells;
}

std::size_t cellCount(QStringView word) {
    const std::array<std::uint8_t, 256>& letters = latinLettersOrNumbers();
    std::size_t count = 0;
    unsigned beyond = 0;  // the high bits of any character past Latin-1
    for (const QChar c : word) {
        beyond |= c.unicode() & 0xFF00U;
        count += letters[c.unicode() & 0xFFU];
    }
    if (beyond == 0) return count;
    if (!surelyComposed(word)) return wordCells(word).size();
    return static_cast<std::size_t>(
        std::count_if(word.begin(), word.end(), [](QChar c) { return c.isLetterOrNumber(); }));
}

void appendCellText(QString& text, Cell cell) {
    if (cell == kBlankCell) return;  // a never-written cell prints as nothing
    if (cell == kOffShapeCell) {
        text.append(u' ');  // no cell: a space keeps the columns
        return;
    }
    if (cell >= kFirstClusterCell) {
        Clusters& table = clusters();
        const std::lock_guard guard(table.lock);
        text.append(table.texts.value(static_cast<qsizetype>(cell - kFirstClusterCell)));
        return;
    }
    if (QChar::requiresSurrogates(cell)) {
        text.append(QChar(QChar::highSurrogate(cell)));
        text.append(QChar(QChar::lowSurrogate(cell)));
    } else {
        text.append(QChar(static_cast<char16_t>(cell)));
    }
}

QString cellText(Cell cell) {
    QString text;
    appendCellText(text, cell);
    return text;
}

bool isRightToLeftCell(Cell cell) {
    // No script before Hebrew runs from right to left.
    if (cell < 0x0590) return false;
    char32_t letter = cell;
    if (cell >= kFirstClusterCell) {
        const QString text = cellText(cell);
        if (text.isEmpty()) return false;
        letter = text.toStdU32String().front();
    }
    const QChar::Direction direction = QChar::direction(letter);
    return direction == QChar::DirR || direction == QChar::DirAL || direction == QChar::DirAN;
}

}  // namespace sopaly
