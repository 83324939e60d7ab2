// The real port against the simulated phone on a pseudo-terminal. The
// dialogue's waits run at a small scale; the timing itself is tested with the
// fake clock and, at full speed, in the figures test.

#include "Cli.h"
#include "ComPort.h"
#include "IndicatorPdu.h"
#include "SessionFixture.h"
#include "SimPhone.h"
#include "TestNames.h"

#include <atomic>
#include <fstream>
#include <mutex>
#include <variant>

namespace velmora::testing {
namespace {

// A tenth of real time: fast, yet a busy machine (a sanitizer build, tests in
// parallel) still schedules the simulator well within each scaled wait.
constexpr double kScale = 0.1;

class LampEvents : public RecordingEvents {
public:
    void Lamp(LedSignal lamp, bool on) override {
        std::lock_guard lock(m_mutex);
        lamps.emplace_back(lamp, on);
    }
    std::vector<std::pair<LedSignal, bool>> Lamps() {
        std::lock_guard lock(m_mutex);
        return lamps;
    }

private:
    std::mutex m_mutex;
    std::vector<std::pair<LedSignal, bool>> lamps;
};

class PtySession : public ::testing::Test {
protected:
    void Start(std::vector<std::string> simArgs, double scale = kScale) {
        dir = TempDir("pty");
        simArgs.push_back("--record");
        simArgs.push_back(dir + "/pdus.txt");
        sim = std::make_unique<SimPhone>(simArgs);
        clock = std::make_unique<HookClock>(scale);
        const std::string device = sim->device();
        port = std::make_unique<TComPort>([device](int) { return device; });
        session = std::make_unique<PhoneSession>(*port, *clock, events);
        events.logSink = &logs;
        events.transmitLog = "tr";
        events.failedLog = "fl";
    }
    void Connect() { ASSERT_TRUE(session->Connect(1, 19200)) << events.lastStatus(); }
    std::vector<std::string> Recorded() { return ReadLines(dir + "/pdus.txt"); }

    std::string dir;
    LampEvents events;
    std::vector<std::pair<std::string, std::string>> logs;
    std::unique_ptr<SimPhone> sim;
    std::unique_ptr<HookClock> clock;
    std::unique_ptr<TComPort> port;
    std::unique_ptr<PhoneSession> session;
};

TEST_F(PtySession, ConnectsReadsTheIdentityAndLightsTheLamps) {
    Start({"--manufacturer", "Siemens AG"});
    Connect();
    const PhoneIdentity expected{"Siemens AG",
                                 "PhoneSim 1",
                                 "1.00",
                                 "510109876543210",
                                 "+CSCA: \"+628159000000\",145",
                                 /* not asked in the classic dialogue */ ""};
    EXPECT_EQ(session->Identity(), expected);
    EXPECT_TRUE(session->IsSiemens());
    const auto lamps = events.Lamps();
    auto seen = [&](LedSignal l, bool on) {
        return std::find(lamps.begin(), lamps.end(), std::make_pair(l, on)) != lamps.end();
    };
    EXPECT_EQ(lamps.front(), std::make_pair(LedSignal::Conn, true));
    EXPECT_TRUE(seen(LedSignal::Tx, true) && seen(LedSignal::Tx, false));
    EXPECT_TRUE(seen(LedSignal::Rx, true) && seen(LedSignal::Rx, false));
    EXPECT_FALSE(port->Led(LedSignal::Rx).state()); // every reply has been read
    session->Disconnect();
    EXPECT_FALSE(port->Led(LedSignal::Conn).state());
}

TEST_F(PtySession, ASecondOpenOfTheSamePortFailsWithError1) {
    Start({});
    Connect();
    TComPort second([d = sim->device()](int) { return d; });
    try {
        second.SetConnected(true);
        FAIL() << "opened twice";
    } catch (const EComPort& e) {
        EXPECT_EQ(e.code(), kErrOpen);
        EXPECT_STREQ(e.what(), "Unable to open com port (Device or resource busy)");
    }
    EXPECT_FALSE(second.Connected());
    EXPECT_FALSE(second.Led(LedSignal::Conn).state());
    session->Disconnect();
    second.SetConnected(true); // free again once the first has closed
    EXPECT_TRUE(second.Connected());
}

TEST_F(PtySession, TheExclusiveFlagLastsOnlyWhileThePortIsOpen) {
    Start({});
    const std::string device = sim->device();
    ASSERT_EQ(ExclusiveFlag(device), 0);
    struct Row {
        const char* name;
        int baud;
        bool opens;
    } rows[] = {
        {"opened and closed", 19200, true},
        {"a speed the device refuses, after the flag was set", 12345, false},
        {"opened again", 9600, true},
    };
    for (const auto& r : rows) {
        port->SetCustomBaudRate(r.baud);
        if (r.opens) {
            port->SetConnected(true);
            EXPECT_EQ(ExclusiveFlag(device), 1) << r.name;
            port->SetConnected(false);
        } else {
            EXPECT_THROW(port->SetConnected(true), EComPort) << r.name;
        }
        EXPECT_FALSE(port->Connected()) << r.name;
        EXPECT_EQ(ExclusiveFlag(device), 0) << r.name;
    }
}

TEST_F(PtySession, ASecondOpenThatFailsLeavesTheFirstOneExclusive) {
    Start({});
    Connect();
    TComPort second([d = sim->device()](int) { return d; });
    EXPECT_THROW(second.SetConnected(true), EComPort);
    EXPECT_EQ(ExclusiveFlag(sim->device()), 1);
    session->Disconnect();
    EXPECT_EQ(ExclusiveFlag(sim->device()), 0);
}

TEST_F(PtySession, AMissingDeviceGivesError1WithTheReason) {
    Start({});
    TComPort missing([](int) { return std::string("/dev/velmora-no-such-port"); });
    PhoneSession s(missing, *clock, events);
    EXPECT_FALSE(s.Connect(7, 19200));
    EXPECT_EQ(events.lastStatus(), "Unable to open port 7 !");
    EXPECT_EQ(events.linkErrors.back(), "Unable to open com port (No such file or directory)");
}

TEST_F(PtySession, DeliversOneMessageOfEachKind) {
    Start({});
    Connect();
    const std::string n = "+628569999999";
    const std::vector<std::vector<std::string>> kinds = {
        {"text", n, "Hello from Velmora"},
        {"text", "--flash", "--blink", n, "Look at me"},
        {"logo", "--mcc", "510", "--nc", "10", n, std::string(252, 'F')},
        {"group", n, std::string(252, 'A')},
        {"picture", n, std::string(504, '5')},
        {"ringtone", n, "024A3A"},
        {"ems", n, "Hi[#ANI01] there[#SND03]"},
        {"void", n},
        {"indicator", "--kind", "voicemail", "--active", n},
    };
    std::vector<std::string> sent;
    for (const auto& words : kinds) {
        auto job = cli::BuildPduJob(words);
        ASSERT_TRUE(std::holds_alternative<cli::PduJob>(job)) << words[0];
        for (const auto& pdu : std::get<cli::PduJob>(job).pdus) {
            EXPECT_EQ(session->SubmitPDU(pdu, "628569999999"), SubmitOutcome::Sent) << words[0];
            sent.push_back(pdu);
        }
    }
    EXPECT_EQ(sent.size(), 11u);
    EXPECT_EQ(Recorded(), sent);
    EXPECT_EQ(logs.size(), sent.size());
}

TEST_F(PtySession, PassesThePhonesBytesUnchanged) {
    Start({});
    Connect();
    EXPECT_EQ(port->ReceiveText(port->PendingInputBytes()), "");
    EXPECT_FALSE(port->Led(LedSignal::Rx).state());
    port->SendText("at+cgmi\r");
    EXPECT_EQ(session->AwaitReply(200, 10), "\r\nVELMORA\r\n\r\nOK\r\n");
    EXPECT_FALSE(port->Led(LedSignal::Rx).state());
    EXPECT_EQ(port->ReadLineSignals(), LineSignals{}); // a pty has no modem lines: all off, no error
}

TEST_F(PtySession, ASpeedThePortRejectsLeavesItClosed) {
    Start({});
    EXPECT_FALSE(session->Connect(1, 12345));
    EXPECT_FALSE(port->Connected());
    EXPECT_EQ(events.linkErrors.back(), "SetCommState function failed (Invalid argument)");
    EXPECT_TRUE(session->Connect(1, 115200));
    port->SetCustomBaudRate(9600); // an open port takes a new speed at once
    EXPECT_TRUE(port->Connected());
    EXPECT_THROW(port->SetCustomBaudRate(1), EComPort);
}

TEST_F(PtySession, ChangingThePortWhileOpenReopensOnTheNewDevice) {
    Start({});
    SimPhone other({"--manufacturer", "OTHER"});
    TComPort two([a = sim->device(), b = other.device()](int n) { return n == 2 ? b : a; });
    two.SetConnected(true);
    EXPECT_EQ(two.DeviceDescription(), "COM1 (" + sim->device() + ")");
    two.SetPort("com2");
    EXPECT_TRUE(two.Connected());
    EXPECT_EQ(two.DeviceDescription(), "COM2 (" + other.device() + ")");
    PhoneSession s(two, *clock, events);
    two.SendText("at+cgmi\r");
    EXPECT_NE(s.AwaitReply(200, 10).find("OTHER"), std::string::npos);
}

struct PduAnswerCase {
    const char* answer;
    SubmitOutcome outcome;
    const char* log; // the first log entry's file
};

class PtyAnswers : public PtySession, public ::testing::WithParamInterface<PduAnswerCase> {};

TEST_P(PtyAnswers, JudgesThePhonesAnswer) {
    Start({"--pdu-answer", GetParam().answer});
    Connect();
    EXPECT_EQ(session->SubmitPDU(*BuildVoidPDU("628569999999"), "628569999999"), GetParam().outcome);
    ASSERT_FALSE(logs.empty());
    EXPECT_EQ(logs[0].first, GetParam().log);
    EXPECT_TRUE(session->IsConnected());
}

INSTANTIATE_TEST_SUITE_P(Answers, PtyAnswers,
                         ::testing::Values(PduAnswerCase{"ok", SubmitOutcome::Sent, "tr"},
                                           PduAnswerCase{"error", SubmitOutcome::Failed, "fl"},
                                           PduAnswerCase{"second-ctrlz", SubmitOutcome::Sent, "tr"},
                                           PduAnswerCase{"none", SubmitOutcome::Unknown, "fl"}),
                         [](const auto& info) {
                             return velmora::testing::CaseName(info.index, info.param.answer);
                         });

TEST_F(PtySession, APhoneThatRefusesPduModeSendsNothing) {
    Start({"--refuse-pdu-mode"});
    Connect();
    EXPECT_EQ(session->SubmitPDU(*BuildVoidPDU("628569999999"), "628569999999"), SubmitOutcome::NoPduMode);
    EXPECT_TRUE(logs.empty());
    EXPECT_TRUE(Recorded().empty());
}

TEST_F(PtySession, ReadsThePhonebookWithWholeNames) {
    const std::string book = TempDir("book") + "/book.txt";
    std::ofstream(book)
        << "1,+628569999999,Budi\n2,0812345678,Sari, office\n3,0813,Ann\n9,0819,After the gap\n";
    Start({"--phonebook", book});
    Connect();
    const auto entries = session->ReadPhonebook();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].number, "+628569999999");
    EXPECT_EQ(entries[1].name, "Sari, office");
    EXPECT_EQ(entries[2].index, "3");
    EXPECT_EQ(events.lastStatus(), "Found (3) Contacts");
}

TEST_F(PtySession, ReadsTheOperatorList) {
    const std::string ops = TempDir("ops") + "/ops.txt";
    std::ofstream(ops) << "51001,INDOSAT\n51011,XL, Axiata\n";
    Start({"--operators", ops});
    Connect();
    const auto list = session->GetProvider();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].item(), "51001  INDOSAT");
    EXPECT_EQ(list[1].item(), "51011  XL, Axiata");
}

TEST_F(PtySession, ACableGoneBeforeThePduEndsTheSubmissionUnlogged) {
    Start({"--vanish-after", "7"}); // answers at+cmgf=0, then drops the line
    Connect();
    EXPECT_EQ(session->SubmitPDU(*BuildVoidPDU("628569999999"), "628569999999"), SubmitOutcome::LinkLost);
    EXPECT_TRUE(logs.empty());
    EXPECT_FALSE(session->IsConnected());
    EXPECT_NE(events.lastStatus().find("Connection to the phone lost"), std::string::npos);
}

TEST_F(PtySession, ACablePulledAfterThePduLogsTheOutcomeAsUnknown) {
    Start({"--pdu-answer", "none"});
    Connect();
    clock->At(3, [this] { sim->Kill(); }); // the first wait for the final answer
    EXPECT_EQ(session->SubmitPDU(*BuildVoidPDU("628569999999"), "628569999999"), SubmitOutcome::Unknown);
    EXPECT_EQ(logs, (std::vector<std::pair<std::string, std::string>>{{"fl", "628569999999 (?)"}}));
    EXPECT_FALSE(session->IsConnected());
    EXPECT_FALSE(port->Led(LedSignal::Conn).state());
}

TEST_F(PtySession, ACablePulledBeforeAPollDisconnectsOnce) {
    Start({"--vanish-after", "6"}); // gone right after the connect dialogue
    Connect();
    session->SignalTick();
    EXPECT_FALSE(session->IsConnected());
    EXPECT_NE(events.lastStatus().find("Connection to the phone lost"), std::string::npos)
        << events.lastStatus();
    EXPECT_EQ(session->SignalFailures(), 0);
}

TEST_F(PtySession, ACablePulledDuringAPollDisconnectsOnce) {
    Start({"--csq", "none"});
    Connect();
    clock->At(2, [this] { sim->Kill(); }); // between two polls for the answer
    session->SignalTick();
    EXPECT_FALSE(session->IsConnected());
    EXPECT_NE(events.lastStatus().find("Connection to the phone lost"), std::string::npos)
        << events.lastStatus();
}

} // namespace
} // namespace velmora::testing
