#include "CentreRun.h"

#include "AppPaths.h"
#include "CountryCode.h"
#include "LinkEvents.h"
#include "PhoneLink.h"
#include "QtText.h"

#include <QCoreApplication>
#include <QTimer>

#include <memory>

namespace velmora::daemon {

namespace {

QString StateWord(ModemState state) {
    switch (state) {
    case ModemState::Ready:
    case ModemState::Busy:
        return QCoreApplication::translate("velmorad", "ready again");
    case ModemState::Away:
        return QCoreApplication::translate("velmorad",
                                           "away: its device is gone; looking for it by its IMEI");
    case ModemState::Stuck:
        return QCoreApplication::translate("velmorad", "stuck: it stopped answering; opening it again");
    }
    return {};
}

} // namespace

CentreRun::CentreRun(int pollMs) : m_pollMs(pollMs) {}

CentreRun::~CentreRun() = default;

Result<bool, QString> CentreRun::start(const DaemonConfig& config) {
    SetHomeCountryCode(config.countryCode);
    CentreSetup setup;
    setup.paths = CurrentAppPaths();
    setup.storePath = config.storeLocation();
    // How long what a daemon is sending stays its own once it stops
    // beating: the others on one server then call it uncertain.
    setup.leaseSeconds = config.leaseSeconds;
    setup.pollMs = m_pollMs;
    // A box without a screen reads the old log at once: nobody waits on it.
    setup.importAtOnce = true;
    m_centre = std::make_unique<MessageCentre>(std::move(setup));
    QObject::connect(m_centre.get(), &MessageCentre::storeProblem,
                     [](const StoreProblem& problem) { qWarning().noquote() << problem.text(); });
    m_centre->open();
    if (!m_centre->noStoreReason().isNull())
        return Result<bool, QString>::Fail(
            QCoreApplication::translate("velmorad", "not started: %1").arg(m_centre->noStoreReason().text()));
    return Result<bool, QString>::Ok(true);
}

void CentreRun::addModem(const ModemConfig& modem) {
    if (const QString other = m_centre->modemElsewhere(modem.name); !other.isEmpty()) {
        qWarning().noquote() << QCoreApplication::translate(
                                    "velmorad",
                                    "modem %1 not opened: %2 on the same store has a modem of that "
                                    "name (each box names its modems apart)")
                                    .arg(modem.name, other);
        return;
    }
    if (ModemChannel* channel = m_centre->addModem(modem)) {
        follow(*channel);
        // The others on a shared store learn of it at once.
        m_centre->beat();
    }
}

void CentreRun::removeModem(const QString& name) {
    // What one modem has on its way gets as long as a stop gives it.
    m_centre->removeModem(name, QDeadlineTimer(5000));
}

void CentreRun::stop(std::chrono::milliseconds deadline, std::function<void()> done) {
    // The links' own end (a stuck modem's wait cut short) comes out of the
    // same time: what is on its way has the rest.
    const bool ended = m_centre->stop(QDeadlineTimer(std::max<qint64>(0, deadline.count() - kLinkEndMs)));
    if (!ended)
        qWarning().noquote() << QCoreApplication::translate(
            "velmorad", "a modem did not end in time: what it had on its way is uncertain");
    QTimer::singleShot(0, [done = std::move(done)] { done(); });
}

// The journal's record of a modem: what it is, how it is, and each message
// that ends through it or comes in on it.
void CentreRun::follow(ModemChannel& channel) {
    const QString name = channel.name();
    if (PhoneLink* link = channel.link()) {
        // Busy and back to ready at every request is no news; a modem that
        // goes away, sticks, or comes back is.
        auto last = std::make_shared<ModemState>(ModemState::Ready);
        QObject::connect(link, &PhoneLink::modemState, &channel, [name, last](ModemState state) {
            if (state == ModemState::Busy)
                state = ModemState::Ready;
            if (state == *last)
                return;
            *last = state;
            const QString line =
                QCoreApplication::translate("velmorad", "modem %1: %2").arg(name, StateWord(state));
            if (state == ModemState::Ready)
                qInfo().noquote() << line;
            else
                qWarning().noquote() << line;
        });
        QObject::connect(
            link, &PhoneLink::modemIdentity, &channel, [name](const QString& imei, const QString& imsi) {
                qInfo().noquote()
                    << QCoreApplication::translate("velmorad", "modem %1: IMEI %2, SIM %3")
                           .arg(name, imei.isEmpty() ? QCoreApplication::translate("velmorad", "none") : imei,
                                imsi.isEmpty() ? QCoreApplication::translate("velmorad", "unknown") : imsi);
            });
        QObject::connect(link, &PhoneLink::problem, &channel, [name](ProblemKind, const QString& text) {
            qWarning().noquote() << QCoreApplication::translate("velmorad", "modem %1: %2").arg(name, text);
        });
    }
    QObject::connect(&channel.service(), &MessageService::messageChanged, &channel,
                     [name](qint64 id, msg::State state, msg::Reason reason, int code) {
                         if (state == msg::State::Sending || state == msg::State::Queued)
                             return;
                         QString line =
                             QCoreApplication::translate("velmorad", "message %1 on modem %2: %3")
                                 .arg(QString::number(id), name, QLatin1String(msg::StateName(state)));
                         if (reason != msg::Reason::None)
                             line += QStringLiteral(" (%1%2)").arg(QLatin1String(msg::ReasonName(reason)),
                                                                   code >= 0 ? QStringLiteral(" %1").arg(code)
                                                                             : QString());
                         if (state == msg::State::Failed || state == msg::State::Uncertain)
                             qWarning().noquote() << line;
                         else
                             qInfo().noquote() << line;
                     });
    QObject::connect(&channel.service(), &MessageService::pduReceived, &channel,
                     [name](qint64 id, const StoredMessage&, bool firstTime) {
                         if (firstTime)
                             qInfo().noquote()
                                 << QCoreApplication::translate("velmorad", "message %1 received on modem %2")
                                        .arg(QString::number(id), name);
                     });
}

} // namespace velmora::daemon
