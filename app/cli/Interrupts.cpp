#include "Interrupts.h"

#include "Clock.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <poll.h>
#include <stdexcept>
#include <sys/eventfd.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace velmora::cli {

namespace {

sigset_t Interrupts() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    return set;
}

} // namespace

InterruptCanceller::InterruptCanceller(Clock& clock, int graceMs) : m_clock(clock), m_graceMs(graceMs) {
    const sigset_t set = Interrupts();
    if (::pthread_sigmask(SIG_BLOCK, &set, nullptr) != 0)
        throw std::runtime_error("cannot block the interrupt signals");
    m_signals = ::signalfd(-1, &set, SFD_CLOEXEC);
    m_stop = ::eventfd(0, EFD_CLOEXEC);
    if (m_signals < 0 || m_stop < 0)
        throw std::runtime_error("cannot wait for the interrupt signals");
    m_waiter = std::thread([this] { Wait(); });
}

InterruptCanceller::~InterruptCanceller() {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(m_stop, &one, sizeof one);
    m_waiter.join();
    ::close(m_signals);
    ::close(m_stop);
}

void InterruptCanceller::Wait() {
    using Steady = std::chrono::steady_clock;
    Steady::time_point deadline{};
    for (;;) {
        int timeout = -1;
        if (m_caught) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Steady::now());
            timeout = static_cast<int>(std::max<std::int64_t>(0, left.count()));
        }
        pollfd fds[2] = {{m_stop, POLLIN, 0}, {m_signals, POLLIN, 0}};
        const int ready = ::poll(fds, 2, timeout);
        if (ready < 0 && errno == EINTR)
            continue;
        if (fds[0].revents || ready < 0)
            return; // the command has ended
        if (ready == 0)
            ::_exit(128 + m_caught); // the command did not end in time
        signalfd_siginfo info{};
        if (::read(m_signals, &info, sizeof info) != static_cast<ssize_t>(sizeof info))
            continue;
        const int signal = static_cast<int>(info.ssi_signo);
        if (m_caught)
            ::_exit(128 + signal); // asked twice
        deadline = Steady::now() + std::chrono::milliseconds(m_graceMs);
        m_caught = signal;
        m_clock.Cancel();
    }
}

} // namespace velmora::cli
