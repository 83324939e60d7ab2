#include "SerialLink.h"

#include "ComDevices.h"
#include "Strings.h"

#include <charconv>

namespace velmora {

std::string PortName(const std::string& text) {
    std::string rest = text;
    if (rest.size() >= 3) {
        if (Upper(rest.substr(0, 3)) == "COM")
            rest = rest.substr(3);
    }
    long n = 0;
    const char* end = rest.data() + rest.size();
    auto [ptr, ec] = std::from_chars(rest.data(), end, n);
    if (ec != std::errc() || ptr != end || rest.empty())
        n = 1;
    if (n <= 0 || n > 96)
        n = 1;
    return "COM" + std::to_string(n);
}

int PortNameNumber(const std::string& name) {
    int n = 1;
    if (name.size() > 3)
        std::from_chars(name.data() + 3, name.data() + name.size(), n);
    return n;
}

SerialLink::SerialLink() = default;

void SerialLink::SetPort(const std::string& text) {
    const std::string name = PortName(text);
    if (name == m_port)
        return;
    const bool wasOpen = m_connected;
    if (wasOpen)
        SetConnected(false);
    m_port = name;
    if (wasOpen)
        SetConnected(true);
}

void SerialLink::SetCustomBaudRate(int baud) {
    if (baud == m_baud)
        return;
    m_baud = baud;
    if (m_connected)
        ApplyLineSettings();
}

void SerialLink::SetConnected(bool on) {
    if (on == m_connected)
        return;
    if (on) {
        DoOpen();
        m_connected = true;
        m_conn.set(true);
        ReadLineSignals(); // brings line-tied lamps up to date; raises 11 on failure
        return;
    }
    m_connected = false;
    try {
        DoClose();
    } catch (...) {
        m_tx.set(false);
        m_rx.set(false);
        m_conn.set(false);
        throw;
    }
    m_tx.set(false);
    m_rx.set(false);
    m_conn.set(false);
}

void SerialLink::SetLampListener(TComLed::Listener listener) {
    m_conn.setListener(listener);
    m_tx.setListener(listener);
    m_rx.setListener(listener);
}

TComLed& SerialLink::Led(LedSignal signal) {
    switch (signal) {
    case LedSignal::Conn:
        return m_conn;
    case LedSignal::Tx:
        return m_tx;
    case LedSignal::Rx:
        break;
    }
    return m_rx;
}

std::string SerialLink::ConnectFailure(const std::string& linkError) const {
    const std::string tried = TriedDevice(DeviceDescription(), CustomBaudRate());
    return linkError.empty() ? tried : tried + ": " + linkError;
}

} // namespace velmora
