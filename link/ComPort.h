#pragma once

#include "SerialLink.h"

#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace velmora {

// The serial link on a POSIX terminal device: termios for the line, FIONREAD
// and a non-blocking read for the input queue, TIOCMGET/TIOCMBIS for the
// modem lines, tcdrain for the end of a write. Access is exclusive through
// TIOCEXCL and flock, so a second open of the same device fails with error 1
// even for root; the flag is cleared again before the device is closed. A watcher thread sleeps in poll() and
// only lights the Rx lamp; it stops watching the device while that lamp is lit, so a connected but idle link
// costs no CPU.
class TComPort : public SerialLink {
public:
    // Maps the n of COMn to a device path when the port opens.
    using DeviceResolver = std::function<std::string(int)>;

    explicit TComPort(DeviceResolver resolver);
    ~TComPort() override;

    void SetDataTerminalReady(bool on) override;
    void SetRequestToSend(bool on) override;
    int SendText(const std::string& bytes) override;
    int PendingInputBytes() override;
    std::string ReceiveText(int count) override;
    LineSignals ReadLineSignals() override;
    std::string DeviceDescription() const override;
    std::string ConnectFailure(const std::string& linkError) const override;
    // The device the current port name stands for, or the one UseDevice chose.
    std::string DevicePath() const override;
    bool UseDevice(const std::string& path) override;

protected:
    void DoOpen() override;
    void DoClose() override;
    void ApplyLineSettings() override;

private:
    void OpenDevice();
    void SetModemLine(int line, bool on);
    void StartWatcher();
    void StopWatcher();
    void Watch();
    void WakeWatcher();
    int QueuedBytes() const; // -1 when the device cannot say
    void CloseDevice();

    DeviceResolver m_resolver;
    std::string m_useDevice; // UseDevice's path; "" when the port name decides
    int m_fd = -1;
    bool m_exclusive = false; // TIOCEXCL set by this open
    std::optional<EComPort> m_openFailure;
    std::string m_holder; // who had the device when it was found busy
    int m_wake[2] = {-1, -1};
    std::thread m_watcher;
    // Held while the Rx lamp and the input queue are compared, so that the
    // watcher cannot light the lamp just after a read has emptied the queue.
    std::mutex m_rxMutex;
};

} // namespace velmora
