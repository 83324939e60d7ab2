// The outbox's side of the store: messages queued alone or in batches,
// the next one due, taking one for a modem in one statement, and what a
// batch's messages came to.

#include "MessageStoreImpl.h"

#include <limits>

namespace velmora {

namespace {

const char kBatchColumns[] =
    "b.id, b.name, b.key, b.created, b.state, b.pause_reason, b.interval_ms, b.per_hour,"
    " b.start_at, b.expire_at, b.retries";

BatchRecord BatchAt(const QSqlQuery& q) {
    BatchRecord b;
    b.id = q.value(0).toLongLong();
    b.name = q.value(1).toString();
    b.key = q.value(2).toString();
    b.created = Time(q.value(3));
    // A state this program does not know is taken for a pause: nothing
    // goes until the user says so.
    b.state = msg::BatchStateFromName(q.value(4).toString().toStdString()).value_or(msg::BatchState::Paused);
    b.pauseReason = msg::ReasonFromName(q.value(5).toString().toStdString()).value_or(msg::Reason::None);
    b.pacing.intervalMs = q.value(6).toLongLong();
    b.pacing.perHour = q.value(7).toInt();
    b.pacing.startAt = Time(q.value(8));
    b.pacing.expireAt = Time(q.value(9));
    b.pacing.retries = q.value(10).toInt();
    return b;
}

QString Name(msg::Reason reason) { return Text(QString::fromLatin1(msg::ReasonName(reason))); }
QString Name(msg::BatchState state) { return QString::fromLatin1(msg::BatchStateName(state)); }

} // namespace

Result<qint64> MessageStore::AddQueued(const MessageRecord& message) {
    try {
        Transaction t(d->db);
        MessageRecord r = message;
        r.state = msg::State::Queued;
        r.reason = msg::Reason::None;
        r.reasonCode.reset();
        r.batch = 0;
        r.tries = 0;
        r.modem.clear();
        r.replaces = 0;
        const qint64 id = d->InsertOutgoing(r, true);
        t.Commit();
        return Result<qint64>::Ok(id);
    } catch (const SqlFailed& f) {
        return Result<qint64>::Fail(d->Failure(f));
    }
}

void MessageStore::Impl::Count(BatchRecord& b) {
    // A cancelled message of an older store is a failed one cancelled (see RecordAt).
    QSqlQuery& q = Cached(QStringLiteral(
        "SELECT CASE WHEN state = 'failed' AND reason = 'cancelled' THEN 'cancelled' ELSE state END"
        " AS s, count(*) FROM messages WHERE batch_id = ? GROUP BY s"));
    Run(q, {b.id});
    b.total = b.queued = b.sending = b.sent = b.failed = b.uncertain = b.cancelled = 0;
    b.delivered = b.notDelivered = 0;
    while (q.next()) {
        const int n = q.value(1).toInt();
        b.total += n;
        switch (msg::StateFromName(q.value(0).toString().toStdString()).value_or(msg::State::Uncertain)) {
        case msg::State::Queued:
            b.queued += n;
            break;
        case msg::State::Sending:
            b.sending += n;
            break;
        case msg::State::Sent:
            b.sent += n;
            break;
        case msg::State::Delivered:
            b.sent += n;
            b.delivered += n;
            break;
        case msg::State::NotDelivered:
            b.sent += n;
            b.notDelivered += n;
            break;
        case msg::State::Failed:
            b.failed += n;
            break;
        case msg::State::Cancelled:
            b.cancelled += n;
            break;
        case msg::State::Uncertain:
        case msg::State::Received:
            b.uncertain += n;
            break;
        }
    }
    q.finish();
    b.lastStart = Time(Scalar(Cached(QStringLiteral("SELECT max(started) FROM messages"
                                                    " WHERE batch_id = ? AND started IS NOT NULL")),
                              {b.id}));
}

std::vector<qint64> MessageStore::Impl::Ids(QSqlQuery& q, std::initializer_list<QVariant> values) {
    Run(q, values);
    std::vector<qint64> ids;
    while (q.next())
        ids.push_back(q.value(0).toLongLong());
    q.finish();
    return ids;
}

Result<qint64> MessageStore::AddBatch(const BatchRecord& batch, const std::vector<MessageRecord>& messages,
                                      qint64* sameKey) {
    try {
        // IMMEDIATE: the write lock is taken before the key is looked for,
        // so the same batch queued by two programs at once is found by the
        // second.
        Transaction t(d->db);
        if (sameKey) {
            *sameKey = Scalar(d->Cached(QStringLiteral(
                                  "SELECT id FROM batches WHERE key = ? ORDER BY id DESC LIMIT 1")),
                              {Text(batch.key)}, 0)
                           .toLongLong();
            if (*sameKey)
                return Result<qint64>::Ok(0);
        }
        const QDateTime created = batch.created.isValid() ? batch.created : QDateTime::currentDateTimeUtc();
        QSqlQuery& add = d->Cached(
            QStringLiteral(
                "INSERT INTO batches(name, key, created, state, pause_reason, interval_ms, per_hour,"
                " start_at, expire_at, retries) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)") +
            d->dialect.ReturningId());
        const BatchPacing& p = batch.pacing;
        Run(add, {Text(batch.name), Text(batch.key), created.toMSecsSinceEpoch(), Name(batch.state),
                  Name(batch.pauseReason), p.intervalMs, p.perHour, Millis(p.startAt), Millis(p.expireAt),
                  p.retries});
        const qint64 id = d->InsertedId(add);
        Impl::IndexAtEnd index(*d);
        MessageRecord r;
        for (std::size_t i = 0; i < messages.size(); ++i) {
            r = messages[i];
            r.state = msg::State::Queued;
            r.reason = msg::Reason::None;
            r.reasonCode.reset();
            r.batch = id;
            r.position = static_cast<int>(i);
            r.tries = 0;
            r.notBefore = QDateTime();
            r.modem.clear();
            if (!r.created.isValid())
                r.created = created;
            d->InsertOutgoing(r, true);
        }
        index.Flush();
        t.Commit();
        return Result<qint64>::Ok(id);
    } catch (const SqlFailed& f) {
        return Result<qint64>::Fail(d->Failure(f));
    }
}

std::optional<BatchRecord> MessageStore::Batch(qint64 id) {
    try {
        QSqlQuery& q =
            d->Cached(QStringLiteral("SELECT %1 FROM batches b WHERE b.id = ?").arg(kBatchColumns));
        Run(q, {id});
        if (!q.next())
            return std::nullopt;
        BatchRecord b = BatchAt(q);
        q.finish();
        d->Count(b);
        return b;
    } catch (const SqlFailed& f) {
        d->Saw(f);
        return std::nullopt;
    }
}

std::vector<BatchRecord> MessageStore::Batches(bool unfinishedOnly) {
    std::vector<BatchRecord> out;
    try {
        const QString where =
            unfinishedOnly ? QStringLiteral(" WHERE EXISTS (SELECT 1 FROM messages m WHERE m.batch_id = b.id"
                                            " AND m.state IN ('queued', 'sending'))")
                           : QString();
        QSqlQuery& q = d->Cached(
            QStringLiteral("SELECT %1 FROM batches b%2 ORDER BY b.id DESC").arg(kBatchColumns, where));
        Run(q);
        while (q.next())
            out.push_back(BatchAt(q));
        q.finish();
        for (BatchRecord& b : out)
            d->Count(b);
    } catch (const SqlFailed& f) {
        d->Saw(f);
        out.clear();
    }
    return out;
}

qint64 MessageStore::BatchByKey(const QString& key) {
    try {
        return Scalar(
                   d->Cached(QStringLiteral("SELECT id FROM batches WHERE key = ? ORDER BY id DESC LIMIT 1")),
                   {Text(key)}, 0)
            .toLongLong();
    } catch (const SqlFailed& f) {
        d->Saw(f);
        return 0;
    }
}

Result<bool> MessageStore::SetBatchState(qint64 id, msg::BatchState state, msg::Reason reason) {
    // Going on again forgets why it stopped.
    const msg::Reason kept = state == msg::BatchState::Active ? msg::Reason::None : reason;
    return d->Update(QStringLiteral("UPDATE batches SET state = ?, pause_reason = ? WHERE id = ?"),
                     {Name(state), Name(kept), id});
}

std::optional<MessageRecord> MessageStore::NextQueued(qint64 batch, const std::optional<QString>& forModem) {
    try {
        // NULL sorts first: a message without a pause of its own is due now.
        const QString which = batch != 0 ? QStringLiteral("m.batch_id = ?")
                                         : QStringLiteral("m.batch_id IS NULL AND m.want_modem IS NOT NULL");
        const QString modem =
            forModem ? QStringLiteral(" AND coalesce(m.want_modem, '') IN ('', ?)") : QString();
        const QString order = batch != 0 ? QStringLiteral("m.position") : QStringLiteral("m.id");
        QSqlQuery& q = d->Cached(QStringLiteral("SELECT %1 FROM messages m WHERE %2 AND m.state = 'queued'%3"
                                                " ORDER BY m.not_before%5, %4 LIMIT 1")
                                     .arg(kMessageColumns, which, modem, order, d->dialect.NullsFirst()));
        int at = 0;
        if (batch != 0)
            q.bindValue(at++, batch);
        if (forModem)
            q.bindValue(at++, Text(*forModem));
        Run(q);
        if (!q.next())
            return std::nullopt;
        std::vector<MessageRecord> one{RecordAt(q)};
        q.finish();
        d->LoadParts(one);
        return std::move(one.front());
    } catch (const SqlFailed& f) {
        d->Saw(f);
        return std::nullopt;
    }
}

std::vector<MessageRecord> MessageStore::QueuedAlone() {
    std::vector<MessageRecord> out;
    try {
        QSqlQuery& q = d->Cached(
            QStringLiteral("SELECT %1 FROM messages m WHERE m.batch_id IS NULL AND m.state = 'queued'"
                           " AND m.want_modem IS NOT NULL ORDER BY m.not_before%2, m.id")
                .arg(kMessageColumns, d->dialect.NullsFirst()));
        Run(q);
        while (q.next())
            out.push_back(RecordAt(q));
        q.finish();
        d->LoadParts(out);
    } catch (const SqlFailed& f) {
        d->Saw(f);
        out.clear();
    }
    return out;
}

std::vector<QDateTime> MessageStore::StartsSince(qint64 batch, const QDateTime& since) {
    std::vector<QDateTime> out;
    try {
        QSqlQuery& q = d->Cached(QStringLiteral(
            "SELECT started FROM messages WHERE batch_id = ? AND started >= ? ORDER BY started"));
        Run(q, {batch, since.isValid() ? since.toMSecsSinceEpoch() : std::numeric_limits<qint64>::min()});
        while (q.next())
            out.push_back(Time(q.value(0)));
        q.finish();
    } catch (const SqlFailed& f) {
        d->Saw(f);
        out.clear();
    }
    return out;
}

std::vector<QDateTime> MessageStore::ModemStartsSince(const QString& modem, const QDateTime& since) {
    std::vector<QDateTime> out;
    try {
        QSqlQuery& q = d->Cached(
            QStringLiteral("SELECT started FROM messages WHERE modem = ? AND started >= ? ORDER BY started"));
        Run(q,
            {Text(modem), since.isValid() ? since.toMSecsSinceEpoch() : std::numeric_limits<qint64>::min()});
        while (q.next())
            out.push_back(Time(q.value(0)));
        q.finish();
    } catch (const SqlFailed& f) {
        d->Saw(f);
        out.clear();
    }
    return out;
}

Result<bool> MessageStore::Claim(qint64 id, const QDateTime& now, const ModemId& modem) {
    // One statement: of two programs or modems claiming the same message,
    // the second finds it no longer queued. The SIM and port are the ones
    // it goes through, for its reports to find it; a caller that names
    // neither leaves those it was recorded with.
    const bool where = !modem.imsi.isEmpty() || !modem.device.isEmpty();
    return d->DurableUpdate(
        QStringLiteral("UPDATE messages SET state = 'sending', reason = '', reason_code = NULL,"
                       " owner = ?, tries = tries + 1, started = ?, modem = ?,"
                       " modem_imsi = CASE WHEN ? THEN ? ELSE modem_imsi END,"
                       " modem_device = CASE WHEN ? THEN ? ELSE modem_device END"
                       " WHERE id = ? AND state = 'queued' AND coalesce(want_modem, '') IN ('', ?)"),
        {d->owner(), now.toMSecsSinceEpoch(), Text(modem.name), where, Text(modem.imsi), where,
         Text(modem.device), id, Text(modem.name)});
}

Result<bool> MessageStore::Requeue(qint64 id, const QDateTime& notBefore, msg::Reason reason,
                                   std::optional<int> code, bool refundTry) {
    const QString requeue =
        QStringLiteral("UPDATE messages SET state = 'queued', not_before = ?, reason = ?,"
                       " reason_code = ?, tries = CASE WHEN ? THEN %1 ELSE tries END,"
                       " owner = NULL WHERE id = ? AND state IN ('failed', 'uncertain', 'cancelled')"
                       " AND %2 IS NULL")
            .arg(d->dialect.Greatest(QStringLiteral("tries - 1"), QStringLiteral("0")),
                 d->dialect.JsonField(QStringLiteral("request"), QStringLiteral("replacedBy")));
    return d->Update(requeue, {Millis(notBefore), Name(reason), Optional(code), refundTry, id});
}

Result<std::vector<qint64>> MessageStore::ExpireQueued(const QDateTime& now) {
    using R = Result<std::vector<qint64>>;
    try {
        // A cancelled batch has nothing queued of its own; one requeued by
        // hand since waits for the user, not the clock.
        const QString late = QStringLiteral(
            "m.state = 'queued' AND m.batch_id IN (SELECT id FROM batches WHERE state IN ('active', 'paused')"
            " AND expire_at IS NOT NULL AND expire_at < ?)");
        // A message's own expiry (one the API queued), apart: each finds
        // its few rows through an index of its own.
        const QString ownLate =
            QStringLiteral("m.state = 'queued' AND m.expire_at IS NOT NULL AND m.expire_at < ?");
        const qint64 at = now.toMSecsSinceEpoch();
        const auto lateIds = [&] {
            std::vector<qint64> ids =
                d->Ids(d->Cached(QStringLiteral(
                                     "SELECT m.id FROM messages m WHERE %1 ORDER BY m.batch_id, m.position")
                                     .arg(late)),
                       {at});
            const std::vector<qint64> own = d->Ids(
                d->Cached(QStringLiteral("SELECT m.id FROM messages m WHERE %1 AND NOT (%2) ORDER BY m.id")
                              .arg(ownLate, late)),
                {at, at});
            ids.insert(ids.end(), own.begin(), own.end());
            return ids;
        };
        // Asked every second: with nothing late, no write lock is taken, so
        // another program writing the store never holds this one up.
        if (lateIds().empty())
            return R::Ok({});
        Transaction t(d->db);
        // Those it changed, as the change found them (another box's claim
        // may take one meanwhile): a batch's first, in their order.
        std::vector<qint64> ids;
        for (const QString& which : {late, ownLate}) {
            std::vector<qint64> changed = d->Ids(
                d->Cached(QStringLiteral("UPDATE messages AS m SET state = 'failed', reason = 'expired',"
                                         " reason_code = NULL WHERE %1 RETURNING id")
                              .arg(which)),
                {at});
            std::sort(changed.begin(), changed.end());
            ids.insert(ids.end(), changed.begin(), changed.end());
        }
        t.Commit();
        return R::Ok(ids);
    } catch (const SqlFailed& f) {
        return R::Fail(d->Failure(f));
    }
}

Result<bool> MessageStore::DropUncertain(qint64 id) {
    return d->Update(QStringLiteral("UPDATE messages SET reason = 'cancelled', reason_code = NULL"
                                    " WHERE id = ? AND state = 'uncertain' AND reason <> 'cancelled'"),
                     {id});
}

Result<bool> MessageStore::CancelQueued(qint64 id) {
    return d->Update(
        QStringLiteral("UPDATE messages SET state = 'cancelled', reason = 'cancelled', reason_code = NULL"
                       " WHERE id = ? AND state = 'queued'"),
        {id});
}

Result<std::vector<qint64>> MessageStore::CancelBatch(qint64 id) {
    using R = Result<std::vector<qint64>>;
    try {
        Transaction t(d->db);
        // What it changed, in one statement: on a server another box's
        // claim may take a message between a look and the change.
        std::vector<qint64> ids =
            d->Ids(d->Cached(QStringLiteral("UPDATE messages SET state = 'cancelled', reason = 'cancelled',"
                                            " reason_code = NULL WHERE batch_id = ? AND state = 'queued'"
                                            " RETURNING id")),
                   {id});
        std::sort(ids.begin(), ids.end());
        Run(d->Cached(QStringLiteral("UPDATE batches SET state = 'cancelled' WHERE id = ?")), {id});
        t.Commit();
        return R::Ok(ids);
    } catch (const SqlFailed& f) {
        return R::Fail(d->Failure(f));
    }
}

} // namespace velmora
