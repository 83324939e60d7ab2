// velmora-cli send --queue and modems over a store in a temporary folder: a
// message queued from the command line waits in the store for the modem it
// names (no port is opened), and "modems" lists what the store knows of
// each modem and what waits for it.

#include "Cli.h"
#include "MessageStore.h"
#include "PhoneCommands.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace velmora::cli {
namespace {

struct Outcome {
    int code;
    std::string out, err;
};

class ModemsCli : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "cli_queue_tests";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            new QCoreApplication(argc, argv);
    }
    Outcome Run(int (*command)(std::vector<std::string>, Io), std::vector<std::string> words) {
        // send takes its options before the kind; modems anywhere.
        words.insert(words.begin(), {"--store", Store()});
        std::ostringstream out, err;
        const int code = command(std::move(words), Io{out, err, false, false});
        return {code, out.str(), err.str()};
    }
    std::string Store() const { return dir.filePath("messages.sqlite").toStdString(); }
    std::unique_ptr<MessageStore> Open() {
        auto opened = MessageStore::Open(QString::fromStdString(Store()));
        EXPECT_TRUE(opened) << opened.error();
        return opened ? std::move(opened.value()) : nullptr;
    }
    std::string File(const char* name, const char* text) {
        const std::string path = dir.filePath(name).toStdString();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    QTemporaryDir dir;
};

// A time to come, as --at takes it, and as the store keeps it.
std::pair<std::string, QDateTime> Tomorrow() {
    const QDateTime local(QDate::currentDate().addDays(1), QTime(9, 30));
    return {local.toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString(), local.toUTC()};
}

struct QueueCase {
    const char* name;
    std::vector<std::string> words; // after --store
    int code;
    std::string out; // "#" stands for the first message's number
    std::string err; // the start of it
    int messages;    // queued in the store afterwards
    bool batch;
    const char* wantModem;
    bool later; // not before Tomorrow()
};

class SendQueue : public ModemsCli, public ::testing::WithParamInterface<QueueCase> {};

TEST_P(SendQueue, recordsWithoutAPhone) {
    const QueueCase& c = GetParam();
    {
        auto store = Open();
        ASSERT_TRUE(store);
        const auto group =
            store->SaveGroup({0, QStringLiteral("Kantor"), {{"Ani", "0812 3456 7890"}, {"", "0813"}}});
        ASSERT_TRUE(group) << group.error();
    }
    std::vector<std::string> words = c.words;
    for (std::string& w : words) {
        if (w == "AT")
            w = Tomorrow().first;
        else if (w == "FILE")
            w = File("club.csv", "Nama,No. HP\nAni,0812 3456 7890\nBudi,0813 1111 2222\nCici,nanti\n");
    }
    const Outcome o = Run(RunSend, words);
    EXPECT_EQ(o.code, c.code) << o.err;
    EXPECT_EQ(o.err.substr(0, std::string(c.err).size()), c.err) << o.err;
    auto store = Open();
    ASSERT_TRUE(store);
    HistoryQuery queued;
    queued.state = msg::State::Queued;
    const std::vector<MessageRecord> messages = store->Messages(queued);
    ASSERT_EQ(static_cast<int>(messages.size()), c.messages);
    std::string out = c.out;
    if (const auto at = out.find('#'); at != std::string::npos)
        out.replace(at, 1, std::to_string(messages.back().id));
    EXPECT_EQ(o.out, out);
    for (const MessageRecord& m : messages) {
        EXPECT_EQ(m.batch != 0, c.batch);
        EXPECT_EQ(m.wantModem, c.wantModem);
        EXPECT_EQ(m.modem, "") << "no modem took it yet";
        EXPECT_EQ(m.notBefore, c.later ? Tomorrow().second : QDateTime());
    }
    // What was queued for no modem in particular is the command line's own.
    const auto depth = store->QueueDepth({});
    ASSERT_TRUE(depth) << depth.error();
    EXPECT_EQ(depth.value(), QString::fromLatin1(c.wantModem).isEmpty() ? c.messages : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SendQueue,
    ::testing::Values(
        QueueCase{
            "one number", {"--queue", "text", "0812345", "Halo"}, kExitOk, "#\n", "", 1, false, "", false},
        QueueCase{"one number for a modem",
                  {"--queue", "--modem", "kantor", "text", "0812345", "Halo"},
                  kExitOk,
                  "#\n",
                  "",
                  1,
                  false,
                  "kantor",
                  false},
        QueueCase{"one number later",
                  {"--queue", "--at", "AT", "text", "0812345", "Halo"},
                  kExitOk,
                  "#\n",
                  "",
                  1,
                  false,
                  "",
                  true},
        QueueCase{"a list",
                  {"--queue", "--modem", "b", "--to", "0811111, 0812222", "text", "Rapat"},
                  kExitOk,
                  "Batch B1: 2 messages queued\n",
                  "",
                  2,
                  true,
                  "b",
                  false},
        QueueCase{"a group",
                  {"--queue", "--to", "kantor", "text", "Rapat"},
                  kExitOk,
                  "Batch B1: 2 messages queued\n",
                  "",
                  2,
                  true,
                  "",
                  false},
        QueueCase{"a contacts file, one left out",
                  {"--queue", "--to-file", "FILE", "text", "Halo {Nama}"},
                  kExitRefused,
                  "Batch B1: 2 messages queued\n",
                  "velmora-cli: left out: line 4 (nanti)",
                  2,
                  true,
                  "",
                  false},
        QueueCase{"--modem without --queue",
                  {"--modem", "a", "text", "0812345", "Halo"},
                  kExitUsage,
                  "",
                  "velmora-cli: send: --modem goes with --queue",
                  0,
                  false,
                  "",
                  false},
        QueueCase{"--report with --queue",
                  {"--queue", "--report", "text", "0812345", "Halo"},
                  kExitUsage,
                  "",
                  "velmora-cli: send: --report waits for what is sent now, not with --queue",
                  0,
                  false,
                  "",
                  false},
        QueueCase{"a batch's pace for one number",
                  {"--queue", "--interval", "5", "text", "0812345", "Halo"},
                  kExitUsage,
                  "",
                  "velmora-cli: send: of the batch options only --at goes with --queue and one number",
                  0,
                  false,
                  "",
                  false},
        QueueCase{"no number",
                  {"--queue", "text", "08x", "Halo"},
                  kExitRefused,
                  "",
                  "velmora-cli: invalid destination number",
                  0,
                  false,
                  "",
                  false}),
    [](const auto& info) {
        std::string name;
        for (const char c : std::string(info.param.name))
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return std::to_string(info.index) + "_" + name;
    });

// queue list shows what send --queue queued alone, after the batches: when
// and through which modem each is to go.
TEST_F(ModemsCli, queueListShowsTheMessagesQueuedAlone) {
    const auto list = [&] {
        std::ostringstream out, err;
        const int code = RunQueue({"list", "--store", Store()}, Io{out, err, false, false});
        EXPECT_EQ(code, kExitOk) << err.str();
        return out.str();
    };
    ASSERT_TRUE(Open());
    EXPECT_EQ(list(), "Nothing was ever queued\n");
    ASSERT_EQ(Run(RunSend, {"--queue", "text", "0812345", "Halo"}).code, kExitOk);
    ASSERT_EQ(
        Run(RunSend, {"--queue", "--modem", "kantor", "--at", Tomorrow().first, "text", "0813", "Nanti"})
            .code,
        kExitOk);
    const std::string later = Tomorrow().second.toLocalTime().toString("yyyy-MM-dd HH:mm").toStdString();
    EXPECT_EQ(list(),
              "1  62812345  queued\n2  62813  queued  (not before " + later + ")  (through kantor)\n");
}

TEST_F(ModemsCli, noModemKnownIsSaidAndIsNoFailure) {
    // No store at all yet: nothing is made by looking.
    Outcome o = Run(RunModems, {});
    EXPECT_EQ(o.code, kExitOk) << o.err;
    EXPECT_EQ(o.out, "No modem is known yet\n");
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(Store())));
    ASSERT_TRUE(Open());
    o = Run(RunModems, {"--json"});
    EXPECT_EQ(o.code, kExitOk) << o.err;
    EXPECT_EQ(o.out, "[\n]\n");
    o = Run(RunModems, {"--jsn"});
    EXPECT_EQ(o.code, kExitUsage);
}

TEST_F(ModemsCli, eachModemIsListedWithWhatWaitsForIt) {
    const QDateTime seen = QDateTime(QDate(2026, 12, 9), QTime(14, 5)).toUTC();
    {
        auto store = Open();
        ASSERT_TRUE(store);
        ModemRecord a;
        a.name = QStringLiteral("kantor");
        a.imei = QStringLiteral("356938035643809");
        a.device = QStringLiteral("/dev/ttyUSB2");
        a.operatorName = QStringLiteral("TELKOMSEL");
        a.signal = 17;
        a.state = QStringLiteral("ready");
        a.lastSeen = seen;
        ModemRecord b;
        b.name = QStringLiteral("gudang");
        b.device = QStringLiteral("/dev/ttyACM0");
        b.state = QStringLiteral("stuck");
        ASSERT_TRUE(store->SaveModem(a));
        ASSERT_TRUE(store->SaveModem(b));
    }
    // Two for the office's modem, one for any: the office's could take three.
    ASSERT_EQ(Run(RunSend, {"--queue", "--modem", "kantor", "text", "0811", "a"}).code, kExitOk);
    ASSERT_EQ(Run(RunSend, {"--queue", "--modem", "kantor", "text", "0812", "b"}).code, kExitOk);
    ASSERT_EQ(Run(RunSend, {"--queue", "text", "0813", "c"}).code, kExitOk);
    const Outcome o = Run(RunModems, {});
    ASSERT_EQ(o.code, kExitOk) << o.err;
    EXPECT_EQ(o.out,
              "NAME    DEVICE        IMEI             NETWORK    SIGNAL  STATE  QUEUED  LAST SEEN\n"
              "gudang  /dev/ttyACM0  -                -          -       stuck  1       -\n"
              "kantor  /dev/ttyUSB2  356938035643809  TELKOMSEL  17/31   ready  3       2026-12-09 14:05\n");
    const Outcome json = Run(RunModems, {"--json"});
    ASSERT_EQ(json.code, kExitOk) << json.err;
    const QJsonArray all = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).array();
    ASSERT_EQ(all.size(), 2);
    const QJsonObject office = all.at(1).toObject();
    EXPECT_EQ(office["name"].toString(), "kantor");
    EXPECT_EQ(office["imei"].toString(), "356938035643809");
    EXPECT_EQ(office["signal"].toInt(), 17);
    EXPECT_EQ(office["state"].toString(), "ready");
    EXPECT_EQ(office["queued"].toInt(), 3);
    EXPECT_EQ(office["lastSeen"].toString(), seen.toString(Qt::ISODate));
    EXPECT_TRUE(all.at(0).toObject()["signal"].isNull());
    EXPECT_TRUE(all.at(0).toObject()["lastSeen"].isNull());
}

} // namespace
} // namespace velmora::cli
