// velmora-phonesim: a simulated GSM phone on a pseudo-terminal.

#include "Arguments.h"
#include "SimulatedPhone.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <iostream>
#include <memory>
#include <poll.h>
#include <string>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using velmora::phonesim::Arguments;
using velmora::phonesim::Output;
using velmora::phonesim::PhoneOptions;
using velmora::phonesim::SimulatedPhone;

volatile std::sig_atomic_t g_stop = 0;
volatile std::sig_atomic_t g_pull = 0; // SIGUSR1: the modem is pulled out
volatile std::sig_atomic_t g_plug = 0; // SIGUSR2: ... and plugged back

void OnSignal(int) { g_stop = 1; }
void OnPull(int) { g_pull = 1; }
void OnPlug(int) { g_plug = 1; }

std::string Visible(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c < 32 || c >= 127) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        } else
            out += static_cast<char>(c);
    }
    return out;
}

// Opens the pty pair and leaves the device in raw mode. The simulator keeps
// only the master: holding the device open as well would keep an exclusive
// lock a client took (TIOCEXCL) alive after that client closed it.
int OpenPty(std::string& device) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
        return -1;
    char name[256];
    if (::ptsname_r(master, name, sizeof name) != 0)
        return -1;
    device = name;
    const int slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave < 0)
        return -1;
    termios t{};
    if (::tcgetattr(slave, &t) == 0) {
        ::cfmakeraw(&t);
        ::cfsetspeed(&t, B19200);
        ::tcsetattr(slave, TCSANOW, &t);
    }
    ::close(slave);
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    return master;
}

bool MakeLink(const std::string& link, const std::string& device) {
    struct stat st {};
    if (::lstat(link.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            std::cerr << "velmora-phonesim: " << link << " exists and is not a symbolic link\n";
            return false;
        }
        ::unlink(link.c_str());
    }
    if (::symlink(device.c_str(), link.c_str()) != 0) {
        std::cerr << "velmora-phonesim: " << link << ": " << std::strerror(errno) << '\n';
        return false;
    }
    return true;
}

void RemoveLink(const std::string& link, const std::string& device) {
    char target[256];
    const ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
    if (n > 0 && std::string(target, static_cast<std::size_t>(n)) == device)
        ::unlink(link.c_str());
}

struct Pending {
    Clock::time_point due;
    std::string bytes;
    int delivery = 0; // a message reaching the phone then, instead of bytes
};

} // namespace

int main(int argc, char** argv) {
    Arguments args;
    const std::string err =
        velmora::phonesim::ParseArguments(std::vector<std::string>(argv + 1, argv + argc), args);
    if (!err.empty()) {
        std::cerr << "velmora-phonesim: " << err << "\n(see velmora-phonesim --help)\n";
        return 2;
    }
    if (args.help) {
        std::cout << velmora::phonesim::HelpText();
        return 0;
    }
    if (args.version) {
        std::cout << "velmora-phonesim " VELMORA_VERSION "\n";
        return 0;
    }

    // Signals are taken only inside ppoll, so a terminate between two checks
    // of the flag is never lost.
    sigset_t blocked, waitMask;
    sigemptyset(&blocked);
    for (int s : {SIGTERM, SIGINT, SIGHUP, SIGUSR1, SIGUSR2})
        sigaddset(&blocked, s);
    sigprocmask(SIG_BLOCK, &blocked, &waitMask);
    for (int s : {SIGTERM, SIGINT, SIGHUP, SIGUSR1, SIGUSR2})
        sigdelset(&waitMask, s);
    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    for (int s : {SIGTERM, SIGINT, SIGHUP})
        sigaction(s, &sa, nullptr);
    sa.sa_handler = OnPull;
    sigaction(SIGUSR1, &sa, nullptr);
    sa.sa_handler = OnPlug;
    sigaction(SIGUSR2, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    std::string device;
    int master = OpenPty(device);
    if (master < 0) {
        std::cerr << "velmora-phonesim: cannot open a pseudo-terminal: " << std::strerror(errno) << '\n';
        return 1;
    }
    if (!args.link.empty() && !MakeLink(args.link, device))
        return 1;
    std::cout << device << std::endl;

    auto phone = std::make_unique<SimulatedPhone>(args.phone);
    std::string link = args.link; // where the device is linked now
    std::deque<Pending> queue;
    Clock::time_point lastDue = Clock::now();
    const auto log = [&](const char* dir, const std::string& bytes) {
        if (args.verbose && !bytes.empty())
            std::cerr << dir << ' ' << Visible(bytes) << std::endl;
    };
    // Answers follow each other; what comes apart is due by its own time.
    // The queue stays in the order things are due, so an answer never
    // waits behind a report or a message still to come.
    const auto take = [&](std::vector<Output> outputs) {
        for (Output& o : outputs) {
            Clock::time_point due;
            if (o.apart) {
                due = Clock::now() + std::chrono::milliseconds(o.delayMs);
            } else {
                lastDue = std::max(lastDue, Clock::now()) + std::chrono::milliseconds(o.delayMs);
                due = lastDue;
            }
            const auto at =
                std::find_if(queue.begin(), queue.end(), [&](const Pending& p) { return p.due > due; });
            queue.insert(at, Pending{due, std::move(o.bytes), o.delivery});
        }
    };

    while (!g_stop) {
        if (g_pull) {
            g_pull = 0;
            if (master >= 0) {
                // As a cable pulled: whatever was on its way is lost, the
                // device and its link are gone.
                log("!", "pulled out");
                ::close(master);
                master = -1;
                queue.clear();
                if (!link.empty())
                    RemoveLink(link, device);
            }
        }
        if (g_plug) {
            g_plug = 0;
            if (master < 0) {
                master = OpenPty(device);
                if (master < 0) {
                    std::cerr << "velmora-phonesim: cannot open a pseudo-terminal: " << std::strerror(errno)
                              << '\n';
                    return 1;
                }
                // Powered on afresh: echo on, nothing chosen, not hung.
                PhoneOptions fresh = args.phone;
                fresh.hangAfter = 0;
                phone = std::make_unique<SimulatedPhone>(fresh);
                link = args.replugLink.empty() ? args.link : args.replugLink;
                if (!link.empty() && !MakeLink(link, device))
                    return 1;
                log("!", "plugged back in as " + device);
                std::cout << device << std::endl;
            }
        }
        if (master < 0) {
            // Unplugged: nothing to do until plugged back or ended.
            ::ppoll(nullptr, 0, nullptr, &waitMask);
            continue;
        }
        const auto now = Clock::now();
        // Send what is due, in order.
        while (!queue.empty() && queue.front().due <= now) {
            if (const int delivery = queue.front().delivery; delivery > 0) {
                queue.pop_front();
                log("!", "message " + std::to_string(delivery) + " arrives");
                take(phone->Deliver(delivery));
                continue;
            }
            std::string& bytes = queue.front().bytes;
            const ssize_t n = ::write(master, bytes.data(), bytes.size());
            if (n < 0 && errno == EAGAIN)
                break;
            if (n < 0) { // EIO: nobody holds the device open; the bytes go nowhere
                queue.pop_front();
                continue;
            }
            log(">", bytes.substr(0, static_cast<std::size_t>(n)));
            bytes.erase(0, static_cast<std::size_t>(n));
            if (bytes.empty())
                queue.pop_front();
        }
        // Messages still to arrive do not keep a dropped line alive.
        if (phone->LineDropped() &&
            std::all_of(queue.begin(), queue.end(), [](const Pending& p) { return p.delivery > 0; })) {
            log("!", "line dropped after " + std::to_string(phone->CommandsSeen()) + " commands");
            break;
        }

        timespec timeout{};
        timespec* wait = nullptr;
        if (!queue.empty()) {
            const auto ms =
                std::chrono::duration_cast<std::chrono::milliseconds>(queue.front().due - now).count();
            const long delay = ms <= 0 ? 5 : ms; // 5 ms: the device was full, try again soon
            timeout.tv_sec = delay / 1000;
            timeout.tv_nsec = (delay % 1000) * 1000000L;
            wait = &timeout;
        }
        pollfd pfd{master, POLLIN, 0};
        const int ready = ::ppoll(&pfd, 1, wait, &waitMask);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (ready == 0)
            continue;
        if (pfd.revents & POLLIN) {
            char buf[4096];
            const ssize_t n = ::read(master, buf, sizeof buf);
            if (n > 0) {
                const std::string in(buf, static_cast<std::size_t>(n));
                log("<", in);
                take(phone->Receive(in));
                continue;
            }
        }
        if (pfd.revents & (POLLHUP | POLLERR)) {
            // No client has the device open. There is nothing to wait on
            // until one opens it, so look again shortly; the nap lets a
            // terminate through, which a ppoll that returns at once does not.
            const timespec nap{0, 50 * 1000000L};
            ::ppoll(nullptr, 0, &nap, &waitMask);
        }
    }

    if (master >= 0)
        ::close(master);
    if (!link.empty())
        RemoveLink(link, device);
    return 0;
}
