// The message centre's figure, printed: how many messages an hour it sends
// through one simulated modem and through four, each phone taking
// VELMORA_BENCH_PHONE_MS (3,000) to answer a message, for
// VELMORA_BENCH_PER_MODEM (6) messages a modem. The batch is queued once and
// spread over the modems by the centre; the time runs from the queue to the
// last message sent, as the store recorded it.

#include "MessageCentre.h"
#include "MessageStore.h"
#include "PhoneLink.h"
#include "SimPhone.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using namespace velmora;
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
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return done();
}

// Messages an hour through `modems` simulated phones; -1 when the batch did
// not end (said on stderr).
double PerHour(const std::string& dir, int modems, int perModem, int phoneMs) {
    CentreSetup setup;
    const std::string name = std::to_string(modems) + "-modems";
    setup.paths.transmitLog = dir + "/" + name + ".Tr_smsn.Txt";
    setup.paths.failedLog = dir + "/" + name + ".Fl_smsn.Txt";
    setup.paths.receivedLog = dir + "/" + name + ".Received.Txt";
    setup.paths.messageStore = dir + "/" + name + ".sqlite";
    MessageCentre centre(std::move(setup));
    centre.open();
    std::vector<std::unique_ptr<SimPhone>> phones;
    for (int n = 0; n < modems; ++n) {
        phones.push_back(
            std::make_unique<SimPhone>(std::vector<std::string>{"--network-delay", std::to_string(phoneMs)}));
        ModemConfig config;
        config.name = QStringLiteral("modem%1").arg(n + 1);
        config.device = QString::fromStdString(phones.back()->device());
        centre.addModem(config);
    }
    if (!Until(
            [&] {
                for (ModemChannel* c : centre.channels())
                    if (!c->link()->isUp())
                        return false;
                return true;
            },
            20000)) {
        std::fprintf(stderr, "%d modems: not all connected\n", modems);
        return -1;
    }
    const int total = modems * perModem;
    BatchRequest request;
    for (int n = 0; n < total; ++n) {
        BatchRecipient r;
        r.request.destination = "62812" + std::to_string(30000000 + n);
        r.request.text = u"Pengingat: rapat besok jam 7";
        request.recipients.push_back(r);
    }
    QElapsedTimer clock;
    clock.start();
    const auto queued = centre.channels().front()->outbox().queue(request);
    if (!queued) {
        std::fprintf(stderr, "%s\n", queued.error().why.toStdString().c_str());
        return -1;
    }
    centre.poke();
    HistoryQuery q;
    q.batch = queued->batch;
    q.state = msg::State::Sent;
    const qint64 patience = 60000 + 4LL * total * phoneMs;
    if (!Until([&] { return centre.store()->Count(q) == total; }, patience)) {
        std::fprintf(stderr, "%d modems: %d of %d sent\n", modems, centre.store()->Count(q), total);
        return -1;
    }
    const double seconds = static_cast<double>(clock.elapsed()) / 1000.0;
    const double perHour = total * 3600.0 / seconds;
    std::printf("%d modem%s: %d messages in %.1f s: %.0f messages an hour\n", modems, modems == 1 ? "" : "s",
                total, seconds, perHour);
    std::fflush(stdout);
    centre.stop();
    return perHour;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int phoneMs = Setting("VELMORA_BENCH_PHONE_MS", 3000);
    const int perModem = Setting("VELMORA_BENCH_PER_MODEM", 6);
    const std::string dir = TempDir("centre-bench");
    std::printf("Each simulated modem takes %d ms to answer a message; %d messages a modem\n", phoneMs,
                perModem);
    const double one = PerHour(dir, 1, perModem, phoneMs);
    const double four = PerHour(dir, 4, perModem, phoneMs);
    std::filesystem::remove_all(dir);
    if (one <= 0 || four <= 0)
        return 1;
    std::printf("Four modems send %.1f times as many messages an hour as one\n", four / one);
    return 0;
}
