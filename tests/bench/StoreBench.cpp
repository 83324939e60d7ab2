// The message store at the size of years of use: a committed state change,
// importing a received log, a search keystroke, and the file's size, on
// VELMORA_BENCH_MESSAGES messages (100,000 unless set; the smoke run under
// ctest takes a few thousand).

#include "Gsm7.h"
#include "MessageStore.h"
#include "Primitives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

namespace {

using namespace velmora;

void Require(bool ok, const std::string& why = "") {
    if (!ok) {
        std::fprintf(stderr, "store bench: %s\n", why.c_str());
        std::abort(); // a benchmark of a refusal would measure the wrong thing
    }
}

int MessageCount() {
    const char* n = std::getenv("VELMORA_BENCH_MESSAGES");
    return n && std::atoi(n) > 0 ? std::atoi(n) : 100000;
}

std::string Two(int v) {
    char b[8];
    std::snprintf(b, sizeof b, "%02d", v % 100);
    return b;
}

std::string Semi(int v) {
    const std::string t = Two(v);
    return {t[1], t[0]};
}

// One SMS-DELIVER in GSM 7-bit, as a phone lists it.
std::string Deliver(const std::string& digits, const std::u16string& text, const QDateTime& when) {
    std::string padded = digits.size() % 2 ? digits + "F" : digits;
    std::string address;
    for (std::size_t i = 0; i < padded.size(); i += 2)
        address += std::string{padded[i + 1], padded[i]};
    const auto codes = EncodeGsm7(text);
    Require(codes.ok(), "text not GSM");
    const QDateTime t = when.toUTC();
    return "0004" + ByteToHex(static_cast<int>(digits.size())) + "91" + address + "0000" +
           Semi(t.date().year() % 100) + Semi(t.date().month()) + Semi(t.date().day()) +
           Semi(t.time().hour()) + Semi(t.time().minute()) + Semi(t.time().second()) + "00" +
           ByteToHex(static_cast<int>(codes->size())) + BitsToHex(PackSeptets(TextToBits(*codes, true)));
}

const char* const kWords[] = {"halo", "apa",   "kabar", "rapat", "besok",  "jam",   "pagi",   "sore",  "ok",
                              "siap", "kirim", "nanti", "rumah", "kantor", "makan", "terima", "kasih", "ya"};

// A log of `n` messages from 500 senders over the years, 20 to 160
// characters each; the rarest word comes once, in the oldest message.
struct Corpus {
    QTemporaryDir dir;
    QString log;
    int messages = 0;
};

Corpus& SharedCorpus() {
    static Corpus* corpus = [] {
        auto* c = new Corpus;
        c->messages = MessageCount();
        c->log = c->dir.filePath(QStringLiteral("Received.Txt"));
        QFile f(c->log);
        Require(f.open(QIODevice::WriteOnly), "log not written");
        std::mt19937 random(42);
        QDateTime when = QDateTime(QDate(2020, 1, 1), QTime(8, 0), Qt::UTC);
        for (int i = 0; i < c->messages; ++i) {
            std::u16string text = i == 0 ? u"zebrafish " : u"";
            const std::size_t length = 20 + random() % 141;
            while (text.size() < length) {
                const char* w = kWords[random() % std::size(kWords)];
                text += std::u16string(w, w + std::strlen(w)) + u" ";
            }
            text.resize(length);
            const std::string number = "62812" + std::to_string(1000000 + random() % 500);
            when = when.addSecs(600 + random() % 3000);
            const std::string line =
                "01-01-2020 08:00:00 AM +" + number + " " + Deliver(number, text, when) + "\r\n";
            f.write(line.data(), static_cast<qint64>(line.size()));
        }
        return c;
    }();
    return *corpus;
}

struct Filled {
    QTemporaryDir dir;
    std::unique_ptr<MessageStore> store;
    qint64 outgoing = 0;
};

// One store of the whole corpus, for the benchmarks that read or change it.
Filled& SharedStore() {
    static Filled* filled = [] {
        auto* f = new Filled;
        auto opened = MessageStore::Open(f->dir.filePath(QStringLiteral("messages.sqlite")));
        Require(opened.ok(), opened.ok() ? "" : opened.error());
        f->store = std::move(opened.value());
        const ImportReport r = f->store->ImportReceivedLog(SharedCorpus().log);
        Require(r.error.isEmpty() && r.bad.empty(), "import failed");
        std::vector<std::pair<QString, QString>> book;
        for (int i = 0; i < 200; ++i)
            book.emplace_back(QStringLiteral("Budi %1").arg(i), QStringLiteral("0812%1").arg(1000000 + i));
        Require(f->store->SavePhonebook(book).ok(), "phone book not saved");
        MessageRecord m;
        m.number = QStringLiteral("628569999999");
        m.kind = QStringLiteral("text");
        m.text = QStringLiteral("hello");
        m.parts.push_back(
            PartRecord{1, QStringLiteral("0011000C912658969999990000AA0361F118"), {}, {}, {}, {}, {}});
        const auto id = f->store->AddOutgoing(m);
        Require(id.ok(), "outgoing not recorded");
        f->outgoing = *id;
        return f;
    }();
    return *filled;
}

// Each step of a send is on disk before the next is taken.
void BM_SetStateCommitted(benchmark::State& state) {
    Filled& f = SharedStore();
    bool sending = false;
    for (auto _ : state) {
        sending = !sending;
        const auto done = f.store->SetState(f.outgoing, sending ? msg::State::Sending : msg::State::Sent);
        Require(done.ok() && *done, done.ok() ? "" : done.error());
    }
    state.counters["messages"] = f.store->Count({});
}
BENCHMARK(BM_SetStateCommitted)->Unit(benchmark::kMillisecond)->UseRealTime();

// The first start with a received log of years: read into a new store.
void BM_ImportReceivedLog(benchmark::State& state) {
    Corpus& corpus = SharedCorpus();
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("messages.sqlite"));
        auto opened = MessageStore::Open(path);
        Require(opened.ok(), "store not opened");
        state.ResumeTiming();
        const ImportReport r = (*opened)->ImportReceivedLog(corpus.log);
        state.PauseTiming();
        Require(r.imported == corpus.messages, "not every line imported");
        opened.value().reset(); // the write-ahead log goes back into the file
        state.counters["file_MB"] = static_cast<double>(QFileInfo(path).size()) / (1 << 20);
        state.counters["bytes_per_message"] = static_cast<double>(QFileInfo(path).size()) / corpus.messages;
        state.ResumeTiming();
    }
    state.counters["messages"] = corpus.messages;
}
BENCHMARK(BM_ImportReceivedLog)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// A keystroke in the history's search box: the newest 50 that match. A word
// in many messages, one only the oldest message holds (every text is read),
// a name from the phone book, and one no message holds.
void BM_Search50(benchmark::State& state) {
    static const char* const words[] = {"rapat besok", "zebrafish", "budi 17", "kucing"};
    Filled& f = SharedStore();
    HistoryQuery q;
    q.search = QString::fromLatin1(words[state.range(0)]);
    q.limit = 50;
    std::size_t found = 0;
    for (auto _ : state) {
        const auto list = f.store->Messages(q);
        found = list.size();
        benchmark::DoNotOptimize(found);
    }
    state.SetLabel(words[state.range(0)]);
    state.counters["found"] = static_cast<double>(found);
}
BENCHMARK(BM_Search50)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime();

// A program's start on the store of years: opened to write (the quick
// check of every page, the pragmas, the schema read again), or only to read.
void BM_Open(benchmark::State& state) {
    Filled& f = SharedStore();
    const auto access = state.range(0) ? MessageStore::Access::Read : MessageStore::Access::Write;
    for (auto _ : state) {
        auto opened = MessageStore::Open(f.store->path(), access);
        Require(opened.ok() && (*opened)->fault() != MessageStore::Fault::Damaged, "store not opened");
    }
    state.SetLabel(state.range(0) ? "to read" : "to write");
    state.counters["messages"] = f.store->Count({});
}
BENCHMARK(BM_Open)->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Conversations(benchmark::State& state) {
    Filled& f = SharedStore();
    std::size_t n = 0;
    for (auto _ : state) {
        n = f.store->Conversations().size();
        benchmark::DoNotOptimize(n);
    }
    state.counters["conversations"] = static_cast<double>(n);
}
BENCHMARK(BM_Conversations)->Unit(benchmark::kMillisecond)->UseRealTime();

// One message to 10,000 recipients recorded whole before the first goes,
// into the store of years, then the outbox's look at it: its counts and
// its next message taken. Last, as it adds to the shared store.
std::vector<MessageRecord> BatchOf(int n) {
    std::vector<MessageRecord> out(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        MessageRecord& m = out[static_cast<std::size_t>(i)];
        m.number = QStringLiteral("62813%1").arg(1000000 + i);
        m.kind = QStringLiteral("text");
        m.text = QStringLiteral("Rapat besok jam 9 pagi di kantor, mohon hadir tepat waktu. Terima kasih.");
        m.parts.push_back(
            PartRecord{1, QStringLiteral("0011000C912658969999990000AA0361F118"), {}, {}, {}, {}, {}});
    }
    return out;
}

qint64 g_batch = 0;

void BM_AddBatch10000(benchmark::State& state) {
    Filled& f = SharedStore();
    const std::vector<MessageRecord> messages = BatchOf(10000);
    for (auto _ : state) {
        BatchRecord b;
        b.name = QStringLiteral("Rapat");
        b.key = QStringLiteral("bench %1").arg(g_batch);
        const auto id = f.store->AddBatch(b, messages);
        Require(id.ok(), id.ok() ? "" : id.error());
        g_batch = *id;
    }
    state.counters["messages"] = f.store->Count({});
}
BENCHMARK(BM_AddBatch10000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BM_BatchCounts(benchmark::State& state) {
    Filled& f = SharedStore();
    Require(g_batch != 0, "no batch added");
    int queued = 0;
    for (auto _ : state) {
        const auto b = f.store->Batch(g_batch);
        Require(b.has_value(), "batch not found");
        queued = b->queued;
        benchmark::DoNotOptimize(queued);
    }
    state.counters["queued"] = queued;
}
BENCHMARK(BM_BatchCounts)->Unit(benchmark::kMillisecond)->UseRealTime();

// Each iteration takes one message: the next of 10,000 is found and claimed.
void BM_NextQueuedAndClaim(benchmark::State& state) {
    Filled& f = SharedStore();
    Require(g_batch != 0, "no batch added");
    for (auto _ : state) {
        const auto next = f.store->NextQueued(g_batch);
        Require(next.has_value(), "the batch ran out");
        const auto claimed = f.store->Claim(next->id);
        Require(claimed.ok() && *claimed, "not claimed");
    }
}
BENCHMARK(BM_NextQueuedAndClaim)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(500);

// A script reading what is new by the cursor: the batch's 10,000 messages
// and the 500 claimed since, a page of 100 at a time from the start of the
// event sequence, as GET /v1/messages?after= reads it.
void BM_MessagesAfterPage100(benchmark::State& state) {
    Filled& f = SharedStore();
    qint64 cursor = 0;
    int pages = 0;
    for (auto _ : state) {
        const auto page = f.store->MessagesAfter(cursor, QStringLiteral("state"), 100);
        Require(page.ok() && !page->messages.empty(), "no page");
        cursor = page->next;
        ++pages;
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_MessagesAfterPage100)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(50);

} // namespace

BENCHMARK_MAIN();
