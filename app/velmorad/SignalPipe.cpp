#include "SignalPipe.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace velmora::daemon {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The pipe's write end, for the handler.
volatile sig_atomic_t g_writeFd = -1;

extern "C" void OnSignal(int signal) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    if (g_writeFd >= 0) {
        // A full pipe holds enough of the same signals already.
        [[maybe_unused]] const auto written = ::write(g_writeFd, &byte, 1);
    }
    errno = saved;
}

} // namespace

SignalPipe::SignalPipe(QObject* parent) : QObject(parent) {
    if (::pipe2(m_fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    g_writeFd = m_fds[1];
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    // A read or write the signal interrupts goes on by itself.
    action.sa_flags = SA_RESTART;
    m_ok = true;
    for (const int s : kSignals)
        m_ok = m_ok && ::sigaction(s, &action, nullptr) == 0;
    m_notifier = std::make_unique<QSocketNotifier>(m_fds[0], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &SignalPipe::readSignals);
}

SignalPipe::~SignalPipe() {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (const int s : kSignals)
        ::sigaction(s, &action, nullptr);
    g_writeFd = -1;
    m_notifier.reset();
    for (const int fd : m_fds)
        if (fd >= 0)
            ::close(fd);
}

void SignalPipe::readSignals() {
    unsigned char bytes[64];
    ssize_t n = 0;
    while ((n = ::read(m_fds[0], bytes, sizeof bytes)) > 0) {
        for (ssize_t i = 0; i < n; ++i) {
            if (bytes[i] == SIGHUP)
                emit reload();
            else
                emit terminate(bytes[i]);
        }
    }
}

} // namespace velmora::daemon
