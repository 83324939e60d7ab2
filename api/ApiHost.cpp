#include "ApiHost.h"

#include "ApiNames.h"
#include "BusService.h"
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

    // HTTP: start the gateway here when m_config.http.listen is set.

    // Hooks and webhooks: start them here when m_config.hooks or m_config.webhook name any.

    return Result<bool, QString>::Ok(true);
}

} // namespace velmora::api
