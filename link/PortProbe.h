#pragma once

// Which port is the phone: each serial device opened once, briefly, and asked
// "AT". Nothing is written to a device another program has open, and the
// line's settings are given back exactly as they were found.

#include "DeviceHolders.h"

#include <atomic>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

class ComDeviceMap;

enum class ProbeOutcome {
    Answers,  // an AT result code came back
    NoAnswer, // it opened, but nothing answered within the time
    Busy,     // another program has it open or locked
    Unusable, // it could not be opened, or is no terminal
};

// A device to look at: which COMn stands for it (0 for none) and its path.
struct PortCandidate {
    int port = 0;
    std::string path;
    // "COM3", or "-" for a device outside the COM map.
    std::string name() const;
    bool operator==(const PortCandidate&) const = default;
};

// What one device said: the same fields for the window and the command line.
struct PortProbeResult {
    std::string name; // as PortCandidate::name
    int port = 0;
    std::string path;
    ProbeOutcome outcome = ProbeOutcome::NoAnswer;
    // "answers: VELMORA PhoneSim 1", "no answer", "busy: held by minicom
    // (pid 812)", or why it could not be opened.
    std::string text;
};

// A reply as read so far: the information lines before a final result code,
// without the echo of the command and without blank lines.
struct AtReply {
    bool complete = false; // a final result code has come
    bool ok = false;       // ... and it was OK
    std::vector<std::string> lines;
    bool operator==(const AtReply&) const = default;
};
// Only whole lines count: text after the last line end may still grow.
AtReply ParseAtReply(std::string_view bytes, std::string_view command);

// The answer of an identity command as one line: its information lines
// joined by a blank, a leading "+CGMI: " (or the like) dropped, control
// characters shown as blanks, at most 40 characters.
std::string IdentityLine(const AtReply& reply);
// "answers: MANUFACTURER MODEL"; "answers" when neither is known.
std::string AnswerText(const std::string& manufacturer, const std::string& model);
// The text after an open that failed: the platform's reason and, where
// there is one, the usual fix.
std::string OpenErrorText(int err);

struct ProbeOptions {
    int baud = 0;         // the line speed to ask at; 0 keeps the line's own
    int answerMs = 1000;  // how long "AT" may take
    int identityMs = 500; // the most each identity command may take
    // Set to end every probe within a fraction of a second.
    const std::atomic<bool>* cancel = nullptr;
    std::string procDir = "/proc";
    HolderLimits holderLimits = {};
};

PortProbeResult ProbePort(const PortCandidate& candidate, const ProbeOptions& options = {});

// Probes all of them at once, each on a thread of its own, and returns when
// every one has ended; `done` hears of each as it ends, on that thread.
void ProbePorts(const std::vector<PortCandidate>& candidates, const ProbeOptions& options,
                const std::function<void(std::size_t, const PortProbeResult&)>& done);

// The devices COM1 to COM`count` stand for, and any further COMn the
// settings or options name, each device once (under its first COMn) and only
// those present.
std::vector<PortCandidate> ComPortCandidates(const ComDeviceMap& map, int count = 9);
// The paths given, each named by the first candidate on the same device.
std::vector<PortCandidate> NamedCandidates(const std::vector<std::string>& paths,
                                           const std::vector<PortCandidate>& comPorts);

// One line per result, in three columns: name, path, outcome.
std::vector<std::string> FormatProbeLines(const std::vector<PortProbeResult>& results);

} // namespace velmora
