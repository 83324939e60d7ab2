#pragma once

// The composition root of the window: what the program that starts it (or
// a test) hands it, and how the program builds that from the options.

#include "AppPaths.h"
#include "ComDevices.h"
#include "GlobalU.h"
#include "PhoneLink.h"
#include "PortProbe.h"

#include <functional>
#include <memory>
#include <string>

namespace velmora {

class Clock;
class Prompter;
class RunningProgram;
class TuneOutput;

// What the window is given by the program that starts it (or by a test).
struct WindowSetup {
    AppPaths paths;
    // The phone link for the settings as loaded (they may name devices).
    std::function<std::unique_ptr<PhoneLink>(const Settings&)> makeLink;
    // The device COMn stands for now, shown as the Serial Port items' tips.
    std::function<std::string(const Settings&, int)> deviceFor;
    // The devices Find Phone asks: those the COMn stand for now.
    std::function<std::vector<PortCandidate>(const Settings&)> portsToProbe;
    // Answers message boxes and dialogs; null for the real ones.
    Prompter* prompter = nullptr;
    // Where the RingTone tab plays; null for the default audio output.
    std::function<std::unique_ptr<TuneOutput>()> makeTuneOutput;
    // Another Velmora program holding the modems now (velmorad), which the
    // window then works through instead of opening the port; null when
    // none does. Unset: the window never looks.
    std::function<std::unique_ptr<RunningProgram>()> findRunning;
    // Whether the window, while it holds the modem itself, answers other
    // programs (velmora-cli, scripts) as org.velmora.Velmora1 on the session bus.
    bool answerOnBus = false;
};

// The setup of a window on the devices the options and settings name, its
// files at `paths`, its dialogue paced by `clock` (null: real time).
WindowSetup MakeWindowSetup(AppPaths paths, DeviceOptions options,
                            std::function<std::unique_ptr<Clock>()> clock = nullptr);

} // namespace velmora
