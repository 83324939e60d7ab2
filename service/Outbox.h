#pragma once

// Sending one message to many, or one to go later. A batch is recorded
// whole before anything goes: every recipient's message, Queued, with its
// PDUs; a single message is recorded alone, in no batch. The outbox then
// hands them to the service one at a time as they fall due (the start time,
// the interval, the cap per hour, a refused message's pause before it is
// tried again), and decides what a message's end means for its batch: a
// refusal by the phone is tried again later, a phone that stops answering
// pauses the batch, an uncertain message waits for the user. It keeps no
// state of its own beyond the store, so any later start goes on where the
// last one stopped, and two programs on one store never send the same
// message (Claim).
//
// One outbox a modem: each takes only what names its modem (the service's
// modem().name) or names none, at the pace of its batch and of its modem,
// so several modems on one store share a batch without sending a message
// twice.

#include "MessageService.h"
#include "MessageStore.h"
#include "MessageTypes.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>
#include <vector>

namespace velmora {

// One recipient of a batch: the request as it goes to them (its
// destination set, a mail-merged text already filled in).
struct BatchRecipient {
    QString name; // for the record and the list: the phone book's or the file's
    MessageRequest request;
    // Its text needed characters outside GSM and goes as UCS2, where the
    // text as written would have gone as GSM 7-bit (BatchBuilder).
    bool madeUnicode = false;
};

struct BatchRequest {
    QString name; // what the user calls it; "" gives one from the text
    std::vector<BatchRecipient> recipients;
    BatchPacing pacing;
    bool again = false; // queue it even when the same batch was queued before
    QString wantModem;  // the modem its messages go through; "" for whichever is free
};

// A recipient left out, and why (its destination or text is refused).
struct RecipientProblem {
    int index = 0; // in BatchRequest::recipients
    QString who;   // the number or name as given
    QString why;   // the refusal, a sentence in lower case
    // The same number came earlier in the list: they get it once, so this
    // is no one left out.
    bool duplicate = false;
};

struct QueueRefusal {
    enum Kind {
        Empty,     // no recipient could be queued (problems says why each)
        Duplicate, // the same content to the same recipients is already queued: batch names it
        Store,     // the store cannot record it: store says why, in parts
    } kind = Empty;
    QString why; // the sentence, of every kind (for Store: store's text)
    qint64 batch = 0;
    std::vector<RecipientProblem> problems;
    StoreProblem store;
};

struct QueuedBatch {
    qint64 batch = 0;
    int queued = 0;
    std::vector<RecipientProblem> problems; // the recipients left out
};

// What the outbox did when asked for the next step.
struct OutboxStep {
    enum Kind {
        Started, // a message was handed to the service: message
        Wait,    // the next is due at `at`
        Busy,    // a message is on its way: look again when it ends
        Idle,    // nothing is queued in an active batch
        NoPhone, // something is due but the transport is not ready
    } kind = Idle;
    qint64 message = 0;
    QDateTime at;
};

class Outbox : public QObject {
    Q_OBJECT
public:
    // The pause before the first try again after a refusal; each later one
    // doubles it.
    static constexpr qint64 kFirstRetryMs = 60'000;

    // `now` is the outbox's clock (UTC); by default the system's. A test
    // gives a faster one.
    explicit Outbox(MessageService& service, std::function<QDateTime()> now = {}, QObject* parent = nullptr);
    QDateTime now() const { return m_now(); }

    // "Rapat jam 7 to 200": the name a batch gets when the user gives none,
    // from the message as written (a mail-merged text with its {column}s).
    static QString DefaultName(const MessageRequest& message, std::size_t recipients);
    // What identifies a batch's content and recipients, whatever their
    // order, and its start time when it has one.
    static QString BatchKey(const BatchRequest& request);

    // Builds every recipient's message and records them all, Queued, in one
    // step. A recipient whose message does not build is left out and named;
    // the batch is refused when none is left, when the store cannot take it,
    // and (unless `again`) when a batch with the same key exists.
    Result<QueuedBatch, QueueRefusal> queue(const BatchRequest& request);
    // queue()'s work without the outbox, on a store of the caller's: what a
    // thread with a connection of its own runs, so a batch of thousands is
    // built and recorded while the window goes on answering. `now` is when
    // it was queued (the outbox's clock), `noStore` the refusal when there
    // is no store. Tells no one: the caller then calls recorded().
    static Result<QueuedBatch, QueueRefusal> Record(MessageStore* store, const BatchRequest& request,
                                                    const ModemId& modem, const QDateTime& now,
                                                    const QString& noStore = {});
    // A batch Record() put in the store: its listeners look at it.
    void recorded(qint64 batch);

    // One message, in no batch: it goes through `wantModem` ("" for the
    // first free modem) not before `at` (null: at once), paced only by its
    // modem. Refused when it does not build or the store cannot take it.
    Result<qint64, QueueRefusal> queueOne(const MessageRequest& request, const QString& wantModem = {},
                                          const QDateTime& at = {});
    // queueOne()'s work without an outbox (velmora-cli send --queue): `now`
    // is when it was queued, `noStore` the refusal when there is no store.
    static Result<qint64, QueueRefusal> RecordOne(MessageStore* store, const MessageRequest& request,
                                                  const QString& wantModem = {}, const QDateTime& at = {},
                                                  const QDateTime& now = QDateTime::currentDateTimeUtc(),
                                                  const QString& noStore = {});

    // This modem's own pace, beside each batch's: at least `intervalMs`
    // from one start to the next and at most `perHour` starts in any hour
    // (0: none), counted from the store, so a restart keeps to it.
    void setModemPacing(qint64 intervalMs, int perHour);

    // Every queued message whose time ran out (its batch's or its own)
    // becomes Failed (Expired), told as the outbox tells its own changes;
    // gives how many. next() does it first; a program also does it while
    // no modem is there to take anything.
    int expire();

    // Expires what is too late, then starts the first message that is due
    // (of `batch` only, when given), or says when one will be. Only one
    // message is on its way at a time: while the service is busy, Wait.
    OutboxStep next(std::optional<qint64> batch = std::nullopt);

    // The user's hand on a batch or a message. Resuming a batch also clears
    // a pause the program made. Retrying puts a failed or uncertain message
    // back in the queue: the user decided it may go (again).
    Result<bool> pause(qint64 batch);
    Result<bool> resume(qint64 batch);
    Result<bool> cancel(qint64 batch);
    Result<bool> cancelMessage(qint64 id);
    Result<bool> retryMessage(qint64 id);

    MessageService& service() const { return m_service; }

    // Whether its modem recovers by itself (a modem of several): one that
    // stops answering or is pulled out then waits on its own, and the
    // batches it shares with the other modems go on through them, rather
    // than being paused for the user as the one modem of a program is.
    void setModemRecovers(bool on) { m_modemRecovers = on; }
    // Such a modem that took a PDU and said nothing may say nothing to the
    // next either: it is given nothing more until it is back (modemBack,
    // once the link has opened it again) or a minute has passed.
    static constexpr qint64 kSilentModemHoldMs = 60'000;
    void modemBack() { m_heldUntil = {}; }

signals:
    // A batch's counts or state changed (a message of it moved, or the user
    // paused it...): look at it again in the store.
    void batchChanged(qint64 batch);
    // The program paused a batch: the phone stopped answering (`reason`).
    void batchPaused(qint64 batch, velmora::msg::Reason reason);
    // A message the outbox moved itself (queued again, cancelled, expired);
    // the service's messageChanged tells of the rest.
    void messageChanged(qint64 id, velmora::msg::State state, velmora::msg::Reason reason, int code);

private:
    void onMessageChanged(qint64 id, msg::State state, msg::Reason reason, int code);
    Result<bool> setState(qint64 batch, msg::BatchState state);
    // Starts the first message of `batch` (null: of no batch) when it is
    // due, else notes when it will be in `earliest`; nullopt when none started.
    std::optional<OutboxStep> tryStart(const BatchRecord* batch, std::optional<QDateTime>& earliest,
                                       const QDateTime& now);

    MessageService& m_service;
    std::function<QDateTime()> m_now;
    qint64 m_current = 0; // the message this outbox started, while it is on its way
    qint64 m_currentBatch = 0;
    bool m_modemRecovers = false;
    QDateTime m_heldUntil; // a silent modem is given nothing before then
    qint64 m_modemIntervalMs = 0;
    int m_modemPerHour = 0;
};

// Drives an outbox with a timer, for a program with an event loop (the
// window): starts what is due, sleeps until the next is, and looks again
// when a message ends or poke() says something changed. `scale` is how much
// faster than real time the outbox's clock runs: a wait of `ms` by it takes
// ms / scale of real time.
class OutboxRunner : public QObject {
    Q_OBJECT
public:
    explicit OutboxRunner(Outbox& outbox, double scale = 1.0, QObject* parent = nullptr);
    void start();
    void stop();
    bool running() const { return m_running; }
    // Something changed (a batch queued or resumed, the phone connected).
    void poke();

signals:
    // After each step: what it was.
    void stepped(const velmora::OutboxStep& step);

private:
    void run();

    Outbox& m_outbox;
    double m_scale;
    QTimer m_timer;
    bool m_running = false;
};

} // namespace velmora

Q_DECLARE_METATYPE(velmora::OutboxStep)
