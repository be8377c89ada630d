#pragma once

#include <QByteArray>
#include <QString>

namespace sopaly {

// The one way the program puts a file on disk. The bytes go to a new file
// beside the target, every write is checked, and only a file that holds all
// of them is renamed over the target; on any failure the target is left as
// it was and the new file is removed. On failure returns false and, if
// `reason` is given, says why in the user's words ("disco lleno", ...).
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* reason = nullptr);

// Writes all of `size` bytes to the open descriptor, through short writes
// and interruptions. Returns 0, or the errno of the write that failed.
int writeAll(int fd, const char* data, qsizetype size);

// A system error number as the user reads it.
QString writeFailureReason(int error);

// The sentence that tells the user a file could not be saved.
QString writeFailureMessage(const QString& path, const QString& reason);

}  // namespace sopaly
