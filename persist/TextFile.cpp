#include "persist/TextFile.h"

#include "persist/AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr char damagedSuffix[] = ".bad";
constexpr std::size_t readChunk = 64 * 1024;
} // namespace

std::optional<FileStart> ReadRegularFile(const std::string& path, std::size_t maxBytes) {
    // Non-blocking, so that opening a FIFO returns at once; a regular file reads the same.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    FileStart file;
    // One byte past the limit tells whether the file goes on. Sized once from what the file
    // holds now: growing by doubling would cost more than the reading.
    const std::size_t expected = static_cast<std::size_t>(std::max<off_t>(info.st_size, 0));
    file.bytes.resize(std::min(maxBytes, std::max(expected, readChunk)) + 1);
    std::size_t got = 0;
    for (;;) {
        if (got == file.bytes.size()) {
            if (got > maxBytes)
                break;
            file.bytes.resize(std::min(maxBytes + 1, got + readChunk));
        }
        const ssize_t n = ::read(fd, file.bytes.data() + got, file.bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    file.whole = got <= maxBytes;
    file.bytes.resize(std::min(got, maxBytes));
    return file;
}

SaveResult KeepDamagedCopy(const std::string& path) {
    namespace fs = std::filesystem;
    // Made under a temporary name and renamed into place, so that an older copy stays until the
    // new one is whole, and whatever is no file (a folder, say) is never replaced.
    std::string temporary;
    const int fd = CreateTemporaryBeside(path, temporary);
    if (fd < 0)
        return {errno};
    ::close(fd);
    std::error_code error;
    // A second name for the same bytes costs nothing, however large the file: the next save
    // replaces the file by a new one, leaving the copy with the old bytes. Only a real copy is
    // safe where that save may rewrite the file in place: through a link, or a file of another
    // owner.
    struct stat info {};
    const bool linkable = LinkTarget(path) == path && ::stat(path.c_str(), &info) == 0 &&
                          info.st_uid == ::geteuid() && info.st_gid == ::getegid();
    fs::remove(temporary, error);
    if (!linkable || ::link(path.c_str(), temporary.c_str()) != 0)
        fs::copy_file(path, temporary, fs::copy_options::overwrite_existing, error);
    if (!error && std::rename(temporary.c_str(), (path + damagedSuffix).c_str()) != 0)
        error.assign(errno, std::generic_category());
    // Gone after a rename, but for one onto a second name of the same file, which does nothing.
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return {error.value()};
}
