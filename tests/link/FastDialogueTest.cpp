#include "SessionFixture.h"

#include "StatusReport.h"
#include "TestNames.h"

#include <algorithm>

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
        port.On("AT+CPIN?\r", Now("\r\n+CPIN: READY\r\n\r\nOK\r\n"));
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
    EXPECT_EQ(port.written(),
              (std::vector<std::string>{"\x1B", "AT\r", "AT\r", "ate0\r", "AT+CPIN?\r", "at+cgmi\r",
                                        "at+cgmm\r", "at+cgmr\r", "at+cimi\r", "at+csca?\r", "AT+CGSN\r"}));
    // The settling pause, one silent "AT" and the answers as they came.
    EXPECT_GE(clock.NowMs(), 100 + 300 + 40);
    EXPECT_LT(clock.NowMs(), 100 + 300 + 40 + 100);
}

// A line that never ends does not hold the session until the deadline, nor
// grow without bound: the answer is left unread, and the session says so.
TEST_F(FastDialogueTest, anEndlessAnswerIsLeftUnreadAtItsLimit) {
    ASSERT_TRUE(session.Connect(1, 19200));
    port.On("at+csq\r", Now("\r\n+CSQ: " + std::string(AtReader::kAnswerLimit, '9')));
    const std::int64_t before = clock.NowMs();
    session.SignalTick();
    EXPECT_LT(clock.NowMs() - before, 1000);
    EXPECT_EQ(events.tooLong, std::vector<std::string>{
                                  "The phone's answer to at+csq is too long to read; it was left unread"});
}

// A name past the line limit is cut, not its entry lost: the answer is read
// to its OK, which came after the next command had been sent when the
// answer was given up at the long line, and ended that command's answer
// before its entry came.
TEST_F(FastDialogueTest, aPhoneBookNameTooLongIsCutAndTheNextEntryRead) {
    ASSERT_TRUE(session.Connect(1, 19200));
    port.OnAnyOther(Now("\r\n+CME ERROR: 22\r\n"));
    const std::string name(AtReader::kLineLimit + 1000, 'N');
    port.On("at+cpbr=1\r", {{5, "\r\n+CPBR: 1,\"0812\",129,\"" + name}, {60, "\"\r\n\r\nOK\r\n"}});
    port.On("at+cpbr=2\r", {{100, "\r\n+CPBR: 2,\"0813\",129,\"Sari\"\r\n\r\nOK\r\n"}});
    const auto entries = session.ReadPhonebook();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].index, "1");
    EXPECT_EQ(entries[0].number, "0812");
    EXPECT_EQ(entries[0].name.substr(0, 3), "NNN");
    EXPECT_LT(entries[0].name.size(), AtReader::kLineLimit);
    EXPECT_EQ(entries[1].index, "2");
    EXPECT_EQ(entries[1].name, "Sari");
    EXPECT_EQ(events.tooLong, std::vector<std::string>{"A line of the phone's answer to at+cpbr=1 is longer "
                                                       "than 16 KiB; only its start was read"});
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
    // A prompt still to come would take the next command for PDU text:
    // escape, at the deadline, takes the phone back to its commands.
    EXPECT_EQ(Written(), (std::vector<std::string>{"at+cmgf=0\r", "at+cmgs=22\r", "\x1B"}));
    const auto& at = port.writeTimes();
    EXPECT_EQ(at[at.size() - 1] - at[at.size() - 2], PhoneSession::kFast.commandMs);
    EXPECT_EQ(clock.NowMs(), at.back());
    EXPECT_TRUE(logs.empty());
}

TEST_F(FastDialogueTest, aCodeInsteadOfThePromptGoesWithThePart) {
    Connected();
    port.On("at+cmgs=22\r", Now("\r\n+CMS ERROR: 38\r\n"));
    EXPECT_EQ(session.SubmitPDU(kPdu, kDest), SubmitOutcome::NoPrompt);
    ASSERT_EQ(events.parts.size(), 1u);
    EXPECT_EQ(events.parts[0].answer, "\r\n+CMS ERROR: 38\r\n");
    EXPECT_EQ(events.refused, (std::vector<std::string>{"+CMS ERROR: 38 (network out of order)"}));
    // A refusal is a final answer: no escape follows it.
    EXPECT_EQ(Written(), (std::vector<std::string>{"at+cmgf=0\r", "at+cmgs=22\r"}));
    EXPECT_TRUE(logs.empty());
}

TEST_F(FastDialogueTest, theSignalPollReadsPastUnsolicitedLines) {
    Connected();
    port.On("at+csq\r", Now("\r\n^HCSQ:\"LTE\",40\r\n+CSQ: 21,99\r\n\r\nOK\r\n"));
    session.SignalTick();
    EXPECT_EQ(events.quality, (std::vector<std::string>{"[21]|[99]|3|0"}));
}

struct PinCase {
    const char* name;
    const char* state;
    std::optional<std::string> pin; // what the user gives
    Chunks pinAnswer;
    bool connects;
    std::string status; // the last one, for a connect that stops
    int pinsSent;
};

class PinTest : public FastDialogueTest, public ::testing::WithParamInterface<PinCase> {};

// The state as 27.007 names it, without the quotes some phones put round it.
std::string Unquoted(std::string state) {
    state.erase(std::remove(state.begin(), state.end(), '"'), state.end());
    return state;
}

TEST_P(PinTest, theSimIsAskedOnceAndNeverRetried) {
    const PinCase& c = GetParam();
    port.On("AT+CPIN?\r", Now(std::string("\r\n+CPIN: ") + c.state + "\r\n\r\nOK\r\n"));
    port.Once("AT+CPIN?\r", Now(std::string("\r\n+CPIN: ") + c.state + "\r\n\r\nOK\r\n"));
    port.On("AT+CPINR=\"SIM PIN\"\r", Now("\r\n+CPINR: SIM PIN,2,3\r\n\r\nOK\r\n"));
    // After a right PIN the SIM is ready.
    if (c.connects && Unquoted(c.state) == "SIM PIN")
        port.On("AT+CPIN?\r", Now("\r\n+CPIN: READY\r\n\r\nOK\r\n"));
    if (c.pin)
        port.On("AT+CPIN=\"" + *c.pin + "\"\r", c.pinAnswer);
    std::vector<std::optional<int>> asked;
    session.SetPinSource([&](std::optional<int> tries) {
        asked.push_back(tries);
        return c.pin;
    });
    EXPECT_EQ(session.Connect(1, 19200), c.connects);
    EXPECT_EQ(session.IsConnected(), c.connects);
    const auto pins = std::count_if(port.written().begin(), port.written().end(),
                                    [](const std::string& w) { return w.rfind("AT+CPIN=", 0) == 0; });
    EXPECT_EQ(pins, c.pinsSent);
    const bool asks = Unquoted(c.state) == "SIM PIN";
    EXPECT_EQ(asked, asks ? std::vector<std::optional<int>>{2} : std::vector<std::optional<int>>{});
    if (!c.connects) {
        EXPECT_EQ(events.status.back(), c.status);
    }
}

INSTANTIATE_TEST_SUITE_P(
    States, PinTest,
    ::testing::Values(
        PinCase{"ready", "READY", std::nullopt, {}, true, "", 0},
        PinCase{"pinGiven", "SIM PIN", "1234", Now("\r\nOK\r\n"), true, "", 1},
        PinCase{"pinWrong", "SIM PIN", "9999", Now("\r\n+CME ERROR: 16\r\n"), false,
                "The SIM refused the PIN (2 tries left); connect again to give another", 1},
        PinCase{"noPinGiven",
                "SIM PIN",
                std::nullopt,
                {},
                false,
                "The SIM asks for its PIN (2 tries left); none was given, so the port is closed",
                0},
        PinCase{"notAPin",
                "SIM PIN",
                "12\"3;",
                {},
                false,
                "A PIN is 4 to 8 digits; nothing was sent to the SIM",
                0},
        PinCase{
            "puk",
            "SIM PUK",
            "1234",
            {},
            false,
            "The SIM asks for SIM PUK, which Velmora does not give: unlock it in a phone, then connect again",
            0},
        // Huawei and others quote the state.
        PinCase{"quotedPin", "\"SIM PIN\"", "1234", Now("\r\nOK\r\n"), true, "", 1},
        PinCase{
            "quotedPuk",
            "\"SIM PUK\"",
            "1234",
            {},
            false,
            "The SIM asks for SIM PUK, which Velmora does not give: unlock it in a phone, then connect again",
            0},
        // PIN2 guards only fixed dialling and charges: messages go on.
        PinCase{"pin2", "SIM PIN2", "1234", {}, true, "", 0},
        PinCase{"puk2", "\"SIM PUK2\"", "1234", {}, true, "", 0},
        PinCase{
            "phoneLock",
            "PH-SIM PIN",
            "1234",
            {},
            false,
            "The SIM asks for PH-SIM PIN, which Velmora does not give: unlock it in a phone, then connect "
            "again",
            0}),
    [](const auto& info) { return std::string(info.param.name); });

struct StateLineCase {
    const char* name;
    std::string first; // the state line, without a final result code
    int pinsSent;
};

class StateLineTest : public FastDialogueTest, public ::testing::WithParamInterface<StateLineCase> {};

// Wavecom answers AT+CPIN? with its state line alone: it is read from the
// line, without waiting out the command's deadline for an OK.
TEST_P(StateLineTest, theStateLineIsTheAnswer) {
    const StateLineCase& c = GetParam();
    port.Once("AT+CPIN?\r", Now(c.first));
    port.On("AT+CPIN?\r", Now("\r\n+CPIN: READY\r\n"));
    port.On("AT+CPINR=\"SIM PIN\"\r", Now("\r\nERROR\r\n"));
    port.On("AT+CPIN=\"1234\"\r", Now("\r\nOK\r\n"));
    session.SetPinSource([](std::optional<int>) { return std::string("1234"); });
    ASSERT_TRUE(session.Connect(1, 19200));
    const auto& written = port.written();
    EXPECT_EQ(std::count(written.begin(), written.end(), "AT+CPIN=\"1234\"\r"), c.pinsSent);
    int states = 0;
    for (std::size_t i = 0; i + 1 < written.size(); ++i) {
        if (written[i] != "AT+CPIN?\r")
            continue;
        ++states;
        EXPECT_LE(port.writeTimes()[i + 1] - port.writeTimes()[i], PhoneSession::kFast.lineOnlyMs + 20)
            << "state read " << states;
    }
    EXPECT_EQ(states, c.pinsSent + 1);
    EXPECT_EQ(session.Identity().Manufacturer, "VELMORA");
}

INSTANTIATE_TEST_SUITE_P(Wavecom, StateLineTest,
                         ::testing::Values(StateLineCase{"ready", "\r\n+CPIN: READY\r\n", 0},
                                           StateLineCase{"pin", "\r\n+CPIN: SIM PIN\r\n", 1},
                                           StateLineCase{"echoedPin", "AT+CPIN?\r\r\n+CPIN: SIM PIN\r\n", 1}),
                         [](const auto& info) { return std::string(info.param.name); });

// A SIM that opens after its PIN is announced by lines the modem sends by
// itself; none of them is taken for the phone's identity.
TEST_F(FastDialogueTest, linesTheModemSendsAfterThePinAreNotItsIdentity) {
    port.Once("AT+CPIN?\r", Now("\r\n+CPIN: SIM PIN\r\n\r\nOK\r\n"));
    port.On("AT+CPINR=\"SIM PIN\"\r", Now("\r\nERROR\r\n"));
    port.On("AT+CPIN=\"1234\"\r", Now("\r\nOK\r\n"));
    port.On("AT+CPIN?\r", Now("\r\n+CPIN: READY\r\n\r\nOK\r\n\r\n+CPIN: READY\r\n"));
    port.On("at+cgmi\r", Now("\r\nCall Ready\r\n\r\nQuectel\r\n\r\nOK\r\n"));
    port.On("at+cgmm\r", Now("\r\n+PACSP0\r\n\r\nM95\r\n\r\nOK\r\n"));
    port.On("at+cgmr\r", Now("\r\n+QIND: SMS DONE\r\n\r\nM95FAR02A08\r\n\r\nOK\r\n"));
    port.On("at+cimi\r", Now("\r\nSMS Ready\r\n510109876543210\r\n\r\nOK\r\n"));
    port.On("AT+CGSN\r", Now("\r\n+QIND: PB DONE\r\n\r\n862012034567891\r\n\r\nOK\r\n"));
    session.SetPinSource([](std::optional<int>) { return std::string("1234"); });
    ASSERT_TRUE(session.Connect(1, 19200));
    EXPECT_EQ(session.Identity(), (PhoneIdentity{"Quectel", "M95", "M95FAR02A08", "510109876543210",
                                                 "+CSCA: \"+628159000000\",145", "862012034567891"}));
}

struct BookCase {
    const char* name;
    Dialogue dialogue;
};

class BookTest : public FastDialogueTest, public ::testing::WithParamInterface<BookCase> {};

TEST_P(BookTest, aQuotedLineFeedStaysInTheName) {
    session.SetDialogue(GetParam().dialogue);
    Connected();
    port.OnAnyOther(Now("\r\n+CME ERROR: 22\r\n"));
    port.On("at+cpbr=1\r", Now("\r\n+CPBR: 1,\"0812345678\",129,\"Budi\nKantor\"\r\n\r\nOK\r\n"));
    port.On("at+cpbr=2\r", Now("\r\n+CPBR: 2,,\"+31234657899\",145,\"Mama GSM\",\"2007/11/02,09:27\"\r\n"
                               "\r\nOK\r\n"));
    const auto entries = session.ReadPhonebook();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "Budi\nKantor");
    EXPECT_EQ(entries[0].number, "0812345678");
    EXPECT_EQ(entries[1].name, "Mama GSM");
    EXPECT_EQ(entries[1].number, "+31234657899");
}

INSTANTIATE_TEST_SUITE_P(Dialogues, BookTest,
                         ::testing::Values(BookCase{"classic", Dialogue::Classic},
                                           BookCase{"fast", Dialogue::Fast}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SessionTest, theClassicDialogueSaysWhereThePinCanBeEntered) {
    port.On("ate0\r", Now("\r\n+CME ERROR: 11\r\n"));
    EXPECT_FALSE(session.Connect(1, 19200));
    EXPECT_EQ(events.refused, (std::vector<std::string>{
                                  "+CME ERROR: 11 (SIM PIN required); use Fast Dialogue to enter the PIN"}));
}

std::string ReportPdu(int reference, const std::string& status) {
    char mr[3];
    std::snprintf(mr, sizeof mr, "%02X", reference);
    return std::string("0006") + mr + "0C91265896999999" + "62218012000000" + "62218012000000" + status;
}

std::string Cds(int reference, const std::string& status) {
    return "\r\n+CDS: 25\r\n" + ReportPdu(reference, status) + "\r\n";
}

class ReportTest : public FastDialogueTest {
protected:
    void SendTwo(Chunks secondAnswer) {
        const std::string asking = *RequestStatusReport(kPdu) + "\x1a\r";
        port.Once(asking, Now("\r\n+CMGS: 5\r\n\r\nOK\r\n"));
        port.Once(asking, std::move(secondAnswer));
        ASSERT_TRUE(session.RouteStatusReports());
        ASSERT_EQ(session.SubmitPDU(*RequestStatusReport(kPdu), kDest), SubmitOutcome::Sent);
        ASSERT_EQ(session.SubmitPDU(*RequestStatusReport(kPdu), kDest), SubmitOutcome::Sent);
        EXPECT_TRUE(session.AwaitingReports());
        clock.Advance(5000);
        session.ReadUnsolicited();
    }
};

// One message of two parts, as the window's link and the CLI's transport
// send it: every part is tried, each told before it goes, reports asked
// first where wanted. Named after the phone that answered so.
TEST_F(FastDialogueTest, aMessageTriesEveryPartAndAsksForReportsFirst) {
    const std::string asking = *RequestStatusReport(kPdu);
    const struct Row {
        const char* phone;
        bool reports;
        Chunks cnmi;                 // the answer to AT+CNMI=2,1,0,1,0 (and to ds=2)
        std::vector<Chunks> answers; // each part's answer to its PDU
        bool allSent, reportsRefused;
        std::string written; // the PDU each part wrote
    } rows[] = {
        {"Wavecom M1306B: both taken",
         false,
         {},
         {Now("\r\n+CMGS: 5\r\n\r\nOK\r\n"), Now("\r\n+CMGS: 6\r\n\r\nOK\r\n")},
         true,
         false,
         kPdu},
        {"Siemens MC35i: the first refused, the second still tried",
         false,
         {},
         {Now("\r\n+CMS ERROR: 500\r\n"), Now("\r\n+CMGS: 6\r\n\r\nOK\r\n")},
         false,
         false,
         kPdu},
        {"Huawei E1550: reports routed, each part asks for one",
         true,
         Now("\r\nOK\r\n"),
         {Now("\r\n+CMGS: 5\r\n\r\nOK\r\n"), Now("\r\n+CMGS: 6\r\n\r\nOK\r\n")},
         true,
         false,
         asking},
        {"Nokia 6230i: will not pass reports on, the parts go without",
         true,
         Now("\r\n+CMS ERROR: 303\r\n"),
         {Now("\r\n+CMGS: 5\r\n\r\nOK\r\n"), Now("\r\n+CMGS: 6\r\n\r\nOK\r\n")},
         true,
         true,
         kPdu},
    };
    for (const Row& r : rows) {
        ScriptedPort fresh(clock);
        PhoneSession own(fresh, clock, events);
        own.SetDialogue(Dialogue::Fast);
        fresh.OnAnyOther(Now("\r\nOK\r\n"));
        fresh.On("at+cmgs=22\r", Now("\r\n> "));
        fresh.On("AT+CNMI=2,1,0,1,0\r", r.cnmi);
        fresh.On("AT+CNMI=2,1,0,2,0\r", r.cnmi);
        ASSERT_TRUE(own.Connect(1, 19200)) << r.phone;
        for (const Chunks& answer : r.answers)
            fresh.Once(r.written + "\x1a\r", answer);
        events = RecordingEvents();
        std::vector<int> told;
        const auto done =
            own.SubmitMessage({kPdu, kPdu}, kDest, r.reports, [&](int part) { told.push_back(part); });
        EXPECT_EQ(done.allSent, r.allSent) << r.phone;
        EXPECT_EQ(done.reportsRefused, r.reportsRefused) << r.phone;
        EXPECT_EQ(told, (std::vector<int>{0, 1})) << r.phone;
        EXPECT_EQ(events.parts.size(), 2u) << r.phone;
        EXPECT_EQ(std::count(fresh.written().begin(), fresh.written().end(), r.written + "\x1a\r"), 2)
            << r.phone;
    }
}

TEST_F(ReportTest, eachReportFindsItsMessageByReference) {
    Connected();
    port.On("AT+CNMI=2,1,0,1,0\r", Now("\r\nOK\r\n"));
    // Out of order, one for a message this connection did not send, one the
    // service centre is still trying.
    SendTwo({{0, "\r\n+CMGS: 6\r\n\r\nOK\r\n"},
             {1000, Cds(6, "21")},
             {1500, Cds(9, "00")},
             {1800, Cds(6, "41")},
             {2000, Cds(5, "00")}});
    EXPECT_EQ(events.reports, (std::vector<std::pair<int, int>>{{6, 0x41}, {5, 0x00}}));
    EXPECT_FALSE(session.AwaitingReports());
    // Each report is of one part: the session never says a message is delivered.
    EXPECT_EQ(std::count(events.status.begin(), events.status.end(), "Delivered"), 0);
    EXPECT_EQ(std::count(events.monitor.begin(), events.monitor.end(), "Delivered"), 0);
    EXPECT_EQ(events.status.back(), "Still trying: recipient busy");
}

TEST_F(ReportTest, aPhoneThatOnlyStoresReportsIsReadAfterItsAnnouncement) {
    Connected();
    port.On("AT+CNMI=2,1,0,1,0\r", Now("\r\n+CMS ERROR: 303\r\n"));
    port.On("AT+CNMI=2,1,0,2,0\r", Now("\r\nOK\r\n"));
    port.On("AT+CMGR=3\r", Now("\r\n+CMGR: 0,,25\r\n" + ReportPdu(6, "46") + "\r\n\r\nOK\r\n"));
    port.On("AT+CMGR=4\r", Now("\r\n+CMGR: 0,,25\r\n" + ReportPdu(5, "00") + "\r\n\r\nOK\r\n"));
    SendTwo({{0, "\r\n+CMGS: 6\r\n\r\nOK\r\n"},
             {700, "\r\n+CDSI: \"SM\",3\r\n"},
             {900, "\r\n+CDSI: \"SM\",4\r\n"}});
    EXPECT_EQ(events.reports, (std::vector<std::pair<int, int>>{{6, 0x46}, {5, 0x00}}));
}

TEST_F(ReportTest, aMessageThatDidNotAskIsNotAwaited) {
    Connected();
    port.On("AT+CNMI=2,1,0,1,0\r", Now("\r\nOK\r\n"));
    port.On(kPduWrite, Now("\r\n+CMGS: 5\r\n\r\nOK\r\n"));
    ASSERT_TRUE(session.RouteStatusReports());
    ASSERT_EQ(session.SubmitPDU(kPdu, kDest), SubmitOutcome::Sent);
    EXPECT_FALSE(session.AwaitingReports());
}

// A Huawei stores the report at index 0 and reads it back without a status.
TEST_F(ReportTest, aReportStoredAtIndexZeroIsRead) {
    Connected();
    port.On("AT+CNMI=2,1,0,1,0\r", Now("\r\n+CMS ERROR: 303\r\n"));
    port.On("AT+CNMI=2,1,0,2,0\r", Now("\r\nOK\r\n"));
    port.On("AT+CMGR=0\r", Now("\r\n+CMGR: ,,25\r\n" + ReportPdu(6, "00") + "\r\n\r\nOK\r\n"));
    SendTwo({{0, "\r\n+CMGS: 6\r\n\r\nOK\r\n"}, {700, "\r\n+CDSI: \"SM\",0\r\n"}});
    EXPECT_EQ(events.reports, (std::vector<std::pair<int, int>>{{6, 0x00}}));
}

// A report the phone announced but would not give as a PDU is named, in the
// status and among the session's report problems, never dropped in silence.
struct UnreadReport {
    const char* phone;
    std::string answer;
    std::string said;
};

class UnreadReportTest : public ReportTest, public ::testing::WithParamInterface<UnreadReport> {};

TEST_P(UnreadReportTest, isNamed) {
    const UnreadReport& r = GetParam();
    Connected();
    port.On("AT+CNMI=2,1,0,1,0\r", Now("\r\n+CMS ERROR: 303\r\n"));
    port.On("AT+CNMI=2,1,0,2,0\r", Now("\r\nOK\r\n"));
    port.On("AT+CMGR=3\r", Now(r.answer));
    SendTwo({{0, "\r\n+CMGS: 6\r\n\r\nOK\r\n"}, {700, "\r\n+CDSI: \"SM\",3\r\n"}});
    EXPECT_TRUE(events.reports.empty());
    EXPECT_EQ(events.lastStatus(), r.said);
    EXPECT_EQ(session.ReportProblems(), std::vector<std::string>{r.said});
}

INSTANTIATE_TEST_SUITE_P(
    Phones, UnreadReportTest,
    ::testing::Values(
        // TS 27.005 3.4.3: a status report in text mode, as a phone left in it answers.
        UnreadReport{"Wavecom Fastrack in text mode",
                     "\r\n+CMGR: \"REC UNREAD\",6,6,\"+628569999999\",145,\"26/12/08,12:00:00+28\","
                     "\"26/12/08,12:00:05+28\",0\r\n\r\nOK\r\n",
                     "The phone gave the SIM message 3 (a delivery report) as text, not as a PDU"},
        UnreadReport{"Huawei E1550, the PDU cut short", "\r\n+CMGR: 0,,25\r\n0006060C91\r\n\r\nOK\r\n",
                     "The SIM message 3 (a delivery report) could not be read (its PDU is cut short)"},
        // TS 27.005 3.2.5: 321, invalid memory index.
        UnreadReport{
            "Nokia 6230i, gone before it was read", "\r\n+CMS ERROR: 321\r\n",
            "The SIM message 3 (a delivery report) is gone (+CMS ERROR: 321 (invalid memory index))"}),
    [](const auto& info) { return velmora::testing::CaseName(info.index, info.param.phone); });

} // namespace
} // namespace velmora::testing
