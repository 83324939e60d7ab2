// velmora-cli history's figures on a store of VELMORA_BENCH_MESSAGES
// messages (100,000 by default), printed as text and as JSON into a pipe:
// the time to its first row, the whole time, and the most memory the
// program held (its peak resident size, which holds its heap).

#include "MessageStore.h"
#include "SimPhone.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace velmora;

namespace {

int Setting(const char* name, int fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::atoi(v) : fallback;
}

// Sent messages of three kinds of text, a few seconds apart, recorded in
// batches of 10,000 as a mail merge would.
bool Fill(const QString& path, int count) {
    auto opened = MessageStore::Open(path);
    if (!opened) {
        std::fprintf(stderr, "history bench: %s\n", opened.error().c_str());
        return false;
    }
    const QDateTime start = QDateTime::currentDateTimeUtc().addDays(-400);
    for (int first = 0; first < count; first += 10000) {
        BatchRecord batch;
        batch.name = QStringLiteral("Batch %1").arg(first);
        batch.key = batch.name;
        std::vector<MessageRecord> messages;
        for (int i = first; i < std::min(count, first + 10000); ++i) {
            MessageRecord m;
            m.number = QStringLiteral("+62812%1").arg(i % 50000, 7, 10, QLatin1Char('0'));
            m.kind = QStringLiteral("text");
            m.text =
                QStringLiteral("Yth. pelanggan %1, tagihan bulan ini sudah terbit; bayar sebelum tanggal 20.")
                    .arg(i);
            m.created = start.addSecs(i * 300);
            m.state = msg::State::Sent;
            PartRecord p;
            p.pdu = QStringLiteral("0011000C912618520000000000AA4BD9775D0E4A8FDB65B90B");
            m.parts.push_back(p);
            messages.push_back(std::move(m));
        }
        if (!opened.value()->AddBatch(batch, messages))
            return false;
    }
    return true;
}

struct Figure {
    double firstRowMs = -1, wholeMs = 0;
    long peakKb = 0;
    long long bytes = 0;
    int status = -1;
};

// Runs velmora-cli with `args`, its output into a pipe read here.
Figure Run(const std::vector<std::string>& args) {
    Figure f;
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return f;
    QElapsedTimer clock;
    clock.start();
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(pipeFds[1], STDOUT_FILENO);
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        std::vector<char*> argv{const_cast<char*>(VELMORA_CLI)};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(VELMORA_CLI, argv.data());
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    char buffer[65536];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) {
        if (f.firstRowMs < 0)
            f.firstRowMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        f.bytes += n;
    }
    ::close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    f.wholeMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    f.peakKb = usage.ru_maxrss;
    f.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return f;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int count = Setting("VELMORA_BENCH_MESSAGES", 100000);
    const std::string dir = testing::TempDir("history-bench");
    const QString store = QString::fromStdString(dir + "/messages.sqlite");
    int code = Fill(store, count) ? 0 : 1;
    for (const char* format : {"text", "json", "csv"}) {
        if (code != 0)
            break;
        std::vector<std::string> args{"history", "--store", store.toStdString()};
        if (std::string(format) != "text")
            args.push_back(std::string("--") + format);
        const Figure f = Run(args);
        std::printf("history of %d messages as %-4s: first row %.0f ms, whole %.0f ms, %.1f MB printed, "
                    "peak resident %.1f MB\n",
                    count, format, f.firstRowMs, f.wholeMs, static_cast<double>(f.bytes) / 1e6,
                    static_cast<double>(f.peakKb) / 1024.0);
        if (f.status != 0) {
            std::fprintf(stderr, "history bench: velmora-cli exited %d\n", f.status);
            code = 1;
        }
    }
    std::filesystem::remove_all(dir);
    return code;
}
