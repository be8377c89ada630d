#pragma once

#include <QByteArray>
#include <QString>

namespace sopaly {

// The largest list the program reads: a word list, the rude words, a
// banner list, a settings file.
inline constexpr qint64 kLargestListFile = 1024 * 1024;
// The largest picture or movie: a banner, the about window's movie.
inline constexpr qint64 kLargestPictureFile = 2 * 1024 * 1024;

// Why a file was not read.
enum class ReadRefusal {
    None,        // read
    Missing,     // nothing by that name
    NotRegular,  // a folder, a FIFO, a device, a socket
    TooLarge,    // more bytes than allowed
    Unreadable,  // no permission, or the system failed
};

struct CheckedBytes {
    QByteArray bytes;
    ReadRefusal refusal = ReadRefusal::None;
    bool ok() const { return refusal == ReadRefusal::None; }
};

// The one way the program reads a file. Only a regular file is read: it is
// opened without blocking, so that a FIFO or a device never holds the window
// (an open for reading waits for a writer otherwise), and then checked on
// the open descriptor, so that it cannot change kind between the check and
// the read. A file of more than `limit` bytes, or one that grows past it
// while being read, is refused, and no more than one byte past the limit is
// ever held in memory.
CheckedBytes readRegularFile(const QString& path, qint64 limit);

// The same checks without reading: whether a reader that opens the file
// itself (QSettings) may be handed `path`.
ReadRefusal checkRegularFile(const QString& path, qint64 limit);

}  // namespace sopaly
