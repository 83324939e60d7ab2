#pragma once

// PDUs as a phone hands them over, and files as other programs leave them,
// for the store's tests.

#include "MessageStore.h"

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <optional>
#include <string>

namespace velmora::testing {

// A text of one part as a batch or the queue takes it, to `number`.
inline MessageRecord QueuedText(const QString& number) {
    MessageRecord m;
    m.number = number;
    m.kind = QStringLiteral("text");
    m.text = QStringLiteral("Rapat jam 9");
    PartRecord p;
    p.part = 1;
    p.pdu = QStringLiteral("0011000C912658969999990000AA0361F118");
    m.parts.push_back(p);
    return m;
}

inline QString Hex2(int v) { return QStringLiteral("%1").arg(v & 0xFF, 2, 16, QLatin1Char('0')).toUpper(); }

// Two decimal digits, nibbles swapped as TS 23.040 writes semi-octets.
inline QString Semi(int v) { return QString::number(v % 10) + QString::number(v / 10 % 10); }

// An SMS-DELIVER without a service-centre address ("00" in front): from an
// international number, in UCS2, with TP-SCTS `when` (UTC, zone +00) and a
// concatenation header when `part` is given (reference, total, seq).
struct Part {
    int reference, total, seq;
};
inline QString Deliver(const QString& digits, const QString& text, const QDateTime& when,
                       std::optional<Part> part = std::nullopt) {
    QString pdu = QStringLiteral("00") + Hex2(part ? 0x44 : 0x04) + Hex2(static_cast<int>(digits.size())) +
                  QStringLiteral("91");
    QString padded = digits;
    if (padded.size() % 2)
        padded += QLatin1Char('F');
    for (qsizetype i = 0; i < padded.size(); i += 2)
        pdu += padded.mid(i + 1, 1) + padded.mid(i, 1);
    pdu += QStringLiteral("0008");
    const QDateTime t = when.toUTC();
    pdu += Semi(t.date().year() % 100) + Semi(t.date().month()) + Semi(t.date().day()) +
           Semi(t.time().hour()) + Semi(t.time().minute()) + Semi(t.time().second()) + QStringLiteral("00");
    QString ud;
    if (part)
        ud = QStringLiteral("050003") + Hex2(part->reference) + Hex2(part->total) + Hex2(part->seq);
    for (const QChar c : text)
        ud += QStringLiteral("%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
    return pdu + Hex2(static_cast<int>(ud.size() / 2)) + ud;
}

inline QDateTime Utc(const char* iso) { return QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate); }

inline QByteArray Bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

inline bool Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// Runs SQL statements on `path` through a connection of its own, closed
// again before it returns (an SQLite file as another program leaves it).
inline bool RunSql(const QString& path, const QStringList& statements) {
    static int counter = 0;
    const QString name = QStringLiteral("test-sql-%1").arg(++counter);
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        ok = db.open();
        for (const QString& s : statements)
            ok = ok && QSqlQuery(db).exec(s);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

// A store as the first schema left it, with one message sent through a
// modem (id 1, "Apa kabar", to 628123456789, two parts, the first reported
// delivered) and one phone-book entry. The schema is copied as it was, not
// taken from the store's code: an old file does not change with the program.
inline bool WriteVersion1Store(const QString& path) {
    return RunSql(
        path,
        {
            "CREATE TABLE meta(key TEXT PRIMARY KEY, value TEXT) WITHOUT ROWID",
            "CREATE TABLE messages(id INTEGER PRIMARY KEY, direction TEXT NOT NULL, peer TEXT NOT NULL,"
            " number TEXT NOT NULL, kind TEXT NOT NULL, text TEXT NOT NULL, content TEXT, request TEXT,"
            " state TEXT NOT NULL, reason TEXT NOT NULL DEFAULT '', reason_code INTEGER,"
            " modem_imsi TEXT NOT NULL DEFAULT '', modem_device TEXT NOT NULL DEFAULT '',"
            " created INTEGER NOT NULL, sent INTEGER, delivered INTEGER, received INTEGER, at INTEGER NOT "
            "NULL,"
            " complete INTEGER NOT NULL DEFAULT 1, concat_ref INTEGER, concat_total INTEGER, owner TEXT)",
            "CREATE INDEX messages_at ON messages(at, id)",
            "CREATE INDEX messages_peer ON messages(peer, at, id)",
            "CREATE INDEX messages_sending ON messages(state) WHERE state = 'sending'",
            "CREATE INDEX messages_joining ON messages(peer, concat_ref, concat_total) WHERE complete = 0",
            "CREATE TABLE pdus(id INTEGER PRIMARY KEY, hash INTEGER NOT NULL, pdu NOT NULL)",
            "CREATE INDEX pdus_hash ON pdus(hash)",
            "CREATE TABLE parts(id INTEGER PRIMARY KEY,"
            " message_id INTEGER NOT NULL REFERENCES messages(id) ON DELETE CASCADE,"
            " part INTEGER NOT NULL, pdu, pdu_id INTEGER REFERENCES pdus(id),"
            " reference INTEGER, answer TEXT NOT NULL DEFAULT '', sent INTEGER,"
            " report_status INTEGER, report_time INTEGER, UNIQUE(message_id, part))",
            "CREATE UNIQUE INDEX parts_pdu ON parts(pdu_id) WHERE pdu_id IS NOT NULL",
            "CREATE INDEX parts_waiting ON parts(reference, sent) WHERE reference IS NOT NULL AND "
            "report_status "
            "IS NULL",
            "CREATE TABLE places(pdu_id INTEGER NOT NULL REFERENCES pdus(id),"
            " modem TEXT NOT NULL, storage TEXT NOT NULL, idx INTEGER NOT NULL, seen INTEGER NOT NULL,"
            " PRIMARY KEY(pdu_id, modem, storage, idx)) WITHOUT ROWID",
            "CREATE TABLE phonebook(id INTEGER PRIMARY KEY, name TEXT NOT NULL, number TEXT NOT NULL,"
            " peer TEXT NOT NULL, fold TEXT NOT NULL)",
            "CREATE INDEX phonebook_peer ON phonebook(peer)",
            "CREATE VIRTUAL TABLE search USING fts5(fold, tokenize = 'trigram case_sensitive 1', detail = "
            "'none')",
            "INSERT INTO messages(id, direction, peer, number, kind, text, state, modem_imsi, modem_device,"
            " created, sent, at) VALUES(1, 'out', '628123456789', '+628123456789', 'text', 'Apa kabar', "
            "'sent',"
            " '510011234567890', '/dev/ttyUSB0', 1767225600000, 1767225605000, 1767225600000)",
            "INSERT INTO parts(message_id, part, pdu, reference, answer, sent, report_status)"
            " VALUES(1, 1, X'0011', 7, '+CMGS: 7', 1767225605000, 0)",
            "INSERT INTO parts(message_id, part, pdu, reference, answer, sent)"
            " VALUES(1, 2, X'0012', 8, '+CMGS: 8', 1767225605000)",
            "INSERT INTO search(rowid, fold) VALUES(1, '+628123456789' || char(10) || 'apa kabar')",
            "INSERT INTO phonebook(name, number, peer, fold) VALUES('Budi', '08123456789', '628123456789', "
            "'budi')",
            "PRAGMA application_id = 1447841106", // "VLMR"
            "PRAGMA user_version = 1",
        });
}

// A store as the second schema left it: the first's (see above), then a
// batch (id 1, active) with two messages queued (ids 2 and 3, one part
// each) and a message sent at once whose program stopped before it went
// (id 4, queued, of no batch).
inline bool WriteVersion2Store(const QString& path) {
    return WriteVersion1Store(path) &&
           RunSql(
               path,
               {
                   "CREATE TABLE batches(id INTEGER PRIMARY KEY, name TEXT NOT NULL, key TEXT NOT NULL,"
                   " created INTEGER NOT NULL, state TEXT NOT NULL, pause_reason TEXT NOT NULL DEFAULT '',"
                   " interval_ms INTEGER NOT NULL DEFAULT 0, per_hour INTEGER NOT NULL DEFAULT 0,"
                   " start_at INTEGER, expire_at INTEGER, retries INTEGER NOT NULL DEFAULT 2)",
                   "CREATE INDEX batches_key ON batches(key, id)",
                   "ALTER TABLE messages ADD COLUMN batch_id INTEGER REFERENCES batches(id)",
                   "ALTER TABLE messages ADD COLUMN position INTEGER",
                   "ALTER TABLE messages ADD COLUMN tries INTEGER NOT NULL DEFAULT 0",
                   "ALTER TABLE messages ADD COLUMN not_before INTEGER",
                   "ALTER TABLE messages ADD COLUMN started INTEGER",
                   "ALTER TABLE messages ADD COLUMN name TEXT",
                   "CREATE INDEX messages_batch ON messages(batch_id, position) WHERE batch_id IS NOT NULL",
                   "CREATE INDEX messages_batch_state ON messages(batch_id, state, not_before, position)"
                   " WHERE batch_id IS NOT NULL",
                   "CREATE INDEX messages_batch_started ON messages(batch_id, started)"
                   " WHERE batch_id IS NOT NULL AND started IS NOT NULL",
                   "CREATE TABLE groups(id INTEGER PRIMARY KEY, name TEXT NOT NULL, fold TEXT NOT NULL "
                   "UNIQUE)",
                   "CREATE TABLE group_members(group_id INTEGER NOT NULL REFERENCES groups(id) ON DELETE "
                   "CASCADE, position INTEGER NOT NULL, name TEXT NOT NULL, number TEXT NOT NULL,"
                   " PRIMARY KEY(group_id, position)) WITHOUT ROWID",
                   "INSERT INTO batches(id, name, key, created, state) VALUES(1, 'Rapat to 2', 'k2',"
                   " 1767225600000, 'active')",
                   "INSERT INTO messages(id, direction, peer, number, kind, text, state, modem_imsi,"
                   " modem_device, created, at, batch_id, position) VALUES"
                   " (2, 'out', '628120001', '628120001', 'text', 'Rapat', 'queued', '510011234567890',"
                   " '/dev/ttyUSB0', 1767225600000, 1767225600000, 1, 0),"
                   " (3, 'out', '628120002', '628120002', 'text', 'Rapat', 'queued', '510011234567890',"
                   " '/dev/ttyUSB0', 1767225600000, 1767225600000, 1, 1),"
                   " (4, 'out', '628120003', '628120003', 'text', 'Halo', 'queued', '510011234567890',"
                   " '/dev/ttyUSB0', 1767225600000, 1767225600000, NULL, NULL)",
                   "INSERT INTO parts(message_id, part, pdu) VALUES(2, 1, X'0021'), (3, 1, X'0031'),"
                   " (4, 1, X'0041')",
                   "PRAGMA user_version = 2",
               });
}

// A store as the third schema left it: the second's (see above), then a
// modem "a" known, message 2 claimed by it and sent, and a message received
// whole through it (id 5).
inline bool WriteVersion3Store(const QString& path) {
    return WriteVersion2Store(path) &&
           RunSql(
               path,
               {
                   "CREATE TABLE modems(name TEXT PRIMARY KEY, imei TEXT NOT NULL DEFAULT '',"
                   " imsi TEXT NOT NULL DEFAULT '', device TEXT NOT NULL DEFAULT '',"
                   " by_id TEXT NOT NULL DEFAULT '', operator TEXT NOT NULL DEFAULT '',"
                   " signal INTEGER NOT NULL DEFAULT -1, state TEXT NOT NULL DEFAULT '', last_seen INTEGER)"
                   " WITHOUT ROWID",
                   "ALTER TABLE messages ADD COLUMN modem TEXT NOT NULL DEFAULT ''",
                   "ALTER TABLE messages ADD COLUMN want_modem TEXT",
                   "CREATE INDEX messages_due ON messages(not_before, id)"
                   " WHERE batch_id IS NULL AND state = 'queued' AND want_modem IS NOT NULL",
                   "CREATE INDEX messages_modem_started ON messages(modem, started) WHERE started IS NOT "
                   "NULL",
                   "INSERT INTO modems(name, device, state) VALUES('a', '/dev/ttyUSB0', 'ready')",
                   "UPDATE messages SET state = 'sent', modem = 'a', started = 1767225601000 WHERE id = 2",
                   "INSERT INTO messages(id, direction, peer, number, kind, text, state, created, received, "
                   "at,"
                   " modem) VALUES(5, 'in', '628120009', '+628120009', 'text', 'Masuk', 'received',"
                   " 1767225700000, 1767225700000, 1767225700000, 'a')",
                   "PRAGMA user_version = 3",
               });
}

// A store as the fourth schema left it: the third's (see above), then the
// event sequence and its triggers, the callers' keys, a message of its own
// expiry and the webhooks' queue; message 6 queued alone with a key, and
// its event.
inline bool WriteVersion4Store(const QString& path) {
    const QString now = QStringLiteral("CAST((julianday('now') - 2440587.5) * 86400000 AS INTEGER)");
    const auto event = [&](const char* kind) {
        return QStringLiteral(" BEGIN INSERT INTO events(message_id, kind, state, reason, at)"
                              " VALUES(NEW.id, '%1', NEW.state, NEW.reason, %2); END")
            .arg(QLatin1String(kind), now);
    };
    return WriteVersion3Store(path) &&
           RunSql(
               path,
               {
                   "CREATE TABLE events(seq INTEGER PRIMARY KEY AUTOINCREMENT, message_id INTEGER NOT NULL,"
                   " kind TEXT NOT NULL, state TEXT NOT NULL, reason TEXT NOT NULL DEFAULT '', at INTEGER "
                   "NOT "
                   "NULL)",
                   "CREATE INDEX events_message ON events(message_id, kind, seq)",
                   "CREATE TABLE api_keys(key TEXT PRIMARY KEY, ids TEXT NOT NULL, created INTEGER NOT NULL)"
                   " WITHOUT ROWID",
                   "ALTER TABLE messages ADD COLUMN expire_at INTEGER",
                   "CREATE INDEX messages_expiring ON messages(expire_at)"
                   " WHERE state = 'queued' AND expire_at IS NOT NULL",
                   "CREATE TABLE webhooks(id INTEGER PRIMARY KEY, seq INTEGER NOT NULL, url TEXT NOT NULL,"
                   " body BLOB NOT NULL, attempts INTEGER NOT NULL DEFAULT 0, next_at INTEGER NOT NULL,"
                   " done_at INTEGER, last_status INTEGER, last_error TEXT NOT NULL DEFAULT '',"
                   " UNIQUE(seq, url))",
                   "CREATE INDEX webhooks_due ON webhooks(next_at) WHERE done_at IS NULL",
                   QStringLiteral("CREATE TRIGGER events_received AFTER INSERT ON messages"
                                  " WHEN NEW.direction = 'in' AND NEW.complete = 1") +
                       event("received"),
                   QStringLiteral("CREATE TRIGGER events_completed AFTER UPDATE OF complete ON messages"
                                  " WHEN NEW.direction = 'in' AND NEW.complete = 1 AND OLD.complete = 0") +
                       event("received"),
                   QStringLiteral(
                       "CREATE TRIGGER events_queued AFTER INSERT ON messages WHEN NEW.direction = 'out'") +
                       event("state"),
                   QStringLiteral("CREATE TRIGGER events_state AFTER UPDATE OF state, reason ON messages"
                                  " WHEN NEW.direction = 'out'"
                                  " AND (NEW.state IS NOT OLD.state OR NEW.reason IS NOT OLD.reason)") +
                       event("state"),
                   "INSERT INTO messages(id, direction, peer, number, kind, text, state, modem_imsi,"
                   " modem_device, created, at, want_modem) VALUES (6, 'out', '628120006', '628120006', "
                   "'text',"
                   " 'Kunci', 'queued', '', '', 1767225800000, 1767225800000, '')",
                   "INSERT INTO parts(message_id, part, pdu) VALUES(6, 1, X'0061')",
                   "INSERT INTO api_keys(key, ids, created) VALUES('order-6', '[6]', 1767225800000)",
                   "PRAGMA user_version = 4",
               });
}

// Root writes to any file, whatever its mode: for as long as this lives the
// calling thread (SQLite works in the caller's) goes without the
// capabilities that let it, as a user would.
class WithoutFileOverride {
public:
    WithoutFileOverride() {
        if (::geteuid() != 0)
            return;
        if (::syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct less[2] = {m_saved[0], m_saved[1]};
        less[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
        m_dropped = ::syscall(SYS_capset, &m_header, less) == 0;
    }
    ~WithoutFileOverride() {
        if (m_dropped)
            ::syscall(SYS_capset, &m_header, m_saved);
    }
    WithoutFileOverride(const WithoutFileOverride&) = delete;
    WithoutFileOverride& operator=(const WithoutFileOverride&) = delete;

private:
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2]{};
    bool m_dropped = false;
};

} // namespace velmora::testing
