// The messages stored in the phone and on the SIM: the read of both stores
// in either dialogue, the checked delete and the announced arrivals.

#include "SessionFixture.h"
#include "SimPhone.h"

#include <filesystem>

namespace velmora::testing {
namespace {

// From +628569999999 (24 octets after the service-centre part), and one sent
// to it (18).
const std::string kDeliver = "0791261895000000040C9126589699999900006221801200008205C8329BFD06";
const std::string kSubmit = "0001000C91265896999999000005C8329BFD06";
const std::string kOk = "\r\nOK\r\n";

class StoredMessagesTest : public SessionTest {
protected:
    StoredMessagesTest() {
        port.On("AT\r", Now(kOk));
        port.On("AT+CPIN?\r", Now("\r\n+CPIN: READY\r\n" + kOk));
        port.On("AT+CMGF=0\r", Now(kOk));
        port.On("AT+CPMS=?\r", Now("\r\n+CPMS: (\"SM\",\"ME\"),(\"SM\",\"ME\"),(\"SM\",\"ME\")\r\n" + kOk));
        port.On("AT+CPMS=\"SM\"\r", Now("\r\n+CPMS: 2,30,2,30,2,30\r\n" + kOk));
        port.On("AT+CPMS=\"ME\"\r", Now("\r\n+CPMS: 1,50,2,30,2,30\r\n" + kOk));
        dir = TempDir("stored");
        log = dir + "/Received.Txt";
        session.SetReceivedLog(log);
        writeLogs = true;
    }
    ~StoredMessagesTest() override { std::filesystem::remove_all(dir); }

    void ConnectIn(Dialogue dialogue) {
        session.SetDialogue(dialogue);
        Connected();
    }
    // The received log as if an earlier read had logged `pdu`.
    void AlreadyLogged(const std::string& pdu) const {
        std::ofstream(log) << "08-12-2026 09:00:00 PM +628569999999 " << pdu << "\r\n";
    }
    std::vector<std::pair<std::string, std::string>> Received() const {
        std::vector<std::pair<std::string, std::string>> received;
        for (const auto& l : logs)
            if (l.first == log)
                received.push_back(l);
        return received;
    }

    std::string dir, log;
};

class ReadStoresTest : public StoredMessagesTest, public ::testing::WithParamInterface<Dialogue> {};

TEST_P(ReadStoresTest, readsTheSimThenThePhoneAndLogsEachMessageOnce) {
    ConnectIn(GetParam());
    // The SIM's list takes three seconds to come, the phone's is at once.
    port.Once("AT+CMGL=4\r", {{10, "\r\n+CMGL: 1,0,,24\r\n" + kDeliver},
                              {3000, "\r\n+CMGL: 4,3,,18\r\n" + kSubmit + "\r\n" + kOk}});
    port.Once("AT+CMGL=4\r", Now("\r\n+CMGL: 1,1,,24\r\n" + kDeliver + "\r\n" + kOk));
    AlreadyLogged(kSubmit);
    const std::vector<StoredMessage> read = session.ReadStoredMessages();
    EXPECT_EQ(read, (std::vector<StoredMessage>{
                        {"SM", 1, 0, kDeliver}, {"SM", 4, 3, kSubmit}, {"ME", 1, 1, kDeliver}}));
    EXPECT_EQ(Written(), (std::vector<std::string>{"AT+CPMS=?\r", "AT+CPMS=\"SM\"\r", "AT+CMGF=0\r",
                                                   "AT+CMGL=4\r", "AT+CPMS=\"ME\"\r", "AT+CMGL=4\r"}));
    EXPECT_EQ(events.progress, (std::vector<std::pair<int, int>>{{0, 2}, {2, 2}, {2, 3}, {3, 3}}));
    // The copy in the phone and the message logged before are not logged again.
    EXPECT_EQ(Received(),
              (std::vector<std::pair<std::string, std::string>>{{log, "+628569999999 " + kDeliver}}));
    EXPECT_EQ(events.lastStatus(), "Found (3) Messages");
    EXPECT_FALSE(session.ReadStopped());
    EXPECT_EQ(events.polling, (std::vector<bool>{false, true}));
}

INSTANTIATE_TEST_SUITE_P(Dialogues, ReadStoresTest, ::testing::Values(Dialogue::Fast, Dialogue::Classic),
                         [](const auto& info) { return info.param == Dialogue::Fast ? "fast" : "classic"; });

TEST_F(StoredMessagesTest, aStopEndsTheReadBetweenTwoStores) {
    ConnectIn(Dialogue::Fast);
    port.On("AT+CMGL=4\r", Now("\r\n+CMGL: 1,0,,24\r\n" + kDeliver + "\r\n" + kOk));
    int asked = 0;
    const auto read = session.ReadStoredMessages([&] { return ++asked == 4; });
    EXPECT_EQ(read, (std::vector<StoredMessage>{{"SM", 1, 0, kDeliver}}));
    EXPECT_EQ(Written().back(), "AT+CMGL=4\r");
    EXPECT_TRUE(session.ReadStopped());
}

TEST_F(StoredMessagesTest, anUndecodableMessageIsLoggedWithoutItsNumber) {
    ConnectIn(Dialogue::Fast);
    port.On("AT+CPMS=?\r", Now("\r\n+CPMS: (\"SM\"),(\"SM\"),(\"SM\")\r\n" + kOk));
    port.On("AT+CMGL=4\r", Now("\r\n+CMGL: 1,0,,2\r\n00FFFF\r\n" + kOk));
    EXPECT_EQ(session.ReadStoredMessages().size(), 1u);
    EXPECT_EQ(Received(), (std::vector<std::pair<std::string, std::string>>{{log, "? 00FFFF"}}));
}

struct DeleteCase {
    const char* name;
    Chunks readAgain, deleteAnswer;
    std::string reason;
    bool deletes;
};

class DeleteTest : public StoredMessagesTest, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(DeleteTest, deletesOnlyWhatItRead) {
    const DeleteCase& c = GetParam();
    ConnectIn(Dialogue::Fast);
    port.On("AT+CMGR=2\r", c.readAgain);
    port.On("AT+CMGD=2\r", c.deleteAnswer);
    EXPECT_EQ(session.DeleteStoredMessage({"SM", 2, 1, kDeliver}), c.reason);
    std::vector<std::string> written{"AT+CPMS=\"SM\"\r", "AT+CMGF=0\r", "AT+CMGR=2\r"};
    if (c.deletes)
        written.push_back("AT+CMGD=2\r");
    EXPECT_EQ(Written(), written);
    EXPECT_TRUE(session.SignalPollingOn());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, DeleteTest,
    ::testing::Values(
        DeleteCase{"unchanged", Now("\r\n+CMGR: 1,,24\r\n" + kDeliver + "\r\n" + kOk), Now(kOk), "", true},
        DeleteCase{"changed", Now("\r\n+CMGR: 3,,18\r\n" + kSubmit + "\r\n" + kOk), Now(kOk),
                   "The SIM message 2 has changed since it was read; nothing was deleted", false},
        DeleteCase{"goneRefused", Now("\r\n+CMS ERROR: 321\r\n"), Now(kOk),
                   "The SIM message 2 is gone (+CMS ERROR: 321 (invalid memory index)); nothing was deleted",
                   false},
        DeleteCase{"goneEmpty", Now(kOk), Now(kOk), "The SIM message 2 is gone; nothing was deleted", false},
        DeleteCase{"deleteRefused", Now("\r\n+CMGR: 1,,24\r\n" + kDeliver + "\r\n" + kOk),
                   Now("\r\n+CMS ERROR: 500\r\n"),
                   "The phone did not delete the SIM message 2 (+CMS ERROR: 500 (unknown error))", true}),
    [](const auto& info) { return std::string(info.param.name); });

struct AnnounceCase {
    const char* name;
    bool reportsFirst; // the reports were routed before
    Chunks answer;     // to AT+CNMI=2,1,0,0,0
    bool asked;        // that was sent
    bool listening;
};

class AnnounceTest : public StoredMessagesTest, public ::testing::WithParamInterface<AnnounceCase> {};

TEST_P(AnnounceTest, asksOnceUnlessTheReportsDidAndCarriesOnWithout) {
    const AnnounceCase& c = GetParam();
    ConnectIn(Dialogue::Fast);
    port.On("AT+CNMI=2,1,0,1,0\r", Now(kOk));
    if (c.reportsFirst) {
        ASSERT_TRUE(session.RouteStatusReports());
    }
    port.On("AT+CNMI=2,1,0,0,0\r", c.answer);
    Forget();
    session.AnnounceNewMessages();
    EXPECT_EQ(Written(),
              c.asked ? std::vector<std::string>{"AT+CNMI=2,1,0,0,0\r"} : std::vector<std::string>{});
    EXPECT_EQ(session.Listening(), c.listening);
    EXPECT_TRUE(events.refused.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Phones, AnnounceTest,
    ::testing::Values(AnnounceCase{"accepted", false, Now(kOk), true, true},
                      AnnounceCase{"refused", false, Now("\r\n+CMS ERROR: 303\r\n"), true, false},
                      AnnounceCase{"askedWithTheReports", true, Now("\r\nERROR\r\n"), false, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StoredMessagesTest, eachAnnouncedMessageIsReadWhileIdleAndLoggedOnce) {
    ConnectIn(Dialogue::Fast);
    // The same message announced twice, a second and more after the request.
    port.On("AT+CNMI=2,1,0,0,0\r",
            {{0, kOk}, {1000, "\r\n+CMTI: \"SM\",3\r\n"}, {1200, "\r\n+CMTI: \"SM\",3\r\n"}});
    port.On("AT+CMGR=3\r", Now("\r\n+CMGR: 0,,24\r\n" + kDeliver + "\r\n" + kOk));
    session.AnnounceNewMessages();
    clock.Advance(2000);
    session.ReadUnsolicited();
    EXPECT_EQ(events.arrived, (std::vector<StoredMessage>(2, {"SM", 3, 0, kDeliver})));
    EXPECT_EQ(Written(), (std::vector<std::string>{"AT+CNMI=2,1,0,0,0\r", "AT+CPMS=\"SM\"\r", "AT+CMGF=0\r",
                                                   "AT+CMGR=3\r", "AT+CMGF=0\r", "AT+CMGR=3\r"}));
    EXPECT_EQ(Received(),
              (std::vector<std::pair<std::string, std::string>>{{log, "+628569999999 " + kDeliver}}));
}

} // namespace
} // namespace velmora::testing
