#pragma once

#include <atomic>
#include <thread>

namespace velmora {
class Clock;
}

namespace velmora::cli {

// Ends a phone command cleanly on Ctrl-C, SIGTERM or SIGHUP. The signals are
// blocked in the calling thread, and so in every thread started after it
// (create this before any other), and a thread of its own waits for them and
// cancels the clock: the next sleep of the dialogue throws SessionCancelled,
// so a PDU already written is logged as unknown and the port is closed on
// the way out. If the command has not ended `graceMs` after the signal, or a
// second one comes, the program ends at once with 128 + the signal.
class InterruptCanceller {
public:
    explicit InterruptCanceller(Clock& clock, int graceMs = 3000);
    ~InterruptCanceller();
    InterruptCanceller(const InterruptCanceller&) = delete;
    InterruptCanceller& operator=(const InterruptCanceller&) = delete;

    // The signal that cancelled the clock; 0 while none has come.
    int Caught() const { return m_caught.load(); }

private:
    void Wait();

    Clock& m_clock;
    int m_graceMs;
    int m_signals = -1; // signalfd of the three signals
    int m_stop = -1;    // eventfd: the command has ended
    std::atomic<int> m_caught{0};
    std::thread m_waiter;
};

} // namespace velmora::cli
