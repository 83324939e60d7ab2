// The network's +CUSD lines as modems give them, and a USSD dialogue over a
// scripted phone: the answer waited for after the OK, the request packed
// for the sticks that want it, the session ended.

#include "SessionFixture.h"
#include "TestNames.h"
#include "UssdDialogue.h"
#include "UssdReplies.h"

namespace velmora::testing {
namespace {

struct CusdCase {
    const char* modem;
    std::string line;
    std::optional<CusdLine> parsed;
};

class CusdLines : public ::testing::TestWithParam<CusdCase> {};

TEST_P(CusdLines, AreReadByWhatTheirFieldsAre) { EXPECT_EQ(ParseCusd(GetParam().line), GetParam().parsed); }

CusdLine Line(int status, std::optional<std::string> str = std::nullopt,
              std::optional<int> dcs = std::nullopt) {
    return CusdLine{status, std::move(str), dcs};
}

INSTANTIATE_TEST_SUITE_P(
    Modems, CusdLines,
    ::testing::Values(
        CusdCase{"Huawei E173 in text", "+CUSD: 0,\"Sisa pulsa Rp 12.500\",15",
                 Line(0, "Sisa pulsa Rp 12.500", 15)},
        CusdCase{"Huawei E1550 packed", "+CUSD: 1,\"AA180C3602\",15", Line(1, "AA180C3602", 15)},
        CusdCase{"Sierra MC8775 ending the session", "+CUSD: 2", Line(2)},
        CusdCase{"a network that does not know the code", "+CUSD: 4", Line(4)},
        CusdCase{"Telit GL865 with blanks", "+CUSD: 0, \"Saldo\", 72", Line(0, "Saldo", 72)},
        CusdCase{"Siemens MC35i quoting nothing", "+CUSD: 0,Saldo Rp 5,000 s/d 31-12,15",
                 Line(0, "Saldo Rp 5,000 s/d 31-12", 15)},
        CusdCase{"an unquoted text without DCS", "+CUSD: 0,Saldo Rp 5000", Line(0, "Saldo Rp 5000")},
        CusdCase{"an unquoted text ending in a number too large for a DCS", "+CUSD: 0,Saldo,5000",
                 Line(0, "Saldo,5000")},
        CusdCase{"Quectel EC25 with a menu on two lines", "+CUSD: 1,\"1. Paket data\n2. Pulsa\",15",
                 Line(1, "1. Paket data\n2. Pulsa", 15)},
        CusdCase{"a quoted text holding commas and a quote", "+CUSD: 0,\"Rp 5,000 \"promo\", ok\",15",
                 Line(0, "Rp 5,000 \"promo\", ok", 15)},
        CusdCase{"ZTE MF627 adding a field after the DCS", "+CUSD: 0,\"Saldo\",15,1", Line(0, "Saldo", 15)},
        CusdCase{"SIMCom SIM900 quoting the DCS", "+CUSD: 0,\"Saldo\",\"72\"", Line(0, "Saldo", 72)},
        CusdCase{"no blank after the colon, no DCS", "+CUSD:0,\"x\"", Line(0, "x")},
        CusdCase{"an empty text", "+CUSD: 2,\"\",15", Line(2, "", 15)},
        CusdCase{"a DCS that is no number", "+CUSD: 0,\"x\",abc", Line(0, "x")},
        CusdCase{"a status that is no digit", "+CUSD: X,\"x\",15", std::nullopt},
        CusdCase{"a status of two digits", "+CUSD: 10", std::nullopt},
        CusdCase{"another command's line", "+CUSDX: 0", std::nullopt},
        CusdCase{"a text past the limit", "+CUSD: 0,\"" + std::string(kUssdStringLimit + 1, 'A') + "\",15",
                 std::nullopt}),
    [](const auto& info) { return CaseName(info.index, info.param.modem); });

class UssdSession : public SessionTest {
protected:
    UssdSession() {
        session.SetDialogue(Dialogue::Fast);
        port.On("AT\r", Now("\r\nOK\r\n"));
        port.On("AT+CPIN?\r", Now("\r\n+CPIN: READY\r\n\r\nOK\r\n"));
    }
};

std::string Request(const std::string& str) { return "AT+CUSD=1,\"" + str + "\",15\r"; }
const std::string kText = Request("*123#");
const std::string kPacked = Request("AA986C3602");
const std::string kEnd = "AT+CUSD=2\r";

// OK at once, the network's line `ms` later.
Chunks Answered(const std::string& cusd, int ms = 2000) {
    return {{0, "\r\nOK\r\n"}, {ms, "\r\n" + cusd + "\r\n"}};
}

struct DialogueCase {
    const char* modem;
    UssdWire known;
    std::vector<std::pair<std::string, Chunks>> phone; // each request's answer, in turn
    UssdAnswer::Kind kind;
    std::string text;
    std::vector<std::string> written;
    UssdWire wire;
    bool learnt;
    bool remembered = false; // the wire known by the modem's name, not set
};

class UssdDialogues : public UssdSession, public ::testing::WithParamInterface<DialogueCase> {};

TEST_P(UssdDialogues, FindHowTheModemTakesRequests) {
    const DialogueCase& c = GetParam();
    Connected();
    for (const auto& [command, answer] : c.phone)
        port.Once(command, answer);
    UssdDialogue dialogue(session, c.known, 10000, c.remembered);
    const UssdAnswer a = dialogue.Send("*123#");
    EXPECT_EQ(a.kind, c.kind);
    EXPECT_EQ(a.text, c.text);
    EXPECT_EQ(Written(), c.written);
    EXPECT_EQ(dialogue.Wire(), c.wire);
    EXPECT_EQ(dialogue.Learnt(), c.learnt);
    // An answer ends the session; nothing more is written to end it.
    dialogue.End();
    EXPECT_EQ(Written(), c.written);
}

INSTANTIATE_TEST_SUITE_P(
    Modems, UssdDialogues,
    ::testing::Values(DialogueCase{"Sierra MC8775 takes text",
                                   UssdWire::Unknown,
                                   {{kText, Answered("+CUSD: 0,\"Sisa pulsa Rp 12.500\",15")}},
                                   UssdAnswer::Kind::Done,
                                   "Sisa pulsa Rp 12.500",
                                   {kText},
                                   UssdWire::Text,
                                   true},
                      DialogueCase{"Huawei E1550 refuses text and takes packed",
                                   UssdWire::Unknown,
                                   {{kText, Now("\r\n+CME ERROR: 100\r\n")},
                                    {kPacked, Answered("+CUSD: 0,\"D3309BFC0649E135180C06\",15")}},
                                   UssdAnswer::Kind::Done,
                                   "Saldo Rp5000",
                                   {kText, kPacked},
                                   UssdWire::Packed,
                                   true},
                      // The network's "not supported" is its answer: the
                      // code is not sent a second time, packed.
                      DialogueCase{"ZTE MF190 passes text on as garbage: the network's answer stands",
                                   UssdWire::Unknown,
                                   {{kText, Answered("+CUSD: 4")},
                                    {kPacked, Answered("+CUSD: 0,\"D3309BFC0649E135180C06\",15")}},
                                   UssdAnswer::Kind::NotSupported,
                                   "",
                                   {kText},
                                   UssdWire::Unknown,
                                   false},
                      DialogueCase{"a code the network does not know is asked once",
                                   UssdWire::Unknown,
                                   {{kText, Answered("+CUSD: 4")}, {kPacked, Answered("+CUSD: 4")}},
                                   UssdAnswer::Kind::NotSupported,
                                   "",
                                   {kText},
                                   UssdWire::Unknown,
                                   false},
                      DialogueCase{"Huawei E3131 without USSD: operation not supported",
                                   UssdWire::Unknown,
                                   {{kText, Now("\r\n+CME ERROR: 4\r\n")},
                                    {kPacked, Answered("+CUSD: 0,\"D3309BFC0649E135180C06\",15")}},
                                   UssdAnswer::Kind::Refused,
                                   "",
                                   {kText},
                                   UssdWire::Unknown,
                                   false},
                      DialogueCase{"Sierra MC7304 words it",
                                   UssdWire::Unknown,
                                   {{kText, Now("\r\n+CME ERROR: operation not supported\r\n")}},
                                   UssdAnswer::Kind::Refused,
                                   "",
                                   {kText},
                                   UssdWire::Unknown,
                                   false},
                      DialogueCase{"Wavecom Q2687 answers +CMS ERROR: 303",
                                   UssdWire::Unknown,
                                   {{kText, Now("\r\n+CMS ERROR: 303\r\n")}},
                                   UssdAnswer::Kind::Refused,
                                   "",
                                   {kText},
                                   UssdWire::Unknown,
                                   false},
                      DialogueCase{"+CME ERROR: 40 is a refusal like any other",
                                   UssdWire::Unknown,
                                   {{kText, Now("\r\n+CME ERROR: 40\r\n")},
                                    {kPacked, Answered("+CUSD: 0,\"D3309BFC0649E135180C06\",15")}},
                                   UssdAnswer::Kind::Done,
                                   "Saldo Rp5000",
                                   {kText, kPacked},
                                   UssdWire::Packed,
                                   true},
                      DialogueCase{"Huawei E1550 remembered as packed is asked packed at once",
                                   UssdWire::Packed,
                                   {{kPacked, Answered("+CUSD: 0,\"D3309BFC0649E135180C06\",15")}},
                                   UssdAnswer::Kind::Done,
                                   "Saldo Rp5000",
                                   {kPacked},
                                   UssdWire::Packed,
                                   false},
                      DialogueCase{"Telit GL865 answers before its OK",
                                   UssdWire::Unknown,
                                   {{kText, Now("\r\n+CUSD: 0,\"Saldo\",15\r\n\r\nOK\r\n")}},
                                   UssdAnswer::Kind::Done,
                                   "Saldo",
                                   {kText},
                                   UssdWire::Text,
                                   true},
                      DialogueCase{"a text modem known as such that refuses is not asked packed",
                                   UssdWire::Text,
                                   {{kText, Now("\r\nERROR\r\n")}},
                                   UssdAnswer::Kind::Refused,
                                   "",
                                   {kText},
                                   UssdWire::Text,
                                   false},
                      DialogueCase{
                          "a Sierra MC8775 where a Huawei of the same name was: packed refused, text taken",
                          UssdWire::Packed,
                          {{kPacked, Now("\r\n+CME ERROR: 100\r\n")},
                           {kText, Answered("+CUSD: 0,\"Sisa pulsa Rp 12.500\",15")}},
                          UssdAnswer::Kind::Done,
                          "Sisa pulsa Rp 12.500",
                          {kPacked, kText},
                          UssdWire::Text,
                          true,
                          true},
                      DialogueCase{"a code no modem of that name knows: asked once, the wire kept",
                                   UssdWire::Packed,
                                   {{kPacked, Answered("+CUSD: 4")}, {kText, Answered("+CUSD: 4")}},
                                   UssdAnswer::Kind::NotSupported,
                                   "",
                                   {kPacked},
                                   UssdWire::Packed,
                                   false,
                                   true},
                      DialogueCase{"a modem of that name without USSD: asked once, the wire kept",
                                   UssdWire::Packed,
                                   {{kPacked, Now("\r\n+CME ERROR: 4\r\n")},
                                    {kText, Answered("+CUSD: 0,\"Sisa pulsa Rp 12.500\",15")}},
                                   UssdAnswer::Kind::Refused,
                                   "",
                                   {kPacked},
                                   UssdWire::Packed,
                                   false,
                                   true},
                      DialogueCase{"packed set by the user and refused is not asked as text",
                                   UssdWire::Packed,
                                   {{kPacked, Now("\r\nERROR\r\n")}},
                                   UssdAnswer::Kind::Refused,
                                   "",
                                   {kPacked},
                                   UssdWire::Packed,
                                   false},
                      DialogueCase{"the network ends the session without a word",
                                   UssdWire::Text,
                                   {{kText, Answered("+CUSD: 2")}},
                                   UssdAnswer::Kind::EndedByNetwork,
                                   "",
                                   {kText},
                                   UssdWire::Text,
                                   false}),
    [](const auto& info) { return CaseName(info.index, info.param.modem); });

TEST_F(UssdSession, AMenuTakesItsReplyAndAnUnansweredOneIsEnded) {
    Connected();
    port.Once(Request("*888#"), Answered("+CUSD: 1,\"1. Paket data\n2. Pulsa\",15"));
    port.Once(Request("1"), Answered("+CUSD: 1,\"Yakin? 1. Ya\",15"));
    port.On(kEnd, Now("\r\nOK\r\n"));
    UssdDialogue dialogue(session, UssdWire::Text, 10000);
    const UssdAnswer menu = dialogue.Send("*888#");
    EXPECT_EQ(menu.kind, UssdAnswer::Kind::Asks);
    EXPECT_EQ(menu.text, "1. Paket data\n2. Pulsa");
    EXPECT_TRUE(dialogue.Open());
    EXPECT_EQ(dialogue.Send("1").kind, UssdAnswer::Kind::Asks);
    dialogue.End();
    EXPECT_FALSE(dialogue.Open());
    EXPECT_EQ(Written(), (std::vector<std::string>{Request("*888#"), Request("1"), kEnd}));
}

TEST_F(UssdSession, NoAnswerWithinTheWaitEndsTheSession) {
    Connected();
    port.Once(kText, Now("\r\nOK\r\n"));
    port.On(kEnd, Now("\r\nOK\r\n"));
    UssdDialogue dialogue(session, UssdWire::Text, 30000);
    const std::int64_t before = clock.NowMs();
    EXPECT_EQ(dialogue.Send("*123#").kind, UssdAnswer::Kind::NoAnswer);
    EXPECT_GE(clock.NowMs() - before, 30000);
    EXPECT_LT(clock.NowMs() - before, 30000 + 100);
    dialogue.End();
    EXPECT_EQ(Written(), (std::vector<std::string>{kText, kEnd}));
}

TEST_F(UssdSession, AStopEndsTheWaitAtOnce) {
    Connected();
    port.Once(kText, Now("\r\nOK\r\n"));
    port.On(kEnd, Now("\r\nOK\r\n"));
    UssdDialogue dialogue(session, UssdWire::Text, 30000);
    const std::int64_t before = clock.NowMs();
    int asked = 0;
    EXPECT_EQ(dialogue.Send("*123#", [&] { return ++asked > 3; }).kind, UssdAnswer::Kind::Stopped);
    EXPECT_LT(clock.NowMs() - before, 1000);
    dialogue.End();
    EXPECT_EQ(Written(), (std::vector<std::string>{kText, kEnd}));
}

// A late answer of a session that was given up is not the next one's.
TEST_F(UssdSession, ALateAnswerOfAnEndedSessionIsNotTheNextOnes) {
    Connected();
    port.Once(kText, {{0, "\r\nOK\r\n"}, {3000, "\r\n+CUSD: 0,\"late\",15\r\n"}});
    port.Once(Request("*888#"), Answered("+CUSD: 0,\"menu\",15", 500));
    port.On(kEnd, Now("\r\nOK\r\n"));
    UssdDialogue first(session, UssdWire::Text, 2000);
    EXPECT_EQ(first.Send("*123#").kind, UssdAnswer::Kind::NoAnswer);
    first.End();
    clock.Advance(2000);
    UssdDialogue second(session, UssdWire::Text, 2000);
    EXPECT_EQ(second.Send("*888#").text, "menu");
}

// A network text broken with CR LF inside its quotes comes whole, even when
// its second half comes later; one whose quote never closes is handed over
// after a second, not at the end of the wait.
TEST_F(UssdSession, ATextBrokenInsideItsQuotesComesWhole) {
    Connected();
    port.Once(
        Request("*123#"),
        {{0, "\r\nOK\r\n"}, {1500, "\r\n+CUSD: 0,\"Pulsa Rp 5000\r\n"}, {1800, "Aktif s/d 01-12\",15\r\n"}});
    port.Once(Request("*124#"), {{0, "\r\nOK\r\n"}, {500, "\r\n+CUSD: 0,\"Saldo Rp 7000\r\n"}});
    port.On(kEnd, Now("\r\nOK\r\n"));
    UssdDialogue whole(session, UssdWire::Text, 30000);
    EXPECT_EQ(whole.Send("*123#").text, "Pulsa Rp 5000\nAktif s/d 01-12");
    whole.End();
    UssdDialogue open(session, UssdWire::Text, 30000);
    const std::int64_t before = clock.NowMs();
    const UssdAnswer cut = open.Send("*124#");
    EXPECT_NE(cut.kind, UssdAnswer::Kind::NoAnswer);
    EXPECT_NE(cut.text.find("Saldo Rp 7000"), std::string::npos) << cut.text;
    EXPECT_LT(clock.NowMs() - before, 500 + 1000 + 100);
    open.End();
}

TEST_F(UssdSession, RequestsThatCannotBeSentAreRefusedUnwritten) {
    Connected();
    UssdDialogue dialogue(session, UssdWire::Unknown, 1000);
    for (const std::string& bad :
         {std::string(), std::string("*123\"#"), std::string("*123#\r"), std::string(183, '1')})
        EXPECT_EQ(dialogue.Send(bad).kind, UssdAnswer::Kind::BadRequest) << bad;
    UssdDialogue packed(session, UssdWire::Packed, 1000);
    EXPECT_EQ(packed.Send("*123*\xE2\x98\xBA#").kind, UssdAnswer::Kind::BadRequest);
    EXPECT_TRUE(Written().empty());
}

TEST_F(UssdSession, AnAnswerPastItsLimitIsRefusedAndNamedByItsStart) {
    Connected();
    const std::string line = "+CUSD: 0,\"" + std::string(kUssdStringLimit + 1, 'A') + "\",15";
    port.Once(kText, Answered(line));
    port.On(kEnd, Now("\r\nOK\r\n"));
    UssdDialogue dialogue(session, UssdWire::Text, 10000);
    const UssdAnswer a = dialogue.Send("*123#");
    EXPECT_EQ(a.kind, UssdAnswer::Kind::Unreadable);
    EXPECT_EQ(a.detail, line.substr(0, 80) + "...");
    EXPECT_EQ(a.text, "");
    // Whatever the network meant, it is told the session is over.
    dialogue.End();
    EXPECT_EQ(Written(), (std::vector<std::string>{kText, kEnd}));
}

TEST_F(UssdSession, TheClassicDialogueCannotWaitForTheAnswer) {
    Connected();
    session.SetDialogue(Dialogue::Classic);
    UssdDialogue dialogue(session, UssdWire::Text, 1000);
    EXPECT_EQ(dialogue.Send("*123#").kind, UssdAnswer::Kind::NeedsFast);
    EXPECT_TRUE(Written().empty());
}

} // namespace
} // namespace velmora::testing
