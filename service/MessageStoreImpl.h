#pragma once

// What the files of the message store share and nothing else uses: the
// statements' plumbing (a failed one throws SqlFailed, caught where a call
// gives its Result), the store's own conversions of values, the record of
// a message as its columns read, the registry of damaged stores, and the
// connection (MessageStore::Impl). Each MessageStore*.cpp holds one
// concern: the file and its schema (MessageStore.cpp), messages, the
// outbox's queue and batches, groups and the phone book, modems, and the
// received log's import.

#include "MessageStore.h"
#include "MessageStoreSql.h"

#include "Inbox.h"
#include "MessageReader.h"
#include "PduDecoder.h"
#include "Said.h"
#include "StatusReport.h"
#include "Strings.h"
#include "Terms.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QMutex>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QSysInfo>
#include <QVariant>

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>

namespace velmora::store {

// Thrown inside the store by a statement that failed, caught where a call
// gives its Result: every step of a change either happens or none does.
struct SqlFailed {
    QSqlError error;
};

inline QString Shown(const QString& path) { return QDir::toNativeSeparators(path); }

// SQLite's own words ("database is locked", "attempt to write a readonly
// database", "database or disk is full"), else Qt's.
inline QString Why(const QSqlError& e) {
    const QString text = e.databaseText().isEmpty() ? e.text() : e.databaseText();
    return text.isEmpty() ? QCoreApplication::translate("MessageStore", "unknown error") : text;
}

// SQLite's SQLITE_CORRUPT (11) and SQLITE_NOTADB (26), in their extended
// forms too: the file's pages are not what SQLite wrote.
inline bool SaysDamaged(const QSqlError& e) {
    bool ok = false;
    // A server's codes are SQLSTATEs of five characters, some all digits
    // ("23505"): never SQLite's.
    const QString native = e.nativeErrorCode();
    const int code = native.size() < 5 ? native.toInt(&ok) : 0;
    if (ok && ((code & 0xff) == 11 || (code & 0xff) == 26))
        return true;
    const QString text = e.databaseText();
    return text.contains(QLatin1String("database disk image is malformed")) ||
           text.contains(QLatin1String("file is not a database"));
}

// Every store this program found damaged, by its absolute path, and what
// SQLite said: once seen, never written again while the program lives,
// whichever connection or window opens it next.
inline QMutex damageLock;
inline std::map<QString, QString>& DamageSeen() {
    static std::map<QString, QString> seen;
    return seen;
}
inline QString DamageKey(const QString& path) { return QFileInfo(path).absoluteFilePath(); }

inline void MarkDamaged(const QString& path, const QString& what) {
    const QMutexLocker lock(&damageLock);
    DamageSeen().emplace(DamageKey(path), what.isEmpty() ? QStringLiteral("?") : what);
}

inline std::optional<QString> DamageOf(const QString& path) {
    const QMutexLocker lock(&damageLock);
    const auto it = DamageSeen().find(DamageKey(path));
    return it == DamageSeen().end() ? std::nullopt : std::optional<QString>(it->second);
}

inline QString DamagedSentence(const QString& path, const QString& what) {
    return terms::StoreProblemText({StoreProblem::Reason::Damaged, path, what});
}

// Why a change failed: the store damaged (now or before), or SQLite's words.
inline StoreProblem WriteProblem(const QString& path, const QSqlError& e) {
    if (SaysDamaged(e))
        MarkDamaged(path, Why(e));
    if (const auto damage = DamageOf(path))
        return {StoreProblem::Reason::Damaged, path, *damage};
    return {StoreProblem::Reason::WriteFailed, path, Why(e)};
}

inline QSqlQuery Prepare(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery q(db);
    // Qt reads a server's rows one at a time when forward only, and then
    // the connection runs no other statement until the last is read: a
    // list that reads each message's parts as it goes would break off.
    q.setForwardOnly(db.driverName() != QLatin1String("QPSQL"));
    if (!q.prepare(sql))
        throw SqlFailed{q.lastError()};
    return q;
}

inline void Run(QSqlQuery& q) {
    if (!q.exec())
        throw SqlFailed{q.lastError()};
}

// A server's text holds no U+0000 (libpq would cut the text there): a
// phone's text that has one keeps the rest, with U+FFFD in its place.
inline QVariant ForServer(const QVariant& v) {
    if (v.typeId() != QMetaType::QString)
        return v;
    QString text = v.toString();
    if (!text.contains(QChar(0)))
        return v;
    return text.replace(QChar(0), QChar(QChar::ReplacementCharacter));
}

inline void Run(QSqlQuery& q, std::initializer_list<QVariant> values) {
    const bool server = q.driver() && q.driver()->dbmsType() == QSqlDriver::PostgreSQL;
    int i = 0;
    for (const QVariant& v : values)
        q.bindValue(i++, server ? ForServer(v) : v);
    Run(q);
}

inline void Exec(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery q(db);
    if (!q.exec(sql))
        throw SqlFailed{q.lastError()};
}

// The first column of the first row, or `otherwise`.
inline QVariant Scalar(QSqlQuery& q, std::initializer_list<QVariant> values, const QVariant& otherwise = {}) {
    Run(q, values);
    QVariant v = q.next() ? q.value(0) : otherwise;
    q.finish();
    return v;
}

inline QVariant Scalar(const QSqlDatabase& db, const QString& sql,
                       std::initializer_list<QVariant> values = {}, const QVariant& otherwise = {}) {
    QSqlQuery q = Prepare(db, sql);
    return Scalar(q, values, otherwise);
}

// BEGIN IMMEDIATE: the write lock is taken at once (waiting out another
// writer up to the busy timeout) rather than at the first write, where a
// reader turned writer could only fail. On a server, the advisory lock
// that stands for it, but for a claim (`Rows`): it locks only the rows it
// takes, so that programs on several boxes claim side by side.
class Transaction {
public:
    enum Locking { Store, Rows };
    explicit Transaction(const QSqlDatabase& db, Locking locking = Store) : m_db(db) {
        // A damaged store is never written: SQLite could only spread the
        // damage, and what is lost must stay where a copy can save it.
        if (const auto damage = DamageOf(m_db.databaseName())) {
            m_open = false;
            throw SqlFailed{QSqlError(*damage, *damage, QSqlError::StatementError, QStringLiteral("11"))};
        }
        const sql::Dialect dialect = sql::Dialect::Of(m_db);
        Exec(m_db, dialect.BeginWrite());
        // A lock not had in time leaves the server's transaction aborted:
        // ended here, as the destructor of one never made does not run.
        if (dialect.pg && locking == Store) {
            try {
                Exec(m_db, dialect.WriteLock());
            } catch (const SqlFailed&) {
                QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
                throw;
            }
        }
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
inline QString Text(const QString& s) { return s.isNull() ? QStringLiteral("") : s; }

inline QVariant Optional(const std::optional<int>& v) {
    return v ? QVariant(*v) : QVariant(QMetaType(QMetaType::Int));
}
inline QVariant Millis(const QDateTime& t) {
    return t.isValid() ? QVariant(t.toMSecsSinceEpoch()) : QVariant(QMetaType(QMetaType::LongLong));
}
inline QDateTime Time(const QVariant& v) {
    return v.isNull() ? QDateTime() : QDateTime::fromMSecsSinceEpoch(v.toLongLong(), Qt::UTC);
}
inline std::optional<int> OptionalInt(const QVariant& v) {
    return v.isNull() ? std::nullopt : std::optional<int>(v.toInt());
}
inline QString Json(const QJsonObject& o) {
    return o.isEmpty() ? QString() : QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}
inline QJsonObject Object(const QVariant& v) {
    return v.isNull() ? QJsonObject() : QJsonDocument::fromJson(v.toString().toUtf8()).object();
}

// What a search looks through, in any case: the number and the text
// folded (Unicode's case folding, so "ΚΑΛΗΜΕΡΑ" is found as "καλημερα").
inline QString Folded(const QString& number, const QString& text) {
    return (number + QLatin1Char('\n') + text).toCaseFolded();
}

// ---- PDUs as the store keeps them

// The PDU as compared: white space round it gone, hex in capitals (the
// received log compares the same way).
inline QByteArray Canonical(const QString& pdu) { return pdu.trimmed().toUpper().toLatin1(); }

inline bool IsHex(const QByteArray& text) {
    return !text.isEmpty() && text.size() % 2 == 0 && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
    });
}

// A server's column of octets holds only octets: what a phone gave that is
// not hex is kept behind this mark, which no PDU starts with (its first
// octet is the length of the centre's address, at most 12).
inline constexpr char kTextMark[] = "\xFFtext:";

// Hex as its octets (half the size); anything else as the text it is.
inline QVariant PduValue(const QByteArray& canonical, bool server = false) {
    if (IsHex(canonical))
        return QByteArray::fromHex(canonical);
    if (server)
        return QByteArray(kTextMark) + canonical;
    return QString::fromLatin1(canonical);
}

inline QString PduText(const QVariant& v, bool server = false) {
    if (v.typeId() == QMetaType::QByteArray) {
        const QByteArray octets = v.toByteArray();
        if (server && octets.startsWith(kTextMark))
            return QString::fromLatin1(octets.mid(static_cast<qsizetype>(sizeof kTextMark) - 1));
        return QString::fromLatin1(octets.toHex().toUpper());
    }
    return v.toString();
}

// FNV-1a: the index of the PDUs holds eight octets instead of the PDU; a
// match is checked against the PDU itself.
inline qint64 PduHash(const QByteArray& canonical) {
    quint64 h = 1469598103934665603ULL;
    for (const char c : canonical) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ULL;
    }
    return static_cast<qint64>(h);
}

// The place a PDU was read from: the SIM's IMSI when the phone told it (a
// SIM moved to another port is the same store), else the port.
inline QString ModemKey(const ModemId& modem) {
    if (!modem.imsi.isEmpty())
        return QStringLiteral("imsi:") + modem.imsi;
    return QStringLiteral("dev:") + modem.device;
}

inline constexpr char kMessageColumns[] =
    "m.id, m.direction, m.number, m.kind, m.text, m.content, m.request, m.state, m.reason, m.reason_code,"
    " m.created, m.sent, m.delivered, m.received, m.modem_imsi, m.modem_device, m.complete,"
    " coalesce((SELECT b.name FROM phonebook b WHERE b.peer = m.peer ORDER BY b.id LIMIT 1), m.name),"
    " m.batch_id, m.position, m.tries, m.not_before, m.modem, coalesce(m.want_modem, ''), m.expire_at";

inline MessageRecord RecordAt(const QSqlQuery& q) {
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
    r.modem = q.value(22).toString();
    r.wantModem = q.value(23).toString();
    r.expireAt = Time(q.value(24));
    return r;
}

// This process as the kernel knows it: its id and the time it started (in
// clock ticks since boot), so a reused id is not taken for it.
inline std::optional<unsigned long long> ProcessStart(long pid) {
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

inline QString ThisProcess() {
    const long pid = static_cast<long>(QCoreApplication::applicationPid());
    const auto start = ProcessStart(pid);
    return QStringLiteral("%1:%2").arg(pid).arg(start.value_or(0));
}

// This box as the programs sharing a server's store tell it apart: its
// machine id and this boot's (a host name is often the same on boxes made
// from one image, and a process id is another process after a reboot).
inline QString ThisBox() {
    static const QString box = [] {
        const QByteArray machine = QSysInfo::machineUniqueId();
        if (machine.isEmpty())
            return QSysInfo::machineHostName();
        return QString::fromLatin1(machine.left(12)) + QLatin1Char('.') +
               QString::fromLatin1(QSysInfo::bootUniqueId().left(8));
    }();
    return box;
}

// This process among the programs of every box sharing a server's store:
// "box/pid:start time" (MessageStore::InstanceId).
inline QString ThisInstance() { return ThisBox() + QLatin1Char('/') + ThisProcess(); }

// Whether the program that recorded `owner` still runs: a message another
// running program is sending is not left to the next start.
inline bool StillRunning(const QString& owner) {
    // A program on a shared store names its box first: one on another box
    // is not seen from here, and its lease tells instead.
    if (const auto slash = owner.indexOf(QLatin1Char('/')); slash >= 0)
        return owner.left(slash) != ThisBox() || StillRunning(owner.mid(slash + 1));
    const auto colon = owner.indexOf(':');
    bool ok = false;
    const long pid = owner.left(colon).toLong(&ok);
    if (colon < 0 || !ok || pid <= 0)
        return false;
    const auto start = ProcessStart(pid);
    return start && QString::number(*start) == owner.mid(colon + 1);
}

} // namespace velmora::store

namespace velmora {

using namespace store;

struct MessageStore::Impl {
    QString path;
    QString connection;
    QSqlDatabase db;
    bool readOnly = false;
    // SQLite's forms, or a server's.
    sql::Dialect dialect;
    // How long a claim holds without a beat, in ms.
    qint64 leaseMs = 60'000;
    // Who sends what this connection claims: this process on a file, this
    // process on this box on a server (the instance of `instances`).
    QString owner() const { return dialect.pg ? ThisInstance() : ThisProcess(); }
    // The id of the row an INSERT (with dialect.ReturningId()) just added.
    qint64 InsertedId(QSqlQuery& q) const {
        if (!dialect.pg)
            return q.lastInsertId().toLongLong();
        const qint64 id = q.next() ? q.value(0).toLongLong() : 0;
        q.finish();
        return id;
    }
    // A setting of the connection ("" where the database has none).
    void Setting(const QString& statement) {
        if (!statement.isEmpty())
            QSqlQuery(db).exec(statement);
    }
    QString IndexStatement() const {
        return dialect.InsertOrReplace(
            QStringLiteral("INTO search(%1, fold) VALUES(?, ?)").arg(dialect.SearchId()), dialect.SearchId(),
            {QStringLiteral("fold")});
    }

    // The webhook URLs whose lock this connection holds on a server
    // (LeadsWebhooks): the server counts a lock taken twice, and one
    // release must let go.
    std::set<QString> webhookLeads;

    // Statements prepared once for the life of the connection: preparing
    // costs more than running most of them.
    std::map<QString, QSqlQuery> cache;

    // The last step of this connection that failed, and why (lastProblem()).
    mutable StoreProblem last;

    // The session's settings on a server, made again with a connection.
    int busyMs = 0;
    void SessionSettings() {
        QSqlQuery q(db);
        q.exec(dialect.BusyTimeout(busyMs));
        // The server's notices ("already exists, skipping") are not the
        // user's business; warnings and errors come with the statements.
        q.exec(QStringLiteral("SET client_min_messages TO warning"));
        // Well beyond the wait for a lock: a statement the server no longer
        // works on does not hold the program for ever.
        q.exec(QStringLiteral("SET statement_timeout = %1").arg(std::max(busyMs, 0) * 4 + 30'000));
        if (readOnly)
            q.exec(QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY"));
    }
    // A server's connection lost (restarted, cut off by the network) is
    // made again after the step that found it failed, so the next step
    // goes on; the statements prepared on the old one go with it.
    void Revive() const {
        if (!dialect.pg)
            return;
        auto& self = const_cast<Impl&>(*this);
        if (QSqlQuery alive(self.db); alive.exec(QStringLiteral("SELECT 1")))
            return;
        self.cache.clear();
        // The server let go of this connection's locks with it: leading a
        // URL's webhooks is asked for again.
        self.webhookLeads.clear();
        self.db.close();
        if (self.db.open())
            self.SessionSettings();
    }
    // Why a change failed, for the user; kept as the last problem.
    std::string Failure(const SqlFailed& f) const {
        Revive();
        last = readOnly && !DamageOf(path) && !SaysDamaged(f.error)
                   ? StoreProblem{StoreProblem::Reason::ReadOnly, path, {}}
                   : WriteProblem(path, f.error);
        return last.text().toStdString();
    }
    // Why a read failed, for the user; kept as the last problem.
    std::string ReadFailure(const SqlFailed& f) const {
        Revive();
        const auto damage = DamageOf(path);
        last = damage ? StoreProblem{StoreProblem::Reason::Damaged, path, *damage}
                      : StoreProblem{StoreProblem::Reason::ReadFailed, path, Why(f.error)};
        return last.text().toStdString();
    }
    // A step the store turns down itself, for the user; kept as the last
    // problem.
    std::string Refused(const QString& why) const {
        last = {StoreProblem::Reason::Refused, path, why};
        return why.toStdString();
    }
    // A statement that failed in reading: a damaged store is known as such
    // from then on.
    void Saw(const SqlFailed& f) const {
        Revive();
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
        Setting(dialect.Synchronous(true));
        auto result = Update(sql, values);
        Setting(dialect.Synchronous(false));
        return result;
    }

    // `queued`: an outbox is to send it (its want_modem is kept); else its
    // own program sends it.
    qint64 InsertMessage(const MessageRecord& r, bool queued = false);
    void InsertPart(qint64 message, const PartRecord& part);
    // An outgoing message and its parts, inside the caller's transaction.
    qint64 InsertOutgoing(const MessageRecord& message, bool queued = false);
    // The same for what was read from a phone or a log, with fewer values:
    // binding a value costs Qt more than SQLite takes to store it.
    qint64 InsertRead(const MessageRecord& r, std::optional<PartInfo> joining = std::nullopt);
    void InsertReadPart(qint64 message, int part, qint64 pduId);
    qint64 FindPdu(const QByteArray& canonical);
    // `modem`: the place's key (ModemKey); `modemName`: the modem's name.
    ReceivedRecord Receive(const QString& modem, const QString& modemName, const QString& storage, int index,
                           const QByteArray& canonical, qint64 whenMs, const Result<DecodedPdu>* decoded);
    qint64 NewMessageFrom(const DecodedPdu& pdu, qint64 pduId, qint64 whenMs, const QString& modemName);
    void Rejoin(qint64 message);
    void Index(qint64 message, const QString& number, const QString& text) {
        if (deferIndex) {
            indexLater.emplace_back(message, Folded(number, text));
            return;
        }
        Run(Cached(IndexStatement()), {message, Folded(number, text)});
    }
    // A step that records many messages in one transaction indexes them
    // all at its end: a statement on `messages` takes a savepoint (its
    // triggers write the event sequence), and the search index writes out
    // what it holds in memory at each savepoint, which message by message
    // made a batch of 10,000 three times as slow. Made before the
    // transaction's commit, ended (indexing what waits) before it.
    struct IndexAtEnd {
        explicit IndexAtEnd(Impl& impl) : d(impl) {
            d.deferIndex = true;
            d.indexLater.clear();
        }
        ~IndexAtEnd() {
            d.deferIndex = false;
            d.indexLater.clear();
        }
        IndexAtEnd(const IndexAtEnd&) = delete;
        IndexAtEnd& operator=(const IndexAtEnd&) = delete;
        // Writes what waits (throws SqlFailed as any statement).
        void Flush() {
            d.deferIndex = false;
            for (const auto& [id, fold] : d.indexLater)
                Run(d.Cached(d.IndexStatement()), {id, fold});
            d.indexLater.clear();
            d.deferIndex = true;
        }
        Impl& d;
    };
    bool deferIndex = false;
    std::vector<std::pair<qint64, QString>> indexLater;
    void LoadParts(std::vector<MessageRecord>& records);
    // A batch's counts by state and its last start.
    void Count(BatchRecord& batch);
    // The first column of every row.
    std::vector<qint64> Ids(QSqlQuery& q, std::initializer_list<QVariant> values);
    std::vector<GroupMember> Members(qint64 group);
};

} // namespace velmora
