#pragma once

#include <string>

namespace velmora {

// Replaces `path` with `bytes` whole or not at all (ReplaceFileContents),
// creating a missing parent directory first, as the per-user XDG directories
// may not exist yet. Returns "" on success, else the platform's reason.
std::string WriteFileCreatingDirectory(const std::string& path, const std::string& bytes);

// Creates the directory that holds `path` (and its parents) when missing.
// Returns "" on success, else the platform's reason.
std::string MakeParentDirectory(const std::string& path);

// Reads a whole file. A missing file is not an error: `exists` is then false.
// Returns "" on success, else the platform's reason.
std::string ReadWholeFile(const std::string& path, std::string& bytes, bool& exists);

} // namespace velmora
