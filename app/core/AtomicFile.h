#pragma once

#include <string>

namespace velmora {

// Replaces `path` with `bytes` so that a crash at any moment leaves either the
// old file or the new one: the bytes go to a temporary file in the same
// directory, are flushed to disk, and the temporary is renamed over `path`.
// A missing parent directory is created. Returns "" on success, else the
// platform's reason.
std::string WriteFileAtomically(const std::string& path, const std::string& bytes);

// Creates the directory that holds `path` (and its parents) when missing.
// Returns "" on success, else the platform's reason.
std::string MakeParentDirectory(const std::string& path);

// Reads a whole file. A missing file is not an error: `exists` is then false.
// Returns "" on success, else the platform's reason.
std::string ReadWholeFile(const std::string& path, std::string& bytes, bool& exists);

} // namespace velmora
