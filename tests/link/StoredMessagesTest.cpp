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
    }

    void ConnectIn(Dialogue dialogue) {
        session.SetDialogue(dialogue);
        Connected();
    }
};

class ReadStoresTest : public StoredMessagesTest, public ::testing::WithParamInterface<Dialogue> {};

TEST_P(ReadStoresTest, readsTheSimThenThePhone) {
    ConnectIn(GetParam());
    // The SIM's list takes three seconds to come, the phone's is at once.
    port.Once("AT+CMGL=4\r", {{10, "\r\n+CMGL: 1,0,,24\r\n" + kDeliver},
                              {3000, "\r\n+CMGL: 4,3,,18\r\n" + kSubmit + "\r\n" + kOk}});
    port.Once("AT+CMGL=4\r", Now("\r\n+CMGL: 1,1,,24\r\n" + kDeliver + "\r\n" + kOk));
    const std::vector<StoredMessage> read = session.ReadStoredMessages();
    EXPECT_EQ(read, (std::vector<StoredMessage>{
                        {"SM", 1, 0, kDeliver}, {"SM", 4, 3, kSubmit}, {"ME", 1, 1, kDeliver}}));
    EXPECT_EQ(Written(), (std::vector<std::string>{"AT+CPMS=?\r", "AT+CPMS=\"SM\"\r", "AT+CMGF=0\r",
                                                   "AT+CMGL=4\r", "AT+CPMS=\"ME\"\r", "AT+CMGL=4\r"}));
    EXPECT_EQ(events.progress, (std::vector<std::pair<int, int>>{{0, 2}, {2, 2}, {2, 3}, {3, 3}}));
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
                   "The phone did not delete the SIM message 2 (+CMS ERROR: 500 (unknown error))", true},
        // The read before the delete, in the shapes phones give it.
        DeleteCase{"SierraMC8795_indexRepeated", Now("\r\n+CMGR: 2,1,,24\r\n" + kDeliver + "\r\n" + kOk),
                   Now(kOk), "", true},
        DeleteCase{"NokiaN6230i_alpha", Now("\r\n+CMGR: 1,\"Budi, home\",24\r\n" + kDeliver + "\r\n" + kOk),
                   Now(kOk), "", true},
        DeleteCase{"SiemensMC35i_lengthAlone", Now("\r\n+CMGR: 24\r\n" + kDeliver + "\r\n" + kOk), Now(kOk),
                   "", true},
        DeleteCase{"HuaweiE1550_emptyStatus", Now("\r\n+CMGR: ,,24\r\n" + kDeliver + "\r\n" + kOk), Now(kOk),
                   "", true},
        DeleteCase{"ZteMF626_statusAndLength", Now("\r\n+CMGR: 0,23\r\n" + kDeliver + "\r\n" + kOk), Now(kOk),
                   "", true},
        DeleteCase{"HuaweiE1550_rssiInsideThePdu",
                   Now("\r\n+CMGR: 1,,24\r\n" + kDeliver.substr(0, 21) + "\r\n^RSSI:19\r\n" +
                       kDeliver.substr(21) + "\r\n" + kOk),
                   Now(kOk), "", true},
        DeleteCase{"TelitGL865_textMode",
                   Now("\r\n+CMGR: \"REC READ\",\"+628569999999\",,\"26/12/08,21:00:00+28\"\r\nHi\r\n" + kOk),
                   Now(kOk), "The phone gave the SIM message 2 as text, not as a PDU; nothing was deleted",
                   false},
        DeleteCase{"cutShort", Now("\r\n+CMGR: 1,,24\r\n" + kDeliver.substr(0, 50) + "\r\n" + kOk), Now(kOk),
                   "The SIM message 2 could not be read (its PDU is cut short); nothing was deleted", false}),
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

TEST_F(StoredMessagesTest, eachAnnouncedMessageIsReadWhileIdle) {
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
}

TEST_F(StoredMessagesTest, indexZeroIsAPlaceLikeAnyOther) {
    ConnectIn(Dialogue::Fast);
    port.On("AT+CPMS=?\r", Now("\r\n+CPMS: (\"SM\"),(\"SM\"),(\"SM\")\r\n" + kOk));
    port.On("AT+CMGL=4\r",
            Now("\r\n+CMGL: 0,0,,24\r\n" + kDeliver + "\r\n+CMGL: 1,3,,18\r\n" + kSubmit + "\r\n" + kOk));
    const std::vector<StoredMessage> read = session.ReadStoredMessages();
    EXPECT_EQ(read, (std::vector<StoredMessage>{{"SM", 0, 0, kDeliver}, {"SM", 1, 3, kSubmit}}));
    EXPECT_TRUE(session.StoreProblems().empty());
    port.On("AT+CMGR=0\r", Now("\r\n+CMGR: 0,1,,24\r\n" + kDeliver + "\r\n" + kOk));
    port.On("AT+CMGD=0\r", Now(kOk));
    Forget();
    EXPECT_EQ(session.DeleteStoredMessage(read.front()), "");
    EXPECT_EQ(Written(), (std::vector<std::string>{"AT+CMGF=0\r", "AT+CMGR=0\r", "AT+CMGD=0\r"}));
}

// What the phone answers to the storage questions, and what is read then.
struct StoresCase {
    const char* phone;
    std::vector<std::pair<std::string, Chunks>> answers; // beside the fixture's
    std::vector<std::string> written;
    std::vector<StoredMessage> read;
    std::vector<std::string> problems;
};

class StoresTest : public StoredMessagesTest,
                   public ::testing::WithParamInterface<std::tuple<StoresCase, Dialogue>> {};

TEST_P(StoresTest, readsTheStoresThePhoneHasAndNamesThoseItCouldNot) {
    const auto& [c, dialogue] = GetParam();
    ConnectIn(dialogue);
    port.On("AT+CMGL=4\r", Now("\r\n+CMGL: 1,0,,24\r\n" + kDeliver + "\r\n" + kOk));
    for (const auto& [command, answer] : c.answers)
        port.On(command, answer);
    EXPECT_EQ(session.ReadStoredMessages(), c.read);
    EXPECT_EQ(Written(), c.written);
    EXPECT_EQ(session.StoreProblems(), c.problems);
    EXPECT_EQ(events.lastStatus(), "Found (" + std::to_string(c.read.size()) + ") Messages");
}

const std::string kOffered = "AT+CPMS=?\r", kSelectSm = "AT+CPMS=\"SM\"\r", kSelectMe = "AT+CPMS=\"ME\"\r",
                  kMode = "AT+CMGF=0\r", kList = "AT+CMGL=4\r", kCurrent = "AT+CPMS?\r";

INSTANTIATE_TEST_SUITE_P(
    Phones, StoresTest,
    ::testing::Combine(
        ::testing::Values(
            StoresCase{"SierraMC8795_nestedLists",
                       {{kOffered, Now("\r\n+CPMS: ((\"SM\",\"BM\",\"SR\"),(\"SM\"))\r\n" + kOk)}},
                       {kOffered, kSelectSm, kMode, kList},
                       {{"SM", 1, 0, kDeliver}},
                       {}},
            StoresCase{"UbloxSara_emptyOfferReadsTheCurrentStoreThenSmThenMe",
                       {{kOffered, Now("\r\n+CPMS: \r\n" + kOk)},
                        {kCurrent, Now("\r\n+CPMS: \"ME\",1,50,\"ME\",1,50,\"SM\",2,30\r\n" + kOk)}},
                       {kOffered, kCurrent, kSelectMe, kMode, kList, kSelectSm, kList},
                       {{"ME", 1, 0, kDeliver}, {"SM", 1, 0, kDeliver}},
                       {}},
            StoresCase{"WavecomFastrack_noStoreNamedAndAGuessedOneMissing",
                       {{kOffered, Now("\r\nERROR\r\n")},
                        {kCurrent, Now("\r\nERROR\r\n")},
                        {kSelectMe, Now("\r\n+CMS ERROR: 302\r\n")}},
                       {kOffered, kCurrent, kSelectSm, kMode, kList, kSelectMe},
                       {{"SM", 1, 0, kDeliver}},
                       {}},
            StoresCase{"noStoreNamedNoneOpens",
                       {{kOffered, Now("\r\n+CPMS: \r\n" + kOk)},
                        {kCurrent, Now("\r\nERROR\r\n")},
                        {kSelectSm, Now("\r\nERROR\r\n")},
                        {kSelectMe, Now("\r\n+CMS ERROR: 302\r\n")}},
                       {kOffered, kCurrent, kSelectSm, kSelectMe},
                       {},
                       {"the SIM store (SM) could not be read: ERROR",
                        "the phone store (ME) could not be read: +CMS ERROR: 302 (operation not allowed)"}},
            StoresCase{"Nokia6230i_refusesTheSim",
                       {{kSelectSm, Now("\r\nERROR\r\n")}},
                       {kOffered, kSelectSm, kSelectMe, kMode, kList},
                       {{"ME", 1, 0, kDeliver}},
                       {"the SIM store (SM) could not be read: ERROR"}},
            StoresCase{"refusesPduMode",
                       {{kMode, Now("\r\nERROR\r\n")}},
                       {kOffered, kSelectSm, kMode},
                       {},
                       {"the phone refuses PDU mode (ERROR), so no message was read"}},
            StoresCase{"SiemensMC35i_refusesToListAFullStore",
                       {{kList, Now("\r\n+CMS ERROR: 500\r\n")}},
                       {kOffered, kSelectSm, kMode, kList, kSelectMe, kList},
                       {},
                       {"the SIM store (SM) could not be read: +CMS ERROR: 500 (unknown error)",
                        "the phone store (ME) could not be read: +CMS ERROR: 500 (unknown error)"}},
            StoresCase{"SiemensMC35i_refusesToListAnEmptyStore",
                       {{kSelectSm, Now("\r\n+CPMS: 0,30,0,30,0,30\r\n" + kOk)},
                        {kSelectMe, Now("\r\n+CPMS: 0,50,0,30,0,30\r\n" + kOk)},
                        {kList, Now("\r\n+CMS ERROR: 321\r\n")}},
                       {kOffered, kSelectSm, kMode, kList, kSelectMe, kList},
                       {},
                       {}},
            StoresCase{"QuectelM95_offersNoStoreAndNoneIsAskedFor",
                       {{kOffered, Now("\r\n+CPMS: (),(),()\r\n" + kOk)}},
                       {kOffered},
                       {},
                       {"the phone offers no message store, so no message was read"}},
            StoresCase{"ZteMF190_aLostQuoteStillNamesItsStore",
                       {{kOffered, Now("\r\n+CPMS: (ME\", \"SR\"),(ME\", \"SR\"),(ME\")\r\n" + kOk)},
                        {kSelectMe, Now("\r\n+CPMS: 1,50,1,50,1,50\r\n" + kOk)}},
                       {kOffered, kSelectMe, kMode, kList},
                       {{"ME", 1, 0, kDeliver}},
                       {}},
            StoresCase{"offersOnlyStoresVelmoraDoesNotRead",
                       {{kOffered, Now("\r\n+CPMS: (\"BM\",\"SR\"),(\"BM\"),(\"BM\")\r\n" + kOk)}},
                       {kOffered},
                       {},
                       {"the phone offers only BM, SR, none of them a store Velmora reads, so no message was "
                        "read"}},
            StoresCase{"SimcomSim800_offersSimAndPhoneTogether",
                       {{kOffered, Now("\r\n+CPMS: (\"MT\",\"BM\"),(\"MT\"),(\"MT\")\r\n" + kOk)},
                        {"AT+CPMS=\"MT\"\r", Now("\r\n+CPMS: 1,80,1,80,1,80\r\n" + kOk)}},
                       {kOffered, "AT+CPMS=\"MT\"\r", kMode, kList},
                       {{"MT", 1, 0, kDeliver}},
                       {}},
            StoresCase{"HuaweiE153_anOddNumberOfDigitsHidesNoOtherMessage",
                       {{kList, Now("\r\n+CMGL: 0,0,,24\r\n" + kDeliver + "\r\n+CMGL: 1,1,,24\r\n" +
                                    kDeliver.substr(1) + "\r\n+CMGL: 2,1,,24\r\n" + kDeliver + "\r\n" + kOk)},
                        {kOffered, Now("\r\n+CPMS: (\"SM\"),(\"SM\"),(\"SM\")\r\n" + kOk)}},
                       {kOffered, kSelectSm, kMode, kList},
                       {{"SM", 0, 0, kDeliver}, {"SM", 2, 1, kDeliver}},
                       {"SM:1 could not be read (its PDU is cut short)"}},
            StoresCase{"HuaweiE1550_aGarbledMessageIsNamed",
                       {{kList, Now("\r\n+CMGL: 0,0,,24\r\n" + kDeliver + "\r\n+CMGL: 4,1,,24\r\n" +
                                    kDeliver.substr(0, 30) + "\r\n" + kOk)},
                        {kOffered, Now("\r\n+CPMS: (\"SM\"),(\"SM\"),(\"SM\")\r\n" + kOk)}},
                       {kOffered, kSelectSm, kMode, kList},
                       {{"SM", 0, 0, kDeliver}},
                       {"SM:4 could not be read (its PDU is cut short)"}}),
        ::testing::Values(Dialogue::Fast, Dialogue::Classic)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).phone) +
               (std::get<1>(info.param) == Dialogue::Fast ? "_fast" : "_classic");
    });

// The escape that opens a connect is answered during the settling pause; a
// message the phone announces then is still read, not let go with the
// escape's answer.
TEST_F(StoredMessagesTest, aMessageAnnouncedWhileTheLineSettlesIsRead) {
    port.On("\x1B", Now("\r\nOK\r\n\r\n+CMTI: \"SM\",3\r\n"));
    port.On("AT+CMGR=3\r", Now("\r\n+CMGR: 0,,24\r\n" + kDeliver + "\r\n" + kOk));
    ConnectIn(Dialogue::Fast);
    session.ReadUnsolicited();
    EXPECT_EQ(events.arrived, (std::vector<StoredMessage>{{"SM", 3, 0, kDeliver}}));
}

struct ArrivalCase {
    const char* phone;
    std::string announcement;
    Chunks read; // the answer to AT+CMGR=<index>
    std::vector<StoredMessage> arrived;
    std::string status; // the last one shown
};

class ArrivalTest : public StoredMessagesTest, public ::testing::WithParamInterface<ArrivalCase> {};

TEST_P(ArrivalTest, aNewMessageIsReadInTheShapeThePhoneGivesIt) {
    const ArrivalCase& c = GetParam();
    ConnectIn(Dialogue::Fast);
    port.On("AT+CNMI=2,1,0,0,0\r", {{0, kOk}, {1000, c.announcement}});
    const std::string index = c.arrived.empty() ? "0" : std::to_string(c.arrived.front().index);
    port.On("AT+CMGR=" + index + "\r", c.read);
    session.AnnounceNewMessages();
    clock.Advance(2000);
    session.ReadUnsolicited();
    EXPECT_EQ(events.arrived, c.arrived);
    EXPECT_EQ(events.lastStatus(), c.status);
}

INSTANTIATE_TEST_SUITE_P(
    Phones, ArrivalTest,
    ::testing::Values(
        ArrivalCase{"HuaweiE1550_atIndexZero",
                    "\r\n+CMTI: \"SM\",0\r\n",
                    Now("\r\n+CMGR: ,,24\r\n" + kDeliver + "\r\n" + kOk),
                    {{"SM", 0, 0, kDeliver}},
                    ""},
        ArrivalCase{"SierraMC8795_indexRepeated",
                    "\r\n+CMTI: \"ME\",3\r\n",
                    Now("\r\n+CMGR: 3,0,,24\r\n" + kDeliver + "\r\n" + kOk),
                    {{"ME", 3, 0, kDeliver}},
                    ""},
        ArrivalCase{"ZteMF626_lengthAlone",
                    "\r\n+CMTI: \"SM\",7\r\n",
                    Now("\r\n+CMGR: 24\r\n" + kDeliver + "\r\n" + kOk),
                    {{"SM", 7, 0, kDeliver}},
                    ""},
        ArrivalCase{"TelitGL865_textMode",
                    "\r\n+CMTI: \"SM\",0\r\n",
                    Now("\r\n+CMGR: \"REC UNREAD\",\"+6281234\",,\"26/12/09,10:00:00+28\"\r\nHi\r\n" + kOk),
                    {},
                    "The phone gave the new SIM message 0 as text, not as a PDU"}),
    [](const auto& info) { return std::string(info.param.phone); });

} // namespace
} // namespace velmora::testing
