#pragma once

// What other programs may ask of the message centre, in one vocabulary
// whatever door they come through (D-Bus, HTTP, a hook's JSON): a message
// is the JSON the store writes for a request (RequestToJson), a stored
// message is MessageJson's object, and a refusal carries the same words
// BuildMessage gives the window. Nothing here talks to a port: sending is
// queueing for the centre's outboxes, and what happens next comes back as
// events read from the store's event sequence, so a state a program other
// than this one wrote is told too.

#include "MessageStore.h"
#include "MessageTypes.h"
#include "Result.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <optional>
#include <vector>

namespace velmora {

class MessageCentre;
class ModemChannel;

// One stored message as every door shows it ("history --json"'s object).
QJsonObject MessageJson(const MessageRecord& m);
// A modem as "velmora-cli modems --json" shows it (its `queued` as the
// caller filled it in).
QJsonObject ModemJson(const ModemRecord& m);
// A batch's state and counts as "queue list --json" shows them.
QJsonObject BatchJson(const BatchRecord& b);

// How a message asked for through the API goes.
struct SubmitOptions {
    QString modem;       // the modem it goes through; "" the first free one
    bool report = false; // ask the network for a delivery report
    QDateTime at;        // not before (UTC); null at once
    QDateTime expire;    // not after (UTC): expired when still queued then; null never
    QString key;         // the caller's idempotency key; "" none
};

// Why the API did not do what was asked. `code` is what every door maps
// to its own form (a D-Bus error name org.velmora.Velmora1.Error.CODE, an
// HTTP status and {"error": code}); `why` is the sentence for a person.
struct ApiError {
    enum Code {
        BadRequest, // a field missing or of the wrong kind ("BadRequest")
        Refused,    // BuildMessage refused the message: its words ("Refused")
        NotFound,   // no such message ("NotFound")
        Conflict,   // it cannot be done any more, e.g. cancel after it left ("Conflict")
        Store,      // the store could not do it ("Store")
        NoStore,    // the centre has no store to record in ("NoStore")
    } code = BadRequest;
    QString why;
};
// "BadRequest", "Refused", ... as above.
QString ApiErrorName(ApiError::Code code);

struct Submitted {
    std::vector<qint64> ids; // one a recipient, in the recipients' order
    bool again = false;      // the key was seen before: these are its ids, nothing was queued now
};

class MessageApi : public QObject {
    Q_OBJECT
public:
    // Over the centre's store and outboxes; the centre must outlive it.
    explicit MessageApi(MessageCentre& centre, QObject* parent = nullptr);
    ~MessageApi() override;

    // Queues `message` (RequestToJson's fields; "destination" is ignored,
    // each recipient is one) to each of `recipients`, all or none in one
    // store transaction with the key. The same key again gives the first
    // call's ids and queues nothing. At most kMaxRecipients; the modem, when
    // named, one of the centre's; a message BuildMessage refuses is Refused
    // with its words (after "NUMBER: " when there are several recipients),
    // as is one that would make more than kMaxParts parts, and nothing is
    // queued. A key seen before is answered before anything else is looked
    // at: a retry after its expire time passed, or after its modem went,
    // still gets the first ids.
    Result<Submitted, ApiError> submit(const QStringList& recipients, const QJsonObject& message,
                                       const SubmitOptions& options);
    // The same for a text: {"kind": "text", "text": text, "longText": true,
    // "unicode": true}, so that any text goes as it must.
    Result<Submitted, ApiError> submitText(const QStringList& recipients, const QString& text,
                                           const SubmitOptions& options);
    // Takes a queued message out of the queue; Conflict once it left.
    Result<bool, ApiError> cancel(qint64 id);
    Result<MessageRecord, ApiError> get(qint64 id);
    // "history"'s filters; newest first.
    Result<std::vector<MessageRecord>, ApiError> list(const HistoryQuery& query);
    // The messages whose events came after `cursor` (0: from the start),
    // `direction` only when given (a message coming in has one, its arrival
    // whole; one going out one a change of state, from its recording on):
    // at most `limit` (1..1000) events, each message once as it is now, in
    // the order of its last of those events. The page's `next` is the last
    // event it covers, so a caller that follows it learns every change.
    Result<MessagePage, ApiError> after(qint64 cursor, std::optional<msg::Direction> direction, int limit);
    Result<std::vector<ModemRecord>, ApiError> modems();

    static constexpr int kMaxRecipients = 1000;
    // Parts one request may queue, all recipients together: a thousand
    // long texts would hold the program's thread and the store's lock for
    // minutes.
    static constexpr int kMaxParts = 10'000;
    // What one answer of a door carries at most (the bytes of the messages'
    // JSON): a page of long messages with every part's PDU would be
    // hundreds of MiB. A door stops adding messages past it, at least one.
    static constexpr qsizetype kMaxAnswerBytes = 4 * 1024 * 1024;
    static constexpr int kMaxKey = 200; // characters of an idempotency key
    // How long a key is remembered: a caller's retry comes within minutes,
    // and the table must not grow for ever.
    static constexpr int kKeyDays = 30;

    // Reads the store's new events now and emits them (the centre's own
    // changes call this at once; a timer does it for other programs').
    void pump();
    // The seq of the event whose stateChanged (part 0) or received is being
    // emitted now; 0 outside of them (a part's stateChanged has none).
    qint64 telling() const { return m_telling; }
    // The last event told (the one being told, inside a listener).
    qint64 seen() const { return m_seen; }

signals:
    // A message's state changed (part 0), or one of its parts was handed to
    // the phone (part N, 1-based; state "sending", reason the part's
    // outcome: "sent", "failed", "unknown", "no-pdu-mode", "no-prompt",
    // "link-lost"). State and reason are the names --json uses.
    void stateChanged(qint64 id, const QString& state, const QString& reason, uint part);
    // A message came in whole (a long one once its last part came).
    void received(qint64 id, const QString& modem, const QString& number, const QString& text);
    // The store's event sequence moved on to `seq`: what keeps its own
    // cursor over the events (the webhooks' queue) looks now.
    void eventsAdded(qint64 seq);

private:
    // Follows a channel's service and outbox: what they commit is told at
    // once, each part as the phone takes it.
    void watch(ModemChannel* channel);

    MessageCentre& m_centre;
    qint64 m_seen = 0; // the last event told
    qint64 m_telling = 0;
    QTimer m_poll;
    QTimer m_forget;      // the keys older than kKeyDays, once a day
    QTimer m_expire;      // what ran out of time, while no modem takes it
    bool m_begun = false; // m_seen is the store's
    bool m_pumping = false, m_pumpAgain = false;
};

} // namespace velmora
