// What phones say of their phone book before a write, and the write's
// dialogue on a scripted phone.

#include "PhonebookReplies.h"
#include "SessionFixture.h"
#include "TestNames.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using testing::CaseName;
using testing::Now;

struct LimitsRow {
    std::string phone;
    std::string reply;
    std::optional<SimBookLimits> limits;
};

class PhonebookLimitsTest : public ::testing::TestWithParam<LimitsRow> {};

TEST_P(PhonebookLimitsTest, ReadsThePlacesAndLengthsByWhatEachFieldIs) {
    const LimitsRow& row = GetParam();
    EXPECT_EQ(ParsePhonebookLimits(row.reply), row.limits) << row.reply;
}

const LimitsRow kLimitsRows[] = {
    {"Velmora's simulated phone", "\r\n+CPBR: (1-250),40,18\r\n\r\nOK\r\n", SimBookLimits{1, 250, 40, 18}},
    {"Huawei E1550 numbers its book from 0", "\r\n+CPBR: (0-99),40,16\r\n\r\nOK\r\n",
     SimBookLimits{0, 99, 40, 16}},
    {"Siemens S45 with blanks around", "\r\n+CPBR: ( 1 - 100 ), 20 , 14 \r\n\r\nOK\r\n",
     SimBookLimits{1, 100, 20, 14}},
    {"Wavecom Fastrack leaves the lengths out", "\r\n+CPBR: (1-250)\r\n\r\nOK\r\n",
     SimBookLimits{1, 250, 0, 0}},
    {"Sony Ericsson T610 adds group and e-mail lengths", "\r\n+CPBR: (1-510),80,18,20,0,60\r\n\r\nOK\r\n",
     SimBookLimits{1, 510, 80, 18}},
    {"Nokia 30 leaves the number length empty", "\r\n+CPBR: (1-200),,14\r\n\r\nOK\r\n",
     SimBookLimits{1, 200, 0, 14}},
    {"SIMCom SIM900 after an unsolicited line", "\r\n+CREG: 1\r\n+CPBR: (1-250),40,14\r\n\r\nOK\r\n",
     SimBookLimits{1, 250, 40, 14}},
    {"Telit GM862 lists the places", "\r\n+CPBR: (1,3-120),32,16\r\n\r\nOK\r\n",
     SimBookLimits{1, 120, 32, 16}},
    {"an old Ericsson without brackets", "\r\n+CPBR: 1-100,20,10\r\n\r\nOK\r\n",
     SimBookLimits{1, 100, 20, 10}},
    {"a length past any SIM's is as none given", "\r\n+CPBR: (1-10),999,18\r\n\r\nOK\r\n",
     SimBookLimits{1, 10, 0, 18}},
    {"a phone with no book", "\r\n+CME ERROR: 3\r\n", std::nullopt},
    {"a range the wrong way round", "\r\n+CPBR: (250-1),40,18\r\n\r\nOK\r\n", std::nullopt},
    {"more places than any SIM has", "\r\n+CPBR: (1-100000),40,18\r\n\r\nOK\r\n", std::nullopt},
    {"an unclosed bracket", "\r\n+CPBR: (1-250,40,18\r\n\r\nOK\r\n", std::nullopt},
    {"an entry is no description", "\r\n+CPBR: 1,\"0812\",129,\"Budi\"\r\n\r\nOK\r\n", std::nullopt},
};
INSTANTIATE_TEST_SUITE_P(Phones, PhonebookLimitsTest, ::testing::ValuesIn(kLimitsRows),
                         [](const auto& info) { return CaseName(info.index, info.param.phone); });

TEST(PhonebookCharsets, ReadsTheSetNowAndThoseOffered) {
    const struct {
        std::string phone, now, offered;
        std::string set;
        std::vector<std::string> sets;
    } rows[] = {
        {"Velmora's simulated phone",
         "\r\n+CSCS: \"GSM\"\r\n\r\nOK\r\n",
         "\r\n+CSCS: (\"GSM\",\"IRA\",\"8859-1\",\"UCS2\")\r\n\r\nOK\r\n",
         "GSM",
         {"GSM", "IRA", "8859-1", "UCS2"}},
        {"Huawei E1550 leaves the brackets out",
         "\r\n+CSCS: \"IRA\"\r\n\r\nOK\r\n",
         "\r\n+CSCS: \"IRA\",\"UCS2\",\"GSM\"\r\n\r\nOK\r\n",
         "IRA",
         {"IRA", "UCS2", "GSM"}},
        {"Siemens S45 quotes nothing",
         "\r\n+CSCS: GSM\r\n\r\nOK\r\n",
         "\r\n+CSCS: (GSM, UCS2)\r\n\r\nOK\r\n",
         "GSM",
         {"GSM", "UCS2"}},
        {"a phone that does not say", "\r\nERROR\r\n", "\r\nERROR\r\n", "", {}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ParseCharsetNow(row.now), row.set) << row.phone;
        EXPECT_EQ(ParseCharsetsOffered(row.offered), row.sets) << row.phone;
    }
}

class PhonebookWriteTest : public testing::SessionTest {
protected:
    PhonebookWriteTest() {
        session.SetDialogue(Dialogue::Fast);
        port.On("AT\r", Now("\r\nOK\r\n"));
        port.On("AT+CPIN?\r", Now("\r\n+CPIN: READY\r\n\r\nOK\r\n"));
        port.On("AT+CPBR=?\r", Now("\r\n+CPBR: (1-60),20,14\r\n\r\nOK\r\n"));
        port.On("AT+CSCS?\r", Now("\r\n+CSCS: \"GSM\"\r\n\r\nOK\r\n"));
        port.On("AT+CSCS=?\r", Now("\r\n+CSCS: (\"GSM\",\"UCS2\")\r\n\r\nOK\r\n"));
        port.On("AT+CPBR=1,50\r", Now("\r\n+CPBR: 2,\"+62811\",145,\"Budi\"\r\n\r\nOK\r\n"));
        port.On("AT+CPBR=51,60\r", Now("\r\n+CME ERROR: 22\r\n"));
        port.On("AT+CPBR=3\r", Now("\r\n+CME ERROR: 22\r\n"));
        port.On("AT+CPBR=2\r", Now("\r\n+CPBR: 2,\"+62811\",145,\"Budi\"\r\n\r\nOK\r\n"));
        port.OnAnyOther(Now("\r\nOK\r\n"));
    }
};

TEST_F(PhonebookWriteTest, SurveysTheBookInRangesTheSizeOfAnAnswer) {
    Connected();
    const PhonebookSurvey survey = session.SurveyPhonebook();
    ASSERT_TRUE(survey.ok());
    EXPECT_EQ(survey.limits, (SimBookLimits{1, 60, 20, 14}));
    EXPECT_EQ(survey.charset, "GSM");
    EXPECT_TRUE(survey.Ucs2Offered());
    ASSERT_NE(survey.At(2), nullptr);
    EXPECT_EQ(survey.At(2)->name, "Budi");
    EXPECT_EQ(survey.FreePlaces().front(), 1);
    EXPECT_EQ(survey.FreePlaces().size(), 59u);
    EXPECT_EQ(Written(), (std::vector<std::string>{"AT+CPBR=?\r", "AT+CSCS?\r", "AT+CSCS=?\r",
                                                   "AT+CPBR=1,50\r", "AT+CPBR=51,60\r"}));
}

TEST_F(PhonebookWriteTest, WritesTheDialogueEachEntryNeeds) {
    const struct {
        std::string name;
        SimEntry entry;
        bool overwrite;
        SimBookProblem problem;
        std::vector<std::string> written;
    } rows[] = {
        {"a free place is asked again, then written",
         {3, "+62 812", u"Ani"},
         false,
         SimBookProblem::None,
         {"AT+CPBR=3\r", "AT+CPBW=3,\"+62812\",145,\"Ani\"\r"}},
        {"a name past GSM goes in UCS2 and the set comes back",
         {3, "0812", u"Zo\u00EB"},
         false,
         SimBookProblem::None,
         {"AT+CPBR=3\r", "AT+CSCS=\"UCS2\"\r", "AT+CPBW=3,\"0812\",129,\"005A006F00EB\"\r",
          "AT+CSCS=\"GSM\"\r"}},
        {"a filled place is not written over unasked",
         {2, "0812", u"Ani"},
         false,
         SimBookProblem::PlaceFilled,
         {"AT+CPBR=2\r"}},
        {"written over once agreed",
         {2, "0812", u"Ani"},
         true,
         SimBookProblem::None,
         {"AT+CPBW=2,\"0812\",129,\"Ani\"\r"}},
        {"a name too long never reaches the phone",
         {3, "0812", u"Alexandra Putri"},
         false,
         SimBookProblem::NameTooLong,
         {}},
    };
    for (const auto& row : rows) {
        Connected();
        const PhonebookSurvey survey = session.SurveyPhonebook();
        Forget();
        const SimBookOutcome o = session.WritePhonebookEntry(survey, row.entry, row.overwrite);
        EXPECT_EQ(o.problem, row.problem) << row.name;
        EXPECT_EQ(Written(), row.written) << row.name;
        session.Disconnect();
    }
}

TEST_F(PhonebookWriteTest, APhoneThatRefusesIsQuoted) {
    port.On("AT+CPBW=3,\"0812\",129,\"Ani\"\r", Now("\r\n+CME ERROR: 20\r\n"));
    port.On("AT+CSCS=\"UCS2\"\r", Now("\r\nERROR\r\n"));
    Connected();
    const PhonebookSurvey survey = session.SurveyPhonebook();
    const SimBookOutcome full = session.WritePhonebookEntry(survey, {3, "0812", u"Ani"}, false);
    EXPECT_EQ(full.problem, SimBookProblem::PhoneRefused);
    EXPECT_EQ(full.detail, "+CME ERROR: 20 (memory full)");
    const SimBookOutcome wide = session.WritePhonebookEntry(survey, {3, "0812", u"Zo\u00EB"}, false);
    EXPECT_EQ(wide.problem, SimBookProblem::CharsetRefused);
}

TEST_F(PhonebookWriteTest, TheClassicDialogueWritesNothing) {
    session.SetDialogue(Dialogue::Classic);
    Connected();
    const PhonebookSurvey survey = session.SurveyPhonebook();
    EXPECT_EQ(survey.outcome.problem, SimBookProblem::NeedsFast);
    EXPECT_EQ(session.DeletePhonebookEntry(survey, 2).problem, SimBookProblem::NeedsFast);
    EXPECT_TRUE(Written().empty());
}

} // namespace
} // namespace velmora
