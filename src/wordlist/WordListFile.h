#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "WordList.h"

namespace sopaly {

// A word-list file larger than this is not read.
inline constexpr qint64 kLargestWordListFile = 1024 * 1024;

// The lines of a word-list file: UTF-8 with or without a byte-order mark,
// or Windows-1252 when the bytes are not valid UTF-8; lines end in CR LF,
// LF or CR.
QStringList wordListLines(const QByteArray& bytes);

// What opening a word-list file gives.
struct WordListRead {
    QStringList words;  // each non-blank line as Enter commits it, in file order
    QString failure;    // why nothing can be added; empty on success
};

// Reads the file at `path` for a list that already holds `alreadyInList`
// words. Fails, adding nothing, when the file cannot be read, is larger than
// 1 MiB or would take the list past its 32,767 words.
WordListRead readWordListFile(const QString& path, int alreadyInList);

// The sentence that tells the user a word-list file could not be opened.
QString wordListReadMessage(const QString& path, const QString& failure);

// The bytes of a word-list file: one word a line, UTF-8, lines ended by CR LF.
QByteArray wordListFileBytes(const QStringList& words);

}  // namespace sopaly
