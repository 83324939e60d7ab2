// A claim, printed: how long MessageStore::ClaimNext takes to pick the next
// message of a batch and make it Sending, with its pace decided inside it,
// while VELMORA_BENCH_PROGRAMS (2) programs claim from the same batch at
// once, each through its own connection, until VELMORA_BENCH_CLAIMS (2,000)
// messages are taken. The store is VELMORA_BENCH_STORE (a PostgreSQL URL,
// with a schema of its own), else a file in a temporary folder beside the
// program. Median, the slowest 1 % and the slowest of all.

#include "MessageStore.h"
#include "StoreFixtures.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>

using namespace velmora;

namespace {

int Setting(const char* name, int otherwise) {
    bool ok = false;
    const int v = qEnvironmentVariableIntValue(name, &ok);
    return ok && v > 0 ? v : otherwise;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int claims = Setting("VELMORA_BENCH_CLAIMS", 2000);
    const int programs = Setting("VELMORA_BENCH_PROGRAMS", 2);
    QTemporaryDir dir(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("claim-bench-XXXXXX")));
    QString where = qEnvironmentVariable("VELMORA_BENCH_STORE");
    if (where.isEmpty())
        where = dir.filePath(QStringLiteral("messages.sqlite"));
    auto opened = MessageStore::Open(where);
    if (!opened) {
        std::fprintf(stderr, "%s\n", opened.error().c_str());
        return 1;
    }
    MessageStore& store = *opened.value();
    BatchRecord batch;
    batch.name = QStringLiteral("bench");
    batch.key = QStringLiteral("claim-bench-%1").arg(QCoreApplication::applicationPid());
    batch.state = msg::BatchState::Active;
    std::vector<MessageRecord> messages;
    for (int i = 0; i < claims; ++i)
        messages.push_back(testing::QueuedText(QStringLiteral("62812%1").arg(100000 + i)));
    const auto added = store.AddBatch(batch, messages);
    if (!added) {
        std::fprintf(stderr, "%s\n", added.error().c_str());
        return 1;
    }
    const qint64 id = *added;
    std::vector<std::vector<qint64>> times(static_cast<std::size_t>(programs));
    std::atomic<bool> failed{false};
    std::vector<std::thread> threads;
    QElapsedTimer wall;
    wall.start();
    for (int p = 0; p < programs; ++p)
        threads.emplace_back([&, p] {
            auto own = MessageStore::Open(where);
            if (!own) {
                failed = true;
                return;
            }
            const ModemId modem(QString(), QStringLiteral("/dev/ttyUSB%1").arg(p),
                                QStringLiteral("m%1").arg(p));
            for (;;) {
                QElapsedTimer one;
                one.start();
                const auto got = (*own)->ClaimNext(id, modem, QDateTime::currentDateTimeUtc());
                const qint64 us = one.nsecsElapsed() / 1000;
                if (!got) {
                    std::fprintf(stderr, "%s\n", got.error().c_str());
                    failed = true;
                    return;
                }
                if (got->id == 0)
                    return;
                times[static_cast<std::size_t>(p)].push_back(us);
            }
        });
    for (std::thread& t : threads)
        t.join();
    const double seconds = wall.nsecsElapsed() / 1e9;
    std::vector<qint64> all;
    for (const auto& some : times)
        all.insert(all.end(), some.begin(), some.end());
    if (failed || static_cast<int>(all.size()) != claims) {
        std::fprintf(stderr, "%d claims of %d\n", static_cast<int>(all.size()), claims);
        return 1;
    }
    std::sort(all.begin(), all.end());
    std::printf(
        "Claim (%s): %d messages of one batch taken by %d programs at once in %.2f s; a claim took %.2f ms "
        "(median), %.2f ms (99 %%), %.2f ms (slowest)\n",
        store.shared() ? "PostgreSQL" : "SQLite file", claims, programs, seconds,
        all[all.size() / 2] / 1000.0, all[all.size() * 99 / 100] / 1000.0, all.back() / 1000.0);
    return 0;
}
