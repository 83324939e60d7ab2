// Several programs, on several boxes, on one store: the claim that takes
// the next message for one modem of one program (its pace decided inside
// it), the programs' heartbeats, and the leases that name a message's fate
// unknown once the program sending it is gone.

#include "MessageStoreImpl.h"

#include <QScopeGuard>

namespace velmora {

namespace {

constexpr qint64 kHourMs = 3'600'000;

} // namespace

void MessageStore::SetLeaseSeconds(int seconds) { d->leaseMs = std::max(1, seconds) * qint64(1000); }

int MessageStore::leaseSeconds() const { return static_cast<int>(d->leaseMs / 1000); }

QString MessageStore::InstanceId() const { return d->owner(); }

Result<ClaimOutcome> MessageStore::ClaimNext(qint64 batch, const ModemId& modem, const QDateTime& now,
                                             const ModemPace& pace, bool take) {
    using R = Result<ClaimOutcome>;
    const qint64 at = now.toMSecsSinceEpoch();
    const QString which = batch != 0 ? QStringLiteral("m.batch_id = ?")
                                     : QStringLiteral("m.batch_id IS NULL AND m.want_modem IS NOT NULL");
    const QString forModem =
        QStringLiteral(" AND m.state = 'queued' AND coalesce(m.want_modem, '') IN ('', ?)");
    // When the first queued message it may take falls due, by its own time
    // and the paces of its batch and of the modem; nothing when none is
    // queued for it or its batch is not active. Inside the claim's
    // transaction the batch's row is locked: of two programs claiming from
    // one batch, the second reads the start the first just made.
    const auto dueAt = [&]() -> std::optional<qint64> {
        qint64 due = at;
        const auto notBefore = [&due](qint64 t) { due = std::max(due, t); };
        // The hour is full when `cap` started in it: the next may go an
        // hour after the start that leaves it first.
        const auto hourCap = [&](std::vector<qint64> starts, int cap) {
            starts.erase(
                std::remove_if(starts.begin(), starts.end(), [&](qint64 s) { return s < at - kHourMs; }),
                starts.end());
            const auto n = static_cast<std::size_t>(cap);
            if (cap > 0 && starts.size() >= n)
                notBefore(starts[starts.size() - n] + kHourMs);
        };
        if (batch != 0) {
            QSqlQuery& b = d->Cached(
                QStringLiteral("SELECT state, interval_ms, per_hour, start_at FROM batches WHERE id = ?") +
                d->dialect.ForUpdate());
            Run(b, {batch});
            const bool found = b.next();
            const QString state = found ? b.value(0).toString() : QString();
            const qint64 interval = found ? b.value(1).toLongLong() : 0;
            const int perHour = found ? b.value(2).toInt() : 0;
            const QVariant startAt = found ? b.value(3) : QVariant();
            b.finish();
            if (state != QLatin1String("active"))
                return std::nullopt;
            if (!startAt.isNull())
                notBefore(startAt.toLongLong());
            if (interval > 0) {
                const QVariant last = Scalar(
                    d->Cached(QStringLiteral(
                        "SELECT max(started) FROM messages WHERE batch_id = ? AND started IS NOT NULL")),
                    {batch});
                if (!last.isNull())
                    notBefore(last.toLongLong() + interval);
            }
            if (perHour > 0)
                hourCap(d->Ids(d->Cached(QStringLiteral("SELECT started FROM messages WHERE batch_id = ?"
                                                        " AND started >= ? ORDER BY started")),
                               {batch, at - kHourMs}),
                        perHour);
        }
        if (pace.intervalMs > 0 || pace.perHour > 0) {
            const qint64 back = std::max<qint64>(pace.intervalMs, pace.perHour > 0 ? kHourMs : 0);
            // Its starts by its name and, where known, its SIM: two boxes'
            // modems of one name are two modems.
            const std::vector<qint64> starts =
                d->Ids(d->Cached(QStringLiteral(
                           "SELECT started FROM messages WHERE modem = ?"
                           " AND (? = '' OR modem_imsi = ?) AND started >= ? ORDER BY started")),
                       {Text(modem.name), Text(modem.imsi), Text(modem.imsi), at - back});
            if (pace.intervalMs > 0 && !starts.empty())
                notBefore(starts.back() + pace.intervalMs);
            hourCap(starts, pace.perHour);
        }
        // The first queued one's own time (none: due when its turn comes).
        QSqlQuery& first = d->Cached(
            QStringLiteral("SELECT count(*), min(coalesce(m.not_before, 0)) FROM messages m WHERE %1%2")
                .arg(which, forModem));
        int i = 0;
        if (batch != 0)
            first.bindValue(i++, batch);
        first.bindValue(i++, Text(modem.name));
        Run(first);
        const bool queued = first.next() && first.value(0).toLongLong() > 0;
        if (queued)
            notBefore(first.value(1).toLongLong());
        first.finish();
        return queued ? std::optional(due) : std::nullopt;
    };
    try {
        // Looked at first without a lock: an outbox asks twice a second,
        // and with nothing due no other program's writes wait for it.
        const auto due = dueAt();
        if (!due)
            return R::Ok({});
        if (*due > at || !take)
            return R::Ok({0, Time(*due)});
    } catch (const SqlFailed& f) {
        return R::Fail(d->ReadFailure(f));
    }
    // A claim's commit waits for the disk on SQLite (see DurableUpdate).
    d->Setting(d->dialect.Synchronous(true));
    const auto restore = qScopeGuard([this] { d->Setting(d->dialect.Synchronous(false)); });
    try {
        // Only the rows it reads are locked: claims of other programs for
        // other batches, and for other messages of this one, go on beside it.
        Transaction t(d->db, Transaction::Rows);
        // Again, now that the batch is locked.
        const auto due = dueAt();
        if (!due)
            return R::Ok({});
        if (*due > at)
            return R::Ok({0, Time(*due)});
        const QString order = batch != 0 ? QStringLiteral("m.position") : QStringLiteral("m.id");
        // The SIM and port are the ones it goes through, for its reports to
        // find it; a caller that names neither leaves those it had.
        const bool where = !modem.imsi.isEmpty() || !modem.device.isEmpty();
        QSqlQuery& claim = d->Cached(
            QStringLiteral("UPDATE messages SET state = 'sending', reason = '', reason_code = NULL,"
                           " owner = ?, tries = tries + 1, started = ?, modem = ?,"
                           " modem_imsi = CASE WHEN ? THEN ? ELSE modem_imsi END,"
                           " modem_device = CASE WHEN ? THEN ? ELSE modem_device END, lease_until = %6 + ?"
                           " WHERE state = 'queued' AND id = (SELECT m.id FROM messages m WHERE %1%2"
                           " AND (m.not_before IS NULL OR m.not_before <= ?)"
                           " ORDER BY m.not_before%3, %4 LIMIT 1%5) RETURNING id")
                .arg(which, forModem, d->dialect.NullsFirst(), order, d->dialect.SkipLocked(),
                     d->dialect.NowMillis()));
        int i = 0;
        for (const QVariant& v : {QVariant(d->owner()), QVariant(at), QVariant(Text(modem.name)),
                                  QVariant(where), QVariant(Text(modem.imsi)), QVariant(where),
                                  QVariant(Text(modem.device)), QVariant(d->leaseMs)})
            claim.bindValue(i++, v);
        if (batch != 0)
            claim.bindValue(i++, batch);
        claim.bindValue(i++, Text(modem.name));
        claim.bindValue(i++, at);
        Run(claim);
        const qint64 id = claim.next() ? claim.value(0).toLongLong() : 0;
        claim.finish();
        // None: the due ones are other programs' claims under way.
        if (id == 0)
            return R::Ok({});
        t.Commit();
        return R::Ok({id, {}});
    } catch (const SqlFailed& f) {
        return R::Fail(d->Failure(f));
    }
}

// Leases are kept by the server's clock, whatever each box's says: a box
// whose clock runs ahead would otherwise take a live program for gone.
Result<bool> MessageStore::Beat(const QStringList& modems) {
    if (!d->dialect.pg)
        return Result<bool>::Ok(false);
    static const qint64 started = QDateTime::currentMSecsSinceEpoch();
    try {
        Transaction t(d->db);
        const QString now = d->dialect.NowMillis();
        Run(d->Cached(QStringLiteral(
                          "INSERT INTO instances(id, host, started, beat, modems) VALUES(?, ?, ?, %1, ?)"
                          " ON CONFLICT(id) DO UPDATE SET beat = excluded.beat, modems = excluded.modems")
                          .arg(now)),
            {d->owner(), QSysInfo::machineHostName(), started, Text(modems.join(QLatin1Char(',')))});
        Run(d->Cached(QStringLiteral(
                          "UPDATE messages SET lease_until = %1 + ? WHERE state = 'sending' AND owner = ?")
                          .arg(now)),
            {d->leaseMs, d->owner()});
        t.Commit();
        return Result<bool>::Ok(true);
    } catch (const SqlFailed& f) {
        return Result<bool>::Fail(d->Failure(f));
    }
}

Result<std::vector<qint64>> MessageStore::ExpireLeases() {
    using R = Result<std::vector<qint64>>;
    if (!d->dialect.pg)
        return R::Ok({});
    try {
        const QString now = d->dialect.NowMillis();
        // Asked at every beat: with nothing late, no write lock is taken.
        const QString late =
            QStringLiteral(
                "state = 'sending' AND lease_until IS NOT NULL AND lease_until < %1 AND owner <> ?")
                .arg(now);
        const QString gone = QStringLiteral("beat < %1 - ?").arg(now);
        if (Scalar(d->Cached(QStringLiteral("SELECT count(*) FROM messages WHERE %1").arg(late)),
                   {d->owner()})
                    .toLongLong() == 0 &&
            Scalar(d->Cached(QStringLiteral("SELECT count(*) FROM instances WHERE %1").arg(gone)),
                   {d->leaseMs})
                    .toLongLong() == 0)
            return R::Ok({});
        Transaction t(d->db);
        // Its program may have sent it or not: never sent again by itself.
        // Its owner stays, so that the program, were it only cut off, can
        // still tell what became of it, unless it is queued again meanwhile.
        const std::vector<qint64> ids =
            d->Ids(d->Cached(QStringLiteral("UPDATE messages SET state = 'uncertain', reason = 'vanished',"
                                            " reason_code = NULL WHERE %1 RETURNING id")
                                 .arg(late)),
                   {d->owner()});
        // Its modems are not ready any more: nothing holds them.
        QSqlQuery& left = d->Cached(QStringLiteral("SELECT modems FROM instances WHERE %1").arg(gone));
        Run(left, {d->leaseMs});
        QStringList modems;
        while (left.next())
            modems << left.value(0).toString().split(QLatin1Char(','), Qt::SkipEmptyParts);
        left.finish();
        for (const QString& name : modems)
            Run(d->Cached(QStringLiteral("UPDATE modems SET state = 'away' WHERE name = ?")), {name});
        Run(d->Cached(QStringLiteral("DELETE FROM instances WHERE %1").arg(gone)), {d->leaseMs});
        t.Commit();
        return R::Ok(ids);
    } catch (const SqlFailed& f) {
        return R::Fail(d->Failure(f));
    }
}

Result<bool> MessageStore::Leave() {
    if (!d->dialect.pg)
        return Result<bool>::Ok(false);
    return d->Update(QStringLiteral("DELETE FROM instances WHERE id = ?"), {d->owner()});
}

Result<std::vector<InstanceRecord>> MessageStore::Instances() {
    using R = Result<std::vector<InstanceRecord>>;
    try {
        QSqlQuery& q =
            d->Cached(QStringLiteral(
                          "SELECT id, host, started, beat, modems, beat >= %1 - ? FROM instances ORDER BY id")
                          .arg(d->dialect.NowMillis()));
        Run(q, {d->leaseMs});
        std::vector<InstanceRecord> out;
        while (q.next())
            out.push_back({q.value(0).toString(), q.value(1).toString(), Time(q.value(2)), Time(q.value(3)),
                           q.value(4).toString().split(QLatin1Char(','), Qt::SkipEmptyParts),
                           // One of this box that stopped is gone at once,
                           // whatever its last beat: a daemon started again
                           // after a crash takes its own modems back.
                           q.value(5).toBool() && StillRunning(q.value(0).toString())});
        q.finish();
        return R::Ok(std::move(out));
    } catch (const SqlFailed& f) {
        return R::Fail(d->ReadFailure(f));
    }
}

} // namespace velmora
