#pragma once

#include <string>

// What a save came to: true when the file was written, else the system's reason (an errno value)
// why not, the file then being as it was.
struct SaveResult {
    int error = 0;
    operator bool() const { return error == 0; }
};

// Replaces `path` with `bytes` so that a reader sees either the old file whole or the new one
// whole: the bytes go to a temporary file beside it, are flushed, and the temporary file is
// renamed over the old one, after which the folder is flushed too. A file the user protected is
// respected: one with no write bit for anyone (whoever runs this, root included), one the user
// may not write, or one that is no regular file is left alone; the replacement keeps the old
// file's mode; a symbolic link stays a link and its target is replaced; a writable file in a
// folder the user may not write to is rewritten in place.
SaveResult WriteFileAtomically(const std::string& path, const std::string& bytes);

// A new empty file beside `path` under a hidden name that carries the program's mark
// (".history.ini.mozai-XXXXXX"), so that only the program's own files are taken for leftovers;
// the open descriptor, or -1 with errno set. `name` receives the file's path.
int CreateTemporaryBeside(const std::string& path, std::string& name);

// Removes the temporary files that a save of `path` interrupted by a crash or a kill left behind:
// only names CreateTemporaryBeside makes, only in the folder of `path` and beside the file a link
// there leads to. Only one program may use the folder meanwhile (see FolderLock).
void RemoveLeftoverTemporaries(const std::string& path);

// The file a chain of symbolic links starting at `path` ends at (`path` itself when it is no
// link), whether or not that file exists.
std::string LinkTarget(const std::string& path);
