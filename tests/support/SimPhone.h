#pragma once

#include "Clock.h"

#include <functional>
#include <string>
#include <vector>

namespace velmora::testing {

// velmora-phonesim on its own pseudo-terminal for the length of a test: the
// one way every test starts the simulated phone. `args` are its options.
class SimPhone {
public:
    explicit SimPhone(std::vector<std::string> args = {});
    ~SimPhone();
    SimPhone(const SimPhone&) = delete;
    SimPhone& operator=(const SimPhone&) = delete;

    const std::string& device() const { return m_device; }
    // Pulls the cable: the simulator goes away at once.
    void Kill();
    // Asks the simulator to end, as Ctrl-C or a service manager would.
    void Terminate() const;
    // Pulls the modem out (its device closes, its --link goes) and plugs it
    // back (a new device, linked at --replug-link), as a USB modem that
    // comes back under another name. Plug waits until the link is there.
    void Pull() const;
    bool Plug(const std::string& link, int ms = 5000) const;
    // The exit status (128 + signal when killed by one) once the simulator
    // has ended within `ms`, else -1.
    int Wait(int ms);

private:
    int m_pid = -1;
    int m_status = -1;
    std::string m_device;
};

// A real clock (scaled) that can run something before a chosen sleep, to
// pull the cable at an exact step of an exchange.
class HookClock : public Clock {
public:
    explicit HookClock(double scale) : m_real(scale) {}
    void Sleep(int ms) override {
        ++m_count;
        if (m_hook && m_count == m_at)
            m_hook();
        m_real.Sleep(ms);
    }
    std::int64_t NowMs() const override { return m_real.NowMs(); }
    // Runs `hook` before the nth sleep from now.
    void At(int nth, std::function<void()> hook) {
        m_at = m_count + nth;
        m_hook = std::move(hook);
    }

private:
    RealClock m_real;
    int m_count = 0;
    int m_at = 0;
    std::function<void()> m_hook;
};

// The exclusive flag of a terminal as another program finds it: the device
// opened afresh and asked with TIOCGEXCL. Root may open an exclusive
// terminal, so this holds whoever runs the tests. 1 or 0; -1 when the device
// cannot be opened or asked.
int ExclusiveFlag(const std::string& device);

std::string TempDir(const std::string& name);
std::vector<std::string> ReadLines(const std::string& path);

} // namespace velmora::testing
