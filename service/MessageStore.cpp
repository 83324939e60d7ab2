// The store as a file: its schema, one step a version, and bringing an
// older one up to it; opening, with what a file is checked for before
// anything writes to it; SQLite's checks, a copy while in use, and whether
// a change can be committed now.

#include "MessageStoreImpl.h"

#include "SecretFile.h"
#include "StoreLocation.h"

#include <QDebug>
#include <QRegularExpression>
#include <QUrl>

#include <array>
#include <atomic>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace velmora {

namespace {

// ---- the schema, one step a version

void CreateVersion1(const QSqlDatabase& db) {
    const sql::Dialect sql = sql::Dialect::Of(db);
    const QString statements[] = {
        QStringLiteral("CREATE TABLE meta(key TEXT PRIMARY KEY, value TEXT)") + sql.WithoutRowid(),
        // at: what lists sort by, the time received for what came in and the
        // time recorded for what went out.
        QStringLiteral("CREATE TABLE messages("
                       " id INTEGER PRIMARY KEY,"
                       " direction TEXT NOT NULL, peer TEXT NOT NULL, number TEXT NOT NULL,"
                       " kind TEXT NOT NULL, text TEXT NOT NULL, content TEXT, request TEXT,"
                       " state TEXT NOT NULL, reason TEXT NOT NULL DEFAULT '', reason_code INTEGER,"
                       " modem_imsi TEXT NOT NULL DEFAULT '', modem_device TEXT NOT NULL DEFAULT '',"
                       " created INTEGER NOT NULL, sent INTEGER, delivered INTEGER, received INTEGER, at "
                       "INTEGER NOT NULL,"
                       " complete INTEGER NOT NULL DEFAULT 1, concat_ref INTEGER, concat_total INTEGER,"
                       // The program sending it, while it is: "pid:start time".
                       " owner TEXT)"),
        QStringLiteral("CREATE INDEX messages_at ON messages(at, id)"),
        QStringLiteral("CREATE INDEX messages_peer ON messages(peer, at, id)"),
        QStringLiteral("CREATE INDEX messages_sending ON messages(state) WHERE state = 'sending'"),
        QStringLiteral(
            "CREATE INDEX messages_joining ON messages(peer, concat_ref, concat_total) WHERE complete = 0"),
        // Every PDU ever read, once: what the received log holds.
        QStringLiteral("CREATE TABLE pdus(id INTEGER PRIMARY KEY, hash INTEGER NOT NULL, pdu %1 NOT NULL)")
            .arg(sql.Octets()),
        QStringLiteral("CREATE INDEX pdus_hash ON pdus(hash)"),
        // Outgoing parts keep their PDU; incoming ones point at theirs.
        QStringLiteral("CREATE TABLE parts("
                       " id INTEGER PRIMARY KEY,"
                       " message_id INTEGER NOT NULL REFERENCES messages(id) ON DELETE CASCADE,"
                       " part INTEGER NOT NULL, pdu %1, pdu_id INTEGER REFERENCES pdus(id),"
                       " reference INTEGER, answer TEXT NOT NULL DEFAULT '', sent INTEGER,"
                       " report_status INTEGER, report_time INTEGER,"
                       " UNIQUE(message_id, part))")
            .arg(sql.Octets()),
        QStringLiteral("CREATE UNIQUE INDEX parts_pdu ON parts(pdu_id) WHERE pdu_id IS NOT NULL"),
        QStringLiteral("CREATE INDEX parts_waiting ON parts(reference, sent) WHERE reference IS NOT NULL AND "
                       "report_status "
                       "IS NULL"),
        // Where each PDU was read: modem, storage, index (-1: none).
        QStringLiteral(
            "CREATE TABLE places("
            " pdu_id INTEGER NOT NULL REFERENCES pdus(id),"
            " modem TEXT NOT NULL, storage TEXT NOT NULL, idx INTEGER NOT NULL, seen INTEGER NOT NULL,"
            " PRIMARY KEY(pdu_id, modem, storage, idx))") +
            sql.WithoutRowid(),
        QStringLiteral(
            "CREATE TABLE phonebook(id INTEGER PRIMARY KEY, name TEXT NOT NULL, number TEXT NOT NULL,"
            " peer TEXT NOT NULL, fold TEXT NOT NULL)"),
        QStringLiteral("CREATE INDEX phonebook_peer ON phonebook(peer)"),
        // Each message's folded number and text (see Folded) by its id, in
        // an index of every three characters: a word is found among 100,000
        // messages without reading them all.
    };
    for (const QString& statement : statements)
        Exec(db, sql.Ddl(statement));
    for (const QString& statement : sql.CreateSearch())
        Exec(db, statement);
    // PostgreSQL's index of three-letter pieces is an extension the
    // database may not offer, or this user may not add: without it a
    // search reads every message, and nothing else changes.
    if (!sql.pg)
        return;
    const auto tried = [&db](const QString& statement) {
        Exec(db, QStringLiteral("SAVEPOINT search_index"));
        QSqlQuery q(db);
        const bool done = q.exec(statement);
        q.finish();
        Exec(db, done ? QStringLiteral("RELEASE SAVEPOINT search_index")
                      : QStringLiteral("ROLLBACK TO SAVEPOINT search_index"));
        return done;
    };
    for (const QString& statement : sql.SearchExtension())
        if (tried(statement))
            break;
    const QString schema = Scalar(db, sql.SearchExtensionSchema()).toString();
    if (schema.isEmpty() || !tried(sql.SearchIndex(schema)))
        qWarning().noquote() << QCoreApplication::translate(
            "MessageStore", "the server offers no pg_trgm to this user: a search reads every message");
}

// Sending to many, and the groups it is sent to. A version-1 store gains
// the columns in place: its messages belong to no batch and count no tries.
void CreateVersion2(const QSqlDatabase& db) {
    const sql::Dialect sql = sql::Dialect::Of(db);
    const QString statements[] = {
        // The pacing as the user set it; times in ms since 1970 as every
        // other time here, NULL for none.
        QStringLiteral("CREATE TABLE batches("
                       " id INTEGER PRIMARY KEY,"
                       " name TEXT NOT NULL, key TEXT NOT NULL, created INTEGER NOT NULL,"
                       " state TEXT NOT NULL, pause_reason TEXT NOT NULL DEFAULT '',"
                       " interval_ms INTEGER NOT NULL DEFAULT 0, per_hour INTEGER NOT NULL DEFAULT 0,"
                       " start_at INTEGER, expire_at INTEGER, retries INTEGER NOT NULL DEFAULT 2)"),
        QStringLiteral("CREATE INDEX batches_key ON batches(key, id)"),
        // started: when the message was last handed to the phone (Claim),
        // what a cap per hour counts.
        QStringLiteral("ALTER TABLE messages ADD COLUMN batch_id INTEGER REFERENCES batches(id)"),
        QStringLiteral("ALTER TABLE messages ADD COLUMN position INTEGER"),
        QStringLiteral("ALTER TABLE messages ADD COLUMN tries INTEGER NOT NULL DEFAULT 0"),
        QStringLiteral("ALTER TABLE messages ADD COLUMN not_before INTEGER"),
        QStringLiteral("ALTER TABLE messages ADD COLUMN started INTEGER"),
        // The name that came with the number (a contacts file's column),
        // shown when the phone book has none for it.
        QStringLiteral("ALTER TABLE messages ADD COLUMN name TEXT"),
        // A batch's list in its order; its counts by state and its next
        // message (NULL not_before sorts first: due when its turn comes)
        // from one index; its starts for the cap per hour. Messages of no
        // batch stay out of all three.
        QStringLiteral(
            "CREATE INDEX messages_batch ON messages(batch_id, position) WHERE batch_id IS NOT NULL"),
        QStringLiteral("CREATE INDEX messages_batch_state ON messages(batch_id, state, not_before, position)"
                       " WHERE batch_id IS NOT NULL"),
        QStringLiteral("CREATE INDEX messages_batch_started ON messages(batch_id, started)"
                       " WHERE batch_id IS NOT NULL AND started IS NOT NULL"),
        // fold: the name in any case, unique.
        QStringLiteral(
            "CREATE TABLE groups(id INTEGER PRIMARY KEY, name TEXT NOT NULL, fold TEXT NOT NULL UNIQUE)"),
        QStringLiteral("CREATE TABLE group_members("
                       " group_id INTEGER NOT NULL REFERENCES groups(id) ON DELETE CASCADE,"
                       " position INTEGER NOT NULL, name TEXT NOT NULL, number TEXT NOT NULL,"
                       " PRIMARY KEY(group_id, position))") +
            sql.WithoutRowid(),
    };
    for (const QString& statement : statements)
        Exec(db, sql.Ddl(statement));
}

// Several modems on one store. A version-2 store gains the columns in
// place: what it holds went through, or came from, the one modem of the
// window or the CLI (named ""), and what it has queued may go through any.
void CreateVersion3(const QSqlDatabase& db) {
    const sql::Dialect sql = sql::Dialect::Of(db);
    const QString statements[] = {
        // What each modem was last seen as, by the name the settings give it.
        QStringLiteral(
            "CREATE TABLE modems("
            " name TEXT PRIMARY KEY, imei TEXT NOT NULL DEFAULT '', imsi TEXT NOT NULL DEFAULT '',"
            " device TEXT NOT NULL DEFAULT '', by_id TEXT NOT NULL DEFAULT '', operator TEXT NOT NULL "
            "DEFAULT '',"
            " signal INTEGER NOT NULL DEFAULT -1, state TEXT NOT NULL DEFAULT '', last_seen INTEGER)") +
            sql.WithoutRowid(),
        // modem: the one that took it to send (Claim), or read it.
        QStringLiteral("ALTER TABLE messages ADD COLUMN modem TEXT NOT NULL DEFAULT ''"),
        // want_modem: the one a queued message is to go through, '' for the
        // first free one. NULL on a message of no batch is one its own
        // program sends (no outbox takes it); on a batch's, the same as ''.
        QStringLiteral("ALTER TABLE messages ADD COLUMN want_modem TEXT"),
        // The outbox's next message of no batch, and each modem's starts
        // for its own pace.
        QStringLiteral("CREATE INDEX messages_due ON messages(not_before, id)"
                       " WHERE batch_id IS NULL AND state = 'queued' AND want_modem IS NOT NULL"),
        QStringLiteral(
            "CREATE INDEX messages_modem_started ON messages(modem, started) WHERE started IS NOT NULL"),
    };
    for (const QString& statement : statements)
        Exec(db, sql.Ddl(statement));
}

// Other programs' doors on the store. A version-3 store gains them in
// place: its messages have no events (what was before is not told again)
// and no expiry of their own.
void CreateVersion4(const QSqlDatabase& db) {
    const sql::Dialect sql = sql::Dialect::Of(db);
    QStringList statements{
        // Every change a door tells of, in the order it was committed:
        // with one writer at a time, a larger seq was committed later, so
        // a reader that remembers the last seq it saw misses nothing.
        QStringLiteral("CREATE TABLE events(seq %1, message_id INTEGER NOT NULL, kind TEXT NOT NULL,"
                       " state TEXT NOT NULL, reason TEXT NOT NULL DEFAULT '', at INTEGER NOT NULL)")
            .arg(sql.SequenceKey()),
        // A message's first event of a kind, found without reading them all.
        QStringLiteral("CREATE INDEX events_message ON events(message_id, kind, seq)"),
        // The callers' idempotency keys and the ids they queued (a JSON array).
        QStringLiteral(
            "CREATE TABLE api_keys(key TEXT PRIMARY KEY, ids TEXT NOT NULL, created INTEGER NOT NULL)") +
            sql.WithoutRowid(),
        // A message's "not after": still queued then, it expires.
        QStringLiteral("ALTER TABLE messages ADD COLUMN expire_at INTEGER"),
        QStringLiteral("CREATE INDEX messages_expiring ON messages(expire_at)"
                       " WHERE state = 'queued' AND expire_at IS NOT NULL"),
        // The events to post to a webhook, until each is delivered.
        QStringLiteral(
            "CREATE TABLE webhooks(id INTEGER PRIMARY KEY, seq INTEGER NOT NULL, url TEXT NOT NULL,"
            " body %1 NOT NULL, attempts INTEGER NOT NULL DEFAULT 0, next_at INTEGER NOT NULL,"
            " done_at INTEGER, last_status INTEGER, last_error TEXT NOT NULL DEFAULT '',"
            " UNIQUE(seq, url))")
            .arg(sql.Octets()),
        QStringLiteral("CREATE INDEX webhooks_due ON webhooks(next_at) WHERE done_at IS NULL"),
    };
    for (const QString& statement : statements)
        Exec(db, sql.Ddl(statement));
    for (const QString& statement : sql.CreateEventTriggers())
        Exec(db, statement);
}

// Several programs, on several boxes, on one store. A version-4 store
// gains them in place: nothing it holds is leased yet.
void CreateVersion5(const QSqlDatabase& db) {
    const sql::Dialect sql = sql::Dialect::Of(db);
    const QString statements[] = {
        // Each program using the store, by "host/pid:start time" (a file's:
        // "pid:start time"), while it beats.
        QStringLiteral(
            "CREATE TABLE instances(id TEXT PRIMARY KEY, host TEXT NOT NULL, started INTEGER NOT NULL,"
            " beat INTEGER NOT NULL, modems TEXT NOT NULL DEFAULT '')") +
            sql.WithoutRowid(),
        // Until when the program sending a message holds it: its beats
        // move it on; once past, the message's fate is not known.
        QStringLiteral("ALTER TABLE messages ADD COLUMN lease_until INTEGER"),
    };
    for (const QString& statement : statements)
        Exec(db, sql.Ddl(statement));
}

// kSteps[v] takes a store of schema v to v + 1.
using Step = void (*)(const QSqlDatabase&);
constexpr std::array<Step, MessageStore::kSchemaVersion> kSteps{
    &CreateVersion1, &CreateVersion2, &CreateVersion3, &CreateVersion4, &CreateVersion5};

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
        const auto id = static_cast<quint32>(Scalar(db, sql::Dialect().ApplicationId()).toLongLong());
        const auto version = static_cast<quint32>(Scalar(db, sql::Dialect().SchemaVersion()).toLongLong());
        if (id != 0 && id != static_cast<quint32>(MessageStore::kApplicationId))
            return R::Fail(ForeignId(path, id));
        if (version > static_cast<quint32>(MessageStore::kSchemaVersion))
            return R::Fail(Newer(path, version));
        // A store is marked from its first schema on; an unmarked file with
        // tables in it is someone else's.
        if (id == 0 && Scalar(db, sql::Dialect().CountSchemaObjects()).toInt() > 0)
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

// The same for a store on a server, where `meta` keeps what SQLite's
// header does: a schema with none of this program's tables and no other
// tables is new (0).
Result<int, QString> CheckServerContents(const QSqlDatabase& db, const QString& url) {
    using R = Result<int, QString>;
    const sql::Dialect sql(true);
    try {
        const bool hasMeta = Scalar(db, QStringLiteral("SELECT to_regclass('meta') IS NOT NULL")).toBool();
        if (!hasMeta) {
            if (Scalar(db, sql.CountSchemaObjects()).toInt() > 0)
                return R::Fail(NotOurs(
                    url, QCoreApplication::translate("MessageStore", "it holds another program's tables")));
            return R::Ok(0);
        }
        const auto value = [&](const char* key) {
            return Scalar(db, QStringLiteral("SELECT value FROM meta WHERE key = ?"), {QLatin1String(key)});
        };
        const auto id = static_cast<quint32>(value("application_id").toLongLong());
        const auto version = static_cast<quint32>(value("schema_version").toLongLong());
        if (id != static_cast<quint32>(MessageStore::kApplicationId))
            return R::Fail(ForeignId(url, id));
        if (version > static_cast<quint32>(MessageStore::kSchemaVersion))
            return R::Fail(Newer(url, version));
        return R::Ok(static_cast<int>(version));
    } catch (const SqlFailed& f) {
        return R::Fail(NotOurs(url, Why(f.error)));
    }
}

// A location as a refusal shows it: a password written after the user,
// and the values of the query, are left out.
QString Redacted(const QString& location) {
    static const QRegularExpression kPassword(QStringLiteral("^([a-z]+://[^:@/?#]*):[^@/?#]*@"));
    // The values a user may need to see to find a mistake stay.
    static const QRegularExpression kValue(QStringLiteral("([?&])(?!(?:schema|sslmode)=)([^=&#]*)=[^&#]*"));
    QString shown = location;
    shown.replace(kPassword, QStringLiteral("\\1:...@"));
    return shown.replace(kValue, QStringLiteral("\\1\\2=..."));
}

QString NewConnectionName() {
    static std::atomic<quint64> counter{0};
    return QStringLiteral("velmora-store-%1").arg(++counter);
}

} // namespace

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

bool MessageStore::shared() const { return d->dialect.pg; }

void MessageStore::SetBusyTimeout(int ms) {
    d->busyMs = std::max(0, ms);
    QSqlQuery(d->db).exec(d->dialect.BusyTimeout(d->busyMs));
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

// Any "SCHEME://": a mistyped scheme is refused as a URL, never made a file.
bool MessageStore::IsUrl(const QString& location) { return IsStoreUrl(location); }

Result<std::unique_ptr<MessageStore>> MessageStore::OpenServer(const QString& location, Access access) {
    using R = Result<std::unique_ptr<MessageStore>>;
    // What a refusal shows of the location: never a password the user
    // wrote into it by mistake, nor its query's values.
    const QString shown = Redacted(location);
    const auto refused = [&](const QString& why) {
        return R::Fail(
            QCoreApplication::translate("MessageStore", "The message store %1 could not be opened: %2")
                .arg(shown, why)
                .toStdString());
    };
    if (!location.startsWith(QLatin1String("postgresql://")) &&
        !location.startsWith(QLatin1String("postgres://")))
        return refused(
            QCoreApplication::translate("MessageStore", "only postgresql:// servers keep a message store"));
    // The settings' own check of a URL, in their words.
    if (const QString why = StoreUrlProblem(location); !why.isEmpty())
        return refused(why);
    const StoreServer a = *StoreServerOf(location);
    QString password;
    if (!a.passwordFile.isEmpty()) {
        // As the settings' check reads it: a file others may read or
        // change is not used.
        const auto read = ReadPasswordFile(a.passwordFile);
        if (!read)
            return R::Fail(
                QCoreApplication::translate("MessageStore", "The password file %1 was not used: %2")
                    .arg(Shown(a.passwordFile), read.error())
                    .toStdString());
        password = read.value();
    }
    std::unique_ptr<MessageStore> store(new MessageStore);
    Impl& d = *store->d;
    d.path = location;
    d.readOnly = access == Access::Read;
    d.dialect = sql::Dialect(true);
    d.connection = NewConnectionName();
    d.db = QSqlDatabase::addDatabase(d.dialect.Driver(), d.connection);
    if (!d.db.isValid())
        return refused(QCoreApplication::translate(
            "MessageStore", "Qt's PostgreSQL driver is missing (Debian's libqt6sql6-psql)"));
    d.db.setHostName(a.host);
    d.db.setPort(a.port);
    d.db.setUserName(a.user);
    d.db.setDatabaseName(a.database);
    if (!password.isEmpty())
        d.db.setPassword(password);
    // A server across a network is reached through TLS unless the user
    // says otherwise: libpq's own default would let anyone between the
    // boxes turn it off, and read and queue messages. A socket folder is
    // this box's own.
    const bool local = a.host.startsWith(QLatin1Char('/'));
    const QString sslMode = !a.sslMode.isEmpty() ? a.sslMode : local ? QString() : QStringLiteral("require");
    QStringList options{QStringLiteral("connect_timeout=10"), QStringLiteral("application_name=velmora"),
                        // A server that stops answering is found out within
                        // seconds, not when the system gives up on the socket.
                        QStringLiteral("keepalives=1"), QStringLiteral("keepalives_idle=10"),
                        QStringLiteral("keepalives_interval=5"), QStringLiteral("keepalives_count=3"),
                        QStringLiteral("tcp_user_timeout=30000")};
    if (!sslMode.isEmpty())
        options << QStringLiteral("sslmode=") + sslMode;
    // The store's schema alone: a schema= that is missing or refused must
    // not fall through to the tables of another store in public.
    if (!a.schema.isEmpty())
        options << QStringLiteral("options='-csearch_path=%1'").arg(a.schema);
    d.db.setConnectOptions(options.join(QLatin1Char(';')));
    if (!d.db.open()) {
        QString why = Why(d.db.lastError());
        if (a.sslMode.isEmpty() && !local)
            why += QCoreApplication::translate(
                "MessageStore", " (a server without TLS needs SslMode=disable, or ?sslmode=disable)");
        return refused(why);
    }
    // Longer than a file's: on a server a large batch of another box holds
    // the write lock for seconds.
    d.busyMs = kServerBusyTimeoutMs;
    d.SessionSettings();
    if (!a.schema.isEmpty()) {
        if (Scalar(d.db, QStringLiteral("SELECT current_schema()")).toString().isEmpty() && !d.readOnly)
            QSqlQuery(d.db).exec(QStringLiteral("CREATE SCHEMA IF NOT EXISTS \"%1\"").arg(a.schema));
        if (Scalar(d.db, QStringLiteral("SELECT current_schema()")).toString() != a.schema)
            return refused(QCoreApplication::translate("MessageStore",
                                                       "its schema %1 is not there and could not be made")
                               .arg(a.schema));
    }
    if (d.readOnly) {
        const auto version = CheckServerContents(d.db, shown);
        if (!version)
            return R::Fail(version.error().toStdString());
        if (*version < kSchemaVersion)
            return R::Fail(
                QCoreApplication::translate("MessageStore", "The message store %1 could not be read: %2")
                    .arg(shown, QCoreApplication::translate("MessageStore", "it holds nothing yet"))
                    .toStdString());
        return R::Ok(std::move(store));
    }
    try {
        // Looked at under the write lock: of many programs starting at once
        // on a new database, the first builds the schema and the others
        // find it whole.
        Transaction t(d.db);
        const auto version = CheckServerContents(d.db, shown);
        if (!version)
            return R::Fail(version.error().toStdString());
        for (int v = *version; v < kSchemaVersion; ++v)
            kSteps[static_cast<std::size_t>(v)](d.db);
        if (*version < kSchemaVersion) {
            const QString set = d.dialect.SetMeta();
            Scalar(d.db, set, {QStringLiteral("application_id"), QString::number(kApplicationId)});
            Scalar(d.db, set, {QStringLiteral("schema_version"), QString::number(kSchemaVersion)});
        }
        t.Commit();
    } catch (const SqlFailed& f) {
        return R::Fail(QCoreApplication::translate(
                           "MessageStore", "The message store %1 could not be brought to schema %2: %3")
                           .arg(shown)
                           .arg(kSchemaVersion)
                           .arg(Why(f.error))
                           .toStdString());
    }
    return R::Ok(std::move(store));
}

Result<std::unique_ptr<MessageStore>> MessageStore::Open(const QString& path, Access access) {
    using R = Result<std::unique_ptr<MessageStore>>;
    if (IsUrl(path))
        return OpenServer(path, access);
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
            QSqlDatabase look = QSqlDatabase::addDatabase(sql::Dialect().Driver(), name);
            look.setDatabaseName(path);
            look.setConnectOptions(sql::Dialect::ReadOnlyOptions());
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
    d.db = QSqlDatabase::addDatabase(d.dialect.Driver(), d.connection);
    if (reading && ReadAsItLies(path)) {
        QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
        url.setQuery(sql::Dialect::AsItLiesQuery());
        d.db.setDatabaseName(url.toString(QUrl::FullyEncoded));
        d.db.setConnectOptions(sql::Dialect::ReadOnlyOptions(true));
    } else {
        d.db.setDatabaseName(path);
        if (reading)
            d.db.setConnectOptions(sql::Dialect::ReadOnlyOptions());
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
    pragma.exec(d.dialect.ForeignKeys());
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
        if (!check.exec(d.dialect.QuickCheck())) {
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
    pragma.exec(d.dialect.WriteAheadLog());
    // NORMAL, not FULL: with a write-ahead log a committed change is in the
    // log before the call returns, so it outlives the program being killed
    // or crashing (what an Uncertain message is about); only a power cut
    // can take back the last changes before the next checkpoint, and the
    // file stays whole. FULL waits for the disk at every commit: 4.6 to 5.5
    // ms a state change here against 0.1 ms, more than a send can spare.
    pragma.exec(d.dialect.Synchronous(false));
    // 16 MiB of pages kept in memory (2 MiB by default): the indexes of a
    // large store stay read.
    pragma.exec(d.dialect.CacheSize());
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
                Exec(d.db, d.dialect.SetApplicationId(kApplicationId));
                Exec(d.db, d.dialect.SetSchemaVersion(kSchemaVersion));
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

QString MessageStore::faultText() const { return fault() == Fault::None ? QString() : faultProblem().text(); }

StoreProblem MessageStore::faultProblem() const {
    if (const auto damage = DamageOf(d->path))
        return {StoreProblem::Reason::Damaged, d->path, *damage};
    if (d->readOnly)
        return {StoreProblem::Reason::ReadOnly, d->path, {}};
    return {};
}

StoreProblem MessageStore::lastProblem() const { return d->last; }

StoreProblem MessageStore::ProblemFor(const QString& sentence) const {
    if (!d->last.isNull() && d->last.text() == sentence)
        return d->last;
    return {StoreProblem::Reason::Refused, d->path, sentence};
}

StoreProblem MessageStore::ProblemFor(const std::string& sentence) const {
    return ProblemFor(QString::fromStdString(sentence));
}

Result<QStringList> MessageStore::IntegrityCheck() {
    QSqlQuery q(d->db);
    q.setForwardOnly(true);
    if (!q.exec(d->dialect.IntegrityCheck(100))) {
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
    // A server's store is copied into a new file, as one transaction of
    // reads gives it while others write.
    if (d->dialect.pg) {
        auto file = Open(temporary);
        if (!file) {
            QFile::remove(temporary);
            return failed(QString::fromStdString(file.error()));
        }
        std::unique_ptr<MessageStore> copy = std::move(file.value());
        const auto copied = CopyTo(*copy);
        copy.reset();
        if (!copied) {
            QFile::remove(temporary);
            return failed(QString::fromStdString(copied.error()));
        }
        for (const char* beside : {"-wal", "-shm"})
            QFile::remove(temporary + QLatin1String(beside));
        if (::rename(QFile::encodeName(temporary).constData(),
                     QFile::encodeName(target.absoluteFilePath()).constData()) != 0) {
            const QString why = QString::fromLocal8Bit(std::strerror(errno));
            QFile::remove(temporary);
            return failed(why);
        }
        return R::Ok(true);
    }
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
        if (!q.exec(d->dialect.CopyInto(temporary))) {
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
        Run(d->Cached(d->dialect.SetMeta()),
            {QStringLiteral("checked"), QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs)});
        t.Commit();
        return {};
    } catch (const SqlFailed& f) {
        return QString::fromStdString(d->Failure(f));
    }
}

} // namespace velmora
