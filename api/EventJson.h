#pragma once

// The JSON a hook reads on its standard input and a webhook is posted, one
// event each: {"event": "received" or "state", "seq": N, "message": the
// message as MessageJson shows it}. A state event also says the state and
// reason it recorded ("state", "reason"): the message may have moved on by
// the time it is read.

#include "MessageStore.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace velmora::api {

// `message` is what the store holds now; none when it was deleted since
// (then "message" is {"id": id}). Compact UTF-8, the exact bytes given.
QByteArray EventJson(const QString& event, qint64 seq, qint64 id, const std::optional<MessageRecord>& message,
                     const QString& state = {}, const QString& reason = {});

// The event names.
inline QString ReceivedEvent() { return QStringLiteral("received"); }
inline QString StateEvent() { return QStringLiteral("state"); }

} // namespace velmora::api
