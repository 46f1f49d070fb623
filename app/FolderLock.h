#pragma once

// Keeps the working directory, the data folder, to one Mozai: it holds a lock on the file
// "mozai.lock" there for as long as it lives. The system drops the lock when the process ends
// however it ends, so a crash never leaves the folder locked.
class FolderLock {
public:
    FolderLock();
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // False when another process holds the folder. A folder where no lock file can be opened
    // counts as held by nobody: nothing else can keep files there either.
    bool Held() const { return held; }

private:
    int fd = -1;
    bool held = false;
};
