#pragma once

// The store's tests run again on a PostgreSQL server: with
// VELMORA_TEST_STORE=pg, each test's store is a fresh schema there.

#include <QByteArray>
#include <QFile>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

namespace velmora::testing {

inline bool OnPg() { return qgetenv("VELMORA_TEST_STORE") == "pg"; }

inline QString PgServerUrl() {
    QString url = QString::fromUtf8(qgetenv("VELMORA_TEST_PG_URL"));
    if (url.isEmpty()) {
        QFile f(QString::fromUtf8(qgetenv("VELMORA_TEST_PG_URL_FILE")));
        if (f.open(QIODevice::ReadOnly))
            url = QString::fromUtf8(f.readAll()).trimmed();
    }
    return url;
}

// A schema of its own on the test server, as a store's location ("" when
// there is no server).
inline QString FreshPgStore() {
    const QString server = PgServerUrl();
    if (server.isEmpty())
        return {};
    const QString schema =
        QStringLiteral("t_%1").arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'));
    return server + (server.contains(QLatin1Char('?')) ? QLatin1Char('&') : QLatin1Char('?')) +
           QStringLiteral("schema=") + schema;
}

} // namespace velmora::testing
