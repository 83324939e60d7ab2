#include "HttpGateway.h"

#include "MessageApi.h"

#include <QAbstractHttpServer>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrlQuery>

#include <sys/socket.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

namespace velmora::api {

namespace {

constexpr qint64 kMaxTokenFile = 4096;

using Status = QHttpServerResponder::StatusCode;
using Headers = std::vector<std::pair<QByteArray, QByteArray>>;

QByteArray ErrorBody(const QString& code, const QString& reason) {
    return QJsonDocument(QJsonObject{{QStringLiteral("error"), code}, {QStringLiteral("reason"), reason}})
        .toJson(QJsonDocument::Compact);
}

// The status and the code each of the API's refusals is answered with.
Status StatusOf(ApiError::Code code) {
    switch (code) {
    case ApiError::BadRequest:
        return Status::BadRequest;
    case ApiError::Refused:
        return Status::UnprocessableEntity;
    case ApiError::NotFound:
        return Status::NotFound;
    case ApiError::Conflict:
        return Status::Conflict;
    case ApiError::Store:
        return Status::InternalServerError;
    case ApiError::NoStore:
        return Status::ServiceUnavailable;
    }
    return Status::InternalServerError;
}

// The token from its file: refused when the file is not the owner's alone,
// so a token others can read is never trusted.
Result<QByteArray, QString> ReadToken(const QString& path) {
    using R = Result<QByteArray, QString>;
    if (path.isEmpty())
        return R::Fail(HttpGateway::tr(
            "[Http] Listen= needs TokenFile=, the file holding the token every request must carry"));
    QFile file(path);
    if (!file.exists())
        return R::Fail(HttpGateway::tr("the token file %1 does not exist").arg(path));
    if (file.permissions() &
        (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteGroup | QFileDevice::WriteOther))
        return R::Fail(HttpGateway::tr("the token file %1 may be read or written by others than its owner: "
                                       "chmod 600 it")
                           .arg(path));
    if (!file.open(QIODevice::ReadOnly))
        return R::Fail(HttpGateway::tr("the token file %1 cannot be read: %2").arg(path, file.errorString()));
    const QByteArray token = file.read(kMaxTokenFile + 1).trimmed();
    if (token.size() > kMaxTokenFile)
        return R::Fail(
            HttpGateway::tr("the token file %1 is longer than %2 bytes").arg(path).arg(kMaxTokenFile));
    if (token.isEmpty())
        return R::Fail(HttpGateway::tr("the token file %1 is empty").arg(path));
    return R::Ok(token);
}

// Equal or not in the same time whatever the two hold: digests of both are
// compared byte for byte to the end, so neither a prefix nor the length
// tells in the answer's time.
bool SameToken(const QByteArray& given, const QByteArray& digest) {
    const QByteArray mine = QCryptographicHash::hash(given, QCryptographicHash::Sha256);
    unsigned char diff = 0;
    for (qsizetype i = 0; i < digest.size(); ++i)
        diff |= static_cast<unsigned char>(mine.at(i) ^ digest.at(i));
    return diff == 0;
}

// [Http] PerMinute= as a bucket that fills at that pace and holds a
// minute's worth: a script may send a burst, then keeps to the pace.
class RateLimit {
public:
    explicit RateLimit(int perMinute) : m_perMinute(perMinute), m_tokens(perMinute) { m_clock.start(); }
    // True when a request may go now; else the seconds until one may.
    bool take(int* retryAfter) {
        if (m_perMinute <= 0)
            return true;
        const double perMs = m_perMinute / 60000.0;
        const qint64 now = m_clock.elapsed();
        m_tokens = std::min<double>(m_perMinute, m_tokens + (now - m_last) * perMs);
        m_last = now;
        if (m_tokens >= 1.0) {
            m_tokens -= 1.0;
            return true;
        }
        *retryAfter = std::max(1, static_cast<int>(std::ceil((1.0 - m_tokens) / perMs / 1000.0)));
        return false;
    }

private:
    int m_perMinute;
    double m_tokens;
    qint64 m_last = 0;
    QElapsedTimer m_clock;
};

// What comes in on one connection, counted as it arrives and before Qt's
// server reads it into a request: a head or a body over the limit is
// refused there and the connection closed, so a client cannot make the
// program hold more than a request's worth of its bytes. It lives as the
// socket's child, and connects to readyRead before Qt's server does, so
// it sees each chunk first.
//
// Two clocks keep a connection from being held for nothing: between
// requests the idle one, from a request's first byte until Qt's server has
// it whole the request's one, which no trickle of bytes restarts.
class Connection : public QObject {
public:
    Connection(QTcpSocket* socket, QObject* http, int idleMs, int requestMs)
        : QObject(socket), m_socket(socket), m_http(http) {
        socket->setProperty(kProperty, QVariant::fromValue<QObject*>(this));
        connect(socket, &QTcpSocket::readyRead, this, &Connection::arrived);
        m_idle.setSingleShot(true);
        m_idle.setInterval(idleMs);
        connect(&m_idle, &QTimer::timeout, this, [this] { close(); });
        m_idle.start();
        m_request.setSingleShot(true);
        m_request.setInterval(requestMs);
        connect(&m_request, &QTimer::timeout, this, [this] {
            refuse("408 Request Timeout", QStringLiteral("Timeout"),
                   HttpGateway::tr("the request did not come whole within %1 s")
                       .arg((m_request.interval() + 999) / 1000));
        });
    }

    static Connection* Of(QTcpSocket* socket) {
        return static_cast<Connection*>(socket->property(kProperty).value<QObject*>());
    }

    // Qt's server has the whole request: the next one is counted afresh.
    void requestDone() {
        m_count = 0;
        m_headDone = false;
        m_head.clear();
        m_request.stop();
        m_idle.start();
    }

    std::function<void(const QString&)> refused; // told when a request is refused here

private:
    static constexpr char kProperty[] = "velmoraConnection";

    void arrived() {
        if (m_closing) {
            discard();
            return;
        }
        const qint64 fresh = m_socket->bytesAvailable();
        if (m_count == 0 && fresh > 0) {
            m_idle.stop();
            m_request.start();
        }
        m_count += fresh;
        if (!m_headDone) {
            // Only the head is looked at, for its length and an upgrade;
            // reading the request is left to Qt's server.
            m_head += m_socket->peek(std::min<qint64>(fresh, HttpGateway::kMaxHead + 4 - m_head.size()));
            const qsizetype end = m_head.indexOf("\r\n\r\n");
            if (end < 0) {
                if (m_head.size() > HttpGateway::kMaxHead)
                    refuse("413 Payload Too Large", QStringLiteral("TooLarge"),
                           HttpGateway::tr("the request's line and headers are longer than %1 bytes")
                               .arg(HttpGateway::kMaxHead));
                return;
            }
            m_headDone = true;
            const QByteArray head = m_head.left(end).toLower();
            m_head.clear();
            // Qt's server would take a WebSocket's upgrade past the
            // request's answer (and warn in the log each time): there is
            // none here, so it is refused before.
            if (Header(head, "upgrade").contains("websocket")) {
                refuse("400 Bad Request", QStringLiteral("BadRequest"),
                       HttpGateway::tr("there is no WebSocket here"));
                return;
            }
            const QByteArray length = Header(head, "content-length");
            bool number = true;
            if (!length.isNull() && (length.toLongLong(&number) > HttpGateway::kMaxBody || !number)) {
                refuse("413 Payload Too Large", QStringLiteral("TooLarge"),
                       HttpGateway::tr("the body is longer than %1 bytes").arg(HttpGateway::kMaxBody));
                return;
            }
        }
        if (m_count > HttpGateway::kMaxHead + HttpGateway::kMaxBody)
            refuse("413 Payload Too Large", QStringLiteral("TooLarge"),
                   HttpGateway::tr("the body is longer than %1 bytes").arg(HttpGateway::kMaxBody));
    }

    // The value of header `name` (in lower case) in a head put in lower
    // case; null when it is not there.
    static QByteArray Header(const QByteArray& head, const QByteArray& name) {
        const qsizetype at = head.indexOf("\n" + name + ':');
        if (at < 0)
            return {};
        const qsizetype from = at + name.size() + 2;
        const qsizetype to = head.indexOf('\r', from);
        return head.mid(from, to < 0 ? -1 : to - from).trimmed();
    }

    void refuse(const char* status, const QString& code, const QString& reason) {
        if (refused)
            refused(reason);
        const QByteArray body = ErrorBody(code, reason);
        close("HTTP/1.1 " + QByteArray(status) + "\r\nContent-Type: application/json\r\nContent-Length: " +
              QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
    }

    // Qt's server reads no more of this connection; what still comes is
    // dropped, and the connection ends soon whether the client reads the
    // answer or not.
    //
    // With a last answer, the connection is closed the gentle way: the
    // answer and then the end of what this side sends go out, and what the
    // client is still sending is read and dropped until it closes too.
    // Closed at once, the system would answer the bytes still coming with
    // a reset, and a client still sending its body might never read why.
    void close(const QByteArray& farewell = {}) {
        m_closing = true;
        m_idle.stop();
        m_request.stop();
        QObject::disconnect(m_socket, &QTcpSocket::readyRead, m_http, nullptr);
        discard();
        QTimer::singleShot(5000, m_socket, [socket = m_socket] { socket->abort(); });
        if (farewell.isEmpty()) {
            m_socket->disconnectFromHost();
            return;
        }
        m_socket->write(farewell);
        const auto endWriting = [socket = m_socket] {
            if (socket->bytesToWrite() == 0)
                ::shutdown(static_cast<int>(socket->socketDescriptor()), SHUT_WR);
        };
        connect(m_socket, &QTcpSocket::bytesWritten, this, endWriting);
        m_socket->flush();
        endWriting();
    }

    void discard() {
        if (m_socket->isTransactionStarted())
            m_socket->commitTransaction();
        m_socket->readAll();
    }

    QTcpSocket* m_socket;
    QObject* m_http;
    QTimer m_idle, m_request;
    qint64 m_count = 0;
    QByteArray m_head;
    bool m_headDone = false;
    bool m_closing = false;
};

// The listening socket: makes each connection's socket itself, so its
// Connection counts the bytes before Qt's server sees them, and closes one
// over the limit of connections at once.
class Listener : public QTcpServer {
public:
    Listener(QObject* http, std::function<void(const QString&)> refused, int idleMs, int requestMs)
        : m_http(http), m_refused(std::move(refused)), m_idleMs(idleMs), m_requestMs(requestMs) {}

protected:
    void incomingConnection(qintptr descriptor) override {
        auto* socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        if (m_open >= HttpGateway::kMaxConnections) {
            socket->abort();
            delete socket;
            return;
        }
        ++m_open;
        connect(socket, &QObject::destroyed, this, [this] { --m_open; });
        auto* connection = new Connection(socket, m_http, m_idleMs, m_requestMs);
        connection->refused = [this, address = socket->peerAddress()](const QString& reason) {
            m_refused(address.toString() + QStringLiteral(": ") + reason);
        };
        addPendingConnection(socket);
    }

private:
    QObject* m_http;
    std::function<void(const QString&)> m_refused;
    int m_idleMs, m_requestMs;
    int m_open = 0;
};

// Time fields are ISO 8601 ("2026-12-10T08:00:00Z"; with no offset, the
// local time).
Result<QDateTime, QString> TimeField(const QJsonObject& body, const QString& name) {
    using R = Result<QDateTime, QString>;
    const QJsonValue value = body.value(name);
    if (value.isUndefined() || value.isNull())
        return R::Ok(QDateTime());
    const QDateTime time = QDateTime::fromString(value.toString(), Qt::ISODateWithMs);
    if (!value.isString() || !time.isValid())
        return R::Fail(
            HttpGateway::tr("\"%1\" is not a time as ISO 8601 writes it (2026-12-10T08:00:00Z)").arg(name));
    return R::Ok(time.toUTC());
}

} // namespace

class HttpGateway::Server : public QAbstractHttpServer {
public:
    Server(MessageApi& api, const HttpConfig& config, QByteArray tokenDigest)
        : m_api(api), m_digest(std::move(tokenDigest)), m_rate(config.perMinute) {}

    void tell(const QString& what) {
        // One line a minute at most: a client knocking with a wrong token
        // must not fill the log. The token given is never written.
        if (m_told.isValid() && m_told.elapsed() < 60000) {
            ++m_untold;
            return;
        }
        qInfo().noquote() << (m_untold == 0
                                  ? HttpGateway::tr("HTTP: refused %1").arg(what)
                                  : HttpGateway::tr("HTTP: refused %1 (and %2 more since the last line)")
                                        .arg(what)
                                        .arg(m_untold));
        m_told.start();
        m_untold = 0;
    }

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override {
        if (auto* connection = Connection::Of(socket))
            connection->requestDone();
        Reply reply{*this, request, socket};
        // A chunked body comes without a length to refuse it by first.
        if (request.body().size() > kMaxBody)
            return reply.error(Status::PayloadTooLarge, QStringLiteral("TooLarge"),
                               HttpGateway::tr("the body is longer than %1 bytes").arg(kMaxBody));
        if (!authorised(request)) {
            tell(request.remoteAddress().toString() + QStringLiteral(": ") +
                 HttpGateway::tr("no or wrong token"));
            return reply.error(
                Status::Unauthorized, QStringLiteral("Unauthorized"),
                HttpGateway::tr("this needs the header \"Authorization: Bearer TOKEN\" with the token of "
                                "[Http] TokenFile="),
                {{"WWW-Authenticate", "Bearer"}});
        }
        int retryAfter = 0;
        if (!m_rate.take(&retryAfter))
            return reply.error(
                Status::TooManyRequests, QStringLiteral("TooManyRequests"),
                HttpGateway::tr("more requests than [Http] PerMinute= allows; try again in %1 s")
                    .arg(retryAfter),
                {{"Retry-After", QByteArray::number(retryAfter)}});
        route(request, reply);
        return true;
    }

    // Every request is answered in handleRequest; Qt's server calls this
    // only for a WebSocket's upgrade, which the connection refused before.
    void missingHandler(const QHttpServerRequest&, QTcpSocket*) override {}

private:
    struct Reply {
        Server& server;
        const QHttpServerRequest& request;
        QTcpSocket* socket;

        bool send(Status status, const QByteArray& body, const Headers& extra = {}) {
            QHttpServerResponder out = makeResponder(request, socket);
            out.writeStatusLine(status);
            out.writeHeader("Content-Type", "application/json");
            out.writeHeader("Content-Length", QByteArray::number(body.size()));
            for (const auto& [name, value] : extra)
                out.writeHeader(name, value);
            out.writeBody(body);
            return true;
        }
        bool json(Status status, const QJsonObject& body) {
            return send(status, QJsonDocument(body).toJson(QJsonDocument::Compact));
        }
        bool error(Status status, const QString& code, const QString& reason, const Headers& extra = {}) {
            return send(status, ErrorBody(code, reason), extra);
        }
        bool error(const ApiError& e) { return error(StatusOf(e.code), ApiErrorName(e.code), e.why); }
        bool badRequest(const QString& reason) {
            return error(Status::BadRequest, QStringLiteral("BadRequest"), reason);
        }
    };

    using Method = QHttpServerRequest::Method;

    bool authorised(const QHttpServerRequest& request) const {
        const QByteArray header = request.value("Authorization").trimmed();
        const qsizetype space = header.indexOf(' ');
        const bool bearer = space > 0 && header.left(space).toLower() == "bearer";
        const bool same = SameToken(bearer ? header.mid(space + 1).trimmed() : QByteArray(), m_digest);
        return bearer && same;
    }

    void route(const QHttpServerRequest& request, Reply& reply) {
        const QString path = request.url().path();
        const Method method = request.method();
        const auto only = [&](std::initializer_list<Method> methods, const QByteArray& allow) {
            if (std::find(methods.begin(), methods.end(), method) != methods.end())
                return true;
            reply.error(Status::MethodNotAllowed, QStringLiteral("MethodNotAllowed"),
                        HttpGateway::tr("%1 takes only %2").arg(path, QString::fromLatin1(allow)),
                        {{"Allow", allow}});
            return false;
        };
        static const QString messages = QStringLiteral("/v1/messages");
        if (path == messages) {
            if (only({Method::Get, Method::Post}, "GET, POST"))
                method == Method::Post ? submit(request, reply) : page(request, reply);
        } else if (path.startsWith(messages + QLatin1Char('/'))) {
            if (!only({Method::Get, Method::Delete}, "GET, DELETE"))
                return;
            bool number = false;
            const qint64 id = QStringView(path).mid(messages.size() + 1).toLongLong(&number);
            if (!number || id <= 0) {
                reply.error(Status::NotFound, QStringLiteral("NotFound"), HttpGateway::tr("no such message"));
                return;
            }
            method == Method::Delete ? cancel(id, reply) : message(id, reply);
        } else if (path == QLatin1String("/v1/modems")) {
            if (only({Method::Get}, "GET"))
                modems(reply);
        } else if (path == QLatin1String("/v1/health")) {
            if (only({Method::Get}, "GET"))
                health(reply);
        } else if (path == QLatin1String("/v1/openapi.json")) {
            if (only({Method::Get}, "GET"))
                reply.send(Status::Ok, OpenApi());
        } else {
            reply.error(Status::NotFound, QStringLiteral("NotFound"), HttpGateway::tr("no such path"));
        }
    }

    static QByteArray OpenApi() {
        QFile file(QStringLiteral(":/velmora/openapi.json"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void submit(const QHttpServerRequest& request, Reply& reply) {
        QJsonParseError parsed;
        const QJsonDocument document = QJsonDocument::fromJson(request.body(), &parsed);
        if (parsed.error != QJsonParseError::NoError || !document.isObject()) {
            reply.badRequest(HttpGateway::tr("the body is not a JSON object"));
            return;
        }
        const QJsonObject body = document.object();
        static const QStringList known{QStringLiteral("to"),      QStringLiteral("text"),
                                       QStringLiteral("message"), QStringLiteral("key"),
                                       QStringLiteral("modem"),   QStringLiteral("at"),
                                       QStringLiteral("expire"),  QStringLiteral("report")};
        for (auto it = body.begin(); it != body.end(); ++it) {
            if (!known.contains(it.key())) {
                reply.badRequest(HttpGateway::tr("unknown field \"%1\"").arg(it.key()));
                return;
            }
        }
        const QJsonValue to = body.value(QStringLiteral("to"));
        QStringList recipients;
        for (const QJsonValue& one : to.toArray()) {
            if (!one.isString() || one.toString().isEmpty()) {
                recipients.clear();
                break;
            }
            recipients << one.toString();
        }
        if (!to.isArray() || recipients.isEmpty() || recipients.size() != to.toArray().size()) {
            reply.badRequest(HttpGateway::tr("\"to\" must be a list of one or more numbers"));
            return;
        }
        const QJsonValue text = body.value(QStringLiteral("text"));
        const QJsonValue message = body.value(QStringLiteral("message"));
        if (text.isUndefined() == message.isUndefined()) {
            reply.badRequest(HttpGateway::tr("give either \"text\" or \"message\""));
            return;
        }
        if (!text.isUndefined() && !text.isString()) {
            reply.badRequest(HttpGateway::tr("\"text\" must be a string"));
            return;
        }
        if (!message.isUndefined() && !message.isObject()) {
            reply.badRequest(HttpGateway::tr("\"message\" must be an object"));
            return;
        }
        SubmitOptions options;
        for (const QString& name : {QStringLiteral("key"), QStringLiteral("modem")}) {
            const QJsonValue value = body.value(name);
            if (!value.isUndefined() && !value.isString()) {
                reply.badRequest(HttpGateway::tr("\"%1\" must be a string").arg(name));
                return;
            }
        }
        options.key = body.value(QStringLiteral("key")).toString();
        options.modem = body.value(QStringLiteral("modem")).toString();
        const QJsonValue report = body.value(QStringLiteral("report"));
        if (!report.isUndefined() && !report.isBool()) {
            reply.badRequest(HttpGateway::tr("\"report\" must be true or false"));
            return;
        }
        options.report = report.toBool();
        const auto at = TimeField(body, QStringLiteral("at"));
        const auto expire = TimeField(body, QStringLiteral("expire"));
        if (!at || !expire) {
            reply.badRequest(!at ? at.error() : expire.error());
            return;
        }
        options.at = *at;
        options.expire = *expire;

        const auto done = text.isString() ? m_api.submitText(recipients, text.toString(), options)
                                          : m_api.submit(recipients, message.toObject(), options);
        if (!done) {
            reply.error(done.error());
            return;
        }
        QJsonArray ids;
        for (const qint64 id : done->ids)
            ids.append(id);
        reply.json(done->again ? Status::Ok : Status::Accepted, {{QStringLiteral("ids"), ids}});
    }

    // GET /v1/messages: what is new since a cursor.
    void page(const QHttpServerRequest& request, Reply& reply) {
        qint64 after = 0;
        int limit = 100;
        std::optional<msg::Direction> direction;
        for (const auto& [name, value] : request.query().queryItems(QUrl::FullyDecoded)) {
            bool number = true;
            if (name == QLatin1String("after")) {
                after = value.toLongLong(&number);
                number = number && after >= 0;
            } else if (name == QLatin1String("limit")) {
                limit = value.toInt(&number);
                number = number && limit >= 1 && limit <= 1000;
            } else if (name == QLatin1String("direction")) {
                direction = msg::DirectionFromName(value.toStdString());
                number = direction.has_value();
            } else {
                reply.badRequest(HttpGateway::tr("unknown parameter \"%1\"").arg(name));
                return;
            }
            if (!number) {
                reply.badRequest(HttpGateway::tr("\"%1\" cannot be \"%2\"").arg(name, value));
                return;
            }
        }
        const auto found = m_api.after(after, direction, limit);
        if (!found) {
            reply.error(found.error());
            return;
        }
        // Long messages with every part's PDU add up: past the answer's
        // size the rest waits for the next page, which begins after the
        // last event of the last message given.
        QByteArray list = "[";
        qint64 next = found->next;
        for (std::size_t i = 0; i < found->messages.size(); ++i) {
            if (list.size() > MessageApi::kMaxAnswerBytes) {
                next = found->last[i - 1];
                break;
            }
            if (i > 0)
                list += ',';
            list += QJsonDocument(MessageJson(found->messages[i])).toJson(QJsonDocument::Compact);
        }
        list += ']';
        reply.send(Status::Ok, "{\"messages\":" + list + ",\"next\":" + QByteArray::number(next) + '}');
    }

    void message(qint64 id, Reply& reply) {
        const auto found = m_api.get(id);
        found ? reply.json(Status::Ok, MessageJson(*found)) : reply.error(found.error());
    }

    void cancel(qint64 id, Reply& reply) {
        const auto done = m_api.cancel(id);
        if (!done) {
            reply.error(done.error());
            return;
        }
        message(id, reply);
    }

    void modems(Reply& reply) {
        const auto found = m_api.modems();
        if (!found) {
            reply.error(found.error());
            return;
        }
        QJsonArray list;
        for (const ModemRecord& m : *found)
            list.append(ModemJson(m));
        reply.json(Status::Ok, {{QStringLiteral("modems"), list}});
    }

    void health(Reply& reply) {
        // Up when the store answers: a message sent now is queued.
        const auto found = m_api.modems();
        if (!found) {
            reply.error(found.error());
            return;
        }
        const auto ready = std::count_if(found->begin(), found->end(), [](const ModemRecord& m) {
            return m.state == QLatin1String("ready");
        });
        reply.json(Status::Ok, {{QStringLiteral("status"), QStringLiteral("ok")},
                                {QStringLiteral("modems"), static_cast<qint64>(found->size())},
                                {QStringLiteral("ready"), static_cast<qint64>(ready)}});
    }

    MessageApi& m_api;
    QByteArray m_digest;
    RateLimit m_rate;
    QElapsedTimer m_told;
    int m_untold = 0;
};

Result<std::pair<QHostAddress, quint16>, QString> ParseListen(const QString& listen) {
    using R = Result<std::pair<QHostAddress, quint16>, QString>;
    const QString text = listen.trimmed();
    QString host = QStringLiteral("127.0.0.1");
    QString port = text;
    if (text.startsWith(QLatin1Char('['))) {
        const qsizetype close = text.indexOf(QStringLiteral("]:"));
        if (close < 0)
            return R::Fail(
                HttpGateway::tr("[Http] Listen=%1 is not PORT, HOST:PORT or [ADDRESS]:PORT").arg(listen));
        host = text.mid(1, close - 1);
        port = text.mid(close + 2);
    } else if (const qsizetype colon = text.lastIndexOf(QLatin1Char(':')); colon >= 0) {
        host = text.left(colon);
        port = text.mid(colon + 1);
    }
    bool number = false;
    const uint value = port.toUInt(&number);
    if (!number || value > 65535)
        return R::Fail(
            HttpGateway::tr("[Http] Listen=%1 is not PORT, HOST:PORT or [ADDRESS]:PORT").arg(listen));
    QHostAddress address;
    if (host == QLatin1String("localhost"))
        address = QHostAddress(QHostAddress::LocalHost);
    else if (!address.setAddress(host))
        return R::Fail(HttpGateway::tr("[Http] Listen=%1: \"%2\" is not an address").arg(listen, host));
    return R::Ok({address, static_cast<quint16>(value)});
}

HttpGateway::HttpGateway(MessageApi& api, const HttpConfig& config, QObject* parent)
    : QObject(parent), m_api(api), m_config(config) {}

HttpGateway::~HttpGateway() = default;

Result<quint16, QString> HttpGateway::start() {
    using R = Result<quint16, QString>;
    const auto where = ParseListen(m_config.listen);
    if (!where)
        return R::Fail(where.error());
    const auto& [address, port] = *where;
    if (!address.isLoopback() && !m_config.allowRemote)
        return R::Fail(
            HttpGateway::tr(
                "[Http] Listen=%1 is reachable from other machines: set AllowRemote=yes to allow it, "
                "or listen on 127.0.0.1")
                .arg(m_config.listen));
    const auto token = ReadToken(m_config.tokenFile);
    if (!token)
        return R::Fail(token.error());
    auto server = std::make_unique<Server>(m_api, m_config,
                                           QCryptographicHash::hash(*token, QCryptographicHash::Sha256));
    Server* http = server.get();
    auto* listener = new Listener(
        http, [http](const QString& what) { http->tell(what); }, m_idleMs, m_requestMs);
    if (!listener->listen(address, port)) {
        const QString why = listener->errorString();
        delete listener;
        return R::Fail(HttpGateway::tr("[Http] Listen=%1: %2").arg(m_config.listen, why));
    }
    const quint16 bound = listener->serverPort();
    server->bind(listener); // the server owns it from here
    m_server = std::move(server);
    return R::Ok(bound);
}

} // namespace velmora::api
