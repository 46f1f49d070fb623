#pragma once

#include <QString>

// Keeps one data folder to one Mozai: it holds a lock for as long as it lives. The lock file
// lies outside the folder, in the user's runtime folder, named after the folder's device and
// inode, so a folder Mozai may not write to, or a link named like the lock, cannot defeat it.
// The system drops the lock when the process ends however it ends.
class FolderLock {
public:
    // Locks `folder` (the working directory by default). The lock file lies in $XDG_RUNTIME_DIR,
    // else /run/user/UID, else /tmp/mozai-UID: the first that is the user's own and writable by
    // nobody else.
    explicit FolderLock(const QString& folder = QStringLiteral("."));
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // False when another process holds the folder, or when the folder does not exist. When no
    // lock file can be made the folder counts as held, with the reason in Problem().
    bool Held() const { return held; }
    QString Problem() const { return problem; }
    // The folder's device and inode, the same for every path to it: "<device>-<inode>".
    QString Key() const { return key; }

private:
    int fd = -1;
    bool held = false;
    QString key;
    QString problem;
};
