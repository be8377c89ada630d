// Preloaded into a test, makes fchmod(2) answer as a file system that holds
// no modes does: while SOPALY_FCHMOD_FAILS holds an error number, every call
// fails with it (ENOSYS under the FUSE FAT driver, EPERM from a kernel vfat
// mount).
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

extern "C" int fchmod(int fd, mode_t mode) noexcept {
    if (const char* failure = std::getenv("SOPALY_FCHMOD_FAILS")) {
        errno = std::atoi(failure);
        return -1;
    }
    return static_cast<int>(::syscall(SYS_fchmod, fd, mode));
}
