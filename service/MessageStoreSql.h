#pragma once

// The SQL of the store that differs between the databases it is kept in,
// named in one place: the embedded SQLite file every program uses by
// default, and a PostgreSQL server that several programs on several boxes
// share. Qt's driver and its options, the pragmas and their stand-ins, the
// statement forms one has and the other has not, the JSON and text
// functions, and the forms of the schema. Every other statement of the
// store is plain SQL that both take as it is. The SQLite forms are the very
// text SQLite has always been given.

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace velmora::store::sql {

// The advisory locks of a shared store (PostgreSQL), held to the end of the
// transaction that takes them, each one a store (its schema): stores in
// other schemas of the database never wait for it. kWriteLock stands for
// SQLite's one writer: every change but a claim takes it first, so what
// was written for one writer at a time holds. kEventLock orders the event
// sequence by commit. kWebhookLock, held by a connection for as long as it
// lives, not a transaction, names the one program that posts a URL's
// webhooks. The numbers spell "VLMW", "VLME" and "VLMH".
inline constexpr int kWriteLock = 0x564C4D57;
inline constexpr int kEventLock = 0x564C4D45;
inline constexpr int kWebhookLock = 0x564C4D48;
inline QString AdvisoryLock(int key) {
    return QStringLiteral("pg_advisory_xact_lock(%1, hashtext(current_schema()))").arg(key);
}

class Dialect {
public:
    explicit Dialect(bool postgres = false) : pg(postgres) {}
    // The dialect of a connection already made.
    static Dialect Of(const QSqlDatabase& db) { return Dialect(db.driverName() == QLatin1String("QPSQL")); }

    // Whether the store is a server's, shared by several programs and boxes.
    bool pg = false;

    // ---- the connection

    // Qt's driver.
    QString Driver() const { return pg ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"); }

    // Options of a SQLite connection that only reads; `asItLies`: the file
    // is named by a URI (its "immutable=1": no locks, no -wal or -shm made).
    static QString ReadOnlyOptions(bool asItLies = false) {
        return asItLies ? QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI")
                        : QStringLiteral("QSQLITE_OPEN_READONLY");
    }
    // The query a URI carries to read a file as it lies.
    static QString AsItLiesQuery() { return QStringLiteral("immutable=1"); }

    // A write transaction that takes the write lock at once, not at its
    // first write. On a server the lock is the advisory one, taken by
    // WriteLock() right after.
    QString BeginWrite() const { return pg ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE"); }
    QString WriteLock() const { return QStringLiteral("SELECT ") + AdvisoryLock(kWriteLock); }

    // How long a statement waits for another connection's write.
    QString BusyTimeout(int ms) const {
        return pg ? QStringLiteral("SET lock_timeout = %1").arg(ms)
                  : QStringLiteral("PRAGMA busy_timeout = %1").arg(ms);
    }
    // The settings of a connection that only SQLite has ("": none); a
    // server keeps its own log, cache and foreign keys.
    QString ForeignKeys() const { return pg ? QString() : QStringLiteral("PRAGMA foreign_keys = ON"); }
    // A write-ahead log: readers go on while one writes.
    QString WriteAheadLog() const { return pg ? QString() : QStringLiteral("PRAGMA journal_mode = WAL"); }
    // A commit that waits for the disk (`full`), or only for the log.
    QString Synchronous(bool full) const {
        if (pg)
            return {};
        return full ? QStringLiteral("PRAGMA synchronous = FULL")
                    : QStringLiteral("PRAGMA synchronous = NORMAL");
    }
    // 16 MiB of pages kept in memory.
    QString CacheSize() const { return pg ? QString() : QStringLiteral("PRAGMA cache_size = -16384"); }

    // ---- the file (SQLite's own; a server keeps the same in `meta`)

    QString ApplicationId() const { return QStringLiteral("PRAGMA application_id"); }
    QString SetApplicationId(int id) const { return QStringLiteral("PRAGMA application_id = %1").arg(id); }
    QString SchemaVersion() const { return QStringLiteral("PRAGMA user_version"); }
    QString SetSchemaVersion(int version) const {
        return QStringLiteral("PRAGMA user_version = %1").arg(version);
    }
    // How many tables and indexes the store holds.
    QString CountSchemaObjects() const {
        return pg ? QStringLiteral(
                        "SELECT count(*) FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace"
                        " WHERE n.nspname = current_schema() AND c.relkind IN ('r', 'i', 'S', 'v')")
                  : QStringLiteral("SELECT count(*) FROM sqlite_master");
    }
    // The check of every page (quick), and the whole check, at most `most`
    // findings. A server checks its own pages: "ok".
    QString QuickCheck() const {
        return pg ? QStringLiteral("SELECT 'ok'") : QStringLiteral("PRAGMA quick_check");
    }
    QString IntegrityCheck(int most) const {
        return pg ? QStringLiteral("SELECT 'ok'") : QStringLiteral("PRAGMA integrity_check(%1)").arg(most);
    }
    // A consistent copy of the whole store into `file`, while others write
    // (SQLite only).
    QString CopyInto(const QString& file) const {
        return QStringLiteral("VACUUM INTO '%1'")
            .arg(QString(file).replace(QLatin1Char('\''), QStringLiteral("''")));
    }

    // ---- statements

    // `into` ("INTO t(a, b) VALUES(?, ?)") doing nothing where a row with
    // the same key is there.
    QString InsertOrIgnore(const QString& into) const {
        return pg ? QStringLiteral("INSERT ") + into + QStringLiteral(" ON CONFLICT DO NOTHING")
                  : QStringLiteral("INSERT OR IGNORE ") + into;
    }
    // The same replacing the row of key `key` by the new `columns`.
    QString InsertOrReplace(const QString& into, const QString& key, const QStringList& columns) const {
        if (!pg)
            return QStringLiteral("INSERT OR REPLACE ") + into;
        QStringList set;
        for (const QString& c : columns)
            set << QStringLiteral("%1 = EXCLUDED.%1").arg(c);
        return QStringLiteral("INSERT %1 ON CONFLICT (%2) DO UPDATE SET %3")
            .arg(into, key, set.join(QStringLiteral(", ")));
    }
    // Sets the `meta` row of a key (the first value bound) to a value (the
    // second).
    QString SetMeta() const {
        return InsertOrReplace(QStringLiteral("INTO meta(key, value) VALUES(?, ?)"), QStringLiteral("key"),
                               {QStringLiteral("value")});
    }
    // What an INSERT adds to give the new row's id (InsertedId reads it).
    QString ReturningId() const { return pg ? QStringLiteral(" RETURNING id") : QString(); }
    // Rows `limit` (-1: all) from `offset` on.
    QString LimitOffset(int limit, int offset) const {
        if (pg)
            return limit < 0 ? QStringLiteral(" LIMIT ALL OFFSET %1").arg(offset)
                             : QStringLiteral(" LIMIT %1 OFFSET %2").arg(limit).arg(offset);
        return QStringLiteral(" LIMIT %1 OFFSET %2").arg(limit < 0 ? -1 : limit).arg(offset);
    }
    // SQLite sorts NULL first going up, PostgreSQL last: what a list of
    // the next due sorts by says which it means.
    QString NullsFirst() const { return pg ? QStringLiteral(" NULLS FIRST") : QString(); }
    // Whether `text` holds `part`, as it is.
    QString Contains(const QString& text, const QString& part) const {
        return pg ? QStringLiteral("strpos(%1, %2) > 0").arg(text, part)
                  : QStringLiteral("instr(%1, %2) > 0").arg(text, part);
    }
    // Whether `text` matches `pattern`, a Pattern().
    QString Matches(const QString& text, const QString& pattern) const {
        return pg ? QStringLiteral("%1 LIKE %2").arg(text, pattern)
                  : QStringLiteral("%1 GLOB %2").arg(text, pattern);
    }
    // The pattern that finds `word` as it is, anywhere in a text: what the
    // index of three characters answers.
    QString Pattern(const QString& word) const {
        const QLatin1Char any(pg ? '%' : '*');
        QString pattern(any);
        for (const QChar c : word) {
            if (pg && (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\')))
                pattern += QLatin1Char('\\') + c;
            else if (!pg && (c == QLatin1Char('*') || c == QLatin1Char('?') || c == QLatin1Char('[')))
                pattern += QLatin1Char('[') + c + QLatin1Char(']');
            else
                pattern += c;
        }
        return pattern + any;
    }
    // The smaller and the larger of two values (not the aggregates).
    QString Least(const QString& a, const QString& b) const {
        return (pg ? QStringLiteral("LEAST(%1, %2)") : QStringLiteral("min(%1, %2)")).arg(a, b);
    }
    QString Greatest(const QString& a, const QString& b) const {
        return (pg ? QStringLiteral("GREATEST(%1, %2)") : QStringLiteral("max(%1, %2)")).arg(a, b);
    }
    // The field `key` of the JSON object in `column` (NULL: none), and that
    // object with `key` set to the number `value`.
    QString JsonField(const QString& column, const QString& key) const {
        return pg ? QStringLiteral("(CAST(coalesce(%1, '{}') AS jsonb) ->> '%2')").arg(column, key)
                  : QStringLiteral("json_extract(coalesce(%1, '{}'), '$.%2')").arg(column, key);
    }
    QString JsonWithNumber(const QString& column, const QString& key, const QString& value) const {
        return pg ? QStringLiteral("CAST(jsonb_set(CAST(coalesce(%1, '{}') AS jsonb), '{%2}',"
                                   " to_jsonb(CAST(%3 AS bigint))) AS text)")
                        .arg(column, key, value)
                  : QStringLiteral("json_set(coalesce(%1, '{}'), '$.%2', %3)").arg(column, key, value);
    }
    // Now, in ms since 1970 (what every time of the store is), as a
    // statement or a trigger reads the clock.
    QString NowMillis() const {
        return pg ? QStringLiteral("CAST(floor(extract(epoch FROM clock_timestamp()) * 1000) AS bigint)")
                  : QStringLiteral("CAST((julianday('now') - 2440587.5) * 86400000 AS INTEGER)");
    }
    // The column of the search index that is its message's id.
    QString SearchId() const { return pg ? QStringLiteral("id") : QStringLiteral("rowid"); }
    // A claim's pick: the rows it reads are locked for it, and rows another
    // program's claim holds are passed over rather than waited for.
    QString SkipLocked() const { return pg ? QStringLiteral(" FOR UPDATE SKIP LOCKED") : QString(); }
    // A row read to be changed, locked until the commit (one writer at a
    // time makes it so on SQLite).
    QString ForUpdate() const { return pg ? QStringLiteral(" FOR UPDATE") : QString(); }

    // The rest of the transaction makes no events (what an imported log
    // holds is history, not news): SQLite's are deleted before its commit
    // instead, as they are written at once.
    QString QuietEvents() const { return pg ? QStringLiteral("SET LOCAL velmora.quiet = 'on'") : QString(); }

    // ---- the schema's forms

    // A statement of the schema as SQLite is given it, in the server's
    // words: every number 64 bits (PostgreSQL's integer has 32, and times
    // here are ms since 1970), ids made by the server, and texts compared
    // and sorted by their code points as SQLite does, whatever the
    // database's locale.
    QString Ddl(QString statement) const {
        if (!pg)
            return statement;
        statement.replace(QStringLiteral("INTEGER PRIMARY KEY"),
                          QStringLiteral("BIGINT GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY"));
        statement.replace(QStringLiteral(" INTEGER"), QStringLiteral(" BIGINT"));
        statement.replace(QStringLiteral(" TEXT"), QStringLiteral(" TEXT COLLATE \"C\""));
        return statement;
    }
    // A table stored by its primary key alone.
    QString WithoutRowid() const { return pg ? QString() : QStringLiteral(" WITHOUT ROWID"); }
    // The search index: `fold` in pieces of three characters, any case as
    // it is, found by its id alone. On a server, a table and PostgreSQL's
    // own index of three-letter pieces (pg_trgm) where the database has
    // it (SearchIndex, "" without: a search reads every row then).
    QStringList CreateSearch() const {
        if (pg)
            return {QStringLiteral(
                "CREATE TABLE search(id BIGINT PRIMARY KEY, fold TEXT COLLATE \"C\" NOT NULL)")};
        return {QStringLiteral(
            "CREATE VIRTUAL TABLE search USING fts5(fold, tokenize = 'trigram case_sensitive 1', "
            "detail = 'none')")};
    }
    // Where the database has none yet, it goes into public, where every
    // store of the database finds it, else into the store's own schema.
    QStringList SearchExtension() const {
        return {QStringLiteral("CREATE EXTENSION IF NOT EXISTS pg_trgm SCHEMA public"),
                QStringLiteral("CREATE EXTENSION IF NOT EXISTS pg_trgm")};
    }
    // The schema the extension is in, quoted (none: no row).
    QString SearchExtensionSchema() const {
        return QStringLiteral("SELECT quote_ident(n.nspname) FROM pg_extension e"
                              " JOIN pg_namespace n ON n.oid = e.extnamespace WHERE e.extname = 'pg_trgm'");
    }
    // The index by the extension's operators, named with their schema: a
    // store's search path holds its own schema alone.
    QString SearchIndex(const QString& extensionSchema) const {
        return QStringLiteral("CREATE INDEX search_fold ON search USING gin (fold %1.gin_trgm_ops)")
            .arg(extensionSchema);
    }

    // A column of octets as they are.
    QString Octets() const { return pg ? QStringLiteral("BYTEA") : QStringLiteral("BLOB"); }
    // The event sequence: a number that only grows, never given twice, even
    // after the newest rows are deleted.
    QString SequenceKey() const {
        return pg ? QStringLiteral("BIGINT GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY")
                  : QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    }
    // The triggers that fill the event sequence from `messages`, in the
    // transaction of the change itself, whoever writes it: "received" when
    // a message comes in whole (inserted complete, or its last part joined
    // it), "state" when a message going out is recorded or its state or
    // reason changes.
    QStringList CreateEventTriggers() const { return pg ? ServerEventTriggers() : FileEventTriggers(); }

private:
    QString EventRow(const char* kind) const {
        return QStringLiteral(" BEGIN INSERT INTO events(message_id, kind, state, reason, at)"
                              " VALUES(NEW.id, '%1', NEW.state, NEW.reason, %2); END")
            .arg(QLatin1String(kind), NowMillis());
    }
    QStringList FileEventTriggers() const {
        return {
            QStringLiteral("CREATE TRIGGER events_received AFTER INSERT ON messages"
                           " WHEN NEW.direction = 'in' AND NEW.complete = 1") +
                EventRow("received"),
            QStringLiteral("CREATE TRIGGER events_completed AFTER UPDATE OF complete ON messages"
                           " WHEN NEW.direction = 'in' AND NEW.complete = 1 AND OLD.complete = 0") +
                EventRow("received"),
            QStringLiteral(
                "CREATE TRIGGER events_queued AFTER INSERT ON messages WHEN NEW.direction = 'out'") +
                EventRow("state"),
            QStringLiteral("CREATE TRIGGER events_state AFTER UPDATE OF state, reason ON messages"
                           " WHEN NEW.direction = 'out'"
                           " AND (NEW.state IS NOT OLD.state OR NEW.reason IS NOT OLD.reason)") +
                EventRow("state"),
        };
    }
    // On a server many write at once, and a sequence number is taken when
    // asked for, not when committed: a reader that went past a number
    // whose writer had not committed yet would never see its event. So
    // the events are written at the commit itself (deferred triggers),
    // under kEventLock: the last lock any writer takes, held only while it
    // commits, so the numbers are given in the order of the commits.
    QStringList ServerEventTriggers() const {
        const auto trigger = [](const char* name, const char* when, const char* condition, const char* kind) {
            return QStringLiteral("CREATE CONSTRAINT TRIGGER %1 AFTER %2 ON messages"
                                  " DEFERRABLE INITIALLY DEFERRED FOR EACH ROW WHEN (%3)"
                                  " EXECUTE FUNCTION velmora_event('%4')")
                .arg(QLatin1String(name), QLatin1String(when), QLatin1String(condition), QLatin1String(kind));
        };
        return {
            QStringLiteral("CREATE FUNCTION velmora_event() RETURNS trigger LANGUAGE plpgsql AS $$"
                           " BEGIN IF current_setting('velmora.quiet', true) = 'on' THEN RETURN NULL; END IF;"
                           " PERFORM %1;"
                           " INSERT INTO events(message_id, kind, state, reason, at)"
                           " VALUES(NEW.id, TG_ARGV[0], NEW.state, NEW.reason, %2);"
                           " RETURN NULL; END $$")
                .arg(AdvisoryLock(kEventLock), NowMillis()),
            trigger("events_received", "INSERT", "NEW.direction = 'in' AND NEW.complete = 1", "received"),
            trigger("events_completed", "UPDATE OF complete",
                    "NEW.direction = 'in' AND NEW.complete = 1 AND OLD.complete = 0", "received"),
            trigger("events_queued", "INSERT", "NEW.direction = 'out'", "state"),
            trigger("events_state", "UPDATE OF state, reason",
                    "NEW.direction = 'out' AND (NEW.state IS DISTINCT FROM OLD.state"
                    " OR NEW.reason IS DISTINCT FROM OLD.reason)",
                    "state"),
        };
    }
};

} // namespace velmora::store::sql
