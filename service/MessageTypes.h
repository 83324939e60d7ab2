#pragma once

// The words the message service and its store speak in: where a message
// stands, why it got there, and the record of one message with its parts.
// No display sentences: front ends turn these into their own words.

#include "MessageRequest.h"

#include <QDateTime>
#include <QJsonObject>
#include <QMetaType>
#include <QObject>
#include <QString>

#include <optional>
#include <string_view>
#include <vector>

namespace velmora {

namespace msg {
Q_NAMESPACE

// Where a message stands. Going out: Queued -> Sending -> Sent ->
// Delivered | NotDelivered; Failed when the phone refused it; Uncertain when
// a PDU was written and no answer came, or the program stopped between the
// two; Cancelled when the user took it out of the queue before it went.
// Coming in: Received. An uncertain message is never sent again by itself.
// (Added last: the store keeps states by name, so older stores read as
// they were.)
enum class State { Queued, Sending, Sent, Delivered, NotDelivered, Failed, Uncertain, Received, Cancelled };
Q_ENUM_NS(State)

enum class Direction { Out, In };
Q_ENUM_NS(Direction)

// Why a message reached its state. `code` beside it carries the phone's
// number where there is one (+CMS/+CME ERROR n, TP-ST of a report).
enum class Reason {
    None,
    CmsError,     // the phone refused: +CMS ERROR code
    CmeError,     // the phone refused: +CME ERROR code
    Error,        // the phone answered ERROR without a number
    NoPduMode,    // no OK to AT+CMGF=0
    NoPrompt,     // no ">" after AT+CMGS
    NoAnswer,     // the PDU was written and no word came
    LinkLost,     // the link failed; after the PDU was written: Uncertain
    NotConnected, // no phone to send through
    Stopped,      // the program stopped in the middle (Ctrl-C, closed, killed)
    ReportFailed, // the network's report says not delivered: TP-ST code
    StoreFailed,  // the store could not record the step: nothing was sent
    Cancelled,    // the user took it out of the queue
    Expired,      // its batch's time to send ran out before it went
    Retrying,     // queued again after the phone refused it: code the try it is at
    Vanished,     // the program sending it stopped beating on a shared store (its lease ran out)
};
Q_ENUM_NS(Reason)

// Where a batch stands. Active: its queued messages go when due; Paused: by
// the user, or by the program when the phone stopped answering (its reason
// says which); Cancelled: what was still queued was taken out. A batch with
// nothing queued or on its way is finished whatever its state.
enum class BatchState { Active, Paused, Cancelled };
Q_ENUM_NS(BatchState)

// "queued", "sending", "sent", "delivered", "not-delivered", "failed",
// "uncertain", "received", "cancelled": the names the store, the logs and
// --json use. What a person reads is Terms.h's.
const char* StateName(State state);
std::optional<State> StateFromName(std::string_view name);
const char* DirectionName(Direction direction); // "out", "in"
std::optional<Direction> DirectionFromName(std::string_view name);
// "cms-error", "not-connected", ...; "" for None.
const char* ReasonName(Reason reason);
std::optional<Reason> ReasonFromName(std::string_view name);

const char* BatchStateName(BatchState state); // "active", "paused", "cancelled"
std::optional<BatchState> BatchStateFromName(std::string_view name);

// Whether a message in `state` will change no more by itself.
bool IsFinal(State state);

} // namespace msg

// One PDU of a message: as submitted (outgoing) or as read (incoming).
struct PartRecord {
    int part = 1;                    // 1-based
    QString pdu;                     // hex in capitals, service-centre part in front
    std::optional<int> reference;    // TP-MR the phone gave it (outgoing)
    QString answer;                  // the phone's answer to its submission
    std::optional<int> reportStatus; // TP-ST of its final delivery report
    QString storage;                 // incoming: "SM", "ME"
    std::optional<int> index;        // incoming: its place in that storage
};

struct MessageRecord {
    qint64 id = 0;
    msg::Direction direction = msg::Direction::Out;
    QString number; // the destination as sent, or the sender as read
    QString name;   // the phone-book name of the number, when known
    QString kind;   // "text", "flash", "logo", "group", "picture", "ringtone", "ems", "void", "indicator",
                    // "data", "report"; incoming also "unreadable" (its text says why)
    QString text;   // the text, or what the content is in words
    QJsonObject content; // the kind's content: bitmap hex and size, tune, ...
    QJsonObject request; // outgoing: the MessageRequest that made it (RequestToJson)
    msg::State state = msg::State::Queued;
    msg::Reason reason = msg::Reason::None;
    std::optional<int> reasonCode;
    QDateTime created, sent, delivered, received; // UTC; null when not (yet)
    QString modemImsi, modemDevice;
    // The modem (its name, "" for the one modem of the window or the CLI)
    // that took it to send, when it took it, or that read it.
    QString modem;
    // Queued: the modem it is to go through; "" for the first free one.
    QString wantModem;
    bool complete = true; // incoming long message: every part came
    std::vector<PartRecord> parts;
    // Outgoing, sent to many: the batch it belongs to (0: none), its place
    // in it (0-based), how often it was handed to the phone, and when it may
    // go again after a refusal (null: when its turn comes).
    qint64 batch = 0;
    int position = 0;
    int tries = 0;
    QDateTime notBefore;
    // Queued: it expires when still queued then (null: never); a batch's
    // messages go by their batch's instead.
    QDateTime expireAt;
    // Sent again (MessageService::resend): the message this one replaces,
    // and the one that replaced this one (0: none).
    qint64 replaces = 0;
    qint64 replacedBy = 0;
};

// How a batch's messages are spread out in time.
struct BatchPacing {
    qint64 intervalMs = 0; // from one message's start to the next's; 0: as fast as the phone goes
    int perHour = 0;       // at most this many started in any hour; 0: no cap
    QDateTime startAt;     // none goes before (null: at once)
    QDateTime expireAt;    // none goes after (null: never too late)
    int retries = 2;       // tries after a refusal by the phone, with growing pauses
};

// One message to many recipients, and how far it has come.
struct BatchRecord {
    qint64 id = 0;
    QString name; // for the user: "Hello {name}" to 200, the group's name, ...
    QString key;  // what it sends to whom: the same batch queued twice has the same key
    QDateTime created;
    msg::BatchState state = msg::BatchState::Active;
    msg::Reason pauseReason = msg::Reason::None; // Paused by the program: NoAnswer, LinkLost...
    BatchPacing pacing;
    // Its messages by where they stand (Sent counts the delivered and the
    // not delivered too: they went).
    int total = 0, queued = 0, sending = 0, sent = 0, failed = 0, uncertain = 0, cancelled = 0;
    // Of the sent, those whose delivery report came: delivered or not.
    int delivered = 0, notDelivered = 0;
    QDateTime lastStart; // when its newest message was handed to the phone
    bool finished() const { return queued == 0 && sending == 0; }
};

// The request as the store keeps it, and back; a request read back builds the
// same PDUs (but for its concatenation reference, which is given anew).
QJsonObject RequestToJson(const MessageRequest& request);
std::optional<MessageRequest> RequestFromJson(const QJsonObject& json);

} // namespace velmora

Q_DECLARE_METATYPE(velmora::MessageRecord)
