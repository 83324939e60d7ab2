// The phone book kept for names, and the named groups of recipients.

#include "MessageStoreImpl.h"

#include <QCollator>

namespace velmora {

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
            QSqlQuery& add = d->Cached(QStringLiteral("INSERT INTO groups(name, fold) VALUES(?, ?)") +
                                       d->dialect.ReturningId());
            Run(add, {name, fold});
            id = d->InsertedId(add);
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
        QSqlQuery& q = d->Cached(
            QStringLiteral("SELECT b.number FROM phonebook b WHERE trim(b.fold) = ? AND b.id ="
                           " (SELECT min(c.id) FROM phonebook c WHERE c.peer = b.peer AND trim(c.fold) = ?)"
                           " ORDER BY b.id"));
        Run(q, {folded, folded});
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
