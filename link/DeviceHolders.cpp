#include "DeviceHolders.h"

#include "Said.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace velmora {

namespace {

// At most `limit` entries of a directory, "." and ".." left out; `more` is
// set when it held more.
std::vector<std::string> Entries(const std::string& dir, std::size_t limit, bool& more) {
    std::vector<std::string> names;
    DIR* d = ::opendir(dir.c_str());
    if (!d)
        return names;
    while (const dirent* e = ::readdir(d)) {
        const std::string_view name = e->d_name;
        if (name == "." || name == "..")
            continue;
        if (names.size() >= limit) {
            more = true;
            break;
        }
        names.emplace_back(name);
    }
    ::closedir(d);
    return names;
}

std::string LinkText(const std::string& path) {
    char buf[4096];
    const ssize_t n = ::readlink(path.c_str(), buf, sizeof buf);
    return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
}

// The first `limit` bytes of a small /proc file (comm, fdinfo); "" when it
// cannot be read.
std::string FileHead(const std::string& path, std::size_t limit) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return {};
    std::string text(limit, '\0');
    std::size_t got = 0;
    while (got < limit) {
        const ssize_t n = ::read(fd, text.data() + got, limit - got);
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    text.resize(got);
    return text;
}

bool SameFile(const struct stat& a, const struct stat& b) {
    if (S_ISCHR(a.st_mode) && S_ISCHR(b.st_mode))
        return a.st_rdev == b.st_rdev;
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// /dev/ptmx and /dev/pts/ptmx: each open of it is the master of a new
// pseudo-terminal.
bool IsPtyMaster(const struct stat& st) {
    return S_ISCHR(st.st_mode) && major(st.st_rdev) == 5 && minor(st.st_rdev) == 2;
}

// A number as /proc and /dev/pts write it; unlike a process id, 0 is one.
std::optional<int> NumberIn(std::string_view text) {
    return text == "0" ? std::optional<int>(0) : ProcessIdOf(text);
}

// The "tty-index:" line of a master's fdinfo (Linux 5.x and later): the N of
// its /dev/pts/N.
std::optional<int> TtyIndex(std::string_view fdinfo) {
    constexpr std::string_view kKey = "tty-index:";
    for (std::size_t at = 0; at < fdinfo.size();) {
        const std::size_t end = std::min(fdinfo.find('\n', at), fdinfo.size());
        std::string_view line = fdinfo.substr(at, end - at);
        at = end + 1;
        if (line.substr(0, kKey.size()) != kKey)
            continue;
        line.remove_prefix(kKey.size());
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        return NumberIn(line);
    }
    return std::nullopt;
}

// Enough for any command name (16 bytes) and any pseudo-terminal's fdinfo.
constexpr std::size_t kCommBytes = 64;
constexpr std::size_t kFdInfoBytes = 4096;

} // namespace

std::optional<int> ProcessIdOf(std::string_view entry) {
    if (entry.empty() || entry.size() > 9)
        return std::nullopt;
    int pid = 0;
    for (const char c : entry) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        pid = pid * 10 + (c - '0');
    }
    return pid > 0 ? std::optional<int>(pid) : std::nullopt;
}

std::string CommandName(std::string_view commFile) {
    const auto end = commFile.find('\n');
    return std::string(commFile.substr(0, end));
}

bool SameDevice(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    if (::stat(a.c_str(), &sa) < 0 || ::stat(b.c_str(), &sb) < 0)
        return a == b;
    return SameFile(sa, sb);
}

std::optional<int> PtsNumberOf(const std::string& device) {
    char real[PATH_MAX];
    if (!::realpath(device.c_str(), real))
        return std::nullopt;
    constexpr std::string_view kPts = "/dev/pts/";
    const std::string_view path = real;
    if (path.substr(0, kPts.size()) != kPts)
        return std::nullopt;
    return NumberIn(path.substr(kPts.size()));
}

HolderSearch FindDeviceHolders(const std::string& device, const std::string& procDir, int skipPid, int skipFd,
                               HolderLimits limits) {
    HolderSearch search;
    struct stat target {};
    if (::stat(device.c_str(), &target) < 0)
        return search;
    const std::optional<int> pts = PtsNumberOf(device);
    struct Found {
        DeviceHolder holder;
        bool master = false; // also holds the master of a pseudo-terminal it does not number
    };
    std::vector<Found> found;
    bool more = false;
    std::size_t budget = limits.descriptors;
    for (const std::string& entry : Entries(procDir, limits.processes, more)) {
        const auto pid = ProcessIdOf(entry);
        if (!pid || (*pid == skipPid && skipFd < 0))
            continue;
        const std::string dir = procDir + "/" + entry;
        const auto fds = Entries(dir + "/fd", budget, more);
        budget -= fds.size();
        bool holds = false, maker = false, master = false;
        for (const std::string& fd : fds) {
            if (*pid == skipPid && fd == std::to_string(skipFd))
                continue;
            const std::string opened = LinkText(dir + "/fd/" + fd);
            struct stat st {};
            if (opened.rfind("/dev/", 0) != 0 || ::stat(opened.c_str(), &st) != 0)
                continue;
            if (pts && IsPtyMaster(st)) {
                const auto index = TtyIndex(FileHead(dir + "/fdinfo/" + fd, kFdInfoBytes));
                maker = maker || index == pts;
                master = master || !index;
            } else if (SameFile(st, target)) {
                holds = true;
            }
            // A port that is no pseudo-terminal has no maker to look for.
            if (maker || (holds && !pts))
                break;
        }
        if (holds && !maker)
            found.push_back({{*pid, CommandName(FileHead(dir + "/comm", kCommBytes))}, master});
    }
    search.complete = !more;
    // Without tty-index, a process that holds a master and is alone on the
    // port is taken for the port's maker.
    if (found.size() == 1 && found[0].master)
        found.clear();
    for (auto& f : found)
        search.holders.push_back(std::move(f.holder));
    std::sort(search.holders.begin(), search.holders.end(),
              [](const DeviceHolder& a, const DeviceHolder& b) { return a.pid < b.pid; });
    return search;
}

std::vector<DeviceHolder> DeviceHolders(const std::string& device, const std::string& procDir, int skipPid,
                                        int skipFd) {
    return FindDeviceHolders(device, procDir, skipPid, skipFd).holders;
}

std::string HolderText(const std::vector<DeviceHolder>& holders) {
    if (holders.empty())
        return "";
    std::string list;
    for (const auto& h : holders)
        list += (list.empty() ? "" : ", ") +
                Fill(translate("PortProbe", "%1 (pid %2)"),
                     {h.name.empty() ? translate("PortProbe", "a program") : h.name, std::to_string(h.pid)});
    return Fill(translate("PortProbe", "held by %1"), {list});
}

} // namespace velmora
