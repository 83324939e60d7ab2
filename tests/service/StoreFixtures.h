#pragma once

// PDUs as a phone hands them over, and files as other programs leave them,
// for the store's tests.

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
