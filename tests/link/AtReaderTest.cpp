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

// What modems send by themselves around an answer, as their makers' AT
// manuals and 3GPP TS 27.007 give it: a line that cannot answer the command
// in hand is unsolicited, whatever the phone.
std::vector<ReaderCase> PhoneCases() {
    return {
        {"SIMCom SIM900: Call Ready and SMS Ready around the model",
         "at+cgmm\r",
         false,
         "\r\nCall Ready\r\n\r\nSIMCOM_SIM900\r\n\r\nSMS Ready\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {"SIMCOM_SIM900"},
         {{"Call Ready", ""}, {"SMS Ready", ""}}},
        {"SIMCom SIM900: RDY and +CFUN at power-up, +STIN of its toolkit",
         "at+cgmi\r",
         false,
         "\r\nRDY\r\n\r\n+CFUN: 1\r\n\r\n+STIN: 25\r\n\r\nSIMCOM_Ltd\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {"SIMCOM_Ltd"},
         {{"RDY", ""}, {"+CFUN: 1", ""}, {"+STIN: 25", ""}}},
        {"SIMCom SIM7600: SMS DONE and PB DONE",
         "at+cimi\r",
         false,
         "\r\nSMS DONE\r\n\r\n460001234567890\r\n\r\nPB DONE\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {"460001234567890"},
         {{"SMS DONE", ""}, {"PB DONE", ""}}},
        {"after a PIN: +PACSP0 before the model",
         "at+cgmm\r",
         false,
         "\r\n+PACSP0\r\n\r\nEC21\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {"EC21"},
         {{"+PACSP0", ""}}},
        {"after a PIN: +PACSP1 in the answer to ate0",
         "ate0\r",
         false,
         "\r\n+PACSP1\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {},
         {{"+PACSP1", ""}}},
        {"Quectel M95: the SIM announced after its PIN",
         "at+cgmi\r",
         false,
         "\r\n+CPIN: READY\r\n\r\nCall Ready\r\n\r\nQuectel\r\n\r\nSMS Ready\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {"Quectel"},
         {{"+CPIN: READY", ""}, {"Call Ready", ""}, {"SMS Ready", ""}}},
        {"Quectel UC20: +QUSIM and +QIND",
         "at+cgmr\r",
         false,
         "\r\n+QUSIM: 1\r\n\r\n+QIND: SMS DONE\r\n\r\nUC20EQAR02A12E2G\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {"UC20EQAR02A12E2G"},
         {{"+QUSIM: 1", ""}, {"+QIND: SMS DONE", ""}}},
        {"Wavecom Fastrack Supreme: +WIND before the model",
         "at+cgmm\r",
         false,
         "\r\n+WIND: 4\r\n\r\nMULTIBAND  900E  1800\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {"MULTIBAND  900E  1800"},
         {{"+WIND: 4", ""}}},
        {"Wavecom Fastrack Supreme: the SIM state without a final OK",
         "AT+CPIN?\r",
         false,
         "\r\n+CPIN: READY\r\n",
         FinalResult::None,
         {"+CPIN: READY"},
         {}},
        {"Siemens MC35i: ^SYSSTART",
         "AT\r",
         false,
         "\r\n^SYSSTART\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {},
         {{"^SYSSTART", ""}}},
        {"Telit GL865: #QSS before the manufacturer",
         "at+cgmi\r",
         false,
         "\r\n#QSS: 1\r\n\r\nTelit\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {"Telit"},
         {{"#QSS: 1", ""}}},
        {"u-blox LISA: +CGEV and +CREG around the signal",
         "at+csq\r",
         false,
         "\r\n+CGEV: NW DETACH\r\n\r\n+CSQ: 14,99\r\n\r\n+CREG: 5\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {"+CSQ: 14,99"},
         {{"+CGEV: NW DETACH", ""}, {"+CREG: 5", ""}}},
        {"Option GlobeTrotter: _OSIGQ and _OWANCALL",
         "at+cgmm\r",
         false,
         "\r\n_OSIGQ: 7,0\r\n\r\n_OWANCALL: 1,0,0\r\n\r\nGlobeTrotter HSUPA Modem\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {"GlobeTrotter HSUPA Modem"},
         {{"_OSIGQ: 7,0", ""}, {"_OWANCALL: 1,0,0", ""}}},
        {"Ericsson F3507g: *EMRDY",
         "ate0\r",
         false,
         "\r\n*EMRDY: 1\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {},
         {{"*EMRDY: 1", ""}}},
        {"ZTE MF627: a +NAME: line no table knows, before the answer",
         "at+cgmm\r",
         false,
         "\r\n+ZPASR: \"UMTS\"\r\n\r\nMF627\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {"MF627"},
         {{"+ZPASR: \"UMTS\"", ""}}},
        {"Huawei E1550: the SIM state and the service state",
         "at+cimi\r",
         false,
         "\r\n^SIMST:1\r\n\r\n^SRVST:2\r\n\r\n510109876543210\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {"510109876543210"},
         {{"^SIMST:1", ""}, {"^SRVST:2", ""}}},
        {"after a PIN: the phone book ready",
         "at+cimi\r",
         false,
         "\r\n+PBREADY\r\n\r\n510109876543210\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {"510109876543210"},
         {{"+PBREADY", ""}}},
        {"Motorola V3: the identity with its prefix is the answer",
         "at+cgmi\r",
         false,
         "\r\n+CGMI: \"Motorola CE, Copyright 2000\"\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {"+CGMI: \"Motorola CE, Copyright 2000\""},
         {}},
        {"the V.250 name of the same query is the answer",
         "at+cgmr\r",
         false,
         "\r\n+GMR: 1.00\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {"+GMR: 1.00"},
         {}},
        {"27.007: a +NAME: line after the first information line stays in the answer",
         "at+cgmi\r",
         false,
         "\r\nACME\r\n+ACME: 2\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {"ACME", "+ACME: 2"},
         {}},
        {"27.007: +CPIN: READY after a PIN is unsolicited",
         "AT+CPIN=\"1234\"\r",
         false,
         "\r\n+CPIN: READY\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {},
         {{"+CPIN: READY", ""}}},
        {"27.007: asked, +CPIN is the answer",
         "AT+CPIN?\r",
         false,
         "\r\n+CPIN: \"SIM PIN\"\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {"+CPIN: \"SIM PIN\""},
         {}},
        {"27.007: asked, +CFUN is the answer",
         "at+cfun?\r",
         false,
         "\r\n+CFUN: 1\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {"+CFUN: 1"},
         {}},
        {"27.007: the remaining tries answer their own command",
         "AT+CPINR=\"SIM PIN\"\r",
         false,
         "\r\n+CPIN: READY\r\n+CPINR: SIM PIN,3,3\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {"+CPINR: SIM PIN,3,3"},
         {{"+CPIN: READY", ""}}},
        {"27.007: a call's end is unsolicited while no call is dialled",
         "at+csq\r",
         false,
         "\r\nNO CARRIER\r\n\r\n+CRING: VOICE\r\n+CLIP: \"+6281\",145\r\n+CSQ: 17,99\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {"+CSQ: 17,99"},
         {{"NO CARRIER", ""}, {"+CRING: VOICE", ""}, {"+CLIP: \"+6281\",145", ""}}},
        {"27.007: NO CARRIER answers a dial",
         "ATD+628569999999;\r",
         false,
         "\r\nNO CARRIER\r\n",
         FinalResult::None,
         {"NO CARRIER"},
         {}},
        {"27.007: the toolkit and LTE registration",
         "at+cgmi\r",
         false,
         "\r\n+CUSATP: \"D0\"\r\n+CEREG: 1\r\nVELMORA\r\nOK\r\n",
         FinalResult::Ok,
         {"VELMORA"},
         {{"+CUSATP: \"D0\"", ""}, {"+CEREG: 1", ""}}},
        {"27.007: a refusal is never unsolicited",
         "ate0\r",
         false,
         "\r\n+CME ERROR: 10\r\n",
         FinalResult::CmeError,
         {},
         {}},
        {"27.005: +CMGS answers the PDU, +CMTI does not",
         "0011000B\x1a\r",
         false,
         "\r\n+CMTI: \"SM\",0\r\n\r\n+CMGS: 12\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {"+CMGS: 12"},
         {{"+CMTI: \"SM\",0", ""}}},
        {"a name holding a bare line feed stays on its line",
         "at+cpbr=1\r",
         false,
         "\r\n+CPBR: 1,\"0812\",129,\"Budi\nKantor\"\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {"+CPBR: 1,\"0812\",129,\"Budi\nKantor\""},
         {}},
        {"a quote left open ends at the carriage return",
         "at+cpbr=6\r",
         false,
         "\r\n+CPBR: 6,\"1\",129,\"One\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {"+CPBR: 6,\"1\",129,\"One"},
         {}},
        {"27.007: a network's text holding a line feed is one unsolicited line",
         "at+csq\r",
         false,
         "\r\n+CUSD: 0,\"Pulsa Rp 5000\nAktif s/d 01-12\",15\r\n\r\n+CSQ: 20,99\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {"+CSQ: 20,99"},
         {{"+CUSD: 0,\"Pulsa Rp 5000\nAktif s/d 01-12\",15", ""}}},
        {"SIMCom SIM800L: a network's text broken by CR LF inside its quotes is one line",
         "at+csq\r",
         false,
         "\r\n+CUSD: 0,\"Pulsa Rp 5000\r\nAktif s/d 01-12\r\n\r\nInfo *888#\",15\r\n\r\n+CSQ: "
         "20,99\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {"+CSQ: 20,99"},
         {{"+CUSD: 0,\"Pulsa Rp 5000\nAktif s/d 01-12\nInfo *888#\",15", ""}}},
        {"Quectel EC25: a text ending in digits, its quote on the next line",
         "at+csq\r",
         false,
         "\r\n+CUSD: 0,\"Sisa kuota 1500\r\n\",15\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {},
         {{"+CUSD: 0,\"Sisa kuota 1500\n\",15", ""}}},
        {"a quote inside a closed text holds nothing back",
         "at+csq\r",
         false,
         "\r\n+CUSD: 1,\"Ketik \"YA\" untuk setuju\", 15\r\n+CSQ: 9,99\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {"+CSQ: 9,99"},
         {{"+CUSD: 1,\"Ketik \"YA\" untuk setuju\", 15", ""}}},
        {"a text whose quote never closes ends at the final result, which stays the answer's",
         "at+csq\r",
         false,
         "\r\n+CUSD: 0,\"Saldo Rp 5000\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {},
         {{"+CUSD: 0,\"Saldo Rp 5000", ""}}},
        {"an open text ended by the next unsolicited code",
         "at+csq\r",
         false,
         "\r\n+CUSD: 0,\"Saldo\r\n+CMTI: \"SM\",2\r\n\r\n+CSQ: 20,99\r\n\r\nOK\r\n",
         FinalResult::Ok,
         {"+CSQ: 20,99"},
         {{"+CUSD: 0,\"Saldo", ""}, {"+CMTI: \"SM\",2", ""}}},
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

    for (std::size_t cut = 1; cut < c.bytes.size(); ++cut) {
        SCOPED_TRACE("split at " + std::to_string(cut));
        AtReader split;
        split.Start(c.command, c.promptEnds);
        split.Feed(std::string_view(c.bytes).substr(0, cut));
        split.Feed(std::string_view(c.bytes).substr(cut));
        Check(split, c);
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, AtReaderTest, ::testing::ValuesIn(Cases()), [](const auto& info) {
    std::string n;
    for (const char* p = info.param.name; *p; ++p)
        n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return n;
});

INSTANTIATE_TEST_SUITE_P(Phones, AtReaderTest, ::testing::ValuesIn(PhoneCases()), [](const auto& info) {
    std::string n;
    for (const char* p = info.param.name; *p; ++p)
        n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return n + "_" + std::to_string(info.index);
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

// A port that streams bytes without end (a wrong device, a hostile peer)
// costs bounded memory: the answer is given up, the reader goes on.
TEST(AtReader, anAnswerWithoutEndIsGivenUpAtItsLimit) {
    struct Flood {
        const char* name;
        std::string chunk;
    };
    for (const Flood& flood :
         {Flood{"one endless line", std::string(4096, 'A')},
          Flood{"endless short lines", "\r\n+CMGL: 1,1,,20\r\n" + std::string(40, '0')}}) {
        SCOPED_TRACE(flood.name);
        AtReader reader;
        reader.Start("AT+CMGL=4\r");
        std::size_t fed = 0;
        while (!reader.Overflowed() && fed < 2 * AtReader::kAnswerLimit) {
            reader.Feed(flood.chunk);
            fed += flood.chunk.size();
        }
        EXPECT_TRUE(reader.Overflowed());
        EXPECT_FALSE(reader.Done());
        EXPECT_LE(reader.Raw().size(), AtReader::kAnswerLimit);
        for (const std::string& line : reader.Lines())
            EXPECT_LE(line.size(), AtReader::kLineLimit);
        // The next command is read as usual.
        reader.Start("at+cmgf=0\r");
        EXPECT_FALSE(reader.Overflowed());
        reader.Feed("\r\nOK\r\n");
        EXPECT_EQ(reader.Final(), FinalResult::Ok);
    }
}

// A line past the limit is cut there and the answer read on: the lines
// after it and the final result code are this answer's, not the next one's.
TEST(AtReader, aLineTooLongIsCutAndTheAnswerReadOn) {
    const std::string name(AtReader::kLineLimit + 5000, 'N');
    const std::string pdu(AtReader::kLineLimit + 1, '0');
    struct Row {
        const char* name;
        const char* command;
        std::string bytes;
        std::vector<std::string> lines;
    } rows[] = {
        {"a phone-book name",
         "at+cpbr=1,2\r",
         "\r\n+CPBR: 1,\"0812\",129,\"" + name + "\"\r\n+CPBR: 2,\"0813\",129,\"Sari\"\r\n\r\nOK\r\n",
         {("+CPBR: 1,\"0812\",129,\"" + name).substr(0, AtReader::kLineLimit),
          "+CPBR: 2,\"0813\",129,\"Sari\""}},
        {"a listed PDU, a ^RSSI after it",
         "AT+CMGL=4\r",
         "\r\n+CMGL: 1,0,,20\r\n" + pdu + "\r\n^RSSI:19\r\n+CMGL: 2,0,,5\r\n0011223344\r\n\r\nOK\r\n",
         {"+CMGL: 1,0,,20", pdu.substr(0, AtReader::kLineLimit), "+CMGL: 2,0,,5", "0011223344"}},
        {"a quote left open in the cut part",
         "at+cgmm\r",
         "\r\n\"" + name + "\nstill the line\"\r\nOK\r\n",
         {("\"" + name).substr(0, AtReader::kLineLimit)}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const auto check = [&](AtReader& reader) {
            EXPECT_EQ(reader.Final(), FinalResult::Ok);
            // Compared line by line, so that a failure does not print 16 KiB.
            ASSERT_EQ(reader.Lines().size(), r.lines.size());
            for (std::size_t i = 0; i < r.lines.size(); ++i)
                EXPECT_TRUE(reader.Lines()[i] == r.lines[i])
                    << "line " << i << ", " << reader.Lines()[i].size()
                    << " bytes: " << reader.Lines()[i].substr(0, 40);
            EXPECT_TRUE(reader.LineCut());
            EXPECT_FALSE(reader.Overflowed());
            // The next command's answer is its own.
            reader.Start("at+csq\r");
            EXPECT_FALSE(reader.LineCut());
            reader.Feed("\r\n+CSQ: 17,99\r\n\r\nOK\r\n");
            EXPECT_EQ(reader.Lines(), std::vector<std::string>{"+CSQ: 17,99"});
        };
        AtReader whole;
        whole.Start(r.command);
        whole.Feed(r.bytes);
        check(whole);
        AtReader bytewise;
        bytewise.Start(r.command);
        for (char b : r.bytes)
            bytewise.Feed(std::string_view(&b, 1));
        check(bytewise);
        for (const std::size_t cut :
             {std::size_t{1}, AtReader::kLineLimit, AtReader::kLineLimit + 25, r.bytes.size() - 3}) {
            SCOPED_TRACE("split at " + std::to_string(cut));
            AtReader split;
            split.Start(r.command);
            split.Feed(std::string_view(r.bytes).substr(0, cut));
            split.Feed(std::string_view(r.bytes).substr(cut));
            check(split);
        }
    }
}

TEST(AtReader, aFloodOfIndicationsKeepsOnlyTheFirst) {
    AtReader reader;
    reader.Start("at+csq\r");
    for (std::size_t i = 0; i < 3 * AtReader::kUnsolicitedLimit; ++i)
        reader.Feed("\r\n^RSSI:" + std::to_string(i % 32) + "\r\n");
    reader.Feed("\r\n+CSQ: 17,99\r\n\r\nOK\r\n");
    EXPECT_EQ(reader.Final(), FinalResult::Ok);
    EXPECT_EQ(reader.Lines(), std::vector<std::string>{"+CSQ: 17,99"});
    const auto taken = reader.TakeUnsolicited();
    ASSERT_EQ(taken.size(), AtReader::kUnsolicitedLimit);
    EXPECT_EQ(taken.front().line, "^RSSI:0");
    // Taken, there is room again.
    reader.Feed("\r\n+CMTI: \"SM\",3\r\n");
    EXPECT_EQ(reader.TakeUnsolicited(), (std::vector<Unsolicited>{{"+CMTI: \"SM\",3", ""}}));
}

} // namespace
} // namespace velmora
