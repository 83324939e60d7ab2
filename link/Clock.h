#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <stdexcept>

namespace velmora {

// Raised by a sleep once the clock has been cancelled: the session's owner is
// going away and the exchange in progress must end now.
class SessionCancelled : public std::runtime_error {
public:
    SessionCancelled() : std::runtime_error("cancelled") {}
};

// The phone dialogue is paced by plain sleeps; the clock is injected so that
// tests can run the exact same sequences instantly.
class Clock {
public:
    virtual ~Clock() = default;
    virtual void Sleep(int ms) = 0;
    virtual std::int64_t NowMs() const = 0;
    // Ends the current and every later sleep (see SessionCancelled).
    virtual void Cancel() {}
    // Undoes Cancel: a link that cut a stuck modem's wait short goes on with
    // the same clock.
    virtual void Resume() {}
};

// Sleeps for real, each interval multiplied by `scale` (1 in the program; a
// small scale lets a test run the real dialogue faster). Cancel() wakes a
// sleeper and makes every later sleep throw SessionCancelled.
class RealClock : public Clock {
public:
    explicit RealClock(double scale = 1.0) : m_scale(scale) {}
    void Sleep(int ms) override;
    std::int64_t NowMs() const override;
    void Cancel() override;
    void Resume() override;

private:
    double m_scale;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_cancelled = false;
};

} // namespace velmora
