#include "EventJson.h"

#include "MessageApi.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace velmora::api {

QByteArray EventJson(const QString& event, qint64 seq, qint64 id, const std::optional<MessageRecord>& message,
                     const QString& state, const QString& reason) {
    QJsonObject o;
    o.insert(QStringLiteral("event"), event);
    o.insert(QStringLiteral("seq"), seq);
    if (event == StateEvent()) {
        o.insert(QStringLiteral("state"), state);
        o.insert(QStringLiteral("reason"), reason);
    }
    o.insert(QStringLiteral("message"),
             message ? MessageJson(*message) : QJsonObject{{QStringLiteral("id"), id}});
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

} // namespace velmora::api
