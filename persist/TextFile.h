#pragma once

#include "persist/AtomicFile.h"

#include <cstddef>
#include <optional>
#include <string>

// history.ini and color.ini end every line, the last included, with CR LF.
inline constexpr char textLineEnd[] = "\r\n";

// The first bytes of a file, and whether they are all of it.
struct FileStart {
    std::string bytes;
    bool whole = true;
};

// Up to `maxBytes` of the regular file at `path` (links followed), or nothing when there is no
// such file or it cannot be read. A folder, a FIFO or a device is never read, so a name linked to
// /dev/zero or a pipe neither blocks nor fills the memory.
std::optional<FileStart> ReadRegularFile(const std::string& path, std::size_t maxBytes);

// Keeps the file at `path` as `path`.bad before its loader discards or cuts anything of it,
// replacing an older copy (only a file: a folder of that name stays). On a failure the old copy
// stays too, and the caller must leave the damaged file as it is.
SaveResult KeepDamagedCopy(const std::string& path);
