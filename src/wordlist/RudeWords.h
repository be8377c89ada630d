#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace sopaly {

// The rude words that must never read in a puzzle by chance. The program
// carries its own list, so that a copy without its files still guards every
// puzzle; the administrator's and the teacher's `palabrotas.txt` (UTF-8, one
// word a line, "#" lines are notes) add words to it, and a line "-PALABRA"
// takes a built-in word away, for a word harmless in a region.
inline constexpr auto kRudeWordsFileName = "palabrotas.txt";

// What one such file says.
struct RudeWordsFile {
    QStringList added;    // as Enter would commit them: trimmed, in capitals
    QStringList removed;  // the words of the "-" lines, the same way
};
RudeWordsFile parseRudeWords(const QByteArray& bytes);

// The program's own list.
QStringList builtInRudeWords();

// The built-in words less those any of `files` removes, then the words they
// add. A file that is missing, unreadable, not a regular file or too large
// to be a word list changes nothing.
QStringList rudeWords(const QStringList& files);

// The same for the one file in `programFolder`.
QStringList readRudeWords(const QString& programFolder);

}  // namespace sopaly
