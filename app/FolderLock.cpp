#include "app/FolderLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
constexpr char lockFileName[] = "mozai.lock";
constexpr mode_t lockFileMode = 0644;
} // namespace

FolderLock::FolderLock() {
    fd = ::open(lockFileName, O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, lockFileMode);
    // A lock on a file that may be read only works as well.
    if (fd < 0)
        fd = ::open(lockFileName, O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        held = true;
        return;
    }
    int result = 0;
    do
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    while (result != 0 && errno == EINTR);
    held = result == 0 || errno != EWOULDBLOCK;
}

FolderLock::~FolderLock() {
    if (fd >= 0)
        ::close(fd);
}
