#include "Daemon.h"

#include "DaemonLog.h"
#include "SystemdNotifier.h"

#include <QCoreApplication>

#include <algorithm>
#include <csignal>
#include <cstring>

namespace velmora::daemon {

namespace {

const ModemConfig* Named(const std::vector<ModemConfig>& modems, const QString& name) {
    const auto it =
        std::find_if(modems.begin(), modems.end(), [&](const ModemConfig& m) { return m.name == name; });
    return it == modems.end() ? nullptr : &*it;
}

QString SignalName(int signal) {
    switch (signal) {
    case SIGTERM:
        return "SIGTERM";
    case SIGINT:
        return "SIGINT";
    case SIGHUP:
        return "SIGHUP";
    }
    return QString::number(signal);
}

} // namespace

ModemChanges DiffModems(const std::vector<ModemConfig>& running, const std::vector<ModemConfig>& wanted) {
    ModemChanges changes;
    for (const ModemConfig& m : running) {
        const ModemConfig* now = Named(wanted, m.name);
        if (!now || !(*now == m))
            changes.remove.push_back(m.name);
    }
    for (const ModemConfig& m : wanted) {
        const ModemConfig* before = Named(running, m.name);
        if (!before || !(*before == m))
            changes.add.push_back(m);
    }
    return changes;
}

Daemon::Daemon(CentreControl& centre, DaemonLog& log, SystemdNotifier* notifier, QObject* parent)
    : QObject(parent), m_centre(centre), m_log(log), m_notifier(notifier) {
    m_stopTimer.setSingleShot(true);
    // A coarse timer may fire a little early; the limit is a promise.
    m_stopTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_stopTimer, &QTimer::timeout, this, [this] {
        m_log.error(
            QCoreApplication::translate("velmorad", "the modems did not stop within %1 ms; ending anyway")
                .arg(m_stopLimit.count()));
        emit finished(1);
    });
}

bool Daemon::start(const DaemonConfig& config) {
    DaemonConfig resolved = config;
    if (resolved.storePath.isEmpty() && resolved.storeUrl.isEmpty())
        resolved.storePath = m_defaultStore;
    const auto started = m_centre.start(resolved);
    if (!started) {
        m_log.error(started.error());
        return false;
    }
    m_config = resolved;
    m_config.modems.clear();
    for (const ModemConfig& modem : config.modems) {
        m_log.notice(QCoreApplication::translate("velmorad", "modem %1 on %2").arg(modem.name, modem.device));
        m_centre.addModem(modem);
        m_config.modems.push_back(modem);
    }
    m_log.notice(QCoreApplication::translate("velmorad", "started with the settings %1").arg(config.file));
    if (m_notifier) {
        notifyStatus();
        m_notifier->ready();
    }
    return true;
}

void Daemon::reload() {
    if (m_stopping)
        return;
    if (m_notifier)
        m_notifier->reloading();
    const auto loaded = LoadDaemonConfig(m_config.file);
    if (!loaded) {
        m_log.warning(QCoreApplication::translate("velmorad",
                                                  "%1 not read again, for the problems below; the modems run "
                                                  "as they were")
                          .arg(m_config.file));
        for (const ConfigProblem& problem : loaded.error())
            m_log.warning(ConfigProblemLine(problem));
    } else {
        DaemonConfig wanted = *loaded;
        if (wanted.storePath.isEmpty() && wanted.storeUrl.isEmpty())
            wanted.storePath = m_defaultStore;
        const bool pathChanged = wanted.storeUrl.isEmpty() && m_config.storeUrl.isEmpty() &&
                                 wanted.storePath != m_config.storePath;
        if (pathChanged || wanted.countryCode != m_config.countryCode)
            m_log.warning(QCoreApplication::translate(
                "velmorad", "[Store] Path and [Messages] CountryCode change at the next start only"));
        // The store is opened once; the server and the leases taken on it
        // stay as the start found them.
        if (!pathChanged && (wanted.storeLocation() != m_config.storeLocation() ||
                             wanted.leaseSeconds != m_config.leaseSeconds))
            m_log.warning(QCoreApplication::translate(
                "velmorad",
                "[Store] Url, PasswordFile, SslMode and LeaseSeconds change at the next start only"));
        const ModemChanges changes = DiffModems(m_config.modems, wanted.modems);
        for (const QString& name : changes.remove) {
            m_log.notice(QCoreApplication::translate("velmorad", "modem %1 closed").arg(name));
            m_centre.removeModem(name);
        }
        for (const ModemConfig& modem : changes.add) {
            m_log.notice(
                QCoreApplication::translate("velmorad", "modem %1 on %2").arg(modem.name, modem.device));
            m_centre.addModem(modem);
        }
        m_config.modems = wanted.modems;
        m_log.notice(
            QCoreApplication::translate("velmorad", "settings read again: modems closed %1, opened %2")
                .arg(changes.remove.size())
                .arg(changes.add.size()));
    }
    if (m_notifier) {
        notifyStatus();
        m_notifier->ready();
    }
}

void Daemon::terminate(int signal) {
    if (m_stopping) {
        m_log.notice(QCoreApplication::translate("velmorad", "%1: already stopping").arg(SignalName(signal)));
        return;
    }
    m_stopping = true;
    if (m_notifier)
        m_notifier->stopping();
    m_log.notice(QCoreApplication::translate(
                     "velmorad", "%1: stopping; what is being sent finishes or is marked uncertain")
                     .arg(SignalName(signal)));
    m_stopTimer.start(m_stopLimit);
    m_centre.stop(m_stopDeadline, [this] {
        if (!m_stopTimer.isActive())
            return; // the limit passed and the daemon ended already
        m_stopTimer.stop();
        m_log.notice(QCoreApplication::translate("velmorad", "stopped"));
        emit finished(0);
    });
}

void Daemon::notifyStatus() {
    QStringList names;
    for (const ModemConfig& m : m_config.modems)
        names << m.name;
    m_notifier->status(QCoreApplication::translate("velmorad", "running %1").arg(names.join(", ")));
}

} // namespace velmora::daemon
