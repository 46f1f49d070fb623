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

void KeepDamagedCopy(const std::string& path) {
    namespace fs = std::filesystem;
    const std::string copy = path + damagedSuffix;
    std::error_code ignored;
    fs::remove(copy, ignored);
    // A second name for the same bytes costs nothing, however large the file; the next save
    // replaces the file by a new one, leaving the copy with the old bytes. Through a link only a
    // real copy is safe: the target may lie where the save rewrites it in place.
    if (LinkTarget(path) == path && ::link(path.c_str(), copy.c_str()) == 0)
        return;
    fs::copy_file(path, copy, ignored);
}
