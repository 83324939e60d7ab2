#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

namespace velmora {

// Tells the desktop through its notification service
// (org.freedesktop.Notifications). Never waits on the bus: a desktop
// without the service, or without a session bus, simply shows nothing.
class DesktopNotifier : public QObject {
    Q_OBJECT
public:
    explicit DesktopNotifier(QDBusConnection bus = QDBusConnection::sessionBus(), QObject* parent = nullptr);

    // `body` is shown as plain text, whatever characters it holds.
    void notify(const QString& summary, const QString& body);

private:
    QDBusConnection m_bus;
    // Whether the service reads markup in the body, so it must be escaped.
    bool m_bodyMarkup = true;
};

} // namespace velmora
