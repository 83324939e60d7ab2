// A store's history copied into another that holds none yet: a file into a
// server's store when boxes start to share one, and back. Every row keeps
// its id, so what scripts and webhooks know by id stays true.

#include "MessageStoreImpl.h"

#include <QScopeGuard>
#include <QSqlRecord>

namespace velmora {

namespace {

// In the order their references need. The search index is made again on the
// other side, and the programs using a store are its own.
constexpr const char* kTables[] = {"pdus",     "batches", "groups", "group_members", "phonebook", "modems",
                                   "messages", "parts",   "places", "events",        "api_keys",  "webhooks"};

// The columns of `table` both stores have (an older file may lack some).
QStringList Columns(const QSqlDatabase& from, const QSqlDatabase& to, const QString& table) {
    const auto names = [&](const QSqlDatabase& db) {
        QSqlQuery q(db);
        QStringList out;
        if (q.exec(QStringLiteral("SELECT * FROM %1 LIMIT 0").arg(table))) {
            const QSqlRecord r = q.record();
            for (int i = 0; i < r.count(); ++i)
                out << r.fieldName(i);
        }
        return out;
    };
    const QStringList theirs = names(to);
    QStringList both;
    for (const QString& c : names(from))
        if (theirs.contains(c))
            both << c;
    return both;
}

} // namespace

Result<int> MessageStore::CopyTo(MessageStore& target) {
    using R = Result<int>;
    if (&target == this || target.path() == path())
        return R::Fail(
            d->Refused(QCoreApplication::translate("MessageStore", "a store is not copied into itself")));
    Impl& to = *target.d;
    const bool fromServer = d->dialect.pg;
    const bool toServer = to.dialect.pg;
    try {
        // Every table read as of one moment, while others write: parts
        // never without their message.
        Exec(d->db, fromServer ? QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY")
                               : QStringLiteral("BEGIN"));
        const auto endRead = qScopeGuard([this] { QSqlQuery(d->db).exec(QStringLiteral("ROLLBACK")); });
        Transaction t(to.db);
        if (Scalar(to.db, QStringLiteral("SELECT count(*) FROM messages")).toLongLong() > 0)
            return R::Fail(target.d->Refused(
                QCoreApplication::translate("MessageStore", "the message store %1 holds messages already: "
                                                            "a copy goes only into an empty one")
                    .arg(Shown(target.path()))));
        // Each table's columns both sides have, asked once.
        std::vector<std::pair<QString, QStringList>> tables;
        for (const char* name : kTables)
            if (QStringList columns = Columns(d->db, to.db, QString::fromLatin1(name)); !columns.isEmpty())
                tables.emplace_back(QString::fromLatin1(name), std::move(columns));
        // A program that ran on it already left its modems, a phone book...:
        // named, rather than a key the copy would meet half way.
        for (const auto& [table, columns] : tables)
            if (Scalar(to.db, QStringLiteral("SELECT count(*) FROM %1").arg(table)).toLongLong() > 0)
                return R::Fail(target.d->Refused(
                    QCoreApplication::translate("MessageStore", "the message store %1 holds %2 already: "
                                                                "a copy goes only into an empty one")
                        .arg(Shown(target.path()), table)));
        // The rows come with their events; none is told again as new.
        to.Setting(to.dialect.QuietEvents());
        int messages = 0;
        for (const auto& [table, columns] : tables) {
            if (table == QLatin1String("events"))
                Exec(to.db, QStringLiteral("DELETE FROM events"));
            QStringList marks;
            for (qsizetype i = 0; i < columns.size(); ++i)
                marks << QStringLiteral("?");
            QSqlQuery insert = Prepare(
                to.db, QStringLiteral("INSERT INTO %1(%2) VALUES(%3)")
                           .arg(table, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))));
            QSqlQuery read = Prepare(
                d->db, QStringLiteral("SELECT %1 FROM %2").arg(columns.join(QStringLiteral(", ")), table));
            Run(read);
            const qsizetype pdu = columns.indexOf(QStringLiteral("pdu"));
            // What was on its way when the copy was made has no program
            // following it in the copy: its fate is not known there.
            const bool messagesTable = table == QLatin1String("messages");
            const qsizetype state = messagesTable ? columns.indexOf(QStringLiteral("state")) : -1;
            const qsizetype reason = messagesTable ? columns.indexOf(QStringLiteral("reason")) : -1;
            while (read.next()) {
                const bool wasSending =
                    state >= 0 && read.value(static_cast<int>(state)).toString() == QLatin1String("sending");
                for (int i = 0; i < columns.size(); ++i) {
                    QVariant v = read.value(i);
                    if (wasSending && i == state)
                        v = QStringLiteral("uncertain");
                    else if (wasSending && i == reason)
                        v = QStringLiteral("stopped");
                    // Octets on both sides; a text that was no hex keeps
                    // the form each side gives it.
                    if (i == pdu && !v.isNull())
                        v = PduValue(Canonical(PduText(v, fromServer)), toServer);
                    insert.bindValue(i, toServer ? ForServer(v) : v);
                }
                Run(insert);
                if (messagesTable)
                    ++messages;
            }
            read.finish();
        }
        const QVariant webhooks =
            Scalar(d->db, QStringLiteral("SELECT value FROM meta WHERE key = 'webhook_seq'"));
        if (!webhooks.isNull())
            Scalar(to.db, to.dialect.SetMeta(), {QStringLiteral("webhook_seq"), webhooks});
        // The search index, made for every message from its own columns.
        {
            Impl::IndexAtEnd index(to);
            QSqlQuery all = Prepare(to.db, QStringLiteral("SELECT id, number, text FROM messages"));
            Run(all);
            std::vector<std::tuple<qint64, QString, QString>> rows;
            while (all.next())
                rows.emplace_back(all.value(0).toLongLong(), all.value(1).toString(),
                                  all.value(2).toString());
            all.finish();
            for (const auto& [id, number, text] : rows)
                to.Index(id, number, text);
            index.Flush();
        }
        // A server's next ids come after the ones copied.
        if (toServer) {
            for (const auto& [table, column] : {std::pair{"messages", "id"},
                                                {"pdus", "id"},
                                                {"parts", "id"},
                                                {"batches", "id"},
                                                {"groups", "id"},
                                                {"phonebook", "id"},
                                                {"webhooks", "id"},
                                                {"events", "seq"}})
                Scalar(to.db, QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', '%2'),"
                                             " coalesce((SELECT max(%2) FROM %1), 0) + 1, false)")
                                  .arg(QLatin1String(table), QLatin1String(column)));
        }
        t.Commit();
        return R::Ok(messages);
    } catch (const SqlFailed& f) {
        return R::Fail(to.Failure(f));
    }
}

} // namespace velmora
