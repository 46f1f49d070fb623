#include "app/FolderLock.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr mode_t lockFileMode = 0600;

// A folder only this user can write to, reached without a link: nobody else can put a link or
// a file of theirs where the lock file goes.
bool PrivateFolder(const QByteArray& path) {
    struct stat info {};
    return path.startsWith('/') && ::lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & 022) == 0;
}

QByteArray LockFolder() {
    // Where the session's variables are missing (a start over ssh, from cron), the runtime
    // folder the system made for the user is still the one a session start uses.
    const QByteArray uid = QByteArray::number(::geteuid());
    for (const QByteArray& runtime : {qgetenv("XDG_RUNTIME_DIR"), "/run/user/" + uid}) {
        if (PrivateFolder(runtime))
            return runtime;
    }
    const QByteArray fallback = "/tmp/mozai-" + uid;
    ::mkdir(fallback.constData(), 0700);
    return PrivateFolder(fallback) ? fallback : QByteArray();
}

} // namespace

FolderLock::FolderLock(const QString& folder) {
    struct stat info {};
    if (::stat(QFile::encodeName(folder).constData(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        problem = QStringLiteral("%1 is no folder").arg(folder);
        return;
    }
    key = QStringLiteral("%1-%2").arg(info.st_dev).arg(info.st_ino);
    const QByteArray place = LockFolder();
    const QByteArray name = place + "/mozai-" + key.toLatin1() + ".lock";
    held = true;
    if (place.isEmpty()) {
        problem = QStringLiteral("no private folder for the lock file: neither XDG_RUNTIME_DIR "
                                 "nor /run/user/%1 nor /tmp/mozai-%1 is this user's own")
                      .arg(::geteuid());
        return;
    }
    fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, lockFileMode);
    if (fd < 0) {
        problem = QStringLiteral("cannot make %1: %2")
                      .arg(QFile::decodeName(name), QString::fromLocal8Bit(std::strerror(errno)));
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
