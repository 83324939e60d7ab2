#include "ApiHost.h"

#include "ApiNames.h"
#include "BusService.h"
#include "HttpGateway.h"
#include "MessageCentre.h"

#include <QCoreApplication>

namespace velmora::api {

ApiHost::ApiHost(MessageCentre& centre, const DaemonConfig& config, QObject* parent)
    : QObject(parent), m_centre(centre), m_config(config), m_api(std::make_unique<MessageApi>(centre)) {}

ApiHost::~ApiHost() = default;

Result<bool, QString> ApiHost::start() {
    // D-Bus. A box with no session bus (a service account, ssh without a
    // login session) still runs its modems: only the door is missing.
    const QDBusConnection bus = m_busType == QDBusConnection::SystemBus ? QDBusConnection::systemBus()
                                                                        : QDBusConnection::sessionBus();
    const QString word = BusService::BusWord(m_busType);
    if (!bus.isConnected()) {
        m_busNotice =
            QCoreApplication::translate("ApiHost", "no D-Bus %1 bus (%2): other programs cannot reach "
                                                   "this one through D-Bus")
                .arg(word, bus.lastError().message());
    } else {
        m_bus = std::make_unique<BusService>(*m_api, m_centre);
        const auto attached = m_bus->attach(bus);
        if (!attached) {
            m_bus.reset();
            return Result<bool, QString>::Fail(
                QCoreApplication::translate("ApiHost", "D-Bus %1 bus: %2").arg(word, attached.error()));
        }
    }

    // HTTP, when the settings ask for it: a gateway that cannot open (its
    // port taken, a token file others may read) is a refusal, as a taken
    // bus name is.
    if (!m_config.http.listen.isEmpty()) {
        m_http = std::make_unique<HttpGateway>(*m_api, m_config.http);
        const auto port = m_http->start();
        if (!port) {
            m_http.reset();
            return Result<bool, QString>::Fail(
                QCoreApplication::translate("ApiHost", "HTTP: %1").arg(port.error()));
        }
        qInfo().noquote() << QCoreApplication::translate("ApiHost", "HTTP: listening on %1 (port %2)")
                                 .arg(m_config.http.listen)
                                 .arg(*port);
    }

    // Hooks and webhooks: start them here when m_config.hooks or m_config.webhook name any.

    return Result<bool, QString>::Ok(true);
}

} // namespace velmora::api
