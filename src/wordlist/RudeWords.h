#pragma once

#include <QString>
#include <QStringList>

namespace sopaly {

// The list of rude words that must never read in a puzzle by chance: a
// UTF-8 text file beside the banner lists, one word a line, that a teacher
// may edit. Lines that start with "#" are notes.
inline constexpr auto kRudeWordsFileName = "palabrotas.txt";

// The words of the list in the program folder, each as Enter would commit it
// (trimmed, in capitals). A missing or unreadable file gives no words.
QStringList readRudeWords(const QString& programFolder);

}  // namespace sopaly
