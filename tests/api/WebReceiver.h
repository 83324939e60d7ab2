#pragma once

// A webhook's receiver on loopback, as small as HTTP/1.1 allows: it reads
// each request (keep-alive too), keeps it, and answers with the next
// status it was given (200 once they are used up), or not at all.

#include <QByteArray>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QTcpServer>
#include <QTcpSocket>

#include <deque>
#include <functional>
#include <map>
#include <vector>

namespace velmora::testing {

struct WebRequest {
    QByteArray method, path;
    std::map<QByteArray, QByteArray> headers; // names in lower case
    QByteArray body;
    int answered = 0; // the status given; 0 none
    qint64 atNs = 0;  // on the receiver's timer, when the whole body was in
};

class WebReceiver : public QObject {
public:
    static constexpr int kSilent = 0;

    WebReceiver() {
        m_server.listen(QHostAddress::LocalHost, 0);
        m_timer.start();
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                socket->setParent(this);
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
                connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                    m_buffers.erase(socket);
                    socket->deleteLater();
                });
            }
        });
    }

    quint16 port() const { return m_server.serverPort(); }
    QString url() const { return QStringLiteral("http://127.0.0.1:%1/hook").arg(port()); }
    // The answers to give, in turn.
    std::deque<int> answers;
    std::vector<WebRequest> requests;
    // Called as each request is complete, before it is answered.
    std::function<void(const WebRequest&)> onRequest;
    const QElapsedTimer& timer() const { return m_timer; }

private:
    void read(QTcpSocket* socket) {
        QByteArray& buffer = m_buffers[socket];
        buffer += socket->readAll();
        for (;;) {
            const qsizetype end = buffer.indexOf("\r\n\r\n");
            if (end < 0)
                return;
            WebRequest r;
            const QList<QByteArray> lines = buffer.left(end).split('\n');
            const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
            r.method = first.value(0);
            r.path = first.value(1);
            for (qsizetype i = 1; i < lines.size(); ++i) {
                const qsizetype colon = lines[i].indexOf(':');
                if (colon > 0)
                    r.headers[lines[i].left(colon).trimmed().toLower()] = lines[i].mid(colon + 1).trimmed();
            }
            const qsizetype length = r.headers[QByteArrayLiteral("content-length")].toLongLong();
            if (buffer.size() < end + 4 + length)
                return;
            r.body = buffer.mid(end + 4, length);
            r.atNs = m_timer.nsecsElapsed();
            buffer.remove(0, end + 4 + length);
            r.answered = answers.empty() ? 200 : answers.front();
            if (!answers.empty())
                answers.pop_front();
            requests.push_back(r);
            if (onRequest)
                onRequest(requests.back());
            if (r.answered != kSilent)
                socket->write(
                    QByteArrayLiteral("HTTP/1.1 ") + QByteArray::number(r.answered) +
                    QByteArrayLiteral(" Answer\r\nContent-Length: 2\r\nConnection: keep-alive\r\n\r\nok"));
        }
    }

    QTcpServer m_server;
    QElapsedTimer m_timer;
    std::map<QTcpSocket*, QByteArray> m_buffers;
};

} // namespace velmora::testing
