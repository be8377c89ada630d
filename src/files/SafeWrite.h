#pragma once

#include <QByteArray>
#include <QString>

namespace sopaly {

// The one way the program puts files on disk. The bytes go to a spare file
// beside the target, every write and the close are checked, and only a
// file that holds all of them takes the target's place; on any failure the
// target is left as it was and the spare is removed. On failure write()
// returns false and, if `reason` is given, says why in the user's words
// ("disco lleno", ...).
//
// A writer kept for a run of files in one folder swaps each replaced file
// out instead of deleting it and reuses it as the next spare: creating a
// file costs the file system far more than rewriting one, and a batch that
// replaces its earlier puzzles would otherwise create and delete a file
// for every puzzle. The last spare goes with finish() or the writer.
class FileWriter {
  public:
    FileWriter() = default;
    ~FileWriter() { finish(); }
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    bool write(const QString& path, const QByteArray& bytes, QString* reason = nullptr);
    // Removes the spare file, if one is left.
    void finish();

  private:
    QByteArray spare_;  // the spare's path, empty when there is none
    QByteArray spareFolder_;
};

// One file through a writer of its own.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* reason = nullptr);

// Writes all of `size` bytes to the open descriptor, through short writes
// and interruptions. Returns 0, or the errno of the write that failed.
int writeAll(int fd, const char* data, qsizetype size);

// A system error number as the user reads it.
QString writeFailureReason(int error);

// The sentence that tells the user a file could not be saved.
QString writeFailureMessage(const QString& path, const QString& reason);

}  // namespace sopaly
