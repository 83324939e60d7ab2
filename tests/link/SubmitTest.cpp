#include "SessionFixture.h"

namespace velmora::testing {
namespace {

// 46 hex digits: 23 octets, announced as 22.
const std::string kPdu = "0011000C912658969999990000AA05C8329BFD06"
                         "000000";
const std::string kDest = "628569999999";
const std::string kPduWrite = kPdu + "\x1a\r";
const std::string kSecondZ = "\x1a\r";

struct SubmitCase {
    const char* name;
    bool siemens;
    Chunks pduAnswer;
    Chunks secondAnswer;
    SubmitOutcome outcome;
    std::vector<int> sleeps;
    bool secondTerminator;
    std::vector<std::pair<std::string, std::string>> logs;
    std::string monitor;
};

std::vector<std::string> Join2(std::vector<std::string> lines, const std::string& last) {
    lines.push_back(last);
    return lines;
}

const Chunks kOk = Now("\r\n+CMGS: 5\r\n\r\nOK\r\n");
const std::string kCms = "\r\n+CMS ERROR: 500\r\n";

std::vector<SubmitCase> Cases() {
    const auto nonSiemensFirst = Join({{500, 500}, Times(10, 500)});
    return {
        {"sent",
         false,
         kOk,
         {},
         SubmitOutcome::Sent,
         {500, 500, 500},
         false,
         {{"tr.txt", kDest}},
         "Message Sent"},
        {"sent after 4.9 s",
         false,
         {{4900, "\r\nOK\r\n"}},
         {},
         SubmitOutcome::Sent,
         Join({{500, 500}, Times(10, 500)}),
         false,
         {{"tr.txt", kDest}},
         "Message Sent"},
        {"error",
         false,
         Now(kCms),
         {},
         SubmitOutcome::Failed,
         {500, 500, 500},
         false,
         {{"fl.txt", kDest}, {"fl.txt", kCms}},
         "Fail (1)"},
        {"error before ok",
         false,
         Now("\r\nERROR\r\n\r\nOK\r\n"),
         {},
         SubmitOutcome::Failed,
         {500, 500, 500},
         false,
         {{"fl.txt", kDest}, {"fl.txt", "\r\nERROR\r\n\r\nOK\r\n"}},
         "Fail (1)"},
        {"ok after the second terminator",
         false,
         {},
         {{7000, "\r\nOK\r\n"}},
         SubmitOutcome::Sent,
         Join({nonSiemensFirst, Times(25, 300)}),
         true,
         {{"tr.txt", kDest}},
         "Message Sent"},
        {"no ok after the second terminator",
         false,
         {},
         {{7600, "\r\nOK\r\n"}},
         SubmitOutcome::Unknown,
         Join({nonSiemensFirst, Times(25, 300)}),
         true,
         {{"fl.txt", kDest + " (?)"}},
         "Unknown"},
        {"error is not looked for in the second answer",
         false,
         {},
         Now("\r\nERROR\r\n"),
         SubmitOutcome::Unknown,
         Join({nonSiemensFirst, Times(25, 300)}),
         true,
         {{"fl.txt", kDest + " (?)"}},
         "Unknown"},
        {"siemens sent",
         true,
         kOk,
         {},
         SubmitOutcome::Sent,
         Join({{500, 500}, Times(25, 300)}),
         false,
         {{"tr.txt", kDest}},
         "Message Sent"},
        {"siemens answer split",
         true,
         {{100, "\r\n+CMGS: 5\r\n"}, {7000, "\r\nOK\r\n"}},
         {},
         SubmitOutcome::Sent,
         Join({{500, 500}, Times(25, 300)}),
         false,
         {{"tr.txt", kDest}},
         "Message Sent"},
        {"siemens unknown at once",
         true,
         {},
         kOk,
         SubmitOutcome::Unknown,
         Join({{500, 500}, Times(25, 300)}),
         true,
         {{"fl.txt", kDest + " (?)"}},
         "Unknown"},
    };
}

class Submission : public SessionTest, public ::testing::WithParamInterface<SubmitCase> {};

TEST_P(Submission, WritesWaitsLogsAndJudgesAsThePhoneAnswers) {
    const SubmitCase& c = GetParam();
    if (c.siemens)
        AnswerIdentity("SIEMENS");
    Connected();
    port.On("at+cmgf=0\r", Now("\r\nOK\r\n"));
    port.On("at+cmgs=22\r", Now("\r\n> "));
    port.On(kPduWrite, c.pduAnswer);
    port.On(kSecondZ, c.secondAnswer);

    EXPECT_EQ(session.SubmitPDU(kPdu, kDest), c.outcome);
    std::vector<std::string> writes = {"at+cmgf=0\r", "at+cmgs=22\r", kPduWrite};
    if (c.secondTerminator)
        writes.push_back(kSecondZ);
    EXPECT_EQ(Written(), writes);
    EXPECT_EQ(clock.sleeps(), c.sleeps);
    EXPECT_EQ(logs, c.logs);
    ASSERT_FALSE(events.monitor.empty());
    EXPECT_EQ(events.monitor.front(), "Enter PDU Mode OK");
    EXPECT_EQ(events.monitor.back(), c.monitor);
    EXPECT_EQ(events.polling, (std::vector<bool>{false, true}));
    EXPECT_TRUE(session.IsConnected());
}

INSTANTIATE_TEST_SUITE_P(Outcomes, Submission, ::testing::ValuesIn(Cases()), [](const auto& info) {
    std::string n;
    for (const char* p = info.param.name; *p; ++p)
        n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return n;
});

TEST_F(SessionTest, APhoneThatRefusesPduModeIsNotLogged) {
    Connected();
    port.On("at+cmgf=0\r", Now("\r\nERROR\r\n"));
    EXPECT_EQ(session.SubmitPDU(kPdu, kDest), SubmitOutcome::NoPduMode);
    EXPECT_EQ(Written(), std::vector<std::string>{"at+cmgf=0\r"});
    EXPECT_EQ(clock.sleeps(), std::vector<int>{500});
    EXPECT_TRUE(logs.empty());
    EXPECT_TRUE(events.monitor.empty());
    EXPECT_EQ(events.polling, (std::vector<bool>{false, true}));
}

struct RefusalCase {
    const char* name;
    std::string modeAnswer, lengthAnswer, pduAnswer, secondAnswer;
    SubmitOutcome outcome;
    std::vector<std::string> monitor;
    std::vector<std::string> refused;
};

TEST_F(SessionTest, ThePhonesReasonIsShownBesideTheUnchangedOutcome) {
    const std::string ok = "\r\nOK\r\n", prompt = "\r\n> ";
    const std::vector<std::string> promptMonitor{"Enter PDU Mode OK", "Ready To Receive"};
    const RefusalCase cases[] = {
        {"worded reason to pdu mode",
         "\r\n+CME ERROR: SIM PIN required\r\n",
         "",
         "",
         "",
         SubmitOutcome::NoPduMode,
         {},
         {"+CME ERROR: SIM PIN required; use Fast Dialogue to enter the PIN"}},
        {"code to pdu mode",
         "\r\n+CMS ERROR: 302\r\n",
         "",
         "",
         "",
         SubmitOutcome::NoPduMode,
         {},
         {"+CMS ERROR: 302 (operation not allowed)"}},
        {"reason to the length",
         ok,
         "\r\n+CME ERROR: SIM PIN required\r\n",
         "",
         "",
         SubmitOutcome::NoPrompt,
         {"Enter PDU Mode OK"},
         {"+CME ERROR: SIM PIN required; use Fast Dialogue to enter the PIN"}},
        {"reason to the pdu",
         ok,
         prompt,
         "\r\n+CMS ERROR: 38\r\n",
         "",
         SubmitOutcome::Failed,
         Join2(promptMonitor, "Fail (1)"),
         {"+CMS ERROR: 38 (network out of order)"}},
        {"plain error to the pdu",
         ok,
         prompt,
         "\r\nERROR\r\n",
         "",
         SubmitOutcome::Failed,
         Join2(promptMonitor, "Fail (1)"),
         {}},
        {"reason after the second terminator",
         ok,
         prompt,
         "",
         "\r\n+CMS ERROR: 500\r\n",
         SubmitOutcome::Unknown,
         Join2(promptMonitor, "Unknown"),
         {"+CMS ERROR: 500 (unknown error)"}},
    };
    Connected();
    for (const auto& c : cases) {
        port.On("at+cmgf=0\r", Now(c.modeAnswer));
        port.On("at+cmgs=22\r", Now(c.lengthAnswer));
        port.On(kPduWrite, c.pduAnswer.empty() ? Chunks{} : Now(c.pduAnswer));
        port.On(kSecondZ, c.secondAnswer.empty() ? Chunks{} : Now(c.secondAnswer));
        Forget();
        EXPECT_EQ(session.SubmitPDU(kPdu, kDest), c.outcome) << c.name;
        EXPECT_EQ(events.monitor, c.monitor) << c.name;
        EXPECT_EQ(events.refused, c.refused) << c.name;
        // The answer of the step refused goes with the part, for the store.
        const std::string answered = c.outcome == SubmitOutcome::NoPduMode  ? c.modeAnswer
                                     : c.outcome == SubmitOutcome::NoPrompt ? c.lengthAnswer
                                     : c.outcome == SubmitOutcome::Failed   ? c.pduAnswer
                                                                            : "";
        ASSERT_EQ(events.parts.size(), 1u) << c.name;
        EXPECT_EQ(events.parts[0].answer, answered) << c.name;
    }
}

// Fake time that is cancelled at a chosen sleep, as the window closing or a
// Ctrl-C cancels the real clock: that sleep and every later one throw.
class CancellingClock : public Clock {
public:
    void Sleep(int ms) override {
        if (m_armed && --m_left <= 0)
            throw SessionCancelled();
        m_time.Sleep(ms);
    }
    std::int64_t NowMs() const override { return m_time.NowMs(); }
    void CancelAtSleep(int nth) {
        m_armed = true;
        m_left = nth;
    }

private:
    FakeClock m_time;
    bool m_armed = false;
    int m_left = 0;
};

TEST(SubmitCancelled, APduAlreadyWrittenIsLoggedAsUnknownBeforeTheCancellationGoesOn) {
    // Sleeps of a submission the phone never answers: 1 PDU mode, 2 the
    // length, 3 to 12 the first answer, 13 to 37 the second.
    const struct {
        int sleep;
        bool logged;
    } rows[] = {{1, false}, {2, false}, {3, true}, {12, true}, {13, true}, {37, true}};
    for (const auto& r : rows) {
        CancellingClock clock;
        ScriptedPort port(clock);
        RecordingEvents events;
        std::vector<std::pair<std::string, std::string>> logs;
        PhoneSession session(port, clock, events);
        port.OnAnyOther(Now("\r\nOK\r\n"));
        ASSERT_TRUE(session.Connect(1, 19200));
        port.On("at+cmgs=22\r", Now("\r\n> "));
        port.On(kPduWrite, {});
        port.On(kSecondZ, {});
        events = RecordingEvents();
        events.logSink = &logs;
        clock.CancelAtSleep(r.sleep);

        EXPECT_THROW(session.SubmitPDU(kPdu, kDest), SessionCancelled) << "sleep " << r.sleep;
        using Logs = std::vector<std::pair<std::string, std::string>>;
        const Logs want = r.logged ? Logs{{"fl.txt", kDest + " (?)"}} : Logs{};
        EXPECT_EQ(logs, want) << "sleep " << r.sleep;
        EXPECT_EQ(!events.monitor.empty() && events.monitor.back() == "Unknown", r.logged)
            << "sleep " << r.sleep;
        // Stopped before its PDU, the phone may be at the prompt: the escape
        // is the last thing written. After the PDU, nothing follows it.
        EXPECT_EQ(port.written().back() == "\x1B", !r.logged) << "sleep " << r.sleep;
    }
}

TEST_F(SessionTest, NoPromptIsNotLogged) {
    Connected();
    port.On("at+cmgf=0\r", Now("\r\nOK\r\n"));
    EXPECT_EQ(session.SubmitPDU(kPdu, kDest), SubmitOutcome::NoPrompt);
    EXPECT_EQ(clock.sleeps(), Join({{500}, Times(6, 500)}));
    EXPECT_TRUE(logs.empty());
    EXPECT_EQ(events.monitor, std::vector<std::string>{"Enter PDU Mode OK"});
    EXPECT_EQ(events.polling, (std::vector<bool>{false, true}));
}

TEST_F(SessionTest, TheAnnouncedLengthLeavesOutTheServiceCentreOctet) {
    Connected();
    port.OnAnyOther({});
    const std::pair<std::string, std::string> cases[] = {{std::string(46, '0'), "at+cmgs=22\r"},
                                                         {std::string(4, '0'), "at+cmgs=1\r"},
                                                         {std::string(47, '0'), "at+cmgs=22\r"},
                                                         {std::string(280, '0'), "at+cmgs=139\r"}};
    port.On("at+cmgf=0\r", Now("OK"));
    for (const auto& [pdu, command] : cases) {
        Forget();
        session.SubmitPDU(pdu, kDest);
        ASSERT_EQ(Written().size(), 2u);
        EXPECT_EQ(Written()[1], command);
    }
}

TEST_F(SessionTest, ALinkErrorBeforeThePduEndsTheSubmissionUnlogged) {
    Connected();
    port.On("at+cmgf=0\r", Now("\r\nOK\r\n"));
    port.FailOn(ScriptedPort::Op::Write, 2, kErrWrite); // at+cmgs=
    EXPECT_EQ(session.SubmitPDU(kPdu, kDest), SubmitOutcome::LinkLost);
    EXPECT_TRUE(logs.empty());
    EXPECT_FALSE(session.IsConnected());
    EXPECT_EQ(events.lastStatus(), "Connection to the phone lost (WriteFile function failed (Input/output "
                                   "error)), please check data cable connection !");
    EXPECT_EQ(events.polling.back(), false);
    EXPECT_EQ(events.states, std::vector<SessionState>{SessionState::Disconnected});
}

TEST_F(SessionTest, ALinkErrorAfterThePduLogsTheOutcomeAsUnknown) {
    Connected();
    port.On("at+cmgf=0\r", Now("\r\nOK\r\n"));
    port.On("at+cmgs=22\r", Now("\r\n> "));
    port.FailOn(ScriptedPort::Op::Pending, 3, kErrStatus); // the first poll for the final answer
    EXPECT_EQ(session.SubmitPDU(kPdu, kDest), SubmitOutcome::Unknown);
    EXPECT_EQ(logs, (std::vector<std::pair<std::string, std::string>>{{"fl.txt", kDest + " (?)"}}));
    EXPECT_EQ(events.monitor.back(), "Unknown");
    EXPECT_FALSE(session.IsConnected());
    EXPECT_EQ(events.polling.back(), false);
}

TEST_F(SessionTest, SubmittingWhileDisconnectedDoesNothing) {
    EXPECT_EQ(session.SubmitPDU(kPdu, kDest), SubmitOutcome::LinkLost);
    EXPECT_TRUE(port.written().empty());
    EXPECT_TRUE(events.polling.empty());
}

} // namespace
} // namespace velmora::testing
