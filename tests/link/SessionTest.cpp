#include "SessionFixture.h"

namespace velmora::testing {
namespace {

// The escape first: it takes back a phone a stopped run left at the PDU
// prompt, and a phone at its commands ignores it.
const std::vector<std::string> kConnectCommands = {"\x1B",      "ate0\r",    "at+cgmi\r", "at+cgmm\r",
                                                   "at+cgmr\r", "at+cimi\r", "at+csca?\r"};

TEST_F(SessionTest, ConnectSendsTheDialogueWithItsExactWaits) {
    ASSERT_TRUE(session.Connect(1, 19200));
    EXPECT_EQ(port.written(), kConnectCommands);
    EXPECT_EQ(clock.sleeps(), (std::vector<int>{1000, 1500, 200, 200, 200, 200, 200}));
    EXPECT_TRUE(port.dtr());
    EXPECT_TRUE(port.rts());
    EXPECT_EQ(port.Port(), "COM1");
    EXPECT_EQ(port.CustomBaudRate(), 19200);
    const PhoneIdentity expected{"VELMORA",
                                 "PhoneSim 1",
                                 "1.00",
                                 "510109876543210",
                                 "+CSCA: \"+628159000000\",145",
                                 /* the classic dialogue reads no IMEI, nor the network */ "", ""};
    EXPECT_EQ(session.Identity(), expected);
    EXPECT_FALSE(session.IsSiemens());
    EXPECT_EQ(events.status, (std::vector<std::string>{"Communication Port Open", "Initialization",
                                                       "Get manufacture id code", "Get model id code",
                                                       "Get GSM telephone version", "Get IMSI",
                                                       "Get SMS Service Center", "Initialization Complete"}));
    EXPECT_EQ(events.states, (std::vector<SessionState>{SessionState::PortOpen, SessionState::Connected}));
    EXPECT_EQ(events.polling, std::vector<bool>{true});
    EXPECT_EQ(events.bars, std::vector<int>{3});
    EXPECT_TRUE(session.PhoneBookStale());
    EXPECT_TRUE(session.OperatorListStale());
    EXPECT_TRUE(port.Led(LedSignal::Conn).state());
}

struct IdentityCase {
    const char* phone;
    std::string cgmi, cgmm; // the replies, as one poll takes them
    std::string manufacturer, model;
};

// The classic dialogue takes each reply's first line; a line the phone sent
// by itself in front of the answer is passed over, with the same commands
// and waits.
TEST_F(SessionTest, TheIdentityIsNotALineThePhoneSentByItself) {
    const IdentityCase cases[] = {
        {"SIMCom SIM900", "\r\nCall Ready\r\n\r\nSIMCOM_Ltd\r\n\r\nOK\r\n",
         "\r\n+PACSP0\r\n\r\nSIMCOM_SIM900\r\n\r\nOK\r\n", "SIMCOM_Ltd", "SIMCOM_SIM900"},
        {"Quectel M95", "\r\n+CPIN: READY\r\n\r\nSMS Ready\r\n\r\nQuectel\r\n\r\nOK\r\n",
         "\r\n+QIND: SMS DONE\r\nM95\r\n\r\nOK\r\n", "Quectel", "M95"},
        {"Wavecom Fastrack Supreme", "\r\n+WIND: 4\r\n\r\nWAVECOM MODEM\r\n\r\nOK\r\n",
         "\r\n+WIND: 7\r\n\r\nMULTIBAND  900E  1800\r\n\r\nOK\r\n", "WAVECOM MODEM", "MULTIBAND  900E  1800"},
        {"Motorola V3: its own prefix stays",
         "\r\n+CREG: 1\r\n\r\n+CGMI: \"Motorola CE, Copyright 2000\"\r\n",
         "\r\n+CGMM: \"GSM900\",\"GSM1800\",\"MODEL=V3\"\r\n\r\nOK\r\n",
         "+CGMI: \"Motorola CE, Copyright 2000\"", "+CGMM: \"GSM900\",\"GSM1800\",\"MODEL=V3\""},
        {"only a line of its own in the poll", "\r\nCall Ready\r\n", "\r\n^RSSI:17\r\n", "", ""},
        {"an echo is still the first line", "at+cgmi\r\r\nCall Ready\r\n\r\nNokia\r\n", "\r\nNokia 6230i\r\n",
         "at+cgmi\r", "Nokia 6230i"},
    };
    for (const auto& c : cases) {
        port.On("at+cgmi\r", Now(c.cgmi));
        port.On("at+cgmm\r", Now(c.cgmm));
        clock.clear();
        ASSERT_TRUE(session.Connect(1, 19200)) << c.phone;
        EXPECT_EQ(session.Identity().Manufacturer, c.manufacturer) << c.phone;
        EXPECT_EQ(session.Identity().Model, c.model) << c.phone;
        EXPECT_EQ(clock.sleeps(), (std::vector<int>{1000, 1500, 200, 200, 200, 200, 200})) << c.phone;
        session.Disconnect();
    }
}

// A phone left at the PDU prompt answers the escape ("OK" on many) during
// the settling pause: that answer is not taken for ate0's. Each connect
// sends it, a reconnect too, in either dialogue, without a pause of its own.
TEST_F(SessionTest, EveryConnectEscapesAPduThePhoneMayStillWaitFor) {
    for (const Dialogue dialogue : {Dialogue::Classic, Dialogue::Fast}) {
        session.SetDialogue(dialogue);
        port.On("AT\r", Now("\r\nOK\r\n"));
        port.On("\x1B", Now("\r\nOK\r\n"));
        port.On("ate0\r", {});
        const std::size_t before = port.written().size();
        clock.clear();
        EXPECT_FALSE(session.Connect(1, 19200));
        const std::vector<std::string> written(port.written().begin() + static_cast<std::ptrdiff_t>(before),
                                               port.written().end());
        ASSERT_GE(written.size(), 2u);
        EXPECT_EQ(written[0], "\x1B");
        EXPECT_EQ(written[1], dialogue == Dialogue::Classic ? "ate0\r" : "AT\r");
        EXPECT_EQ(clock.sleeps().front(),
                  dialogue == Dialogue::Classic ? 1000 : PhoneSession::kFast.settleMs);
        EXPECT_EQ(events.lastStatus(), "No Response From Mobile Phone !");
        // A phone that answers connects, and its reconnect escapes as well.
        port.On("ate0\r", Now("\r\nOK\r\n"));
        ASSERT_TRUE(session.Connect(1, 19200));
        session.Disconnect();
        const std::size_t again = port.written().size();
        ASSERT_TRUE(session.Connect(1, 19200));
        EXPECT_EQ(port.written()[again], "\x1B");
        session.Disconnect();
    }
}

TEST_F(SessionTest, ConnectUsesThePortAndSpeedOfTheSettings) {
    ASSERT_TRUE(session.Connect(260 & 0xFF, 9600));
    EXPECT_EQ(port.Port(), "COM4");
    EXPECT_EQ(port.CustomBaudRate(), 9600);
}

TEST_F(SessionTest, AnEchoingPhoneStillConnects) {
    port.On("ate0\r", Now("ate0\r\r\nOK\r\n"));
    EXPECT_TRUE(session.Connect(1, 19200));
    EXPECT_TRUE(session.IsConnected());
}

TEST_F(SessionTest, NoOkToEchoOffClosesThePortAfterFivePolls) {
    port.On("ate0\r", {});
    EXPECT_FALSE(session.Connect(1, 19200));
    EXPECT_EQ(port.written(), (std::vector<std::string>{"\x1B", "ate0\r"}));
    EXPECT_EQ(clock.sleeps(), Join({{1000}, Times(5, 1500)}));
    EXPECT_FALSE(session.IsConnected());
    EXPECT_EQ(events.lastStatus(), "No Response From Mobile Phone !");
    EXPECT_TRUE(events.polling.empty());
    EXPECT_TRUE(events.states.empty());
    EXPECT_FALSE(port.Led(LedSignal::Conn).state());
}

TEST_F(SessionTest, APhoneThatRefusesEchoOffSaysWhyAfterTheStatus) {
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"\r\n+CME ERROR: SIM PIN required\r\n",
         {"+CME ERROR: SIM PIN required; use Fast Dialogue to enter the PIN"}},
        {"ate0\r\r\n+CME ERROR: 13\r\n", {"+CME ERROR: 13 (SIM failure)"}},
        {"\r\nERROR\r\n", {}},
        {"", {}},
    };
    for (const auto& [answer, refused] : cases) {
        port.On("ate0\r", Now(answer));
        events = RecordingEvents();
        EXPECT_FALSE(session.Connect(1, 19200)) << answer;
        EXPECT_EQ(events.lastStatus(), "No Response From Mobile Phone !") << answer;
        EXPECT_EQ(events.refused, refused) << answer;
        EXPECT_FALSE(session.IsConnected()) << answer;
    }
}

TEST_F(SessionTest, ALateOkToEchoOffIsTakenAtTheFirstNonEmptyPoll) {
    port.On("ate0\r", {{4000, "\r\nOK\r\n"}});
    EXPECT_TRUE(session.Connect(1, 19200));
    EXPECT_EQ(clock.sleeps(), Join({{1000}, Times(3, 1500), Times(5, 200)}));
}

TEST_F(SessionTest, AReplySplitAcrossPollsShiftsTheIdentityFields) {
    // Only the leading line break of the maker's answer is there at the first
    // poll; the rest is read as the start of the model's answer.
    port.On("at+cgmi\r", {{0, "\r\n"}, {250, "SIEMENS\r\n\r\nOK\r\n"}});
    port.On("at+cgmm\r", {{100, "\r\nS45\r\n\r\nOK\r\n"}});
    ASSERT_TRUE(session.Connect(1, 19200));
    EXPECT_EQ(session.Identity().Manufacturer, "");
    EXPECT_EQ(session.Identity().Model, "SIEMENS");
    EXPECT_FALSE(session.IsSiemens());
}

TEST_F(SessionTest, SiemensIsFoundInTheUpperCasedMaker) {
    const std::pair<std::string, bool> cases[] = {
        {"SIEMENS", true}, {"Siemens AG", true}, {"siemens", true}, {"Nokia", false}, {"ERROR", false}};
    for (const auto& [maker, siemens] : cases) {
        AnswerIdentity(maker);
        ASSERT_TRUE(session.Connect(1, 19200));
        EXPECT_EQ(session.Identity().Manufacturer, maker);
        EXPECT_EQ(session.IsSiemens(), siemens) << maker;
        session.Disconnect();
    }
}

TEST_F(SessionTest, EmptyIdentityRepliesStoreEmptyFields) {
    port.On("at+cimi\r", {});
    port.On("at+csca?\r", Now("\r\nERROR\r\n"));
    ASSERT_TRUE(session.Connect(1, 19200));
    EXPECT_EQ(session.Identity().IMSI, "");
    EXPECT_EQ(session.Identity().ServiceCentre, "ERROR");
    EXPECT_EQ(clock.sleeps(), Join({{1000, 1500, 200, 200, 200}, Times(10, 200), {200}}));
}

TEST_F(SessionTest, APortThatCannotBeOpenedLeavesTheSessionDisconnected) {
    port.FailOn(ScriptedPort::Op::Open, 1, kErrOpen);
    EXPECT_FALSE(session.Connect(7, 19200));
    EXPECT_TRUE(port.written().empty());
    EXPECT_EQ(events.status, std::vector<std::string>{"Unable to open port 7 !"});
    ASSERT_EQ(events.linkErrors.size(), 1u);
    EXPECT_EQ(events.linkErrors[0], "Unable to open com port (Input/output error)");
    EXPECT_FALSE(session.IsConnected());
    EXPECT_FALSE(port.Led(LedSignal::Conn).state());
}

TEST_F(SessionTest, ALinkErrorDuringIdentityClosesThePortAndTheIcon) {
    port.FailOn(ScriptedPort::Op::Write, 4, kErrWrite); // at+cgmm, after the escape and ate0
    EXPECT_FALSE(session.Connect(1, 19200));
    EXPECT_FALSE(session.IsConnected());
    EXPECT_EQ(events.lastStatus(), "Unable to open port 1 !");
    EXPECT_EQ(events.states, (std::vector<SessionState>{SessionState::PortOpen, SessionState::Disconnected}));
    EXPECT_EQ(session.Identity().Manufacturer, "VELMORA"); // read before the error, kept
    EXPECT_TRUE(events.polling.empty());
}

TEST_F(SessionTest, ConnectWhileConnectedOnlySaysSo) {
    Connected();
    EXPECT_TRUE(session.Connect(2, 19200));
    EXPECT_TRUE(Written().empty());
    EXPECT_EQ(events.status,
              std::vector<std::string>{"Port 2 already open, please disconnect first before you "
                                       "want to use another serial port !"});
    EXPECT_EQ(events.bars, std::vector<int>{3});
    EXPECT_EQ(port.opens(), 1);
}

TEST_F(SessionTest, DisconnectClosesAndSwitchesEverythingOff) {
    Connected();
    session.Disconnect();
    EXPECT_FALSE(session.IsConnected());
    EXPECT_EQ(events.status, std::vector<std::string>{"Communication Port Close"});
    EXPECT_EQ(events.polling, std::vector<bool>{false});
    EXPECT_EQ(events.states, std::vector<SessionState>{SessionState::Disconnected});
    EXPECT_EQ(session.Identity().Manufacturer, "VELMORA"); // kept after a disconnect
    session.Disconnect();                                  // and once more, while closed
    EXPECT_EQ(events.lastStatus(), "Communication Port Close");
    EXPECT_TRUE(Written().empty());
}

TEST_F(SessionTest, AwaitReplyGivesTheFirstNonEmptyChunkOnly) {
    Connected();
    port.On("x\r", {{250, "first"}, {700, "second"}});
    port.SendText("x\r");
    EXPECT_EQ(session.AwaitReply(200, 5), "first");
    EXPECT_EQ(clock.sleeps(), (std::vector<int>{200, 200}));
    EXPECT_EQ(session.AwaitReply(200, 5), "second"); // left for the next exchange
    std::string target = "kept:";
    session.CollectReplies(target, 100, 3);
    EXPECT_EQ(target, "kept:");
    EXPECT_EQ(clock.total(), 400 + 400 + 300);
}

TEST_F(SessionTest, CollectRepliesAppendsEveryChunkAndNeverEndsEarly) {
    Connected();
    port.On("y\r", {{0, "a"}, {150, "b"}, {160, "c"}, {999, "late"}});
    port.SendText("y\r");
    std::string target;
    session.CollectReplies(target, 100, 5);
    EXPECT_EQ(target, "abc");
    EXPECT_EQ(clock.sleeps(), Times(5, 100));
}

} // namespace
} // namespace velmora::testing
