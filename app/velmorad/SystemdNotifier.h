#pragma once

// Tells systemd how the daemon is doing (a Type=notify unit): READY=1 once
// the modems are opened, RELOADING=1 and READY=1 around a reload of the
// settings, STOPPING=1 on the way out, and WATCHDOG=1 at half the interval
// of the unit's WatchdogSec= while the event loop turns, so a daemon that
// hangs is restarted. Outside systemd (no NOTIFY_SOCKET) every call does
// nothing.

#include <QObject>
#include <QString>
#include <QTimer>

namespace velmora::daemon {

class SystemdNotifier : public QObject {
    Q_OBJECT
public:
    explicit SystemdNotifier(QObject* parent = nullptr);

    void ready() { send("READY=1"); }
    void reloading() { send("RELOADING=1"); }
    void stopping() { send("STOPPING=1"); }
    // What the daemon is doing, for systemctl status.
    void status(const QString& text);

    // The watchdog's interval as systemd asked for it, 0 when none; the
    // beat goes at half of it.
    qint64 watchdogUsec() const { return m_watchdogUsec; }

private:
    void send(const QString& state);

    qint64 m_watchdogUsec = 0;
    QTimer m_watchdog;
};

} // namespace velmora::daemon
