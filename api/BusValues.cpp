#include "BusValues.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QJsonValue>

#include <cmath>

namespace velmora::api {

QVariant ToBus(const QJsonValue& value) {
    switch (value.type()) {
    case QJsonValue::Bool:
        return value.toBool();
    case QJsonValue::Double: {
        // A whole number goes as one (x), so that an id stays exact.
        const double d = value.toDouble();
        if (std::floor(d) == d && std::fabs(d) < 9007199254740992.0)
            return QVariant::fromValue(value.toInteger());
        return d;
    }
    case QJsonValue::String:
        return value.toString();
    case QJsonValue::Array: {
        QVariantList list;
        for (const QJsonValue& item : value.toArray())
            if (!item.isNull() && !item.isUndefined())
                list.append(ToBus(item));
        return list;
    }
    case QJsonValue::Object:
        return ToBus(value.toObject());
    case QJsonValue::Null:
    case QJsonValue::Undefined:
        break;
    }
    return {};
}

QVariantMap ToBus(const QJsonObject& object) {
    QVariantMap map;
    for (auto it = object.begin(); it != object.end(); ++it)
        if (!it.value().isNull() && !it.value().isUndefined())
            map.insert(it.key(), ToBus(it.value()));
    return map;
}

QVariant FromBus(const QVariant& value) {
    if (value.userType() == qMetaTypeId<QDBusVariant>())
        return FromBus(value.value<QDBusVariant>().variant());
    if (value.userType() == QMetaType::QVariantMap) {
        QVariantMap map = value.toMap();
        for (auto it = map.begin(); it != map.end(); ++it)
            *it = FromBus(*it);
        return map;
    }
    if (value.userType() == QMetaType::QVariantList) {
        QVariantList list = value.toList();
        for (QVariant& item : list)
            item = FromBus(item);
        return list;
    }
    if (value.userType() != qMetaTypeId<QDBusArgument>())
        return value;
    const auto arg = value.value<QDBusArgument>();
    switch (arg.currentType()) {
    case QDBusArgument::MapType: {
        QVariantMap map;
        arg.beginMap();
        while (!arg.atEnd()) {
            arg.beginMapEntry();
            const QVariant key = FromBus(arg.asVariant());
            const QVariant item = FromBus(arg.asVariant());
            arg.endMapEntry();
            map.insert(key.toString(), item);
        }
        arg.endMap();
        return map;
    }
    case QDBusArgument::ArrayType: {
        QVariantList list;
        arg.beginArray();
        while (!arg.atEnd())
            list.append(FromBus(arg.asVariant()));
        arg.endArray();
        return list;
    }
    case QDBusArgument::StructureType: {
        QVariantList list;
        arg.beginStructure();
        while (!arg.atEnd())
            list.append(FromBus(arg.asVariant()));
        arg.endStructure();
        return list;
    }
    case QDBusArgument::BasicType:
    case QDBusArgument::VariantType:
        return FromBus(arg.asVariant());
    case QDBusArgument::MapEntryType:
    case QDBusArgument::UnknownType:
        break;
    }
    return {};
}

QJsonObject JsonFromBus(const QVariantMap& map) {
    return QJsonObject::fromVariantMap(FromBus(QVariant(map)).toMap());
}

namespace {
using K = UssdAnswer::Kind;
const std::pair<K, const char*> kUssdKinds[] = {
    {K::Done, "done"},
    {K::Asks, "asks"},
    {K::EndedByNetwork, "ended-by-network"},
    {K::OtherClient, "other-client"},
    {K::NotSupported, "not-supported"},
    {K::NetworkTimeout, "network-timeout"},
    {K::Refused, "refused"},
    {K::NoAnswer, "no-answer"},
    {K::Stopped, "stopped"},
    {K::NotConnected, "not-connected"},
    {K::NeedsFast, "needs-fast"},
    {K::LinkLost, "link-lost"},
    {K::Unreadable, "unreadable"},
    {K::BadRequest, "bad-request"},
};
} // namespace

QString UssdKindName(UssdAnswer::Kind kind) {
    for (const auto& [k, name] : kUssdKinds)
        if (k == kind)
            return QLatin1String(name);
    return {};
}

std::optional<UssdAnswer::Kind> UssdKindFromName(const QString& name) {
    for (const auto& [k, word] : kUssdKinds)
        if (name == QLatin1String(word))
            return k;
    return std::nullopt;
}

void RegisterBusTypes() {
    static const bool registered = [] {
        qDBusRegisterMetaType<QList<QVariantMap>>();
        qDBusRegisterMetaType<QList<qulonglong>>();
        return true;
    }();
    (void)registered;
}

} // namespace velmora::api
