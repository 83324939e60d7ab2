#pragma once

// The message center for one modem: every front end hands it what to send
// and asks it what came, and renders what it reports. It records each step
// in the store before taking it, sends through a MessageTransport (the phone
// link behind it), follows each message to its end, matches delivery
// reports, and records what the phone holds before anything deletes it.
// It speaks in states and typed reasons, never display sentences.

#include "LinkEvents.h"
#include "MessageStore.h"
#include "MessageTypes.h"
#include "PhoneSession.h"
#include "UssdRecord.h"

#include <QObject>
#include <QPointer>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

// What one part's submission came to, as the link reports it.
struct PartOutcome {
    qint64 id = 0; // the message
    int part = 0;  // 0-based, in submission order
    SubmitOutcome outcome = SubmitOutcome::Unknown;
    std::optional<int> reference; // TP-MR, when the phone gave one
    QString answer;               // the phone's answer as it came, byte for byte (Latin-1)
    QString destination;
    bool stopped = false; // the program stopped in the middle of this part
};

// Where the service sends: one modem, through whatever reaches it. The
// transport reports back through the service's part/ended/report/read
// slots, from the same thread the service lives on (at once, for a
// synchronous session; queued, for the link's worker thread).
class MessageService;

// Where a message ends up, and why.
struct Verdict {
    msg::State state = msg::State::Sent;
    msg::Reason reason = msg::Reason::None;
    std::optional<int> code;
};

class MessageTransport {
public:
    virtual ~MessageTransport() = default;
    virtual bool Ready() const = 0;
    virtual ModemId Modem() const = 0;
    // Each PDU in turn: one MessageService::partSubmitted call a part, then
    // MessageService::sendEnded.
    virtual void Submit(qint64 id, const std::vector<std::string>& pdus, const std::string& destination) = 0;
    // Deletes one part the phone keeps, if it still holds what was read
    // there; then MessageService::deleteEnded. Only the service asks, once
    // the part's record is committed. A transport with no phone refuses.
    virtual void DeleteStored(const StoredMessage& part);

protected:
    // The service it reports to; set while one uses it.
    MessageService* service() const { return m_service; }
    // Whether the message being submitted asks the network for a delivery
    // report by itself (one queued with "report"), whatever the transport
    // does for every message.
    bool reportAsked() const { return m_reportAsked; }

private:
    friend class MessageService;
    MessageService* m_service = nullptr;
    bool m_reportAsked = false;
};

// Why a message was not taken: it does not build (the smslib refusal), or
// the store cannot record it (why, in parts: terms::StoreProblemText says it).
struct SendRefusal {
    enum Kind { Invalid, Store } kind = Invalid;
    Refusal invalid;
    StoreProblem store;
};

// Why a message the phone keeps is not deleted from it: the store does not
// hold its committed record, so the phone's copy may be the only one.
struct DeleteRefusal {
    enum Kind {
        NoStore,     // no store could be opened
        Damaged,     // the store is damaged: what it says it holds is no proof
        NotRecorded, // the store holds no record of this PDU (its write failed, or it was never read)
    } kind = NotRecorded;
    QString store; // the store's own sentence (why there is none, the damage), when it has one
};

// A handle on one message on its way (after KJob/QNetworkReply): its id at
// once, its state as it changes, and finished() once it is final for now
// (sent, failed, uncertain; a report may still move a sent one on).
class SendJob : public QObject {
    Q_OBJECT
public:
    qint64 id() const { return m_id; }
    QString destination() const { return m_destination; }
    int partCount() const { return m_total; }
    msg::State state() const { return m_state; }
    msg::Reason reason() const { return m_reason; }
    std::optional<int> reasonCode() const { return m_code; }
    const std::vector<PartOutcome>& parts() const { return m_parts; }
    bool isFinished() const { return m_finished; }

signals:
    void partDone(const velmora::PartOutcome& part);
    void stateChanged(velmora::msg::State state);
    void finished();

private:
    friend class MessageService;
    explicit SendJob(qint64 id, QObject* parent) : QObject(parent), m_id(id) {}
    qint64 m_id;
    QString m_destination;
    int m_total = 0; // parts
    msg::State m_state = msg::State::Queued;
    msg::Reason m_reason = msg::Reason::None;
    std::optional<int> m_code;
    std::vector<PartOutcome> m_parts;
    bool m_finished = false;
    bool m_released = false; // let go of by its owner before it finished
};

// The message as the store keeps it, from its request and the PDUs built.
MessageRecord OutgoingRecord(const MessageRequest& request, const MessageJob& job, const ModemId& modem);

class MessageService : public QObject {
    Q_OBJECT
public:
    // `store` may be null (it could not be opened): nothing is sent then, and
    // what is read is still passed on (and logged by an observer) but not
    // kept.
    MessageService(MessageStore* store, MessageTransport& transport, QObject* parent = nullptr);
    ~MessageService() override;

    MessageStore* store() const { return m_store; }
    ModemId modem() const { return m_transport.Modem(); }
    // Whether there is a phone to send through now.
    bool phoneReady() const { return m_transport.Ready(); }

    // Records the message (Queued, then Sending) and hands it to the
    // transport. Refused, with nothing sent, when the request does not build,
    // the store cannot record it or there is no phone. The job belongs to the
    // service; it lives until the service does or until release(job), and
    // one released on its way lives until it has finished.
    Result<SendJob*, SendRefusal> send(const MessageRequest& request);
    // Sends an existing outgoing message again as a new message of the same
    // request that names it (MessageRecord::replaces, and replacedBy on the
    // old one). Refused unless it failed or is uncertain, and when it was
    // sent again already: the user decides once that it may go again.
    Result<SendJob*, SendRefusal> resend(qint64 id);
    // Why resend(id) would be refused, asked before the user is; nullopt when
    // it may go again.
    std::optional<SendRefusal> whyNotResend(qint64 id) const;
    // What sendNext did: started the message `id` (job), or took none; then
    // `wait` is when one may fall due (null: none for now).
    struct NextSend {
        SendJob* job = nullptr;
        qint64 id = 0;
        QDateTime wait;
    };
    // Takes the first due message of `batch` (0: those of no batch) for
    // this program's modem, its pace and the batch's decided inside the
    // store's claim (MessageStore::ClaimNext), and hands its PDUs over.
    // `claimed` hears its id before anything is told of it.
    Result<NextSend, SendRefusal> sendNext(qint64 batch, const QDateTime& now, const ModemPace& pace,
                                           const std::function<void(qint64)>& claimed);
    void release(SendJob* job);
    // Whether a message is on its way through the transport now.
    // (The window may hand over a message of its own while one of a batch
    // is on its way: the link takes them in turn, and both count.)
    bool busy() const;

    SendJob* job(qint64 id) const;

    // On start: messages a stopped program left Sending become Uncertain.
    int recoverInterrupted();
    // Why there is no store, for the refusals when there is none: the
    // sentence the opening gave, or in parts.
    void setStoreProblem(const QString& why);
    void setStoreProblem(const StoreProblem& problem);
    StoreProblem noStore() const { return m_storeWhy; }
    QString noStoreReason() const { return m_storeWhy.text(); }
    // The program is ending: the message on its way ends here, uncertain
    // when a part may have left, failed when none did.
    void stopAll();

    // Deletes a part of a message the phone keeps (AT+CMGD, if the phone
    // still holds what was read there), only once its record is committed
    // in the store; otherwise refused, and the phone is not asked. The
    // phone's answer comes as storedDeleted(). whyNotDelete asks first, for
    // every part of a long message before any of them goes.
    std::optional<DeleteRefusal> deleteStored(const StoredMessage& part);
    std::optional<DeleteRefusal> whyNotDelete(const StoredMessage& part) const;

    // USSD (UssdRecord.cpp): each exchange is recorded in the history as it
    // goes, a message of kind "ussd" (the code its number, the transcript
    // its text), and told of by ussdChanged. beginUssd gives the session's
    // number; a store that refuses a write is said once (storeProblem) and
    // the session goes on unkept. Each gives that refusal, "" while kept.
    // `tell` false: the program is ending and no one is told.
    int beginUssd(const QString& code, QString* problem = nullptr);
    QString ussdLine(int session, const QString& line);
    void endUssd(int session, const UssdEnding& ending, bool tell = true);

    // The phone book just read, kept for the names of numbers.
    void phonebookRead(const std::vector<PhonebookEntry>& entries);

public slots:
    // From the transport.
    void partSubmitted(const velmora::PartOutcome& part);
    void sendEnded(qint64 id);
    // The transport stopped before the part it was at reached the phone.
    void stopped(qint64 id);
    void deliveryReport(int reference, int status);
    // Messages read from the phone's stores (a read of the inbox, or a new
    // one announced): each recorded before anything may delete it.
    void storedRead(const QList<velmora::StoredMessage>& messages);
    // The phone's answer to DeleteStored: `why` is "" when it deleted the part.
    void deleteEnded(const velmora::StoredMessage& part, const QString& why);

signals:
    // Every change of a message's state, sent or received.
    void messageChanged(qint64 id, velmora::msg::State state, velmora::msg::Reason reason, int code);
    // Each part's outcome as the link gave it (the logs' observer writes them).
    void partDone(const velmora::PartOutcome& part);
    // A PDU read from the phone; `firstTime` when no message was ever
    // recorded from it (it goes to the received log).
    void pduReceived(qint64 id, const velmora::StoredMessage& stored, bool firstTime);
    // A part deleteStored handed over is gone from the phone (`why` ""), or
    // why it is not.
    void storedDeleted(const velmora::StoredMessage& part, const QString& why);
    // A USSD session's record changed: `id` its message in the store (0 when
    // not kept), its transcript so far, and whether the session is over.
    void ussdChanged(int session, qint64 id, const QString& transcript, bool ended);
    // The store could not record a step; `why` names the file and the cause.
    void storeProblem(const velmora::StoreProblem& problem);

private:
    // Records the message's end, then tells of it: apart, so a part's
    // outcome can be told in between.
    void commit(SendJob* job, const Verdict& verdict);
    void announce(SendJob* job);
    Result<SendJob*, SendRefusal> sendNew(const MessageRequest& request, qint64 replaces);
    // Follows a message recorded as Sending and hands its PDUs over.
    // `report`: it asks for a delivery report of its own.
    SendJob* start(qint64 id, const std::vector<std::string>& pdus, const std::string& number,
                   bool report = false);

    MessageStore* m_store;
    MessageTransport& m_transport;
    StoreProblem m_storeWhy;
    std::map<qint64, SendJob*> m_jobs;
    std::map<int, std::unique_ptr<UssdRecord>> m_ussd; // the sessions under way
    int m_lastUssd = 0;
};

} // namespace velmora

Q_DECLARE_METATYPE(velmora::PartOutcome)
