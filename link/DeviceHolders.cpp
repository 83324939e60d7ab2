#include "DeviceHolders.h"

#include <algorithm>
#include <cctype>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {

std::vector<std::string> Entries(const std::string& dir) {
    std::vector<std::string> names;
    DIR* d = ::opendir(dir.c_str());
    if (!d)
        return names;
    while (const dirent* e = ::readdir(d))
        names.emplace_back(e->d_name);
    ::closedir(d);
    return names;
}

std::string LinkText(const std::string& path) {
    char buf[4096];
    const ssize_t n = ::readlink(path.c_str(), buf, sizeof buf);
    return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
}

bool SameFile(const struct stat& a, const struct stat& b) {
    if (S_ISCHR(a.st_mode) && S_ISCHR(b.st_mode))
        return a.st_rdev == b.st_rdev;
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

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

std::vector<DeviceHolder> DeviceHolders(const std::string& device, const std::string& procDir, int skipPid,
                                        int skipFd) {
    std::vector<DeviceHolder> holders;
    struct stat target {};
    if (::stat(device.c_str(), &target) < 0)
        return holders;
    for (const std::string& entry : Entries(procDir)) {
        const auto pid = ProcessIdOf(entry);
        if (!pid || (*pid == skipPid && skipFd < 0))
            continue;
        const std::string fdDir = procDir + "/" + entry + "/fd";
        bool holds = false;
        for (const std::string& fd : Entries(fdDir)) {
            if (fd == "." || fd == ".." || (*pid == skipPid && fd == std::to_string(skipFd)))
                continue;
            const std::string opened = LinkText(fdDir + "/" + fd);
            struct stat st {};
            if (opened.rfind("/dev/", 0) == 0 && ::stat(opened.c_str(), &st) == 0 && SameFile(st, target)) {
                holds = true;
                break;
            }
        }
        if (!holds)
            continue;
        std::ifstream comm(procDir + "/" + entry + "/comm");
        const std::string text((std::istreambuf_iterator<char>(comm)), std::istreambuf_iterator<char>());
        holders.push_back({*pid, CommandName(text)});
    }
    std::sort(holders.begin(), holders.end(),
              [](const DeviceHolder& a, const DeviceHolder& b) { return a.pid < b.pid; });
    return holders;
}

std::string HolderText(const std::vector<DeviceHolder>& holders) {
    std::string text;
    for (const auto& h : holders) {
        text += text.empty() ? "held by " : ", ";
        text += (h.name.empty() ? std::string("a program") : h.name) + " (pid " + std::to_string(h.pid) + ")";
    }
    return text;
}

} // namespace velmora
