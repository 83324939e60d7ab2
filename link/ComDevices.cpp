#include "ComDevices.h"

#include "Said.h"
#include "SerialLink.h"
#include "Strings.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace velmora {

namespace {

const char* const kFamilies[] = {"ttyACM", "ttyUSB", "rfcomm"};

// The number after a family prefix, or -1 when the rest is not all digits.
long Suffix(const std::string& name, const std::string& prefix) {
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
        return -1;
    long n = 0;
    for (std::size_t i = prefix.size(); i < name.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i])) || n > 100000)
            return -1;
        n = n * 10 + (name[i] - '0');
    }
    return n;
}

std::vector<std::string> ListDirectory(const std::string& dir) {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        names.push_back(it->path().filename().string());
    return names;
}

} // namespace

std::string NthPresentDevice(std::vector<std::string> names, int n) {
    if (n < 1)
        return "";
    for (const std::string family : kFamilies) {
        std::vector<std::pair<long, std::string>> found;
        for (const auto& name : names)
            if (const long k = Suffix(name, family); k >= 0)
                found.emplace_back(k, name);
        std::sort(found.begin(), found.end());
        if (static_cast<std::size_t>(n) <= found.size())
            return found[static_cast<std::size_t>(n) - 1].second;
        n -= static_cast<int>(found.size());
    }
    return "";
}

ComDeviceMap::ComDeviceMap(std::map<int, std::string> configured, std::map<int, std::string> overrides,
                           std::string devDir)
    : m_configured(std::move(configured)), m_overrides(std::move(overrides)), m_devDir(std::move(devDir)) {}

ComDeviceMap::ComDeviceMap(std::map<int, std::string> configured, DeviceOptions options, std::string devDir)
    : m_configured(std::move(configured)), m_overrides(std::move(options.ports)),
      m_anyPort(std::move(options.anyPort)), m_devDir(std::move(devDir)) {}

std::string ComDeviceMap::DeviceFor(int n) const {
    if (m_anyPort)
        return *m_anyPort;
    if (auto it = m_overrides.find(n); it != m_overrides.end())
        return it->second;
    if (auto it = m_configured.find(n); it != m_configured.end() && !it->second.empty())
        return it->second;
    const std::string present = NthPresentDevice(ListDirectory(m_devDir), n);
    if (!present.empty())
        return m_devDir + "/" + present;
    return m_devDir + "/ttyS" + std::to_string(n - 1);
}

std::vector<int> ComDeviceMap::NamedPorts() const {
    std::vector<int> ports;
    for (const auto& [n, path] : m_overrides)
        ports.push_back(n);
    for (const auto& [n, path] : m_configured)
        if (!path.empty() && !m_overrides.count(n))
            ports.push_back(n);
    std::sort(ports.begin(), ports.end());
    return ports;
}

std::string ParseDeviceOverride(const std::string& value, std::map<int, std::string>& overrides) {
    const auto eq = value.find('=');
    if (eq == std::string::npos || eq + 1 == value.size())
        return Fill(translate("ComDevices", "\"%1\" is not COMn=PATH"), {value});
    const std::string port = value.substr(0, eq);
    const std::string name = PortName(port);
    // PortName turns anything unreadable into COM1; only accept what it kept.
    const std::string upper = Upper(port);
    if (name != upper && "COM" + upper != name)
        return Fill(translate("ComDevices", "\"%1\" is not a port COM1 to COM96"), {port});
    overrides[PortNameNumber(name)] = value.substr(eq + 1);
    return "";
}

std::string ParseDeviceOption(const std::string& value, DeviceOptions& options) {
    if (value.empty())
        return translate("ComDevices", "needs a device");
    if (value.find('=') == std::string::npos) {
        options.anyPort = value;
        return "";
    }
    return ParseDeviceOverride(value, options.ports);
}

std::string TriedDevice(const std::string& device, int baud) {
    return Fill(translate("ComDevices", "%1 at %2 bit/s"), {device, std::to_string(baud)});
}

std::string OpenFailureHint(int err) {
    if (err == EACCES || err == EPERM)
        return translate("ComDevices",
                         " (serial devices are for members of the dialout group: sudo adduser $USER "
                         "dialout, then log in again)");
    if (err == EBUSY)
        return translate("ComDevices", " (another program is using it)");
    return "";
}

std::string DescribeOpenFailure(const std::string& device, int baud, const EComPort& failure,
                                const std::string& holder) {
    const int err = failure.platformError();
    if (failure.code() != kErrOpen)
        return TriedDevice(device, baud) + ": " + failure.what();
    if (err < 0)
        return device + ": " + ComPortErrorText(kErrOpen);
    if (err == EBUSY && !holder.empty())
        return device + ": " + std::strerror(err) + " (" + holder + ")";
    return device + ": " + std::strerror(err) + OpenFailureHint(err);
}

} // namespace velmora
