#pragma once

// The two ways the service reaches a phone: through the window's PhoneLink,
// whose worker thread answers with queued signals, and through a
// PhoneSession the CLI drives on its own thread, which answers at once.

#include "MessageService.h"
#include "PhoneLink.h"

#include <QObject>

#include <deque>
#include <functional>

namespace velmora {

// The window's: every answer comes back as a signal of the link.
class LinkTransport : public QObject, public MessageTransport {
    Q_OBJECT
public:
    explicit LinkTransport(PhoneLink& link, QObject* parent = nullptr);
    bool Ready() const override;
    ModemId Modem() const override { return m_modem; }
    void Submit(qint64 id, const std::vector<std::string>& pdus, const std::string& destination) override;
    void DeleteStored(const StoredMessage& part) override;
    // The device the link was last asked to use, for the record.
    void setDevice(const QString& device) { m_modem.device = device; }
    // The settings' name of the modem ("" for the window's one).
    void setName(const QString& name) { m_modem.name = name; }

    // Passes on what the link reports; made once a service uses this.
    void connectService();

private:
    PhoneLink& m_link;
    ModemId m_modem;
    // The parts handed to the link to delete, in the order it serves them.
    std::deque<StoredMessage> m_deleting;
};

// The CLI's: the session answers while Submit runs. The session's events
// must reach PartSubmitted (the CLI's SessionEvents forward them).
class SessionTransport : public MessageTransport {
public:
    // `device` names the device the session is on when asked.
    SessionTransport(PhoneSession& session, std::function<QString()> device)
        : m_session(session), m_device(std::move(device)) {}
    bool Ready() const override { return m_session.IsConnected(); }
    ModemId Modem() const override;
    void Submit(qint64 id, const std::vector<std::string>& pdus, const std::string& destination) override;
    void DeleteStored(const StoredMessage& part) override;
    // Each part as the session ended it.
    void PartSubmitted(const PartEnded& part);
    // Whether each message asks the network for delivery reports, and what
    // the phone said the last time that was asked.
    void SetReports(bool wanted) { m_reports = wanted; }
    bool ReportsRefused() const { return m_reportsRefused; }

private:
    PhoneSession& m_session;
    std::function<QString()> m_device;
    qint64 m_id = 0;
    int m_part = 0;
    bool m_reports = false, m_reportsRefused = false;
};

// No phone at all: for a program that only takes a hand on the queue.
class NoPhoneTransport : public MessageTransport {
public:
    bool Ready() const override { return false; }
    ModemId Modem() const override { return {}; }
    void Submit(qint64, const std::vector<std::string>&, const std::string&) override {}
};

} // namespace velmora
