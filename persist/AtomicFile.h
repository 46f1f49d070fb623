#pragma once

#include <string>

// Replaces `path` with `bytes` so that a reader sees either the old file whole or the new one
// whole: the bytes go to a temporary file beside it, are flushed, and the temporary file is
// renamed over the old one, after which the folder is flushed too. A file the user protected is
// respected: one the user may not write, or that is no regular file, is left alone (false); the
// replacement keeps the old file's mode; a symbolic link stays a link and its target is replaced;
// a writable file in a folder the user may not write to is rewritten in place. Returns false,
// leaving the old file as it was, on any failure.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);

// Removes the temporary files that a save of `path` interrupted by a crash or a kill left behind.
// Only one program may use the folder meanwhile (see FolderLock).
void RemoveLeftoverTemporaries(const std::string& path);

// The file a chain of symbolic links starting at `path` ends at (`path` itself when it is no
// link), whether or not that file exists.
std::string LinkTarget(const std::string& path);
