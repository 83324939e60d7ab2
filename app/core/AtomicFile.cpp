#include "AtomicFile.h"

#include "FileIo.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {

std::string Reason(int err) { return std::strerror(err); }

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

} // namespace

std::string MakeParentDirectory(const std::string& path) {
    const std::string dir = DirectoryOf(path);
    struct stat st {};
    if (::stat(dir.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode) ? "" : Reason(ENOTDIR);
    // Walk down from the root, creating what is missing; 0700 as the XDG base
    // directory rules ask for the per-user directories.
    for (std::size_t pos = 1; pos <= dir.size(); ++pos) {
        if (pos != dir.size() && dir[pos] != '/')
            continue;
        const std::string part = dir.substr(0, pos);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return Reason(errno);
    }
    return "";
}

std::string WriteFileCreatingDirectory(const std::string& path, const std::string& bytes) {
    if (auto err = MakeParentDirectory(path); !err.empty())
        return err;
    return ReplaceFileContents(path, bytes);
}

std::string ReadWholeFile(const std::string& path, std::string& bytes, bool& exists) {
    bytes.clear();
    exists = false;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? "" : Reason(errno);
    exists = true;
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            ::close(fd);
            return Reason(err);
        }
        if (n == 0)
            break;
        bytes.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return "";
}

} // namespace velmora
