#pragma once

#include "EComPort.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

// The n-th (from 1) present serial device among the names of a /dev listing:
// first ttyACM*, then ttyUSB*, then rfcomm*, each in natural order (ttyUSB2
// before ttyUSB10). Empty when fewer than n are present.
std::string NthPresentDevice(std::vector<std::string> names, int n);

// The --device options of velmora and velmora-cli, for this run only.
struct DeviceOptions {
    std::optional<std::string> anyPort; // --device PATH: the device of whichever port is chosen
    std::map<int, std::string> ports;   // --device COMn=PATH, repeatable
};

// Which device stands for COMn: the device given for any port this run, else
// the one given for COMn this run, else the "[Serial Devices]" key of the
// settings file, else the n-th present device, else /dev/ttyS(n-1).
class ComDeviceMap {
public:
    ComDeviceMap(std::map<int, std::string> configured, std::map<int, std::string> overrides,
                 std::string devDir = "/dev");
    ComDeviceMap(std::map<int, std::string> configured, DeviceOptions options, std::string devDir = "/dev");

    std::string DeviceFor(int n) const;
    // The ports given a device of their own, by the options or the settings,
    // in order.
    std::vector<int> NamedPorts() const;

private:
    std::map<int, std::string> m_configured;
    std::map<int, std::string> m_overrides;
    std::optional<std::string> m_anyPort;
    std::string m_devDir;
};

// Reads one "COMn=PATH" option value into `overrides`. Returns "" or what is
// wrong with it.
std::string ParseDeviceOverride(const std::string& value, std::map<int, std::string>& overrides);
// Reads one --device value: "COMn=PATH" for that port, a plain PATH for any
// port. Returns "" or what is wrong with it.
std::string ParseDeviceOption(const std::string& value, DeviceOptions& options);

// The device and speed a connection tried, "/dev/ttyS0 at 19200 bit/s", so a
// user with several serial devices knows which one was asked: shown after
// "No Response From Mobile Phone !".
std::string TriedDevice(const std::string& device, int baud);
// Why the port could not be opened, naming the device, as shown after
// "Unable to open port n !": "/dev/ttyACM0: Permission denied" (with a hint
// about the dialout group when permission is what is missing). A failure
// after the device opened, such as a speed it refuses, names the device and
// speed and gives the link's text. A device found busy names the program
// holding it when `holder` says ("held by minicom (pid 812)").
std::string DescribeOpenFailure(const std::string& device, int baud, const EComPort& failure,
                                const std::string& holder = "");
// The usual fix after an open failed with `err`, in brackets after a blank;
// "" when there is none to offer.
std::string OpenFailureHint(int err);

} // namespace velmora
