#include "SafeWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cerrno>
#include <climits>

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

// What a file system that holds no modes answers to chmod (EPERM from a
// kernel FAT mount, ENOSYS from the FUSE one): the file is saved all the
// same, with the mode the file system gives it.
bool refusesModes(int error) {
    return error == EPERM || error == ENOSYS || error == EOPNOTSUPP || error == ENOTSUP;
}

// The file a path names once its symbolic links are followed, as open(2)
// follows them; `found` gets its status when it exists. Returns 0 or errno.
int followLinks(QByteArray& path, struct stat& found, bool& exists) {
    // As many links as the system itself follows before it gives up.
    for (int links = 0; links <= 40; ++links) {
        if (::lstat(path.constData(), &found) != 0) {
            exists = false;
            return errno == ENOENT ? 0 : errno;
        }
        exists = true;
        if (!S_ISLNK(found.st_mode)) return 0;
        char named[PATH_MAX];
        const ssize_t length = ::readlink(path.constData(), named, sizeof named);
        if (length < 0) return errno;
        if (length == sizeof named) return ENAMETOOLONG;
        if (named[0] == '/') {
            path = QByteArray(named, length);
        } else {
            path.truncate(path.lastIndexOf('/') + 1);
            path.append(named, length);
        }
    }
    return ELOOP;
}

// Gives the new file the replaced one's owner and group, or its group
// alone, as far as this user may; what is refused stays as created.
void keepOwner(int fd, const struct stat& replaced) {
    // Only root may give a file to another user; anyone may give it one of
    // their own groups.
    if (::fchown(fd, replaced.st_uid, replaced.st_gid) != 0) {
        ::fchown(fd, static_cast<uid_t>(-1), replaced.st_gid);
    }
}

// Makes a rename in `folder` reach the disk. Returns 0 or errno.
int syncFolder(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // A folder this user may write in but not list cannot be opened to be
    // synced; the file in it is.
    if (fd < 0) return 0;
    const int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    // Some mounts cannot sync a folder at all.
    return error == EINVAL ? 0 : error;
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
            return QCoreApplication::translate("SafeWrite", "disco lleno");
        case EDQUOT:
            return QCoreApplication::translate("SafeWrite", "cuota de disco agotada");
        case EACCES:
        case EPERM:
            return QCoreApplication::translate("SafeWrite", "permiso denegado");
        case EROFS:
            return QCoreApplication::translate("SafeWrite", "el disco es de solo lectura");
        case ENOENT:
            return QCoreApplication::translate("SafeWrite", "la carpeta no existe");
        case ENOTDIR:
            return QCoreApplication::translate("SafeWrite", "la ruta no es una carpeta");
        case EISDIR:
            return QCoreApplication::translate("SafeWrite", "ya existe una carpeta con ese nombre");
        case EFBIG:
            return QCoreApplication::translate("SafeWrite", "el archivo es demasiado grande");
        case EIO:
            return QCoreApplication::translate("SafeWrite", "error de entrada/salida del disco");
        case ENAMETOOLONG:
            return QCoreApplication::translate("SafeWrite", "el nombre es demasiado largo");
        case ELOOP:
            return QCoreApplication::translate("SafeWrite",
                                               "demasiados enlaces simbólicos en la ruta");
        case EBUSY:
            return QCoreApplication::translate("SafeWrite", "el archivo está en uso");
        default:
            // The system's own sentence would be English for most users.
            return QCoreApplication::translate("SafeWrite", "error del sistema %1").arg(error);
    }
}

QString writeFailureMessage(const QString& path, const QString& reason) {
    return QCoreApplication::translate("SafeWrite", "No se pudo guardar el archivo %1: %2.")
        .arg(QDir::toNativeSeparators(path), reason);
}

bool FileWriter::write(const QString& path, const QByteArray& bytes, QString* reason) const {
    auto fail = [&](int error) {
        if (reason) *reason = writeFailureReason(error);
        return false;
    };
    QByteArray target = QFile::encodeName(path);
    struct stat replaced {};
    bool exists = false;
    if (const int error = followLinks(target, replaced, exists); error != 0) return fail(error);
    const bool replacing = exists && S_ISREG(replaced.st_mode);

    // Beside the target, for the rename to stay within one file system.
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : target.left(slash == 0 ? 1 : slash);
    QByteArray temporary = target.left(slash + 1) + ".sopaly-XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        return fail(error);
    }
    // The owner first: a change of owner clears the set-id bits of the mode.
    if (replacing) keepOwner(fd, replaced);
    // An existing file keeps its permissions; a new one gets the usual ones.
    int error =
        ::fchmod(fd, replacing ? (replaced.st_mode & 07777) : newFileMode()) == 0 ? 0 : errno;
    if (refusesModes(error)) error = 0;
    if (error == 0) error = writeAll(fd, bytes.constData(), bytes.size());
    if (error == 0 && durability_ == Durability::Durable && ::fsync(fd) != 0) error = errno;
    const int closed = closeChecked(fd);
    if (error == 0) error = closed;
    if (error == 0 && ::rename(temporary.constData(), target.constData()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temporary.constData());
        return fail(error);
    }
    if (durability_ == Durability::Durable) {
        if (const int synced = syncFolder(folder); synced != 0) return fail(synced);
    }
    return true;
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* reason,
                         Durability durability) {
    return FileWriter(durability).write(path, bytes, reason);
}

}  // namespace sopaly
