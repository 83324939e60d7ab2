// The webhooks' figure, printed: how long from a received message's commit
// in the store to a receiver on loopback holding the body posted for it,
// over VELMORA_BENCH_RUNS (20) messages, median and longest. Two ways a
// message reaches the store: recorded by the program that runs the
// webhooks (the centre tells its API at once, as after its own modems'
// reads), and by another program on the same store (found by the API's
// look at the store every 250 ms). The receiver runs in the same process
// and thread; it answers 200 at once.

#include "ApiWorld.h"
#include "Webhooks.h"

#include "WebReceiver.h"

#include <QFile>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace velmora;
using namespace velmora::testing;

namespace {

int Setting(const char* name, int fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::atoi(v) : fallback;
}

struct Figures {
    double median = -1, most = -1;
};

Figures Of(std::vector<double> ms) {
    if (ms.empty())
        return {};
    std::sort(ms.begin(), ms.end());
    const std::size_t n = ms.size();
    const double median = n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2.0;
    return {median, ms.back()};
}

} // namespace

int main() {
    App();
    const int runs = std::max(1, Setting("VELMORA_BENCH_RUNS", 20));
    ApiWorld world;
    WebReceiver receiver;
    const QString secret = world.path(QStringLiteral("secret"));
    QFile f(secret);
    if (!f.open(QIODevice::WriteOnly) || f.write("secret-of-the-bench\n") < 0)
        return 2;
    f.close();
    f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    api::Webhooks hooks(*world.api, world.store(), WebhookConfig{receiver.url(), secret});
    if (const auto started = hooks.start(); !started) {
        std::fprintf(stderr, "webhooks: %s\n", qPrintable(started.error()));
        return 2;
    }
    auto other = MessageStore::Open(world.store().path());
    if (!other) {
        std::fprintf(stderr, "%s\n", other.error().c_str());
        return 2;
    }

    std::vector<double> own, others;
    bool lost = false;
    for (int n = 0; n < 2 * runs && !lost; ++n) {
        const bool ours = n % 2 == 0;
        const std::size_t before = receiver.requests.size();
        const QString pdu = Deliver(QStringLiteral("6281234567"), QStringLiteral("Pesan %1").arg(n),
                                    Utc("2026-12-10T08:00:00Z").addSecs(n));
        const ModemId modem(QStringLiteral("510010000000001"), QStringLiteral("/dev/ttyUSB0"));
        MessageStore& store = ours ? world.store() : *other.value();
        const auto r = store.AddReceived(modem, QStringLiteral("SM"), n + 1, pdu);
        const qint64 committed = receiver.timer().nsecsElapsed();
        if (!r) {
            std::fprintf(stderr, "%s\n", r.error().c_str());
            return 2;
        }
        if (ours)
            world.api->pump();
        if (!Until([&] { return receiver.requests.size() > before; }, 5000)) {
            lost = true;
            break;
        }
        (ours ? own : others).push_back((receiver.requests.back().atNs - committed) / 1e6);
        Spin(20);
    }
    if (lost) {
        std::fprintf(stderr, "a webhook was not delivered within 5 s\n");
        return 1;
    }
    const Figures a = Of(own), b = Of(others);
    std::printf(
        "webhook of a received message, store commit to the body at a loopback receiver (%d runs each):\n",
        runs);
    std::printf("  recorded by this program (told at once):       median %6.1f ms, max %6.1f ms\n", a.median,
                a.most);
    std::printf("  recorded by another program (250 ms look):     median %6.1f ms, max %6.1f ms\n", b.median,
                b.most);
    std::printf("  aim: within 1000 ms\n");
    return a.most <= 1000 && b.most <= 1000 ? 0 : 1;
}
