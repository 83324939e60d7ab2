// HTTP intake, printed: how many messages a second the gateway accepts into
// the queue, each POST /v1/messages with its own key, over
// VELMORA_BENCH_CONNECTIONS (4) keep-alive connections from loopback, for
// VELMORA_BENCH_REQUESTS (5,000) messages. The gateway runs as velmorad runs
// it, on the main thread over a centre (with no modem: nothing is sent) on
// a store in a temporary folder beside the program; the clients are
// threads of their own, each sending its next request once the answer to
// the last came. Also the median and the slowest 1 % of the answers' times.

#include "HttpGateway.h"
#include "MessageApi.h"
#include "MessageCentre.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

using namespace velmora;

namespace {

int Setting(const char* name, int fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::atoi(v) : fallback;
}

constexpr char kToken[] = "bench-token-5c1d";

// One client: its share of the requests, one after another on one
// connection. The answers' times in microseconds; false when one failed.
bool Client(quint16 port, int first, int count, std::vector<qint64>& times) {
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(5000)) {
        std::fprintf(stderr, "no connection: %s\n", qPrintable(socket.errorString()));
        return false;
    }
    QElapsedTimer clock;
    for (int n = first; n < first + count; ++n) {
        const QByteArray body =
            QStringLiteral(R"({"to": ["+62812%1"], "text": "Pesanan %2 dikirim", "key": "order-%2"})")
                .arg(n, 7, 10, QLatin1Char('0'))
                .arg(n)
                .toUtf8();
        clock.start();
        socket.write("POST /v1/messages HTTP/1.1\r\nHost: 127.0.0.1\r\nAuthorization: Bearer " +
                     QByteArray(kToken) + "\r\nContent-Type: application/json\r\nContent-Length: " +
                     QByteArray::number(body.size()) + "\r\n\r\n" + body);
        // The answer: its head, then as many bytes as its Content-Length.
        QByteArray got;
        qsizetype end = -1, length = -1;
        while (end < 0 || got.size() < end + 4 + length) {
            if (!socket.waitForReadyRead(5000)) {
                std::fprintf(stderr, "no answer to request %d\n", n);
                return false;
            }
            got += socket.readAll();
            if (end < 0 && (end = got.indexOf("\r\n\r\n")) >= 0) {
                const qsizetype at = got.indexOf("Content-Length: ");
                length = at < 0 ? 0 : got.mid(at + 16, got.indexOf('\r', at) - at - 16).toLongLong();
            }
        }
        times.push_back(clock.nsecsElapsed() / 1000);
        if (!got.startsWith("HTTP/1.1 202 ")) {
            std::fprintf(stderr, "request %d: %s\n", n, got.constData());
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int requests = Setting("VELMORA_BENCH_REQUESTS", 5000);
    const int connections = std::max(1, Setting("VELMORA_BENCH_CONNECTIONS", 4));

    // Beside the program, not in a memory file system: the store's commits
    // cost what they cost on the disk the daemon's store is on.
    QTemporaryDir dir(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("http-bench-XXXXXX")));
    CentreSetup setup;
    setup.paths.transmitLog = dir.filePath(QStringLiteral("Tr_smsn.Txt")).toStdString();
    setup.paths.failedLog = dir.filePath(QStringLiteral("Fl_smsn.Txt")).toStdString();
    setup.paths.receivedLog = dir.filePath(QStringLiteral("Received.Txt")).toStdString();
    setup.paths.messageStore = dir.filePath(QStringLiteral("messages.sqlite")).toStdString();
    // A server's store instead (a URL, with a schema of its own).
    setup.storePath = qEnvironmentVariable("VELMORA_BENCH_STORE");
    setup.importAtOnce = true;
    MessageCentre centre(std::move(setup));
    centre.open();
    MessageApi api(centre);

    QFile token(dir.filePath(QStringLiteral("token")));
    if (!token.open(QIODevice::WriteOnly) || token.write(kToken) < 0)
        return 1;
    token.close();
    token.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    HttpConfig config;
    config.listen = QStringLiteral("127.0.0.1:0");
    config.tokenFile = token.fileName();
    config.perMinute = 0;
    api::HttpGateway gateway(api, config);
    const auto port = gateway.start();
    if (!port) {
        std::fprintf(stderr, "%s\n", qPrintable(port.error()));
        return 1;
    }

    std::vector<std::vector<qint64>> times(static_cast<std::size_t>(connections));
    std::atomic<int> running{connections};
    std::atomic<bool> failed{false};
    std::vector<std::thread> clients;
    QElapsedTimer wall;
    wall.start();
    for (int c = 0; c < connections; ++c) {
        const int first = requests * c / connections;
        const int count = requests * (c + 1) / connections - first;
        clients.emplace_back([&, c, first, count] {
            if (!Client(*port, first, count, times[static_cast<std::size_t>(c)]))
                failed = true;
            --running;
        });
    }
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &app, [&] {
        if (running == 0)
            app.quit();
    });
    watch.start(1);
    app.exec();
    const double seconds = wall.nsecsElapsed() / 1e9;
    for (std::thread& t : clients)
        t.join();
    if (failed)
        return 1;

    std::vector<qint64> all;
    for (const auto& some : times)
        all.insert(all.end(), some.begin(), some.end());
    std::sort(all.begin(), all.end());
    const auto queued = api.list(HistoryQuery{});
    if (!queued || static_cast<int>(queued->size()) != requests) {
        std::fprintf(stderr, "%d messages queued of %d\n", queued ? static_cast<int>(queued->size()) : -1,
                     requests);
        return 1;
    }
    std::printf(
        "HTTP intake: %d messages with keys over %d keep-alive connection%s in %.2f s: %.0f messages a "
        "second; answered in %.2f ms (median), %.2f ms (99 %%)\n",
        requests, connections, connections == 1 ? "" : "s", seconds, requests / seconds,
        all[all.size() / 2] / 1000.0, all[all.size() * 99 / 100] / 1000.0);
    return 0;
}
