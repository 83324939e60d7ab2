#include "DesktopNotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

namespace velmora {

namespace {

const char* const kService = "org.freedesktop.Notifications";
const char* const kPath = "/org/freedesktop/Notifications";

QDBusMessage Call(const char* method) {
    return QDBusMessage::createMethodCall(kService, kPath, kService, method);
}

} // namespace

DesktopNotifier::DesktopNotifier(QDBusConnection bus, QObject* parent)
    : QObject(parent), m_bus(std::move(bus)) {
    if (!m_bus.isConnected())
        return;
    // Until the service says, assume it reads markup: escaping then costs at
    // worst a visible "&amp;", never a message that formats itself.
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(Call("GetCapabilities")), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        const QDBusPendingReply<QStringList> reply = *w;
        if (reply.isValid())
            m_bodyMarkup = reply.value().contains("body-markup");
        w->deleteLater();
    });
}

void DesktopNotifier::notify(const QString& summary, const QString& body) {
    if (!m_bus.isConnected())
        return;
    QDBusMessage message = Call("Notify");
    message << QString("Velmora") << 0u << QString("velmora") << summary
            << (m_bodyMarkup ? body.toHtmlEscaped() : body) << QStringList() << QVariantMap() << -1;
    m_bus.asyncCall(message);
}

} // namespace velmora
