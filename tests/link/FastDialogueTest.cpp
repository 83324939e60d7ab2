#include "SessionFixture.h"

namespace velmora::testing {
namespace {

const std::string kPdu = "0011000C912658969999990000AA05C8329BFD06000000";
const std::string kDest = "628569999999";
const std::string kPduWrite = kPdu + "\x1a\r";

class FastDialogueTest : public SessionTest {
protected:
    FastDialogueTest() {
        session.SetDialogue(Dialogue::Fast);
        port.On("AT\r", Now("\r\nOK\r\n"));
        port.On("at+cmgf=0\r", Now("\r\nOK\r\n"));
        port.On("at+cmgs=22\r", Now("\r\n> "));
    }
};

TEST_F(FastDialogueTest, connectEndsEachCommandAtItsAnswer) {
    port.SetEcho(true);
    port.Once("AT\r", {});
    port.On("at+cgmi\r", {{5, "\r\n^RSSI:14\r\n"}, {40, "\r\nVELMORA\r\n\r\nOK\r\n"}});
    ASSERT_TRUE(session.Connect(1, 19200));
    EXPECT_EQ(session.Identity().Manufacturer, "VELMORA");
    EXPECT_EQ(session.Identity().ServiceCentre, "+CSCA: \"+628159000000\",145");
    EXPECT_EQ(port.written(), (std::vector<std::string>{"AT\r", "AT\r", "ate0\r", "at+cgmi\r", "at+cgmm\r",
                                                        "at+cgmr\r", "at+cimi\r", "at+csca?\r"}));
    // The settling pause, one silent "AT" and the answers as they came.
    EXPECT_GE(clock.NowMs(), 100 + 300 + 40);
    EXPECT_LT(clock.NowMs(), 100 + 300 + 40 + 100);
}

TEST_F(FastDialogueTest, aSilentPhoneIsGivenUpAfterItsProbes) {
    port.On("AT\r", {});
    EXPECT_FALSE(session.Connect(1, 19200));
    EXPECT_EQ(events.status.back(), "No Response From Mobile Phone !");
    EXPECT_EQ(clock.NowMs(), 100 + 10 * 300);
    EXPECT_FALSE(session.IsConnected());
}

struct FastSubmitCase {
    const char* name;
    Chunks pduAnswer;
    SubmitOutcome outcome;
    std::int64_t answeredAfterMs; // from writing the PDU
    std::vector<std::pair<std::string, std::string>> logs;
    std::optional<int> reference;
};

class FastSubmitTest : public FastDialogueTest, public ::testing::WithParamInterface<FastSubmitCase> {};

// Unsolicited lines every ten seconds: none of them is the answer or moves
// the deadline.
Chunks Laced(Chunks answer) {
    for (int at = 10000; at <= 200000; at += 10000)
        answer.push_back({at, "\r\n+CDSI: \"SM\"," + std::to_string(at / 10000) + "\r\n"});
    return answer;
}

TEST_P(FastSubmitTest, judgesTheAnswerToThePdu) {
    const FastSubmitCase& c = GetParam();
    Connected();
    port.On(kPduWrite, Laced(c.pduAnswer));
    EXPECT_EQ(session.SubmitPDU(kPdu, kDest), c.outcome);
    ASSERT_EQ(Written(), (std::vector<std::string>{"at+cmgf=0\r", "at+cmgs=22\r", kPduWrite}));
    const std::int64_t elapsed = clock.NowMs() - port.writeTimes().back();
    EXPECT_GE(elapsed, c.answeredAfterMs);
    EXPECT_LT(elapsed, c.answeredAfterMs + 25);
    EXPECT_EQ(logs, c.logs);
    EXPECT_EQ(session.LastReference(), c.reference);
    EXPECT_EQ(events.monitor, (std::vector<std::string>{"Enter PDU Mode OK", "Ready To Receive",
                                                        SubmitOutcomeText(c.outcome)}));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, FastSubmitTest,
    ::testing::Values(
        FastSubmitCase{
            "sent", Now("\r\n+CMGS: 7\r\n\r\nOK\r\n"), SubmitOutcome::Sent, 0, {{"tr.txt", kDest}}, 7},
        // The network's answer after 45 s is still the answer.
        FastSubmitCase{"sentLate",
                       {{45000, "\r\n+CMGS: 200\r\n"}, {45003, "\r\nOK\r\n"}},
                       SubmitOutcome::Sent,
                       45003,
                       {{"tr.txt", kDest}},
                       200},
        FastSubmitCase{"refused",
                       {{30, "\r\n+CMS ERROR: 500\r\n"}},
                       SubmitOutcome::Failed,
                       30,
                       {{"fl.txt", kDest}, {"fl.txt", "\r\n+CMS ERROR: 500\r\n"}},
                       std::nullopt},
        FastSubmitCase{"noAnswerInTime",
                       {{125000, "\r\n+CMGS: 9\r\n\r\nOK\r\n"}},
                       SubmitOutcome::Unknown,
                       120000,
                       {{"fl.txt", kDest + " (?)"}},
                       std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FastDialogueTest, aMissingPromptEndsAtItsDeadline) {
    Connected();
    port.On("at+cmgs=22\r", {{9000, "\r\n> "}});
    EXPECT_EQ(session.SubmitPDU(kPdu, kDest), SubmitOutcome::NoPrompt);
    EXPECT_EQ(clock.NowMs() - port.writeTimes().back(), PhoneSession::kFast.commandMs);
    EXPECT_TRUE(logs.empty());
}

TEST_F(FastDialogueTest, theSignalPollReadsPastUnsolicitedLines) {
    Connected();
    port.On("at+csq\r", Now("\r\n^HCSQ:\"LTE\",40\r\n+CSQ: 21,99\r\n\r\nOK\r\n"));
    session.SignalTick();
    EXPECT_EQ(events.quality, (std::vector<std::string>{"[21]|[99]|3|0"}));
}

} // namespace
} // namespace velmora::testing
