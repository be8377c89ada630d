#include "PuzzleFile.h"

#include <QStringEncoder>
#include <algorithm>
#include <array>

#include "Cells.h"
#include "Numbers.h"
#include "Product.h"
#include "SafeWrite.h"
#include "Shape.h"

namespace sopaly {

namespace {

constexpr QStringView kLineEnd = u"\r\n";
constexpr QStringView kSpacer = u" ";
constexpr char kSubstitute = '\x1A';

void appendLine(QString& text, QStringView line) {
    text.append(line);
    text.append(kLineEnd);
}

void appendSpacers(QString& text, int count) {
    for (int i = 0; i < count; ++i) appendLine(text, kSpacer);
}

// Rows 1..rows, columns 1..cols of `grid`, every cell followed by a space.
// The fields may have been edited since the grid was sized, so the reading
// never goes past the grid.
void appendGrid(QString& text, const Grid& grid, int rows, int cols) {
    const int lastRow = std::min(rows, grid.rows());
    const int lastCol = std::min(cols, grid.cols());
    for (int r = 1; r <= lastRow; ++r) {
        QString line;
        for (int c = 1; c <= lastCol; ++c) {
            appendCellText(line, grid.at(r, c));
            line.append(u' ');
        }
        appendLine(text, line);
    }
}

qsizetype codePointCount(QStringView text) {
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
        ++count;
    }
    return count;
}

// The characters of 0x80..0x9F; 0 where the code page leaves the byte to
// the C1 control of the same number.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

std::optional<char> tableByte(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        return static_cast<char>(codePoint);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        const char32_t mapped = kHighControls[i] != 0 ? kHighControls[i] : 0x80 + i;
        if (mapped == codePoint) return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

}  // namespace

namespace detail {

QByteArray encodeWindows1252ByTable(QStringView text, bool* lossless) {
    QByteArray bytes;
    bytes.reserve(text.size());
    bool complete = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t codePoint = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            codePoint = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        const std::optional<char> byte = tableByte(codePoint);
        complete = complete && byte.has_value();
        bytes.append(byte.value_or(kSubstitute));
    }
    if (lossless) *lossless = complete;
    return bytes;
}

}  // namespace detail

QByteArray encodeWindows1252(QStringView text, bool* lossless) {
    QStringEncoder encoder("windows-1252");
    if (!encoder.isValid()) return detail::encodeWindows1252ByTable(text, lossless);
    QByteArray bytes = encoder.encode(text);
    // The converter drops some characters without calling it an error (a
    // zero-width no-break space, for one), so a byte must stand for every
    // character as well.
    if (lossless) *lossless = !encoder.hasError() && bytes.size() == codePointCount(text);
    return bytes;
}

QByteArray puzzleFileBytes(const Grid& wordGrid, const Grid& solutionGrid, int rows, int cols,
                           const QStringList& words) {
    // The file's lines stay the same in every language: the file is a fixed
    // layout that other programs and Sopaly itself read back.
    QString text;
    appendLine(text, QStringLiteral("Sopaly!!! by ") + productAuthor() + QStringLiteral(" (") +
                         productBaseAddress() + u')');
    appendSpacers(text, 2);
    appendGrid(text, wordGrid, rows, cols);
    appendSpacers(text, 3);
    appendLine(text, u"Palabras Para Buscar:");
    for (const QString& word : words) appendLine(text, word);
    appendSpacers(text, 3);
    appendGrid(text, solutionGrid, rows, cols);
    appendSpacers(text, 2);
    appendLine(text, u"********** NOTA *****************");
    appendLine(text, u" Importa este archivo a Word y");
    appendLine(text, u" cambia la fuente a Courier New.");
    appendLine(text, u"*********************************");
    return encodeWindows1252(text);
}

std::optional<QString> firstUnencodableWord(const QStringList& words) {
    for (const QString& word : words) {
        bool lossless = false;
        encodeWindows1252(word, &lossless);
        if (!lossless) return word;
    }
    return std::nullopt;
}

QStringList unencodableCharacters(const QString& word) {
    QStringList characters;
    bool whole = false;
    encodeWindows1252(word, &whole);
    if (whole) return characters;
    for (const char32_t c : word.toUcs4()) {
        const QString character = QString::fromUcs4(&c, 1);
        bool lossless = false;
        encodeWindows1252(character, &lossless);
        if (lossless) continue;
        const QChar::Category category = QChar::category(c);
        const bool mark = category == QChar::Mark_NonSpacing ||
                          category == QChar::Mark_SpacingCombining ||
                          category == QChar::Mark_Enclosing;
        const QString shown = mark ? QStringLiteral("\u25CC") + character : character;
        if (!characters.contains(shown)) characters << shown;
    }
    return characters;
}

QString unencodableLetters(const QStringList& words) {
    QStringList named;
    for (const QString& word : words) {
        const QStringList characters = unencodableCharacters(word);
        if (characters.isEmpty()) continue;
        const QString entry = word + QStringLiteral(": ") + characters.join(QStringLiteral(", "));
        // A word listed twice is named once.
        if (!named.contains(entry)) named << entry;
    }
    return named.join(QStringLiteral("; "));
}

bool writePuzzleFile(FileWriter& writer, const QString& path, const Puzzle& puzzle,
                     const PuzzleSettings& settings, const QStringList& words, QString* reason) {
    const QByteArray bytes =
        puzzleFileBytes(puzzle.WordGrid, puzzle.SolutionGrid, wholeNumber(settings.rowsText),
                        wholeNumber(settings.colsText), placedInListOrder(words, puzzle));
    return writer.write(path, bytes, reason);
}

}  // namespace sopaly
