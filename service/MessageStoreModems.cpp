// The modems the store knows, by name, and how much waits for each.

#include "MessageStoreImpl.h"

namespace velmora {

// ---- modems

Result<bool> MessageStore::SaveModem(const ModemRecord& m) {
    return d->Update(
        QStringLiteral(
            "INSERT INTO modems(name, imei, imsi, device, by_id, operator, signal, state, last_seen)"
            " VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT(name) DO UPDATE SET"
            " imei = excluded.imei, imsi = excluded.imsi, device = excluded.device,"
            " by_id = excluded.by_id, operator = excluded.operator, signal = excluded.signal,"
            " state = excluded.state, last_seen = excluded.last_seen"),
        {Text(m.name), Text(m.imei), Text(m.imsi), Text(m.device), Text(m.byIdPath), Text(m.operatorName),
         std::clamp(m.signal, -1, 99), Text(m.state), Millis(m.lastSeen)});
}

Result<std::vector<ModemRecord>> MessageStore::Modems() {
    using R = Result<std::vector<ModemRecord>>;
    std::vector<ModemRecord> out;
    try {
        QSqlQuery& q = d->Cached(QStringLiteral("SELECT name, imei, imsi, device, by_id, operator, signal,"
                                                " state, last_seen FROM modems ORDER BY name"));
        Run(q);
        while (q.next()) {
            ModemRecord m;
            m.name = q.value(0).toString();
            m.imei = q.value(1).toString();
            m.imsi = q.value(2).toString();
            m.device = q.value(3).toString();
            m.byIdPath = q.value(4).toString();
            m.operatorName = q.value(5).toString();
            m.signal = q.value(6).toInt();
            m.state = q.value(7).toString();
            m.lastSeen = Time(q.value(8));
            out.push_back(std::move(m));
        }
        q.finish();
        return R::Ok(std::move(out));
    } catch (const SqlFailed& f) {
        d->Saw(f);
        return R::Fail(d->ReadFailure(f));
    }
}

Result<int> MessageStore::QueueDepth(const QString& modemName) {
    try {
        // Apart, so each count has its index: the queue of no batch, and
        // each active batch's queued messages.
        return Result<int>::Ok(
            Scalar(
                d->Cached(QStringLiteral(
                    "SELECT (SELECT count(*) FROM messages m WHERE m.batch_id IS NULL AND m.state = 'queued'"
                    " AND m.want_modem IS NOT NULL AND m.want_modem IN ('', ?))"
                    " + (SELECT count(*) FROM batches b JOIN messages m ON m.batch_id = b.id"
                    " WHERE b.state = 'active' AND m.state = 'queued'"
                    " AND coalesce(m.want_modem, '') IN ('', ?))")),
                {Text(modemName), Text(modemName)}, 0)
                .toInt());
    } catch (const SqlFailed& f) {
        d->Saw(f);
        return Result<int>::Fail(d->ReadFailure(f));
    }
}

} // namespace velmora
