#include "AtReader.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

struct ReaderCase {
    const char* name;
    const char* command;
    bool promptEnds;
    std::string bytes;
    FinalResult final;
    std::vector<std::string> lines;
    std::vector<Unsolicited> unsolicited;
};

const std::string kReport = "0006070C912658969999996210801234562162108012345621"
                            "00";

std::vector<ReaderCase> Cases() {
    return {
        {"plain", "at+cgmi\r", false, "\r\nVELMORA\r\n\r\nOK\r\n", FinalResult::Ok, {"VELMORA"}, {}},
        {"echoed",
         "at+cgmi\r",
         false,
         "at+cgmi\r\r\nVELMORA\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {"VELMORA"},
         {}},
        {"echo in other case", "at+cgmi\r", false, "AT+CGMI\r\r\nOK\r\n", FinalResult::Ok, {}, {}},
        {"unsolicited codes around the answer",
         "at+cgmi\r",
         false,
         "\r\n+CMTI: \"SM\",3\r\n\r\nVELMORA\r\n^RSSI:12\r\nRING\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {"VELMORA"},
         {{"+CMTI: \"SM\",3", ""}, {"^RSSI:12", ""}, {"RING", ""}}},
        {"a status report and its PDU inside the answer to the PDU",
         "0011\x1a\r",
         false,
         "\r\n+CDS: 25\r\n" + kReport + "\r\n\r\n+CMGS: 7\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {"+CMGS: 7"},
         {{"+CDS: 25", kReport}}},
        {"prompt", "at+cmgs=22\r", true, "\r\n> ", FinalResult::Prompt, {}, {}},
        {"prompt after an unsolicited code",
         "at+cmgs=22\r",
         true,
         "\r\n^BOOT:1,0\r\n\r\n> ",
         FinalResult::Prompt,
         {},
         {{"^BOOT:1,0", ""}}},
        {"a \">\" ends only the length command", "at+cgmi\r", false, "\r\n> ", FinalResult::None, {}, {}},
        {"error", "at+cmgf=0\r", false, "\r\nERROR\r\n", FinalResult::Error, {}, {}},
        {"CMS error", "x\r", false, "\r\n+CMS ERROR: 500\r\n", FinalResult::CmsError, {}, {}},
        {"CME error in words",
         "at+cimi\r",
         false,
         "\r\n+CME ERROR: SIM PIN required\r\n",
         FinalResult::CmeError,
         {},
         {}},
        {"no line end yet", "at\r", false, "\r\nOK", FinalResult::None, {}, {}},
        {"a word that only starts like RING",
         "at+cgmm\r",
         false,
         "\r\nRINGO 2\r\nOK\r\n",
         FinalResult::Ok,
         {"RINGO 2"},
         {}},
        {"asked for, +CREG is the answer",
         "at+creg?\r",
         false,
         "\r\n+CREG: 0,1\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {"+CREG: 0,1"},
         {}},
        {"not asked for, +CREG is unsolicited",
         "at+csq\r",
         false,
         "\r\n+CREG: 1\r\n+CSQ: 17,99\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {"+CSQ: 17,99"},
         {{"+CREG: 1", ""}}},
    };
}

class AtReaderTest : public ::testing::TestWithParam<ReaderCase> {};

void Check(AtReader& reader, const ReaderCase& c) {
    EXPECT_EQ(reader.Final(), c.final);
    EXPECT_EQ(reader.Done(), c.final != FinalResult::None);
    EXPECT_EQ(reader.Lines(), c.lines);
    EXPECT_EQ(reader.TakeUnsolicited(), c.unsolicited);
}

TEST_P(AtReaderTest, judgesTheAnswerWholeAndByteByByte) {
    const ReaderCase& c = GetParam();
    AtReader whole;
    whole.Start(c.command, c.promptEnds);
    whole.Feed(c.bytes);
    Check(whole, c);

    AtReader bytewise;
    bytewise.Start(c.command, c.promptEnds);
    for (char b : c.bytes)
        bytewise.Feed(std::string_view(&b, 1));
    Check(bytewise, c);
}

INSTANTIATE_TEST_SUITE_P(Answers, AtReaderTest, ::testing::ValuesIn(Cases()), [](const auto& info) {
    std::string n;
    for (const char* p = info.param.name; *p; ++p)
        n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return n;
});

TEST(AtReader, whatCameBeforeTheCommandIsNotItsAnswer) {
    AtReader reader;
    reader.Feed("\r\nOK\r\n+CDSI: \"SM\",4\r\n");
    reader.Start("at+cmgf=0\r");
    reader.Feed("\r\nOK");
    EXPECT_FALSE(reader.Done());
    reader.Feed("\r\n");
    EXPECT_TRUE(reader.Done());
    EXPECT_EQ(reader.TakeUnsolicited(), (std::vector<Unsolicited>{{"+CDSI: \"SM\",4", ""}}));
}

TEST(AtReader, anAbandonedAnswerEndsWhatComesLaterOfIt) {
    AtReader reader;
    reader.Start("at+cmgs=22\r", true);
    reader.Abandon();
    reader.Feed("\r\n> ");
    reader.Start("at+cmgf=0\r");
    reader.Feed("\r\n+CMS ERROR: 304\r\n");
    EXPECT_EQ(reader.Final(), FinalResult::CmsError);
    EXPECT_EQ(reader.Answer(), "\r\n+CMS ERROR: 304\r\n");
}

} // namespace
} // namespace velmora
