#include "SafeWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace sopaly {

namespace {

// The mode a new file gets from open(2) with 0666, for the mkstemp file
// that starts out private.
mode_t newFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

int closeChecked(int fd) {
    // A network file system may report a failed write only here.
    if (::close(fd) != 0 && errno != EINTR) return errno;
    return 0;
}

}  // namespace

int writeAll(int fd, const char* data, qsizetype size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(size));
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        // A write that took nothing yet reported no error would loop forever.
        if (written == 0) return ENOSPC;
        data += written;
        size -= written;
    }
    return 0;
}

QString writeFailureReason(int error) {
    switch (error) {
        case ENOSPC:
            return QStringLiteral("disco lleno");
        case EDQUOT:
            return QStringLiteral("cuota de disco agotada");
        case EACCES:
        case EPERM:
            return QStringLiteral("permiso denegado");
        case EROFS:
            return QStringLiteral("el disco es de solo lectura");
        case ENOENT:
            return QStringLiteral("la carpeta no existe");
        case ENOTDIR:
            return QStringLiteral("la ruta no es una carpeta");
        case EISDIR:
            return QStringLiteral("ya existe una carpeta con ese nombre");
        case EFBIG:
            return QStringLiteral("el archivo es demasiado grande");
        case EIO:
            return QStringLiteral("error de entrada/salida del disco");
        case ENAMETOOLONG:
            return QStringLiteral("el nombre es demasiado largo");
        default:
            return QString::fromLocal8Bit(std::strerror(error));
    }
}

QString writeFailureMessage(const QString& path, const QString& reason) {
    return QStringLiteral("No se pudo guardar el archivo %1: %2.")
        .arg(QDir::toNativeSeparators(path), reason);
}

void FileWriter::finish() {
    if (spare_.isEmpty()) return;
    ::unlink(spare_.constData());
    spare_.clear();
}

bool FileWriter::write(const QString& path, const QByteArray& bytes, QString* reason) {
    const QByteArray target = QFile::encodeName(path);
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    auto fail = [&](int error) {
        // What the spare holds now is half a file: it goes.
        finish();
        if (reason) *reason = writeFailureReason(error);
        return false;
    };
    // The spare must lie beside the target, for the swap to stay within one
    // file system and out of sight in a folder listing.
    if (spareFolder_ != folder) finish();

    int fd = -1;
    if (!spare_.isEmpty()) {
        fd = ::open(spare_.constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        if (fd < 0) finish();
    }
    if (fd < 0) {
        QByteArray name = folder + "/.sopaly-XXXXXX";
        fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd < 0) {
            const int error = errno;
            return fail(error);
        }
        spare_ = name;
        spareFolder_ = folder;
    }
    struct stat existing {};
    const bool replacing = ::lstat(target.constData(), &existing) == 0 && S_ISREG(existing.st_mode);
    // An existing file keeps its permissions; a new one gets the usual ones.
    int error =
        ::fchmod(fd, replacing ? (existing.st_mode & 07777) : newFileMode()) == 0 ? 0 : errno;
    if (error == 0) error = writeAll(fd, bytes.constData(), bytes.size());
    const int closed = closeChecked(fd);
    if (error == 0) error = closed;
    if (error != 0) return fail(error);

    // No fsync: every file the program writes can be made again, and what
    // it must never see is a torn file in a good one's place while the
    // system runs, which the swap or the rename gives; a sync per file would
    // cost more than the puzzle in it.
    if (replacing && ::renameat2(AT_FDCWD, spare_.constData(), AT_FDCWD, target.constData(),
                                 RENAME_EXCHANGE) == 0) {
        return true;  // the spare now holds the old file, to be overwritten next
    }
    // A new file, or a file system that cannot swap: the spare is used up.
    if (::rename(spare_.constData(), target.constData()) != 0) {
        error = errno;
        return fail(error);
    }
    spare_.clear();
    return true;
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* reason) {
    FileWriter writer;
    return writer.write(path, bytes, reason);
}

}  // namespace sopaly
