#pragma once

// Every message sent and received, in one SQLite file (messages.sqlite)
// through Qt SQL. Each call that changes a message is committed before it
// returns, so the caller takes the step it recorded only once it is on disk.
// One object per thread: it owns its own database connection.

#include "CountryCode.h"
#include "MessageTypes.h"
#include "Result.h"
#include "StoreProblem.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace velmora {

// The modem a message went through or came from.
struct ModemId {
    ModemId() = default;
    // In the order the fields were known: {imsi, device} still reads as it did.
    ModemId(QString imsi_, QString device_, QString name_ = {}, QString imei_ = {})
        : imsi(std::move(imsi_)), device(std::move(device_)), name(std::move(name_)), imei(std::move(imei_)) {
    }
    QString imsi;   // "" when the phone did not say
    QString device; // "/dev/ttyUSB0"
    QString name;   // the settings' [Modem NAME]; "" for the one modem of the window or the CLI
    QString imei;   // "" when not read (yet)
};

// One modem as the store knows it (the `modems` table, keyed by name).
struct ModemRecord {
    QString name; // the settings' [Modem NAME], or "" for the one modem of the window / CLI
    QString imei; // AT+CGSN, "" when not read yet
    QString imsi;
    QString device;   // the device path it was last opened on
    QString byIdPath; // its /dev/serial/by-id/... link, "" when none
    QString operatorName;
    int signal = -1;    // +CSQ RSSI 0..31, -1 unknown
    QString state;      // "ready", "busy", "away", "stuck"
    QDateTime lastSeen; // UTC
    // How many queued messages it could take now (QueueDepth): filled by
    // those who show it, not by Modems().
    int queued = 0;
};

// What a history list asks for; every field left empty matches all.
struct HistoryQuery {
    QString number; // the conversation: same number as ConversationKey makes it
    QString search; // in texts, names and numbers, any case
    std::optional<msg::State> state;
    std::optional<msg::Direction> direction;
    std::optional<qint64> batch; // only the messages of this batch, in their order in it
    int limit = -1;              // newest first; -1: all
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

// A named list of recipients kept in the store.
struct GroupMember {
    QString name;   // as the phone book or the file gave it; may be ""
    QString number; // as given
};

struct Group {
    qint64 id = 0;
    QString name; // unique in any case
    std::vector<GroupMember> members;
};

// One event posted to a webhook (the `webhooks` table): the queue of the
// deliveries, kept in the store so that a restart loses none.
struct WebhookDelivery {
    qint64 id = 0;  // the row, sent as X-Velmora-Delivery
    qint64 seq = 0; // the event's sequence number
    QString url;
    QByteArray body; // the exact bytes posted and signed
    int attempts = 0;
    QDateTime nextAt;              // not tried before
    QDateTime doneAt;              // null until delivered
    std::optional<int> lastStatus; // the last answer's HTTP status; none when no answer came
    QString lastError;             // why the last attempt failed; "" when it did not
};

// One event to queue: its sequence number and the body to post.
struct WebhookEvent {
    qint64 seq = 0;
    QByteArray body;
};

// What a webhook's queue holds for now: a delivery that is due, else when
// the next one will be (null: nothing waits).
struct WebhookNext {
    std::optional<WebhookDelivery> due;
    QDateTime wake;
};

// The conversation a number belongs to: the number as a destination is sent
// (smslib's NormaliseDestination: "+62 812-345-6789", "0812...", "0062812..."
// and "62812..." are one conversation). A sender that is not
// a number ("Telkomsel") is its own conversation, in lower case.
QString ConversationKey(const QString& number, const QString& countryCode = HomeCountryCode());

// One step of the event sequence (the `events` table, filled by the store
// itself whenever a message changes): `kind` "received" when a message came
// in whole, "state" when a message going out was recorded or moved on;
// `state` and `reason` as --json names them.
struct StoreEvent {
    qint64 seq = 0;
    qint64 message = 0;
    QString kind, state, reason;
    QDateTime at; // UTC
};

// The pace a modem keeps (its Interval= and PerHour=), which a claim keeps
// to whichever program on the store makes it.
struct ModemPace {
    qint64 intervalMs = 0;
    int perHour = 0;
};

// What a claim found: the message it took (id), else when one may fall due
// (null: none is queued for it, or the due ones are being taken by others).
struct ClaimOutcome {
    qint64 id = 0;
    QDateTime wait;
};

// One program using a shared store (the `instances` table).
struct InstanceRecord {
    QString id; // "box/pid:start time"; the box is its machine and boot id
    QString host;
    QDateTime started, beat;
    QStringList modems;
    // Beat within the lease, by the server's clock; one of this box also
    // still runs.
    bool alive = false;
};

// One page of "what is new since": the messages that changed after a
// cursor, each once as it is now, in the order of their last change in the
// page, and the cursor to ask with next time (the last event's sequence
// number looked at; the same cursor when nothing is new).
struct MessagePage {
    std::vector<MessageRecord> messages;
    // Each message's last event in the page, beside it: a door that
    // answers only the first N gives last[N-1] as its cursor and passes
    // over nothing.
    std::vector<qint64> last;
    qint64 next = 0;
};

class MessageStore {
public:
    // The schema this program writes.
    static constexpr int kSchemaVersion = 5;
    // PRAGMA application_id of a Velmora store: "VLMR".
    static constexpr int kApplicationId = 0x564C4D52;
    // How long a change waits for another connection's write to end.
    static constexpr int kBusyTimeoutMs = 5000;
    // The same on a server shared by several boxes.
    static constexpr int kServerBusyTimeoutMs = 15000;

    // What a program means to do with the store.
    enum class Access {
        Write, // creates it when missing, migrates it, checks it (quick_check)
        // Only reads (history, the queue's list, the checks, a backup):
        // nothing is created or changed, a read-only file or folder is
        // enough, and no -wal or -shm file of this user is left beside a
        // store of another user's.
        Read,
    };
    // Opens `path`, creating it (and its folder) when missing, migrating an
    // older schema in place, in one exclusive step that many programs may
    // take at once. A newer schema, or a file that is not a Velmora store,
    // is refused with a sentence naming the file, and left untouched. A
    // store SQLite calls damaged opens for reading only: Fault() says so.
    // `path` may instead be a PostgreSQL server's URL (IsUrl), shared by
    // several programs on several boxes:
    //     postgresql://USER@HOST:PORT/DB?password_file=F&sslmode=M&schema=S
    // The schema is built there by the first program, under a lock.
    static Result<std::unique_ptr<MessageStore>> Open(const QString& path, Access access = Access::Write);
    static bool IsUrl(const QString& location);
    // Whether the store is a server's that other boxes may share.
    bool shared() const;

    // Why the store changes nothing any more.
    enum class Fault {
        None,
        // SQLite answered "corrupt" or "not a database" (at the check on
        // opening or at any statement since): no connection of this program
        // writes to the file again.
        Damaged,
        ReadOnly, // opened with Access::Read
    };
    Fault fault() const;
    // The sentence for the user when fault() is not None, else "".
    QString faultText() const;
    // The same in parts (Damaged or ReadOnly; None when it may be written).
    StoreProblem faultProblem() const;
    // Why the last call of this connection that failed did (its Result's
    // sentence, in parts): what the service hands on to its front ends.
    StoreProblem lastProblem() const;
    // The problem behind `sentence`, a refusal this store gave: the last
    // problem when it is that one, else a refusal in those words.
    StoreProblem ProblemFor(const std::string& sentence) const;
    StoreProblem ProblemFor(const QString& sentence) const;
    // SQLite's whole check (PRAGMA integrity_check): "ok" alone when the
    // store is whole, else what SQLite found, a line each (at most 100).
    // A failure when the check could not run at all.
    Result<QStringList> IntegrityCheck();
    // A consistent copy of the store as it is now, while other programs may
    // be writing to it (VACUUM INTO, inside one read), written under a
    // temporary name and renamed to `file`. An existing `file` is refused
    // unless `replace`. A damaged store's bytes are copied as they lie
    // instead (its -wal beside the copy): then false.
    Result<bool> Backup(const QString& file, bool replace = false);
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
    // gives its id. Its program sends it itself: no outbox takes it.
    Result<qint64> AddOutgoing(const MessageRecord& message);
    // Records a message of no batch for an outbox to send when it is due
    // (its notBefore), through its wantModem ("" for the first free modem):
    // Queued, no tries yet, taken by no modem yet. Gives its id.
    Result<qint64> AddQueued(const MessageRecord& message);
    // Moves a message to `state`, stamping `sent` or `delivered` when it
    // reaches them. false when there is no such message.
    Result<bool> SetState(qint64 id, msg::State state, msg::Reason reason = msg::Reason::None,
                          std::optional<int> code = std::nullopt,
                          const QDateTime& when = QDateTime::currentDateTimeUtc());
    // A part's submission: the reference and the phone's answer.
    Result<bool> SetPartSent(qint64 id, int part, std::optional<int> reference, const QString& answer);
    // The final report of a part, by the reference the modem gave it: the
    // newest part sent through `modem` with that reference that has no report
    // yet. The modem is the one of the same name that took the message, and
    // then the same SIM when both sides know it; with no name (the one modem
    // of the window or the CLI), the same SIM, else the same port. Gives the message's id, or 0 when no part
    // matches. A failed final report makes the message NotDelivered (ReportFailed, code TP-ST); a delivered
    // one on every part, Delivered. A report that is not final (TP-ST 0x20..0x3F: the centre still trying)
    // changes nothing.
    Result<qint64> RecordReport(const ModemId& modem, int reference, int status,
                                const QDateTime& when = QDateTime::currentDateTimeUtc());
    // On start: every message left Sending by a program that no longer runs
    // becomes Uncertain (reason Stopped); one another running program is
    // sending stays as it is. Gives how many.
    Result<int> MarkInterrupted();
    // The modem a message went through: its SIM, port and name.
    Result<bool> SetModem(qint64 id, const ModemId& modem);
    // Replaces a message's text (and what a search finds it by): a USSD
    // session's transcript grows as the network answers. false when there is
    // no such message.
    Result<bool> SetText(qint64 id, const QString& text);

    // ---- coming in
    // Records one PDU read from `storage`:`index` of `modem`, at most once per
    // place and PDU; parts of a long message join one message across reads
    // and restarts, but never parts read by two modems (by name): two
    // senders' references are alike by chance. A delivery report (a status-report PDU) is remembered as
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
    // The message sent again in place of `id` (MessageRecord::replaces), or 0.
    qint64 ReplacedBy(qint64 id);
    std::vector<MessageRecord> Messages(const HistoryQuery& query);
    // The same messages, each handed to `take` as it is read (parts
    // included), without holding them all: `take` gives false to stop.
    // Gives how many were handed over, or why the reading broke off.
    Result<int> EachMessage(const HistoryQuery& query, const std::function<bool(const MessageRecord&)>& take);
    int Count(const HistoryQuery& query);
    // Newest first; `search` as in HistoryQuery.
    std::vector<Conversation> Conversations(const QString& search = {});
    Result<bool> Delete(qint64 id);
    // Deletes every message placed before `before` (its `at`: received, or
    // recorded), except those queued or sending, which are still to go.
    // Gives how many. CountBefore gives how many it would delete.
    Result<int> DeleteBefore(const QDateTime& before);
    int CountBefore(const QDateTime& before);

    // ---- many recipients
    // Records a batch and every message of it (Queued, in the order given,
    // each with its batch and position) in one transaction: all or none.
    // Gives the batch's id. 10,000 messages take well under a second.
    // With `sameKey`, a batch of the same key is looked for in the same
    // transaction: when there is one, its id is put there and nothing is
    // added (0 is given).
    Result<qint64> AddBatch(const BatchRecord& batch, const std::vector<MessageRecord>& messages,
                            qint64* sameKey = nullptr);
    // With its counts; nullopt when there is no such batch.
    std::optional<BatchRecord> Batch(qint64 id);
    // Newest first; `unfinishedOnly`: those with messages queued or on their way.
    std::vector<BatchRecord> Batches(bool unfinishedOnly = false);
    // The newest batch with this key, or 0.
    qint64 BatchByKey(const QString& key);
    Result<bool> SetBatchState(qint64 id, msg::BatchState state, msg::Reason reason = msg::Reason::None);
    // The queued message of `batch` to go first: the earliest notBefore
    // (none counting as the earliest), then by position; batch 0: the
    // messages of no batch AddQueued recorded, then by id. With `forModem`,
    // only one that modem may take (its wantModem is "" or that name).
    // nullopt when none is queued.
    std::optional<MessageRecord> NextQueued(qint64 batch,
                                            const std::optional<QString>& forModem = std::nullopt);
    // The messages of no batch queued for an outbox (AddQueued), the first
    // due first.
    std::vector<MessageRecord> QueuedAlone();
    // When the messages of `batch` started since `since`, oldest first.
    std::vector<QDateTime> StartsSince(qint64 batch, const QDateTime& since);
    // When the messages `modem` took (Claim) started since `since`, of any
    // batch or none, oldest first: what its own pace counts.
    std::vector<QDateTime> ModemStartsSince(const QString& modem, const QDateTime& since);
    // Takes a queued message for this program and `modem`: Sending, owned
    // by it, one try more, started `now`, taken by that modem (its name,
    // and its SIM and port when given), in one statement, so two programs
    // or two modems never take the same one. false when it was not queued
    // (any more) or names another modem.
    Result<bool> Claim(qint64 id, const QDateTime& now = QDateTime::currentDateTimeUtc(),
                       const ModemId& modem = {});
    // Takes the first due message of `batch` (0: those of no batch) that
    // `modem` may take, in one transaction: what the batch's pace and the
    // modem's `pace` allow now is decided inside it, under a lock of the
    // batch, so that programs on several boxes keep one pace between them;
    // the message is picked and locked (passing over those another
    // program's claim holds) and made Sending with its owner, modem, start,
    // try and lease in one statement. Nothing taken: when one may be due.
    // With `take` false it only tells: `wait` is `now` when one is due now.
    Result<ClaimOutcome> ClaimNext(qint64 batch, const ModemId& modem, const QDateTime& now,
                                   const ModemPace& pace = {}, bool take = true);
    // Drops an uncertain message, by the user: it stays uncertain (reason
    // Cancelled) and is not the user's to decide on any more. Whoever last
    // sent it. false when it is not uncertain.
    Result<bool> DropUncertain(qint64 id);
    // Puts a failed or uncertain message back in the queue, to go not before
    // `notBefore` (null: when its turn comes). `reason` (with `code`) says
    // why, shown while it waits. `refundTry`: the try it had does not count
    // (the PDU never reached the phone).
    Result<bool> Requeue(qint64 id, const QDateTime& notBefore, msg::Reason reason = msg::Reason::None,
                         std::optional<int> code = std::nullopt, bool refundTry = false);
    // Every queued message of an active or paused batch whose expiry is
    // before `now`, and every queued message whose own expiry
    // (MessageRecord::expireAt) is, becomes Failed (Expired). Gives the ids.
    Result<std::vector<qint64>> ExpireQueued(const QDateTime& now);
    // Takes queued messages out: Cancelled. A message given by id
    // that is not queued is left as it is (false).
    Result<bool> CancelQueued(qint64 id);
    // Every queued message of `batch`, and marks the batch Cancelled; gives the ids.
    Result<std::vector<qint64>> CancelBatch(qint64 id);

    // ---- other programs' doors (MessageStoreApi.cpp)
    // Records messages of no batch as AddQueued does, and with a `key` the
    // key and their ids, in one transaction: all or none. When the key was
    // recorded before, nothing is added: its ids are given and `again` set.
    Result<std::vector<qint64>> AddQueuedKeyed(const std::vector<MessageRecord>& messages,
                                               const QString& key = {}, bool* again = nullptr);
    // The ids a key queued; nullopt when the key was never given (or was
    // forgotten).
    std::optional<std::vector<qint64>> KeyIds(const QString& key);
    // Forgets the keys given before `before`: the same key later queues
    // again. Gives how many.
    Result<int> ForgetKeysBefore(const QDateTime& before);
    // The events after `seq`, oldest first, at most `limit` (1..10,000).
    Result<std::vector<StoreEvent>> EventsAfter(qint64 seq, int limit);
    // The newest event's seq; 0 when there is none (or it cannot be read).
    qint64 LastEventSeq();
    // The events of `kind` ("" any) after `cursor`, at most `limit`
    // (1..1,000), as the messages they are of: each once, as it is now, in
    // the order of its last of those events. A message deleted since is
    // left out.
    Result<MessagePage> MessagesAfter(qint64 cursor, const QString& kind, int limit);

    // Copies every message, batch, group, name, modem, event and webhook
    // delivery into `target`, ids and all, in one transaction on it, and
    // makes its search index; refused when `target` holds any message.
    // Gives how many messages (MessageStoreCopy.cpp).
    Result<int> CopyTo(MessageStore& target);

    // ---- several programs on one shared store (MessageStoreShared.cpp)
    // How long what this program sends stays its own without a beat
    // ([Store] LeaseSeconds=; 60 by default).
    void SetLeaseSeconds(int seconds);
    int leaseSeconds() const;
    // This program as the store names it: the owner of what it sends.
    QString InstanceId() const;
    // A heartbeat on a shared store: this program (with its modems' names)
    // is registered or refreshed, and the leases of what it is sending move
    // on. Nothing on a file: a program there that stops is found by its
    // process (MarkInterrupted).
    Result<bool> Beat(const QStringList& modems);
    // On a shared store: every message whose lease ran out (by the
    // server's clock) becomes Uncertain (Vanished), never sent again by
    // itself, and the programs that stopped beating are forgotten. Gives
    // the ids.
    Result<std::vector<qint64>> ExpireLeases();
    // This program leaves the shared store (a clean stop).
    Result<bool> Leave();
    // The programs beating on the store, by id.
    Result<std::vector<InstanceRecord>> Instances();

    // ---- modems
    // Adds the modem, or replaces what is known of the one of that name.
    Result<bool> SaveModem(const ModemRecord& modem);
    // Every modem known, by name.
    Result<std::vector<ModemRecord>> Modems();
    // How many queued messages `modemName` could take now: of no batch, or
    // of an active batch, and naming that modem or none.
    Result<int> QueueDepth(const QString& modemName);

    // ---- groups
    std::vector<Group> Groups();                          // by name
    std::optional<Group> GroupNamed(const QString& name); // any case
    // Adds a group (id 0) or replaces one's name and members. Refused when
    // another group has the name, or the name is empty.
    Result<qint64> SaveGroup(const Group& group);
    Result<bool> DeleteGroup(qint64 id);

    // ---- names
    // Replaces the phone book kept for names.
    Result<bool> SavePhonebook(const std::vector<std::pair<QString, QString>>& nameAndNumber);
    QString NameFor(const QString& number);
    // The numbers the phone book keeps under `name` (any case, whole name).
    std::vector<QString> NumbersNamed(const QString& name);

    // ---- webhooks (MessageStoreWebhooks.cpp)
    // A delivery that failed this many times in a row stops holding back
    // the newer ones behind it (see NextWebhook).
    static constexpr int kWebhookHoldAttempts = 6;
    // How far the webhooks have queued the event sequence (meta
    // webhook_seq). The first time, the last event now: what happened
    // before webhooks were set up is not posted.
    Result<qint64> WebhookPosition();
    // Queues each event for `url` and moves the position from `from` to
    // `to`, in one transaction. Refused, with nothing queued, when the
    // position is not `from` any more (another program moved it). An event
    // already queued for the URL is not queued twice.
    Result<int> QueueWebhooks(const QString& url, qint64 from, qint64 to,
                              const std::vector<WebhookEvent>& events);
    // What to post to `url` next at `now`. In order, one at a time: the
    // oldest undelivered event holds back the newer ones while it is
    // retried, so a receiver that was down gets them in order once it is
    // back. One that failed kWebhookHoldAttempts times (about an hour of
    // pauses) is retried on its own pauses from then on, and the rest go
    // on: a body the receiver keeps refusing does not stop every event
    // after it.
    Result<WebhookNext> NextWebhook(const QString& url, const QDateTime& now);
    // A delivery's outcome, one attempt more: delivered at `at` with `status`.
    Result<bool> WebhookDelivered(qint64 id, int status, const QDateTime& at);
    // Failed (`status` when the receiver answered), tried again not before `retryAt`.
    Result<bool> WebhookFailed(qint64 id, std::optional<int> status, const QString& error,
                               const QDateTime& retryAt);
    // Failed for the last time: done at `at` without a 2xx, kept as long as
    // a delivered row, and tried no more.
    Result<bool> WebhookGivenUp(qint64 id, std::optional<int> status, const QString& error,
                                const QDateTime& at);
    // The deliveries after row `afterId`, oldest first, at most `limit`.
    Result<std::vector<WebhookDelivery>> WebhookDeliveries(qint64 afterId = 0, int limit = 1000);
    // Deletes the deliveries done before `before`; gives how many.
    Result<int> DeleteDeliveredWebhooks(const QDateTime& before);
    // Whether this connection is the one that posts to `url`: on a server's
    // store shared by several programs with the same [Webhooks] Url=, one
    // delivers at a time (a lock of the server's session, taken once and
    // kept until ReleaseWebhooks or the connection ends, so that another
    // program takes over when this one stops or dies). False when another
    // leads, or the server could not be asked. On a file, always: one
    // program has it open.
    bool LeadsWebhooks(const QString& url);
    // Lets another program lead `url` from now on (nothing when this
    // connection does not lead it).
    void ReleaseWebhooks(const QString& url);

private:
    MessageStore();
    static Result<std::unique_ptr<MessageStore>> OpenServer(const QString& location, Access access);
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace velmora
