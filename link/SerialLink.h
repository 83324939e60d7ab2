#pragma once

#include "ComLed.h"
#include "EComPort.h"

#include <string>

namespace velmora {

// The modem status lines, bits 0 to 3 in this order.
struct LineSignals {
    bool cts = false;
    bool dsr = false;
    bool ring = false;
    bool rlsd = false;
    bool operator==(const LineSignals&) const = default;
};

// "3", "com3" and "COM3" give "COM3"; anything that is not a number from 1
// to 96 gives "COM1".
std::string PortName(const std::string& text);
// The n of a name that PortName has made.
int PortNameNumber(const std::string& name);

// The byte pipe to the phone: opened by a COMn name, written with whole
// strings, read by asking what has been buffered. Every failure is an
// EComPort. The three lamps report their changes to one listener.
class SerialLink {
public:
    SerialLink();
    virtual ~SerialLink() = default;
    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;

    // Normalises the name; an open port is closed and opened again under a
    // changed one.
    void SetPort(const std::string& text);
    const std::string& Port() const { return m_port; }
    int PortNumber() const { return PortNameNumber(m_port); }

    // An open port takes a changed speed at once.
    void SetCustomBaudRate(int baud);
    int CustomBaudRate() const { return m_baud; }

    // Opening an open port or closing a closed one does nothing.
    void SetConnected(bool on);
    bool Connected() const { return m_connected; }

    virtual void SetDataTerminalReady(bool on) = 0;
    virtual void SetRequestToSend(bool on) = 0;
    // The bytes the device took within the write's deadline: fewer than
    // given when it stopped draining.
    virtual int SendText(const std::string& bytes) = 0;
    virtual int PendingInputBytes() = 0;
    virtual std::string ReceiveText(int count) = 0;
    virtual LineSignals ReadLineSignals() = 0;

    // Which device the current port name stands for (for messages and help).
    virtual std::string DeviceDescription() const { return m_port; }
    // The path of the device opened, or to be opened; "" for a link with no
    // device file.
    virtual std::string DevicePath() const { return ""; }
    // Opens `path` from now on instead of what the port name stands for (a
    // modem found again under another name); "" goes back to the port name.
    // False for a link that cannot be pointed elsewhere.
    virtual bool UseDevice(const std::string& /*path*/) { return false; }
    // Why the last connection failed, naming the device and speed tried, for
    // the user with several serial devices; `linkError` is the link's reason
    // when the failure came after the device opened.
    virtual std::string ConnectFailure(const std::string& linkError) const;

    void SetLampListener(TComLed::Listener listener);
    TComLed& Led(LedSignal signal);

protected:
    // Open the device and apply the line settings; on failure leave it closed.
    virtual void DoOpen() = 0;
    // Release the device whatever happens; may raise error 5 afterwards.
    virtual void DoClose() = 0;
    virtual void ApplyLineSettings() = 0;
    void MarkConnected(bool on) { m_connected = on; }

private:
    std::string m_port = "COM1";
    int m_baud = 19200;
    bool m_connected = false;
    TComLed m_conn{LedSignal::Conn};
    TComLed m_tx{LedSignal::Tx};
    TComLed m_rx{LedSignal::Rx};
};

} // namespace velmora
