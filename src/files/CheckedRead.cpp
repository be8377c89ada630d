#include "CheckedRead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>
#include <cerrno>

namespace sopaly {

namespace {

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

ReadRefusal openRefusal(int error) {
    return error == ENOENT || error == ENOTDIR ? ReadRefusal::Missing : ReadRefusal::Unreadable;
}

// Opens `path` without waiting on it and checks what the descriptor names.
ReadRefusal openChecked(const QString& path, qint64 limit, int& fd, qint64& size) {
    fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return openRefusal(errno);
    struct stat status {};
    if (::fstat(fd, &status) != 0) return ReadRefusal::Unreadable;
    if (!S_ISREG(status.st_mode)) return ReadRefusal::NotRegular;
    if (status.st_size > limit) return ReadRefusal::TooLarge;
    size = status.st_size;
    return ReadRefusal::None;
}

// Reads to the end, or to one byte past `limit`.
ReadRefusal readUpTo(int fd, qint64 expected, qint64 limit, QByteArray& bytes) {
    bytes.resize(std::min(expected, limit) + 1);
    qint64 held = 0;
    for (;;) {
        if (held == bytes.size()) {
            if (held > limit) return ReadRefusal::TooLarge;
            bytes.resize(std::min(held * 2, limit + 1));
        }
        const ssize_t got =
            ::read(fd, bytes.data() + held, static_cast<size_t>(bytes.size() - held));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return ReadRefusal::Unreadable;
        if (got == 0) break;
        held += got;
    }
    if (held > limit) return ReadRefusal::TooLarge;
    bytes.truncate(held);
    return ReadRefusal::None;
}

}  // namespace

CheckedBytes readRegularFile(const QString& path, qint64 limit) {
    int fd = -1;
    qint64 size = 0;
    CheckedBytes read;
    read.refusal = openChecked(path, limit, fd, size);
    const Descriptor open(fd);
    if (read.ok()) read.refusal = readUpTo(open.get(), size, limit, read.bytes);
    if (!read.ok()) read.bytes.clear();
    return read;
}

ReadRefusal checkRegularFile(const QString& path, qint64 limit) {
    int fd = -1;
    qint64 size = 0;
    const ReadRefusal refusal = openChecked(path, limit, fd, size);
    const Descriptor open(fd);
    return refusal;
}

}  // namespace sopaly
