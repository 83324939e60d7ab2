// The webhooks' queue: a row an event and URL, its position in the event
// sequence beside it in meta, and each delivery's outcome. The posting
// itself is the api library's; here is only what must survive a restart.

#include "MessageStoreImpl.h"

namespace velmora {

namespace {

const char kWebhookColumns[] = "id, seq, url, body, attempts, next_at, done_at, last_status, last_error";

WebhookDelivery WebhookAt(const QSqlQuery& q) {
    WebhookDelivery w;
    w.id = q.value(0).toLongLong();
    w.seq = q.value(1).toLongLong();
    w.url = q.value(2).toString();
    w.body = q.value(3).toByteArray();
    w.attempts = q.value(4).toInt();
    w.nextAt = Time(q.value(5));
    w.doneAt = Time(q.value(6));
    w.lastStatus = OptionalInt(q.value(7));
    w.lastError = q.value(8).toString();
    return w;
}

const QString kPositionKey = QStringLiteral("webhook_seq");

// The position kept in meta, or none.
std::optional<qint64> Position(const QSqlDatabase& db) {
    const QVariant v =
        Scalar(db, QStringLiteral("SELECT value FROM meta WHERE key = ?"), {kPositionKey}, QVariant());
    if (v.isNull())
        return std::nullopt;
    bool ok = false;
    const qint64 seq = v.toString().toLongLong(&ok);
    return ok ? std::optional<qint64>(seq) : std::nullopt;
}

// The lock that says which program posts to a URL: the URL in this schema,
// so that stores in two schemas of one server lead apart.
QString LeadKeys() {
    return QStringLiteral("%1, hashtext(current_schema() || ' ' || ?)").arg(sql::kWebhookLock);
}

} // namespace

bool MessageStore::LeadsWebhooks(const QString& url) {
    if (!d->dialect.pg)
        return true;
    if (d->webhookLeads.count(url))
        return true;
    try {
        QSqlQuery& q = d->Cached(QStringLiteral("SELECT pg_try_advisory_lock(%1)").arg(LeadKeys()));
        if (!Scalar(q, {Text(url)}, false).toBool())
            return false;
        d->webhookLeads.insert(url);
        return true;
    } catch (const SqlFailed& f) {
        // Not known to lead: posting nothing is the safe side.
        d->ReadFailure(f);
        return false;
    }
}

void MessageStore::ReleaseWebhooks(const QString& url) {
    if (!d->webhookLeads.erase(url))
        return;
    try {
        QSqlQuery& q = d->Cached(QStringLiteral("SELECT pg_advisory_unlock(%1)").arg(LeadKeys()));
        Scalar(q, {Text(url)});
    } catch (const SqlFailed& f) {
        // A connection that is gone holds nothing any more.
        d->Saw(f);
    }
}

Result<qint64> MessageStore::WebhookPosition() {
    try {
        Transaction t(d->db);
        if (const auto seq = Position(d->db)) {
            t.Commit();
            return Result<qint64>::Ok(*seq);
        }
        const qint64 last =
            Scalar(d->db, QStringLiteral("SELECT coalesce(max(seq), 0) FROM events"), {}, 0).toLongLong();
        Run(d->Cached(d->dialect.SetMeta()), {kPositionKey, QString::number(last)});
        t.Commit();
        return Result<qint64>::Ok(last);
    } catch (const SqlFailed& f) {
        return Result<qint64>::Fail(d->Failure(f));
    }
}

Result<int> MessageStore::QueueWebhooks(const QString& url, qint64 from, qint64 to,
                                        const std::vector<WebhookEvent>& events) {
    try {
        Transaction t(d->db);
        const auto position = Position(d->db);
        if (!position || *position != from)
            return Result<int>::Fail(d->Refused(QCoreApplication::translate(
                "MessageStore", "the webhooks' queue was moved on by another program")));
        QSqlQuery& insert = d->Cached(d->dialect.InsertOrIgnore(
            QStringLiteral("INTO webhooks(seq, url, body, next_at) VALUES(?, ?, ?, 0)")));
        int queued = 0;
        for (const WebhookEvent& e : events) {
            Run(insert, {e.seq, Text(url), e.body});
            queued += insert.numRowsAffected() > 0 ? 1 : 0;
        }
        QSqlQuery& move = d->Cached(QStringLiteral("UPDATE meta SET value = ? WHERE key = ?"));
        Run(move, {QString::number(to), kPositionKey});
        t.Commit();
        return Result<int>::Ok(queued);
    } catch (const SqlFailed& f) {
        return Result<int>::Fail(d->Failure(f));
    }
}

Result<WebhookNext> MessageStore::NextWebhook(const QString& url, const QDateTime& now) {
    using R = Result<WebhookNext>;
    try {
        const qint64 nowMs = now.toMSecsSinceEpoch();
        // The oldest row still holding the line, and the oldest set-aside
        // row that is due.
        QSqlQuery& head = d->Cached(QStringLiteral("SELECT %1 FROM webhooks WHERE url = ? AND done_at IS NULL"
                                                   " AND attempts < ? ORDER BY id LIMIT 1")
                                        .arg(QLatin1String(kWebhookColumns)));
        Run(head, {Text(url), kWebhookHoldAttempts});
        std::optional<WebhookDelivery> first;
        if (head.next())
            first = WebhookAt(head);
        head.finish();
        QSqlQuery& aside =
            d->Cached(QStringLiteral("SELECT %1 FROM webhooks WHERE url = ? AND done_at IS NULL"
                                     " AND attempts >= ? AND next_at <= ? ORDER BY id LIMIT 1")
                          .arg(QLatin1String(kWebhookColumns)));
        Run(aside, {Text(url), kWebhookHoldAttempts, nowMs});
        std::optional<WebhookDelivery> retried;
        if (aside.next())
            retried = WebhookAt(aside);
        aside.finish();

        WebhookNext next;
        const bool firstDue = first && first->nextAt.toMSecsSinceEpoch() <= nowMs;
        if (firstDue && (!retried || first->id < retried->id))
            next.due = std::move(first);
        else if (retried)
            next.due = std::move(retried);
        if (next.due)
            return R::Ok(std::move(next));

        // Nothing due: the earliest time something will be.
        const QVariant later = Scalar(
            d->Cached(QStringLiteral("SELECT min(next_at) FROM webhooks WHERE url = ? AND done_at IS NULL"
                                     " AND attempts >= ?")),
            {Text(url), kWebhookHoldAttempts});
        QDateTime wake = Time(later);
        if (first && (!wake.isValid() || first->nextAt < wake))
            wake = first->nextAt;
        next.wake = wake;
        return R::Ok(std::move(next));
    } catch (const SqlFailed& f) {
        d->Saw(f);
        return R::Fail(d->ReadFailure(f));
    }
}

Result<bool> MessageStore::WebhookDelivered(qint64 id, int status, const QDateTime& at) {
    return d->Update(
        QStringLiteral("UPDATE webhooks SET attempts = attempts + 1, done_at = ?, last_status = ?,"
                       " last_error = '' WHERE id = ?"),
        {Millis(at), status, id});
}

Result<bool> MessageStore::WebhookFailed(qint64 id, std::optional<int> status, const QString& error,
                                         const QDateTime& retryAt) {
    return d->Update(
        QStringLiteral("UPDATE webhooks SET attempts = attempts + 1, next_at = ?, last_status = ?,"
                       " last_error = ? WHERE id = ? AND done_at IS NULL"),
        {Millis(retryAt), Optional(status), Text(error), id});
}

Result<bool> MessageStore::WebhookGivenUp(qint64 id, std::optional<int> status, const QString& error,
                                          const QDateTime& at) {
    return d->Update(
        QStringLiteral("UPDATE webhooks SET attempts = attempts + 1, done_at = ?, last_status = ?,"
                       " last_error = ? WHERE id = ? AND done_at IS NULL"),
        {Millis(at), Optional(status), Text(error), id});
}

Result<std::vector<WebhookDelivery>> MessageStore::WebhookDeliveries(qint64 afterId, int limit) {
    using R = Result<std::vector<WebhookDelivery>>;
    try {
        QSqlQuery& q = d->Cached(QStringLiteral("SELECT %1 FROM webhooks WHERE id > ? ORDER BY id LIMIT ?")
                                     .arg(QLatin1String(kWebhookColumns)));
        Run(q, {afterId, std::clamp(limit, 1, 100000)});
        std::vector<WebhookDelivery> out;
        while (q.next())
            out.push_back(WebhookAt(q));
        q.finish();
        return R::Ok(std::move(out));
    } catch (const SqlFailed& f) {
        d->Saw(f);
        return R::Fail(d->ReadFailure(f));
    }
}

Result<int> MessageStore::DeleteDeliveredWebhooks(const QDateTime& before) {
    try {
        Transaction t(d->db);
        QSqlQuery& q =
            d->Cached(QStringLiteral("DELETE FROM webhooks WHERE done_at IS NOT NULL AND done_at < ?"));
        Run(q, {Millis(before)});
        const int deleted = q.numRowsAffected();
        t.Commit();
        return Result<int>::Ok(deleted);
    } catch (const SqlFailed& f) {
        return Result<int>::Fail(d->Failure(f));
    }
}

} // namespace velmora
