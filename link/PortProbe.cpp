#include "PortProbe.h"

#include "AtReader.h"
#include "ComDevices.h"
#include "DeviceHolders.h"
#include "LineSpeed.h"
#include "Said.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <sys/file.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace velmora {

namespace {

// Enough for any identity reply; a device pouring out bytes is cut off here.
const std::size_t kMaxReply = 4096;
const std::size_t kMaxIdentity = 40;
// How often a wait looks at the cancel flag.
const int kSliceMs = 50;

std::string Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return "";
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

using SteadyClock = std::chrono::steady_clock;

bool Cancelled(const ProbeOptions& options) { return options.cancel && options.cancel->load(); }

// Writes the command and reads until a final result code, the deadline or
// the cancel flag. The reply as parsed, complete or not.
AtReply Ask(int fd, const std::string& command, int ms, const ProbeOptions& options) {
    const auto deadline = SteadyClock::now() + std::chrono::milliseconds(ms);
    const auto left = [&] {
        const auto rest =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now());
        return static_cast<int>(std::clamp<long long>(rest.count(), 0, kSliceMs));
    };
    // What came since the last answer is not this one's: a phone that was
    // at the PDU prompt answers the escape as well as "AT".
    for (char stale[512]; ::read(fd, stale, sizeof stale) > 0;) {
    }
    const std::string bytes = command + "\r";
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + sent, bytes.size() - sent);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return {};
        pollfd p{fd, POLLOUT, 0};
        if (Cancelled(options) || left() == 0 || ::poll(&p, 1, left()) < 0)
            return {};
    }
    std::string reply;
    for (;;) {
        const AtReply parsed = ParseAtReply(reply, command);
        if (parsed.complete || Cancelled(options) || reply.size() >= kMaxReply)
            return parsed;
        const int wait = left();
        if (wait == 0)
            return parsed;
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, wait);
        if (ready < 0 && errno != EINTR)
            return parsed;
        if (ready <= 0)
            continue;
        if (p.revents & (POLLHUP | POLLERR | POLLNVAL) && !(p.revents & POLLIN))
            return parsed;
        char buf[512];
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n > 0)
            reply.append(buf, static_cast<std::size_t>(n));
        else if (n == 0 || (errno != EAGAIN && errno != EINTR))
            return parsed;
    }
}

// Reads and drops what still comes until the line has been quiet for
// `quietMs` (at most four times that in all), or the cancel flag.
void Settle(int fd, int quietMs, const ProbeOptions& options) {
    const auto end = SteadyClock::now() + std::chrono::milliseconds(4 * quietMs);
    auto quietUntil = SteadyClock::now() + std::chrono::milliseconds(quietMs);
    for (;;) {
        const auto now = SteadyClock::now();
        if (Cancelled(options) || now >= quietUntil || now >= end)
            return;
        const auto wait =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::min(quietUntil, end) - now);
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(std::clamp<long long>(wait.count(), 1, kSliceMs)));
        if (ready < 0 && errno != EINTR)
            return;
        if (ready <= 0 || !(p.revents & POLLIN))
            continue;
        char buf[512];
        if (::read(fd, buf, sizeof buf) <= 0)
            return;
        quietUntil = SteadyClock::now() + std::chrono::milliseconds(quietMs);
    }
}

PortProbeResult Talk(int fd, PortProbeResult result, const ProbeOptions& options) {
    const auto start = SteadyClock::now();
    // A phone a stopped program left at the PDU prompt takes "AT" for PDU
    // text; escape brings it back, and one at its commands ignores it.
    [[maybe_unused]] const ssize_t escaped = ::write(fd, "\x1B", 1);
    const AtReply hello = Ask(fd, "AT", options.answerMs, options);
    // A result code of any kind shows something that speaks AT commands; some
    // phones refuse a bare "AT" and still take every real command.
    if (!hello.complete) {
        result.outcome = ProbeOutcome::NoAnswer;
        result.text = translate("PortProbe", "no answer");
        return result;
    }
    // A slow phone is given twice its first answer's time, within bounds.
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - start);
    // A phone that was at the PDU prompt answers the escape and then "AT":
    // the answer taken may have been the escape's, and the one to "AT",
    // still on its way, would be read as the manufacturer's. Whatever
    // follows within about the phone's own answer time is let go first.
    Settle(fd, static_cast<int>(std::clamp<long long>(took.count() + 20, 20, 200)), options);
    const int identityMs = static_cast<int>(
        std::clamp<long long>(2 * took.count() + 100, 200, std::max(200, options.identityMs)));
    // After a command that ran out of time its late answer would be taken
    // for the next one's: the asking stops there.
    bool inTime = true;
    const auto identity = [&](const char* command) {
        if (!inTime)
            return std::string();
        const AtReply reply = Ask(fd, command, identityMs, options);
        inTime = reply.complete;
        return reply.ok ? IdentityLine(reply) : std::string();
    };
    const std::string manufacturer = identity("AT+CGMI");
    const std::string model = identity("AT+CGMM");
    result.outcome = ProbeOutcome::Answers;
    result.text = AnswerText(manufacturer, model);
    return result;
}

} // namespace

std::string PortCandidate::name() const { return port > 0 ? "COM" + std::to_string(port) : "-"; }

// The session's reader: the same echo, result codes and unsolicited lines
// (a modem's ^RSSI never becomes its model).
AtReply ParseAtReply(std::string_view bytes, std::string_view command) {
    AtReader reader;
    reader.Start(command);
    reader.Feed(bytes);
    return AtReply{reader.Done(), reader.Final() == FinalResult::Ok, reader.Lines()};
}

std::string IdentityLine(const AtReply& reply) {
    std::string text;
    for (std::string line : reply.lines) {
        // "+CGMI: Nokia" from some phones, "Nokia" from most.
        if (line.size() > 1 && line[0] == '+')
            if (const auto colon = line.find(':'); colon != std::string::npos)
                line = Trim(std::string_view(line).substr(colon + 1));
        if (!line.empty())
            text += (text.empty() ? "" : " ") + line;
    }
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = ' ';
    if (text.size() > kMaxIdentity) {
        std::size_t cut = kMaxIdentity;
        // Never end inside a UTF-8 sequence.
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
            --cut;
        text.resize(cut);
    }
    return text;
}

std::string AnswerText(const std::string& manufacturer, const std::string& model) {
    std::string who = manufacturer;
    if (!model.empty())
        who += (who.empty() ? "" : " ") + model;
    return who.empty() ? translate("PortProbe", "answers")
                       : Fill(translate("PortProbe", "answers: %1"), {who});
}

std::string OpenErrorText(int err) {
    if (err == ENOENT)
        return std::string(std::strerror(err));
    if (err == EIO || err == ENXIO || err == ENODEV)
        return Fill(translate("PortProbe", "%1 (nothing is connected behind this device)"),
                    {std::strerror(err)});
    return std::strerror(err) + OpenFailureHint(err);
}

PortProbeResult ProbePort(const PortCandidate& candidate, const ProbeOptions& options) {
    PortProbeResult result{candidate.name(), candidate.port, candidate.path, ProbeOutcome::Unusable, ""};
    const auto busy = [&](const std::string& why) {
        result.outcome = ProbeOutcome::Busy;
        result.text = Fill(translate("PortProbe", "busy: %1"), {why});
        return result;
    };
    const int fd = ::open(candidate.path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        if (err == EBUSY) {
            const std::string holders = HolderText(DeviceHolders(candidate.path, options.procDir));
            return busy(holders.empty() ? translate("PortProbe", "in exclusive use by another program")
                                        : holders);
        }
        result.text = OpenErrorText(err);
        return result;
    }
    termios saved{};
    if (::tcgetattr(fd, &saved) < 0) {
        ::close(fd);
        result.text = translate("PortProbe", "not a serial device");
        return result;
    }
    // Another program's dialogue must not see our bytes: anyone holding the
    // device, not only one that locked it, is left alone. The maker of a
    // virtual serial port (socat) is not in the way: it waits for us.
    // A search cut short may have missed one: the device is not asked then.
    if (const auto search =
            FindDeviceHolders(candidate.path, options.procDir, ::getpid(), fd, options.holderLimits);
        !search.holders.empty() || !search.complete) {
        ::close(fd);
        return busy(search.holders.empty()
                        ? translate("PortProbe", "too many processes and open files to see whether another "
                                                 "program holds it")
                        : HolderText(search.holders));
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) < 0) {
        const int err = errno;
        ::close(fd);
        if (err == EWOULDBLOCK)
            return busy(translate("PortProbe", "locked by another program"));
        result.text = std::strerror(err);
        return result;
    }
    termios raw = saved;
    ::cfmakeraw(&raw);
    raw.c_cflag |= CLOCAL | CREAD;
    raw.c_cc[VMIN] = 0;
    raw.c_cc[VTIME] = 0;
    if (const speed_t speed = TermiosSpeed(options.baud); speed != B0) {
        ::cfsetispeed(&raw, speed);
        ::cfsetospeed(&raw, speed);
    }
    if (::tcsetattr(fd, TCSANOW, &raw) < 0) {
        const int err = errno;
        ::close(fd);
        result.text = std::strerror(err);
        return result;
    }
    ::tcflush(fd, TCIFLUSH); // what came before the question is no answer to it
    result = Talk(fd, result, options);
    // What the bytes still queued would meet if they were sent later is the
    // next program's business; the line goes back as it was found.
    ::tcflush(fd, TCIOFLUSH);
    ::tcsetattr(fd, TCSANOW, &saved);
    ::close(fd);
    return result;
}

void ProbePorts(const std::vector<PortCandidate>& candidates, const ProbeOptions& options,
                const std::function<void(std::size_t, const PortProbeResult&)>& done) {
    std::vector<std::thread> threads;
    threads.reserve(candidates.size());
    for (std::size_t i = 0; i < candidates.size(); ++i)
        threads.emplace_back([&, i] { done(i, ProbePort(candidates[i], options)); });
    for (auto& t : threads)
        t.join();
}

std::vector<PortCandidate> ComPortCandidates(const ComDeviceMap& map, int count) {
    std::vector<int> ports;
    for (int n = 1; n <= count; ++n)
        ports.push_back(n);
    for (const int n : map.NamedPorts())
        if (n > count)
            ports.push_back(n);
    std::vector<PortCandidate> candidates;
    for (const int n : ports) {
        const std::string path = map.DeviceFor(n);
        std::error_code ec;
        if (!std::filesystem::exists(path, ec))
            continue;
        const bool seen = std::any_of(candidates.begin(), candidates.end(),
                                      [&](const PortCandidate& c) { return SameDevice(c.path, path); });
        if (!seen)
            candidates.push_back({n, path});
    }
    return candidates;
}

std::vector<PortCandidate> NamedCandidates(const std::vector<std::string>& paths,
                                           const std::vector<PortCandidate>& comPorts) {
    std::vector<PortCandidate> candidates;
    for (const auto& path : paths) {
        const auto it = std::find_if(comPorts.begin(), comPorts.end(),
                                     [&](const PortCandidate& c) { return SameDevice(c.path, path); });
        candidates.push_back({it == comPorts.end() ? 0 : it->port, path});
    }
    return candidates;
}

std::vector<std::string> FormatProbeLines(const std::vector<PortProbeResult>& results) {
    std::size_t nameWidth = 0, pathWidth = 0;
    for (const auto& r : results) {
        nameWidth = std::max(nameWidth, r.name.size());
        pathWidth = std::max(pathWidth, r.path.size());
    }
    std::vector<std::string> lines;
    for (const auto& r : results)
        lines.push_back(r.name + std::string(nameWidth - r.name.size() + 2, ' ') + r.path +
                        std::string(pathWidth - r.path.size() + 2, ' ') + r.text);
    return lines;
}

} // namespace velmora
