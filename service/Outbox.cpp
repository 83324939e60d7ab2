#include "Outbox.h"

#include "QtText.h"
#include "Said.h"
#include "Terms.h"

#include <QCryptographicHash>
#include <QJsonDocument>

#include <algorithm>

namespace velmora {

namespace {

// The phone turned the message down itself: another try may go through
// (the network was busy, the SIM not ready). Not so for a message the
// program could not hand over, or one that may have gone.
bool Refused(msg::Reason reason) {
    switch (reason) {
    case msg::Reason::CmsError:
    case msg::Reason::CmeError:
    case msg::Reason::Error:
    case msg::Reason::NoPduMode:
    case msg::Reason::NoPrompt:
        return true;
    default:
        return false;
    }
}

// The end of a send, as far as the outbox is concerned (a report may still
// move a sent message on).
bool SendEnded(msg::State state) {
    return state == msg::State::Sent || state == msg::State::Failed || state == msg::State::Uncertain;
}

// The store could not take it: why in parts, and as its sentence.
QueueRefusal StoreRefused(const StoreProblem& problem, std::vector<RecipientProblem> problems = {}) {
    return {QueueRefusal::Store, problem.text(), 0, std::move(problems), problem};
}

StoreProblem NoStore(const QString& why) { return {StoreProblem::Reason::Unopened, {}, why}; }

} // namespace

QString Outbox::DefaultName(const MessageRequest& first, std::size_t recipients) {
    QString what = first.kind == MessageKind::Text || first.kind == MessageKind::Ems
                       ? FromUtf16(first.text).simplified()
                       : QString::fromLatin1(MessageKindName(first.kind));
    if (what.size() > 40)
        what = what.left(39) + QChar(0x2026);
    // The text as it is, {name}s and %1s alike: one arg() for both.
    return QCoreApplication::translate("Outbox", "%1 to %2").arg(what, QString::number(recipients));
}

Outbox::Outbox(MessageService& service, std::function<QDateTime()> now, QObject* parent)
    : QObject(parent), m_service(service),
      m_now(now ? std::move(now) : [] { return QDateTime::currentDateTimeUtc(); }) {
    qRegisterMetaType<OutboxStep>();
    connect(&m_service, &MessageService::messageChanged, this, &Outbox::onMessageChanged);
}

QString Outbox::BatchKey(const BatchRequest& request) {
    // Each recipient's message as the store keeps it, less what differs
    // from one queuing to the next (the parts' reference); sorted, so the
    // same list in another order is the same batch.
    QStringList items;
    for (const BatchRecipient& r : request.recipients) {
        MessageRequest same = r.request;
        same.concatReference = 0;
        const auto number = CheckDestination(same.destination, same.countryCode);
        same.destination = number ? number.value() : same.destination;
        items << QString::fromUtf8(QJsonDocument(RequestToJson(same)).toJson(QJsonDocument::Compact));
    }
    items.sort();
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString& item : items) {
        hash.addData(item.toUtf8());
        hash.addData(QByteArrayView("\n"));
    }
    // The same reminder for another day is another batch. A batch to go at
    // once keeps the key it always had.
    if (request.pacing.startAt.isValid())
        hash.addData(("at " + request.pacing.startAt.toUTC().toString(Qt::ISODate)).toUtf8());
    return QString::fromLatin1(hash.result().toHex());
}

Result<QueuedBatch, QueueRefusal> Outbox::queue(const BatchRequest& request) {
    auto queued = Record(m_service.store(), request, m_service.modem(), m_now(), m_service.noStoreReason());
    if (queued)
        emit batchChanged(queued->batch);
    return queued;
}

void Outbox::recorded(qint64 batch) { emit batchChanged(batch); }

Result<qint64, QueueRefusal> Outbox::queueOne(const MessageRequest& request, const QString& wantModem,
                                              const QDateTime& at) {
    auto queued = RecordOne(m_service.store(), request, wantModem, at, m_now(), m_service.noStoreReason());
    if (queued)
        emit messageChanged(queued.value(), msg::State::Queued, msg::Reason::None, -1);
    return queued;
}

Result<qint64, QueueRefusal> Outbox::RecordOne(MessageStore* store, const MessageRequest& request,
                                               const QString& wantModem, const QDateTime& at,
                                               const QDateTime& now, const QString& noStore) {
    using R = Result<qint64, QueueRefusal>;
    const auto built = BuildMessage(request);
    if (!built)
        return R::Fail({QueueRefusal::Empty,
                        Q(built.error().text),
                        0,
                        {{0, Q(request.destination), Q(built.error().text)}},
                        {}});
    if (!store)
        return R::Fail(StoreRefused(NoStore(noStore)));
    if (const QString why = store->CheckWritable(); !why.isEmpty())
        return R::Fail(StoreRefused(store->ProblemFor(why)));
    // Taken by no modem yet: the one that claims it is written then.
    MessageRecord record = OutgoingRecord(request, *built, ModemId{});
    record.created = now;
    record.notBefore = at;
    record.wantModem = wantModem;
    const auto added = store->AddQueued(record);
    if (!added)
        return R::Fail(StoreRefused(store->ProblemFor(added.error())));
    return R::Ok(added.value());
}

Result<QueuedBatch, QueueRefusal> Outbox::Record(MessageStore* store, const BatchRequest& request,
                                                 const ModemId& modem, const QDateTime& now,
                                                 const QString& noStore) {
    using R = Result<QueuedBatch, QueueRefusal>;
    QueuedBatch queued;
    std::vector<MessageRecord> records;
    records.reserve(request.recipients.size());
    for (std::size_t i = 0; i < request.recipients.size(); ++i) {
        const BatchRecipient& r = request.recipients[i];
        const auto built = BuildMessage(r.request);
        if (!built) {
            queued.problems.push_back({static_cast<int>(i), Q(r.request.destination), Q(built.error().text)});
            continue;
        }
        MessageRecord record = OutgoingRecord(r.request, *built, modem);
        record.name = r.name;
        record.wantModem = request.wantModem;
        record.position = static_cast<int>(records.size());
        records.push_back(std::move(record));
    }
    if (records.empty()) {
        QueueRefusal refusal{QueueRefusal::Empty,
                             QCoreApplication::translate("Outbox", "no recipient could be queued"),
                             0,
                             queued.problems,
                             {}};
        return R::Fail(refusal);
    }
    if (!store)
        return R::Fail(StoreRefused(NoStore(noStore), queued.problems));
    BatchRecord batch;
    batch.key = BatchKey(request);
    if (const QString why = store->CheckWritable(); !why.isEmpty())
        return R::Fail(StoreRefused(store->ProblemFor(why), queued.problems));
    batch.name = request.name.isEmpty()
                     ? DefaultName(request.recipients.front().request, request.recipients.size())
                     : request.name;
    batch.created = now;
    batch.state = msg::BatchState::Active;
    batch.pacing = request.pacing;
    qint64 earlier = 0;
    const auto added = store->AddBatch(batch, records, request.again ? nullptr : &earlier);
    if (!added)
        return R::Fail(StoreRefused(store->ProblemFor(added.error()), queued.problems));
    if (earlier)
        return R::Fail({QueueRefusal::Duplicate,
                        QCoreApplication::translate(
                            "Outbox", "the same message to the same recipients was queued as batch %1")
                            .arg(earlier),
                        earlier,
                        queued.problems,
                        {}});
    queued.batch = added.value();
    queued.queued = static_cast<int>(records.size());
    return R::Ok(queued);
}

void Outbox::setModemPacing(qint64 intervalMs, int perHour) {
    m_modemIntervalMs = std::max<qint64>(intervalMs, 0);
    m_modemPerHour = std::max(perHour, 0);
}

std::optional<OutboxStep> Outbox::tryStart(const BatchRecord* batch, std::optional<QDateTime>& earliest,
                                           const QDateTime& now) {
    MessageStore* store = m_service.store();
    const qint64 batchId = batch ? batch->id : 0;
    const ModemPace pace{m_modemIntervalMs, m_modemPerHour};
    const auto wait = [&](const QDateTime& at) {
        if (at.isValid() && (!earliest || at < *earliest))
            earliest = at;
    };
    // The store's claim decides which goes, and whether the paces of the
    // batch and the modem allow it now: another program on the store may
    // have taken the first, or started one of the batch a moment ago. A
    // message that cannot go is passed over for the one after it.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (!m_service.phoneReady()) {
            // Only asked: one due now waits for the phone.
            const auto due = store->ClaimNext(batchId, m_service.modem(), now, pace, false);
            if (due && due->wait.isValid() && due->wait <= now)
                return OutboxStep{OutboxStep::NoPhone, 0, now};
            if (due)
                wait(due->wait);
            break;
        }
        // Known before the send starts: a session that answers at once
        // ends the message inside sendNext.
        m_currentBatch = batchId;
        const auto sent = m_service.sendNext(batchId, now, pace, [this](qint64 id) { m_current = id; });
        if (!sent) {
            m_current = 0;
            if (sent.error().kind == SendRefusal::Store) {
                emit m_service.storeProblem(sent.error().store);
                return OutboxStep{OutboxStep::Idle, 0, {}};
            }
            continue;
        }
        if (!sent->job) {
            wait(sent->wait);
            break;
        }
        m_service.release(sent->job);
        if (batch)
            emit batchChanged(batch->id);
        return OutboxStep{OutboxStep::Started, sent->id, now};
    }
    return std::nullopt;
}

int Outbox::expire() {
    MessageStore* store = m_service.store();
    if (!store)
        return 0;
    const auto expired = store->ExpireQueued(m_now());
    if (!expired)
        return 0;
    for (const qint64 id : expired.value()) {
        emit messageChanged(id, msg::State::Failed, msg::Reason::Expired, -1);
        if (const auto m = store->Message(id))
            emit batchChanged(m->batch);
    }
    return static_cast<int>(expired.value().size());
}

OutboxStep Outbox::next(std::optional<qint64> only) {
    MessageStore* store = m_service.store();
    if (!store)
        return {OutboxStep::Idle, 0, {}};
    if (m_service.busy())
        return {OutboxStep::Busy, 0, {}};
    const QDateTime now = m_now();
    if (m_heldUntil.isValid() && now < m_heldUntil)
        return {OutboxStep::Wait, 0, m_heldUntil};
    expire();
    std::optional<QDateTime> earliest;
    // A message of its own first: one a batch of thousands would otherwise
    // hold back for hours.
    if (!only)
        if (const auto step = tryStart(nullptr, earliest, now))
            return *step;
    // Oldest batch first: what was queued first goes first.
    std::vector<BatchRecord> batches = store->Batches(true);
    std::reverse(batches.begin(), batches.end());
    for (const BatchRecord& batch : batches) {
        if ((only && batch.id != *only) || batch.state != msg::BatchState::Active)
            continue;
        if (const auto step = tryStart(&batch, earliest, now))
            return *step;
    }
    if (earliest)
        return {OutboxStep::Wait, 0, *earliest};
    return {OutboxStep::Idle, 0, {}};
}

void Outbox::onMessageChanged(qint64 id, msg::State state, msg::Reason reason, int code) {
    if (id == 0 || id != m_current)
        return;
    const qint64 batchId = m_currentBatch;
    // A message of no batch (0) has no batch to tell of.
    const auto changed = [&] {
        if (batchId != 0)
            emit batchChanged(batchId);
    };
    if (!SendEnded(state)) {
        changed();
        return;
    }
    m_current = 0;
    MessageStore* store = m_service.store();
    const auto message = store ? store->Message(id) : std::nullopt;
    const auto batch = store && batchId != 0 ? store->Batch(batchId) : std::nullopt;
    if (!message || (batchId != 0 && !batch)) {
        changed();
        return;
    }
    // One of no batch is tried again as often as a batch is by default.
    const int retries = batch ? batch->pacing.retries : BatchPacing{}.retries;
    const std::optional<int> why = code >= 0 ? std::optional<int>(code) : std::nullopt;
    const auto pauseFor = [&](msg::Reason r) {
        if (m_modemRecovers) {
            if (r == msg::Reason::NoAnswer)
                m_heldUntil = m_now().addMSecs(kSilentModemHoldMs);
            return;
        }
        if (batchId != 0 && store->SetBatchState(batchId, msg::BatchState::Paused, r))
            emit batchPaused(batchId, r);
    };
    const auto requeue = [&](const QDateTime& notBefore, bool refund) {
        if (const auto done = store->Requeue(id, notBefore, reason, why, refund); done && done.value())
            emit messageChanged(id, msg::State::Queued, reason, code);
    };
    // A part that reached the phone means the recipient may have some of
    // it: sending it all again would give them that part twice.
    const SendJob* job = m_service.job(id);
    const bool partOut =
        job && std::any_of(job->parts().begin(), job->parts().end(), [](const PartOutcome& p) {
            return p.outcome == SubmitOutcome::Sent || p.outcome == SubmitOutcome::Unknown;
        });
    if (state == msg::State::Failed && !partOut) {
        if (Refused(reason)) {
            if (message->tries <= retries) {
                const qint64 pause = kFirstRetryMs << std::min(message->tries - 1, 20);
                requeue(m_now().addMSecs(pause), false);
            }
        } else if (reason == msg::Reason::LinkLost || reason == msg::Reason::NotConnected) {
            // Never reached the phone: it goes when the phone is back, and
            // the batch waits for the user rather than failing every
            // message after this one.
            requeue({}, true);
            pauseFor(msg::Reason::LinkLost);
        } else if (reason == msg::Reason::Stopped) {
            // The program is ending: the next start sends it.
            requeue({}, true);
        }
    } else if (state == msg::State::Uncertain && reason == msg::Reason::NoAnswer) {
        // A phone that took a PDU and said nothing may say nothing to the
        // next either.
        pauseFor(msg::Reason::NoAnswer);
    }
    changed();
}

Result<bool> Outbox::setState(qint64 batch, msg::BatchState state) {
    MessageStore* store = m_service.store();
    if (!store)
        return Result<bool>::Fail(m_service.noStoreReason().toStdString());
    // The user's word: a pause the program made is cleared with it.
    auto done = store->SetBatchState(batch, state, msg::Reason::None);
    emit batchChanged(batch);
    return done;
}

Result<bool> Outbox::pause(qint64 batch) { return setState(batch, msg::BatchState::Paused); }

Result<bool> Outbox::resume(qint64 batch) { return setState(batch, msg::BatchState::Active); }

Result<bool> Outbox::cancel(qint64 batch) {
    MessageStore* store = m_service.store();
    if (!store)
        return Result<bool>::Fail(m_service.noStoreReason().toStdString());
    const auto cancelled = store->CancelBatch(batch);
    if (!cancelled)
        return Result<bool>::Fail(cancelled.error());
    for (const qint64 id : cancelled.value())
        emit messageChanged(id, msg::State::Cancelled, msg::Reason::Cancelled, -1);
    emit batchChanged(batch);
    return Result<bool>::Ok(true);
}

Result<bool> Outbox::cancelMessage(qint64 id) {
    MessageStore* store = m_service.store();
    if (!store)
        return Result<bool>::Fail(m_service.noStoreReason().toStdString());
    // One that may have gone is dropped: it stays uncertain, and is not
    // the user's to decide on any more.
    if (const auto m = store->Message(id);
        m && m->state == msg::State::Uncertain && m->reason != msg::Reason::Cancelled) {
        const auto set = store->DropUncertain(id);
        if (set && set.value()) {
            emit messageChanged(id, msg::State::Uncertain, msg::Reason::Cancelled, -1);
            emit batchChanged(m->batch);
        }
        return set;
    }
    const auto done = store->CancelQueued(id);
    if (done && done.value()) {
        emit messageChanged(id, msg::State::Cancelled, msg::Reason::Cancelled, -1);
        if (const auto m = store->Message(id))
            emit batchChanged(m->batch);
    }
    return done;
}

Result<bool> Outbox::retryMessage(qint64 id) {
    MessageStore* store = m_service.store();
    if (!store)
        return Result<bool>::Fail(m_service.noStoreReason().toStdString());
    const auto message = store->Message(id);
    if (!message || message->batch == 0)
        return Result<bool>::Fail(
            Fill(translate("Outbox", "message %1 is not one of a batch"), {std::to_string(id)}));
    if (message->state != msg::State::Failed && message->state != msg::State::Uncertain &&
        message->state != msg::State::Cancelled)
        return Result<bool>::Fail(
            Fill(translate("Outbox", "message %1 is %2, not failed, uncertain or cancelled"),
                 {std::to_string(id), terms::StateWord(message->state).toStdString()}));
    // Sent again as a message of its own: queued too, it would go twice.
    if (const qint64 again = store->ReplacedBy(id))
        return Result<bool>::Fail(
            Fill(translate("Outbox", "message %1 was sent again already, as message %2"),
                 {std::to_string(id), std::to_string(again)}));
    // The user decided: it goes when its turn comes, whatever tries it had.
    const auto done = store->Requeue(id, {}, msg::Reason::None, std::nullopt, false);
    if (!done || !done.value())
        return done;
    // Sending it again is going on with its batch, unless the user paused
    // that themselves: cancelled, or paused because the phone stopped
    // answering, it goes on (the user is telling us the phone is back).
    if (const auto batch = store->Batch(message->batch);
        batch && (batch->state == msg::BatchState::Cancelled ||
                  (batch->state == msg::BatchState::Paused && batch->pauseReason != msg::Reason::None)))
        store->SetBatchState(message->batch, msg::BatchState::Active);
    emit messageChanged(id, msg::State::Queued, msg::Reason::None, -1);
    emit batchChanged(message->batch);
    return done;
}

// ---- the runner

OutboxRunner::OutboxRunner(Outbox& outbox, double scale, QObject* parent)
    : QObject(parent), m_outbox(outbox), m_scale(scale > 0 ? scale : 1.0) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &OutboxRunner::run);
    // After the outbox has judged the end (it is connected first).
    connect(&m_outbox.service(), &MessageService::messageChanged, this,
            [this](qint64, msg::State state, msg::Reason, int) {
                if (SendEnded(state))
                    poke();
            });
    connect(&m_outbox, &Outbox::batchChanged, this, [this] {
        if (!m_outbox.service().busy())
            poke();
    });
    // A message of no batch queued, or queued again.
    connect(&m_outbox, &Outbox::messageChanged, this, [this](qint64, msg::State state, msg::Reason, int) {
        if (state == msg::State::Queued && !m_outbox.service().busy())
            poke();
    });
}

void OutboxRunner::start() {
    m_running = true;
    poke();
}

void OutboxRunner::stop() {
    m_running = false;
    m_timer.stop();
}

void OutboxRunner::poke() {
    if (m_running)
        m_timer.start(0);
}

void OutboxRunner::run() {
    if (!m_running)
        return;
    const OutboxStep step = m_outbox.next();
    emit stepped(step);
    if (step.kind == OutboxStep::Wait) {
        const qint64 wait = std::clamp<qint64>(m_outbox.now().msecsTo(step.at), 0, 3'600'000);
        m_timer.start(static_cast<int>(static_cast<double>(wait) / m_scale));
    }
}

} // namespace velmora
