// What other programs' doors (MessageApi) ask of the store: many messages
// queued at once under the caller's idempotency key, and the event
// sequence the store's triggers fill, read by a cursor.

#include "MessageStoreImpl.h"

#include <QJsonArray>

#include <map>

namespace velmora {

namespace {

constexpr int kMaxEvents = 10'000;
constexpr int kMaxPage = 1'000;

std::vector<qint64> IdsFromJson(const QString& text) {
    std::vector<qint64> ids;
    for (const QJsonValue v : QJsonDocument::fromJson(text.toUtf8()).array())
        ids.push_back(v.toInteger());
    return ids;
}

QString IdsToJson(const std::vector<qint64>& ids) {
    QJsonArray array;
    for (const qint64 id : ids)
        array.append(id);
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

} // namespace

Result<std::vector<qint64>> MessageStore::AddQueuedKeyed(const std::vector<MessageRecord>& messages,
                                                         const QString& key, bool* again) {
    using R = Result<std::vector<qint64>>;
    if (again)
        *again = false;
    try {
        // IMMEDIATE: the key is looked for under the write lock, so the
        // same key given to two programs at once queues once.
        Transaction t(d->db);
        if (!key.isEmpty()) {
            const QVariant ids =
                Scalar(d->Cached(QStringLiteral("SELECT ids FROM api_keys WHERE key = ?")), {key});
            if (!ids.isNull()) {
                if (again)
                    *again = true;
                return R::Ok(IdsFromJson(ids.toString()));
            }
        }
        Impl::IndexAtEnd index(*d);
        std::vector<qint64> ids;
        ids.reserve(messages.size());
        for (const MessageRecord& message : messages) {
            MessageRecord r = message;
            r.state = msg::State::Queued;
            r.reason = msg::Reason::None;
            r.reasonCode.reset();
            r.batch = 0;
            r.tries = 0;
            r.modem.clear();
            r.replaces = 0;
            ids.push_back(d->InsertOutgoing(r, true));
        }
        index.Flush();
        if (!key.isEmpty())
            Run(d->Cached(QStringLiteral("INSERT INTO api_keys(key, ids, created) VALUES(?, ?, ?)")),
                {key, IdsToJson(ids), QDateTime::currentMSecsSinceEpoch()});
        t.Commit();
        return R::Ok(std::move(ids));
    } catch (const SqlFailed& f) {
        return R::Fail(d->Failure(f));
    }
}

std::optional<std::vector<qint64>> MessageStore::KeyIds(const QString& key) {
    try {
        const QVariant ids =
            Scalar(d->Cached(QStringLiteral("SELECT ids FROM api_keys WHERE key = ?")), {key});
        if (ids.isNull())
            return std::nullopt;
        return IdsFromJson(ids.toString());
    } catch (const SqlFailed& f) {
        d->Saw(f);
        return std::nullopt;
    }
}

Result<int> MessageStore::ForgetKeysBefore(const QDateTime& before) {
    try {
        Transaction t(d->db);
        QSqlQuery& q = d->Cached(QStringLiteral("DELETE FROM api_keys WHERE created < ?"));
        Run(q, {before.toMSecsSinceEpoch()});
        const int forgotten = q.numRowsAffected();
        t.Commit();
        return Result<int>::Ok(forgotten);
    } catch (const SqlFailed& f) {
        return Result<int>::Fail(d->Failure(f));
    }
}

Result<std::vector<StoreEvent>> MessageStore::EventsAfter(qint64 seq, int limit) {
    using R = Result<std::vector<StoreEvent>>;
    try {
        QSqlQuery& q = d->Cached(QStringLiteral("SELECT seq, message_id, kind, state, reason, at FROM events "
                                                "WHERE seq > ? ORDER BY seq LIMIT ?"));
        Run(q, {seq, std::clamp(limit, 1, kMaxEvents)});
        std::vector<StoreEvent> out;
        while (q.next())
            out.push_back({q.value(0).toLongLong(), q.value(1).toLongLong(), q.value(2).toString(),
                           q.value(3).toString(), q.value(4).toString(), Time(q.value(5))});
        q.finish();
        return R::Ok(std::move(out));
    } catch (const SqlFailed& f) {
        return R::Fail(d->ReadFailure(f));
    }
}

qint64 MessageStore::LastEventSeq() {
    try {
        return Scalar(d->Cached(QStringLiteral("SELECT coalesce(max(seq), 0) FROM events")), {}, 0)
            .toLongLong();
    } catch (const SqlFailed& f) {
        d->Saw(f);
        return 0;
    }
}

Result<MessagePage> MessageStore::MessagesAfter(qint64 cursor, const QString& kind, int limit) {
    using R = Result<MessagePage>;
    const int most = std::clamp(limit, 1, kMaxPage);
    try {
        // Everything up to `top` is looked at, whatever commits meanwhile:
        // a commit after it has a larger seq, so a page that is not full
        // may move the cursor to it without passing over anything.
        const qint64 top =
            Scalar(d->Cached(QStringLiteral("SELECT coalesce(max(seq), 0) FROM events")), {}, 0).toLongLong();
        QSqlQuery& q =
            d->Cached(QStringLiteral("SELECT message_id, seq FROM events WHERE seq > ? AND seq <= ?%1"
                                     " ORDER BY seq LIMIT ?")
                          .arg(kind.isEmpty() ? QString() : QStringLiteral(" AND kind = ?")));
        int at = 0;
        q.bindValue(at++, cursor);
        q.bindValue(at++, top);
        if (!kind.isEmpty())
            q.bindValue(at++, kind);
        q.bindValue(at++, most);
        Run(q);
        // A message changed twice in the page is told once, where its
        // last change is: what it is now is what the caller learns.
        std::vector<std::pair<qint64, qint64>> found; // message, its last seq here
        std::map<qint64, std::size_t> where;
        int events = 0;
        qint64 lastSeq = cursor;
        while (q.next()) {
            const qint64 id = q.value(0).toLongLong();
            lastSeq = q.value(1).toLongLong();
            ++events;
            if (const auto it = where.find(id); it != where.end())
                found[it->second].second = 0; // moved to the end below
            where[id] = found.size();
            found.emplace_back(id, lastSeq);
        }
        q.finish();
        MessagePage page;
        page.next = events == most ? lastSeq : std::max(cursor, top);
        for (const auto& [id, seq] : found) {
            if (seq == 0)
                continue;
            if (auto m = Message(id)) {
                page.messages.push_back(std::move(*m));
                page.last.push_back(seq);
            }
        }
        return R::Ok(std::move(page));
    } catch (const SqlFailed& f) {
        return R::Fail(d->ReadFailure(f));
    }
}

} // namespace velmora
