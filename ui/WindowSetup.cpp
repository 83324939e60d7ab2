#include "WindowSetup.h"

#include "LinkFactory.h"

namespace velmora {

WindowSetup MakeWindowSetup(AppPaths paths, DeviceOptions options,
                            std::function<std::unique_ptr<Clock>()> clock) {
    WindowSetup setup;
    setup.paths = paths;
    setup.deviceFor = [options](const Settings& settings, int n) {
        return DeviceMapFor(settings, options).DeviceFor(n);
    };
    setup.portsToProbe = [options](const Settings& settings) {
        return ComPortCandidates(DeviceMapFor(settings, options));
    };
    setup.makeLink = [options, clock](const Settings& settings) {
        return MakePhoneLink(settings, options, clock ? clock() : nullptr);
    };
    return setup;
}

} // namespace velmora
