#include "MessageStore.h"

#include "Inbox.h"
#include "MessageReader.h"
#include "PduDecoder.h"
#include "Said.h"
#include "StatusReport.h"
#include "Strings.h"
#include "Terms.h"

#include <QCollator>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <QMutex>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QUrl>
#include <QVariant>

#include <algorithm>
#include <array>
#include <atomic>
#include <iterator>
#include <limits>
#include <map>
#include <optional>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace velmora {

namespace {

// A PDU is at most 176 octets after its service-centre address; anything
// much longer is not one.
constexpr qsizetype kMaxPduChars = 1024;
// The received log: a line longer than this is not an entry, and a log
// larger than this is not read at all.
constexpr qsizetype kMaxLogLine = 4096;
constexpr qint64 kMaxLogBytes = 512LL << 20;
// Lines of a log imported between two commits: a crash loses no more, and
// the write-ahead log stays a few megabytes.
constexpr int kImportBatch = 5000;
// Parts of a long message are joined only when their time stamps lie within
// this of each other: a sender's reference comes round again after 256
// messages, and a part lost years ago must not take in a new message.
constexpr qint64 kJoinWindowMs = 3LL * 24 * 3600 * 1000;
// What a message that is not a text says of itself, at most this long.
constexpr std::size_t kSummaryLength = 200;

// Thrown inside the store by a statement that failed, caught where a call
// gives its Result: every step of a change either happens or none does.
struct SqlFailed {
    QSqlError error;
};

QString Shown(const QString& path) { return QDir::toNativeSeparators(path); }

// SQLite's own words ("database is locked", "attempt to write a readonly
// database", "database or disk is full"), else Qt's.
QString Why(const QSqlError& e) {
    const QString text = e.databaseText().isEmpty() ? e.text() : e.databaseText();
    return text.isEmpty() ? QCoreApplication::translate("MessageStore", "unknown error") : text;
}

// SQLite's SQLITE_CORRUPT (11) and SQLITE_NOTADB (26), in their extended
// forms too: the file's pages are not what SQLite wrote.
bool SaysDamaged(const QSqlError& e) {
    bool ok = false;
    const int code = e.nativeErrorCode().toInt(&ok);
    if (ok && ((code & 0xff) == 11 || (code & 0xff) == 26))
        return true;
    const QString text = e.databaseText();
    return text.contains(QLatin1String("database disk image is malformed")) ||
           text.contains(QLatin1String("file is not a database"));
}

// Every store this program found damaged, by its absolute path, and what
// SQLite said: once seen, never written again while the program lives,
// whichever connection or window opens it next.
QMutex damageLock;
std::map<QString, QString>& DamageSeen() {
    static std::map<QString, QString> seen;
    return seen;
}
QString DamageKey(const QString& path) { return QFileInfo(path).absoluteFilePath(); }

void MarkDamaged(const QString& path, const QString& what) {
    const QMutexLocker lock(&damageLock);
    DamageSeen().emplace(DamageKey(path), what.isEmpty() ? QStringLiteral("?") : what);
}

std::optional<QString> DamageOf(const QString& path) {
    const QMutexLocker lock(&damageLock);
    const auto it = DamageSeen().find(DamageKey(path));
    return it == DamageSeen().end() ? std::nullopt : std::optional<QString>(it->second);
}

QString DamagedSentence(const QString& path, const QString& what) {
    return QCoreApplication::translate(
               "MessageStore",
               "The message store %1 is damaged (%2): nothing more is written to it. Keep a copy of it "
               "(velmora-cli store backup FILE); the README's Troubleshooting says how to mend it")
        .arg(Shown(path), what);
}

std::string WriteFailure(const QString& path, const QSqlError& e) {
    if (SaysDamaged(e))
        MarkDamaged(path, Why(e));
    if (const auto damage = DamageOf(path))
        return DamagedSentence(path, *damage).toStdString();
    return QCoreApplication::translate("MessageStore", "The message store %1 could not be written: %2")
        .arg(Shown(path), Why(e))
        .toStdString();
}

QSqlQuery Prepare(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw SqlFailed{q.lastError()};
    return q;
}

void Run(QSqlQuery& q) {
    if (!q.exec())
        throw SqlFailed{q.lastError()};
}

void Run(QSqlQuery& q, std::initializer_list<QVariant> values) {
    int i = 0;
    for (const QVariant& v : values)
        q.bindValue(i++, v);
    Run(q);
}

void Exec(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery q(db);
    if (!q.exec(sql))
        throw SqlFailed{q.lastError()};
}

// The first column of the first row, or `otherwise`.
QVariant Scalar(QSqlQuery& q, std::initializer_list<QVariant> values, const QVariant& otherwise = {}) {
    Run(q, values);
    QVariant v = q.next() ? q.value(0) : otherwise;
    q.finish();
    return v;
}

QVariant Scalar(const QSqlDatabase& db, const QString& sql, std::initializer_list<QVariant> values = {},
                const QVariant& otherwise = {}) {
    QSqlQuery q = Prepare(db, sql);
    return Scalar(q, values, otherwise);
}

// BEGIN IMMEDIATE: the write lock is taken at once (waiting out another
// writer up to the busy timeout) rather than at the first write, where a
// reader turned writer could only fail.
class Transaction {
public:
    explicit Transaction(const QSqlDatabase& db) : m_db(db) {
        // A damaged store is never written: SQLite could only spread the
        // damage, and what is lost must stay where a copy can save it.
        if (const auto damage = DamageOf(m_db.databaseName())) {
            m_open = false;
            throw SqlFailed{QSqlError(*damage, *damage, QSqlError::StatementError, QStringLiteral("11"))};
        }
        Exec(m_db, QStringLiteral("BEGIN IMMEDIATE"));
    }
    ~Transaction() {
        if (m_open)
            QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void Commit() {
        Exec(m_db, QStringLiteral("COMMIT"));
        m_open = false;
    }

private:
    QSqlDatabase m_db;
    bool m_open = true;
};

// Qt binds a null QString as NULL; the store's texts are never NULL.
QString Text(const QString& s) { return s.isNull() ? QStringLiteral("") : s; }

QVariant Optional(const std::optional<int>& v) {
    return v ? QVariant(*v) : QVariant(QMetaType(QMetaType::Int));
}
QVariant Millis(const QDateTime& t) {
    return t.isValid() ? QVariant(t.toMSecsSinceEpoch()) : QVariant(QMetaType(QMetaType::LongLong));
}
QDateTime Time(const QVariant& v) {
    return v.isNull() ? QDateTime() : QDateTime::fromMSecsSinceEpoch(v.toLongLong(), Qt::UTC);
}
std::optional<int> OptionalInt(const QVariant& v) {
    return v.isNull() ? std::nullopt : std::optional<int>(v.toInt());
}
QString Json(const QJsonObject& o) {
    return o.isEmpty() ? QString() : QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}
QJsonObject Object(const QVariant& v) {
    return v.isNull() ? QJsonObject() : QJsonDocument::fromJson(v.toString().toUtf8()).object();
}

// What a search looks through, in any case: the number and the text
// folded (Unicode's case folding, so "ΚΑΛΗΜΕΡΑ" is found as "καλημερα").
QString Folded(const QString& number, const QString& text) {
    return (number + QLatin1Char('\n') + text).toCaseFolded();
}

// ---- PDUs as the store keeps them

// The PDU as compared: white space round it gone, hex in capitals (the
// received log compares the same way).
QByteArray Canonical(const QString& pdu) { return pdu.trimmed().toUpper().toLatin1(); }

bool IsHex(const QByteArray& text) {
    return !text.isEmpty() && text.size() % 2 == 0 && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
    });
}

// Hex as its octets (half the size); anything else as the text it is.
QVariant PduValue(const QByteArray& canonical) {
    if (IsHex(canonical))
        return QByteArray::fromHex(canonical);
    return QString::fromLatin1(canonical);
}

QString PduText(const QVariant& v) {
    if (v.typeId() == QMetaType::QByteArray)
        return QString::fromLatin1(v.toByteArray().toHex().toUpper());
    return v.toString();
}

// FNV-1a: the index of the PDUs holds eight octets instead of the PDU; a
// match is checked against the PDU itself.
qint64 PduHash(const QByteArray& canonical) {
    quint64 h = 1469598103934665603ULL;
    for (const char c : canonical) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ULL;
    }
    return static_cast<qint64>(h);
}

// The place a PDU was read from: the SIM's IMSI when the phone told it (a
// SIM moved to another port is the same store), else the port.
QString ModemKey(const ModemId& modem) {
    if (!modem.imsi.isEmpty())
        return QStringLiteral("imsi:") + modem.imsi;
    return QStringLiteral("dev:") + modem.device;
}

// ---- the schema, one step a version

void CreateVersion1(const QSqlDatabase& db) {
    static const char* const statements[] = {
        "CREATE TABLE meta(key TEXT PRIMARY KEY, value TEXT) WITHOUT ROWID",
        // at: what lists sort by, the time received for what came in and the
        // time recorded for what went out.
        "CREATE TABLE messages("
        " id INTEGER PRIMARY KEY,"
        " direction TEXT NOT NULL, peer TEXT NOT NULL, number TEXT NOT NULL,"
        " kind TEXT NOT NULL, text TEXT NOT NULL, content TEXT, request TEXT,"
        " state TEXT NOT NULL, reason TEXT NOT NULL DEFAULT '', reason_code INTEGER,"
        " modem_imsi TEXT NOT NULL DEFAULT '', modem_device TEXT NOT NULL DEFAULT '',"
        " created INTEGER NOT NULL, sent INTEGER, delivered INTEGER, received INTEGER, at INTEGER NOT NULL,"
        " complete INTEGER NOT NULL DEFAULT 1, concat_ref INTEGER, concat_total INTEGER,"
        // The program sending it, while it is: "pid:start time".
        " owner TEXT)",
        "CREATE INDEX messages_at ON messages(at, id)",
        "CREATE INDEX messages_peer ON messages(peer, at, id)",
        "CREATE INDEX messages_sending ON messages(state) WHERE state = 'sending'",
        "CREATE INDEX messages_joining ON messages(peer, concat_ref, concat_total) WHERE complete = 0",
        // Every PDU ever read, once: what the received log holds.
        "CREATE TABLE pdus(id INTEGER PRIMARY KEY, hash INTEGER NOT NULL, pdu NOT NULL)",
        "CREATE INDEX pdus_hash ON pdus(hash)",
        // Outgoing parts keep their PDU; incoming ones point at theirs.
        "CREATE TABLE parts("
        " id INTEGER PRIMARY KEY,"
        " message_id INTEGER NOT NULL REFERENCES messages(id) ON DELETE CASCADE,"
        " part INTEGER NOT NULL, pdu, pdu_id INTEGER REFERENCES pdus(id),"
        " reference INTEGER, answer TEXT NOT NULL DEFAULT '', sent INTEGER,"
        " report_status INTEGER, report_time INTEGER,"
        " UNIQUE(message_id, part))",
        "CREATE UNIQUE INDEX parts_pdu ON parts(pdu_id) WHERE pdu_id IS NOT NULL",
        "CREATE INDEX parts_waiting ON parts(reference, sent) WHERE reference IS NOT NULL AND report_status "
        "IS NULL",
        // Where each PDU was read: modem, storage, index (-1: none).
        "CREATE TABLE places("
        " pdu_id INTEGER NOT NULL REFERENCES pdus(id),"
        " modem TEXT NOT NULL, storage TEXT NOT NULL, idx INTEGER NOT NULL, seen INTEGER NOT NULL,"
        " PRIMARY KEY(pdu_id, modem, storage, idx)) WITHOUT ROWID",
        "CREATE TABLE phonebook(id INTEGER PRIMARY KEY, name TEXT NOT NULL, number TEXT NOT NULL,"
        " peer TEXT NOT NULL, fold TEXT NOT NULL)",
        "CREATE INDEX phonebook_peer ON phonebook(peer)",
        // Each message's folded number and text (see Folded) by its id, in
        // an index of every three characters: a word is found among 100,000
        // messages without reading them all.
        "CREATE VIRTUAL TABLE search USING fts5(fold, tokenize = 'trigram case_sensitive 1', detail = "
        "'none')",
    };
    for (const char* sql : statements)
        Exec(db, QString::fromLatin1(sql));
}

// Sending to many, and the groups it is sent to. A version-1 store gains
// the columns in place: its messages belong to no batch and count no tries.
void CreateVersion2(const QSqlDatabase& db) {
    static const char* const statements[] = {
        // The pacing as the user set it; times in ms since 1970 as every
        // other time here, NULL for none.
        "CREATE TABLE batches("
        " id INTEGER PRIMARY KEY,"
        " name TEXT NOT NULL, key TEXT NOT NULL, created INTEGER NOT NULL,"
        " state TEXT NOT NULL, pause_reason TEXT NOT NULL DEFAULT '',"
        " interval_ms INTEGER NOT NULL DEFAULT 0, per_hour INTEGER NOT NULL DEFAULT 0,"
        " start_at INTEGER, expire_at INTEGER, retries INTEGER NOT NULL DEFAULT 2)",
        "CREATE INDEX batches_key ON batches(key, id)",
        // started: when the message was last handed to the phone (Claim),
        // what a cap per hour counts.
        "ALTER TABLE messages ADD COLUMN batch_id INTEGER REFERENCES batches(id)",
        "ALTER TABLE messages ADD COLUMN position INTEGER",
        "ALTER TABLE messages ADD COLUMN tries INTEGER NOT NULL DEFAULT 0",
        "ALTER TABLE messages ADD COLUMN not_before INTEGER",
        "ALTER TABLE messages ADD COLUMN started INTEGER",
        // The name that came with the number (a contacts file's column),
        // shown when the phone book has none for it.
        "ALTER TABLE messages ADD COLUMN name TEXT",
        // A batch's list in its order; its counts by state and its next
        // message (NULL not_before sorts first: due when its turn comes)
        // from one index; its starts for the cap per hour. Messages of no
        // batch stay out of all three.
        "CREATE INDEX messages_batch ON messages(batch_id, position) WHERE batch_id IS NOT NULL",
        "CREATE INDEX messages_batch_state ON messages(batch_id, state, not_before, position)"
        " WHERE batch_id IS NOT NULL",
        "CREATE INDEX messages_batch_started ON messages(batch_id, started)"
        " WHERE batch_id IS NOT NULL AND started IS NOT NULL",
        // fold: the name in any case, unique.
        "CREATE TABLE groups(id INTEGER PRIMARY KEY, name TEXT NOT NULL, fold TEXT NOT NULL UNIQUE)",
        "CREATE TABLE group_members("
        " group_id INTEGER NOT NULL REFERENCES groups(id) ON DELETE CASCADE,"
        " position INTEGER NOT NULL, name TEXT NOT NULL, number TEXT NOT NULL,"
        " PRIMARY KEY(group_id, position)) WITHOUT ROWID",
    };
    for (const char* sql : statements)
        Exec(db, QString::fromLatin1(sql));
}

// kSteps[v] takes a store of schema v to v + 1.
using Step = void (*)(const QSqlDatabase&);
constexpr std::array<Step, MessageStore::kSchemaVersion> kSteps{&CreateVersion1, &CreateVersion2};

// ---- what a file is, before anything writes to it

quint32 BigEndian(const QByteArray& bytes, int at) {
    quint32 v = 0;
    for (int i = 0; i < 4; ++i)
        v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

QString Newer(const QString& path, quint32 version) {
    return QStringLiteral(
               "The message store %1 was written by a newer Velmora (schema %2; this one knows %3)")
        .arg(Shown(path))
        .arg(version)
        .arg(MessageStore::kSchemaVersion);
}

QString NotOurs(const QString& path, const QString& why) {
    return QCoreApplication::translate("MessageStore", "%1 is not a Velmora message store: %2")
        .arg(Shown(path), why);
}

QString ForeignId(const QString& path, quint32 id) {
    return NotOurs(path, QCoreApplication::translate("MessageStore",
                                                     "it belongs to another program (application id 0x%1)")
                             .arg(id, 8, 16, QLatin1Char('0')));
}

// The database header (its first 100 octets), read as a file: a text file,
// another program's database or a newer schema is refused without SQLite
// ever opening it.
QString CheckHeader(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QCoreApplication::translate("MessageStore", "The message store %1 could not be read: %2")
            .arg(Shown(path), file.errorString());
    const QByteArray header = file.read(100);
    if (header.size() < 100 || !header.startsWith(QByteArray("SQLite format 3\0", 16)))
        return NotOurs(path, QCoreApplication::translate("MessageStore", "it is not an SQLite database"));
    const quint32 version = BigEndian(header, 60);
    const quint32 id = BigEndian(header, 68);
    if (id != 0 && id != static_cast<quint32>(MessageStore::kApplicationId))
        return ForeignId(path, id);
    if (version > static_cast<quint32>(MessageStore::kSchemaVersion))
        return Newer(path, version);
    return {};
}

// The same from SQLite's side (a write-ahead log may hold a newer header
// than the file), through a connection that cannot write. Gives the schema
// version, or why the file is refused.
Result<int, QString> CheckContents(const QSqlDatabase& db, const QString& path) {
    using R = Result<int, QString>;
    try {
        const auto id =
            static_cast<quint32>(Scalar(db, QStringLiteral("PRAGMA application_id")).toLongLong());
        const auto version =
            static_cast<quint32>(Scalar(db, QStringLiteral("PRAGMA user_version")).toLongLong());
        if (id != 0 && id != static_cast<quint32>(MessageStore::kApplicationId))
            return R::Fail(ForeignId(path, id));
        if (version > static_cast<quint32>(MessageStore::kSchemaVersion))
            return R::Fail(Newer(path, version));
        // A store is marked from its first schema on; an unmarked file with
        // tables in it is someone else's.
        if (id == 0 && Scalar(db, QStringLiteral("SELECT count(*) FROM sqlite_master")).toInt() > 0)
            return R::Fail(NotOurs(
                path, QCoreApplication::translate("MessageStore", "it holds another program's tables")));
        return R::Ok(static_cast<int>(version));
    } catch (const SqlFailed& f) {
        if (SaysDamaged(f.error)) {
            MarkDamaged(path, Why(f.error));
            return R::Fail(DamagedSentence(path, Why(f.error)));
        }
        return R::Fail(NotOurs(path, Why(f.error)));
    }
}

QString NewConnectionName() {
    static std::atomic<quint64> counter{0};
    return QStringLiteral("velmora-store-%1").arg(++counter);
}

// ---- reading a message from its PDUs

void FillFromRead(const Result<ReadMessage>& read, MessageRecord& r) {
    InboxEntry entry;
    entry.message = read;
    if (!read) {
        r.kind = QStringLiteral("unreadable");
        r.text = QString::fromStdU16String(InboxSummary(entry, kSummaryLength));
        r.content = {{QStringLiteral("error"), QString::fromStdString(read.error())}};
        return;
    }
    const ReadMessage& m = *read;
    r.kind = QLatin1String(ContentKindName(m.kind));
    const bool words = m.kind == ContentKind::Text || m.kind == ContentKind::Flash ||
                       m.kind == ContentKind::Ems || m.kind == ContentKind::Picture;
    // What the message holds; what it is, in words, is made as it is shown
    // (terms::MessageText), in the reader's language.
    r.text = QString::fromStdU16String(words                           ? m.text
                                       : m.kind == ContentKind::Report ? InboxSummary(entry, kSummaryLength)
                                                                       : std::u16string());
    QJsonObject c;
    const auto put = [&](const char* key, const QJsonValue& v) { c.insert(QLatin1String(key), v); };
    if (!m.content.empty())
        put("content", QString::fromStdString(m.content));
    if (m.compressed)
        put("compressed", true);
    if (m.width > 0) {
        put("width", m.width);
        put("height", m.height);
    }
    if (m.kind == ContentKind::Logo) {
        put("mcc", QString::fromStdString(m.mcc));
        put("nc", QString::fromStdString(m.nc));
    }
    if (m.kind == ContentKind::Ringtone) {
        put("rtttl", QString::fromStdString(m.rtttl));
        put("title", QString::fromStdU16String(Latin1ToUtf16(m.title)));
        put("tempo", m.tempo);
    }
    if (m.kind == ContentKind::Indicator) {
        put("indicatorKind", m.indicatorKind);
        put("active", m.active);
        put("store", m.store);
        if (m.waiting)
            put("waiting", *m.waiting);
    }
    if (m.blink)
        put("blink", true);
    if (m.port)
        put("port", *m.port);
    if (m.parts) {
        put("reference", m.parts->reference);
        put("total", m.parts->total);
    }
    if (!m.missing.empty()) {
        QJsonArray missing;
        for (const int part : m.missing)
            missing.append(part);
        put("missing", missing);
    }
    if (m.truncated)
        put("truncated", true);
    if (!m.pdu.timestamp.empty())
        put("timestamp", QString::fromStdString(m.pdu.timestamp));
    if (!m.pdu.smsc.empty())
        put("smsc", QString::fromStdString(m.pdu.smsc));
    if (m.pdu.messageClass)
        put("class", *m.pdu.messageClass);
    r.content = c;
}

const char kMessageColumns[] =
    "m.id, m.direction, m.number, m.kind, m.text, m.content, m.request, m.state, m.reason, m.reason_code,"
    " m.created, m.sent, m.delivered, m.received, m.modem_imsi, m.modem_device, m.complete,"
    " coalesce((SELECT b.name FROM phonebook b WHERE b.peer = m.peer ORDER BY b.id LIMIT 1), m.name),"
    " m.batch_id, m.position, m.tries, m.not_before";

MessageRecord RecordAt(const QSqlQuery& q) {
    MessageRecord r;
    r.id = q.value(0).toLongLong();
    r.direction = msg::DirectionFromName(q.value(1).toString().toStdString()).value_or(msg::Direction::In);
    r.number = q.value(2).toString();
    r.kind = q.value(3).toString();
    r.text = q.value(4).toString();
    r.content = Object(q.value(5));
    r.request = Object(q.value(6));
    r.state = msg::StateFromName(q.value(7).toString().toStdString()).value_or(msg::State::Uncertain);
    r.reason = msg::ReasonFromName(q.value(8).toString().toStdString()).value_or(msg::Reason::None);
    // A store written before Cancelled was a state of its own kept it as a
    // failure taken out of the queue.
    if (r.state == msg::State::Failed && r.reason == msg::Reason::Cancelled)
        r.state = msg::State::Cancelled;
    r.reasonCode = OptionalInt(q.value(9));
    // A message sent again as a new one: the link both ways is kept in
    // their requests, which every version of the store has room for.
    r.replaces = r.request.value(QLatin1String("replaces")).toInteger();
    r.replacedBy = r.request.value(QLatin1String("replacedBy")).toInteger();
    r.created = Time(q.value(10));
    r.sent = Time(q.value(11));
    r.delivered = Time(q.value(12));
    r.received = Time(q.value(13));
    r.modemImsi = q.value(14).toString();
    r.modemDevice = q.value(15).toString();
    r.complete = q.value(16).toInt() != 0;
    r.name = q.value(17).toString();
    r.batch = q.value(18).toLongLong();
    r.position = q.value(19).toInt();
    r.tries = q.value(20).toInt();
    r.notBefore = Time(q.value(21));
    return r;
}

// A GLOB pattern that finds `word` as it is.
QString Glob(const QString& word) {
    QString pattern = QStringLiteral("*");
    for (const QChar c : word) {
        if (c == QLatin1Char('*') || c == QLatin1Char('?') || c == QLatin1Char('['))
            pattern += QLatin1Char('[') + c + QLatin1Char(']');
        else
            pattern += c;
    }
    return pattern + QLatin1Char('*');
}

struct Filter {
    QString where; // " WHERE ..." or ""
    QVariantList values;
};

// How many of the newest messages a search with a limit reads first: a
// common word fills a page of results from them alone, sooner than the
// index gathers every message that holds it.
constexpr int kNewestWindow = 2000;

// `newest`: only the newest kNewestWindow messages, each read (Messages'
// first try).
Filter FilterFor(const HistoryQuery& query, bool newest = false) {
    QStringList clauses;
    Filter f;
    if (!query.number.isEmpty()) {
        clauses << QStringLiteral("m.peer = ?");
        f.values << ConversationKey(query.number);
    }
    if (query.state == msg::State::Cancelled) {
        // Older stores kept a cancelled message as failed (see RecordAt).
        clauses << QStringLiteral(
            "(m.state = 'cancelled' OR (m.state = 'failed' AND m.reason = 'cancelled'))");
    } else if (query.state == msg::State::Failed) {
        clauses << QStringLiteral("m.state = 'failed' AND m.reason <> 'cancelled'");
    } else if (query.state) {
        clauses << QStringLiteral("m.state = ?");
        f.values << QString::fromLatin1(msg::StateName(*query.state));
    }
    if (query.direction) {
        clauses << QStringLiteral("m.direction = ?");
        f.values << QString::fromLatin1(msg::DirectionName(*query.direction));
    }
    if (query.batch) {
        clauses << QStringLiteral("m.batch_id = ?");
        f.values << *query.batch;
    }
    if (const QString word = query.search.trimmed(); !word.isEmpty()) {
        const QString folded = word.toCaseFolded();
        const QString byName =
            QStringLiteral("m.peer IN (SELECT b.peer FROM phonebook b WHERE instr(b.fold, ?) > 0)");
        if (newest) {
            clauses << QStringLiteral("m.at >= coalesce((SELECT at FROM messages ORDER BY at DESC, id DESC"
                                      " LIMIT 1 OFFSET %1), 0)")
                           .arg(kNewestWindow - 1);
            clauses << QStringLiteral("(EXISTS (SELECT 1 FROM search s WHERE s.rowid = m.id AND "
                                      "instr(s.fold, ?) > 0) OR %1)")
                           .arg(byName);
            f.values << folded << folded;
        } else if (folded.size() >= 3) {
            clauses
                << QStringLiteral("(m.id IN (SELECT rowid FROM search WHERE fold GLOB ?) OR %1)").arg(byName);
            f.values << Glob(folded) << folded;
        } else {
            // Too short for the index of three characters: such a word is
            // in many messages, and the newest are read until enough match.
            clauses << QStringLiteral("(EXISTS (SELECT 1 FROM search s WHERE s.rowid = m.id AND "
                                      "instr(s.fold, ?) > 0) OR %1)")
                           .arg(byName);
            f.values << folded << folded;
        }
    }
    if (!clauses.isEmpty())
        f.where = QStringLiteral(" WHERE ") + clauses.join(QStringLiteral(" AND "));
    return f;
}

void Bind(QSqlQuery& q, const QVariantList& values) {
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values[i]);
}

// A page of a search (never of a batch, listed in its own order): looked
// for among the newest messages first.
bool IsSearchPage(const HistoryQuery& query) {
    return query.limit > 0 && !query.search.trimmed().isEmpty() && !query.batch;
}

// The statement listing what `query` asks for, run and ready to be read.
QSqlQuery ListMessages(const QSqlDatabase& db, const HistoryQuery& query, bool newest) {
    const Filter f = FilterFor(query, newest);
    // A batch's recipients are listed in the order they were given.
    const QString order =
        query.batch ? QStringLiteral("m.position, m.id") : QStringLiteral("m.at DESC, m.id DESC");
    QSqlQuery q = Prepare(db, QStringLiteral("SELECT %1 FROM messages m%2 ORDER BY %3 LIMIT %4 OFFSET %5")
                                  .arg(kMessageColumns, f.where, order)
                                  .arg(query.limit < 0 ? -1 : query.limit)
                                  .arg(std::max(0, query.offset)));
    Bind(q, f.values);
    Run(q);
    return q;
}

// ---- the received log's lines

struct LogLine {
    qint64 whenMs = 0;
    QByteArray pdu;
};

QString TrimmedDesignator(const QString& word) { return word.trimmed().toCaseFolded(); }

// The clock words a log may carry: this locale's and the English ones (the
// log falls back to them when the locale has none).
struct Designators {
    QStringList am, pm;
    Designators() {
        const QLocale locale = QLocale::system();
        for (const QString& w : {locale.amText(), QStringLiteral("AM"), QStringLiteral("a.m.")})
            if (!w.trimmed().isEmpty())
                am << TrimmedDesignator(w);
        for (const QString& w : {locale.pmText(), QStringLiteral("PM"), QStringLiteral("p.m.")})
            if (!w.trimmed().isEmpty())
                pm << TrimmedDesignator(w);
    }
    // The start of a local hour in ms since 1970: a log's lines share a
    // few, and each conversion from local time asks the time zone anew.
    qint64 LocalHour(const QDate& date, int hour) const {
        const qint64 key = date.toJulianDay() * 24 + hour;
        auto it = hours.find(key);
        if (it == hours.end())
            it = hours.emplace(key, QDateTime(date, QTime(hour, 0), Qt::LocalTime).toMSecsSinceEpoch()).first;
        return it->second;
    }
    mutable std::map<qint64, qint64> hours;
};

// "dd-mm-yyyy hh:mm:ss AM NUMBER PDU": the stamp in local time, on a 12-hour
// clock with ':' or '.' between its fields; the PDU is the last word. A
// designator this locale does not know is taken for the morning: the time
// only stands for a PDU that carries no time stamp of its own.
Result<LogLine, QString> ParseLogLine(const QByteArray& raw, const Designators& words) {
    using R = Result<LogLine, QString>;
    const QString line = QString::fromUtf8(raw).trimmed();
    const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (fields.size() < 5)
        return R::Fail(
            QCoreApplication::translate("MessageStore", "not \"dd-mm-yyyy hh:mm:ss AM NUMBER PDU\""));
    const QDate date = QDate::fromString(fields[0], QStringLiteral("dd-MM-yyyy"));
    if (!date.isValid())
        return R::Fail(
            QCoreApplication::translate("MessageStore", "the date \"%1\" is not dd-mm-yyyy").arg(fields[0]));
    const QChar separator = fields[1].size() > 2 ? fields[1][2] : QChar();
    const QStringList clock = fields[1].split(separator);
    int hms[3] = {-1, -1, -1};
    bool clockOk = (separator == QLatin1Char(':') || separator == QLatin1Char('.')) && clock.size() == 3;
    for (int i = 0; clockOk && i < 3; ++i) {
        hms[i] = clock[i].size() == 2 ? clock[i].toInt(&clockOk) : -1;
        clockOk = clockOk && hms[i] >= 0;
    }
    if (!clockOk || hms[0] > 23 || hms[1] > 59 || hms[2] > 59)
        return R::Fail(
            QCoreApplication::translate("MessageStore", "the time \"%1\" is not hh:mm:ss").arg(fields[1]));
    // The designator may be more than one word ("a. m."): whatever of the
    // words between the time and the PDU starts with a known one.
    const QString rest =
        TrimmedDesignator(QStringList(fields.mid(2, fields.size() - 3)).join(QLatin1Char(' ')));
    const auto starts = [&](const QStringList& list) {
        return std::any_of(list.begin(), list.end(), [&](const QString& w) {
            return rest.startsWith(w) && (rest.size() == w.size() || rest[w.size()] == QLatin1Char(' '));
        });
    };
    int hour = hms[0];
    if (hour <= 12) {
        hour %= 12;
        if (starts(words.pm) && !starts(words.am))
            hour += 12;
    }
    LogLine out;
    out.whenMs = words.LocalHour(date, hour) + (hms[1] * 60 + hms[2]) * 1000LL;
    out.pdu = fields.last().toUpper().toLatin1();
    if (!IsHex(out.pdu))
        return R::Fail(QCoreApplication::translate("MessageStore", "its PDU is not hexadecimal"));
    return R::Ok(std::move(out));
}

// This process as the kernel knows it: its id and the time it started (in
// clock ticks since boot), so a reused id is not taken for it.
std::optional<unsigned long long> ProcessStart(long pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray line = stat.read(4096);
    // The name in parentheses may hold spaces; the fields count from after it.
    const int close = line.lastIndexOf(')');
    if (close < 0)
        return std::nullopt;
    const QList<QByteArray> fields = line.mid(close + 2).split(' ');
    // starttime is field 22 of the whole line, the 20th after the name.
    if (fields.size() < 20)
        return std::nullopt;
    bool ok = false;
    const unsigned long long start = fields[19].toULongLong(&ok);
    return ok ? std::optional(start) : std::nullopt;
}

QString ThisProcess() {
    const long pid = static_cast<long>(QCoreApplication::applicationPid());
    const auto start = ProcessStart(pid);
    return QStringLiteral("%1:%2").arg(pid).arg(start.value_or(0));
}

// Whether the program that recorded `owner` still runs: a message another
// running program is sending is not left to the next start.
bool StillRunning(const QString& owner) {
    const auto colon = owner.indexOf(':');
    bool ok = false;
    const long pid = owner.left(colon).toLong(&ok);
    if (colon < 0 || !ok || pid <= 0)
        return false;
    const auto start = ProcessStart(pid);
    return start && QString::number(*start) == owner.mid(colon + 1);
}

} // namespace

QString ConversationKey(const QString& number, const QString& countryCode) {
    const QString typed = number.trimmed();
    // Read as a destination is, so each way of writing a number finds the
    // messages sent to it and the name it has in the phone book.
    const QString digits =
        QString::fromStdString(NormaliseDestination(typed.toStdString(), countryCode.toStdString()));
    if (digits.isEmpty())
        return typed.toLower();
    for (const QChar c : digits)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return typed.toLower();
    return digits;
}

// ---------------------------------------------------------------------------

struct MessageStore::Impl {
    QString path;
    QString connection;
    QSqlDatabase db;
    bool readOnly = false;

    // Statements prepared once for the life of the connection: preparing
    // costs more than running most of them.
    std::map<QString, QSqlQuery> cache;

    std::string Failure(const SqlFailed& f) const {
        if (readOnly && !DamageOf(path) && !SaysDamaged(f.error))
            return QCoreApplication::translate("MessageStore",
                                               "The message store %1 was opened only to be read")
                .arg(Shown(path))
                .toStdString();
        return WriteFailure(path, f.error);
    }
    // A statement that failed in reading: a damaged store is known as such
    // from then on.
    void Saw(const SqlFailed& f) const {
        if (SaysDamaged(f.error))
            MarkDamaged(path, Why(f.error));
    }
    QSqlQuery& Cached(const QString& sql) {
        auto it = cache.find(sql);
        if (it == cache.end())
            it = cache.emplace(sql, Prepare(db, sql)).first;
        return it->second;
    }
    // One statement that changes rows, committed: whether it changed any.
    Result<bool> Update(const QString& sql, std::initializer_list<QVariant> values) {
        try {
            Transaction t(db);
            QSqlQuery& q = Cached(sql);
            Run(q, values);
            const bool changed = q.numRowsAffected() > 0;
            t.Commit();
            return Result<bool>::Ok(changed);
        } catch (const SqlFailed& f) {
            return Result<bool>::Fail(Failure(f));
        }
    }

    // An update that must outlive even a power cut: the mark that a message
    // is about to leave. Its commit waits for the disk, and with it every
    // commit before; the others keep the cheaper NORMAL, which only a power
    // cut can undo. Were the mark undone, the next start would find the
    // message queued and send it a second time.
    Result<bool> DurableUpdate(const QString& sql, std::initializer_list<QVariant> values) {
        QSqlQuery pragma(db);
        pragma.exec(QStringLiteral("PRAGMA synchronous = FULL"));
        auto result = Update(sql, values);
        pragma.exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
        return result;
    }

    qint64 InsertMessage(const MessageRecord& r, std::optional<PartInfo> joining = std::nullopt);
    void InsertPart(qint64 message, const PartRecord& part);
    // An outgoing message and its parts, inside the caller's transaction.
    qint64 InsertOutgoing(const MessageRecord& message);
    // The same for what was read from a phone or a log, with fewer values:
    // binding a value costs Qt more than SQLite takes to store it.
    qint64 InsertRead(const MessageRecord& r, std::optional<PartInfo> joining = std::nullopt);
    void InsertReadPart(qint64 message, int part, qint64 pduId);
    qint64 FindPdu(const QByteArray& canonical);
    ReceivedRecord Receive(const QString& modem, const QString& storage, int index,
                           const QByteArray& canonical, qint64 whenMs, const Result<DecodedPdu>* decoded);
    qint64 NewMessageFrom(const DecodedPdu& pdu, qint64 pduId, qint64 whenMs);
    void Rejoin(qint64 message);
    void Index(qint64 message, const QString& number, const QString& text) {
        Run(Cached(QStringLiteral("INSERT OR REPLACE INTO search(rowid, fold) VALUES(?, ?)")),
            {message, Folded(number, text)});
    }
    void LoadParts(std::vector<MessageRecord>& records);
    // A batch's counts by state and its last start.
    void Count(BatchRecord& batch);
    // The first column of every row.
    std::vector<qint64> Ids(QSqlQuery& q, std::initializer_list<QVariant> values);
    std::vector<GroupMember> Members(qint64 group);
};

qint64 MessageStore::Impl::InsertMessage(const MessageRecord& r, std::optional<PartInfo> joining) {
    QSqlQuery& q = Cached(QStringLiteral(
        "INSERT INTO messages(direction, peer, number, kind, text, content, request, state,"
        " reason, reason_code, modem_imsi, modem_device, created, sent, delivered, received, at,"
        " complete, concat_ref, concat_total, batch_id, position, tries, not_before, name)"
        " VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    const QDateTime created = r.created.isValid() ? r.created : QDateTime::currentDateTimeUtc();
    const QDateTime at = r.received.isValid() ? r.received : created;
    const QVariant noInt{QMetaType(QMetaType::Int)};
    const QVariant noBatch{QMetaType(QMetaType::LongLong)};
    QJsonObject request = r.request;
    if (r.replaces)
        request.insert(QStringLiteral("replaces"), r.replaces);
    Run(q, {QString::fromLatin1(msg::DirectionName(r.direction)),
            Text(ConversationKey(r.number)),
            Text(r.number),
            Text(r.kind),
            Text(r.text),
            Json(r.content),
            Json(request),
            QString::fromLatin1(msg::StateName(r.state)),
            Text(QString::fromLatin1(msg::ReasonName(r.reason))),
            Optional(r.reasonCode),
            Text(r.modemImsi),
            Text(r.modemDevice),
            created.toMSecsSinceEpoch(),
            Millis(r.sent),
            Millis(r.delivered),
            Millis(r.received),
            at.toMSecsSinceEpoch(),
            r.complete ? 1 : 0,
            joining ? QVariant(joining->reference) : noInt,
            joining ? QVariant(joining->total) : noInt,
            r.batch != 0 ? QVariant(r.batch) : noBatch,
            r.batch != 0 ? QVariant(r.position) : noInt,
            r.tries,
            Millis(r.notBefore),
            r.name.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(r.name)});
    const qint64 id = q.lastInsertId().toLongLong();
    Index(id, r.number, r.text);
    return id;
}

qint64 MessageStore::Impl::InsertOutgoing(const MessageRecord& message) {
    MessageRecord r = message;
    r.direction = msg::Direction::Out;
    const qint64 id = InsertMessage(r);
    for (const PartRecord& p : message.parts)
        InsertPart(id, p);
    return id;
}

qint64 MessageStore::Impl::InsertRead(const MessageRecord& r, std::optional<PartInfo> joining) {
    QSqlQuery& q = Cached(QStringLiteral(
        "INSERT INTO messages(direction, peer, number, kind, text, content, state, created, received, at,"
        " complete, concat_ref, concat_total) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    const qint64 received = r.received.toMSecsSinceEpoch();
    const QVariant noInt{QMetaType(QMetaType::Int)};
    Run(q, {QString::fromLatin1(msg::DirectionName(r.direction)), Text(ConversationKey(r.number)),
            Text(r.number), Text(r.kind), Text(r.text), Json(r.content),
            QString::fromLatin1(msg::StateName(r.state)), QDateTime::currentMSecsSinceEpoch(), received,
            received, r.complete ? 1 : 0, joining ? QVariant(joining->reference) : noInt,
            joining ? QVariant(joining->total) : noInt});
    const qint64 id = q.lastInsertId().toLongLong();
    Index(id, r.number, r.text);
    return id;
}

void MessageStore::Impl::InsertReadPart(qint64 message, int part, qint64 pduId) {
    QSqlQuery& q = Cached(QStringLiteral("INSERT INTO parts(message_id, part, pdu_id) VALUES(?, ?, ?)"));
    Run(q, {message, part, pduId});
}

void MessageStore::Impl::InsertPart(qint64 message, const PartRecord& p) {
    QSqlQuery& q =
        Cached(QStringLiteral("INSERT INTO parts(message_id, part, pdu, reference, answer, report_status)"
                              " VALUES(?, ?, ?, ?, ?, ?)"));
    Run(q, {message, p.part, PduValue(Canonical(p.pdu)), Optional(p.reference), Text(p.answer),
            Optional(p.reportStatus)});
}

qint64 MessageStore::Impl::FindPdu(const QByteArray& canonical) {
    QSqlQuery& q = Cached(QStringLiteral("SELECT id, pdu FROM pdus WHERE hash = ?"));
    Run(q, {PduHash(canonical)});
    const QString text = QString::fromLatin1(canonical);
    qint64 id = 0;
    while (id == 0 && q.next())
        if (PduText(q.value(1)) == text)
            id = q.value(0).toLongLong();
    q.finish();
    return id;
}

ReceivedRecord MessageStore::Impl::Receive(const QString& modem, const QString& storage, int index,
                                           const QByteArray& canonical, qint64 whenMs,
                                           const Result<DecodedPdu>* decoded) {
    ReceivedRecord r;
    qint64 pduId = FindPdu(canonical);
    if (pduId == 0) {
        QSqlQuery& add = Cached(QStringLiteral("INSERT INTO pdus(hash, pdu) VALUES(?, ?)"));
        Run(add, {PduHash(canonical), PduValue(canonical)});
        pduId = add.lastInsertId().toLongLong();
        r.newPdu = true;
    }
    QSqlQuery& place = Cached(QStringLiteral("INSERT OR IGNORE INTO places(pdu_id, modem, storage, idx, seen)"
                                             " VALUES(?, ?, ?, ?, ?)"));
    Run(place, {pduId, Text(modem), Text(storage), index, QDateTime::currentMSecsSinceEpoch()});
    r.newPlace = place.numRowsAffected() > 0;
    if (!r.newPdu) {
        r.id = Scalar(Cached(QStringLiteral("SELECT message_id FROM parts WHERE pdu_id = ?")), {pduId}, 0)
                   .toLongLong();
        return r;
    }
    const Result<DecodedPdu> own =
        decoded ? Result<DecodedPdu>::Fail("") : DecodePdu(canonical.toStdString());
    const Result<DecodedPdu>& pdu = decoded ? *decoded : own;
    if (!pdu) {
        MessageRecord m;
        m.direction = msg::Direction::In;
        m.state = msg::State::Received;
        m.received = QDateTime::fromMSecsSinceEpoch(whenMs, Qt::UTC);
        FillFromRead(Result<ReadMessage>::Fail("its PDU could not be read: " + pdu.error()), m);
        r.id = InsertRead(m);
        InsertReadPart(r.id, 1, pduId);
        return r;
    }
    if (pdu->type == PduType::StatusReport)
        return r; // remembered as read; RecordReport is the path for reports
    r.id = NewMessageFrom(*pdu, pduId, whenMs);
    return r;
}

qint64 MessageStore::Impl::NewMessageFrom(const DecodedPdu& pdu, qint64 pduId, qint64 whenMs) {
    const long long stamp = TimestampSeconds(pdu.timestamp);
    const qint64 receivedMs = stamp != 0 ? stamp * 1000 : whenMs;
    const bool out = pdu.type == PduType::Submit; // the phone's own sent or unsent messages
    const auto part = PartOf(pdu);
    const QString number = QString::fromStdString(pdu.number);
    if (part && part->total > 1) {
        QSqlQuery& find = Cached(
            QStringLiteral("SELECT id FROM messages m WHERE complete = 0 AND peer = ? AND concat_ref = ?"
                           " AND concat_total = ? AND direction = ? AND abs(received - ?) <= ?"
                           " AND NOT EXISTS (SELECT 1 FROM parts p WHERE p.message_id = m.id AND p.part = ?)"
                           " ORDER BY id DESC LIMIT 1"));
        const qint64 joined =
            Scalar(find,
                   {ConversationKey(number), part->reference, part->total,
                    QString::fromLatin1(msg::DirectionName(out ? msg::Direction::Out : msg::Direction::In)),
                    receivedMs, kJoinWindowMs, part->seq},
                   0)
                .toLongLong();
        if (joined != 0) {
            InsertReadPart(joined, part->seq, pduId);
            QSqlQuery& earliest = Cached(QStringLiteral(
                "UPDATE messages SET received = min(received, ?), at = min(at, ?) WHERE id = ?"));
            Run(earliest, {receivedMs, receivedMs, joined});
            Rejoin(joined);
            return joined;
        }
    }
    MessageRecord m;
    m.direction = out ? msg::Direction::Out : msg::Direction::In;
    m.state = out ? msg::State::Sent : msg::State::Received;
    m.number = number;
    m.received = QDateTime::fromMSecsSinceEpoch(receivedMs, Qt::UTC);
    m.complete = !(part && part->total > 1);
    FillFromRead(ReadParts({pdu}), m);
    const bool joining = part && part->total > 1;
    const qint64 id = InsertRead(m, joining ? part : std::nullopt);
    InsertReadPart(id, joining ? part->seq : 1, pduId);
    return id;
}

// A long message read again from every part it has: the text in part order,
// complete once all came.
void MessageStore::Impl::Rejoin(qint64 message) {
    QSqlQuery& parts = Cached(QStringLiteral("SELECT d.pdu FROM parts p JOIN pdus d ON d.id = p.pdu_id"
                                             " WHERE p.message_id = ? ORDER BY p.part"));
    Run(parts, {message});
    std::vector<DecodedPdu> decoded;
    while (parts.next())
        if (auto pdu = DecodePdu(PduText(parts.value(0)).toStdString()))
            decoded.push_back(std::move(*pdu));
    parts.finish();
    MessageRecord m;
    const Result<ReadMessage> read = ReadParts(decoded);
    FillFromRead(read, m);
    const bool complete = read && read->parts && read->missing.empty();
    QSqlQuery& update = Cached(
        QStringLiteral("UPDATE messages SET kind = ?, text = ?, content = ?, complete = ? WHERE id = ?"));
    Run(update, {Text(m.kind), Text(m.text), Json(m.content), complete ? 1 : 0, message});
    Index(message,
          Scalar(Cached(QStringLiteral("SELECT number FROM messages WHERE id = ?")), {message}).toString(),
          m.text);
}

void MessageStore::Impl::LoadParts(std::vector<MessageRecord>& records) {
    if (records.empty())
        return;
    std::map<qint64, MessageRecord*> byId;
    for (MessageRecord& r : records)
        byId[r.id] = &r;
    // A few hundred ids a statement, well within SQLite's limit of bound values.
    constexpr std::size_t kChunk = 500;
    for (std::size_t start = 0; start < records.size(); start += kChunk) {
        const std::size_t n = std::min(kChunk, records.size() - start);
        QStringList marks;
        for (std::size_t i = 0; i < n; ++i)
            marks << QStringLiteral("?");
        QSqlQuery q = Prepare(
            db,
            QStringLiteral("SELECT p.message_id, p.part, coalesce(p.pdu, d.pdu), p.reference, p.answer,"
                           " p.report_status,"
                           " (SELECT l.storage FROM places l WHERE l.pdu_id = p.pdu_id ORDER BY l.seen DESC),"
                           " (SELECT l.idx FROM places l WHERE l.pdu_id = p.pdu_id ORDER BY l.seen DESC)"
                           " FROM parts p LEFT JOIN pdus d ON d.id = p.pdu_id"
                           " WHERE p.message_id IN (%1) ORDER BY p.message_id, p.part")
                .arg(marks.join(QLatin1Char(','))));
        for (std::size_t i = 0; i < n; ++i)
            q.bindValue(static_cast<int>(i), records[start + i].id);
        Run(q);
        while (q.next()) {
            PartRecord p;
            p.part = q.value(1).toInt();
            p.pdu = PduText(q.value(2));
            p.reference = OptionalInt(q.value(3));
            p.answer = q.value(4).toString();
            p.reportStatus = OptionalInt(q.value(5));
            p.storage = q.value(6).toString();
            if (!q.value(7).isNull() && q.value(7).toInt() >= 0)
                p.index = q.value(7).toInt();
            byId[q.value(0).toLongLong()]->parts.push_back(std::move(p));
        }
    }
}

// ---------------------------------------------------------------------------

MessageStore::MessageStore() : d(std::make_unique<Impl>()) {}

MessageStore::~MessageStore() {
    const QString name = d->connection;
    if (name.isEmpty())
        return;
    d->cache.clear();
    d->db.close();
    d->db = QSqlDatabase();
    QSqlDatabase::removeDatabase(name);
}

QString MessageStore::path() const { return d->path; }

void MessageStore::SetBusyTimeout(int ms) {
    QSqlQuery(d->db).exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(std::max(0, ms)));
}

namespace {

// Whether SQLite must read the file as it lies (immutable), taking no locks
// and making no -wal or -shm file: when this user may not make files beside
// the store, or the store is another user's (a -shm made by this user
// would lock its owner out). No writer has the store open then: a writer's
// -wal and -shm are there while it has, and SQLite reads through those.
bool ReadAsItLies(const QString& path) {
    if (QFileInfo::exists(path + QStringLiteral("-wal")) && QFileInfo::exists(path + QStringLiteral("-shm")))
        return false;
    const QFileInfo info(path);
    // root's -wal and -shm are given to the store's owner by SQLite itself.
    const bool mine = ::geteuid() == 0 || info.ownerId() == ::geteuid();
    // As this process is now (its effective user and capabilities).
    const bool canMake =
        ::faccessat(AT_FDCWD, QFile::encodeName(info.absolutePath()).constData(), W_OK, AT_EACCESS) == 0;
    return !(mine && canMake);
}

// What SQLite's check found first, in one line: its answer opens with
// "*** in database main ***" and holds a line for each fault.
QString FirstFinding(const QString& answer) {
    for (const QString& line : answer.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        if (!line.startsWith(QLatin1String("***")))
            return line.trimmed().left(200);
    return answer.trimmed().left(200);
}

QString OpenFailure(const QString& path, const QSqlError& e) {
    if (SaysDamaged(e)) {
        MarkDamaged(path, Why(e));
        return DamagedSentence(path, Why(e));
    }
    return QCoreApplication::translate("MessageStore", "The message store %1 could not be opened: %2")
        .arg(Shown(path), Why(e));
}

} // namespace

Result<std::unique_ptr<MessageStore>> MessageStore::Open(const QString& path, Access access) {
    using R = Result<std::unique_ptr<MessageStore>>;
    const QFileInfo info(path);
    const bool reading = access == Access::Read;
    if (!reading && !QDir().mkpath(info.absolutePath()))
        return R::Fail(QCoreApplication::translate("MessageStore",
                                                   "The folder of the message store %1 could not be made")
                           .arg(Shown(path))
                           .toStdString());
    if (info.exists() && !info.isFile())
        return R::Fail(
            NotOurs(path, QCoreApplication::translate("MessageStore", "it is not a file")).toStdString());
    if (reading && (!info.exists() || info.size() == 0))
        return R::Fail(
            QCoreApplication::translate("MessageStore", "The message store %1 could not be read: %2")
                .arg(Shown(path), QCoreApplication::translate("MessageStore", "it holds nothing yet"))
                .toStdString());
    if (!reading && info.exists() && info.size() > 0) {
        if (const QString refused = CheckHeader(path); !refused.isEmpty())
            return R::Fail(refused.toStdString());
        // Looked at through a connection that cannot write, which goes
        // before the one that may.
        const QString name = NewConnectionName();
        QString refused;
        {
            QSqlDatabase look = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            look.setDatabaseName(path);
            look.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
            if (!look.open())
                refused = SaysDamaged(look.lastError()) ? OpenFailure(path, look.lastError())
                                                        : NotOurs(path, Why(look.lastError()));
            else if (const auto checked = CheckContents(look, path); !checked)
                refused = checked.error();
            look.close();
        }
        QSqlDatabase::removeDatabase(name);
        if (!refused.isEmpty())
            return R::Fail(refused.toStdString());
    } else if (reading) {
        if (const QString refused = CheckHeader(path); !refused.isEmpty())
            return R::Fail(refused.toStdString());
    }

    std::unique_ptr<MessageStore> store(new MessageStore);
    Impl& d = *store->d;
    d.path = path;
    d.readOnly = reading;
    d.connection = NewConnectionName();
    d.db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), d.connection);
    if (reading && ReadAsItLies(path)) {
        QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
        url.setQuery(QStringLiteral("immutable=1"));
        d.db.setDatabaseName(url.toString(QUrl::FullyEncoded));
        d.db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI"));
    } else {
        d.db.setDatabaseName(path);
        if (reading)
            d.db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    }
    if (!d.db.isValid())
        return R::Fail(
            QCoreApplication::translate(
                "MessageStore", "The message store %1 could not be opened: Qt's SQLite driver is missing")
                .arg(Shown(path))
                .toStdString());
    if (!d.db.open())
        return R::Fail(OpenFailure(path, d.db.lastError()).toStdString());
    store->SetBusyTimeout(kBusyTimeoutMs);
    QSqlQuery pragma(d.db);
    pragma.exec(QStringLiteral("PRAGMA foreign_keys = ON"));
    // Checked again here: another program may have written it since.
    const auto version = CheckContents(d.db, path);
    if (!version)
        return R::Fail(version.error().toStdString());
    if (reading) {
        // An older schema lacks columns every list reads: brought up to date
        // by a program that may write it.
        if (*version < kSchemaVersion) {
            store.reset();
            return Open(path, Access::Write);
        }
        return R::Ok(std::move(store));
    }
    // Before anything is written: a store whose pages are not what SQLite
    // wrote opens for reading only. Every page is read: nearly all of an
    // opening's 11 ms on 10,000 messages and 150 ms on 100,000
    // (velmora_store_bench, warm disk).
    if (info.exists() && info.size() > 0) {
        QSqlQuery check(d.db);
        if (!check.exec(QStringLiteral("PRAGMA quick_check"))) {
            if (SaysDamaged(check.lastError()))
                MarkDamaged(path, Why(check.lastError()));
        } else if (check.next() && check.value(0).toString() != QLatin1String("ok")) {
            MarkDamaged(path, FirstFinding(check.value(0).toString()));
        }
    }
    if (DamageOf(path))
        return R::Ok(std::move(store));
    // A read-only file keeps its journal as it is; everything else in it can
    // still be read.
    pragma.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
    // NORMAL, not FULL: with a write-ahead log a committed change is in the
    // log before the call returns, so it outlives the program being killed
    // or crashing (what an Uncertain message is about); only a power cut
    // can take back the last changes before the next checkpoint, and the
    // file stays whole. FULL waits for the disk at every commit: 4.6 to 5.5
    // ms a state change here against 0.1 ms, more than a send can spare.
    pragma.exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
    // 16 MiB of pages kept in memory (2 MiB by default): the indexes of a
    // large store stay read.
    pragma.exec(QStringLiteral("PRAGMA cache_size = -16384"));
    if (*version < kSchemaVersion) {
        try {
            // One step for every program starting at once on a new store:
            // the first to take the write lock builds the schema, and each
            // after it finds the version it left, read again under the lock.
            Transaction t(d.db);
            const auto again = CheckContents(d.db, path);
            if (!again)
                return R::Fail(again.error().toStdString());
            for (int v = *again; v < kSchemaVersion; ++v)
                kSteps[static_cast<std::size_t>(v)](d.db);
            if (*again < kSchemaVersion) {
                Exec(d.db, QStringLiteral("PRAGMA application_id = %1").arg(kApplicationId));
                Exec(d.db, QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion));
            }
            t.Commit();
        } catch (const SqlFailed& f) {
            if (const auto damage = DamageOf(path); damage || SaysDamaged(f.error))
                return R::Fail(DamagedSentence(path, damage ? *damage : Why(f.error)).toStdString());
            return R::Fail(QCoreApplication::translate(
                               "MessageStore", "The message store %1 could not be brought to schema %2: %3")
                               .arg(Shown(path))
                               .arg(kSchemaVersion)
                               .arg(Why(f.error))
                               .toStdString());
        }
    }
    return R::Ok(std::move(store));
}

MessageStore::Fault MessageStore::fault() const {
    if (DamageOf(d->path))
        return Fault::Damaged;
    return d->readOnly ? Fault::ReadOnly : Fault::None;
}

QString MessageStore::faultText() const {
    if (const auto damage = DamageOf(d->path))
        return DamagedSentence(d->path, *damage);
    if (d->readOnly)
        return QCoreApplication::translate("MessageStore", "The message store %1 was opened only to be read")
            .arg(Shown(d->path));
    return {};
}

Result<QStringList> MessageStore::IntegrityCheck() {
    QSqlQuery q(d->db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("PRAGMA integrity_check(100)"))) {
        if (SaysDamaged(q.lastError())) {
            MarkDamaged(d->path, Why(q.lastError()));
            return Result<QStringList>::Ok({Why(q.lastError())});
        }
        return Result<QStringList>::Fail(
            QCoreApplication::translate("MessageStore", "The message store %1 could not be checked: %2")
                .arg(Shown(d->path), Why(q.lastError()))
                .toStdString());
    }
    QStringList found;
    while (q.next())
        found << q.value(0).toString().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (q.lastError().isValid() && SaysDamaged(q.lastError()))
        found << Why(q.lastError());
    if (found != QStringList{QStringLiteral("ok")})
        MarkDamaged(d->path, FirstFinding(found.join(QLatin1Char('\n'))));
    return Result<QStringList>::Ok(found);
}

Result<bool> MessageStore::Backup(const QString& file, bool replace) {
    using R = Result<bool>;
    const QFileInfo target(file);
    const auto failed = [&](const QString& why) {
        return R::Fail(
            QCoreApplication::translate("MessageStore", "No copy of the message store was made in %1: %2")
                .arg(Shown(file), why)
                .toStdString());
    };
    if (target.exists() && !replace)
        return failed(
            QCoreApplication::translate("MessageStore", "the file is there already (--force replaces it)"));
    if (target.exists() && !target.isFile())
        return failed(QCoreApplication::translate("MessageStore", "it is not a file"));
    if (DamageKey(file) == DamageKey(d->path))
        return failed(QCoreApplication::translate("MessageStore", "it is the store itself"));
    // Beside the copy, so that the rename cannot cross file systems; a
    // name of its own, so that two copies at once do not meet.
    const QString temporary = QStringLiteral("%1/.%2.%3.part")
                                  .arg(target.absolutePath(), target.fileName())
                                  .arg(QCoreApplication::applicationPid());
    QFile::remove(temporary);
    // A damaged store cannot be read whole: its bytes are copied as they
    // lie (with its write-ahead log beside the copy), for a rescue to read.
    // Nothing of this program writes it meanwhile.
    const auto asItLies = [&]() -> R {
        if (!QFile::copy(d->path, temporary)) {
            QFile::remove(temporary);
            return failed(QCoreApplication::translate("MessageStore", "its bytes could not be copied"));
        }
        const QString wal = d->path + QStringLiteral("-wal");
        QFile::remove(target.absoluteFilePath() + QStringLiteral("-wal"));
        if (QFileInfo(wal).size() > 0 &&
            !QFile::copy(wal, target.absoluteFilePath() + QStringLiteral("-wal"))) {
            QFile::remove(temporary);
            return failed(QCoreApplication::translate("MessageStore", "its bytes could not be copied"));
        }
        return R::Ok(false);
    };
    bool whole = true;
    if (DamageOf(d->path)) {
        if (const R copied = asItLies(); !copied)
            return copied;
        whole = false;
    } else {
        QSqlQuery q(d->db);
        const QString quoted = QString(temporary).replace(QLatin1Char('\''), QStringLiteral("''"));
        if (!q.exec(QStringLiteral("VACUUM INTO '%1'").arg(quoted))) {
            const QSqlError e = q.lastError();
            QFile::remove(temporary);
            if (!SaysDamaged(e))
                return failed(Why(e));
            MarkDamaged(d->path, Why(e));
            if (const R copied = asItLies(); !copied)
                return copied;
            whole = false;
        }
        q.finish();
    }
    {
        QFile written(temporary);
        // VACUUM INTO leaves the copy to the operating system's cache: on
        // disk before it takes the name.
        if (!written.open(QIODevice::ReadWrite) || ::fsync(written.handle()) != 0) {
            QFile::remove(temporary);
            return failed(written.errorString());
        }
    }
    // A whole copy holds everything in its one file: a log left beside an
    // earlier copy under that name would be replayed onto it when opened.
    if (whole) {
        QFile::remove(target.absoluteFilePath() + QStringLiteral("-wal"));
        QFile::remove(target.absoluteFilePath() + QStringLiteral("-shm"));
    }
    if (::rename(QFile::encodeName(temporary).constData(),
                 QFile::encodeName(target.absoluteFilePath()).constData()) != 0) {
        const QString why = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(temporary);
        return failed(why);
    }
    return R::Ok(whole);
}

QString MessageStore::CheckWritable() {
    try {
        Transaction t(d->db);
        QSqlQuery& q =
            d->Cached(QStringLiteral("INSERT OR REPLACE INTO meta(key, value) VALUES('checked', ?)"));
        Run(q, {QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs)});
        t.Commit();
        return {};
    } catch (const SqlFailed& f) {
        return QString::fromStdString(d->Failure(f));
    }
}

Result<qint64> MessageStore::AddOutgoing(const MessageRecord& message) {
    try {
        Transaction t(d->db);
        const MessageRecord& r = message;
        const qint64 id = d->InsertOutgoing(r);
        // The one it replaces says so in the same step, and only if nothing
        // replaced it yet: two programs resending one message at once record
        // one replacement, and the other is refused before any PDU leaves.
        if (r.replaces != 0) {
            QSqlQuery& mark = d->Cached(QStringLiteral(
                "UPDATE messages SET request = json_set(coalesce(request, '{}'), '$.replacedBy', ?)"
                " WHERE id = ? AND direction = 'out' AND state IN ('failed', 'uncertain', 'cancelled')"
                " AND json_extract(coalesce(request, '{}'), '$.replacedBy') IS NULL"));
            Run(mark, {id, r.replaces});
            if (mark.numRowsAffected() != 1)
                return Result<qint64>::Fail(
                    QCoreApplication::translate(
                        "MessageStore", "message %1 was sent again already, or is no longer one to send "
                                        "again")
                        .arg(r.replaces)
                        .toStdString());
        }
        t.Commit();
        return Result<qint64>::Ok(id);
    } catch (const SqlFailed& f) {
        return Result<qint64>::Fail(d->Failure(f));
    }
}

Result<bool> MessageStore::SetState(qint64 id, msg::State state, msg::Reason reason, std::optional<int> code,
                                    const QDateTime& when) {
    const qint64 at = when.toMSecsSinceEpoch();
    auto update = state == msg::State::Sending ? &Impl::DurableUpdate : &Impl::Update;
    return (d.get()->*update)(
        QStringLiteral("UPDATE messages SET state = ?, reason = ?, reason_code = ?,"
                       " sent = CASE WHEN ? THEN coalesce(sent, ?) ELSE sent END,"
                       " delivered = CASE WHEN ? THEN ? ELSE delivered END, owner = ? WHERE id = ?"),
        {QString::fromLatin1(msg::StateName(state)), Text(QString::fromLatin1(msg::ReasonName(reason))),
         Optional(code), state == msg::State::Sent, at, state == msg::State::Delivered, at,
         state == msg::State::Sending ? QVariant(ThisProcess()) : QVariant(), id});
}

Result<bool> MessageStore::SetPartSent(qint64 id, int part, std::optional<int> reference,
                                       const QString& answer) {
    return d->Update(
        QStringLiteral(
            "UPDATE parts SET reference = ?, answer = ?, sent = ? WHERE message_id = ? AND part = ?"),
        {Optional(reference), Text(answer), QDateTime::currentMSecsSinceEpoch(), id, part});
}

Result<qint64> MessageStore::RecordReport(const ModemId& modem, int reference, int status,
                                          const QDateTime& when) {
    try {
        Transaction t(d->db);
        // The modem by its SIM when both sides know it, else by its port.
        QSqlQuery& find = d->Cached(
            QStringLiteral("SELECT p.id, p.message_id FROM parts p JOIN messages m ON m.id = p.message_id"
                           " WHERE p.reference = ? AND p.report_status IS NULL AND m.direction = 'out'"
                           " AND ((? <> '' AND m.modem_imsi = ?)"
                           " OR ((? = '' OR m.modem_imsi = '') AND m.modem_device = ?))"
                           " ORDER BY p.sent DESC, p.id DESC LIMIT 1"));
        const QString imsi = Text(modem.imsi);
        Run(find, {reference, imsi, imsi, imsi, Text(modem.device)});
        if (!find.next()) {
            find.finish();
            return Result<qint64>::Ok(0);
        }
        const qint64 part = find.value(0).toLongLong();
        const qint64 message = find.value(1).toLongLong();
        find.finish();
        // A centre still trying sends its final report later.
        if (!IsFinalStatus(status))
            return Result<qint64>::Ok(message);
        QSqlQuery& mark =
            d->Cached(QStringLiteral("UPDATE parts SET report_status = ?, report_time = ? WHERE id = ?"));
        Run(mark, {status, when.toMSecsSinceEpoch(), part});
        if (!IsDelivered(status)) {
            QSqlQuery& failed =
                d->Cached(QStringLiteral("UPDATE messages SET state = 'not-delivered',"
                                         " reason = 'report-failed', reason_code = ? WHERE id = ?"));
            Run(failed, {status, message});
        } else {
            const int waiting =
                Scalar(d->Cached(QStringLiteral("SELECT count(*) FROM parts WHERE message_id = ?"
                                                " AND (report_status IS NULL OR report_status >= 32)")),
                       {message}, 0)
                    .toInt();
            if (waiting == 0) {
                QSqlQuery& delivered =
                    d->Cached(QStringLiteral("UPDATE messages SET state = 'delivered', reason = '',"
                                             " reason_code = NULL, delivered = ? WHERE id = ?"));
                Run(delivered, {when.toMSecsSinceEpoch(), message});
            }
        }
        t.Commit();
        return Result<qint64>::Ok(message);
    } catch (const SqlFailed& f) {
        return Result<qint64>::Fail(d->Failure(f));
    }
}

Result<bool> MessageStore::SetText(qint64 id, const QString& text) {
    try {
        Transaction t(d->db);
        QSqlQuery& q = d->Cached(QStringLiteral("UPDATE messages SET text = ? WHERE id = ?"));
        Run(q, {Text(text), id});
        const bool changed = q.numRowsAffected() > 0;
        if (changed) {
            QSqlQuery& number = d->Cached(QStringLiteral("SELECT number FROM messages WHERE id = ?"));
            Run(number, {id});
            const QString n = number.next() ? number.value(0).toString() : QString();
            number.finish();
            d->Index(id, n, text);
        }
        t.Commit();
        return Result<bool>::Ok(changed);
    } catch (const SqlFailed& f) {
        return Result<bool>::Fail(d->Failure(f));
    }
}

Result<int> MessageStore::MarkInterrupted() {
    try {
        Transaction t(d->db);
        QSqlQuery& left = d->Cached(QStringLiteral("SELECT id, owner FROM messages WHERE state = 'sending'"));
        Run(left);
        std::vector<qint64> stopped;
        while (left.next())
            if (!StillRunning(left.value(1).toString()))
                stopped.push_back(left.value(0).toLongLong());
        left.finish();
        QSqlQuery& q = d->Cached(QStringLiteral("UPDATE messages SET state = 'uncertain', reason = 'stopped',"
                                                " reason_code = NULL, owner = NULL WHERE id = ?"));
        for (const qint64 id : stopped)
            Run(q, {id});
        t.Commit();
        return Result<int>::Ok(static_cast<int>(stopped.size()));
    } catch (const SqlFailed& f) {
        return Result<int>::Fail(d->Failure(f));
    }
}

Result<bool> MessageStore::SetModem(qint64 id, const ModemId& modem) {
    return d->Update(QStringLiteral("UPDATE messages SET modem_imsi = ?, modem_device = ? WHERE id = ?"),
                     {Text(modem.imsi), Text(modem.device), id});
}

Result<ReceivedRecord> MessageStore::AddReceived(const ModemId& modem, const QString& storage,
                                                 std::optional<int> index, const QString& pdu,
                                                 const QDateTime& when) {
    using R = Result<ReceivedRecord>;
    const QByteArray canonical = Canonical(pdu);
    const QString place = index ? storage + QLatin1Char(':') + QString::number(*index) : storage;
    if (canonical.isEmpty())
        return R::Fail(QCoreApplication::translate(
                           "MessageStore", "The message from %1 was not recorded: the phone gave no PDU")
                           .arg(place)
                           .toStdString());
    if (canonical.size() > kMaxPduChars)
        return R::Fail(
            QCoreApplication::translate(
                "MessageStore", "The message from %1 was not recorded: its PDU is longer than %2 characters")
                .arg(place)
                .arg(kMaxPduChars)
                .toStdString());
    try {
        Transaction t(d->db);
        const ReceivedRecord r = d->Receive(ModemKey(modem), storage, index.value_or(-1), canonical,
                                            when.toMSecsSinceEpoch(), nullptr);
        t.Commit();
        return R::Ok(r);
    } catch (const SqlFailed& f) {
        return R::Fail(d->Failure(f));
    }
}

bool MessageStore::HasPdu(const QString& pdu) {
    try {
        return d->FindPdu(Canonical(pdu)) != 0;
    } catch (const SqlFailed& f) {
        d->Saw(f);
        return false;
    }
}

ImportReport MessageStore::ImportReceivedLog(const QString& logPath) {
    ImportReport report;
    QFile file(logPath);
    if (!file.exists()) {
        report.error = QCoreApplication::translate("MessageStore", "The received log %1 does not exist")
                           .arg(Shown(logPath));
        return report;
    }
    if (file.size() > kMaxLogBytes) {
        report.error = QCoreApplication::translate(
                           "MessageStore", "The received log %1 is larger than 512 MiB; nothing was imported")
                           .arg(Shown(logPath));
        return report;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        report.error =
            QCoreApplication::translate("MessageStore", "The received log %1 could not be read: %2")
                .arg(Shown(logPath), file.errorString());
        return report;
    }
    const Designators words;
    std::optional<Transaction> batch;
    int inBatch = 0;
    int lineNumber = 0;
    const auto take = [&](const QByteArray& raw) {
        const auto line = ParseLogLine(raw, words);
        if (!line) {
            report.bad.emplace_back(lineNumber, line.error());
            return;
        }
        const Result<DecodedPdu> pdu = DecodePdu(line->pdu.toStdString());
        if (!pdu) {
            report.bad.emplace_back(
                lineNumber, QCoreApplication::translate("MessageStore", "its PDU could not be read: %1")
                                .arg(QString::fromStdString(pdu.error())));
            return;
        }
        if (!batch)
            batch.emplace(d->db);
        const ReceivedRecord r = d->Receive(QString(), QString(), -1, line->pdu, line->whenMs, &pdu);
        ++(r.newPdu ? report.imported : report.duplicates);
        if (++inBatch == kImportBatch) {
            batch->Commit();
            batch.reset();
            inBatch = 0;
        }
    };
    try {
        QByteArray line;
        bool tooLong = false;
        QByteArray chunk;
        const auto end = [&] {
            ++lineNumber;
            if (tooLong)
                report.bad.emplace_back(lineNumber,
                                        QCoreApplication::translate("MessageStore", "longer than 4 KiB"));
            else if (!line.trimmed().isEmpty())
                take(line);
            line.clear();
            tooLong = false;
        };
        while (!(chunk = file.read(1 << 16)).isEmpty()) {
            qsizetype start = 0;
            while (start < chunk.size()) {
                const qsizetype newline = chunk.indexOf('\n', start);
                const qsizetype stop = newline < 0 ? chunk.size() : newline;
                if (!tooLong) {
                    line.append(chunk.constData() + start, stop - start);
                    if (line.size() > kMaxLogLine) {
                        tooLong = true;
                        line.clear();
                    }
                }
                if (newline < 0)
                    break;
                end();
                start = newline + 1;
            }
        }
        if (!line.isEmpty() || tooLong)
            end();
        if (file.error() != QFileDevice::NoError)
            report.error = QCoreApplication::translate("MessageStore",
                                                       "The received log %1 could not be read to its end: %2")
                               .arg(Shown(logPath), file.errorString());
        if (batch)
            batch->Commit();
    } catch (const SqlFailed& f) {
        report.error = QString::fromStdString(d->Failure(f));
    }
    return report;
}

bool MessageStore::IsEmpty() {
    try {
        return Scalar(d->db, QStringLiteral("SELECT EXISTS (SELECT 1 FROM messages)"), {}, 0).toInt() == 0;
    } catch (const SqlFailed& f) {
        d->Saw(f);
        return true;
    }
}

std::optional<MessageRecord> MessageStore::Message(qint64 id) {
    try {
        QSqlQuery q =
            Prepare(d->db, QStringLiteral("SELECT %1 FROM messages m WHERE m.id = ?").arg(kMessageColumns));
        Run(q, {id});
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

qint64 MessageStore::ReplacedBy(qint64 id) {
    try {
        // The replaced message names its replacement, written in the step
        // that recorded it; it stays named when the replacement is deleted.
        return Scalar(
                   d->db,
                   QStringLiteral("SELECT json_extract(coalesce(request, '{}'), '$.replacedBy') FROM messages"
                                  " WHERE id = ?"),
                   {id})
            .toLongLong();
    } catch (const SqlFailed&) {
        return 0;
    }
}

std::vector<MessageRecord> MessageStore::Messages(const HistoryQuery& query) {
    std::vector<MessageRecord> out;
    const auto list = [&](bool newest) {
        out.clear();
        QSqlQuery q = ListMessages(d->db, query, newest);
        while (q.next())
            out.push_back(RecordAt(q));
    };
    try {
        // A page found among the newest messages is the page: every other
        // message is older than all of them.
        const bool page = IsSearchPage(query);
        if (page)
            list(true);
        if (!page || out.size() < static_cast<std::size_t>(query.limit))
            list(false);
        d->LoadParts(out);
    } catch (const SqlFailed& f) {
        d->Saw(f);
        out.clear();
    }
    return out;
}

Result<int> MessageStore::EachMessage(const HistoryQuery& query,
                                      const std::function<bool(const MessageRecord&)>& take) {
    using R = Result<int>;
    int given = 0;
    // A page of a search is found among the newest first (Messages): as
    // long as the page, never the whole store.
    if (IsSearchPage(query)) {
        for (const MessageRecord& m : Messages(query)) {
            ++given;
            if (!take(m))
                break;
        }
        return R::Ok(given);
    }
    try {
        QSqlQuery q = ListMessages(d->db, query, false);
        // Their parts are read for a few hundred at a time: one statement
        // a message would cost more than the message.
        constexpr std::size_t kChunk = 256;
        std::vector<MessageRecord> chunk;
        bool more = true;
        const auto hand = [&] {
            d->LoadParts(chunk);
            for (const MessageRecord& m : chunk) {
                ++given;
                if (!take(m)) {
                    more = false;
                    break;
                }
            }
            chunk.clear();
        };
        // The first rows go out at once, the rest in chunks.
        std::size_t next = 1;
        while (more && q.next()) {
            chunk.push_back(RecordAt(q));
            if (chunk.size() >= next) {
                hand();
                next = kChunk;
            }
        }
        if (more && q.lastError().isValid())
            throw SqlFailed{q.lastError()};
        q.finish();
        if (more)
            hand();
        return R::Ok(given);
    } catch (const SqlFailed& f) {
        d->Saw(f);
        if (const auto damage = DamageOf(d->path))
            return R::Fail(DamagedSentence(d->path, *damage).toStdString());
        return R::Fail(
            QCoreApplication::translate("MessageStore", "The message store %1 could not be read: %2")
                .arg(Shown(d->path), Why(f.error))
                .toStdString());
    }
}

int MessageStore::Count(const HistoryQuery& query) {
    try {
        const Filter f = FilterFor(query);
        QSqlQuery q = Prepare(d->db, QStringLiteral("SELECT count(*) FROM messages m%1").arg(f.where));
        Bind(q, f.values);
        Run(q);
        return q.next() ? q.value(0).toInt() : 0;
    } catch (const SqlFailed& f) {
        d->Saw(f);
        return 0;
    }
}

std::vector<Conversation> MessageStore::Conversations(const QString& search) {
    std::vector<Conversation> out;
    try {
        HistoryQuery query;
        query.search = search;
        const Filter f = FilterFor(query);
        // The number and text beside max(at) are the newest message's. With
        // nothing to search, the counts come from the index by conversation
        // alone and only each newest message is read.
        const QString sql =
            f.where.isEmpty()
                ? QStringLiteral(
                      "SELECT g.peer, m.number, m.text, g.last, g.n,"
                      " (SELECT b.name FROM phonebook b WHERE b.peer = g.peer ORDER BY b.id LIMIT 1),"
                      " m.kind, m.content"
                      " FROM (SELECT peer, max(at) AS last, count(*) AS n FROM messages GROUP BY peer) g"
                      " JOIN messages m ON m.id = (SELECT x.id FROM messages x WHERE x.peer = g.peer"
                      " ORDER BY x.at DESC, x.id DESC LIMIT 1)"
                      " ORDER BY g.last DESC")
                : QStringLiteral(
                      "SELECT m.peer, m.number, m.text, max(m.at), count(*),"
                      " (SELECT b.name FROM phonebook b WHERE b.peer = m.peer ORDER BY b.id LIMIT 1),"
                      " m.kind, m.content"
                      " FROM messages m%1 GROUP BY m.peer ORDER BY max(m.at) DESC")
                      .arg(f.where);
        QSqlQuery q = Prepare(d->db, sql);
        Bind(q, f.values);
        Run(q);
        while (q.next()) {
            Conversation c;
            c.key = q.value(0).toString();
            c.number = q.value(1).toString();
            // A logo's or a tune's words are made as they are read.
            MessageRecord newest;
            newest.text = q.value(2).toString();
            newest.kind = q.value(6).toString();
            newest.content = Object(q.value(7));
            c.lastText = terms::MessageText(newest);
            c.last = Time(q.value(3));
            c.count = q.value(4).toInt();
            c.name = q.value(5).toString();
            out.push_back(std::move(c));
        }
    } catch (const SqlFailed& f) {
        d->Saw(f);
        out.clear();
    }
    return out;
}

Result<bool> MessageStore::Delete(qint64 id) {
    try {
        Transaction t(d->db);
        QSqlQuery& q = d->Cached(QStringLiteral("DELETE FROM messages WHERE id = ?"));
        Run(q, {id});
        const bool deleted = q.numRowsAffected() > 0;
        Run(d->Cached(QStringLiteral("DELETE FROM search WHERE rowid = ?")), {id});
        t.Commit();
        return Result<bool>::Ok(deleted);
    } catch (const SqlFailed& f) {
        return Result<bool>::Fail(d->Failure(f));
    }
}

namespace {
// What may go: not a message still to be sent, nor one on its way.
const char kOldWhere[] = " WHERE at < ? AND state NOT IN ('queued', 'sending')";
} // namespace

int MessageStore::CountBefore(const QDateTime& before) {
    try {
        return Scalar(d->db, QStringLiteral("SELECT count(*) FROM messages") + QLatin1String(kOldWhere),
                      {before.toMSecsSinceEpoch()}, 0)
            .toInt();
    } catch (const SqlFailed& f) {
        d->Saw(f);
        return 0;
    }
}

Result<int> MessageStore::DeleteBefore(const QDateTime& before) {
    try {
        Transaction t(d->db);
        const qint64 ms = before.toMSecsSinceEpoch();
        Exec(d->db, QStringLiteral("DELETE FROM search WHERE rowid IN (SELECT id FROM messages%1)")
                        .arg(QLatin1String(kOldWhere))
                        .replace(QLatin1Char('?'), QString::number(ms)));
        QSqlQuery q = Prepare(d->db, QStringLiteral("DELETE FROM messages") + QLatin1String(kOldWhere));
        Run(q, {ms});
        const int deleted = q.numRowsAffected();
        t.Commit();
        return Result<int>::Ok(deleted);
    } catch (const SqlFailed& f) {
        return Result<int>::Fail(d->Failure(f));
    }
}

Result<bool> MessageStore::SavePhonebook(const std::vector<std::pair<QString, QString>>& nameAndNumber) {
    try {
        Transaction t(d->db);
        Exec(d->db, QStringLiteral("DELETE FROM phonebook"));
        QSqlQuery& q =
            d->Cached(QStringLiteral("INSERT INTO phonebook(name, number, peer, fold) VALUES(?, ?, ?, ?)"));
        for (const auto& [name, number] : nameAndNumber)
            Run(q, {Text(name), Text(number), Text(ConversationKey(number)), Text(name.toCaseFolded())});
        t.Commit();
        return Result<bool>::Ok(true);
    } catch (const SqlFailed& f) {
        return Result<bool>::Fail(d->Failure(f));
    }
}

QString MessageStore::NameFor(const QString& number) {
    try {
        return Scalar(d->db, QStringLiteral("SELECT name FROM phonebook WHERE peer = ? ORDER BY id LIMIT 1"),
                      {ConversationKey(number)})
            .toString();
    } catch (const SqlFailed& f) {
        d->Saw(f);
        return {};
    }
}

// ---- many recipients

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
        QSqlQuery& add = d->Cached(QStringLiteral(
            "INSERT INTO batches(name, key, created, state, pause_reason, interval_ms, per_hour,"
            " start_at, expire_at, retries) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        const BatchPacing& p = batch.pacing;
        Run(add, {Text(batch.name), Text(batch.key), created.toMSecsSinceEpoch(), Name(batch.state),
                  Name(batch.pauseReason), p.intervalMs, p.perHour, Millis(p.startAt), Millis(p.expireAt),
                  p.retries});
        const qint64 id = add.lastInsertId().toLongLong();
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
            if (!r.created.isValid())
                r.created = created;
            d->InsertOutgoing(r);
        }
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

std::optional<MessageRecord> MessageStore::NextQueued(qint64 batch) {
    try {
        // NULL sorts first: a message without a pause of its own is due now.
        QSqlQuery& q =
            d->Cached(QStringLiteral("SELECT %1 FROM messages m WHERE m.batch_id = ? AND m.state = 'queued'"
                                     " ORDER BY m.not_before, m.position LIMIT 1")
                          .arg(kMessageColumns));
        Run(q, {batch});
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

Result<bool> MessageStore::Claim(qint64 id, const QDateTime& now) {
    // One statement: of two programs claiming the same message, the second
    // finds it no longer queued.
    return d->DurableUpdate(
        QStringLiteral("UPDATE messages SET state = 'sending', reason = '', reason_code = NULL,"
                       " owner = ?, tries = tries + 1, started = ? WHERE id = ? AND state = 'queued'"),
        {ThisProcess(), now.toMSecsSinceEpoch(), id});
}

Result<bool> MessageStore::Requeue(qint64 id, const QDateTime& notBefore, msg::Reason reason,
                                   std::optional<int> code, bool refundTry) {
    return d->Update(
        QStringLiteral("UPDATE messages SET state = 'queued', not_before = ?, reason = ?,"
                       " reason_code = ?, tries = CASE WHEN ? THEN max(tries - 1, 0) ELSE tries END,"
                       " owner = NULL WHERE id = ? AND state IN ('failed', 'uncertain', 'cancelled')"
                       " AND json_extract(coalesce(request, '{}'), '$.replacedBy') IS NULL"),
        {Millis(notBefore), Name(reason), Optional(code), refundTry, id});
}

Result<std::vector<qint64>> MessageStore::ExpireQueued(const QDateTime& now) {
    using R = Result<std::vector<qint64>>;
    try {
        Transaction t(d->db);
        // A cancelled batch has nothing queued of its own; one requeued by
        // hand since waits for the user, not the clock.
        const QString late = QStringLiteral(
            "m.state = 'queued' AND m.batch_id IN (SELECT id FROM batches WHERE state IN ('active', 'paused')"
            " AND expire_at IS NOT NULL AND expire_at < ?)");
        const std::vector<qint64> ids = d->Ids(
            d->Cached(QStringLiteral("SELECT m.id FROM messages m WHERE %1 ORDER BY m.batch_id, m.position")
                          .arg(late)),
            {now.toMSecsSinceEpoch()});
        if (!ids.empty())
            Run(d->Cached(QStringLiteral("UPDATE messages AS m SET state = 'failed', reason = 'expired',"
                                         " reason_code = NULL WHERE %1")
                              .arg(late)),
                {now.toMSecsSinceEpoch()});
        t.Commit();
        return R::Ok(ids);
    } catch (const SqlFailed& f) {
        return R::Fail(d->Failure(f));
    }
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
        const std::vector<qint64> ids =
            d->Ids(d->Cached(QStringLiteral(
                       "SELECT id FROM messages WHERE batch_id = ? AND state = 'queued' ORDER BY position")),
                   {id});
        Run(d->Cached(QStringLiteral("UPDATE messages SET state = 'cancelled', reason = 'cancelled',"
                                     " reason_code = NULL WHERE batch_id = ? AND state = 'queued'")),
            {id});
        Run(d->Cached(QStringLiteral("UPDATE batches SET state = 'cancelled' WHERE id = ?")), {id});
        t.Commit();
        return R::Ok(ids);
    } catch (const SqlFailed& f) {
        return R::Fail(d->Failure(f));
    }
}

// ---- groups

std::vector<GroupMember> MessageStore::Impl::Members(qint64 group) {
    QSqlQuery& q =
        Cached(QStringLiteral("SELECT name, number FROM group_members WHERE group_id = ? ORDER BY position"));
    Run(q, {group});
    std::vector<GroupMember> out;
    while (q.next())
        out.push_back({q.value(0).toString(), q.value(1).toString()});
    q.finish();
    return out;
}

std::vector<Group> MessageStore::Groups() {
    std::vector<Group> out;
    try {
        QSqlQuery& q = d->Cached(QStringLiteral("SELECT id, name FROM groups ORDER BY id"));
        Run(q);
        while (q.next())
            out.push_back({q.value(0).toLongLong(), q.value(1).toString(), {}});
        q.finish();
        // As the user's language sorts them ("Ärzte" with the A's), not by
        // code point; SQLite knows no language.
        QCollator collator;
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        std::stable_sort(out.begin(), out.end(), [&](const Group& a, const Group& b) {
            return collator.compare(a.name, b.name) < 0;
        });
        for (Group& g : out)
            g.members = d->Members(g.id);
    } catch (const SqlFailed& f) {
        d->Saw(f);
        out.clear();
    }
    return out;
}

std::optional<Group> MessageStore::GroupNamed(const QString& name) {
    try {
        QSqlQuery& q = d->Cached(QStringLiteral("SELECT id, name FROM groups WHERE fold = ?"));
        Run(q, {Text(name.trimmed().toCaseFolded())});
        if (!q.next())
            return std::nullopt;
        Group g{q.value(0).toLongLong(), q.value(1).toString(), {}};
        q.finish();
        g.members = d->Members(g.id);
        return g;
    } catch (const SqlFailed& f) {
        d->Saw(f);
        return std::nullopt;
    }
}

Result<qint64> MessageStore::SaveGroup(const Group& group) {
    using R = Result<qint64>;
    const QString name = group.name.trimmed();
    if (name.isEmpty())
        return R::Fail(translate("MessageStore", "A group needs a name"));
    const QString fold = name.toCaseFolded();
    try {
        Transaction t(d->db);
        const QString other =
            Scalar(d->Cached(QStringLiteral("SELECT name FROM groups WHERE fold = ? AND id <> ?")),
                   {fold, group.id})
                .toString();
        if (!other.isNull())
            return R::Fail(
                QCoreApplication::translate("MessageStore", "There is already a group named \"%1\"")
                    .arg(other)
                    .toStdString());
        qint64 id = group.id;
        if (id == 0) {
            QSqlQuery& add = d->Cached(QStringLiteral("INSERT INTO groups(name, fold) VALUES(?, ?)"));
            Run(add, {name, fold});
            id = add.lastInsertId().toLongLong();
        } else {
            QSqlQuery& rename =
                d->Cached(QStringLiteral("UPDATE groups SET name = ?, fold = ? WHERE id = ?"));
            Run(rename, {name, fold, id});
            if (rename.numRowsAffected() == 0)
                return R::Fail(QCoreApplication::translate(
                                   "MessageStore", "The group \"%1\" is no longer there: it was deleted")
                                   .arg(name)
                                   .toStdString());
            Run(d->Cached(QStringLiteral("DELETE FROM group_members WHERE group_id = ?")), {id});
        }
        QSqlQuery& member = d->Cached(
            QStringLiteral("INSERT INTO group_members(group_id, position, name, number) VALUES(?, ?, ?, ?)"));
        for (std::size_t i = 0; i < group.members.size(); ++i)
            Run(member,
                {id, static_cast<int>(i), Text(group.members[i].name), Text(group.members[i].number)});
        t.Commit();
        return R::Ok(id);
    } catch (const SqlFailed& f) {
        return R::Fail(d->Failure(f));
    }
}

Result<bool> MessageStore::DeleteGroup(qint64 id) {
    // Its members go with it (ON DELETE CASCADE).
    return d->Update(QStringLiteral("DELETE FROM groups WHERE id = ?"), {id});
}

std::vector<QString> MessageStore::NumbersNamed(const QString& name) {
    std::vector<QString> out;
    const QString folded = name.trimmed().toCaseFolded();
    if (folded.isEmpty())
        return out;
    try {
        // The same number kept twice under the name, however written
        // ("+62812...", "0812..."), is one recipient.
        QSqlQuery& q = d->Cached(QStringLiteral(
            "SELECT number FROM phonebook WHERE trim(fold) = ? GROUP BY peer ORDER BY min(id)"));
        Run(q, {folded});
        while (q.next())
            out.push_back(q.value(0).toString());
        q.finish();
    } catch (const SqlFailed& f) {
        d->Saw(f);
        out.clear();
    }
    return out;
}

} // namespace velmora
