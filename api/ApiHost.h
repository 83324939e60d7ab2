#pragma once

// Every door of one program's message centre, built over one MessageApi:
// D-Bus (org.velmora.Velmora1 on the session or the system bus), and,
// when the settings ask for them, HTTP, the hooks and the webhooks.
// velmorad makes one once its centre started; the window makes one (D-Bus
// only) when it holds the modem itself.

#include "DaemonConfig.h"
#include "MessageApi.h"
#include "Result.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <memory>

namespace velmora {
class MessageCentre;
}

namespace velmora::api {

class BusService;

class ApiHost : public QObject {
    Q_OBJECT
public:
    // The centre must outlive the host.
    ApiHost(MessageCentre& centre, const DaemonConfig& config, QObject* parent = nullptr);
    ~ApiHost() override;

    // The bus the name is claimed on (before start): the session bus
    // unless told otherwise (velmorad --system-bus).
    void setBus(QDBusConnection::BusType bus) { m_busType = bus; }
    QDBusConnection::BusType busType() const { return m_busType; }

    // Opens the doors. A refusal (the name taken by another program, a door
    // the settings ask for that cannot open) says why; the program should
    // not run beside another that has its name. No bus at all is no
    // refusal: the program runs without D-Bus and busNotice() says so.
    Result<bool, QString> start();
    // "" when the name is ours; else the one line that says why not.
    const QString& busNotice() const { return m_busNotice; }

    MessageApi& api() { return *m_api; }
    BusService* bus() const { return m_bus.get(); }

private:
    MessageCentre& m_centre;
    DaemonConfig m_config;
    QDBusConnection::BusType m_busType = QDBusConnection::SessionBus;
    std::unique_ptr<MessageApi> m_api;
    std::unique_ptr<BusService> m_bus;
    QString m_busNotice;
    // HTTP: the gateway, made in start() when m_config.http.listen is set.
    // Hooks and webhooks: made in start() when m_config.hooks / m_config.webhook name them.
};

} // namespace velmora::api
