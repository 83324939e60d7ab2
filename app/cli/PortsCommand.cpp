// velmora-cli ports: which serial device is the phone.

#include "PhoneCommands.h"

#include "AppPaths.h"
#include "Clock.h"
#include "GlobalU.h"
#include "LinkFactory.h"
#include "Options.h"
#include "PortProbe.h"
#include "Said.h"
#include "TerminalText.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <ostream>
#include <thread>

namespace velmora::cli {

namespace {

// The ports the window's Serial Port menu offers.
const int kMenuPorts = 9;

std::string PortsUsage() {
    return translate(
        "ports", "usage: velmora-cli ports [--device PATH | --device COMn=PATH]... [--baud RATE] [PATH...]\n"
                 "Asks each serial device whether a phone answers there, about a second for all of\n"
                 "them: the devices COM1 to COM9 stand for (and any further COMn the settings file or\n"
                 "--device names), only those present, or else the PATHs given. Prints one line each:\n"
                 "the port (\"-\" for a device no COMn stands for), the device, and what it found:\n"
                 "\"answers: MANUFACTURER MODEL\", \"no answer\", \"busy: held by NAME (pid N)\" or why it\n"
                 "could not be opened. Nothing is written to a device another program has open (the\n"
                 "maker of a virtual port, such as socat, does not count), and every line is left\n"
                 "with the settings it had. Exit status 0 when a phone answered,\n"
                 "3 when none did.\n"
                 "  --device PATH         the device of every port for this run\n"
                 "  --device COMn=PATH    the device of COMn for this run (repeatable)\n"
                 "  --baud RATE           the line speed to ask at (default: the settings file's)\n");
}

// Runs the probes on a thread of their own while this one waits on the
// clock, so that an interrupt ends them within a fraction of a second.
std::vector<PortProbeResult> ProbeAll(const std::vector<PortCandidate>& candidates, ProbeOptions options,
                                      Clock& clock) {
    std::vector<PortProbeResult> results(candidates.size());
    std::atomic<bool> cancel{false};
    std::atomic<bool> done{false};
    options.cancel = &cancel;
    std::thread worker([&] {
        ProbePorts(candidates, options, [&](std::size_t i, const PortProbeResult& r) { results[i] = r; });
        done = true;
    });
    try {
        while (!done)
            clock.Sleep(20);
    } catch (const SessionCancelled&) {
        cancel = true;
        worker.join();
        throw;
    }
    worker.join();
    return results;
}

} // namespace

int RunPorts(std::vector<std::string> words, Io io) {
    if (IsHelp(words)) {
        io.out << PortsUsage();
        return kExitOk;
    }
    PhoneTarget target;
    // The link options first; the PATHs are the words from the first that is
    // none of them.
    std::size_t firstPath = words.size();
    const CommandLine line(words, PhoneOptions(), kPhoneWords);
    for (const GivenWord& given : line.given()) {
        std::optional<Failure> failure;
        if (!TakeLinkOption(given, target, "ports", failure)) {
            firstPath = given.index;
            break;
        }
        if (failure)
            return Report(*failure, io, PortsUsage());
    }
    words.erase(words.begin(), words.begin() + static_cast<std::ptrdiff_t>(firstPath));
    if (target.port)
        return Report({kExitUsage, translate("ports", "ports: --port does not apply: every port is asked")},
                      io, PortsUsage());
    if (const auto option = std::find_if(words.begin(), words.end(),
                                         [](const std::string& w) { return w.rfind("--", 0) == 0; });
        option != words.end())
        return Report({kExitUsage, Fill(translate("ports", "ports: unknown option \"%1\""), {*option})}, io,
                      PortsUsage());

    const AppPaths paths = CurrentAppPaths();
    Settings settings;
    for (const auto& message : LoadSettings(SettingsSection::Communication, paths.settingsFile, settings))
        io.err << "velmora-cli: "
               << (message.rfind(paths.settingsFile + ": ", 0) == 0 ? message
                                                                    : paths.settingsFile + ": " + message)
               << '\n';
    const auto comPorts = ComPortCandidates(DeviceMapFor(settings, target.devices), kMenuPorts);
    const auto candidates = words.empty() ? comPorts : NamedCandidates(words, comPorts);
    if (candidates.empty()) {
        io.err << "velmora-cli: "
               << Fill(translate("ports", "ports: no serial device is present for COM1 to COM%1"),
                       {std::to_string(kMenuPorts)})
               << '\n';
        return kExitUnreachable;
    }

    ProbeOptions options;
    options.baud = target.baud.value_or(settings.BaudRate);
    std::unique_ptr<RealClock> ownClock = io.clock ? nullptr : std::make_unique<RealClock>();
    const auto results = ProbeAll(candidates, options, io.clock ? *io.clock : *ownClock);
    for (const auto& line : FormatProbeLines(results))
        io.out << ForOutput(line, io.outIsTerminal) << '\n';
    const bool answered = std::any_of(results.begin(), results.end(), [](const PortProbeResult& r) {
        return r.outcome == ProbeOutcome::Answers;
    });
    return answered ? kExitOk : kExitUnreachable;
}

} // namespace velmora::cli
