#include "ModemIdentity.h"

#include "ComDevices.h"
#include "DeviceHolders.h"

#include <algorithm>
#include <filesystem>

namespace velmora {

namespace {

std::string Trimmed(std::string s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// A line of the answer as an IMEI, or "".
std::string ImeiOf(std::string line) {
    // Only an answer-sized line is looked at: the phone's text is not trusted.
    if (line.size() > 64)
        return "";
    if (line.size() >= 6 && (line.compare(0, 6, "+CGSN:") == 0 || line.compare(0, 6, "+cgsn:") == 0))
        line.erase(0, 6);
    line = Trimmed(line);
    if (line.size() >= 2 && line.front() == '"' && line.back() == '"')
        line = Trimmed(line.substr(1, line.size() - 2));
    const bool digits = std::all_of(line.begin(), line.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits || line.size() < 14 || line.size() > 17)
        return "";
    return line;
}

std::vector<std::string> Entries(const std::string& dir) {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        names.push_back(it->path().filename().string());
        // A folder is not read without end.
        if (names.size() >= 4096)
            break;
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

std::string ImeiFromLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        if (std::string imei = ImeiOf(line); !imei.empty())
            return imei;
    return "";
}

std::string OperatorFromLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        if (line.size() < 6 || (line.compare(0, 6, "+COPS:") != 0 && line.compare(0, 6, "+cops:") != 0))
            continue;
        // mode[,format,"name"[,act]]: the name is the one quoted field.
        const auto open = line.find('"');
        if (open == std::string::npos)
            return "";
        const auto close = line.find('"', open + 1);
        std::string name =
            line.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
        std::string kept;
        for (const char c : name)
            if (c >= 0x20 && c < 0x7F && kept.size() < 64)
                kept += c;
        return kept;
    }
    return "";
}

std::string ByIdLinkFor(const std::string& device, const std::string& byIdDir) {
    if (device.empty())
        return "";
    for (const std::string& name : Entries(byIdDir)) {
        const std::string link = byIdDir + "/" + name;
        if (SameDevice(link, device))
            return link;
    }
    return "";
}

std::vector<std::string> ModemCandidates(const std::string& devDir,
                                         const std::vector<std::string>& extraDirs) {
    std::vector<std::string> paths;
    const std::vector<std::string> names = Entries(devDir);
    // NthPresentDevice orders the families and their numbers as the COM map does.
    std::vector<std::string> serial;
    for (const std::string& n : names)
        if (n.rfind("ttyUSB", 0) == 0 || n.rfind("ttyACM", 0) == 0)
            serial.push_back(n);
    for (int k = 1;; ++k) {
        const std::string nth = NthPresentDevice(serial, k);
        if (nth.empty())
            break;
        paths.push_back(devDir + "/" + nth);
    }
    for (const std::string& dir : extraDirs)
        for (const std::string& n : Entries(dir))
            paths.push_back(dir + "/" + n);
    return paths;
}

} // namespace velmora
