#include "FileIo.h"

#include "Words.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {

constexpr const char* kCannotOpen = VELMORA_WORDS("smslib/FileIo", "Cannot open \"%1\": %2");
constexpr const char* kCannotRead = VELMORA_WORDS("smslib/FileIo", "Cannot read \"%1\": %2");
constexpr const char* kCannotWrite = VELMORA_WORDS("smslib/FileIo", "Cannot write \"%1\": %2");
constexpr const char* kNoFileName = VELMORA_WORDS("smslib/FileIo", "No file name given");

// Names the temporaries of concurrent saves apart within this process.
std::atomic<unsigned> g_tempCounter{0};

// `what` is a pattern: "Cannot open \"%1\": %2".
std::string Why(const char* what, const std::string& path, int error) {
    return Fill(what, {path, std::strerror(error)});
}

class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int get() const { return m_fd; }
    void reset(int fd) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }
    int release() {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The rename is only durable once the directory entry is on disk too.
void SyncDirectory(const std::string& path) {
    Fd dir(::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
}

const char* KindOf(mode_t mode) {
    if (S_ISDIR(mode))
        return VELMORA_WORDS("smslib/FileIo", "a directory");
    if (S_ISFIFO(mode))
        return VELMORA_WORDS("smslib/FileIo", "a FIFO");
    if (S_ISCHR(mode))
        return VELMORA_WORDS("smslib/FileIo", "a character device");
    if (S_ISBLK(mode))
        return VELMORA_WORDS("smslib/FileIo", "a block device");
    if (S_ISSOCK(mode))
        return VELMORA_WORDS("smslib/FileIo", "a socket");
    return VELMORA_WORDS("smslib/FileIo", "something else");
}

// What went wrong, as an errno, and on which side of a copy.
struct IoError {
    int code = 0;
    bool reading = false;
};

// A file kept elsewhere through a symbolic link stays there: the link is
// followed, not replaced by a regular file.
std::string FollowLink(const std::string& path) {
    struct stat link {};
    if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            std::string target = real;
            std::free(real);
            return target;
        }
    }
    return path;
}

// Writes what `fill` produces into a fresh temporary beside `path`, then
// renames it into place; the temporary is removed on any failure.
template <class Fill> IoError ReplaceFile(const std::string& givenPath, Fill fill) {
    const std::string path = FollowLink(givenPath);
    // Created like any new file, so the user's umask applies; a file that is
    // replaced keeps its own mode.
    std::string temp;
    Fd fd(-1);
    for (int attempt = 0; attempt < 100 && fd.get() < 0; ++attempt) {
        temp = path + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(++g_tempCounter);
        fd.reset(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd.get() < 0 && errno != EEXIST)
            break;
    }
    if (fd.get() < 0)
        return {errno};
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0)
        ::fchmod(fd.get(), existing.st_mode & 07777);
    IoError error = fill(fd.get());
    if (error.code == 0 && ::fsync(fd.get()) != 0)
        error = {errno};
    if (error.code == 0 && ::close(fd.release()) != 0)
        error = {errno};
    if (error.code == 0 && ::rename(temp.c_str(), path.c_str()) != 0)
        error = {errno};
    if (error.code != 0) {
        ::unlink(temp.c_str());
        return error;
    }
    SyncDirectory(path);
    return {};
}

IoError WriteBytes(const std::string& path, std::string_view bytes) {
    return ReplaceFile(path, [&](int fd) { return WriteAll(fd, bytes) ? IoError{} : IoError{errno}; });
}

} // namespace

std::string FileRefusal::Text(const std::string& path) const {
    switch (kind) {
    case Unsuitable:
        return Fill(VELMORA_WORDS("smslib/FileIo", "Cannot read \"%1\": it is %2, not a regular file"),
                    {path, reason});
    case Missing:
        return Fill(kCannotOpen, {path, reason});
    case Failed:
        break;
    }
    return Fill(kCannotRead, {path, reason});
}

Result<FilePrefix, FileRefusal> ReadFilePrefix(const std::string& path, std::size_t limit) {
    using R = Result<FilePrefix, FileRefusal>;
    const auto fail = [](FileRefusal::Kind kind, std::string reason) {
        return R::Fail({kind, std::move(reason)});
    };
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a
    // writer before the check below could refuse it.
    Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0)
        return fail(errno == ENOENT ? FileRefusal::Missing : FileRefusal::Failed, std::strerror(errno));
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return fail(FileRefusal::Failed, std::strerror(errno));
    if (!S_ISREG(st.st_mode))
        return fail(FileRefusal::Unsuitable, KindOf(st.st_mode));
    FilePrefix prefix;
    // Sized to the file, not the limit, so a small file under a large limit
    // is not read into megabytes of zeroes; a file that grows meanwhile gets
    // more room up to one octet past the limit, which tells it was cut.
    const auto size = static_cast<std::size_t>(std::max<off_t>(st.st_size, 0));
    prefix.bytes.resize(std::min(size, limit) + 1);
    std::size_t got = 0;
    while (true) {
        if (got == prefix.bytes.size()) {
            if (got > limit)
                break;
            prefix.bytes.resize(std::min(got * 2, limit + 1));
        }
        const ssize_t n = ::read(fd.get(), prefix.bytes.data() + got, prefix.bytes.size() - got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(FileRefusal::Failed, std::strerror(errno));
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    prefix.truncated = got > limit;
    prefix.bytes.resize(got > limit ? limit : got);
    return R::Ok(std::move(prefix));
}

Result<FilePrefix> ReadFilePrefixOrRefusal(const std::string& path, std::size_t limit) {
    auto read = ReadFilePrefix(path, limit);
    if (!read)
        return Result<FilePrefix>::Fail(read.error().Text(path));
    return Result<FilePrefix>::Ok(std::move(read.value()));
}

std::string CannotWrite(const std::string& path, const std::string& reason) {
    return Fill(kCannotWrite, {path, reason});
}

Result<std::string> MakeParentDirectory(const std::string& path) {
    using R = Result<std::string>;
    const std::string dir = DirectoryOf(path);
    struct stat st {};
    if (::stat(dir.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode) ? R::Ok(dir) : R::Fail(std::strerror(ENOTDIR));
    // Walk down from the root, creating what is missing.
    for (std::size_t pos = 1; pos <= dir.size(); ++pos) {
        if (pos != dir.size() && dir[pos] != '/')
            continue;
        if (::mkdir(dir.substr(0, pos).c_str(), 0700) != 0 && errno != EEXIST)
            return R::Fail(std::strerror(errno));
    }
    return R::Ok(dir);
}

Result<std::string> WriteFileAtomically(const std::string& path, std::string_view bytes, bool createParents) {
    if (path.empty())
        return Result<std::string>::Fail(kNoFileName);
    if (createParents)
        if (auto made = MakeParentDirectory(path); !made)
            return made;
    if (const IoError error = WriteBytes(path, bytes); error.code != 0)
        return Result<std::string>::Fail(std::strerror(error.code));
    return Result<std::string>::Ok(path);
}

Result<std::string> CopyFileAtomically(const std::string& from, const std::string& to) {
    if (from.empty())
        return Result<std::string>::Fail(VELMORA_WORDS("smslib/FileIo", "No file is loaded to save"));
    if (to.empty())
        return Result<std::string>::Fail(kNoFileName);
    Fd source(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (source.get() < 0)
        return Result<std::string>::Fail(Why(kCannotOpen, from, errno));
    const IoError error = ReplaceFile(to, [&](int fd) {
        char buffer[65536];
        for (;;) {
            const ssize_t n = ::read(source.get(), buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return IoError{errno, true};
            if (n == 0)
                return IoError{};
            if (!WriteAll(fd, std::string_view(buffer, static_cast<std::size_t>(n))))
                return IoError{errno};
        }
    });
    if (error.code != 0)
        return Result<std::string>::Fail(error.reading ? Why(kCannotRead, from, error.code)
                                                       : Why(kCannotWrite, to, error.code));
    return Result<std::string>::Ok(to);
}

} // namespace velmora
