#pragma once

#include <string>

// Replaces `path` with `bytes` so that a reader sees either the old file whole or the new one
// whole: the bytes go to a temporary file in the same folder, are flushed, and the temporary
// file is renamed over the old one. Returns false (and leaves the old file alone) on failure.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);
