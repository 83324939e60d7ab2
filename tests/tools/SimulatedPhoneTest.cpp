#include "SimulatedPhone.h"
#include "Arguments.h"

#include "Arguments.h"
#include "SimPhone.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

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

void Converse(SimulatedPhone& phone, const std::vector<Step>& steps) {
    for (const auto& s : steps)
        EXPECT_EQ(Joined(phone.Receive(s.in)), s.out) << "after sending " << s.in;
}

PhoneOptions Quiet() {
    PhoneOptions o;
    o.echo = false;
    return o;
}

const std::string kPdu = "0001000C91265896999999000005C8329BFD06"; // 18 octets after the SC octet

TEST(SimulatedPhone, EchoesUntilAte0AndAnswersTheIdentity) {
    PhoneOptions o;
    o.serviceCentre = "0816124";
    SimulatedPhone phone{o};
    Converse(phone, {
                        {"at+cgmi\r", "at+cgmi\r\r\nVELMORA\r\n\r\nOK\r\n"},
                        {"ate0\r", "ate0\r\r\nOK\r\n"},
                        {"AT+CGMM", ""}, // any case; nothing until the carriage return
                        {"\r", "\r\nPhoneSim 1\r\n\r\nOK\r\n"},
                        {"\r\n\r", ""},
                        {"at+csca?\r", "\r\n+CSCA: \"0816124\",129\r\n\r\nOK\r\n"},
                        {"at\r", "\r\nOK\r\n"},
                        {"at+cmgf=1\r", "\r\nERROR\r\n"},
                    });
}

TEST(SimulatedPhone, WritesTheSimStateInItsStyleAndAnnouncesTheOpenSim) {
    const struct {
        PinStateStyle style;
        std::string locked, open;
    } rows[] = {
        {PinStateStyle::Plain, "\r\n+CPIN: SIM PIN\r\n\r\nOK\r\n", "\r\n+CPIN: READY\r\n\r\nOK\r\n"},
        {PinStateStyle::Quoted, "\r\n+CPIN: \"SIM PIN\"\r\n\r\nOK\r\n", "\r\n+CPIN: \"READY\"\r\n\r\nOK\r\n"},
        {PinStateStyle::NoOk, "\r\n+CPIN: SIM PIN\r\n", "\r\n+CPIN: READY\r\n"},
    };
    for (const auto& r : rows) {
        PhoneOptions o = Quiet();
        o.pin = "1234";
        o.pinStateStyle = r.style;
        o.announcements = {"+PACSP0", "Call Ready"};
        SimulatedPhone phone{o};
        Converse(phone, {
                            {"ate0\r", "\r\nOK\r\n"},
                            {"at+cpin?\r", r.locked},
                            {"at+cpin=\"1234\"\r", "\r\n+PACSP0\r\n\r\nOK\r\n"},
                            {"at+cpin?\r", "\r\nCall Ready\r\n" + r.open},
                            {"at+cgmi\r", "\r\nVELMORA\r\n\r\nOK\r\n"},
                        });
    }
    // Without a PIN the SIM is open from the first ate0.
    PhoneOptions o = Quiet();
    o.announcements = {"SMS Ready"};
    SimulatedPhone phone{o};
    Converse(phone, {
                        {"at\r", "\r\nOK\r\n"},
                        {"ate0\r", "\r\nOK\r\n"},
                        {"at+cgmi\r", "\r\nSMS Ready\r\n\r\nVELMORA\r\n\r\nOK\r\n"},
                    });
}

TEST(SimulatedPhone, SubmitsAPduAndChecksItsLength) {
    SimulatedPhone phone{Quiet()};
    Converse(phone, {
                        {"at+cmgs=18\r", "\r\nERROR\r\n"}, // not in PDU mode yet
                        {"at+cmgf=0\r", "\r\nOK\r\n"},
                        {"at+cmgs=18\r", "\r\n> "},
                        {kPdu.substr(0, 10), ""}, // the PDU may come in pieces
                        {"\r\n" + kPdu.substr(10) + "\x1A\r", "\r\n+CMGS: 1\r\n\r\nOK\r\n"},
                        {"at+cmgs=17\r", "\r\n> "},
                        {kPdu + "\x1A", "\r\n+CMS ERROR: 304\r\n"},
                        {"at+cmgs=1\r", "\r\n> "},
                        {"00G\x1A", "\r\n+CMS ERROR: 304\r\n"},
                        // a service-centre address of 7 octets is not counted
                        {"at+cmgs=18\r", "\r\n> "},
                        {"07912658150000F0" + kPdu.substr(2) + "\x1A", "\r\n+CMGS: 2\r\n\r\nOK\r\n"},
                        {"at+cmgs=18\r", "\r\n> "},
                        {"0011\x1B", "\r\nOK\r\n"}, // escape abandons the message
                        {"at+cmgs=0\r", "\r\nERROR\r\n"},
                    });
    EXPECT_EQ(phone.Pdus().size(), 4u); // the abandoned one is not a PDU received
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
                         {"at+cgmr\r", "\r\n1.00\r\n\r\nOK\r\n"}});
    }
}

TEST(SimulatedPhone, RefusesTheLengthWithTheGivenAnswer) {
    PhoneOptions o = Quiet();
    o.lengthRefusal = "+CME ERROR: SIM PIN required";
    SimulatedPhone phone{o};
    Converse(phone, {{"at+cmgf=0\r", "\r\nOK\r\n"},
                     {"at+cmgs=18\r", "\r\n+CME ERROR: SIM PIN required\r\n"},
                     {kPdu + "\x1A\r", "\r\nERROR\r\n"}, // no prompt: the PDU reads as a bad command
                     {"at+cgmr\r", "\r\n1.00\r\n\r\nOK\r\n"}});
    EXPECT_TRUE(phone.Pdus().empty());
}

TEST(SimulatedPhone, SignalPhonebookAndOperators) {
    PhoneOptions o = Quiet();
    o.csq = {CsqAnswer{CsqAnswer::Values, "17", "99"}, CsqAnswer{CsqAnswer::Error, "", ""},
             CsqAnswer{CsqAnswer::None, "", ""}, CsqAnswer{CsqAnswer::Values, "31", "0"}};
    o.phonebook = {{9, "0812", "Late"}, {2, "+628569999999", "Sari, office"}};
    o.operators = {{"51001", "INDOSAT"}};
    SimulatedPhone phone{o};
    Converse(phone, {
                        {"at+csq\r", "\r\n+CSQ: 17,99\r\n\r\nOK\r\n"},
                        {"at+csq\r", "\r\nERROR\r\n"},
                        {"at+csq\r", ""},
                        {"at+csq\r", "\r\n+CSQ: 31,0\r\n\r\nOK\r\n"},
                        {"at+csq\r", "\r\n+CSQ: 31,0\r\n\r\nOK\r\n"}, // the last repeats
                        {"at+cpbr=2\r", "\r\n+CPBR: 2,\"+628569999999\",145,\"Sari, office\"\r\n\r\nOK\r\n"},
                        {"at+cpbr=3\r", "\r\n+CME ERROR: 22\r\n"},
                        {"at+cpbr=251\r", "\r\n+CME ERROR: 21\r\n"},
                        {"at+cpbr=3,9\r", "\r\n+CPBR: 9,\"0812\",129,\"Late\"\r\n\r\nOK\r\n"},
                        {"at+cpbr=\r", "\r\nERROR\r\n"},
                        {"at+copn\r", "\r\n+COPN: \"51001\",\"INDOSAT\"\r\n\r\nOK\r\n"},
                    });
}

TEST(SimulatedPhone, SlowAndChunkedAnswers) {
    PhoneOptions o = Quiet();
    o.replyDelayMs = 700;
    o.chunkSize = 5;
    o.chunkDelayMs = 250;
    SimulatedPhone phone{o};
    const auto out = phone.Receive("at+cgmi\r");
    const std::vector<std::string> pieces{"\r\nVEL", "MORA\r", "\n\r\nOK", "\r\n"};
    ASSERT_EQ(out.size(), pieces.size());
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        EXPECT_EQ(out[i].bytes, pieces[i]);
        EXPECT_EQ(out[i].delayMs, i == 0 ? 700 : 250);
    }
}

TEST(SimulatedPhone, DropsTheLineOnInputAfterItsLastCommand) {
    PhoneOptions o = Quiet();
    o.vanishAfter = 2;
    SimulatedPhone phone{o};
    EXPECT_EQ(Joined(phone.Receive("ate0\rat+cgmi\r")), "\r\nOK\r\n\r\nVELMORA\r\n\r\nOK\r\n");
    EXPECT_FALSE(phone.LineDropped());
    EXPECT_TRUE(phone.Receive("at+cgmm\r").empty());
    EXPECT_TRUE(phone.LineDropped());
}

TEST(SimulatedPhone, AnswersItsImeiOrErrorWithoutOne) {
    const struct {
        const char* imei;
        std::string answer;
    } rows[] = {
        {nullptr, "\r\n354812345678908\r\n\r\nOK\r\n"}, // the default
        {"862012034567893", "\r\n862012034567893\r\n\r\nOK\r\n"},
        {"", "\r\nERROR\r\n"},
    };
    for (const auto& row : rows) {
        PhoneOptions o = Quiet();
        if (row.imei)
            o.imei = row.imei;
        o.pin = "1234"; // the IMEI is the device's: no PIN needed
        SimulatedPhone phone{o};
        EXPECT_EQ(Joined(phone.Receive("AT+CGSN\r")), row.answer) << (row.imei ? row.imei : "default");
    }
}

TEST(SimulatedPhone, HangsAfterItsLastCommandWithoutDroppingTheLine) {
    PhoneOptions o;
    o.hangAfter = 2;
    SimulatedPhone phone{o};
    EXPECT_EQ(Joined(phone.Receive("ate0\rat+cgmi\r")), "ate0\r\r\nOK\r\n\r\nVELMORA\r\n\r\nOK\r\n");
    EXPECT_TRUE(phone.Hung());
    // Not even the echo, and the line stays.
    EXPECT_TRUE(phone.Receive("at\r").empty());
    EXPECT_TRUE(phone.Receive("\x1b").empty());
    EXPECT_FALSE(phone.LineDropped());
}

TEST(PhoneSimArguments, TheModemsIdentityAndWaysToFail) {
    const struct {
        std::vector<std::string> words;
        std::string error;
    } rows[] = {
        {{"--imei", "862012034567893", "--hang-after", "3", "--replug-link", "/tmp/x"}, ""},
        {{"--imei", ""}, ""},
        {{"--imei"}, "--imei needs a text"},
        {{"--hang-after", "0"}, "--hang-after needs a command count of at least 1"},
        {{"--replug-link", ""}, "--replug-link needs a path"},
    };
    for (const auto& row : rows) {
        Arguments args;
        EXPECT_EQ(ParseArguments(row.words, args), row.error) << row.words.front();
    }
    Arguments args;
    ASSERT_EQ(
        ParseArguments({"--imei", "862012034567893", "--hang-after", "3", "--replug-link", "/tmp/x"}, args),
        "");
    EXPECT_EQ(args.phone.imei, "862012034567893");
    EXPECT_EQ(args.phone.hangAfter, 3);
    EXPECT_EQ(args.replugLink, "/tmp/x");
}

TEST(SimulatedPhone, PhonebookAndOperatorFiles) {
    std::vector<PhonebookEntry> book;
    EXPECT_EQ(ParsePhonebookFile("# mine\r\n\r\n 250 , 0812 ,Sari, office\n", book), "");
    ASSERT_EQ(book.size(), 1u);
    EXPECT_EQ(book[0].index, 250);
    EXPECT_EQ(book[0].number, "0812");
    EXPECT_EQ(book[0].name, "Sari, office");
    // A place past the book's size is refused once the size is known
    // (PhoneSimArguments); past the largest book, already here.
    for (const char* bad : {"1,0812\n", "0,0812,A\n", "10000,0812,A\n", "x,0812,A\n"})
        EXPECT_EQ(ParsePhonebookFile(std::string("1,2,ok\n") + bad, book).rfind("line 2:", 0), 0u) << bad;

    std::vector<OperatorEntry> ops;
    EXPECT_EQ(ParseOperatorFile("#x\n51010,TELKOMSEL, ID\n", ops), "");
    ASSERT_EQ(ops.size(), 1u);
    EXPECT_EQ(ops[0].name, "TELKOMSEL, ID");
    EXPECT_EQ(ParseOperatorFile("51001\n", ops), "line 1: expected CODE,NAME");
}

// +628569999999 to the phone: "Hello"; 24 octets after the service-centre part.
const std::string kDeliver = "0791261895000000040C9126589699999900006221801200008205C8329BFD06";
const std::string kOk = "\r\nOK\r\n";

// A listed or read message: its PDU right on the next line.
std::string Stored(const std::string& head, const std::string& pdu) { return head + "\r\n" + pdu; }
std::string Answer(const std::string& info) { return "\r\n" + info + "\r\n" + kOk; }

TEST(SimulatedPhone, ListsReadsAndDeletesTheSimsMessages) {
    PhoneOptions o = Quiet();
    o.inbox = {kDeliver, kPdu};
    SimulatedPhone phone{o};
    Converse(phone, {
                        {"at+cmgl=4\r", "\r\nERROR\r\n"}, // not in PDU mode yet
                        {"at+cpms=?\r", Answer("+CPMS: (\"SM\",\"ME\"),(\"SM\",\"ME\"),(\"SM\",\"ME\")")},
                        {"at+cpms?\r", Answer("+CPMS: \"SM\",2,30,\"SM\",2,30,\"SM\",2,30")},
                        {"at+cmgf=0\r", kOk},
                        {"at+cmgl=4\r", Answer(Stored("+CMGL: 1,0,,24", kDeliver) + "\r\n" +
                                               Stored("+CMGL: 2,3,,18", kPdu))},
                        {"at+cmgl=0\r", kOk}, // listed, so read
                        {"at+cmgr=1\r", Answer(Stored("+CMGR: 1,,24", kDeliver))},
                        {"at+cmgd=1\r", kOk},
                        {"at+cmgr=1\r", "\r\n+CMS ERROR: 321\r\n"},
                        {"at+cmgd=1\r", "\r\n+CMS ERROR: 321\r\n"},
                        {"at+cmgr=31\r", "\r\n+CMS ERROR: 321\r\n"},
                        {"at+cpms=\"XX\"\r", "\r\n+CMS ERROR: 302\r\n"},
                        {"at+cpms=\"ME\"\r", Answer("+CPMS: 0,50,1,30,1,30")},
                        {"at+cmgl=4\r", kOk},
                        {"at+cmgr=2\r", "\r\n+CMS ERROR: 321\r\n"},
                        {"at+cpms=\"SM\",\"ME\"\r", Answer("+CPMS: 1,30,0,50,1,30")},
                        {"at+cmgr=2\r", Answer(Stored("+CMGR: 3,,18", kPdu))},
                    });
}

TEST(SimulatedPhone, AnnouncesAMessageThatArrivesOnlyAfterMt1) {
    const struct {
        const char* cnmi;
        std::string announced;
    } rows[] = {
        {"", ""},
        {"at+cnmi=2,1,0,0,0\r", "\r\n+CMTI: \"SM\",3\r\n"},
        {"at+cnmi=2,1,0,1,0\r", "\r\n+CMTI: \"SM\",3\r\n"},
        {"at+cnmi=2,0,0,0,0\r", ""},
    };
    for (const auto& r : rows) {
        PhoneOptions o = Quiet();
        o.inbox = {kDeliver, kPdu};
        o.deliveries = {{1500, kDeliver}};
        SimulatedPhone phone{o};
        const auto connected = phone.Receive("ate0\r");
        ASSERT_EQ(connected.size(), 2u) << r.cnmi;
        EXPECT_EQ(connected[1].delivery, 1);
        EXPECT_EQ(connected[1].delayMs, 1500);
        EXPECT_TRUE(connected[1].apart);
        EXPECT_EQ(phone.Receive("ate0\r").size(), 1u) << "scheduled again";
        Converse(phone, {{r.cnmi, *r.cnmi ? kOk : ""}});
        const auto arrival = phone.Deliver(1);
        EXPECT_EQ(Joined(arrival), r.announced) << r.cnmi;
        EXPECT_TRUE(std::all_of(arrival.begin(), arrival.end(), [](const Output& a) { return a.apart; }));
        // Stored whether told or not, unread until read once.
        Converse(phone, {{"at+cmgf=0\r", kOk},
                         {"at+cmgr=3\r", Answer(Stored("+CMGR: 0,,24", kDeliver))},
                         {"at+cmgr=3\r", Answer(Stored("+CMGR: 1,,24", kDeliver))}});
    }
}

TEST(SimulatedPhone, InboxFile) {
    std::vector<std::string> pdus;
    EXPECT_EQ(ParseInboxFile("# mine\n\n " + kDeliver + "\r\n" + kPdu + "\n", pdus), "");
    EXPECT_EQ(pdus, (std::vector<std::string>{kDeliver, kPdu}));
    const struct {
        std::string line, why;
    } rows[] = {
        {"0G11", "expected a PDU in hex"},
        {"07912658150000", "the PDU is shorter than its service-centre part"},
        {"0006050C91", "the PDU is neither an SMS-DELIVER nor an SMS-SUBMIT"}, // a status report
    };
    for (const auto& r : rows)
        EXPECT_EQ(ParseInboxFile(kPdu + "\n" + r.line + "\n", pdus), "line 2: " + r.why) << r.line;
}

// The reply shapes of real phones, each behind its option.
TEST(SimulatedPhone, AnswersInTheShapesRealPhonesUse) {
    const struct {
        const char* shape;
        void (*set)(PhoneOptions&);
        std::vector<Step> steps;
    } rows[] = {
        {"numbered from 0",
         [](PhoneOptions& o) { o.firstIndex = 0; },
         {{"at+cmgl=4\r",
           Answer(Stored("+CMGL: 0,0,,24", kDeliver) + "\r\n" + Stored("+CMGL: 1,3,,18", kPdu))},
          {"at+cmgr=0\r", Answer(Stored("+CMGR: 1,,24", kDeliver))},
          {"at+cmgr=2\r", "\r\n+CMS ERROR: 321\r\n"},
          {"at+cmgd=0\r", kOk}}},
        {"^RSSI on a line of its own inside a PDU",
         [](PhoneOptions& o) { o.listUrc = ListUrc::Line; },
         {{"at+cmgl=4\r",
           Answer(
               Stored("+CMGL: 1,0,,24", kDeliver.substr(0, 33) + "\r\n^RSSI:19\r\n" + kDeliver.substr(33)) +
               "\r\n" +
               Stored("+CMGL: 2,3,,18", kPdu.substr(0, 19) + "\r\n^RSSI:19\r\n" + kPdu.substr(19)))}}},
        {"^RSSI glued to half a PDU",
         [](PhoneOptions& o) { o.listUrc = ListUrc::Glued; },
         {{"at+cmgl=1\r", kOk},
          {"at+cmgl=0\r",
           Answer(Stored("+CMGL: 1,0,,24", kDeliver.substr(0, 33) + "^RSSI:19\r\n" + kDeliver.substr(33)))}}},
        {"the index repeated",
         [](PhoneOptions& o) { o.readShape = ReadShape::Index; },
         {{"at+cmgr=2\r", Answer(Stored("+CMGR: 2,3,,18", kPdu))}}},
        {"a name",
         [](PhoneOptions& o) { o.readShape = ReadShape::Alpha; },
         {{"at+cmgr=1\r", Answer(Stored("+CMGR: 0,\"Budi, home\",24", kDeliver))}}},
        {"the length alone",
         [](PhoneOptions& o) { o.readShape = ReadShape::Length; },
         {{"at+cmgr=1\r", Answer(Stored("+CMGR: 24", kDeliver))}}},
        {"an empty status",
         [](PhoneOptions& o) { o.readShape = ReadShape::EmptyStat; },
         {{"at+cmgr=2\r", Answer(Stored("+CMGR: ,,18", kPdu))}}},
        {"status and length",
         [](PhoneOptions& o) { o.readShape = ReadShape::Two; },
         {{"at+cmgr=2\r", Answer(Stored("+CMGR: 3,18", kPdu))}}},
        {"a stray quote ending the PDU line",
         [](PhoneOptions& o) { o.readShape = ReadShape::StrayQuote; },
         {{"at+cmgr=2\r", Answer(Stored("+CMGR: 3,,18", kPdu + "\""))}}},
        {"a blank between header and PDU",
         [](PhoneOptions& o) { o.readShape = ReadShape::Blank; },
         {{"at+cmgr=2\r", Answer("+CMGR: 3,,18 " + kPdu)}}},
        {"text mode",
         [](PhoneOptions& o) { o.readShape = ReadShape::Text; },
         {{"at+cmgr=1\r",
           Answer("+CMGR: \"REC UNREAD\",\"+628569999999\",,\"26/12/08,21:00:00+28\"\r\nHello")}}},
        {"the storages in nested lists",
         [](PhoneOptions& o) { o.storagesOffered = "+CPMS: ((\"SM\",\"BM\",\"SR\"),(\"SM\"))"; },
         {{"at+cpms=?\r", Answer("+CPMS: ((\"SM\",\"BM\",\"SR\"),(\"SM\"))")}}},
        {"ERROR to the SIM store",
         [](PhoneOptions& o) { o.refusedStores = {"SM"}; },
         {{"at+cpms=\"SM\"\r", "\r\nERROR\r\n"}, {"at+cpms=\"ME\"\r", Answer("+CPMS: 0,50,2,30,2,30")}}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.shape);
        PhoneOptions o = Quiet();
        o.inbox = {kDeliver, kPdu};
        r.set(o);
        SimulatedPhone phone{o};
        Converse(phone, {{"at+cmgf=0\r", kOk}});
        Converse(phone, r.steps);
    }
}

} // namespace
} // namespace velmora::phonesim

namespace velmora::phonesim {
namespace {

// What one AT+CUSD command gives: the answer, then the network's line apart
// ("" when none comes).
struct UssdStep {
    std::string in, answer, network;
};

void UssdConverse(SimulatedPhone& phone, const std::vector<UssdStep>& steps) {
    for (const auto& s : steps) {
        std::string answer, network;
        for (const Output& o : phone.Receive(s.in))
            (o.apart ? network : answer) += o.bytes;
        EXPECT_EQ(answer, s.answer) << s.in;
        EXPECT_EQ(network, s.network) << s.in;
    }
}

const std::string kBalance = "Sisa pulsa Anda Rp 12.500, aktif s/d 31-12-2026. Info: *123*1#";

TEST(SimulatedPhoneUssd, AnswersCodesAndMenusAsTheNetworkWould) {
    SimulatedPhone phone{Quiet()};
    UssdConverse(
        phone,
        {
            {"AT+CUSD=1,\"*123#\",15\r", "\r\nOK\r\n", "\r\n+CUSD: 0,\"" + kBalance + "\",15\r\n"},
            {"AT+CUSD=1,\"*888#\",15\r", "\r\nOK\r\n", "\r\n+CUSD: 1,\"1. Paket data\n2. Pulsa\",15\r\n"},
            {"AT+CUSD=1,\"2\",15\r", "\r\nOK\r\n", "\r\n+CUSD: 0,\"Sisa pulsa Anda Rp 12.500\",15\r\n"},
            // Out of the menu, a reply is a code it does not know.
            {"AT+CUSD=1,\"2\",15\r", "\r\nOK\r\n", "\r\n+CUSD: 4\r\n"},
            {"AT+CUSD=1,\"*888#\",15\r", "\r\nOK\r\n", "\r\n+CUSD: 1,\"1. Paket data\n2. Pulsa\",15\r\n"},
            {"AT+CUSD=2\r", "\r\nOK\r\n", ""},
            {"AT+CUSD=1,\"1\",15\r", "\r\nOK\r\n", "\r\n+CUSD: 4\r\n"},
            {"AT+CUSD=1,\"*555#\",15\r", "\r\nOK\r\n", ""},
            {"AT+CUSD=1,*123#\r", "\r\nERROR\r\n", ""},
        });
}

TEST(SimulatedPhoneUssd, APackedStickRefusesOrGarblesText) {
    const struct {
        bool garbles, ucs2;
        std::string textAnswer, textNetwork, balance;
    } rows[] = {
        {false, false, "\r\n+CME ERROR: 100\r\n", "",
         "D3F43C0C82D7D9F33028E82687415238282673D56030"}, // "Sisa pulsa Anda Rp 12.500"
        {true, false, "\r\nOK\r\n", "\r\n+CUSD: 4\r\n", "D3F43C0C82D7D9F33028E82687415238282673D56030"},
    };
    for (const auto& r : rows) {
        PhoneOptions o = Quiet();
        o.ussdPacked = true;
        o.ussdGarbles = r.garbles;
        SimulatedPhone phone{o};
        UssdConverse(phone,
                     {
                         {"AT+CUSD=1,\"*888#\",15\r", r.textAnswer, r.textNetwork},
                         {"AT+CUSD=1,\"2A1C0E3702\",15\r", "\r\nOK\r\n",
                          "\r\n+CUSD: 1,\"3117081A5E97E92072981E56C85C20689D3D0F03\",15\r\n"},
                         {"AT+CUSD=1,\"32\",15\r", "\r\nOK\r\n", "\r\n+CUSD: 0,\"" + r.balance + "\",15\r\n"},
                     });
    }
}

TEST(SimulatedPhoneUssd, AnswersInUcs2AfterItsDelay) {
    PhoneOptions o = Quiet();
    o.ussdUcs2 = true;
    o.ussdDelayMs = 1500;
    SimulatedPhone phone{o};
    const std::vector<Output> out = phone.Receive("AT+CUSD=1,\"*888#\",15\r");
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[1].delayMs, 1500);
    EXPECT_TRUE(out[1].apart);
    EXPECT_EQ(
        out[1].bytes,
        "\r\n+CUSD: "
        "1,\"0031002E002000500061006B0065007400200064006100740061000A0032002E002000500075006C00730061\","
        "72\r\n");
}

TEST(SimulatedPhoneUssd, OptionsKeepTheirDefaults) {
    Arguments plain;
    ASSERT_EQ(ParseArguments({}, plain), "");
    EXPECT_FALSE(plain.phone.ussdPacked);
    EXPECT_FALSE(plain.phone.ussdUcs2);
    EXPECT_EQ(plain.phone.ussdDelayMs, 300);
    Arguments given;
    ASSERT_EQ(ParseArguments({"--ussd-packed", "--ussd-garbles", "--ussd-ucs2", "--ussd-delay", "0",
                              "--ussd-record", "/tmp/x"},
                             given),
              "");
    EXPECT_TRUE(given.phone.ussdPacked && given.phone.ussdGarbles && given.phone.ussdUcs2);
    EXPECT_EQ(given.phone.ussdDelayMs, 0);
    EXPECT_EQ(given.phone.ussdRecordFile, "/tmp/x");
    Arguments bad;
    EXPECT_EQ(ParseArguments({"--ussd-delay", "soon"}, bad), "--ussd-delay needs milliseconds");
    EXPECT_NE(std::string(HelpText()).find("--ussd-packed"), std::string::npos);
}

// The phone book a program writes: each step's answer, then what the book
// reads back.
TEST(SimulatedPhone, KeepsWhatIsWrittenToItsPhoneBook) {
    PhoneOptions o;
    o.echo = false;
    o.phonebookSize = 5;
    o.numberLength = 6;
    o.nameLength = 7;
    o.phonebook = {{2, "0812", "Sari"}};
    SimulatedPhone phone{o};
    Converse(phone, {
                        {"at+cpbr=?\r", "\r\n+CPBR: (1-5),6,7\r\n\r\nOK\r\n"},
                        {"at+cpbw=1,\"+62811\",145,\"Budi\"\r", "\r\nOK\r\n"},
                        {"at+cpbr=1,5\r", "\r\n+CPBR: 1,\"+62811\",145,\"Budi\"\r\n"
                                          "\r\n+CPBR: 2,\"0812\",129,\"Sari\"\r\n\r\nOK\r\n"},
                        {"at+cpbw=,\"0813\",129,\"Ani\"\r", "\r\nOK\r\n"}, // the first free place
                        {"at+cpbr=3\r", "\r\n+CPBR: 3,\"0813\",129,\"Ani\"\r\n\r\nOK\r\n"},
                        {"at+cpbw=2\r", "\r\nOK\r\n"},
                        {"at+cpbr=2\r", "\r\n+CME ERROR: 22\r\n"},
                        {"at+cpbw=2\r", "\r\nOK\r\n"}, // empty already
                        {"at+cpbw=6,\"0813\",129,\"Ani\"\r", "\r\n+CME ERROR: 21\r\n"},
                        {"at+cpbw=0\r", "\r\n+CME ERROR: 21\r\n"},
                        {"at+cpbw=4,\"0813\",129,\"Alexandra\"\r", "\r\n+CME ERROR: 24\r\n"},
                        {"at+cpbw=4,\"+6281234\",145,\"Ani\"\r", "\r\n+CME ERROR: 26\r\n"},
                        {"at+cpbw=4,\"08ab\",129,\"Ani\"\r", "\r\n+CME ERROR: 27\r\n"},
                        {"at+cpbw=4,\"0813\",999,\"Ani\"\r", "\r\nERROR\r\n"},
                    });
}

TEST(SimulatedPhone, NamesAndChangesItsCharacterSet) {
    PhoneOptions o;
    o.echo = false;
    o.nameLength = 7; // three characters in UCS2
    o.charsets = {"GSM", "UCS2"};
    SimulatedPhone phone{o};
    Converse(phone, {
                        {"at+cscs?\r", "\r\n+CSCS: \"GSM\"\r\n\r\nOK\r\n"},
                        {"at+cscs=?\r", "\r\n+CSCS: (\"GSM\",\"UCS2\")\r\n\r\nOK\r\n"},
                        {"at+cscs=\"IRA\"\r", "\r\n+CME ERROR: 4\r\n"},
                        {"AT+CSCS=\"ucs2\"\r", "\r\nOK\r\n"},
                        {"at+cscs?\r", "\r\n+CSCS: \"UCS2\"\r\n\r\nOK\r\n"},
                        {"at+cpbw=1,\"0812\",129,\"005A006F00EB\"\r", "\r\nOK\r\n"},
                        {"at+cpbw=2,\"0812\",129,\"005A006F00EB0020\"\r", "\r\n+CME ERROR: 24\r\n"},
                        {"at+cpbw=2,\"0812\",129,\"Zo\"\r", "\r\n+CME ERROR: 25\r\n"},
                        {"at+cpbw=2,\"0812\",129,\"4E2D\"\r", "\r\nOK\r\n"},
                        {"at+cscs=\"GSM\"\r", "\r\nOK\r\n"},
                        // Read back in the phone's set: past Latin-1 is "?".
                        {"at+cpbr=1,2\r", "\r\n+CPBR: 1,\"0812\",129,\"Zo\xEB\"\r\n"
                                          "\r\n+CPBR: 2,\"0812\",129,\"?\"\r\n\r\nOK\r\n"},
                    });
}

} // namespace
} // namespace velmora::phonesim

namespace velmora::phonesim {
namespace {

TEST(PhoneSimArguments, ThePhoneBooksShape) {
    const struct {
        std::vector<std::string> words;
        std::string error;
    } rows[] = {
        {{"--phonebook-size", "99", "--number-length", "20", "--name-length", "14"}, ""},
        {{"--charset", "UCS2", "--charsets", "IRA,UCS2"}, ""},
        {{"--phonebook-size", "0"}, "--phonebook-size needs a number of places from 1 to 9999"},
        {{"--name-length", "x"}, "--name-length needs a number of octets from 1 to 241"},
        {{"--charset", "IRA", "--charsets", "GSM,UCS2"}, "--charset IRA is not one of --charsets"},
        {{"--charsets"}, "--charsets needs a list such as GSM,IRA,UCS2"},
    };
    const std::string dir = testing::TempDir("phonesim-book");
    std::ofstream(dir + "/book.txt") << "3,0812,Sari\n";
    Arguments sized;
    EXPECT_EQ(ParseArguments({"--phonebook", dir + "/book.txt", "--phonebook-size", "2"}, sized),
              "--phonebook: place 3 is past the phone book's 2 places");
    for (const auto& row : rows) {
        Arguments args;
        EXPECT_EQ(ParseArguments(row.words, args), row.error) << row.words.front();
    }
    Arguments args;
    ASSERT_EQ(ParseArguments({"--phonebook-size", "99", "--name-length", "14", "--charsets", "IRA,UCS2",
                              "--charset", "IRA"},
                             args),
              "");
    EXPECT_EQ(args.phone.phonebookSize, 99);
    EXPECT_EQ(args.phone.nameLength, 14);
    EXPECT_EQ(args.phone.charsets, (std::vector<std::string>{"IRA", "UCS2"}));
}

} // namespace
} // namespace velmora::phonesim
