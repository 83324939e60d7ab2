#pragma once

// The tests' way to the throw-away PostgreSQL server (tools/pg-test-server.sh,
// ctest's fixture "pg"): its URL, whether this run is the one on PostgreSQL,
// and a fresh schema for each test so that tests sharing the server never see
// each other's tables. A program that includes it links Qt6::Sql (velmora_service
// brings it).

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QUrl>
#include <QUrlQuery>

#include <optional>
#include <stdexcept>

namespace velmora::testing {

// The server's URL: VELMORA_TEST_PG_URL, else the first line of the file
// VELMORA_TEST_PG_URL_FILE names (ctest sets that one: the server writes the
// file when it starts, after ctest has read its settings).
inline std::optional<QString> PgUrl() {
    const QString url = qEnvironmentVariable("VELMORA_TEST_PG_URL").trimmed();
    if (!url.isEmpty())
        return url;
    const QString name = qEnvironmentVariable("VELMORA_TEST_PG_URL_FILE");
    if (name.isEmpty())
        return std::nullopt;
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString line = QString::fromUtf8(file.readLine(4096)).trimmed();
    if (line.isEmpty())
        return std::nullopt;
    return line;
}

// Whether this run of the test program is the one with the store on
// PostgreSQL (velmora_pg_test in tests/CMakeLists.txt).
inline bool OnPg() { return qEnvironmentVariable("VELMORA_TEST_STORE") == QLatin1String("pg"); }

// What the tests need of a postgresql:// URL to connect. QUrl refuses a
// socket folder as the host, so the URL is taken apart here.
struct PgTarget {
    QString user;
    QString host; // a socket folder or a host name
    int port = 5432;
    QString database;
    QString query; // as written, percent-encoded
    QString schema;
};

inline std::optional<PgTarget> ParsePgUrl(const QString& url) {
    static const QRegularExpression form(QStringLiteral(
        R"(^postgres(?:ql)?://(?:([^@/?#:]*)@)?([^:/?#]*)(?::(\d{1,5}))?(?:/([^?#]*))?(?:\?([^#]*))?$)"));
    const QRegularExpressionMatch match = form.match(url);
    if (!match.hasMatch())
        return std::nullopt;
    const auto decoded = [&](int group) { return QUrl::fromPercentEncoding(match.captured(group).toUtf8()); };
    PgTarget target;
    target.user = decoded(1);
    target.host = decoded(2);
    if (match.hasCaptured(3)) {
        target.port = match.captured(3).toInt();
        if (target.port < 1 || target.port > 65535)
            return std::nullopt;
    }
    target.database = decoded(4);
    target.query = match.captured(5);
    target.schema = QUrlQuery(target.query).queryItemValue(QStringLiteral("schema"), QUrl::FullyDecoded);
    return target;
}

// Opens a connection of its own to the server of `url`; the caller removes
// it (QSqlDatabase::removeDatabase) once no handle on it is left.
inline QSqlDatabase OpenPg(const QString& url, const QString& connection) {
    const std::optional<PgTarget> target = ParsePgUrl(url);
    if (!target)
        throw std::runtime_error("not a postgresql:// URL: " + url.toStdString());
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
    db.setUserName(target->user);
    db.setHostName(target->host);
    db.setPort(target->port);
    db.setDatabaseName(target->database);
    if (!db.open()) {
        const std::string why = db.lastError().text().toStdString();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connection);
        throw std::runtime_error("cannot connect to " + url.toStdString() + ": " + why);
    }
    return db;
}

// A new, empty schema on the test server, and the server's URL with
// schema=THAT added: where a test keeps its store. Throws (the test fails
// with the reason) when there is no server or it refuses.
inline QString FreshPgStore() {
    const std::optional<QString> url = PgUrl();
    if (!url)
        throw std::runtime_error("no PostgreSQL server for the tests: neither VELMORA_TEST_PG_URL nor "
                                 "VELMORA_TEST_PG_URL_FILE is set (run the test through ctest's fixture pg)");
    // Parallel test programs share the server; 64 random bits keep their
    // schemas apart.
    const QString schema =
        QStringLiteral("t_%1").arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'));
    const QString connection = QStringLiteral("velmora-test-fresh-") + schema;
    {
        QSqlDatabase db = OpenPg(*url, connection);
        QSqlQuery create(db);
        if (!create.exec(QStringLiteral("CREATE SCHEMA ") + schema)) {
            const std::string why = create.lastError().text().toStdString();
            create = QSqlQuery();
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(connection);
            throw std::runtime_error("cannot make schema " + schema.toStdString() + ": " + why);
        }
        create = QSqlQuery();
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);

    const std::optional<PgTarget> target = ParsePgUrl(*url);
    QUrlQuery query(target->query);
    query.removeAllQueryItems(QStringLiteral("schema"));
    query.addQueryItem(QStringLiteral("schema"), schema);
    QString base = *url;
    const qsizetype mark = base.indexOf(QLatin1Char('?'));
    if (mark >= 0)
        base.truncate(mark);
    return base + QLatin1Char('?') + query.toString(QUrl::FullyEncoded);
}

// Where a test keeps its store: `file` in its folder, or on the run on
// PostgreSQL a schema of its own, made at the first call and kept in
// `server` (one per test).
inline QString StoreOfTest(const QDir& folder, QString& server,
                           const QString& file = QStringLiteral("data/messages.sqlite")) {
    if (!OnPg())
        return folder.filePath(file);
    if (server.isEmpty())
        server = FreshPgStore();
    return server;
}

} // namespace velmora::testing
