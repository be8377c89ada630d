#pragma once

#include <QByteArray>
#include <QString>

namespace sopaly {

// Whether a file must be on the disk itself before its write counts as done.
enum class Durability {
    // Made again at will (the puzzles of a batch): a crash of the system may
    // lose the newest bytes, but a torn file never takes a good one's place.
    Replaceable,
    // The user's own work (a word list, a PDF): the file is synced before
    // the rename and its folder after it.
    Durable,
};

// The one way the program puts files on disk. The bytes go to a new file
// beside the target, every write and the close are checked, and only a file
// that holds all of them is renamed over the target; on any failure the
// target is left as it was and the new file is removed.
//
// It owns only the file it writes: a replaced file's storage is never
// reused, so its other names (a backup made with `cp -al`) keep what they
// held. A target that is a symbolic link stays one, and the file it names is
// replaced beside itself. A replaced file's mode carries over, and its owner
// and group where the system allows it; a file system that holds no modes
// or owners (FAT) is no failure.
//
// On failure write() returns false and, if `reason` is given, says why in
// the user's words ("disco lleno", ...).
class FileWriter {
  public:
    explicit FileWriter(Durability durability = Durability::Replaceable)
        : durability_(durability) {}

    bool write(const QString& path, const QByteArray& bytes, QString* reason = nullptr) const;

  private:
    Durability durability_;
};

// One file through a writer of its own.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* reason = nullptr,
                         Durability durability = Durability::Replaceable);

// Writes all of `size` bytes to the open descriptor, through short writes
// and interruptions. Returns 0, or the errno of the write that failed.
int writeAll(int fd, const char* data, qsizetype size);

// A system error number as the user reads it, always in Spanish.
QString writeFailureReason(int error);

// The sentence that tells the user a file could not be saved.
QString writeFailureMessage(const QString& path, const QString& reason);

}  // namespace sopaly
