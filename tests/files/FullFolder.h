#pragma once

#include <sys/mount.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// A small file system of its own, filled to its last block, for the road a
// full disk takes. Mounting needs root; `reasonUnavailable()` says why else.
class FullFolder {
  public:
    FullFolder() {
        if (!dir_.isValid()) {
            why_ = "no temporary folder";
            return;
        }
        if (geteuid() != 0) {
            why_ = "mounting a small file system needs root";
            return;
        }
        const QByteArray where = QFile::encodeName(dir_.path());
        if (::mount("tmpfs", where.constData(), "tmpfs", 0, "size=256k") != 0) {
            why_ = "this machine refuses to mount a tmpfs";
            return;
        }
        mounted_ = true;
    }
    ~FullFolder() {
        if (mounted_) ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
    }
    FullFolder(const FullFolder&) = delete;
    FullFolder& operator=(const FullFolder&) = delete;

    QString reasonUnavailable() const { return why_; }
    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }

    // Takes every free block, so that the next write of even one byte fails.
    void fill() {
        QFile filler(filePath(QStringLiteral(".filler")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return;
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size()) {
        }
        while (filler.write("f", 1) == 1) {
        }
    }
    // Gives the blocks back.
    void makeRoom() { QFile::remove(filePath(QStringLiteral(".filler"))); }

    // Every name in the folder, hidden ones too, but the filler.
    QStringList entries() const {
        QStringList names = QDir(path()).entryList(QDir::Files | QDir::Hidden);
        names.removeAll(QStringLiteral(".filler"));
        return names;
    }

  private:
    QTemporaryDir dir_;
    QString why_;
    bool mounted_ = false;
};
