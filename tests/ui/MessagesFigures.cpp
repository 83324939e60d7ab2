// A history of 100,000 messages: how long the Messages window takes to open
// on it, how long a search keystroke takes to be answered, the window's
// longest stall while it opens, searches and scrolls the whole list, and a
// fresh velmora-cli history --search as a whole process; then a batch of
// 1,000 sent on a phone that answers at once, the outbox window open over
// the same history: its longest stall and the memory before and after.
// Prints them.

#include "ConversationModel.h"
#include "HistoryFill.h"
#include "MessageListModel.h"
#include "MessagesWindow.h"
#include "Outbox.h"
#include "OutboxWindow.h"
#include "StallMeter.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <random>

using namespace velmora;
using namespace velmora::testing;

namespace {

const int kMessages = 100000;
const int kSent = 600; // of them, recorded going out in every state
const int kNumbers = 2000;
const char* const kWords[] = {"meeting", "tomorrow", "invoice", "dinner", "train",  "office", "call",
                              "later",   "weekend",  "report",  "market", "doctor", "school"};
// The word searched for: in one message of a hundred.
const char kRare[] = "harbour";

void Print(const char* what, double ms, const char* target) {
    std::printf("%-58s %8.1f ms   (target %s)\n", what, ms, target);
}

double Ms(const QElapsedTimer& t) { return static_cast<double>(t.nsecsElapsed()) / 1e6; }

QString Words(std::mt19937& random, int i) {
    QString text = QString("note %1:").arg(i);
    for (int n = 0; n < 6; ++n)
        text += ' ' + QString(kWords[random() % std::size(kWords)]);
    if (random() % 100 == 0)
        text += QString(" by the ") + kRare;
    return text;
}

bool Fill(MessageStore& store, const QString& log) {
    std::mt19937 random(7);
    const QDateTime start = QDateTime::currentDateTimeUtc().addDays(-400);
    std::vector<std::pair<QString, QString>> book;
    for (int n = 0; n < kNumbers; n += 3)
        book.emplace_back(QString("Friend %1").arg(n), "+62812" + QString::number(3000000 + n));
    if (!store.SavePhonebook(book))
        return false;
    QFile f(log);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    for (int i = 0; i < kMessages - kSent; ++i) {
        const QDateTime when = start.addSecs(300LL * i);
        const std::string number = "62812" + std::to_string(3000000 + static_cast<int>(random() % kNumbers));
        const auto job = BuildMessage(Text(number, Words(random, i).toStdU16String()));
        const std::string line = when.toLocalTime().toString("dd-MM-yyyy hh:mm:ss AP").toStdString() + " " +
                                 number + " " + DeliverOf(job->pdus[0], when) + "\r\n";
        f.write(line.data(), static_cast<qint64>(line.size()));
    }
    f.close();
    if (store.ImportReceivedLog(log).imported != kMessages - kSent)
        return false;
    const msg::State states[] = {msg::State::Delivered, msg::State::Sent, msg::State::NotDelivered,
                                 msg::State::Failed, msg::State::Uncertain};
    for (int i = 0; i < kSent; ++i) {
        const std::string number = "62812" + std::to_string(3000000 + static_cast<int>(random() % kNumbers));
        const msg::State state = states[i % std::size(states)];
        const msg::Reason reason = state == msg::State::Failed      ? msg::Reason::CmsError
                                   : state == msg::State::Uncertain ? msg::Reason::NoAnswer
                                                                    : msg::Reason::None;
        if (!AddSent(store, Text(number, Words(random, i).toStdU16String()), state, reason, 500,
                     start.addSecs(300LL * (kMessages - kSent) + 60LL * i)))
            return false;
    }
    return true;
}

// A phone that takes every part at once, on the next turn of the event
// loop, as the link's thread reports: only the window's own work is left.
class InstantPhone : public MessageTransport {
public:
    bool Ready() const override { return true; }
    ModemId Modem() const override { return {"510109876543210", "/dev/instant"}; }
    void Submit(qint64 id, const std::vector<std::string>& pdus, const std::string& destination) override {
        MessageService* to = service();
        const int parts = static_cast<int>(pdus.size());
        QTimer::singleShot(0, to, [to, id, parts, destination, ref = m_reference] {
            for (int part = 0; part < parts; ++part) {
                PartOutcome outcome;
                outcome.id = id;
                outcome.part = part;
                outcome.outcome = SubmitOutcome::Sent;
                outcome.reference = (ref + part) % 256;
                outcome.answer = QString("+CMGS: %1\r\nOK").arg((ref + part) % 256);
                outcome.destination = QString::fromStdString(destination);
                to->partSubmitted(outcome);
            }
            to->sendEnded(id);
        });
        m_reference += parts;
    }

private:
    int m_reference = 0;
};

// The resident memory, from the kernel's own count.
double ResidentMb() {
    QFile f("/proc/self/status");
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return -1;
}

// 1,000 texts queued as one batch and sent on InstantPhone, the outbox
// window open on it; or with no window, for what the sending itself takes.
bool SendBatch(MessageStore& store, TestPrompter& prompter, bool window) {
    const int kBatch = 1000;
    InstantPhone phone;
    MessageService service(&store, phone);
    Outbox outbox(service);
    OutboxRunner runner(outbox);
    BatchRequest request;
    request.name = "Pengumuman";
    for (int i = 0; i < kBatch; ++i) {
        BatchRecipient r;
        r.name = QString("Guest %1").arg(i);
        r.request = Text("62813" + std::to_string(4000000 + i),
                         window ? u"Rapat besok jam 9 di balai desa" : u"Rapat lusa jam 9 di balai desa");
        request.recipients.push_back(r);
    }
    QElapsedTimer t;
    t.start();
    const auto queued = outbox.queue(request);
    if (!queued || queued->queued != kBatch) {
        std::printf("the batch was not queued\n");
        return false;
    }
    if (window)
        Print("outbox: a batch of 1,000 queued", Ms(t), "< 1000 ms");
    OutboxWindow w(&store, outbox, prompter);
    if (window) {
        w.showBatch(queued->batch);
        if (!RunUntil([&] { return w.isListed(); }, 10000))
            return false;
    }
    const double before = ResidentMb();
    StallMeter meter;
    meter.start();
    t.restart();
    runner.start();
    runner.poke();
    const auto done = [&] {
        const auto b = store.Batch(queued->batch);
        return b && b->finished();
    };
    if (!RunUntil(done, 600000)) {
        std::printf("the batch did not finish\n");
        return false;
    }
    const double stall = static_cast<double>(meter.stop());
    runner.stop();
    if (!window) {
        Print("outbox: the same with no window open", stall, "for comparison");
        return true;
    }
    // The window shows the last changes in its own time.
    RunUntil([&] { return w.findChild<QProgressBar*>("prgBatch")->format().startsWith("1000 of"); }, 2000);
    std::printf("  %s in %.1f s\n", qPrintable(w.findChild<QProgressBar*>("prgBatch")->format()),
                Ms(t) / 1000);
    Print("outbox window: longest stall while 1,000 are sent", stall, "<= 16 ms");
    std::printf("%-58s %8.1f MB -> %.1f MB\n", "outbox window: resident memory, batch start -> end", before,
                ResidentMb());
    return true;
}

bool Settled(MessagesWindow& w) {
    return w.messages()->isCounted() && w.messages()->pagesAwaited() == 0 && w.conversations()->hasAnswered();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir tmp;
    const QString path = tmp.filePath("messages.sqlite");
    QElapsedTimer t;
    t.start();
    {
        auto store = MessageStore::Open(path);
        if (!store || !Fill(*store.value(), tmp.filePath("Received.Txt"))) {
            std::printf("the store could not be filled\n");
            return 1;
        }
    }
    std::printf("%d messages written in %.1f s, %.1f MB\n", kMessages, Ms(t) / 1000,
                static_cast<double>(QFileInfo(path).size()) / 1e6);

    auto store = MessageStore::Open(path);
    TestPrompter prompter;
    StallMeter meter;
    meter.start();
    t.restart();
    MessagesWindow w(store.value().get(), prompter);
    w.resize(900, 600);
    w.showAll();
    if (!RunUntil([&] { return w.messages()->isCounted() && w.messages()->pagesAwaited() == 0; }, 10000) ||
        w.messages()->rowCount() != kMessages) {
        std::printf("the window did not list the history: %d rows\n", w.messages()->rowCount());
        return 1;
    }
    QApplication::processEvents();
    Print("window: opened on 100,000 messages, newest rows shown", Ms(t), "< 200 ms");
    if (!RunUntil([&] { return Settled(w); }, 10000))
        return 1;
    Print("window: ... and its 2,000 conversations listed", Ms(t), "< 200 ms");
    const double openStall = static_cast<double>(meter.stop());

    // Each letter of a word, a pause after each, so every keystroke is searched.
    auto* search = w.findChild<QLineEdit*>("txtSearch");
    meter.start();
    double keyLongest = 0, answerLongest = 0, conversationsLongest = 0;
    QString typed;
    for (const QChar c : QString(kRare)) {
        typed += c;
        t.restart();
        QTest::keyClick(search, c.toLatin1());
        keyLongest = std::max(keyLongest, Ms(t));
        // One or two characters are not searched by: the window says so.
        if (typed.size() < 3) {
            if (!RunUntil([&] { return w.statusText().startsWith("Type 3"); }, 2000))
                return 1;
            continue;
        }
        if (!RunUntil([&] { return w.conversations()->search() == typed; }, 2000))
            return 1;
        QElapsedTimer answer;
        answer.start();
        if (!RunUntil([&] { return w.messages()->isCounted() && w.messages()->pagesAwaited() == 0; }, 5000))
            return 1;
        QApplication::processEvents();
        const double listed = Ms(answer);
        if (!RunUntil([&] { return Settled(w); }, 5000))
            return 1;
        QApplication::processEvents();
        answerLongest = std::max(answerLongest, listed);
        conversationsLongest = std::max(conversationsLongest, Ms(answer));
        std::printf("  \"%s\": %d messages listed in %.1f ms, their conversations in %.1f ms\n",
                    qPrintable(typed), w.messages()->rowCount(), listed, Ms(answer));
    }
    const double searchStall = static_cast<double>(meter.stop());
    std::printf("  \"harbour\" matches %d messages in %d conversations\n", w.messages()->rowCount(),
                w.conversations()->found());
    Print("window: a keystroke in the search, handled", keyLongest, "< 50 ms");
    Print("window: a search's messages listed after the pause (slowest)", answerLongest, "< 50 ms");
    Print("window: ... and its conversations (slowest)", conversationsLongest, "< 100 ms");
    search->clear();
    QTest::keyClick(search, Qt::Key_Return);
    if (!RunUntil([&] { return Settled(w) && w.messages()->rowCount() == kMessages; }, 5000))
        return 1;

    // The whole list, bottom to top, in 50 jumps and then a row at a time.
    auto* list = w.findChild<QTableView*>("lvMessages");
    QScrollBar* bar = list->verticalScrollBar();
    meter.start();
    double shownLongest = 0;
    for (int step = 50; step >= 0; --step) {
        t.restart();
        bar->setValue(bar->maximum() * step / 50);
        if (!RunUntil([&] { return w.messages()->pagesAwaited() == 0; }, 5000))
            return 1;
        shownLongest = std::max(shownLongest, Ms(t));
    }
    for (int row = 0; row < 600; ++row) {
        bar->setValue(row);
        RunUntil([] { return false; }, 1);
    }
    if (!RunUntil([&] { return w.messages()->pagesAwaited() == 0; }, 5000))
        return 1;
    const double scrollStall = static_cast<double>(meter.stop());
    Print("window: a jump down the list until its rows are shown", shownLongest, "< 100 ms");
    Print("window: longest stall while it opened", openStall, "<= 16 ms");
    Print("window: longest stall while searching", searchStall, "<= 16 ms");
    Print("window: longest stall while scrolling the whole list", scrollStall, "<= 16 ms");

    if (!SendBatch(*store.value(), prompter, true) || !SendBatch(*store.value(), prompter, false))
        return 1;

    std::vector<double> cli;
    for (int run = 0; run < 3; ++run) {
        QProcess p;
        t.restart();
        p.start(VELMORA_CLI, {"history", "--search", "harbour", "--store", path});
        if (!p.waitForFinished(30000) || p.exitCode() != 0) {
            std::printf("velmora-cli history failed: %s\n", p.readAllStandardError().data());
            return 1;
        }
        cli.push_back(Ms(t));
        if (run == 0)
            std::printf("  velmora-cli printed %lld lines\n",
                        static_cast<long long>(p.readAllStandardOutput().count('\n')));
    }
    std::sort(cli.begin(), cli.end());
    Print("fresh velmora-cli history --search harbour (median of 3)", cli[1], "< 300 ms");
    return 0;
}
