#include "AtomicFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
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

std::string WriteFileAtomically(const std::string& givenPath, const std::string& bytes) {
    // A settings file the user keeps elsewhere through a symbolic link stays
    // there: the link is followed, not replaced.
    std::string path = givenPath;
    struct stat link {};
    if (::lstat(givenPath.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        if (char* real = ::realpath(givenPath.c_str(), nullptr)) {
            path = real;
            std::free(real);
        }
    }
    if (auto err = MakeParentDirectory(path); !err.empty())
        return err;
    std::string tmpl = path + ".XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0)
        return Reason(errno);
    const std::string tmp(name.data());

    // mkstemp makes the file private; give it the mode an ordinary create
    // would, or keep the mode of the file it replaces.
    struct stat old {};
    mode_t mode;
    if (::stat(path.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);

    int err = 0;
    if (!WriteAll(fd, bytes.data(), bytes.size()) || ::fsync(fd) != 0)
        err = errno;
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err == 0 && ::rename(tmp.c_str(), path.c_str()) != 0)
        err = errno;
    if (err != 0) {
        ::unlink(tmp.c_str());
        return Reason(err);
    }
    // The rename itself is durable only once the directory is flushed.
    const int dfd = ::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return "";
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
