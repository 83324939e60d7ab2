#include "LinkFactory.h"

#include "Clock.h"
#include "PhoneLink.h"

namespace velmora {

ComDeviceMap DeviceMapFor(const Settings& settings, const DeviceOptions& options) {
    return ComDeviceMap(settings.SerialDevices, options);
}

std::unique_ptr<TComPort> MakeComPort(const Settings& settings, const DeviceOptions& options) {
    // The map is taken now: the port keeps the devices of this run even if
    // the caller's settings change later.
    return std::make_unique<TComPort>(
        [devices = DeviceMapFor(settings, options)](int n) { return devices.DeviceFor(n); });
}

std::unique_ptr<PhoneLink> MakePhoneLink(const Settings& settings, const DeviceOptions& options,
                                         std::unique_ptr<Clock> clock) {
    if (!clock)
        clock = std::make_unique<RealClock>();
    return std::make_unique<PhoneLink>(MakeComPort(settings, options), std::move(clock));
}

} // namespace velmora
