// velmora-cli send, identify and phonebook against the simulated phone, on a
// scaled clock: each connects in 0.35 s instead of the user's 3.5 s.

#include "ComPort.h"
#include "MessageRequest.h"
#include "MessageStore.h"
#include "PhoneCommands.h"
#include "PhoneSession.h"
#include "SimPhone.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace velmora::cli {
namespace {

using velmora::testing::ReadLines;
using velmora::testing::SimPhone;
using velmora::testing::TempDir;

struct Outcome {
    int code;
    std::string out, err;
    // The id a send names its message by ("Message 42", its first line),
    // taken off `out`; 0 when there was none.
    long long message = 0;
};

// Every command here finds its settings and writes its logs in a directory
// of its own, never beside the test program.
class FilesInTempDir : public ::testing::Environment {
public:
    void SetUp() override {
        m_dir = TempDir("cli-home");
        ::setenv("VELMORA_DIR", m_dir.c_str(), 1);
    }
    void TearDown() override {
        ::unsetenv("VELMORA_DIR");
        std::filesystem::remove_all(m_dir);
    }

private:
    std::string m_dir;
};
[[maybe_unused]] ::testing::Environment* const kFiles =
    ::testing::AddGlobalTestEnvironment(new FilesInTempDir);

std::string Home() { return std::getenv("VELMORA_DIR"); }

// The commands' own dialogue and waits at a tenth of real time: the real
// intervals are proved by the program itself (CliInterrupt) and the window.
constexpr double kScale = 0.1;

Outcome Cli(int (*command)(std::vector<std::string>, Io), std::vector<std::string> words,
            bool terminal = false, Clock* given = nullptr) {
    std::ostringstream out, err;
    RealClock clock(kScale);
    const int code = command(std::move(words), Io{out, err, terminal, terminal, given ? given : &clock});
    Outcome o{code, out.str(), err.str()};
    static const std::regex named("^Message ([1-9][0-9]*)\n");
    if (std::smatch m; std::regex_search(o.out, m, named)) {
        o.message = std::stoll(m[1]);
        o.out = m.suffix();
    }
    return o;
}

TEST(CliSend, aReportDecidesTheExitStatus) {
    struct Row {
        std::vector<std::string> sim;
        std::string out;
        int code;
        std::string err = "";
    } rows[] = {
        {{"--report", "delivered", "--urc"}, "Message Sent\nDelivered\n", kExitOk},
        {{"--report", "failed", "--report-stored"},
         "Message Sent\nNot delivered: incompatible destination\n",
         kExitRefused},
        {{"--report", "none"}, "Message Sent\nNo delivery report\n", kExitUnreachable},
        // A phone that gives the report it stored in text mode: the report
        // is named, not waited for in silence.
        {{"--report", "delivered", "--report-stored", "--read-shape", "text"},
         "Message Sent\nNo delivery report\n",
         kExitUnreachable,
         "velmora-cli: The phone gave the SIM message 1 (a delivery report) as text, not as a PDU\n"},
    };
    for (const auto& r : rows) {
        SimPhone sim(r.sim);
        const Outcome o = Cli(RunSend, {"--device", sim.device(), "--report", "--report-wait", "2", "text",
                                        "628569999999", "Did it arrive?"});
        EXPECT_EQ(o.code, r.code) << r.sim[1] << o.err;
        EXPECT_EQ(o.out, r.out) << r.sim[1];
        EXPECT_EQ(o.err, r.err) << r.sim[1];
    }
}

TEST(CliSend, DeliversEveryPartAndSaysSo) {
    const std::string dir = TempDir("cli-send");
    SimPhone sim({"--record", dir + "/pdus.txt"});
    const Outcome r =
        Cli(RunSend, {"--device", sim.device(), "picture", "+628569999999", std::string(504, '5')});
    EXPECT_EQ(r.code, kExitOk) << r.err;
    EXPECT_GT(r.message, 0) << "the message's id comes first";
    EXPECT_EQ(r.out, "Message Sent\nMessage Sent\nMessage Sent\n");
    EXPECT_EQ(ReadLines(dir + "/pdus.txt").size(), 3u);
    const auto log = ReadLines(Home() + "/Tr_smsn.Txt");
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log.back().substr(log.back().size() - 14), " 628569999999\r") << log.back();
}

TEST(CliSend, APartThePhoneRefusesExitsWith1AndGivesThePhonesReason) {
    struct Row {
        std::vector<std::string> sim;
        std::string out, err;
    } rows[] = {
        {{"--pdu-answer", "cms-error"},
         "Fail (1)\n",
         "velmora-cli: the phone answered: +CMS ERROR: 500 (unknown error)\n"},
        {{"--refuse-length", "+CME ERROR: SIM PIN required"},
         "Fail (no prompt)\n",
         "velmora-cli: the phone answered: +CME ERROR: SIM PIN required; use Fast Dialogue to enter the "
         "PIN\n"},
    };
    for (const auto& r : rows) {
        SimPhone sim(r.sim);
        const Outcome o =
            Cli(RunSend, {"--device=COM3=" + sim.device(), "--port", "3", "void", "628569999999"});
        EXPECT_EQ(o.code, kExitRefused) << r.sim[1] << o.err;
        EXPECT_EQ(o.out, r.out) << r.sim[1];
        EXPECT_EQ(o.err, r.err) << r.sim[1];
    }
}

// The phone's reason reaches the message store whichever step it refused,
// with its code and its answer, in either dialogue.
TEST(CliSend, TheStoreKeepsThePhonesReasonForARefusalAtEachStep) {
    struct Row {
        const char* phone;
        std::vector<std::string> sim;
        msg::Reason reason;
        std::optional<int> code;
        std::string answer; // held by the part's answer; "" when nothing is
    } rows[] = {
        {"Wavecom Q2438 refuses at+cmgs= with a cause",
         {"--refuse-length", "+CMS ERROR: 38"},
         msg::Reason::CmsError,
         38,
         "+CMS ERROR: 38"},
        {"Siemens MC35i names the SIM's lock instead of the prompt",
         {"--refuse-length", "+CME ERROR: SIM PIN required"},
         msg::Reason::CmeError,
         std::nullopt,
         "+CME ERROR: SIM PIN required"},
        {"a bare ERROR instead of the prompt",
         {"--refuse-length", "ERROR"},
         msg::Reason::NoPrompt,
         {},
         "ERROR"},
        {"a PDU refused with a cause",
         {"--pdu-answer", "cms-error:38"},
         msg::Reason::CmsError,
         38,
         "+CMS ERROR: 38"},
        {"PDU mode refused", {"--refuse-pdu-mode"}, msg::Reason::NoPduMode, {}, "ERROR"},
    };
    for (const Row& r : rows) {
        for (const bool fast : {false, true}) {
            const std::string where = std::string(r.phone) + (fast ? ", fast" : ", classic");
            const std::string store = TempDir("cli-refusal") + "/messages.sqlite";
            SimPhone sim(r.sim);
            std::vector<std::string> words{"--device", sim.device(), "--store",
                                           store,      "void",       "628569999999"};
            if (fast)
                words.insert(words.begin(), "--fast");
            const Outcome o = Cli(RunSend, words);
            EXPECT_EQ(o.code, kExitRefused) << where << o.err;
            auto opened = MessageStore::Open(QString::fromStdString(store));
            ASSERT_TRUE(opened) << opened.error();
            const auto kept = (*opened)->Message(o.message);
            ASSERT_TRUE(kept) << where;
            EXPECT_EQ(kept->state, msg::State::Failed) << where;
            EXPECT_EQ(kept->reason, r.reason) << where;
            EXPECT_EQ(kept->reasonCode, r.code) << where;
            ASSERT_EQ(kept->parts.size(), 1u) << where;
            EXPECT_NE(kept->parts[0].answer.toStdString().find(r.answer), std::string::npos)
                << where << ": " << kept->parts[0].answer.toStdString();
        }
    }
}

TEST(CliSend, APhoneThatCannotBeReachedExitsWith3NamingTheDeviceAndSpeedTried) {
    SimPhone silent({"--silent"});
    SimPhone busy;
    TComPort holder([d = busy.device()](int) { return d; });
    holder.SetConnected(true);
    const struct {
        std::vector<std::string> link;
        std::string err;
    } rows[] = {
        {{"--device", "/dev/velmora-no-such-port"},
         "Unable to open port 1 ! (/dev/velmora-no-such-port: No such file or directory)"},
        {{"--device", busy.device(), "--port", "4"},
         "Unable to open port 4 ! (" + busy.device() +
             ": Device or resource busy (another program is using it))"},
        {{"--device", silent.device(), "--baud", "12345"},
         "Unable to open port 1 ! (" + silent.device() +
             " at 12345 bit/s: SetCommState function failed (Invalid argument))"},
        {{"--device", silent.device(), "--baud", "9600"},
         "No Response From Mobile Phone ! (" + silent.device() + " at 9600 bit/s)"},
    };
    for (const auto& r : rows) {
        auto words = r.link;
        words.insert(words.end(), {"void", "628569999999"});
        const Outcome o = Cli(RunSend, words);
        EXPECT_EQ(o.code, kExitUnreachable) << r.err;
        EXPECT_EQ(o.out, "");
        EXPECT_EQ(o.err, "velmora-cli: " + r.err + "\n");
    }
}

TEST(CliSend, ACableLostBeforeThePduFailsThePartAndSaysWhyOnce) {
    SimPhone sim({"--vanish-after", "7"}); // gone once PDU mode is set
    const Outcome r = Cli(RunSend, {"--device", sim.device(), "void", "628569999999"});
    EXPECT_EQ(r.code, kExitRefused);
    EXPECT_EQ(r.out, "Fail (not connected)\n");
    const std::string reason = "(Input/output error)";
    const auto first = r.err.find(reason);
    ASSERT_NE(first, std::string::npos) << r.err;
    EXPECT_EQ(r.err.find(reason, first + 1), std::string::npos) << r.err;
}

TEST(CliSend, ALogThatCannotBeWrittenIsOneLineOnStderrAndThePartStillCounts) {
    const std::string home = Home();
    const std::string dir = TempDir("cli-nolog");
    std::filesystem::create_directories(dir + "/Tr_smsn.Txt"); // a directory where the log should be
    ::setenv("VELMORA_DIR", dir.c_str(), 1);
    SimPhone sim;
    const Outcome r = Cli(RunSend, {"--device", sim.device(), "void", "628569999999"});
    ::setenv("VELMORA_DIR", home.c_str(), 1);
    std::filesystem::remove_all(dir);
    EXPECT_EQ(r.code, kExitOk) << r.err;
    EXPECT_EQ(r.out, "Message Sent\n");
    EXPECT_EQ(r.err.rfind("velmora-cli: ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("Tr_smsn.Txt"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
}

TEST(CliSend, RefusesBadUsageBeforeTouchingThePort) {
    const std::pair<std::vector<std::string>, int> cases[] = {
        {{"--device"}, kExitUsage},
        {{"--device", "COMX=/dev/x", "void", "6285"}, kExitUsage},
        {{"--port", "97", "void", "6285"}, kExitUsage},
        {{"--baud", "fast", "void", "6285"}, kExitUsage},
        {{"--device", "/dev/null", "void"}, kExitUsage},                // the kind's own arguments
        {{"--device", "/dev/null", "text", "12ab", "x"}, kExitRefused}, // a bad number
        {{"--device", "/dev/null", "fax", "6285"}, kExitUsage},
    };
    for (const auto& [words, code] : cases) {
        const Outcome r = Cli(RunSend, words);
        EXPECT_EQ(r.code, code) << words[0] << " " << r.err;
        EXPECT_EQ(r.out, "");
    }
}

TEST(CliIdentify, PrintsTheFiveFields) {
    SimPhone sim({"--manufacturer", "Siemens AG", "--imsi", "510991234567890"});
    const Outcome r = Cli(RunIdentify, {"--device", sim.device()});
    EXPECT_EQ(r.code, kExitOk) << r.err;
    EXPECT_EQ(r.out, "Manufacturer: Siemens AG\nModel: PhoneSim 1\nRevision: 1.00\nIMSI: 510991234567890\n"
                     "Service Centre: +CSCA: \"+628159000000\",145\n");
}

// A modem announces its SIM as it opens, by lines that come in front of the
// next answers; the identity is the answers.
TEST(CliIdentify, LinesTheModemSendsByItselfAreNotItsIdentity) {
    const std::vector<std::string> announced = {
        "--announce", "+CPIN: READY", "--announce", "+QUSIM: 1", "--announce", "Call Ready",
        "--announce", "+PACSP0",      "--announce", "SMS Ready", "--announce", "+QIND: SMS DONE"};
    const std::string identity = "Manufacturer: VELMORA\nModel: PhoneSim 1\nRevision: 1.00\nIMSI: "
                                 "510109876543210\nService Centre: +CSCA: \"+628159000000\",145\n";
    const struct {
        const char* name;
        std::vector<std::string> sim, cli;
    } rows[] = {
        {"fast, after the PIN", {"--pin", "1234"}, {"--fast", "--pin", "1234"}},
        {"classic, after echo off", {}, {}},
    };
    for (const auto& r : rows) {
        std::vector<std::string> sim = r.sim;
        sim.insert(sim.end(), announced.begin(), announced.end());
        SimPhone phone(sim);
        std::vector<std::string> words = {"--device", phone.device()};
        words.insert(words.end(), r.cli.begin(), r.cli.end());
        const Outcome o = Cli(RunIdentify, words);
        EXPECT_EQ(o.code, kExitOk) << r.name << ": " << o.err;
        EXPECT_EQ(o.out, identity) << r.name;
    }
}

// The SIM's state as phones write it: quoted (Huawei and others), or the
// line without a final OK (Wavecom), which must not cost the command's
// deadline.
TEST(CliIdentify, ThePinIsGivenWhateverWayTheStateIsWritten) {
    for (const std::string style : {"quoted", "no-ok"}) {
        SimPhone phone({"--pin", "1234", "--pin-state", style});
        RealClock clock(kScale);
        const std::int64_t start = clock.NowMs();
        const Outcome o =
            Cli(RunIdentify, {"--device", phone.device(), "--fast", "--pin", "1234"}, false, &clock);
        EXPECT_LT(clock.NowMs() - start, PhoneSession::kFast.commandMs) << style;
        EXPECT_EQ(o.code, kExitOk) << style << ": " << o.err;
        EXPECT_NE(o.out.find("\nIMSI: 510109876543210\n"), std::string::npos) << style << ": " << o.out;
    }
}

TEST(CliIdentify, ATerminalSeesThePhonesBytesEscaped) {
    SimPhone sim({"--manufacturer", "Evil\x1b]0;owned\x07\x1b[2J"});
    const Outcome r = Cli(RunIdentify, {"--device", sim.device()}, true);
    EXPECT_EQ(r.code, kExitOk) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n') + 1), "Manufacturer: Evil\\x1B]0;owned\\x07\\x1B[2J\n");
}

TEST(CliPhonebook, ATerminalSeesTheNamesEscapedTheExportKeepsTheBytes) {
    const std::string dir = TempDir("cli-book-escape");
    std::ofstream(dir + "/book.txt") << "1,0812,Bad\x1b[2JName\n";
    SimPhone sim({"--phonebook", dir + "/book.txt"});
    const Outcome r = Cli(RunPhonebook, {"--device", sim.device(), "--export", dir + "/Contact.Txt"}, true);
    EXPECT_EQ(r.code, kExitOk) << r.err;
    EXPECT_NE(r.out.find("Bad\\x1B[2JName "), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find('\x1b'), std::string::npos);
    const auto lines = ReadLines(dir + "/Contact.Txt");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2].rfind("Bad\x1b[2JName ", 0), 0u) << lines[2];
}

// A line cut because it is longer than any real answer's is said on stderr,
// and the entries after it are read.
TEST(CliPhonebook, SaysWhenALineOfTheAnswerWasCut) {
    const std::string dir = TempDir("cli-book-long");
    std::ofstream(dir + "/book.txt") << "1,0812," << std::string(20000, 'N') << "\n2,0813,Sari\n";
    SimPhone sim({"--phonebook", dir + "/book.txt"});
    const Outcome r = Cli(RunPhonebook, {"--device", sim.device(), "--fast"});
    EXPECT_EQ(r.code, kExitOk) << r.err;
    EXPECT_NE(r.err.find("velmora-cli: A line of the phone's answer to at+cpbr=1 is longer than 16 KiB; "
                         "only its start was read\n"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.out.find("Sari "), std::string::npos) << r.out;
}

TEST(CliPhonebook, TakesTheLinkOptionsAfterExportToo) {
    const Outcome r =
        Cli(RunPhonebook, {"--export", "/tmp/velmora-unused.txt", "--device=/dev/velmora-no-such-port"});
    EXPECT_EQ(r.code, kExitUnreachable) << r.err;
    EXPECT_NE(r.err.find("No such file or directory"), std::string::npos) << r.err;
}

TEST(CliPhonebook, PrintsAndExportsTheSim) {
    const std::string dir = TempDir("cli-book");
    std::ofstream(dir + "/book.txt") << "1,+628569999999,Budi\n2,0812345678,Sari, office\n";
    SimPhone sim({"--phonebook", dir + "/book.txt"});
    const Outcome r = Cli(RunPhonebook, {"--device", sim.device(), "--export", dir + "/Contact.Txt",
                                         "--vcard", dir + "/book.vcf"});
    EXPECT_EQ(r.code, kExitOk) << r.err;
    EXPECT_EQ(r.err, "Save to file " + dir + "/Contact.Txt !\nSave to file " + dir + "/book.vcf !\n");
    EXPECT_EQ(ReadLines(dir + "/book.vcf").size(), 12u);
    const auto lines = ReadLines(dir + "/Contact.Txt");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].rfind("Generated by Velmora 1.00 ( ", 0), 0u);
    EXPECT_EQ(lines[3], "Sari, office              0812345678          2\r");
    std::ifstream in(dir + "/Contact.Txt", std::ios::binary);
    const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(r.out, file); // the same text on stdout
}

// The parts of a long text stored apart are one message; --delete removes
// both, and a place that holds nothing is said so.
TEST(CliInbox, ReadsJoinedAndDeletesWhatItNames) {
    const std::string dir = TempDir("cli-inbox");
    MessageRequest text;
    text.destination = "628569999999";
    text.text = std::u16string(200, u'x');
    text.longText = true;
    const auto parts = BuildMessage(text)->pdus;
    std::ofstream(dir + "/inbox.txt") << "0011000C912658969999990000AA0361F118\n"
                                      << parts[1] << "\n"
                                      << parts[0] << "\n";
    SimPhone sim({"--inbox", dir + "/inbox.txt"});
    const Outcome r = Cli(RunInbox, {"--device", sim.device(), "--fast", "--delete", "SM:3", "SM:9"});
    EXPECT_EQ(r.code, kExitRefused);
    EXPECT_NE(r.out.find("SM:1\n  type: submit"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("SM:3 SM:2\n"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("deleted SM:3 SM:2\n"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("SM:9 not deleted: the phone keeps no message there"), std::string::npos) << r.err;
    const Outcome after = Cli(RunInbox, {"--device", sim.device(), "--fast", "--json"});
    EXPECT_EQ(after.code, kExitOk) << after.err;
    EXPECT_EQ(std::count(after.out.begin(), after.out.end(), '\n'), 1) << after.out;
}

// A message goes from the phone only once the store holds its record: not
// without a store, nor with a damaged one, nor when its record was refused.
TEST(CliInbox, DeletesOnlyWhatTheStoreKeeps) {
    const std::string dir = TempDir("cli-inbox-kept");
    const std::string received = "0791261895000000040C9126589699999900006221801200008205C8329BFD06";
    const std::string damaged = dir + "/damaged.sqlite";
    // A store whose every write of a received PDU fails, as on a full disk.
    const std::string refusing = dir + "/refusing.sqlite";
    {
        auto made = MessageStore::Open(QString::fromStdString(refusing));
        ASSERT_TRUE(made) << made.error();
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "refusing");
        db.setDatabaseName(QString::fromStdString(refusing));
        ASSERT_TRUE(db.open());
        ASSERT_TRUE(QSqlQuery(db).exec("CREATE TRIGGER full BEFORE INSERT ON pdus BEGIN SELECT RAISE(ABORT, "
                                       "'database or disk is full'); END"));
        db.close();
    }
    QSqlDatabase::removeDatabase("refusing");
    {
        auto made = MessageStore::Open(QString::fromStdString(damaged));
        ASSERT_TRUE(made) << made.error();
    }
    {
        // Every page but the first (the schema) overwritten.
        std::fstream file(damaged, std::ios::in | std::ios::out | std::ios::binary);
        file.seekg(0, std::ios::end);
        const auto size = static_cast<std::size_t>(file.tellg());
        file.seekp(4096);
        file << std::string(size - 4096, 'Z');
    }
    const struct Row {
        const char* name;
        std::string pdu, store;
        int code;
        std::string err;      // found in stderr
        std::size_t leftOver; // messages the phone keeps afterwards
    } rows[] = {
        {"recorded, then deleted", received, dir + "/kept.sqlite", kExitOk, "deleted SM:1\n", 0},
        {"no store", received, "/dev/null/none/messages.sqlite", kExitRefused,
         "SM:1 not deleted: the message store could not keep it first\n", 1},
        {"a damaged store", received, damaged, kExitRefused,
         "SM:1 not deleted: the message store could not keep it first\n", 1},
        {"the store refused its record", received, refusing, kExitRefused,
         "SM:1 not deleted: the message store has no record of it yet\n", 1},
    };
    for (const Row& r : rows) {
        std::ofstream(dir + "/inbox.txt") << r.pdu << "\n";
        SimPhone sim({"--inbox", dir + "/inbox.txt"});
        const Outcome o =
            Cli(RunInbox, {"--device", sim.device(), "--fast", "--store", r.store, "--delete", "SM:1"});
        EXPECT_EQ(o.code, r.code) << r.name << "\n" << o.err;
        EXPECT_NE(o.err.find(r.err), std::string::npos) << r.name << "\n" << o.err;
        const Outcome after =
            Cli(RunInbox, {"--device", sim.device(), "--fast", "--json", "--store", r.store});
        EXPECT_EQ(static_cast<std::size_t>(std::count(after.out.begin(), after.out.end(), '\n')), r.leftOver)
            << r.name << "\n"
            << after.out;
    }
    std::filesystem::remove_all(dir);
}

// The stores as phones number, answer and offer them, in both dialogues: a
// long text in two parts at the store's first places, a sent message and
// two received ones after them.
TEST(CliInbox, ReadsAndDeletesWhatPhonesAnswerInTheirOwnShapes) {
    const std::string dir = TempDir("cli-inbox-phones");
    MessageRequest text;
    text.destination = "628569999999";
    text.text = std::u16string(200, u'x');
    text.longText = true;
    const auto parts = BuildMessage(text)->pdus;
    const std::string received = "0791261895000000040C9126589699999900006221801200008205C8329BFD06";
    std::ofstream(dir + "/inbox.txt") << parts[0] << "\n"
                                      << parts[1] << "\n"
                                      << "0011000C912658969999990000AA0361F118\n"
                                      << received << "\n"
                                      << received << "\n";
    const std::string inbox = dir + "/inbox.txt";
    const struct Row {
        const char* phone;
        std::vector<std::string> sim, deletes;
        int code;
        std::vector<std::string> out, err;
    } rows[] = {
        {"Huawei E1550: numbered from 0, ^RSSI inside each PDU",
         {"--first-index", "0", "--list-urc", "line"},
         {"SM:0"},
         kExitOk,
         {"SM:0 SM:1\n", "SM:2\n  type: submit"},
         {"deleted SM:0 SM:1\n"}},
        {"Huawei E173: ^RSSI glued to half a PDU",
         {"--list-urc", "glued"},
         {"3"},
         kExitOk,
         {"SM:1 SM:2\n", "SM:3\n  type: submit"},
         {"deleted SM:3\n"}},
        {"Sierra MC8795: the read repeats the index",
         {"--read-shape", "index"},
         {"SM:5"},
         kExitOk,
         {},
         {"deleted SM:5\n"}},
        {"Nokia 6230i: the read names the sender",
         {"--read-shape", "alpha"},
         {"SM:3"},
         kExitOk,
         {},
         {"deleted SM:3\n"}},
        {"Siemens MC35i: the read gives the length alone",
         {"--read-shape", "length"},
         {"SM:2"},
         kExitOk,
         {},
         {"deleted SM:1 SM:2\n"}},
        {"Huawei E1550: the read leaves the status empty",
         {"--first-index", "0", "--read-shape", "empty-stat"},
         {"SM:2"},
         kExitOk,
         {},
         {"deleted SM:2\n"}},
        {"ZTE MF626: the read gives status and length",
         {"--read-shape", "two"},
         {"SM:3"},
         kExitOk,
         {},
         {"deleted SM:3\n"}},
        {"Wavecom Q2438: the read ends the PDU line in a stray quote",
         {"--read-shape", "stray-quote"},
         {"SM:3"},
         kExitOk,
         {},
         {"deleted SM:3\n"}},
        {"ZTE MF190: the read puts the PDU after its header and a blank",
         {"--read-shape", "blank"},
         {"SM:3"},
         kExitOk,
         {},
         {"deleted SM:3\n"}},
        {"Telit GL865: the read comes in text mode",
         {"--read-shape", "text"},
         {"SM:3"},
         kExitRefused,
         {"SM:3\n  type: submit"},
         {"velmora-cli: SM:3 not deleted: The phone gave the SIM message 3 as text, not as a PDU; nothing "
          "was "
          "deleted\n"}},
        {"Sierra MC8795: the stores offered in nested lists",
         {"--storages", "+CPMS: ((\"SM\",\"BM\",\"SR\"),(\"SM\"))"},
         {},
         kExitOk,
         {"SM:1 SM:2\n", "SM:3\n  type: submit"},
         {}},
        {"u-blox SARA: no store offered",
         {"--storages", "+CPMS: "},
         {},
         kExitOk,
         {"SM:1 SM:2\n", "SM:3\n"},
         {}},
        {"Nokia 6230i: the SIM store refused",
         {"--refuse-store", "SM"},
         {},
         kExitRefused,
         {"no messages read from the phone\n"},
         {"velmora-cli: the SIM store (SM) could not be read: ERROR\n"}},
    };
    for (const Row& r : rows) {
        for (const bool fast : {false, true}) {
            std::vector<std::string> simArgs{"--inbox", inbox};
            simArgs.insert(simArgs.end(), r.sim.begin(), r.sim.end());
            SimPhone sim(simArgs);
            std::vector<std::string> words{"--device", sim.device()};
            if (fast)
                words.push_back("--fast");
            if (!r.deletes.empty()) {
                words.push_back("--delete");
                words.insert(words.end(), r.deletes.begin(), r.deletes.end());
            }
            const Outcome o = Cli(RunInbox, words);
            const std::string where = std::string(r.phone) + (fast ? ", fast" : ", classic");
            EXPECT_EQ(o.code, r.code) << where << "\n" << o.out << o.err;
            // Every message read: the long one whole.
            EXPECT_EQ(o.out.find("missing"), std::string::npos) << where << "\n" << o.out;
            for (const std::string& part : r.out)
                EXPECT_NE(o.out.find(part), std::string::npos) << where << ": " << part << "\n" << o.out;
            for (const std::string& part : r.err)
                EXPECT_NE(o.err.find(part), std::string::npos) << where << ": " << part << "\n" << o.err;
        }
    }
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace velmora::cli
