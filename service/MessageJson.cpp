// A stored message and a modem as every door shows them: "history --json"
// and "modems --json", D-Bus, HTTP and the hooks' JSON are one shape.

#include "MessageApi.h"

#include <QJsonArray>
#include <QJsonValue>

#include <optional>

namespace velmora {

namespace {

QJsonValue Time(const QDateTime& t) {
    return t.isValid() ? QJsonValue(t.toUTC().toString(Qt::ISODate)) : QJsonValue(QJsonValue::Null);
}

template <class T> QJsonValue Maybe(const std::optional<T>& v) {
    return v ? QJsonValue(*v) : QJsonValue(QJsonValue::Null);
}

QJsonValue Text(const QString& s) { return s.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(s); }

} // namespace

QJsonObject MessageJson(const MessageRecord& m) {
    QJsonArray parts, references;
    for (const PartRecord& p : m.parts) {
        parts.append(QJsonObject{{"part", p.part},
                                 {"pdu", p.pdu},
                                 {"reference", Maybe(p.reference)},
                                 {"answer", Text(p.answer)},
                                 {"reportStatus", Maybe(p.reportStatus)},
                                 {"storage", Text(p.storage)},
                                 {"index", Maybe(p.index)}});
        if (p.reference)
            references.append(*p.reference);
    }
    QJsonValue modem(QJsonValue::Null);
    if (!m.modemImsi.isEmpty() || !m.modemDevice.isEmpty() || !m.modem.isEmpty()) {
        QJsonObject o{{"imsi", Text(m.modemImsi)}, {"device", Text(m.modemDevice)}};
        // The settings' name, where the message went through or came from
        // a modem that has one.
        if (!m.modem.isEmpty())
            o.insert(QStringLiteral("name"), m.modem);
        modem = o;
    }
    return {{"id", m.id},
            {"replaces", m.replaces ? QJsonValue(m.replaces) : QJsonValue(QJsonValue::Null)},
            {"direction", msg::DirectionName(m.direction)},
            {"number", m.number},
            {"name", Text(m.name)},
            {"kind", m.kind},
            {"text", m.text},
            {"content", m.content},
            {"state", msg::StateName(m.state)},
            {"reason", Text(QString::fromLatin1(msg::ReasonName(m.reason)))},
            {"reasonCode", Maybe(m.reasonCode)},
            {"complete", m.complete},
            {"parts", parts},
            {"references", references},
            {"created", Time(m.created)},
            {"sent", Time(m.sent)},
            {"delivered", Time(m.delivered)},
            {"received", Time(m.received)},
            {"modem", modem}};
}

QJsonObject BatchJson(const BatchRecord& b) {
    return {{"batch", b.id},
            {"name", b.name},
            {"state", msg::BatchStateName(b.state)},
            {"finished", b.finished()},
            {"pauseReason", QString::fromLatin1(msg::ReasonName(b.pauseReason))},
            {"created", Time(b.created)},
            {"total", b.total},
            {"queued", b.queued},
            {"sending", b.sending},
            {"sent", b.sent},
            {"delivered", b.delivered},
            {"notDelivered", b.notDelivered},
            {"failed", b.failed},
            {"cancelled", b.cancelled},
            {"uncertain", b.uncertain}};
}

QJsonObject ModemJson(const ModemRecord& m) {
    return {
        {"name", m.name},
        {"device", m.device},
        {"byId", m.byIdPath},
        {"imei", m.imei},
        {"imsi", m.imsi},
        {"operator", m.operatorName},
        {"signal", m.signal >= 0 && m.signal <= 31 ? QJsonValue(m.signal) : QJsonValue()},
        {"state", m.state},
        {"queued", m.queued},
        {"lastSeen",
         m.lastSeen.isValid() ? QJsonValue(m.lastSeen.toUTC().toString(Qt::ISODate)) : QJsonValue()},
    };
}

} // namespace velmora
