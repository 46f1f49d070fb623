#include "persist/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool WriteAll(int fd, const std::string& bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
    const std::string temp = path + ".XXXXXX";
    std::string name = temp;
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        return false;
    // mkstemp creates the file 0600; the files we keep are ordinary user files.
    ::fchmod(fd, 0644);
    const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || std::rename(name.c_str(), path.c_str()) != 0) {
        std::remove(name.c_str());
        return false;
    }
    return true;
}
