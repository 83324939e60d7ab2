#pragma once

#include <cstddef>
#include <string>

namespace velmora {

// Replaces `path` with `bytes` whole or not at all (ReplaceFileContents),
// creating a missing parent directory first, as the per-user XDG directories
// may not exist yet. Returns "" on success, else the platform's reason.
std::string WriteFileCreatingDirectory(const std::string& path, const std::string& bytes);

// Creates the directory that holds `path` (and its parents) when missing.
// Returns "" on success, else the platform's reason.
std::string MakeParentDirectory(const std::string& path);

// What ReadSmallFile found at a path.
enum class SmallFile {
    Read,       // a regular file within the limit; its bytes are read
    Missing,    // nothing there
    Unsuitable, // a FIFO, device, directory or socket, or a file over the limit
    Failed,     // there, but it could not be opened or read
};
struct SmallFileRead {
    SmallFile status = SmallFile::Missing;
    std::string reason; // Unsuitable: what it is ("a FIFO"); Failed: the platform's reason
};
// Reads a regular file of at most `limit` bytes. Anything else is never read,
// so a FIFO does not block and a device does not stream forever.
SmallFileRead ReadSmallFile(const std::string& path, std::size_t limit, std::string& bytes);

} // namespace velmora
