#include "ApiHost.h"

#include "ApiNames.h"
#include "BusService.h"
#include "HttpGateway.h"
#include "Hooks.h"
#include "MessageCentre.h"
#include "Webhooks.h"

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

    // Hooks and webhooks: only told of what happened; none of them holds
    // up a message.
    if (!m_config.hooks.onReceive.isEmpty() || !m_config.hooks.onState.isEmpty()) {
        m_hooks = std::make_unique<Hooks>(*m_api, m_config.hooks);
        if (const auto started = m_hooks->start(); !started) {
            m_hooks.reset();
            return Result<bool, QString>::Fail(started.error());
        }
    }
    if (!m_config.webhook.url.isEmpty()) {
        MessageStore* store = m_centre.store();
        if (!store)
            return Result<bool, QString>::Fail(
                QCoreApplication::translate("ApiHost",
                                            "[Webhooks] Url=: no store to keep the webhooks' queue in: %1")
                    .arg(m_centre.noStoreReason().text()));
        m_webhooks = std::make_unique<Webhooks>(*m_api, *store, m_config.webhook);
        if (const auto started = m_webhooks->start(); !started) {
            m_webhooks.reset();
            return Result<bool, QString>::Fail(started.error());
        }
    }

    return Result<bool, QString>::Ok(true);
}

} // namespace velmora::api
