#include "SimulatedPhone.h"
#include "Arguments.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

namespace velmora::phonesim {
namespace {

std::string Joined(const std::vector<Output>& out) {
    std::string all;
    for (const auto& o : out)
        all += o.bytes;
    return all;
}

struct Step {
    std::string in, out;
};

// Feeds each step's bytes and expects exactly its answer.
void Converse(SimulatedPhone& phone, const std::vector<Step>& steps) {
    for (const auto& s : steps)
        EXPECT_EQ(Joined(phone.Receive(s.in)), s.out) << "after sending " << s.in;
}

PhoneOptions Quiet() {
    PhoneOptions o;
    o.echo = false;
    return o;
}

const std::string kPdu = "0001000C91265896999999000005C8329BFD06"; // 19 octets, 18 after the SC octet

TEST(SimulatedPhone, EchoesUntilAte0) {
    SimulatedPhone phone{PhoneOptions{}};
    Converse(phone, {
                        {"at+cgmi\r", "at+cgmi\r\r\nVELMORA\r\n\r\nOK\r\n"},
                        {"ate0\r", "ate0\r\r\nOK\r\n"},
                        {"at+cgmm\r", "\r\nPhoneSim 1\r\n\r\nOK\r\n"},
                    });
}

TEST(SimulatedPhone, IdentityAndUnknownCommands) {
    PhoneOptions o = Quiet();
    o.manufacturer = "SIEMENS";
    o.serviceCentre = "0816124";
    SimulatedPhone phone{o};
    Converse(phone, {
                        {"at+cgmi\r", "\r\nSIEMENS\r\n\r\nOK\r\n"},
                        {"AT+CGMR\r", "\r\n1.00\r\n\r\nOK\r\n"}, // commands in any case
                        {"at+cimi\r", "\r\n510109876543210\r\n\r\nOK\r\n"},
                        {"at+csca?\r", "\r\n+CSCA: \"0816124\",129\r\n\r\nOK\r\n"},
                        {"at+cgmi", ""}, // nothing until the carriage return
                        {"\r", "\r\nSIEMENS\r\n\r\nOK\r\n"},
                        {"\r\n\r", ""}, // empty lines are ignored
                        {"at\r", "\r\nERROR\r\n"},
                        {"at+cmgf=1\r", "\r\nERROR\r\n"},
                        {"hello\r", "\r\nERROR\r\n"},
                    });
    EXPECT_EQ(phone.CommandsSeen(), 8);
}

TEST(SimulatedPhone, SubmitsAPdu) {
    SimulatedPhone phone{Quiet()};
    Converse(phone, {
                        {"at+cmgs=18\r", "\r\nERROR\r\n"}, // not in PDU mode yet
                        {"at+cmgf=0\r", "\r\nOK\r\n"},
                        {"at+cmgs=18\r", "\r\n> "},
                        {kPdu + "\x1A\r", "\r\n+CMGS: 1\r\n\r\nOK\r\n"},
                        {"at+cmgs=18\r", "\r\n> "},
                        {kPdu.substr(0, 10), ""}, // the PDU may arrive in pieces
                        {"\r\n" + kPdu.substr(10) + "\x1A", "\r\n+CMGS: 2\r\n\r\nOK\r\n"},
                        {"\r", ""},
                        // a wrong length, odd or non-hex text
                        {"at+cmgs=17\r", "\r\n> "},
                        {kPdu + "\x1A", "\r\n+CMS ERROR: 304\r\n"},
                        {"at+cmgs=1\r", "\r\n> "},
                        {"000\x1A", "\r\n+CMS ERROR: 304\r\n"},
                        {"at+cmgs=1\r", "\r\n> "},
                        {"00GG\x1A", "\r\n+CMS ERROR: 304\r\n"},
                        // escape abandons the message
                        {"at+cmgs=18\r", "\r\n> "},
                        {"0011\x1B", "\r\nOK\r\n"},
                        {"at+cmgs=0\r", "\r\nERROR\r\n"},
                        {"at+cmgs=x\r", "\r\nERROR\r\n"},
                    });
    const std::vector<std::string> pdus{kPdu, kPdu, kPdu, "000", "00GG"};
    EXPECT_EQ(phone.Pdus(), pdus);
}

TEST(SimulatedPhone, TheAnnouncedLengthLeavesOutAServiceCentreAddress) {
    SimulatedPhone phone{Quiet()};
    // 07 91 2658150000F0: a 7-octet service-centre address before the TPDU.
    const std::string withSc = "07912658150000F0" + kPdu.substr(2);
    Converse(phone, {{"at+cmgf=0\r", "\r\nOK\r\n"},
                     {"at+cmgs=18\r", "\r\n> "},
                     {withSc + "\x1A", "\r\n+CMGS: 1\r\n\r\nOK\r\n"}});
}

TEST(SimulatedPhone, PduAnswers) {
    struct Row {
        PduAnswer answer;
        std::string first, second; // to the PDU, then to a second Ctrl-Z
    } rows[] = {
        {PduAnswer::Ok, "\r\n+CMGS: 1\r\n\r\nOK\r\n", ""},
        {PduAnswer::Error, "\r\nERROR\r\n", ""},
        {PduAnswer::CmsError, "\r\n+CMS ERROR: 38\r\n", ""},
        {PduAnswer::SecondCtrlZ, "", "\r\n+CMGS: 1\r\n\r\nOK\r\n"},
        {PduAnswer::None, "", ""},
    };
    for (const auto& r : rows) {
        PhoneOptions o = Quiet();
        o.pduAnswer = r.answer;
        o.cmsCause = 38;
        SimulatedPhone phone{o};
        Converse(phone, {{"at+cmgf=0\r", "\r\nOK\r\n"},
                         {"at+cmgs=18\r", "\r\n> "},
                         {kPdu + "\x1A\r", r.first},
                         {"\x1A\r", r.second},
                         {"\x1A\r", ""},
                         {"at+cgmm\r", "\r\nPhoneSim 1\r\n\r\nOK\r\n"}});
    }
}

TEST(SimulatedPhone, RefusesPduMode) {
    PhoneOptions o = Quiet();
    o.refusePduMode = true;
    SimulatedPhone phone{o};
    Converse(phone, {{"at+cmgf=0\r", "\r\nERROR\r\n"}, {"at+cmgs=18\r", "\r\nERROR\r\n"}});
}

TEST(SimulatedPhone, SignalAnswersInTurnAndTheLastRepeats) {
    PhoneOptions o = Quiet();
    o.csq = {CsqAnswer{CsqAnswer::Values, "17", "99"}, CsqAnswer{CsqAnswer::Error, "", ""},
             CsqAnswer{CsqAnswer::None, "", ""}, CsqAnswer{CsqAnswer::Values, "31", "0"}};
    SimulatedPhone phone{o};
    Converse(phone, {{"at+csq\r", "\r\n+CSQ: 17,99\r\n\r\nOK\r\n"},
                     {"at+csq\r", "\r\nERROR\r\n"},
                     {"at+csq\r", ""},
                     {"at+csq\r", "\r\n+CSQ: 31,0\r\n\r\nOK\r\n"},
                     {"at+csq\r", "\r\n+CSQ: 31,0\r\n\r\nOK\r\n"}});
}

TEST(SimulatedPhone, PhoneBookAndOperators) {
    PhoneOptions o = Quiet();
    o.phoneBook = {{9, "0812", "Late"}, {1, "+628569999999", "Budi"}, {2, "0812345678", "Sari, office"}};
    o.operators = {{"51001", "INDOSAT"}, {"510089", "AXIS, Net"}};
    SimulatedPhone phone{o};
    Converse(phone,
             {
                 {"at+cpbr=1\r", "\r\n+CPBR: 1,\"+628569999999\",145,\"Budi\"\r\n\r\nOK\r\n"},
                 {"at+cpbr=2\r", "\r\n+CPBR: 2,\"0812345678\",129,\"Sari, office\"\r\n\r\nOK\r\n"},
                 {"at+cpbr=3\r", "\r\n+CME ERROR: 22\r\n"},
                 {"at+cpbr=251\r", "\r\n+CME ERROR: 21\r\n"},
                 {"at+cpbr=0\r", "\r\n+CME ERROR: 21\r\n"},
                 {"at+cpbr=2,9\r", "\r\n+CPBR: 2,\"0812345678\",129,\"Sari, office\"\r\n\r\n"
                                   "+CPBR: 9,\"0812\",129,\"Late\"\r\n\r\nOK\r\n"},
                 {"at+cpbr=\r", "\r\nERROR\r\n"},
                 {"at+copn\r", "\r\n+COPN: \"51001\",\"INDOSAT\"\r\n\r\n+COPN: \"510089\",\"AXIS, Net\"\r\n"
                               "\r\nOK\r\n"},
             });
}

TEST(SimulatedPhone, SlowAndChunkedAnswers) {
    PhoneOptions o = Quiet();
    o.replyDelayMs = 700;
    o.chunkSize = 5;
    o.chunkDelayMs = 250;
    SimulatedPhone phone{o};
    const auto out = phone.Receive("at+cgmi\r"); // "\r\nVELMORA\r\n\r\nOK\r\n", 19 bytes
    const std::vector<std::string> pieces{"\r\nVEL", "MORA\r", "\n\r\nOK", "\r\n"};
    ASSERT_EQ(out.size(), pieces.size());
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        EXPECT_EQ(out[i].bytes, pieces[i]);
        EXPECT_EQ(out[i].delayMs, i == 0 ? 700 : 250);
    }

    PhoneOptions slow = Quiet();
    slow.replyDelayMs = 300;
    SimulatedPhone p2{slow};
    p2.Receive("at+cmgf=0\r");
    const auto prompt = p2.Receive("at+cmgs=18\r");
    ASSERT_EQ(prompt.size(), 1u);
    EXPECT_EQ(prompt[0].delayMs, 300);
}

TEST(SimulatedPhone, SilentSaysNothing) {
    PhoneOptions o;
    o.silent = true;
    SimulatedPhone phone{o};
    EXPECT_TRUE(phone.Receive("ate0\rat+cgmi\r").empty());
}

TEST(SimulatedPhone, VanishesAfterItsCommands) {
    PhoneOptions o = Quiet();
    o.vanishAfter = 2;
    SimulatedPhone phone{o};
    EXPECT_EQ(Joined(phone.Receive("ate0\r")), "\r\nOK\r\n");
    EXPECT_FALSE(phone.Vanishing());
    // The second command is still answered; whatever follows it is not.
    EXPECT_EQ(Joined(phone.Receive("at+cgmi\r")), "\r\nVELMORA\r\n\r\nOK\r\n");
    EXPECT_TRUE(phone.Vanishing());
    EXPECT_FALSE(phone.LineDropped());
    EXPECT_TRUE(phone.Receive("at+cgmm\r").empty());
    EXPECT_TRUE(phone.LineDropped());

    // Bytes after the last allowed command in the same piece drop the line too.
    SimulatedPhone p2{o};
    EXPECT_EQ(Joined(p2.Receive("ate0\rat+cgmi\rat")), "\r\nOK\r\n\r\nVELMORA\r\n\r\nOK\r\n");
    EXPECT_TRUE(p2.LineDropped());
}

TEST(SimulatedPhone, RecordsEveryPduReceived) {
    const std::string file = ::testing::TempDir() + "phonesim-record.txt";
    std::remove(file.c_str());
    PhoneOptions o = Quiet();
    o.recordFile = file;
    SimulatedPhone phone{o};
    phone.Receive("at+cmgf=0\rat+cmgs=18\r" + kPdu + "\x1A\rat+cmgs=5\r0011\x1A\r");
    std::ifstream in(file);
    std::stringstream ss;
    ss << in.rdbuf();
    EXPECT_EQ(ss.str(), kPdu + "\n0011\n");
    std::remove(file.c_str());
}

TEST(PhoneSimFiles, PhoneBookAndOperatorFormats) {
    std::vector<PhoneBookEntry> book;
    EXPECT_EQ(ParsePhoneBookFile("# mine\r\n\r\n1,+628569999999,Budi\r\n 250 , 0812 ,Sari, office\n", book),
              "");
    ASSERT_EQ(book.size(), 2u);
    EXPECT_EQ(book[1].index, 250);
    EXPECT_EQ(book[1].number, "0812");
    EXPECT_EQ(book[1].name, "Sari, office");
    for (const char* bad : {"1,0812\n", "0,0812,A\n", "251,0812,A\n", "x,0812,A\n"})
        EXPECT_EQ(ParsePhoneBookFile(std::string("1,2,ok\n") + bad, book).rfind("line 2:", 0), 0u) << bad;

    std::vector<OperatorEntry> ops;
    EXPECT_EQ(ParseOperatorFile("51001,INDOSAT\n#x\n51010,TELKOMSEL, ID\n", ops), "");
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[1].code, "51010");
    EXPECT_EQ(ops[1].name, "TELKOMSEL, ID");
    EXPECT_EQ(ParseOperatorFile("51001\n", ops), "line 1: expected CODE,NAME");
}

TEST(PhoneSimArguments, OptionsSetTheBehaviour) {
    Arguments a;
    ASSERT_EQ(ParseArguments({"--siemens",
                              "--no-echo",
                              "--delay",
                              "250",
                              "--chunk",
                              "3",
                              "--chunk-delay",
                              "40",
                              "--refuse-pdu-mode",
                              "--pdu-answer",
                              "cms-error:38",
                              "--csq",
                              "9,1",
                              "--csq",
                              "error",
                              "--csq",
                              "none",
                              "--vanish-after",
                              "7",
                              "--record",
                              "/tmp/r",
                              "--link",
                              "/tmp/l",
                              "--imsi",
                              "1",
                              "--service-centre",
                              "0816",
                              "--verbose"},
                             a),
              "");
    EXPECT_EQ(a.phone.manufacturer, "SIEMENS");
    EXPECT_FALSE(a.phone.echo);
    EXPECT_EQ(a.phone.replyDelayMs, 250);
    EXPECT_EQ(a.phone.chunkSize, 3);
    EXPECT_EQ(a.phone.chunkDelayMs, 40);
    EXPECT_TRUE(a.phone.refusePduMode);
    EXPECT_EQ(a.phone.pduAnswer, PduAnswer::CmsError);
    EXPECT_EQ(a.phone.cmsCause, 38);
    ASSERT_EQ(a.phone.csq.size(), 3u); // the default is replaced, not added to
    EXPECT_EQ(a.phone.csq[0].rssi, "9");
    EXPECT_EQ(a.phone.csq[1].kind, CsqAnswer::Error);
    EXPECT_EQ(a.phone.csq[2].kind, CsqAnswer::None);
    EXPECT_EQ(a.phone.vanishAfter, 7);
    EXPECT_EQ(a.phone.recordFile, "/tmp/r");
    EXPECT_EQ(a.link, "/tmp/l");
    EXPECT_EQ(a.phone.imsi, "1");
    EXPECT_EQ(a.phone.serviceCentre, "0816");
    EXPECT_TRUE(a.verbose);

    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"--delay"},
                                               {"--delay", "-1"},
                                               {"--chunk", "0"},
                                               {"--pdu-answer", "maybe"},
                                               {"--pdu-answer", "cms-error:x"},
                                               {"--csq", "17"},
                                               {"--vanish-after", "0"},
                                               {"--phonebook", "/no/such/file"},
                                               {"--bogus"}}) {
        Arguments b;
        EXPECT_NE(ParseArguments(bad, b), "") << bad[0];
    }
}

} // namespace
} // namespace velmora::phonesim
