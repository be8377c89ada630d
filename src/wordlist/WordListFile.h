#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "CheckedRead.h"
#include "WordList.h"

namespace sopaly {

// A word-list file larger than this is not read.
inline constexpr qint64 kLargestWordListFile = kLargestListFile;

// Whether the bytes are a text at all: after UTF-16 (told by its byte-order
// mark), no NUL byte, and no more than a tenth of the bytes C0 controls
// other than tab, carriage return, line feed and form feed.
bool isText(const QByteArray& bytes);

// The lines of a word-list file: UTF-16 LE or BE after its byte-order mark
// (UTF-8 when what follows the mark is valid UTF-8 with no zero byte);
// otherwise each line in UTF-8 where it is valid UTF-8 and in Windows-1252
// where not, a UTF-8 byte-order mark skipped; lines end in CR LF, LF or CR.
QStringList wordListLines(const QByteArray& bytes);

// What opening a word-list file gives.
struct WordListRead {
    QStringList words;        // each line with something to hide, as Enter commits it
    QStringList noLetters;    // the lines with no letter or digit, as committed
    QList<int> invalidLines;  // from 1: lines that did not decode to valid text, left out
    QString failure;          // why nothing can be added; empty on success
};

// Reads the file at `path` for a list that already holds `alreadyInList`
// words. Fails, adding nothing, when the file cannot be read, is no regular
// file, is larger than 1 MiB, is no text, or would take the list past its
// 32,767 words. A line that is not valid text (U+FFFD, a lone surrogate) is
// left out and named; the other lines are read.
WordListRead readWordListFile(const QString& path, int alreadyInList);
// The same for bytes already read (standard input), within the same limit.
WordListRead readWordListBytes(const QByteArray& bytes, int alreadyInList);

// Why a list file was refused, in the words of wordListReadMessage().
QString readRefusalReason(ReadRefusal refusal);

// The sentence that tells the user a word-list file could not be opened.
QString wordListReadMessage(const QString& path, const QString& failure);

// The sentence that names the lines of a word-list file that were left out
// because they are not valid text.
QString invalidLinesMessage(const QString& path, const QList<int>& lines);

// The sentence that tells the user a word-list file holds no word at all.
QString emptyWordListMessage(const QString& path);

// The bytes of a word-list file: one word a line, UTF-8, lines ended by CR LF.
QByteArray wordListFileBytes(const QStringList& words);

}  // namespace sopaly
