#pragma once

// Whole-or-nothing file access for the content readers and writers.

#include "Result.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

// Why ReadFilePrefix read nothing.
struct FileRefusal {
    enum Kind {
        Missing,    // nothing there
        Unsuitable, // a FIFO, device, directory or socket: never read
        Failed,     // there, but it could not be opened or read
    } kind = Failed;
    // Unsuitable: what it is ("a FIFO"); else the platform's reason
    // ("Permission denied").
    std::string reason;
    // The refusal naming the file, as the content readers word it.
    std::string Text(const std::string& path) const;
};

// The file's first `limit` bytes, and whether there was more after them.
struct FilePrefix {
    std::string bytes;
    bool truncated = false;
};

// The one reader of every file the programs take in (content, settings,
// the simulated phone's files). Only a regular file is read, so a FIFO
// chosen by mistake does not block and a device does not stream forever;
// reading stops one byte past `limit`, which is enough to know there is
// more.
Result<FilePrefix, FileRefusal> ReadFilePrefix(const std::string& path, std::size_t limit);

// The same for a caller that only needs the words: the refusal names the file.
Result<FilePrefix> ReadFilePrefixOrRefusal(const std::string& path, std::size_t limit);

// The one writer of every file the programs keep (content files, settings,
// exports): `bytes` go to a temporary file beside `path`, are flushed to disk
// and renamed over `path`, so a reader sees the old file or the new one,
// never a torn one. A symbolic link is followed, so the file it names is the
// one replaced. With `createParents`, a missing directory above `path` is
// made first, as the per-user XDG directories may not exist yet. Gives
// `path`, or the platform's bare reason ("Permission denied").
Result<std::string> WriteFileAtomically(const std::string& path, std::string_view bytes,
                                        bool createParents = false);

// "Cannot write \"PATH\": REASON", as the content tabs report a failed save.
std::string CannotWrite(const std::string& path, const std::string& reason);

// Creates the directory that holds `path` (and its parents) when missing,
// 0700 as the XDG base directory rules ask. Gives the directory, or the
// platform's reason.
Result<std::string> MakeParentDirectory(const std::string& path);

// Copies `from` over `to` in the same whole-or-nothing way.
Result<std::string> CopyFileAtomically(const std::string& from, const std::string& to);

} // namespace velmora
