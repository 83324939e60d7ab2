#include "Shown.h"

#include "Terms.h"

#include <QJsonArray>
#include <QJsonValue>

#include <optional>

namespace velmora::cli {

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
    const bool modem = !m.modemImsi.isEmpty() || !m.modemDevice.isEmpty();
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
            {"modem",
             modem ? QJsonValue(QJsonObject{{"imsi", Text(m.modemImsi)}, {"device", Text(m.modemDevice)}})
                   : QJsonValue(QJsonValue::Null)}};
}

std::string StateShown(const MessageRecord& m) {
    // The words in the user's language (in English the names --json gives).
    std::string said = terms::StateWord(m.state).toStdString();
    const std::string code = m.reasonCode ? std::to_string(*m.reasonCode) : "?";
    if (m.state == msg::State::Cancelled && m.reason == msg::Reason::Cancelled)
        return said;
    switch (m.reason) {
    case msg::Reason::None:
        return said;
    case msg::Reason::CmsError:
        return said + " (+CMS ERROR " + code + ")";
    case msg::Reason::CmeError:
        return said + " (+CME ERROR " + code + ")";
    case msg::Reason::ReportFailed:
        return said + " (TP-ST " + code + ")";
    default:
        return said + " (" + terms::ReasonWord(m.reason).toStdString() + (m.reasonCode ? " " + code : "") +
               ")";
    }
}

} // namespace velmora::cli
