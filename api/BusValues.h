#pragma once

// JSON and D-Bus values both ways. D-Bus has no null, so a JSON null is
// left out of a map (and out of a list); what comes in over D-Bus nested
// in variants (a{sv} in a{sv}, av) arrives as QDBusArgument and is read
// out into plain values before it becomes JSON.

#include "UssdDialogue.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QVariant>
#include <QVariantMap>

#include <optional>

namespace velmora::api {

QVariantMap ToBus(const QJsonObject& object);
QVariant ToBus(const QJsonValue& value);
// What D-Bus delivered, with every QDBusArgument and QDBusVariant opened.
QVariant FromBus(const QVariant& value);
QJsonObject JsonFromBus(const QVariantMap& map);

// A USSD answer's kind on the bus: "done", "asks", "ended-by-network",
// "other-client", "not-supported", "network-timeout", "refused",
// "no-answer", "stopped", "not-connected", "needs-fast", "link-lost",
// "unreadable", "bad-request".
QString UssdKindName(UssdAnswer::Kind kind);
std::optional<UssdAnswer::Kind> UssdKindFromName(const QString& name);

// Registers the D-Bus types the service and the client pass (aa{sv}).
void RegisterBusTypes();

} // namespace velmora::api
