#pragma once

// velmorad's run: starts the centre with the settings, answers SIGHUP by
// reading them again and opening or closing modems by the difference, and
// SIGTERM or SIGINT by stopping the centre and ending within kStopLimit.

#include "CentreControl.h"
#include "DaemonConfig.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <vector>

namespace velmora::daemon {

class DaemonLog;
class SystemdNotifier;

// What a reload changes: the modems to close (gone, or changed) and those to
// open (new, or changed), each in the settings' order.
struct ModemChanges {
    std::vector<QString> remove;
    std::vector<ModemConfig> add;
};
ModemChanges DiffModems(const std::vector<ModemConfig>& running, const std::vector<ModemConfig>& wanted);

// The centre's time to finish the parts in flight, and the daemon's whole
// time from SIGTERM to its end; systemd's own default limit is 90 s, the
// daemon keeps well inside it.
inline constexpr std::chrono::milliseconds kStopDeadline{8000};
inline constexpr std::chrono::milliseconds kStopLimit{9500};

class Daemon : public QObject {
    Q_OBJECT
public:
    Daemon(CentreControl& centre, DaemonLog& log, SystemdNotifier* notifier, QObject* parent = nullptr);

    // The store of settings that name none ([Store] Path=).
    void setDefaultStore(const QString& path) { m_defaultStore = path; }

    // Starts the centre and every modem of `config`; false when the
    // centre refused (said in the log).
    bool start(const DaemonConfig& config);
    // Reads the settings file again; a file with problems changes nothing.
    void reload();
    // Stops the centre, then emits finished(0); finished(1) when it did not
    // stop within kStopLimit.
    void terminate(int signal);

    const DaemonConfig& config() const { return m_config; }

    // For tests: the times of the way out.
    void setStopTimes(std::chrono::milliseconds deadline, std::chrono::milliseconds limit) {
        m_stopDeadline = deadline;
        m_stopLimit = limit;
    }

signals:
    void finished(int status);

private:
    void notifyStatus();

    CentreControl& m_centre;
    DaemonLog& m_log;
    SystemdNotifier* m_notifier;
    DaemonConfig m_config;
    QString m_defaultStore;
    bool m_stopping = false;
    std::chrono::milliseconds m_stopDeadline = kStopDeadline, m_stopLimit = kStopLimit;
    QTimer m_stopTimer;
};

} // namespace velmora::daemon
