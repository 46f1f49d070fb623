#include "persist/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The program's mark on its temporary files, and the letters mkstemp completes.
constexpr char temporaryMark[] = ".mozai-";
constexpr char temporaryLetters[] = "XXXXXX";
constexpr std::size_t temporaryLetterCount = sizeof temporaryLetters - 1;
// What the kernel allows a path to pass through; a longer chain is a loop.
constexpr int maxLinkHops = 40;
// A file created new: readable by all, like any file an editor would make.
constexpr mode_t newFileMode = 0644;
constexpr mode_t anyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;

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

std::string TemporaryPrefix(const std::string& base) {
    return "." + base + temporaryMark;
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
SaveResult RewriteInPlace(const std::string& path, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return {errno};
    int error = 0;
    if (!WriteAll(fd, bytes) || ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0 ||
        ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return {error};
}

bool IsTemporaryOf(const std::string& name, const std::string& base) {
    const std::string prefix = TemporaryPrefix(base);
    if (name.size() != prefix.size() + temporaryLetterCount ||
        name.compare(0, prefix.size(), prefix) != 0)
        return false;
    // mkstemp's letters and digits, whatever the locale says letters are.
    return name.find_first_not_of("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz",
                                  prefix.size()) == std::string::npos;
}

void RemoveTemporariesBeside(const std::string& path) {
    const std::string base = fs::path(path).filename().string();
    std::error_code error;
    for (fs::directory_iterator entry(FolderOf(path), error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code ignored;
        if (IsTemporaryOf(entry->path().filename().string(), base) &&
            entry->symlink_status(ignored).type() == fs::file_type::regular)
            fs::remove(entry->path(), ignored);
    }
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

int CreateTemporaryBeside(const std::string& path, std::string& name) {
    const fs::path p = path;
    name = (p.parent_path() / (TemporaryPrefix(p.filename().string()) + temporaryLetters)).string();
    return ::mkostemp(name.data(), O_CLOEXEC);
}

SaveResult WriteFileAtomically(const std::string& path, const std::string& bytes) {
    const std::string target = LinkTarget(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        return {errno};
    if (exists && !S_ISREG(old.st_mode))
        return {S_ISDIR(old.st_mode) ? EISDIR : EINVAL};
    // Root may write anything; a file nobody may write is protected all the same.
    if (exists && (old.st_mode & anyWriteBit) == 0)
        return {EACCES};
    if (exists && ::access(target.c_str(), W_OK) != 0)
        return {errno};

    std::string temporary;
    const int fd = CreateTemporaryBeside(target, temporary);
    if (fd < 0) {
        const int error = errno;
        if (exists && (error == EACCES || error == EPERM))
            return RewriteInPlace(target, bytes);
        return {error};
    }
    // mkstemp creates the file 0600 and ours; the replacement takes over the old file's mode and
    // owner. Where the owner cannot be kept, the old file is rewritten in place instead.
    if (exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
        ::fchown(fd, old.st_uid, old.st_gid) != 0) {
        ::close(fd);
        std::remove(temporary.c_str());
        return RewriteInPlace(target, bytes);
    }
    int error = 0;
    if (::fchmod(fd, exists ? old.st_mode & 07777 : newFileMode) != 0 || !WriteAll(fd, bytes) ||
        ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && std::rename(temporary.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        std::remove(temporary.c_str());
        return {error};
    }
    SyncFolder(target);
    return {};
}

void RemoveLeftoverTemporaries(const std::string& path) {
    RemoveTemporariesBeside(path);
    const std::string target = LinkTarget(path);
    if (target != path)
        RemoveTemporariesBeside(target);
}
