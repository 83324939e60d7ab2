#pragma once

// The SQL of the store that only SQLite speaks, named in one place: Qt's
// driver and its options, the pragmas, the statement forms SQLite has and
// standard SQL has not, its JSON and text functions, and the forms of its
// schema. Every other statement of the store is plain SQL. Another
// database would give these its own forms here (and its own schema steps in
// MessageStore.cpp, which name their SQLite parts from here); nothing else
// of the store would change. Each gives the very text SQLite has always
// been given.

#include <QString>
#include <QStringList>

namespace velmora::store::sql {

// ---- the connection

// Qt's driver.
inline QString Driver() { return QStringLiteral("QSQLITE"); }
// Options of a connection that only reads; `asItLies`: the file is named by
// a URI (its "immutable=1": no locks, no -wal or -shm made).
inline QString ReadOnlyOptions(bool asItLies = false) {
    return asItLies ? QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI")
                    : QStringLiteral("QSQLITE_OPEN_READONLY");
}
// The query a URI carries to read a file as it lies.
inline QString AsItLiesQuery() { return QStringLiteral("immutable=1"); }

// A write transaction that takes the write lock at once, not at its first
// write.
inline QString BeginWrite() { return QStringLiteral("BEGIN IMMEDIATE"); }

// How long a statement waits for another connection's write.
inline QString BusyTimeout(int ms) { return QStringLiteral("PRAGMA busy_timeout = %1").arg(ms); }
inline QString ForeignKeys() { return QStringLiteral("PRAGMA foreign_keys = ON"); }
// A write-ahead log: readers go on while one writes.
inline QString WriteAheadLog() { return QStringLiteral("PRAGMA journal_mode = WAL"); }
// A commit that waits for the disk (`full`), or only for the log.
inline QString Synchronous(bool full) {
    return full ? QStringLiteral("PRAGMA synchronous = FULL") : QStringLiteral("PRAGMA synchronous = NORMAL");
}
// 16 MiB of pages kept in memory.
inline QString CacheSize() { return QStringLiteral("PRAGMA cache_size = -16384"); }

// ---- the file

// The mark of a store of this program, and its schema's version.
inline QString ApplicationId() { return QStringLiteral("PRAGMA application_id"); }
inline QString SetApplicationId(int id) { return QStringLiteral("PRAGMA application_id = %1").arg(id); }
inline QString SchemaVersion() { return QStringLiteral("PRAGMA user_version"); }
inline QString SetSchemaVersion(int version) {
    return QStringLiteral("PRAGMA user_version = %1").arg(version);
}
// How many tables and indexes the file holds.
inline QString CountSchemaObjects() { return QStringLiteral("SELECT count(*) FROM sqlite_master"); }
// The check of every page (quick), and the whole check, at most `most`
// findings.
inline QString QuickCheck() { return QStringLiteral("PRAGMA quick_check"); }
inline QString IntegrityCheck(int most) { return QStringLiteral("PRAGMA integrity_check(%1)").arg(most); }
// A consistent copy of the whole store into `file`, while others write.
inline QString CopyInto(const QString& file) {
    return QStringLiteral("VACUUM INTO '%1'")
        .arg(QString(file).replace(QLatin1Char('\''), QStringLiteral("''")));
}

// ---- statements

// An insert that does nothing where a row with the same key is there, or
// that replaces it.
inline QString InsertOrIgnore() { return QStringLiteral("INSERT OR IGNORE"); }
inline QString InsertOrReplace() { return QStringLiteral("INSERT OR REPLACE"); }
// Rows `limit` (-1: all) from `offset` on.
inline QString LimitOffset(int limit, int offset) {
    return QStringLiteral(" LIMIT %1 OFFSET %2").arg(limit < 0 ? -1 : limit).arg(offset);
}
// Whether `text` holds `part`, as it is.
inline QString Contains(const QString& text, const QString& part) {
    return QStringLiteral("instr(%1, %2) > 0").arg(text, part);
}
// Whether `text` matches `pattern`, a GlobPattern.
inline QString Matches(const QString& text, const QString& pattern) {
    return QStringLiteral("%1 GLOB %2").arg(text, pattern);
}
// The pattern that finds `word` as it is, anywhere in a text.
inline QString GlobPattern(const QString& word) {
    QString pattern = QStringLiteral("*");
    for (const QChar c : word) {
        if (c == QLatin1Char('*') || c == QLatin1Char('?') || c == QLatin1Char('['))
            pattern += QLatin1Char('[') + c + QLatin1Char(']');
        else
            pattern += c;
    }
    return pattern + QLatin1Char('*');
}
// The smaller and the larger of two values (not the aggregates).
inline QString Least(const QString& a, const QString& b) { return QStringLiteral("min(%1, %2)").arg(a, b); }
inline QString Greatest(const QString& a, const QString& b) {
    return QStringLiteral("max(%1, %2)").arg(a, b);
}
// The field `key` of the JSON object in `column` (NULL: none), and that
// object with `key` set to `value`.
inline QString JsonField(const QString& column, const QString& key) {
    return QStringLiteral("json_extract(coalesce(%1, '{}'), '$.%2')").arg(column, key);
}
inline QString JsonWithField(const QString& column, const QString& key, const QString& value) {
    return QStringLiteral("json_set(coalesce(%1, '{}'), '$.%2', %3)").arg(column, key, value);
}
// Now, in ms since 1970 (what every time of the store is), as a statement
// or a trigger reads the clock.
inline QString NowMillis() {
    return QStringLiteral("CAST((julianday('now') - 2440587.5) * 86400000 AS INTEGER)");
}
// The column of the search index that is its message's id.
inline QString SearchId() { return QStringLiteral("rowid"); }

// ---- the schema's forms

// A table stored by its primary key alone.
inline QString WithoutRowid() { return QStringLiteral(" WITHOUT ROWID"); }
// The search index: `fold` in pieces of three characters, any case as it
// is, found by its id alone.
inline QString CreateSearch() {
    return QStringLiteral(
        "CREATE VIRTUAL TABLE search USING fts5(fold, tokenize = 'trigram case_sensitive 1', "
        "detail = 'none')");
}

// A column of octets as they are.
inline QString Octets() { return QStringLiteral("BLOB"); }
// The event sequence: a number that only grows, never given twice, even
// after the newest rows are deleted.
inline QString SequenceKey() { return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT"); }
// What a trigger adds to the event sequence for the row it fired on.
inline QString EventRow(const char* kind) {
    return QStringLiteral(" BEGIN INSERT INTO events(message_id, kind, state, reason, at)"
                          " VALUES(NEW.id, '%1', NEW.state, NEW.reason, %2); END")
        .arg(QLatin1String(kind), NowMillis());
}
// The triggers that fill the event sequence from `messages`, in the
// transaction of the change itself, whoever writes it: "received" when a
// message comes in whole (inserted complete, or its last part joined it),
// "state" when a message going out is recorded or its state or reason
// changes.
inline QStringList CreateEventTriggers() {
    return {
        QStringLiteral("CREATE TRIGGER events_received AFTER INSERT ON messages"
                       " WHEN NEW.direction = 'in' AND NEW.complete = 1") +
            EventRow("received"),
        QStringLiteral("CREATE TRIGGER events_completed AFTER UPDATE OF complete ON messages"
                       " WHEN NEW.direction = 'in' AND NEW.complete = 1 AND OLD.complete = 0") +
            EventRow("received"),
        QStringLiteral("CREATE TRIGGER events_queued AFTER INSERT ON messages WHEN NEW.direction = 'out'") +
            EventRow("state"),
        QStringLiteral("CREATE TRIGGER events_state AFTER UPDATE OF state, reason ON messages"
                       " WHEN NEW.direction = 'out'"
                       " AND (NEW.state IS NOT OLD.state OR NEW.reason IS NOT OLD.reason)") +
            EventRow("state"),
    };
}

} // namespace velmora::store::sql
