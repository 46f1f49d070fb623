#include "persist/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The name mkstemp completes: "<file>.XXXXXX".
constexpr char temporarySuffix[] = ".XXXXXX";
constexpr std::size_t temporarySuffixLength = sizeof temporarySuffix - 1;
// What the kernel allows a path to pass through; a longer chain is a loop.
constexpr int maxLinkHops = 40;
// A file created new: readable by all, like any file an editor would make.
constexpr mode_t newFileMode = 0644;

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

std::string FolderOf(const std::string& path) {
    const fs::path folder = fs::path(path).parent_path();
    return folder.empty() ? "." : folder.string();
}

// The rename is durable only once the folder's entry is on disk too.
void SyncFolder(const std::string& path) {
    const int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Not atomic, but the only way left when no file can be created beside `path`.
bool RewriteInPlace(const std::string& path, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    const bool written = WriteAll(fd, bytes) &&
                         ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
    return ::close(fd) == 0 && written;
}

bool IsTemporaryOf(const std::string& name, const std::string& base) {
    if (name.size() != base.size() + temporarySuffixLength ||
        name.compare(0, base.size(), base) != 0 || name[base.size()] != '.')
        return false;
    // mkstemp's letters and digits, whatever the locale says letters are.
    return name.find_first_not_of("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz",
                                  base.size() + 1) == std::string::npos;
}

} // namespace

std::string LinkTarget(const std::string& path) {
    fs::path p = path;
    for (int hop = 0; hop < maxLinkHops; ++hop) {
        std::error_code error;
        if (!fs::is_symlink(p, error))
            break;
        const fs::path next = fs::read_symlink(p, error);
        if (error)
            break;
        p = next.is_absolute() ? next : p.parent_path() / next;
    }
    return p.string();
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
    const std::string target = LinkTarget(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        return false;
    if (exists && (!S_ISREG(old.st_mode) || ::access(target.c_str(), W_OK) != 0))
        return false;

    std::string temporary = target + temporarySuffix;
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return exists && (errno == EACCES || errno == EPERM || errno == EROFS) &&
               RewriteInPlace(target, bytes);
    // mkstemp creates the file 0600 and ours; the replacement takes over the old file's mode and
    // owner. Where the owner cannot be kept, the old file is rewritten in place instead.
    if (exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
        ::fchown(fd, old.st_uid, old.st_gid) != 0) {
        ::close(fd);
        std::remove(temporary.c_str());
        return RewriteInPlace(target, bytes);
    }
    const bool written = ::fchmod(fd, exists ? old.st_mode & 07777 : newFileMode) == 0 &&
                         WriteAll(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), target.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    SyncFolder(target);
    return true;
}

void RemoveLeftoverTemporaries(const std::string& path) {
    const std::string target = LinkTarget(path);
    const std::string base = fs::path(target).filename().string();
    std::error_code error;
    for (fs::directory_iterator entry(FolderOf(target), error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code ignored;
        if (IsTemporaryOf(entry->path().filename().string(), base) &&
            entry->symlink_status(ignored).type() == fs::file_type::regular)
            fs::remove(entry->path(), ignored);
    }
}
