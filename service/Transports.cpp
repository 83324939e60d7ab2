#include "Transports.h"

#include "Clock.h"
#include "QtText.h"

#include <QPointer>

namespace velmora {

LinkTransport::LinkTransport(PhoneLink& link, QObject* parent) : QObject(parent), m_link(link) {
    connect(&m_link, &PhoneLink::identity, this,
            [this](const QString&, const QString&, const QString&, const QString& imsi, const QString&) {
                m_modem.imsi = imsi;
            });
    connect(&m_link, &PhoneLink::modemIdentity, this,
            [this](const QString& imei, const QString&) { m_modem.imei = imei; });
}

bool LinkTransport::Ready() const { return m_link.isUp(); }

void LinkTransport::Submit(qint64 id, const std::vector<std::string>& pdus, const std::string& destination) {
    QStringList list;
    for (const std::string& pdu : pdus)
        list << Q(pdu);
    m_link.submit(id, list, Q(destination), reportAsked());
}

void LinkTransport::DeleteStored(const StoredMessage& part) {
    m_deleting.push_back(part);
    m_link.deleteStored(part);
}

void LinkTransport::connectService() {
    MessageService* s = service();
    if (!s)
        return;
    connect(
        &m_link, &PhoneLink::submitted, s,
        [s](qint64 id, int part, SubmitOutcome outcome, int reference, const QString& answer, bool stopped) {
            PartOutcome p;
            p.id = id;
            p.part = part;
            p.outcome = outcome;
            if (reference >= 0)
                p.reference = reference;
            p.answer = answer;
            p.stopped = stopped;
            if (const auto message = s->job(id))
                p.destination = message->destination();
            s->partSubmitted(p);
        });
    connect(&m_link, &PhoneLink::sendFinished, s, [s](qint64 id, bool) { s->sendEnded(id); });
    connect(&m_link, &PhoneLink::deliveryReport, s,
            [s](int reference, int status, const QString&) { s->deliveryReport(reference, status); });
    connect(&m_link, &PhoneLink::inboxFinished, s,
            [s](bool read, const QList<StoredMessage>& messages, bool, const QStringList&) {
                if (read)
                    s->storedRead(messages);
            });
    connect(&m_link, &PhoneLink::messageArrived, s, [s](const StoredMessage& m) { s->storedRead({m}); });
    // Kept by the transport, which knows the part; told to the service while
    // it lives.
    connect(&m_link, &PhoneLink::deleteFinished, this,
            [this, s = QPointer<MessageService>(s)](bool ok, const QString& reason) {
                if (m_deleting.empty())
                    return; // asked of the link by someone else
                const StoredMessage part = m_deleting.front();
                m_deleting.pop_front();
                if (s)
                    s->deleteEnded(part, ok ? QString() : reason);
            });
}

ModemId SessionTransport::Modem() const {
    return {Q(m_session.Identity().IMSI), m_device ? m_device() : QString()};
}

void SessionTransport::Submit(qint64 id, const std::vector<std::string>& pdus,
                              const std::string& destination) {
    m_id = id;
    m_part = 0;
    try {
        m_reportsRefused = m_session
                               .SubmitMessage(pdus, destination, m_reports || reportAsked(),
                                              [this](int part) { m_part = part; })
                               .reportsRefused;
    } catch (const SessionCancelled&) {
        // A part whose PDU had left has been reported as unknown; one that
        // had not is not, and the message ends here either way.
        if (service())
            service()->stopped(id);
        throw;
    }
    if (service())
        service()->sendEnded(id);
}

void SessionTransport::DeleteStored(const StoredMessage& part) {
    const std::string why = m_session.DeleteStoredMessage(part);
    if (service())
        service()->deleteEnded(part, Q(why));
}

void SessionTransport::PartSubmitted(const PartEnded& part) {
    if (!service())
        return;
    PartOutcome p;
    p.id = m_id;
    p.part = m_part;
    p.outcome = part.outcome;
    p.reference = part.reference;
    p.answer = FromPhone(part.answer);
    p.destination = Q(part.destination);
    p.stopped = part.stopped;
    service()->partSubmitted(p);
}

} // namespace velmora
