// The HTTP gateway for real: listening on a free port of 127.0.0.1 over a
// message centre with no modem (what is sent just queues) on a store in a
// temporary folder, asked through Qt's network client and, where the
// bytes on the wire matter, a plain socket.

#include "HttpGateway.h"
#include "BusService.h"
#include "EventLoop.h"
#include "MessageApi.h"
#include "MessageCentre.h"
#include "StoreFixtures.h"
#include "TestNames.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>

namespace velmora::testing {
namespace {

using api::HttpGateway;

QCoreApplication& App() { return TestApp("api_http_tests"); }

constexpr char kToken[] = "Bearer 7f3a-rahasia-token-41";

struct Answer {
    int status = 0;
    QByteArray body;
    QJsonObject json;
    QMap<QByteArray, QByteArray> headers; // names in lower case
};

// A gateway over a centre of its own, and a client that keeps its
// connections open between requests.
class Served {
public:
    // `times`: [Http]'s idle and request limits, shortened by a test.
    explicit Served(int perMinute = 0,
                    std::pair<int, int> times = {HttpGateway::kIdleMs, HttpGateway::kRequestMs}) {
        CentreSetup setup;
        setup.paths.transmitLog = path("Tr_smsn.Txt").toStdString();
        setup.paths.failedLog = path("Fl_smsn.Txt").toStdString();
        setup.paths.receivedLog = path("Received.Txt").toStdString();
        setup.paths.messageStore = path("messages.sqlite").toStdString();
        setup.importAtOnce = true;
        centre = std::make_unique<MessageCentre>(std::move(setup));
        centre->open();
        api = std::make_unique<MessageApi>(*centre);
        HttpConfig config;
        config.listen = QStringLiteral("127.0.0.1:0");
        config.tokenFile = TokenFile("7f3a-rahasia-token-41\n");
        config.perMinute = perMinute;
        gateway = std::make_unique<HttpGateway>(*api, config);
        gateway->setTimes(times.first, times.second);
        const auto started = gateway->start();
        EXPECT_TRUE(started) << started.error().toStdString();
        port = started ? *started : 0;
    }

    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QString TokenFile(const QByteArray& content,
                      QFile::Permissions mode = QFile::ReadOwner | QFile::WriteOwner) {
        QFile file(path("token"));
        file.remove();
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        file.setPermissions(mode);
        return file.fileName();
    }

    Answer call(const QByteArray& method, const QString& target, const QByteArray& body = {},
                const char* auth = kToken) {
        QNetworkRequest request(QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(target)));
        request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
        if (auth && *auth)
            request.setRawHeader("Authorization", auth);
        QNetworkReply* reply = client.sendCustomRequest(request, method, body);
        EXPECT_TRUE(Until([&] { return reply->isFinished(); }))
            << method.toStdString() << ' ' << target.toStdString();
        Answer answer;
        answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        answer.body = reply->readAll();
        answer.json = QJsonDocument::fromJson(answer.body).object();
        for (const auto& [name, value] : reply->rawHeaderPairs())
            answer.headers.insert(name.toLower(), value);
        reply->deleteLater();
        return answer;
    }

    // Every message the store holds, whichever program wrote it.
    std::size_t stored() {
        const auto all = api->list(HistoryQuery{});
        EXPECT_TRUE(all);
        return all ? all->size() : 0;
    }

    QCoreApplication& app = App(); // before the client
    QTemporaryDir dir;
    std::unique_ptr<MessageCentre> centre;
    std::unique_ptr<MessageApi> api;
    std::unique_ptr<HttpGateway> gateway;
    quint16 port = 0;
    QNetworkAccessManager client;
};

// ---- the document: what the server says it answers

QJsonObject Document() {
    QFile file(QStringLiteral(VELMORA_OPENAPI));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QJsonDocument::fromJson(file.readAll()).object();
}

QJsonObject Resolve(const QJsonObject& doc, QJsonObject value) {
    while (value.contains(QStringLiteral("$ref"))) {
        QJsonValue at = doc;
        for (const QString& step :
             value.value(QStringLiteral("$ref")).toString().mid(2).split(QLatin1Char('/')))
            at = at.toObject().value(step);
        value = at.toObject();
    }
    return value;
}

// The document's path that `target` ("/v1/messages/7?x=1") is, "" none.
QString Template(const QJsonObject& doc, const QString& target) {
    const QString path = target.section(QLatin1Char('?'), 0, 0);
    const QJsonObject paths = doc.value(QStringLiteral("paths")).toObject();
    for (auto it = paths.begin(); it != paths.end(); ++it) {
        QString pattern = QRegularExpression::escape(it.key());
        pattern.replace(QRegularExpression(QStringLiteral("\\\\\\{[a-z]+\\\\\\}")), QStringLiteral("[^/]+"));
        if (QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(path).hasMatch())
            return it.key();
    }
    return {};
}

// The answer as the document describes it: a status it lists for the
// operation (a server failure as "default"), a JSON body with the keys its
// schema requires. A path or method it does not list is 404 or 405.
void CheckAgainstDocument(const QJsonObject& doc, const QByteArray& method, const QString& target,
                          const Answer& answer) {
    SCOPED_TRACE(method.toStdString() + ' ' + target.toStdString() + " -> " + std::to_string(answer.status));
    const QString path = Template(doc, target);
    const QJsonObject operation = doc.value(QStringLiteral("paths"))
                                      .toObject()
                                      .value(path)
                                      .toObject()
                                      .value(QString::fromLatin1(method).toLower())
                                      .toObject();
    QJsonObject response;
    if (operation.isEmpty()) {
        EXPECT_TRUE(answer.status == (path.isEmpty() ? 404 : 405));
        response = doc.value(QStringLiteral("components"))
                       .toObject()
                       .value(QStringLiteral("responses"))
                       .toObject()
                       .value(QStringLiteral("NotFound"))
                       .toObject();
    } else {
        const QJsonObject responses = operation.value(QStringLiteral("responses")).toObject();
        const QString status = QString::number(answer.status);
        ASSERT_TRUE(responses.contains(status) || (answer.status >= 500 && responses.contains("default")))
            << "not in the document: " << answer.body.toStdString();
        response =
            responses.value(responses.contains(status) ? status : QStringLiteral("default")).toObject();
    }
    const QJsonObject schema = Resolve(doc, Resolve(doc, response)
                                                .value(QStringLiteral("content"))
                                                .toObject()
                                                .value(QStringLiteral("application/json"))
                                                .toObject()
                                                .value(QStringLiteral("schema"))
                                                .toObject());
    ASSERT_FALSE(schema.isEmpty());
    for (const QJsonValue key : schema.value(QStringLiteral("required")).toArray())
        EXPECT_TRUE(answer.json.contains(key.toString()))
            << "no \"" << key.toString().toStdString() << "\" in " << answer.body.toStdString();
}

// ---- every refusal, and the key given again, from one table

struct Request {
    QByteArray method;
    QString target; // "{id}" stands for the message the case's `prepare` gave
    QByteArray body = {};
    const char* auth = kToken;
};

QByteArray Text(const char* to, const QString& text, const char* extra = "") {
    return QStringLiteral(R"({"to": ["%1"], "text": "%2"%3})")
        .arg(QLatin1String(to), text, QLatin1String(extra))
        .toUtf8();
}

struct Case {
    const char* name;
    Request request;
    int status;
    const char* error; // the answer's "error"; "" for none
    int perMinute = 0; // [Http] PerMinute=; 0 none
    std::vector<Request> before = {};
    // A header the answer carries: its value, or any number when null.
    const char* header = nullptr;
    const char* value = nullptr;
    // Makes a message for "{id}" (through another connection to the store).
    std::function<qint64(Served&)> prepare = {};
};

// A message queued and then sent by another program: it left.
qint64 SentElsewhere(Served& served) {
    const auto ids = served.api->submitText({QStringLiteral("+6281234567890")}, QStringLiteral("Halo"), {});
    EXPECT_TRUE(ids);
    auto other = MessageStore::Open(served.path("messages.sqlite"));
    EXPECT_TRUE(other && (*other)->SetState(ids->ids.at(0), msg::State::Sent));
    return ids->ids.at(0);
}

qint64 Queued(Served& served) {
    const auto ids = served.api->submitText({QStringLiteral("+6281234567890")}, QStringLiteral("Halo"), {});
    EXPECT_TRUE(ids);
    return ids ? ids->ids.at(0) : 0;
}

const QByteArray kPost = "POST";
const QByteArray kGet = "GET";
const QString kMessages = QStringLiteral("/v1/messages");
const QString kHealth = QStringLiteral("/v1/health");

const Case kCases[] = {
    {"no token", {kGet, kHealth, {}, ""}, 401, "Unauthorized", 0, {}, "WWW-Authenticate", "Bearer"},
    {"wrong token", {kGet, kHealth, {}, "Bearer 7f3a-rahasia-token-42"}, 401, "Unauthorized"},
    {"token's beginning only", {kGet, kHealth, {}, "Bearer 7f3a-rahasia"}, 401, "Unauthorized"},
    {"token not as bearer", {kGet, kHealth, {}, "Basic 7f3a-rahasia-token-41"}, 401, "Unauthorized"},
    {"no token before a bad body", {kPost, kMessages, "{", ""}, 401, "Unauthorized"},
    {"body over 64 KiB",
     {kPost, kMessages, Text("+6281234567890", QString(64 * 1024, QLatin1Char('a')))},
     413,
     "TooLarge"},
    {"body not JSON", {kPost, kMessages, "to=+6281234567890&text=Halo"}, 400, "BadRequest"},
    {"body a list", {kPost, kMessages, "[]"}, 400, "BadRequest"},
    {"no recipient", {kPost, kMessages, R"({"to": [], "text": "Halo"})"}, 400, "BadRequest"},
    {"recipient a number",
     {kPost, kMessages, R"({"to": [6281234567890], "text": "Halo"})"},
     400,
     "BadRequest"},
    {"recipient alone", {kPost, kMessages, R"({"to": "+6281234567890", "text": "Halo"})"}, 400, "BadRequest"},
    {"text and message",
     {kPost, kMessages, Text("+6281234567890", "Halo", R"(, "message": {"kind": "text"})")},
     400,
     "BadRequest"},
    {"neither text nor message", {kPost, kMessages, R"({"to": ["+6281234567890"]})"}, 400, "BadRequest"},
    {"unknown field",
     {kPost, kMessages, Text("+6281234567890", "Halo", R"(, "colour": "red")")},
     400,
     "BadRequest"},
    {"report a word",
     {kPost, kMessages, Text("+6281234567890", "Halo", R"(, "report": "yes")")},
     400,
     "BadRequest"},
    {"time not ISO 8601",
     {kPost, kMessages, Text("+6281234567890", "Halo", R"(, "at": "tomorrow")")},
     400,
     "BadRequest"},
    {"expires before it may go",
     {kPost, kMessages,
      Text("+6281234567890", "Halo", R"(, "at": "2099-01-02T00:00:00Z", "expire": "2099-01-01T00:00:00Z")")},
     400,
     "BadRequest"},
    {"unknown modem",
     {kPost, kMessages, Text("+6281234567890", "Halo", R"(, "modem": "nowhere")")},
     400,
     "BadRequest"},
    {"message field unknown",
     {kPost, kMessages,
      R"({"to": ["+6281234567890"], "message": {"kind": "text", "text": "Halo", "colour": 1}})"},
     400,
     "BadRequest"},
    {"message refused",
     {kPost, kMessages,
      R"({"to": ["+6281234567890"], "message": {"kind": "text", "text": ")" + QByteArray(200, 'a') +
          R"(", "longText": false}})"},
     422,
     "Refused"},
    {"cursor below 0", {kGet, kMessages + "?after=-1"}, 400, "BadRequest"},
    {"limit over 1000", {kGet, kMessages + "?direction=in&limit=1001"}, 400, "BadRequest"},
    {"direction unknown", {kGet, kMessages + "?direction=up"}, 400, "BadRequest"},
    {"parameter unknown", {kGet, kMessages + "?since=3"}, 400, "BadRequest"},
    {"unknown path", {kGet, QStringLiteral("/v2/messages")}, 404, "NotFound"},
    {"unknown message", {kGet, kMessages + "/424242"}, 404, "NotFound"},
    {"message id a word", {kGet, kMessages + "/abc"}, 404, "NotFound"},
    {"cancel unknown message", {"DELETE", kMessages + "/424242"}, 404, "NotFound"},
    {"PUT to messages",
     {"PUT", kMessages, Text("+6281234567890", "Halo")},
     405,
     "MethodNotAllowed",
     0,
     {},
     "Allow",
     "GET, POST"},
    {"POST to a message",
     {kPost, kMessages + "/{id}", Text("+6281234567890", "Halo")},
     405,
     "MethodNotAllowed",
     0,
     {},
     "Allow",
     "GET, DELETE",
     Queued},
    {"DELETE the modems",
     {"DELETE", QStringLiteral("/v1/modems")},
     405,
     "MethodNotAllowed",
     0,
     {},
     "Allow",
     "GET"},
    {"cancel after it left",
     {"DELETE", kMessages + "/{id}"},
     409,
     "Conflict",
     0,
     {},
     nullptr,
     nullptr,
     SentElsewhere},
    {"same key again",
     {kPost, kMessages, Text("+6281234567890", "Halo", R"(, "key": "order-17")")},
     200,
     "",
     0,
     {{kPost, kMessages, Text("+6281234567890", "Halo", R"(, "key": "order-17")")}}},
    {"same key, expired since",
     {kPost, kMessages,
      Text("+6281234567890", "Halo", R"(, "key": "order-18", "expire": "2001-01-01T00:00:00Z")")},
     200,
     "",
     0,
     {{kPost, kMessages,
       Text("+6281234567890", "Halo", R"(, "key": "order-18", "expire": "2099-01-01T00:00:00Z")")}}},
    {"same key, other text",
     {kPost, kMessages, Text("+6281234567890", "Lain", R"(, "key": "order-17")")},
     200,
     "",
     0,
     {{kPost, kMessages, Text("+6281234567890", "Halo", R"(, "key": "order-17")")}}},
    {"over PerMinute",
     {kGet, kHealth},
     429,
     "TooManyRequests",
     2,
     {{kGet, kHealth}, {kGet, kHealth}},
     "Retry-After"},
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class Refusal : public ::testing::TestWithParam<Case> {};

TEST_P(Refusal, IsAnsweredAsTheDocumentSaysAndChangesNothing) {
    const Case& c = GetParam();
    Served served(c.perMinute);
    ASSERT_NE(served.port, 0);
    QString target = c.request.target;
    if (c.prepare)
        target.replace(QStringLiteral("{id}"), QString::number(c.prepare(served)));
    QJsonValue earlierIds;
    for (const Request& r : c.before) {
        const Answer first = served.call(r.method, r.target, r.body, r.auth);
        ASSERT_LT(first.status, 300) << first.body.toStdString();
        earlierIds = first.json.value(QStringLiteral("ids"));
    }
    const std::size_t stored = served.stored();

    const Answer answer = served.call(c.request.method, target, c.request.body, c.request.auth);
    EXPECT_EQ(answer.status, c.status) << answer.body.toStdString();
    if (*c.error) {
        EXPECT_EQ(answer.json.value(QStringLiteral("error")).toString().toStdString(), c.error);
        EXPECT_FALSE(answer.json.value(QStringLiteral("reason")).toString().isEmpty())
            << answer.body.toStdString();
    } else {
        EXPECT_FALSE(earlierIds.toArray().isEmpty());
        EXPECT_EQ(answer.json.value(QStringLiteral("ids")), earlierIds) << "the first request's ids";
    }
    if (c.header) {
        const QByteArray value = answer.headers.value(QByteArray(c.header).toLower());
        if (c.value)
            EXPECT_EQ(value.toStdString(), c.value);
        else
            EXPECT_GT(value.toInt(), 0) << c.header;
    }
    EXPECT_EQ(served.stored(), stored) << "a refusal or a key given again queues nothing";
    CheckAgainstDocument(Document(), c.request.method, target, answer);
}

INSTANTIATE_TEST_SUITE_P(Http, Refusal, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return CaseName(info.index, info.param.name); });

// ---- the wire itself

// Sends `bytes` on a connection of its own and gives what came back until
// `enough` says so or the server closed it.
QByteArray Exchange(QTcpSocket& socket, const QByteArray& bytes,
                    const std::function<bool(const QByteArray&)>& enough) {
    QByteArray got;
    socket.write(bytes);
    Until([&] {
        got += socket.readAll();
        return enough(got) || socket.state() == QAbstractSocket::UnconnectedState;
    });
    return got + socket.readAll();
}

TEST(HttpWire, KeepsTheConnectionAndRefusesAHugeBodyOrAnUpgradeBeforeQtReadsIt) {
    Served served;
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, served.port);
    ASSERT_TRUE(Until([&] { return socket.state() == QAbstractSocket::ConnectedState; }));
    const QByteArray health =
        QByteArray("GET /v1/health HTTP/1.1\r\nHost: x\r\nAuthorization: ") + kToken + "\r\n\r\n";
    const auto answered = [](int count) {
        return [count](const QByteArray& got) { return got.count("\"status\":\"ok\"") == count; };
    };
    // Two requests, one connection: both answered, the connection kept.
    EXPECT_TRUE(Exchange(socket, health, answered(1)).startsWith("HTTP/1.1 200 "));
    EXPECT_TRUE(Exchange(socket, health, answered(1)).startsWith("HTTP/1.1 200 "));
    ASSERT_EQ(socket.state(), QAbstractSocket::ConnectedState);

    // A body said to be 100 MB is refused on its head alone; the body is
    // never sent, and the connection is closed.
    const QByteArray huge =
        QByteArray("POST /v1/messages HTTP/1.1\r\nHost: x\r\nContent-Length: 100000000\r\nAuthorization: ") +
        kToken + "\r\n\r\n";
    const QByteArray refused = Exchange(socket, huge, [](const QByteArray&) { return false; });
    EXPECT_TRUE(refused.startsWith("HTTP/1.1 413 ")) << refused.toStdString();
    EXPECT_TRUE(refused.contains("\"error\":\"TooLarge\"")) << refused.toStdString();
    EXPECT_EQ(socket.state(), QAbstractSocket::UnconnectedState);

    // Nor does a body that never says how long it is get further: chunks
    // past the limit close the connection.
    QTcpSocket chunked;
    chunked.connectToHost(QHostAddress::LocalHost, served.port);
    ASSERT_TRUE(Until([&] { return chunked.state() == QAbstractSocket::ConnectedState; }));
    QByteArray body = QByteArray("POST /v1/messages HTTP/1.1\r\nHost: x\r\nTransfer-Encoding: chunked\r\n") +
                      "Authorization: " + kToken + "\r\n\r\n";
    for (int i = 0; i < 20; ++i)
        body += "1000\r\n" + QByteArray(0x1000, 'a') + "\r\n";
    const QByteArray cut = Exchange(chunked, body, [](const QByteArray&) { return false; });
    EXPECT_TRUE(cut.startsWith("HTTP/1.1 413 ")) << cut.toStdString();

    // A WebSocket's upgrade is refused before Qt's server would take it.
    QTcpSocket upgrade;
    upgrade.connectToHost(QHostAddress::LocalHost, served.port);
    ASSERT_TRUE(Until([&] { return upgrade.state() == QAbstractSocket::ConnectedState; }));
    const QByteArray socketAsked =
        Exchange(upgrade,
                 QByteArray("GET /v1/health HTTP/1.1\r\nHost: x\r\nUpgrade: websocket\r\n"
                            "Connection: Upgrade\r\nSec-WebSocket-Version: 13\r\n"
                            "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nAuthorization: ") +
                     kToken + "\r\n\r\n",
                 [](const QByteArray&) { return false; });
    EXPECT_TRUE(socketAsked.startsWith("HTTP/1.1 400 ")) << socketAsked.toStdString();
    EXPECT_EQ(socketAsked.count("HTTP/1.1"), 1) << "one answer";
    EXPECT_EQ(served.stored(), 0u);
}

// A connection over the limit is closed at once; those before it are served.
TEST(HttpWire, ClosesAConnectionOverTheLimit) {
    Served served;
    std::vector<std::unique_ptr<QTcpSocket>> open;
    for (int n = 0; n <= HttpGateway::kMaxConnections; ++n) {
        open.push_back(std::make_unique<QTcpSocket>());
        open.back()->connectToHost(QHostAddress::LocalHost, served.port);
    }
    const auto closed = [&] {
        return std::count_if(open.begin(), open.end(), [](const auto& socket) {
            return socket->state() == QAbstractSocket::UnconnectedState;
        });
    };
    EXPECT_TRUE(Until([&] { return closed() == 1; }));
    Until([] { return false; }, 200);
    EXPECT_EQ(closed(), 1);
    QTcpSocket& served_one = **std::find_if(open.begin(), open.end(), [](const auto& socket) {
        return socket->state() == QAbstractSocket::ConnectedState;
    });
    const QByteArray answer = Exchange(
        served_one, QByteArray("GET /v1/health HTTP/1.1\r\nHost: x\r\nAuthorization: ") + kToken + "\r\n\r\n",
        [](const QByteArray& got) { return got.contains("\"status\":\"ok\""); });
    EXPECT_TRUE(answer.startsWith("HTTP/1.1 200 ")) << answer.toStdString();
}

// A client sending its request a byte now and then holds a connection
// only for the request's time from its first byte, however often a byte
// comes; one that sends its request in a few pieces within it is served.
TEST(HttpWire, ClosesARequestThatDoesNotComeWholeInTime) {
    Served served(0, {1500, 600});
    const QByteArray health =
        QByteArray("GET /v1/health HTTP/1.1\r\nHost: x\r\nAuthorization: ") + kToken + "\r\n\r\n";
    const auto connected = [&](QTcpSocket& socket) {
        socket.connectToHost(QHostAddress::LocalHost, served.port);
        return Until([&] { return socket.state() == QAbstractSocket::ConnectedState; });
    };
    QTcpSocket quick;
    ASSERT_TRUE(connected(quick));
    QByteArray got;
    for (qsizetype at = 0; at < health.size(); at += health.size() / 3 + 1) {
        quick.write(health.mid(at, health.size() / 3 + 1));
        Until([&] { return false; }, 100);
        got += quick.readAll();
    }
    Until([&] {
        got += quick.readAll();
        return got.contains("\"status\":\"ok\"");
    });
    EXPECT_TRUE(got.startsWith("HTTP/1.1 200 ")) << got.toStdString();

    QTcpSocket slow;
    ASSERT_TRUE(connected(slow));
    QElapsedTimer clock;
    clock.start();
    got.clear();
    for (qsizetype at = 0;
         at < health.size() && slow.state() == QAbstractSocket::ConnectedState && clock.elapsed() < 4000;
         ++at) {
        slow.write(health.mid(at, 1));
        Until([&] { return slow.state() != QAbstractSocket::ConnectedState; }, 200);
        got += slow.readAll();
    }
    EXPECT_EQ(slow.state(), QAbstractSocket::UnconnectedState)
        << "still open after " << clock.elapsed() << " ms";
    EXPECT_LT(clock.elapsed(), 1500) << "closed by the request's time, not the idle one";
    EXPECT_TRUE(got.startsWith("HTTP/1.1 408 ")) << got.toStdString();
    EXPECT_TRUE(got.contains("\"error\":\"Timeout\"")) << got.toStdString();
}

// ---- the size of an answer

// Long messages with every part's PDU: a page stops at the answer's size
// and its cursor goes on after the last message given; D-Bus's List the
// same by its offset. Nothing is skipped or given twice either way.
TEST(HttpAnswer, StopsAtItsSizeAndPagesOnWithoutSkipping) {
    Served served;
    // 100 parts each, some 60 KiB of JSON: 120 of them are twice an answer.
    const QString text(67 * 100, QChar(0x101));
    std::set<qint64> queued;
    for (int batch = 0; batch < 2; ++batch) {
        QStringList to;
        for (int i = 0; i < 60; ++i)
            to << QStringLiteral("+62812%1%2").arg(batch).arg(i, 4, 10, QLatin1Char('0'));
        const auto sent = served.api->submitText(to, text, {});
        ASSERT_TRUE(sent) << sent.error().why.toStdString();
        queued.insert(sent->ids.begin(), sent->ids.end());
    }
    ASSERT_EQ(queued.size(), 120u);

    std::set<qint64> paged;
    qint64 cursor = 0;
    int pages = 0;
    for (;;) {
        const Answer answer =
            served.call(kGet, kMessages + QStringLiteral("?after=%1&limit=1000").arg(cursor));
        ASSERT_EQ(answer.status, 200);
        EXPECT_LT(answer.body.size(), MessageApi::kMaxAnswerBytes + 200 * 1024);
        const QJsonArray messages = answer.json.value(QStringLiteral("messages")).toArray();
        if (messages.isEmpty())
            break;
        ++pages;
        for (const QJsonValue m : messages)
            EXPECT_TRUE(paged.insert(m.toObject().value(QStringLiteral("id")).toInteger()).second);
        cursor = answer.json.value(QStringLiteral("next")).toInteger();
        ASSERT_LT(pages, 10);
    }
    EXPECT_EQ(paged, queued);
    EXPECT_GE(pages, 2);

    api::BusService bus(*served.api, *served.centre);
    std::set<qint64> listed;
    int lists = 0;
    for (;;) {
        const QList<QVariantMap> page =
            bus.List({{QStringLiteral("offset"), static_cast<qulonglong>(listed.size())}});
        if (page.isEmpty())
            break;
        ++lists;
        qsizetype bytes = 0;
        for (const QVariantMap& m : page) {
            EXPECT_TRUE(listed.insert(m.value(QStringLiteral("id")).toLongLong()).second);
            bytes += QJsonDocument(QJsonObject::fromVariantMap(m)).toJson(QJsonDocument::Compact).size();
        }
        EXPECT_LT(bytes, MessageApi::kMaxAnswerBytes + 200 * 1024);
        ASSERT_LT(lists, 10);
    }
    EXPECT_EQ(listed, queued);
    EXPECT_GE(lists, 2);
}

// ---- the cursor

// Messages come in through another connection to the store between the
// pages, while this program queues its own through HTTP: every received
// message is on exactly one page, whatever came in when.
TEST(HttpCursor, NeverSkipsOrRepeatsAMessageWithTwoWriters) {
    Served served;
    auto other = MessageStore::Open(served.path("messages.sqlite"));
    ASSERT_TRUE(other);
    const ModemId modem(QStringLiteral("510101234567890"), QStringLiteral("/dev/ttyUSB0"));
    std::set<qint64> received, paged;
    qint64 cursor = 0;
    int pdu = 0;
    const auto page = [&] {
        const Answer answer =
            served.call(kGet, QStringLiteral("/v1/messages?direction=in&after=%1&limit=3").arg(cursor));
        EXPECT_EQ(answer.status, 200) << answer.body.toStdString();
        for (const QJsonValue m : answer.json.value(QStringLiteral("messages")).toArray()) {
            EXPECT_EQ(m.toObject().value(QStringLiteral("direction")).toString(), QStringLiteral("in"));
            EXPECT_TRUE(paged.insert(m.toObject().value(QStringLiteral("id")).toInteger()).second)
                << "repeated: " << answer.body.toStdString();
        }
        cursor = answer.json.value(QStringLiteral("next")).toInteger();
        return answer.json.value(QStringLiteral("messages")).toArray().size();
    };
    for (int round = 0; round < 6; ++round) {
        for (int n = 0; n < round % 3 + 1; ++n) {
            const QString text = QStringLiteral("Pesan %1").arg(++pdu);
            const auto added = (*other)->AddReceived(
                modem, QStringLiteral("SM"), pdu, Deliver("628123456789", text, Utc("2026-12-10T08:00:00Z")));
            ASSERT_TRUE(added) << added.error();
            received.insert(added->id);
        }
        const Answer sent =
            served.call(kPost, kMessages, Text("+6281234567890", QStringLiteral("Balas %1").arg(round)));
        EXPECT_EQ(sent.status, 202) << sent.body.toStdString();
        page();
    }
    while (page() > 0) {
    }
    EXPECT_EQ(paged, received);
}

// ---- the document

// Walks the document: each operation asked as its example says, answered
// with its success status and the keys it requires, and refused without a
// token; and every status it lists is one this program was seen to give
// (the table above, or the walk).
TEST(HttpDocument, DescribesWhatTheServerAnswers) {
    Served served;
    const QJsonObject doc = Document();
    const Answer served_doc = served.call(kGet, QStringLiteral("/v1/openapi.json"));
    ASSERT_EQ(served_doc.status, 200);
    EXPECT_EQ(QJsonDocument::fromJson(served_doc.body).object(), doc)
        << "the file in docs/ is the one served";

    std::map<std::pair<QString, QString>, std::set<QString>> seen; // (path, method) -> statuses
    std::set<int> anywhere;
    for (const Case& c : kCases) {
        const QString path = Template(doc, c.request.target);
        seen[{path, QString::fromLatin1(c.request.method).toLower()}].insert(QString::number(c.status));
        anywhere.insert(c.status);
    }
    const QJsonObject paths = doc.value(QStringLiteral("paths")).toObject();
    int operations = 0;
    for (auto p = paths.begin(); p != paths.end(); ++p) {
        for (const char* method : {"get", "post", "put", "patch", "delete"}) {
            const QJsonObject operation = p.value().toObject().value(QLatin1String(method)).toObject();
            if (operation.isEmpty())
                continue;
            ++operations;
            QString target = p.key();
            target.replace(QStringLiteral("{id}"), QString::number(Queued(served)));
            const QByteArray body = QJsonDocument(operation.value(QStringLiteral("requestBody"))
                                                      .toObject()
                                                      .value(QStringLiteral("content"))
                                                      .toObject()
                                                      .value(QStringLiteral("application/json"))
                                                      .toObject()
                                                      .value(QStringLiteral("example"))
                                                      .toObject())
                                        .toJson();
            const QByteArray verb = QByteArray(method).toUpper();
            const Answer answer =
                served.call(verb, target, operation.contains("requestBody") ? body : QByteArray());
            EXPECT_GE(answer.status, 200);
            EXPECT_LT(answer.status, 300) << verb.toStdString() << ' ' << target.toStdString();
            CheckAgainstDocument(doc, verb, target, answer);
            const Answer stranger = served.call(verb, target, body, "");
            EXPECT_EQ(stranger.status, 401);
            CheckAgainstDocument(doc, verb, target, stranger);

            auto& statuses = seen[{p.key(), QLatin1String(method)}];
            statuses.insert(QString::number(answer.status));
            const QJsonObject responses = operation.value(QStringLiteral("responses")).toObject();
            for (auto r = responses.begin(); r != responses.end(); ++r) {
                const bool everywhere = r.key() == "401" || r.key() == "413" || r.key() == "429";
                if (r.key() == "default" || (everywhere && anywhere.count(r.key().toInt())))
                    continue;
                EXPECT_TRUE(statuses.count(r.key()))
                    << verb.toStdString() << ' ' << p.key().toStdString() << " lists "
                    << r.key().toStdString() << ", which no case provokes";
            }
        }
    }
    EXPECT_EQ(operations, 7);
}

// ---- starting

struct StartCase {
    const char* name;
    const char* listen;
    bool allowRemote;
    QByteArray token;
    QFile::Permissions mode;
    const char* refusal; // words the refusal holds; "" when it starts
};

constexpr QFile::Permissions kOwner = QFile::ReadOwner | QFile::WriteOwner;

const StartCase kStarts[] = {
    {"loopback", "127.0.0.1:0", false, "abc\n", kOwner, ""},
    {"port alone is loopback", "0", false, "abc", kOwner, ""},
    {"every address without AllowRemote", "0.0.0.0:0", false, "abc", kOwner, "AllowRemote=yes"},
    {"every address with AllowRemote", "0.0.0.0:0", true, "abc", kOwner, ""},
    {"token readable by the group", "127.0.0.1:0", false, "abc", kOwner | QFile::ReadGroup, "chmod 600"},
    {"token readable by others", "127.0.0.1:0", false, "abc", kOwner | QFile::ReadOther, "chmod 600"},
    {"token empty", "127.0.0.1:0", false, " \n", kOwner, "is empty"},
    {"not an address", "example.org:8080", false, "abc", kOwner, "is not an address"},
    {"port out of range", "127.0.0.1:70000", false, "abc", kOwner, "is not PORT"},
};

void PrintTo(const StartCase& c, std::ostream* out) { *out << c.name; }

class Start : public ::testing::TestWithParam<StartCase> {};

TEST_P(Start, RefusesWhatWouldExposeTheCentre) {
    const StartCase& c = GetParam();
    Served served;
    HttpConfig config;
    config.listen = QString::fromLatin1(c.listen);
    config.allowRemote = c.allowRemote;
    config.tokenFile = served.TokenFile(c.token, c.mode);
    HttpGateway gateway(*served.api, config);
    const auto started = gateway.start();
    if (*c.refusal) {
        ASSERT_FALSE(started);
        EXPECT_TRUE(started.error().contains(QLatin1String(c.refusal))) << started.error().toStdString();
    } else {
        ASSERT_TRUE(started) << started.error().toStdString();
        EXPECT_NE(*started, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Http, Start, ::testing::ValuesIn(kStarts),
                         [](const auto& info) { return CaseName(info.index, info.param.name); });

} // namespace
} // namespace velmora::testing
