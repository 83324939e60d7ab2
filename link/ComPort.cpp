#include "ComPort.h"

#include "ComDevices.h"
#include "DeviceHolders.h"
#include "LineSpeed.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace velmora {

namespace {

// Pseudo-terminals and some USB adapters have no modem-control lines and say
// so with ENOTTY or EINVAL; that is not a failure of the link.
bool LacksModemLines(int err) { return err == ENOTTY || err == EINVAL; }

// A device that has gone away (cable pulled, phone switched off).
bool DeviceGone(int err) { return err == EIO || err == ENXIO || err == ENODEV; }

} // namespace

TComPort::TComPort(DeviceResolver resolver) : m_resolver(std::move(resolver)) {}

TComPort::~TComPort() {
    try {
        SetConnected(false);
    } catch (const EComPort&) {
        // The device is released before error 5 is raised; nothing is left to undo.
    }
}

std::string TComPort::DeviceDescription() const { return Port() + " (" + DevicePath() + ")"; }

std::string TComPort::DevicePath() const {
    return m_useDevice.empty() ? m_resolver(PortNumber()) : m_useDevice;
}

bool TComPort::UseDevice(const std::string& path) {
    m_useDevice = path;
    return true;
}

std::string TComPort::ConnectFailure(const std::string& linkError) const {
    const std::string device = DevicePath();
    if (m_openFailure)
        return DescribeOpenFailure(device, CustomBaudRate(), *m_openFailure, m_holder);
    const std::string tried = TriedDevice(device, CustomBaudRate());
    return linkError.empty() ? tried : tried + ": " + linkError;
}

void TComPort::DoOpen() {
    m_openFailure.reset();
    m_holder.clear();
    try {
        OpenDevice();
    } catch (const EComPort& e) {
        m_openFailure = e;
        // Busy tells the user to close something; the holder's name tells
        // what. This program's own descriptors are not what is in the way.
        if (e.code() == kErrOpen && e.platformError() == EBUSY)
            m_holder = HolderText(DeviceHolders(DevicePath(), "/proc", ::getpid()));
        throw;
    }
}

void TComPort::OpenDevice() {
    const std::string path = DevicePath();
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw EComPort(kErrOpen, errno);
    // The lock first: TIOCEXCL does not stop root, the lock does. Only the
    // holder of the lock may set (and later clear) the exclusive flag, so a
    // second opener that finds the port busy never clears the first one's.
    int err = 0;
    if (::flock(fd, LOCK_EX | LOCK_NB) < 0)
        err = errno == EWOULDBLOCK ? EBUSY : errno;
    else if (::ioctl(fd, TIOCEXCL) == 0)
        m_exclusive = true;
    else if (!LacksModemLines(errno))
        err = errno;
    if (err) {
        ::close(fd);
        throw EComPort(kErrOpen, err);
    }
    m_fd = fd;
    try {
        ApplyLineSettings();
        StartWatcher();
    } catch (...) {
        CloseDevice();
        throw;
    }
}

void TComPort::ApplyLineSettings() {
    termios tio{};
    if (::tcgetattr(m_fd, &tio) < 0)
        throw EComPort(kErrLineSettings, errno);
    const speed_t speed = TermiosSpeed(CustomBaudRate());
    if (speed == B0)
        throw EComPort(kErrLineSettings, EINVAL);
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS | HUPCL);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK | IGNPAR);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    ::cfsetispeed(&tio, speed);
    ::cfsetospeed(&tio, speed);
    if (::tcsetattr(m_fd, TCSANOW, &tio) < 0)
        throw EComPort(kErrLineSettings, errno);
}

void TComPort::DoClose() {
    StopWatcher();
    int err = 0;
    if (::tcflush(m_fd, TCIOFLUSH) < 0 && !LacksModemLines(errno) && !DeviceGone(errno))
        err = errno;
    CloseDevice();
    if (err)
        throw EComPort(kErrPurge, err);
}

void TComPort::CloseDevice() {
    // The exclusive flag belongs to the terminal, not to this descriptor: left
    // set, it outlives the close (on a pseudo-terminal for as long as its other
    // side is open), and every later open by a normal user fails as busy. A
    // device that has gone away may refuse; there is nothing left to free then.
    if (m_exclusive)
        ::ioctl(m_fd, TIOCNXCL);
    m_exclusive = false;
    ::close(m_fd);
    m_fd = -1;
}

void TComPort::SetModemLine(int line, bool on) {
    if (::ioctl(m_fd, on ? TIOCMBIS : TIOCMBIC, &line) < 0 && !LacksModemLines(errno))
        throw EComPort(kErrEscape, errno);
}

void TComPort::SetDataTerminalReady(bool on) { SetModemLine(TIOCM_DTR, on); }
void TComPort::SetRequestToSend(bool on) { SetModemLine(TIOCM_RTS, on); }

int TComPort::SendText(const std::string& bytes) {
    Led(LedSignal::Tx).set(true);
    // A second, and 100 ms a byte as the phone link always gave, but never
    // more than twice the line's own time for them on top of two seconds:
    // a modem that stopped taking bytes must not hold the link for minutes.
    const long size = static_cast<long>(bytes.size());
    const long lineMs = size * 20000L / std::max(CustomBaudRate(), 300);
    int budget = static_cast<int>(std::min(1000 + 100 * size, 2000 + lineMs));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN) {
            const int err = errno;
            Led(LedSignal::Tx).set(false);
            throw EComPort(kErrWrite, err);
        }
        pollfd p{m_fd, POLLOUT, 0};
        if (budget <= 0 || ::poll(&p, 1, 50) < 0)
            break; // a write cut short by the time-out is not reported
        budget -= 50;
    }
    // tcdrain() waits as long as the device takes nothing, which a hung
    // modem may do for ever: the output queue is watched within the budget
    // instead, and what is still in it counts as not taken.
    int queued = 0;
    for (;;) {
        if (::ioctl(m_fd, TIOCOUTQ, &queued) < 0) {
            const int err = errno;
            queued = 0;
            if (LacksModemLines(err) || err == EINTR)
                break;
            Led(LedSignal::Tx).set(false);
            throw EComPort(kErrWrite, err);
        }
        if (queued <= 0 || budget <= 0)
            break;
        ::poll(nullptr, 0, 10);
        budget -= 10;
    }
    Led(LedSignal::Tx).set(false);
    return static_cast<int>(done) - std::min(std::max(queued, 0), static_cast<int>(done));
}

int TComPort::QueuedBytes() const {
    int n = 0;
    if (::ioctl(m_fd, FIONREAD, &n) < 0)
        return -1;
    return n;
}

int TComPort::PendingInputBytes() {
    const int n = QueuedBytes();
    if (n < 0)
        throw EComPort(kErrStatus, errno);
    return n;
}

std::string TComPort::ReceiveText(int count) {
    std::string bytes;
    if (count > 0) {
        bytes.resize(static_cast<std::size_t>(count));
        std::size_t got = 0;
        while (got < bytes.size()) {
            const ssize_t n = ::read(m_fd, bytes.data() + got, bytes.size() - got);
            if (n > 0) {
                got += static_cast<std::size_t>(n);
            } else if (n == 0) {
                // Bytes were announced but the device has hung up.
                throw EComPort(kErrRead, EIO);
            } else if (errno == EAGAIN) {
                break;
            } else if (errno != EINTR) {
                throw EComPort(kErrRead, errno);
            }
        }
        bytes.resize(got);
    }
    std::lock_guard lock(m_rxMutex);
    const int left = QueuedBytes();
    if (left < 0)
        throw EComPort(kErrRead, errno);
    if (left == 0 && Led(LedSignal::Rx).set(false))
        WakeWatcher();
    return bytes;
}

LineSignals TComPort::ReadLineSignals() {
    int bits = 0;
    if (::ioctl(m_fd, TIOCMGET, &bits) < 0) {
        if (LacksModemLines(errno))
            return {};
        throw EComPort(kErrModemStatus, errno);
    }
    return {(bits & TIOCM_CTS) != 0, (bits & TIOCM_DSR) != 0, (bits & TIOCM_RNG) != 0,
            (bits & TIOCM_CAR) != 0};
}

void TComPort::StartWatcher() {
    if (::pipe2(m_wake, O_CLOEXEC | O_NONBLOCK) < 0)
        throw EComPort(kErrOpen, errno);
    m_watcher = std::thread([this] { Watch(); });
}

void TComPort::StopWatcher() {
    if (!m_watcher.joinable())
        return;
    ::close(m_wake[1]); // end of file on the read side stops the watcher
    m_watcher.join();
    ::close(m_wake[0]);
    m_wake[0] = m_wake[1] = -1;
}

void TComPort::WakeWatcher() {
    const char c = 0;
    [[maybe_unused]] const ssize_t n = ::write(m_wake[1], &c, 1);
}

void TComPort::Watch() {
    bool hungUp = false;
    for (;;) {
        // The device is watched only while the Rx lamp is out: poll() would
        // otherwise report the same buffered bytes again and again.
        const bool watch = !hungUp && !Led(LedSignal::Rx).state();
        pollfd fds[2] = {{m_wake[0], POLLIN, 0}, {watch ? m_fd : -1, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[0].revents) {
            char buf[64];
            if (::read(m_wake[0], buf, sizeof buf) == 0)
                return;
            continue;
        }
        if (fds[1].revents & (POLLHUP | POLLERR | POLLNVAL))
            hungUp = true; // the reader finds out and reports it
        if (fds[1].revents & POLLIN) {
            std::lock_guard lock(m_rxMutex);
            const int queued = QueuedBytes();
            if (queued > 0)
                Led(LedSignal::Rx).set(true);
            else if (queued < 0)
                hungUp = true;
        }
    }
}

} // namespace velmora
