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

const char* KindOf(mode_t mode) {
    if (S_ISDIR(mode))
        return "a directory";
    if (S_ISFIFO(mode))
        return "a FIFO";
    if (S_ISCHR(mode))
        return "a character device";
    if (S_ISBLK(mode))
        return "a block device";
    if (S_ISSOCK(mode))
        return "a socket";
    return "not a regular file";
}

std::string LargerThan(std::size_t limit) {
    constexpr std::size_t kMiB = 1024 * 1024;
    if (limit >= kMiB && limit % kMiB == 0)
        return "larger than " + std::to_string(limit / kMiB) + " MiB";
    return "larger than " + std::to_string(limit) + " bytes";
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

SmallFileRead ReadSmallFile(const std::string& path, std::size_t limit, std::string& bytes) {
    bytes.clear();
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return {SmallFile::Missing, ""};
        return {SmallFile::Failed, Reason(errno)};
    }
    const auto done = [fd](SmallFileRead r) {
        ::close(fd);
        return r;
    };
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return done({SmallFile::Failed, Reason(errno)});
    if (!S_ISREG(st.st_mode))
        return done({SmallFile::Unsuitable, KindOf(st.st_mode)});
    if (static_cast<unsigned long long>(st.st_size) > limit)
        return done({SmallFile::Unsuitable, LargerThan(limit)});
    // The file may grow while it is read: reading stops one byte past the
    // limit, which is enough to know.
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buf[65536];
    while (bytes.size() <= limit) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int err = errno;
            bytes.clear();
            return done({SmallFile::Failed, Reason(err)});
        }
        if (n == 0)
            break;
        bytes.append(buf, static_cast<std::size_t>(n));
    }
    if (bytes.size() > limit) {
        bytes.clear();
        return done({SmallFile::Unsuitable, LargerThan(limit)});
    }
    return done({SmallFile::Read, ""});
}

} // namespace velmora
