// The phone's answers about its stores, as phones and modems write them:
// each list fed as the classic dialogue hands it over (the raw reply) and as
// the fast one does (through the reader, whole, a byte at a time and cut in
// two at every place).

#include "StoreReplies.h"
#include "AtReader.h"

#include <gtest/gtest.h>

namespace velmora {

// Readable failures.
void PrintTo(const StoreEntry& e, std::ostream* os) {
    *os << "{" << (e.index ? std::to_string(*e.index) : "-") << "," << e.status << "," << e.pdu << "}";
}
void PrintTo(const UnreadEntry& u, std::ostream* os) {
    *os << "{" << (u.index ? std::to_string(*u.index) : "-") << ",\"" << u.why << "\"}";
}
void PrintTo(const StoreList& l, std::ostream* os) {
    *os << "entries " << ::testing::PrintToString(l.entries) << " unread "
        << ::testing::PrintToString(l.unread) << " refused \"" << l.refused << "\"";
}
void PrintTo(const StoreRead& r, std::ostream* os) {
    *os << "outcome " << static_cast<int>(r.outcome) << " entry " << ::testing::PrintToString(r.entry)
        << " why \"" << r.why << "\"";
}

namespace {

// A DELIVER (24 octets after its service-centre part), a SUBMIT (18), and a
// status report (25) whose fields leave the optional ones out.
const std::string kDeliver = "0791261895000000040C9126589699999900006221801200008205C8329BFD06";
const std::string kSubmit = "0001000C91265896999999000005C8329BFD06";
const std::string kReport = "0006070C912658969999996221801200000062218012000000"
                            "00";
// A UCS2 DELIVER with a concatenation header (35 octets): part 1 of 2.
const std::string kPart = "00440C912658969999990008622180120000821005000307020100480065006C006C006F";

// Cut at `at`, with what a modem puts in between.
std::string Cut(const std::string& pdu, std::size_t at, const std::string& between) {
    return pdu.substr(0, at) + between + pdu.substr(at);
}

struct ListCase {
    const char* phone;
    std::string reply;
    StoreList list;
};

std::vector<ListCase> ListCases() {
    using U = UnreadEntry;
    return {
        {"Huawei E1550 numbers its store from 0",
         "\r\n+CMGL: 0,0,,24\r\n" + kDeliver + "\r\n+CMGL: 1,1,,35\r\n" + kPart + "\r\n\r\nOK\r\n",
         {{{0, 0, kDeliver}, {1, 1, kPart}}, {}, ""}},
        {"Huawei E1550 sends ^RSSI on a line of its own inside a PDU",
         "\r\n+CMGL: 0,1,,24\r\n" + Cut(kDeliver, 31, "\r\n^RSSI:19\r\n") + "\r\n+CMGL: 1,3,,18\r\n" +
             kSubmit + "\r\n\r\nOK\r\n",
         {{{0, 1, kDeliver}, {1, 3, kSubmit}}, {}, ""}},
        {"Huawei E173 glues ^BOOT to the first half of a PDU",
         "\r\n+CMGL: 2,1,,35\r\n" + Cut(kPart, 40, "^BOOT:20393060,0,0,0,72\r\n") + "\r\n\r\nOK\r\n",
         {{{2, 1, kPart}}, {}, ""}},
        {"Huawei E1550 sends ^RSSI between a header and its PDU",
         "\r\n+CMGL: 4,1,,24\r\n^RSSI:19\r\n" + kDeliver + "\r\n\r\nOK\r\n",
         {{{4, 1, kDeliver}}, {}, ""}},
        {"ZTE MF626 announces a message in the middle of a list",
         "\r\n+CMGL: 0,1,,24\r\n" + kDeliver + "\r\n+CMTI: \"SM\",2\r\n+CMGL: 1,3,,18\r\n" + kSubmit +
             "\r\n\r\nOK\r\n",
         {{{0, 1, kDeliver}, {1, 3, kSubmit}}, {}, ""}},
        {"Nokia 6230i names the sender, with a comma",
         "\r\n+CMGL: 1,0,,24\r\n" + kDeliver + "\r\n+CMGL: 12,3,\"Ann, home\",18\r\n" + kSubmit +
             "\r\n\r\nOK\r\n",
         {{{1, 0, kDeliver}, {12, 3, kSubmit}}, {}, ""}},
        {"Telit GL865 quotes an empty name",
         "\r\n+CMGL: 3,1,\"\",24\r\n" + kDeliver + "\r\n\r\nOK\r\n",
         {{{3, 1, kDeliver}}, {}, ""}},
        {"Siemens MC35i leaves the name field out, a blank line before the PDU",
         "+CMGL: 2,1,24\r\n\r\n" + kDeliver + "\r\n",
         {{{2, 1, kDeliver}}, {}, ""}},
        {"Sierra MC8795 miscounts a length: the PDU's own fields decide",
         "\r\n+CMGL: 1,0,,23\r\n" + kDeliver + "\r\n+CMGL: 2,1,,19\r\n" + kReport + "\r\n\r\nOK\r\n",
         {{{1, 0, kDeliver}, {2, 1, kReport}}, {}, ""}},
        {"a PDU cut short is named",
         "\r\n+CMGL: 1,0,,24\r\n" + kDeliver.substr(0, 40),
         {{}, {U{1, "its PDU is cut short"}}, ""}},
        {"a PDU with more than its fields say is garbled",
         "\r\n+CMGL: 5,1,,18\r\n" + kSubmit + "0000\r\n\r\nOK\r\n",
         {{}, {U{5, "its PDU is garbled"}}, ""}},
        {"no PDU line before the next entry",
         "+CMGL: 1,0,,24\r\n+CMGL: 2,3,,18\r\n" + kSubmit + "\r\n",
         {{{2, 3, kSubmit}}, {U{1, "no PDU came with it"}}, ""}},
        {"a status out of range",
         "+CMGL: 1,7,,18\r\n" + kSubmit,
         {{}, {U{1, "its status 7 is none of 27.005's"}}, ""}},
        {"not hex",
         "+CMGL: 1,3,,18\r\n" + kSubmit.substr(0, 34) + "XYZW",
         {{}, {U{1, "its PDU is not hex"}}, ""}},
        {"a garbled index",
         "+CMGL: x,0,,24\r\n" + kDeliver + "\r\nOK\r\n",
         {{}, {U{std::nullopt, "its list line is garbled"}}, ""}},
        {"u-blox SARA in text mode",
         "\r\n+CMGL: 1,\"REC READ\",\"+628569999999\",,\"26/12/08,21:00:00+28\"\r\nHello\r\n\r\nOK\r\n",
         {{}, {}, "the phone listed it as text, not as PDUs"}},
        {"Wavecom Fastrack with an empty store", "\r\nOK\r\n", {}},
        {"Wavecom Q2438 ends each PDU line in a stray quote",
         "\r\n+CMGL: 1,0,,24\r\n" + kDeliver + "\"\r\n+CMGL: 2,3,,18\r\n" + kSubmit + "\"\r\n\r\nOK\r\n",
         {{{1, 0, kDeliver}, {2, 3, kSubmit}}, {}, ""}},
        {"Wavecom Q2438 gets ^RSSI inside a stray-quoted PDU and sends no final OK",
         "\r\n+CMGL: 0,1,,24\r\n" + Cut(kDeliver, 31, "\r\n^RSSI:19\r\n") + "\"\r\n+CMGL: 1,3,,18\r\n" +
             kSubmit + "\"\r\n",
         {{{0, 1, kDeliver}, {1, 3, kSubmit}}, {}, ""}},
        {"ZTE MF190 announces a message between two blank-separated PDUs",
         "\r\n+CMGL: 0,0,,24 " + kDeliver + "\r\n+CMTI: \"SM\",2\r\n+CMGL: 1,3,,18 " + kSubmit +
             "\r\n\r\nOK\r\n",
         {{{0, 0, kDeliver}, {1, 3, kSubmit}}, {}, ""}},
        {"ZTE MF190 puts each PDU after its header and a blank",
         "\r\n+CMGL: 1,0,,24 " + kDeliver + "\r\n+CMGL: 2,3,\"Ann, home\",18 " + kSubmit + "\r\n\r\nOK\r\n",
         {{{1, 0, kDeliver}, {2, 3, kSubmit}}, {}, ""}},
        {"Huawei E153 lists a PDU with an odd number of digits among whole ones",
         "\r\n+CMGL: 0,1,,18\r\n" + kSubmit + "\r\n+CMGL: 1,0,,24\r\n" + kDeliver.substr(0, 63) +
             "\r\n+CMGL: 2,1,,35\r\n" + kPart + "\r\n\r\nOK\r\n",
         {{{0, 1, kSubmit}, {2, 1, kPart}}, {U{1, "its PDU is cut short"}}, ""}},
        {"an odd number of digits, the last message listed",
         "\r\n+CMGL: 3,1,,24\r\n" + kDeliver + "\r\n+CMGL: 4,1,,18\r\n" + kSubmit.substr(1) +
             "\r\n\r\nOK\r\n",
         {{{3, 1, kDeliver}}, {U{4, "its PDU is cut short"}}, ""}},
        // A blank in a name is no PDU.
        {"Nokia 6230i names the sender with a blank and no length",
         "\r\n+CMGL: 12,3,\"Ann 08\"\r\n" + kSubmit + "\r\n\r\nOK\r\n",
         {{}, {U{12, "its header is garbled"}}, ""}},
    };
}

class ListTest : public ::testing::TestWithParam<ListCase> {};

// What the fast dialogue hands the parser: the reader's answer.
StoreList ThroughReader(const std::vector<std::string_view>& pieces) {
    AtReader reader;
    reader.Start("AT+CMGL=4\r");
    for (std::string_view piece : pieces)
        reader.Feed(piece);
    return ParseMessageList(reader.Answer());
}

TEST_P(ListTest, readsEveryListedMessageOrNamesIt) {
    const ListCase& c = GetParam();
    EXPECT_EQ(ParseMessageList(c.reply), c.list) << "classic";
    // The final line may not have come: the reader then holds the last line
    // back, as the fast dialogue's deadline would find it.
    const std::string ended = c.reply + "\r\n";
    EXPECT_EQ(ThroughReader({ended}), c.list) << "fast, whole";
    std::vector<std::string_view> bytes;
    for (std::size_t i = 0; i < ended.size(); ++i)
        bytes.push_back(std::string_view(ended).substr(i, 1));
    EXPECT_EQ(ThroughReader(bytes), c.list) << "fast, a byte at a time";
    for (std::size_t at = 1; at < ended.size(); ++at) {
        const std::string_view all(ended);
        ASSERT_EQ(ThroughReader({all.substr(0, at), all.substr(at)}), c.list) << "fast, cut at " << at;
    }
}

INSTANTIATE_TEST_SUITE_P(Phones, ListTest, ::testing::ValuesIn(ListCases()), [](const auto& info) {
    std::string n;
    for (const char* p = info.param.phone; *p; ++p)
        n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return n;
});

TEST(StoreReplies, theReaderHandsAGluedCodeToItsHandler) {
    AtReader reader;
    reader.Start("AT+CMGL=4\r");
    reader.Feed("\r\n+CMGL: 0,1,,24\r\n" + Cut(kDeliver, 31, "^RSSI:19\r\n") + "\r\n\r\nOK\r\n");
    EXPECT_EQ(reader.Lines(),
              (std::vector<std::string>{"+CMGL: 0,1,,24", kDeliver.substr(0, 31), kDeliver.substr(31)}));
    EXPECT_EQ(reader.TakeUnsolicited(), (std::vector<Unsolicited>{{"^RSSI:19", ""}}));
}

TEST(StoreReplies, aListOrAPduBeyondItsBoundsIsRefused) {
    const std::string huge = "\r\n+CMGL: 1,0,,24\r\n" + kDeliver + std::string(kListReplyLimit, '0');
    EXPECT_EQ(ParseMessageList(huge), (StoreList{{}, {}, "its list is longer than 1024 KiB"}));
    const std::string endless = "+CMGL: 1,0,,24\r\n" + std::string(402, '0') + "\r\nOK\r\n";
    EXPECT_EQ(ParseMessageList(endless),
              (StoreList{{}, {UnreadEntry{1, "its PDU is longer than 400 hex digits"}}, ""}));
}

struct ReadCase {
    const char* phone;
    std::string reply;
    StoreRead read;
};

std::vector<ReadCase> ReadCases() {
    using O = StoreRead::Outcome;
    const std::string ok = "\r\n\r\nOK\r\n";
    return {
        {"Wavecom Fastrack, as 27.005 writes it",
         "\r\n+CMGR: 1,,24\r\n" + kDeliver + ok,
         {O::Message, {std::nullopt, 1, kDeliver}, ""}},
        {"Nokia 6230i names the sender",
         "\r\n+CMGR: 3,\"Ann, home\",18\r\n" + kSubmit + ok,
         {O::Message, {std::nullopt, 3, kSubmit}, ""}},
        {"Sierra MC8795 repeats the index as a list does",
         "\r\n+CMGR: 4,1,,35\r\n" + kPart + ok,
         {O::Message, {4, 1, kPart}, ""}},
        {"Siemens MC35i gives the length alone",
         "\r\n+CMGR: 24\r\n" + kDeliver + ok,
         {O::Message, {std::nullopt, 0, kDeliver}, ""}},
        {"Huawei E1550 leaves the status empty",
         "\r\n+CMGR: ,,18\r\n" + kSubmit + ok,
         {O::Message, {std::nullopt, 3, kSubmit}, ""}},
        {"ZTE MF626 gives status and length",
         "\r\n+CMGR: 0,23\r\n" + kDeliver + ok,
         {O::Message, {std::nullopt, 0, kDeliver}, ""}},
        {"Huawei E1550 at index 0 with ^RSSI inside the PDU",
         "\r\n+CMGR: 0,0,,24\r\n" + Cut(kDeliver, 9, "^RSSI:19\r\n") + ok,
         {O::Message, {0, 0, kDeliver}, ""}},
        {"u-blox SARA, a stored status report",
         "\r\n+CMGR: 0,,25\r\n" + kReport + ok,
         {O::Message, {std::nullopt, 0, kReport}, ""}},
        {"Telit GL865 in text mode",
         "\r\n+CMGR: \"REC UNREAD\",\"+628123456789\",,\"26/12/09,10:00:00+28\"\r\nHello there\r\n" + ok,
         {O::NotPdu, {}, "the phone gave it as text, not as a PDU"}},
        {"a PDU that lost its first octet",
         "\r\n+CMGR: 0,,24\r\n" + kDeliver.substr(2) + "\r\n",
         {O::Unreadable, {}, "its PDU is garbled"}},
        {"a PDU cut short",
         "\r\n+CMGR: 4,0,,24\r\n" + kDeliver.substr(0, 60) + ok,
         {O::Unreadable, {4, 0, ""}, "its PDU is cut short"}},
        {"a header and no PDU", "\r\n+CMGR: 0,,24\r\n\r\nOK\r\n", {O::Unreadable, {}, "no PDU came with it"}},
        {"an empty place refused", "\r\n+CMS ERROR: 321\r\n", {O::Gone, {}, ""}},
        {"an empty place answered OK", "\r\nOK\r\n", {O::Gone, {}, ""}},
        {"Wavecom Q2438 ends the PDU line in a stray quote",
         "\r\n+CMGR: 0,,24\r\n" + kDeliver + "\"" + ok,
         {O::Message, {std::nullopt, 0, kDeliver}, ""}},
        {"Wavecom Q2438 ends a stray-quoted PDU with no final OK",
         "\r\n+CMGR: 0,,24\r\n" + kDeliver + "\"\r\n",
         {O::Message, {std::nullopt, 0, kDeliver}, ""}},
        {"ZTE MF190 gets +CMTI inside a PDU that follows a blank",
         "\r\n+CMGR: 1,,24 " + Cut(kDeliver, 20, "\r\n+CMTI: \"SM\",5\r\n") + ok,
         {O::Message, {std::nullopt, 1, kDeliver}, ""}},
        {"ZTE MF190 puts the PDU after its header and a blank",
         "\r\n+CMGR: 1,,24 " + kDeliver + ok,
         {O::Message, {std::nullopt, 1, kDeliver}, ""}},
        {"ZTE MF190 repeats the index and puts the PDU after a blank",
         "\r\n+CMGR: 4,1,,35  " + kPart + "\"" + ok,
         {O::Message, {4, 1, kPart}, ""}},
        {"a PDU after a blank cut short",
         "\r\n+CMGR: 1,,24 " + kDeliver.substr(0, 40) + ok,
         {O::Unreadable, {}, "its PDU is cut short"}},
    };
}

class ReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadTest, tellsAMessageFromAGonePlaceFromText) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(ParseMessageRead(c.reply), c.read) << "classic";
    AtReader whole, bytewise;
    whole.Start("AT+CMGR=1\r");
    bytewise.Start("AT+CMGR=1\r");
    whole.Feed(c.reply);
    for (char b : c.reply)
        bytewise.Feed(std::string_view(&b, 1));
    EXPECT_EQ(ParseMessageRead(whole.Answer()), c.read) << "fast, whole";
    EXPECT_EQ(ParseMessageRead(bytewise.Answer()), c.read) << "fast, a byte at a time";
}

INSTANTIATE_TEST_SUITE_P(Phones, ReadTest, ::testing::ValuesIn(ReadCases()), [](const auto& info) {
    std::string n;
    for (const char* p = info.param.phone; *p; ++p)
        n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return n;
});

TEST(StoreReplies, storagesAndTheirCounts) {
    using V = std::vector<std::string>;
    const struct {
        const char* phone;
        std::string reply;
        std::optional<std::vector<std::string>> storages; // none: the phone did not say
        std::optional<int> used;
        std::string current;
    } rows[] = {
        {"Wavecom Fastrack", "\r\n+CPMS: (\"SM\",\"ME\"),(\"SM\",\"ME\"),(\"SM\",\"ME\")\r\n\r\nOK\r\n",
         V{"SM", "ME"}, std::nullopt, ""},
        {"Siemens MC35i",
         "+CPMS: (\"ME\",\"SM\",\"SR\"),(\"ME\",\"SM\"),(\"ME\")",
         V{"ME", "SM", "SR"},
         {},
         ""},
        {"Sierra MC8795 nests the lists",
         "\r\n+CPMS: ((\"SM\",\"BM\",\"SR\"),(\"SM\"))\r\n\r\nOK\r\n",
         V{"SM", "BM", "SR"},
         {},
         ""},
        {"u-blox SARA answers nothing", "\r\n+CPMS: \r\n\r\nOK\r\n", {}, {}, ""},
        {"cut short", "+CPMS: (\"SM\",\"ME\"", {}, {}, ""},
        {"garbled names", "+CPMS: (\"sm\",\"A LONG ONE\",\"PM\"\"ME\")", {}, {}, ""},
        {"Huawei E1550 selected", "\r\n+CPMS: 3,30,3,30,3,30\r\n\r\nOK\r\n", {}, 3, ""},
        // As a single storage would be offered, and as AT+CPMS? tells the current one.
        {"Nokia 6230i", "+CPMS: \"SM\",3,30,\"SM\",3,30", V{"SM"}, std::nullopt, "SM"},
        {"ZTE MF626 reads from the phone", "\r\n+CPMS: \"ME\",0,100,\"ME\",0,100,\"SM\",2,30\r\n\r\nOK\r\n",
         V{"ME"}, std::nullopt, "ME"},
        {"Quectel M95 offers no storage at all", "\r\n+CPMS: (),(),()\r\n\r\nOK\r\n", V{}, {}, ""},
        {"ZTE MF190 loses a quote",
         "\r\n+CPMS: (ME\", \"SR\"),(\"ME\", \"SR\"),(\"ME\")\r\n\r\nOK\r\n",
         V{"ME", "SR"},
         {},
         ""},
        {"ZTE MF190 loses the other quote", "+CPMS: (\"SM, \"ME\"),(\"SM\"),(\"SM\")", V{"SM", "ME"}, {}, ""},
        {"Quectel M95 with blanks after the commas",
         "+CPMS: (\"ME\", \"SR\"),(\"ME\"),(\"ME\")",
         V{"ME", "SR"},
         {},
         ""},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(ParseStorages(r.reply), r.storages) << r.phone;
        EXPECT_EQ(ParseStorageUsed(r.reply), r.used) << r.phone;
        EXPECT_EQ(ParseCurrentStorage(r.reply), r.current) << r.phone;
    }
}

TEST(StoreReplies, anAnswerEndsAtItsFinalResultCode) {
    const struct {
        const char* phone;
        std::string reply;
        bool ended;
    } rows[] = {
        {"Wavecom Fastrack", "\r\n+CMGL: 1,0,,24\r\n" + kDeliver + "\r\n\r\nOK\r\n", true},
        {"Huawei E1550 says ^RSSI right after OK", "\r\nOK\r\n\r\n^RSSI:19\r\n", true},
        {"Siemens MC35i refuses", "\r\n+CMS ERROR: 321\r\n", true},
        {"OK not yet ended", "\r\nOK", false},
        {"the list still coming", "\r\n+CMGL: 1,0,,24\r\n" + kDeliver.substr(0, 20), false},
        {"only a modem's own line", "\r\n^RSSI:19\r\n", false},
    };
    for (const auto& r : rows)
        EXPECT_EQ(AnswerEnded(r.reply), r.ended) << r.phone;
}

} // namespace
} // namespace velmora
