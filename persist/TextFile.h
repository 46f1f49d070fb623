#pragma once

#include <optional>
#include <string>

// history.ini and color.ini end every line, the last included, with CR LF.
inline constexpr char textLineEnd[] = "\r\n";

// The whole content of the file at `path`, or nothing when it cannot be opened or read (a
// missing file, a folder of that name, a read error).
std::optional<std::string> ReadWholeFile(const std::string& path);
