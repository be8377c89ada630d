#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

#include "Grid.h"
#include "Puzzle.h"

namespace sopaly {

// The puzzle text file: banner, finished puzzle, the words to find, the
// solution and a note on printing, in Windows-1252 with CR LF after every
// line. `rows` and `cols` are the readings of the size fields; each grid is
// printed no further than its own size, whatever the fields say.
QByteArray puzzleFileBytes(const Grid& wordGrid, const Grid& solutionGrid, int rows, int cols,
                           const QStringList& words);

// The first word holding a character that has no single Windows-1252 byte,
// or nothing when every word can be written as it stands.
std::optional<QString> firstUnencodableWord(const QStringList& words);

// Writes `bytes` to a file beside the target and only then puts it in the
// target's place, so a failed write never leaves a torn file where a good
// one was. On failure returns false and, if `error` is given, a sentence
// that says what went wrong.
bool writeFileReplacing(const QString& path, const QByteArray& bytes, QString* error);

// One puzzle file of a batch run: the puzzle's grids at the sizes the
// settings give (whole-number readings), the list's words in list order.
bool writePuzzleFile(const QString& path, const Puzzle& puzzle, const PuzzleSettings& settings,
                     const QStringList& words, QString* error);

// Windows-1252 bytes of `text`. A character without a byte of its own
// becomes 0x1A; `lossless`, if given, tells whether that happened.
QByteArray encodeWindows1252(QStringView text, bool* lossless = nullptr);

namespace detail {
// The code page as a table, used when the platform's converter does not
// know Windows-1252.
QByteArray encodeWindows1252ByTable(QStringView text, bool* lossless);
}  // namespace detail

}  // namespace sopaly
