#pragma once

// The message centre over HTTP, for scripts in any language: JSON in and
// out at /v1/..., every request with the bearer token read from [Http]
// TokenFile=. Everything it does is asked of the program's MessageApi, so
// a message sent here is queued, refused and reported as one sent through
// D-Bus is. Qt's HTTP server (a technology preview in Qt 6.4) is used in
// HttpGateway.cpp only, so a change to its interface stays there.

#include "DaemonConfig.h"
#include "Result.h"

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QString>

#include <memory>

namespace velmora {
class MessageApi;
}

namespace velmora::api {

// Where [Http] Listen= says to listen: "PORT" (loopback), "HOST:PORT" or
// "[V6]:PORT", HOST an address or "localhost". The reason when it cannot
// be read, in the user's language.
Result<std::pair<QHostAddress, quint16>, QString> ParseListen(const QString& listen);

class HttpGateway : public QObject {
    Q_OBJECT
public:
    // `api` must outlive the gateway.
    HttpGateway(MessageApi& api, const HttpConfig& config, QObject* parent = nullptr);
    ~HttpGateway() override;

    // Reads the token and listens; the port it listens on (the one asked
    // for, or the one the system chose for port 0). Refused, with the
    // reason, when Listen= cannot be read, names an address other than
    // loopback without AllowRemote=yes, the token file is empty,
    // unreadable or readable by its group or others, or the port is taken.
    Result<quint16, QString> start();

    // A request's body may be this long; a longer one is refused (413)
    // before it is read into memory.
    static constexpr qint64 kMaxBody = 64 * 1024;
    // The request line and headers together.
    static constexpr qint64 kMaxHead = 8 * 1024;
    // Connections open at once; one more is closed at once.
    static constexpr int kMaxConnections = 64;
    // A connection with no request under way this long is closed.
    static constexpr int kIdleMs = 60 * 1000;
    // A request's head and body come within this from its first byte, or
    // the connection is closed with 408: a client sending a byte now and
    // then must not hold one of the kMaxConnections for ever.
    static constexpr int kRequestMs = 30 * 1000;

    // The two above, shortened by tests; before start().
    void setTimes(int idleMs, int requestMs) {
        m_idleMs = idleMs;
        m_requestMs = requestMs;
    }

private:
    class Server; // Qt's HTTP server, in HttpGateway.cpp
    MessageApi& m_api;
    HttpConfig m_config;
    std::unique_ptr<Server> m_server;
    int m_idleMs = kIdleMs, m_requestMs = kRequestMs;
};

} // namespace velmora::api
