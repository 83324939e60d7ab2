#pragma once

#include <map>
#include <string>
#include <vector>

namespace velmora {

// The n-th (from 1) present serial device among the names of a /dev listing:
// first ttyACM*, then ttyUSB*, then rfcomm*, each in natural order (ttyUSB2
// before ttyUSB10). Empty when fewer than n are present.
std::string NthPresentDevice(std::vector<std::string> names, int n);

// Which device stands for COMn: an override given for this run, else the
// "[Serial Devices]" key of the settings file, else the n-th present device,
// else /dev/ttyS(n-1).
class ComDeviceMap {
public:
    ComDeviceMap(std::map<int, std::string> configured, std::map<int, std::string> overrides,
                 std::string devDir = "/dev");

    std::string DeviceFor(int n) const;

private:
    std::map<int, std::string> m_configured;
    std::map<int, std::string> m_overrides;
    std::string m_devDir;
};

// Reads one "COMn=PATH" option value into `overrides`. Returns "" or what is
// wrong with it.
std::string ParseDeviceOverride(const std::string& value, std::map<int, std::string>& overrides);

} // namespace velmora
