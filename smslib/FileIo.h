#pragma once

// Whole-or-nothing file access for the content readers and writers.

#include "Result.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

// The file's first `limit` bytes, and whether there was more after them.
struct FilePrefix {
    std::string bytes;
    bool truncated = false;
};

Result<FilePrefix> ReadFilePrefix(const std::string& path, std::size_t limit);

// Writes `bytes` to a temporary file beside `path`, flushes it to disk and
// renames it over `path`, so a reader sees the old file or the new one, never
// a torn one. A symbolic link is followed, so the file it names is the one
// replaced. Gives `path` on success.
Result<std::string> WriteFileAtomically(const std::string& path, std::string_view bytes);

// The same, giving "" or the platform's bare reason ("Permission denied").
std::string ReplaceFileContents(const std::string& path, std::string_view bytes);

// Copies `from` over `to` in the same whole-or-nothing way.
Result<std::string> CopyFileAtomically(const std::string& from, const std::string& to);

} // namespace velmora
