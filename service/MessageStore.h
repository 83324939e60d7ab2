#pragma once

// Every message sent and received, in one SQLite file (messages.sqlite)
// through Qt SQL. Each call that changes a message is committed before it
// returns, so the caller takes the step it recorded only once it is on disk.
// One object per thread: it owns its own database connection.

#include "MessageTypes.h"
#include "Result.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace velmora {

// The modem a message went through or came from.
struct ModemId {
    QString imsi;   // "" when the phone did not say
    QString device; // "/dev/ttyUSB0"
};

// What a history list asks for; every field left empty matches all.
struct HistoryQuery {
    QString number; // the conversation: same number as ConversationKey makes it
    QString search; // in texts, names and numbers, any case
    std::optional<msg::State> state;
    std::optional<msg::Direction> direction;
    int limit = -1; // newest first; -1: all
    int offset = 0;
};

// One conversation: every message to or from one number.
struct Conversation {
    QString key;    // ConversationKey of the number
    QString number; // as last seen
    QString name;   // phone-book name, when known
    QDateTime last; // newest message's time
    QString lastText;
    int count = 0;
};

// What recording one PDU read from a phone did.
struct ReceivedRecord {
    qint64 id = 0;         // the message it belongs to (a long message's parts share one)
    bool newPlace = false; // not recorded from this place of this modem before
    bool newPdu = false;   // this PDU was never recorded at all: it goes to the received log
};

struct ImportReport {
    int imported = 0;   // lines whose PDU was new
    int duplicates = 0; // lines whose PDU was already recorded
    // Why the log could not be read at all (missing, too large); "" when it
    // was read to its end.
    QString error;
    // Each line that could not be read: its number (1-based) and why.
    std::vector<std::pair<int, QString>> bad;
};

// The conversation a number belongs to: "+", spaces and "-" go, a leading 0
// becomes the country code, as a destination is sent. A sender that is not
// a number ("Telkomsel") is its own conversation, in lower case.
QString ConversationKey(const QString& number, const QString& countryCode = QStringLiteral("62"));

class MessageStore {
public:
    // The schema this program writes.
    static constexpr int kSchemaVersion = 1;
    // PRAGMA application_id of a Velmora store: "VLMR".
    static constexpr int kApplicationId = 0x564C4D52;
    // How long a change waits for another connection's write to end.
    static constexpr int kBusyTimeoutMs = 5000;

    // Opens `path`, creating it (and its folder) when missing, migrating an
    // older schema in place. A newer schema, or a file that is not a Velmora
    // store, is refused with a sentence naming the file, and left untouched.
    static Result<std::unique_ptr<MessageStore>> Open(const QString& path);
    ~MessageStore();
    MessageStore(const MessageStore&) = delete;
    MessageStore& operator=(const MessageStore&) = delete;

    QString path() const;
    // Instead of kBusyTimeoutMs, for this connection.
    void SetBusyTimeout(int ms);

    // Whether a change can be committed now (not read-only, not locked, not
    // full); "" when it can, else why. Asked before a send touches the phone.
    QString CheckWritable();

    // ---- going out
    // Records a new message (state Queued unless given), its parts' PDUs, and
    // gives its id.
    Result<qint64> AddOutgoing(const MessageRecord& message);
    // Moves a message to `state`, stamping `sent` or `delivered` when it
    // reaches them. false when there is no such message.
    Result<bool> SetState(qint64 id, msg::State state, msg::Reason reason = msg::Reason::None,
                          std::optional<int> code = std::nullopt,
                          const QDateTime& when = QDateTime::currentDateTimeUtc());
    // A part's submission: the reference and the phone's answer.
    Result<bool> SetPartSent(qint64 id, int part, std::optional<int> reference, const QString& answer);
    // The final report of a part, by the reference the modem gave it: the
    // newest part sent through `modem` with that reference that has no report
    // yet. Gives the message's id, or 0 when no part matches. A failed final
    // report makes the message NotDelivered (ReportFailed, code TP-ST); a
    // delivered one on every part, Delivered. A report that is not final
    // (TP-ST 0x20..0x3F: the centre still trying) changes nothing.
    Result<qint64> RecordReport(const ModemId& modem, int reference, int status,
                                const QDateTime& when = QDateTime::currentDateTimeUtc());
    // On start: every message left Sending becomes Uncertain (reason
    // Stopped). Gives how many.
    Result<int> MarkInterrupted();
    Result<bool> SetModem(qint64 id, const ModemId& modem);

    // ---- coming in
    // Records one PDU read from `storage`:`index` of `modem`, at most once per
    // place and PDU; parts of a long message join one message across reads
    // and restarts. A delivery report (a status-report PDU) is remembered as
    // read (newPdu, newPlace) but makes no message (id 0): RecordReport is
    // the path for reports. A PDU that does not decode is kept as a message
    // of kind "unreadable" whose text says why. A PDU the user deleted from
    // the history is not brought back (id 0).
    Result<ReceivedRecord> AddReceived(const ModemId& modem, const QString& storage, std::optional<int> index,
                                       const QString& pdu,
                                       const QDateTime& when = QDateTime::currentDateTimeUtc());
    // Whether this PDU was ever recorded (read from a phone, or imported
    // from the received log), whatever became of its message since.
    bool HasPdu(const QString& pdu);
    // Reads a received log ("dd-mm-yyyy hh:mm:ss AM NUMBER PDU" a line), in
    // batches each committed. A line that cannot be read is named and the
    // rest read on.
    ImportReport ImportReceivedLog(const QString& logPath);
    // Whether the store holds no message at all (the first start).
    bool IsEmpty();

    // ---- reading
    std::optional<MessageRecord> Message(qint64 id);
    std::vector<MessageRecord> Messages(const HistoryQuery& query);
    int Count(const HistoryQuery& query);
    // Newest first; `search` as in HistoryQuery.
    std::vector<Conversation> Conversations(const QString& search = {});
    Result<bool> Delete(qint64 id);

    // ---- names
    // Replaces the phone book kept for names.
    Result<bool> SavePhonebook(const std::vector<std::pair<QString, QString>>& nameAndNumber);
    QString NameFor(const QString& number);

private:
    MessageStore();
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace velmora
