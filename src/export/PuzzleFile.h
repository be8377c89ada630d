#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

#include "Grid.h"
#include "Puzzle.h"
#include "SafeWrite.h"

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

// The characters of `word` that have no single Windows-1252 byte, each once,
// in the order they come; a mark is shown on a dotted circle.
QStringList unencodableCharacters(const QString& word);

// Each word of `words` a puzzle file cannot hold, with those characters:
// "ŁÓDŹ: Ł, Ź; 中文: 中, 文". Empty when a file holds them all.
QString unencodableLetters(const QStringList& words);

// One puzzle file of a batch run: the puzzle's grids at the sizes the
// settings give (whole-number readings), and the words of the list `words`
// that the grid holds, in list order: a pupil hunts only for what is there.
// On failure `reason` says why, in the user's words.
bool writePuzzleFile(FileWriter& writer, const QString& path, const Puzzle& puzzle,
                     const PuzzleSettings& settings, const QStringList& words, QString* reason);

// Windows-1252 bytes of `text`. A character without a byte of its own
// becomes 0x1A; `lossless`, if given, tells whether that happened.
QByteArray encodeWindows1252(QStringView text, bool* lossless = nullptr);

namespace detail {
// The code page as a table, used when the platform's converter does not
// know Windows-1252.
QByteArray encodeWindows1252ByTable(QStringView text, bool* lossless);
}  // namespace detail

}  // namespace sopaly
