#pragma once

// The one place where the programs put the phone link together from where
// their files are, the settings and the --device options: velmora-cli
// (which drives a PhoneSession itself) and velmora (through a PhoneLink)
// build theirs here, so both reach the same device and write the same logs.

#include "AppPaths.h"
#include "ComDevices.h"
#include "ComPort.h"
#include "GlobalU.h"
#include "PhoneSession.h"

#include <memory>

namespace velmora {

class Clock;
class PhoneLink;

// Which device each COMn stands for this run: the options over the
// settings' "[Serial Devices]" over the devices present.
ComDeviceMap DeviceMapFor(const Settings& settings, const DeviceOptions& options);

// The serial port, closed, resolving COMn through DeviceMapFor when it opens.
std::unique_ptr<TComPort> MakeComPort(const Settings& settings, const DeviceOptions& options);

// The window's link on that port. A null clock gives a RealClock.
std::unique_ptr<PhoneLink> MakePhoneLink(const Settings& settings, const DeviceOptions& options,
                                         std::unique_ptr<Clock> clock);

} // namespace velmora
