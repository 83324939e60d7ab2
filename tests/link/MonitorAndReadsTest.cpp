#include "SessionFixture.h"
#include "TestNames.h"

#include <atomic>

namespace velmora::testing {
namespace {

struct PollCase {
    std::string answer;
    std::string quality; // labels, signal class and BER gauge
};

class SignalPoll : public SessionTest, public ::testing::WithParamInterface<PollCase> {};

TEST_P(SignalPoll, ShowsTheCutTextsAndTheClassWithoutWaitingForTheGauge) {
    const PollCase& c = GetParam();
    Connected();
    port.On("at+csq\r", Now(c.answer));
    session.SignalTick();
    EXPECT_EQ(Written(), std::vector<std::string>{"at+csq\r"});
    EXPECT_EQ(events.status, (std::vector<std::string>{"Check Signal", "Received Signal Strength Indication "
                                                                       "(RSSI) reading taken"}));
    EXPECT_EQ(events.quality, std::vector<std::string>{c.quality});
    EXPECT_EQ(clock.sleeps(), std::vector<int>{200});
    EXPECT_EQ(session.SignalFailures(), 0);
}

INSTANTIATE_TEST_SUITE_P(Answers, SignalPoll,
                         ::testing::Values(PollCase{"\r\n+CSQ: 17,99\r\n\r\nOK\r\n", "[17]|[99]|3|0"},
                                           PollCase{"\r\n+CSQ: 31,0\r\n\r\nOK\r\n", "[31]|[0\r]|4|1"},
                                           PollCase{"\r\n+CSQ: 0,7\r\n\r\nOK\r\n", "[0]|[7\r]|1|1"},
                                           PollCase{"\r\n+CSQ: 99,99\r\n\r\nOK\r\n", "[99]|[99]|0|0"},
                                           PollCase{"\r\n+CSQ:17,99\r\n\r\nOK\r\n", "[7]|[99]|3|0"}),
                         [](const auto& info) {
                             return velmora::testing::CaseName(info.index, info.param.answer);
                         });

TEST_F(SessionTest, ThreeFailedPollsDisconnectEvenWithGoodOnesBetween) {
    Connected();
    port.On("at+csq\r", {});
    port.Once("at+csq\r", Now("\r\nERROR\r\n"));
    session.SignalTick();
    EXPECT_EQ(events.lastStatus(), "Unable to get RSSI (1), please check data cable connection !");
    EXPECT_EQ(events.quality.back(), "[99]|[99]|0|0");
    port.Once("at+csq\r", Now("\r\n+CSQ: 17,99\r\n"));
    session.SignalTick(); // a good poll does not reset the count
    EXPECT_EQ(session.SignalFailures(), 1);
    Forget();
    session.SignalTick(); // no answer at all: five polls of 200 ms
    EXPECT_EQ(clock.sleeps(), Times(5, 200));
    EXPECT_EQ(events.lastStatus(), "Unable to get RSSI (2), please check data cable connection !");
    EXPECT_TRUE(session.IsConnected());
    session.SignalTick();
    EXPECT_FALSE(session.IsConnected());
    EXPECT_EQ(events.lastStatus(), "Communication Port Close");
    EXPECT_EQ(session.SignalFailures(), 0);
}

TEST_F(SessionTest, APartOfTheAnswerWithoutTheMarkerCountsAsAFailure) {
    Connected();
    port.On("at+csq\r", {{100, "\r\n+CS"}, {300, "Q: 17,99\r\n"}});
    session.SignalTick();
    EXPECT_EQ(session.SignalFailures(), 1);
}

TEST_F(SessionTest, APulledCableDuringAPollDisconnectsOnceWithTheReason) {
    Connected();
    port.FailOn(ScriptedPort::Op::LineSignals, 1, kErrModemStatus);
    session.SignalTick();
    EXPECT_FALSE(session.IsConnected());
    EXPECT_TRUE(Written().empty());
    EXPECT_EQ(events.lastStatus(), "Connection to the phone lost (GetCommModemStatus function failed "
                                   "(Input/output error)), please check data cable connection !");
    EXPECT_EQ(events.polling, std::vector<bool>{false});
    EXPECT_EQ(events.states, std::vector<SessionState>{SessionState::Disconnected});
    Forget();
    session.SignalTick(); // a tick queued before the disconnect does nothing
    EXPECT_TRUE(events.status.empty());
    EXPECT_TRUE(Written().empty());
}

std::string Entry(int n, const std::string& number, const std::string& name) {
    return "\r\n+CPBR: " + std::to_string(n) + ",\"" + number + "\",129,\"" + name + "\"\r\n\r\nOK\r\n";
}
const std::string kEmpty = "\r\n+CME ERROR: 22\r\n";

TEST_F(SessionTest, ThePhonebookReadStopsAfterFiveMissesInARow) {
    Connected();
    port.OnAnyOther(Now(kEmpty));
    port.On("at+cpbr=1\r", Now(Entry(1, "0812", "Ann")));
    port.On("at+cpbr=2\r", Now(Entry(2, "0813", "Sari, office")));
    port.On("at+cpbr=3\r", Now(Entry(3, "0814", "Budi")));
    port.On("at+cpbr=9\r", Now(Entry(9, "0819", "Never read")));
    const auto entries = session.ReadPhonebook();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[1].name, "Sari, office");
    EXPECT_EQ(entries[2].index, "3");
    EXPECT_EQ(events.contacts.size(), 3u);
    ASSERT_EQ(Written().size(), 8u);
    EXPECT_EQ(Written().back(), "at+cpbr=8\r");
    EXPECT_EQ(clock.sleeps(), Times(8, 300));
    EXPECT_EQ(events.status[0], "Get contact from SIM (1)");
    EXPECT_EQ(events.lastStatus(), "Found (3) Contacts");
    EXPECT_EQ(events.polling, (std::vector<bool>{false, true}));
    EXPECT_FALSE(session.PhoneBookStale());
}

TEST_F(SessionTest, AnEmptySimGivesNoContactsAndSilentSlotsCostFivePolls) {
    Connected();
    port.OnAnyOther({});
    EXPECT_TRUE(session.ReadPhonebook().empty());
    EXPECT_EQ(Written().size(), 5u);
    EXPECT_EQ(clock.sleeps(), Times(25, 300));
    EXPECT_EQ(events.lastStatus(), "Found (0) Contacts");
}

TEST_F(SessionTest, AFullSimIsReadToIndex300) {
    Connected();
    for (int n = 1; n <= 301; ++n)
        port.On("at+cpbr=" + std::to_string(n) + "\r", Now(Entry(n, "1", "x")));
    EXPECT_EQ(session.ReadPhonebook().size(), 300u);
    EXPECT_EQ(events.lastStatus(), "Get contact from SIM (300)");
}

TEST_F(SessionTest, ALinkErrorDuringThePhonebookEndsTheReadAndDisconnects) {
    Connected();
    port.OnAnyOther(Now(Entry(1, "1", "x")));
    port.FailOn(ScriptedPort::Op::Write, 4, kErrWrite);
    EXPECT_EQ(session.ReadPhonebook().size(), 3u);
    EXPECT_FALSE(session.IsConnected());
    EXPECT_EQ(events.polling.back(), false);
    EXPECT_NE(events.lastStatus().find("Connection to the phone lost"), std::string::npos);
}

TEST_F(SessionTest, TheOperatorListIsCollectedForTenSeconds) {
    Connected();
    port.On("at+copn\r", {{50, "\r\n+COPN: \"51001\",\"INDOSAT\"\r\n"},
                          {2000, "+COPN: \"51011\",\"XL, Axiata\"\r\n"},
                          {9950, "\r\nOK\r\n+COPN: \"1\",\"no line end\""},
                          {10001, "+COPN: \"2\",\"too late\"\r\n"}});
    const auto list = session.GetProvider();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].item(), "51001  INDOSAT");
    EXPECT_EQ(list[1].item(), "51011  XL, Axiata");
    EXPECT_EQ(Written(), std::vector<std::string>{"at+copn\r"});
    EXPECT_EQ(clock.sleeps(), Times(100, 100));
    EXPECT_EQ(events.status, std::vector<std::string>{"Get provider list"});
    EXPECT_EQ(events.polling, (std::vector<bool>{false, true}));
    EXPECT_FALSE(session.OperatorListStale());
}

// "&Disconnect" during a read: the exchange in progress ends, nothing more
// is asked, and what was read is kept.
TEST_F(SessionTest, AStopEndsAReadAfterTheExchangeInProgress) {
    Connected();
    port.OnAnyOther(Now(Entry(1, "1", "x")));
    std::atomic<bool> stopAsked{false};
    const StopRequested stop = [&] { return stopAsked.exchange(false); };
    events.onProgress = [&](int done) {
        if (done == 3)
            stopAsked = true;
    };
    EXPECT_EQ(session.ReadPhonebook(stop).size(), 3u);
    EXPECT_TRUE(session.ReadStopped());
    EXPECT_EQ(Written().back(), "at+cpbr=3\r");
    EXPECT_EQ(events.progress.back(), std::make_pair(3, 300));
    EXPECT_EQ(events.polling.back(), true);

    Forget();
    events.onProgress = [&](int done) {
        if (done == 30)
            stopAsked = true;
    };
    session.GetProvider(stop);
    EXPECT_TRUE(session.ReadStopped());
    EXPECT_EQ(clock.sleeps(), Times(30, 100));

    // A stop asked for before a read starts ends it before its first
    // exchange, and is used up by it.
    Forget();
    events.onProgress = nullptr;
    stopAsked = true;
    EXPECT_TRUE(session.ReadPhonebook(stop).empty());
    EXPECT_TRUE(session.ReadStopped());
    EXPECT_TRUE(Written().empty());

    Forget();
    session.GetProvider(stop); // the next read starts afresh
    EXPECT_FALSE(session.ReadStopped());
    EXPECT_EQ(clock.sleeps(), Times(100, 100));
}

TEST_F(SessionTest, ALinkErrorDuringTheOperatorListDisconnects) {
    Connected();
    port.FailOn(ScriptedPort::Op::Receive, 40, kErrRead);
    EXPECT_TRUE(session.GetProvider().empty());
    EXPECT_FALSE(session.IsConnected());
    EXPECT_EQ(clock.sleeps(), Times(40, 100));
}

} // namespace
} // namespace velmora::testing
