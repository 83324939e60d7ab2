// The D-Bus door's figures, printed: how long velmorad takes to answer
// SendText (median and 99th percentile), and how long after the store's
// commit of a message's "sent" a program listening hears StateChanged
// for it. velmorad runs as it does on a box, on a private dbus-daemon, with
// one simulated modem; VELMORA_BENCH_SENDS (200) texts are asked for one
// after another while the modem sends the earlier ones. The commit's time
// is the one the store's event row carries (written in the same
// transaction, just before the commit), so the figure is a bound from
// above.

#include "ApiNames.h"
#include "BusClient.h"
#include "MessageStore.h"
#include "SimPhone.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

using namespace velmora;
using velmora::testing::ReadLines;
using velmora::testing::SimPhone;
using velmora::testing::TempDir;

namespace {

int Setting(const char* name, int fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::atoi(v) : fallback;
}

bool Until(const std::function<bool()>& done, qint64 ms) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms) {
        QEventLoop loop;
        QTimer::singleShot(2, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}

double Percentile(std::vector<double> values, double p) {
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(at, values.size() - 1)];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int sends = Setting("VELMORA_BENCH_SENDS", 200);
    const std::string dir = TempDir("velmora-bus-bench");

    QProcess bus;
    bus.start("dbus-daemon", {"--session", "--nofork", "--nopidfile", "--print-address=1"});
    if (!bus.waitForStarted(5000) || !bus.waitForReadyRead(5000)) {
        std::fprintf(stderr, "no dbus-daemon\n");
        return 1;
    }
    const QString address = QString::fromUtf8(bus.readLine()).trimmed();
    qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());

    SimPhone phone({"--imei", "354812345678908"});
    const std::string store = dir + "/messages.sqlite";
    std::ofstream(dir + "/velmorad.conf")
        << "[Store]\nPath=" << store << "\n[Modem a]\nDevice=" << phone.device() << "\n";
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VELMORA_DIR", QString::fromStdString(dir));
    env.insert("DBUS_SESSION_BUS_ADDRESS", address);
    env.insert("LANG", "C.UTF-8");
    for (const char* gone : {"LANGUAGE", "LC_ALL", "JOURNAL_STREAM", "NOTIFY_SOCKET"})
        env.remove(gone);
    QProcess daemon;
    daemon.setProcessEnvironment(env);
    daemon.setStandardErrorFile(QString::fromStdString(dir + "/log"));
    daemon.start(VELMORAD, {"--config", QString::fromStdString(dir + "/velmorad.conf")});
    const auto logSays = [&](const std::string& what) {
        for (const auto& line : ReadLines(dir + "/log"))
            if (line.find(what) != std::string::npos)
                return true;
        return false;
    };
    if (!Until([&] { return logSays("answering as") && logSays("modem a: IMEI"); }, 20000)) {
        std::fprintf(stderr, "velmorad did not start:\n");
        for (const auto& line : ReadLines(dir + "/log"))
            std::fprintf(stderr, "%s\n", line.c_str());
        return 1;
    }

    api::BusClient client(QDBusConnection::sessionBus(), QDBusConnection::SessionBus);
    std::map<qint64, qint64> heard; // id -> when StateChanged "sent" came (ms since 1970)
    QObject::connect(&client, &api::BusClient::stateChanged,
                     [&](qint64 id, const QString& state, const QString&, uint part) {
                         if (part == 0 && state == QLatin1String("sent"))
                             heard.emplace(id, QDateTime::currentMSecsSinceEpoch());
                     });
    client.listen();

    std::vector<double> answered;
    std::vector<qint64> ids;
    for (int i = 0; i < sends; ++i) {
        QElapsedTimer t;
        t.start();
        const auto sent = client.sendText({"0812345678"}, QStringLiteral("Bench %1").arg(i));
        answered.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        if (!sent || sent.value().empty()) {
            std::fprintf(stderr, "SendText refused: %s\n", qPrintable(sent ? QString() : sent.error().why));
            return 1;
        }
        ids.push_back(sent.value().front());
        // The signals that came meanwhile are taken in as a listener would.
        QCoreApplication::processEvents();
    }
    if (!Until([&] { return heard.size() >= ids.size(); }, 60000 + 200LL * sends)) {
        std::fprintf(stderr, "only %zu of %d messages were heard sent\n", heard.size(), sends);
        return 1;
    }

    auto opened = MessageStore::Open(QString::fromStdString(store), MessageStore::Access::Read);
    if (!opened) {
        std::fprintf(stderr, "store: %s\n", opened.error().c_str());
        return 1;
    }
    std::vector<double> after;
    for (qint64 seq = 0;;) {
        const auto events = opened.value()->EventsAfter(seq, 500);
        if (!events) {
            std::fprintf(stderr, "events: %s\n", events.error().c_str());
            return 1;
        }
        if (events.value().empty())
            break;
        for (const StoreEvent& e : events.value()) {
            seq = e.seq;
            if (e.state == QLatin1String("sent"))
                if (const auto h = heard.find(e.message); h != heard.end())
                    after.push_back(static_cast<double>(h->second - e.at.toMSecsSinceEpoch()));
        }
    }

    daemon.terminate();
    daemon.waitForFinished(12000);
    bus.kill();
    bus.waitForFinished(5000);

    std::printf("D-Bus SendText answered, %d texts while the modem sends: median %.2f ms, p99 %.2f ms "
                "(aim: 10 ms)\n",
                sends, Percentile(answered, 0.5), Percentile(answered, 0.99));
    std::printf("StateChanged \"sent\" after the store's commit, %zu messages: median %.0f ms, p99 %.0f ms, "
                "most %.0f ms (aim: 10 ms)\n",
                after.size(), Percentile(after, 0.5), Percentile(after, 0.99), Percentile(after, 1.0));
    return after.size() == ids.size() ? 0 : 1;
}
