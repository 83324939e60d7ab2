#include "SystemdNotifier.h"

#include <systemd/sd-daemon.h>

#include <algorithm>

namespace velmora::daemon {

SystemdNotifier::SystemdNotifier(QObject* parent) : QObject(parent) {
    uint64_t usec = 0;
    // Only when the watchdog is meant for this process (WATCHDOG_PID).
    if (sd_watchdog_enabled(0, &usec) > 0 && usec > 0) {
        m_watchdogUsec = static_cast<qint64>(usec);
        m_watchdog.setInterval(
            static_cast<int>(std::clamp<qint64>(m_watchdogUsec / 2000, 1, qint64{24} * 3600 * 1000)));
        connect(&m_watchdog, &QTimer::timeout, this, [this] { send("WATCHDOG=1"); });
        m_watchdog.start();
    }
}

void SystemdNotifier::status(const QString& text) {
    // One line: a line break would end the assignment early.
    QString line = text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    send("STATUS=" + line);
}

void SystemdNotifier::send(const QString& state) { sd_notify(0, state.toUtf8().constData()); }

} // namespace velmora::daemon
