// The outbox's figures, printed:
//  - queuing a batch from a contacts file with names and a {name} text:
//    reading the file, filling each text, building and recording every
//    message (VELMORA_BENCH_RECIPIENTS, 10,000 by default);
//  - the pace kept with a slow phone: velmora-cli sends a batch through
//    the simulated phone that takes VELMORA_BENCH_PHONE_MS (3,000) to
//    answer each message, at an interval of VELMORA_BENCH_INTERVAL_S (5),
//    and the gaps between the starts the store recorded are compared with
//    the interval (VELMORA_BENCH_PACED messages, 5).

#include "BatchBuilder.h"
#include "MessageService.h"
#include "MessageStore.h"
#include "Outbox.h"
#include "Recipients.h"
#include "SimPhone.h"
#include "Transports.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

using namespace velmora;

namespace {

int Setting(const char* name, int fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::atoi(v) : fallback;
}

int QueueFigure(const std::string& dir, int recipients) {
    const std::string csv = dir + "/contacts.csv";
    {
        std::ofstream out(csv, std::ios::binary);
        out << "name;phone;table\r\n";
        for (int i = 0; i < recipients; ++i)
            out << "Tamu " << i << ";+62812" << 10000000 + i << ";" << i % 40 << "\r\n";
    }
    auto store = MessageStore::Open(QString::fromStdString(dir + "/queue.sqlite"));
    if (!store) {
        std::fprintf(stderr, "%s\n", store.error().c_str());
        return 1;
    }
    NoPhoneTransport none;
    MessageService service(store.value().get(), none);
    Outbox outbox(service);
    MessageRequest text;
    text.destination = "0";
    text.text = u"Halo {name}, meja Anda nomor {table}. Sampai jumpa!";

    QElapsedTimer timer;
    timer.start();
    const auto table = ReadCsvFile(QString::fromStdString(csv));
    const auto column = table ? NumberColumn(table.value()) : Result<int, QString>::Fail({});
    if (!table || !column) {
        std::fprintf(stderr, "the contacts file was not read\n");
        return 1;
    }
    const qint64 read = timer.elapsed();
    BatchRecipients built = RecipientsFromTable(table.value(), column.value(), text);
    const qint64 filled = timer.elapsed();
    BatchRequest request;
    request.recipients = std::move(built.recipients);
    const auto queued = outbox.queue(request);
    const qint64 total = timer.elapsed();
    if (!queued || queued->queued != recipients) {
        std::fprintf(stderr, "the batch was not queued whole\n");
        return 1;
    }
    std::printf("queue %d recipients from a CSV with names: %lld ms (read %lld, fill %lld, build and record "
                "%lld)\n",
                recipients, static_cast<long long>(total), static_cast<long long>(read),
                static_cast<long long>(filled - read), static_cast<long long>(total - filled));
    return 0;
}

int PaceFigure(const std::string& dir, int messages, int phoneMs, int intervalS) {
    if (messages < 2)
        return 0;
    testing::SimPhone sim({"--network-delay", std::to_string(phoneMs)});
    std::string to;
    for (int i = 0; i < messages; ++i)
        to += (i ? "," : "") + std::to_string(6281300000 + i);
    std::string store = dir + "/paced.sqlite";
    std::vector<std::string> args{VELMORA_CLI,
                                  "send",
                                  "--fast",
                                  "--device",
                                  sim.device(),
                                  "--store",
                                  store,
                                  "--to",
                                  to,
                                  "--interval",
                                  std::to_string(intervalS),
                                  "text",
                                  "Pengingat: rapat jam 7"};
    std::fflush(stdout); // the child must not print what the parent has yet to
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        std::string home = "VELMORA_DIR=" + dir;
        char* envp[] = {home.data(), nullptr};
        if (!std::freopen("/dev/null", "w", stdout))
            ::_exit(126);
        ::execve(argv[0], argv.data(), envp);
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    auto opened = MessageStore::Open(QString::fromStdString(store));
    if (!opened || opened.value()->Batches().empty()) {
        std::fprintf(stderr, "the paced batch did not run\n");
        return 1;
    }
    const BatchRecord batch = opened.value()->Batches().front();
    const auto starts = opened.value()->StartsSince(batch.id, QDateTime::fromMSecsSinceEpoch(0, Qt::UTC));
    qint64 worst = 0;
    for (std::size_t i = 1; i < starts.size(); ++i)
        worst = std::max(worst, std::abs(starts[i - 1].msecsTo(starts[i]) - qint64{intervalS} * 1000));
    std::printf(
        "interval %d s with a phone taking %d ms a message: %zu starts, %d sent, worst deviation %lld "
        "ms\n",
        intervalS, phoneMs, starts.size(), batch.sent, static_cast<long long>(worst));
    return starts.size() == static_cast<std::size_t>(messages) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const std::string dir = testing::TempDir("outbox-bench");
    int code = QueueFigure(dir, Setting("VELMORA_BENCH_RECIPIENTS", 10000));
    if (code == 0)
        code = PaceFigure(dir, Setting("VELMORA_BENCH_PACED", 5), Setting("VELMORA_BENCH_PHONE_MS", 3000),
                          Setting("VELMORA_BENCH_INTERVAL_S", 5));
    std::filesystem::remove_all(dir);
    return code;
}
