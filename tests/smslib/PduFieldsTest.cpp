#include "PduFields.h"
#include "TextPdu.h"

#include "Strings.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

struct Row {
    std::string name;
    std::size_t offset, count;
    std::string hex, meaning;
};

void ExpectFields(const PduInspection& got, const std::vector<Row>& want) {
    ASSERT_EQ(got.fields.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        const PduField& f = got.fields[i];
        const Row& w = want[i];
        EXPECT_EQ(f.name, w.name) << "row " << i;
        EXPECT_EQ(f.offset, w.offset) << w.name;
        EXPECT_EQ(f.count, w.count) << w.name;
        EXPECT_EQ(f.hex, w.hex) << w.name;
        EXPECT_EQ(f.meaning, w.meaning) << w.name;
    }
}

// +628159000000; from +628569999999; 2026-12-08 21:00:00 +07:00; "Hello".
const std::string kDeliver = "0791261895000000040C912658969999990000622180120000820"
                             "5C8329BFD06";

const std::vector<Row> kDeliverHead = {
    {"SMSC length", 0, 1, "07", "7 octets follow"},
    {"SMSC type", 1, 1, "91", "international, ISDN/telephone"},
    {"SMSC number", 2, 6, "261895000000", "+628159000000"},
    {"First octet", 8, 1, "04", "SMS-DELIVER"},
    {"TP-MTI", 8, 1, "04", "SMS-DELIVER (bits 1-0: 00)"},
    {"TP-MMS", 8, 1, "04", "no more messages waiting"},
    {"TP-SRI", 8, 1, "04", "no status report asked for"},
    {"TP-UDHI", 8, 1, "04", "no user-data header"},
    {"TP-RP", 8, 1, "04", "no reply path"},
    {"TP-OA length", 9, 1, "0C", "12 digits"},
    {"TP-OA type", 10, 1, "91", "international, ISDN/telephone"},
};

TEST(PduFields, namesEveryFieldOfADeliverWithItsOctets) {
    std::vector<Row> want = kDeliverHead;
    want.insert(want.end(), {
                                {"TP-OA", 11, 6, "265896999999", "+628569999999"},
                                {"TP-PID", 17, 1, "00", "normal short message"},
                                {"TP-DCS", 18, 1, "00", "GSM 7-bit"},
                                {"TP-SCTS", 19, 7, "62218012000082", "2026-12-08T21:00:00+07:00"},
                                {"TP-UDL", 26, 1, "05", "5 septets"},
                                {"TP-UD", 27, 5, "C8329BFD06", "GSM 7-bit text \"Hello\""},
                            });
    const auto got = InspectPdu(kDeliver);
    EXPECT_EQ(got.fault, "");
    ExpectFields(got, want);
    // Without the service-centre part the same fields start 8 octets sooner.
    const auto bare = InspectPdu(kDeliver.substr(16), false);
    ASSERT_FALSE(bare.fields.empty());
    EXPECT_EQ(bare.fields.front().name, "First octet");
    EXPECT_EQ(bare.fields.back().offset, 19u);
}

TEST(PduFields, readsTheHeaderElementsOfASubmitAsTheDecoderDoes) {
    // Validity 4 days, 8-bit, ports 5506 -> 0, part 1 of 2 of reference 167.
    const std::string pdu = "005100"
                            "0C91265896999999"
                            "0004AA0F"
                            "0B0504158200000003A70201"
                            "ABCDEF";
    const auto got = InspectPdu(pdu);
    EXPECT_EQ(got.fault, "");
    ExpectFields(got, {
                          {"SMSC length", 0, 1, "00", "none given: the phone's own service centre"},
                          {"First octet", 1, 1, "51", "SMS-SUBMIT"},
                          {"TP-MTI", 1, 1, "51", "SMS-SUBMIT (bits 1-0: 01)"},
                          {"TP-RD", 1, 1, "51", "accept a duplicate"},
                          {"TP-VPF", 1, 1, "51", "relative validity period"},
                          {"TP-SRR", 1, 1, "51", "no status report asked for"},
                          {"TP-UDHI", 1, 1, "51", "the user data starts with a header"},
                          {"TP-RP", 1, 1, "51", "no reply path"},
                          {"TP-MR", 2, 1, "00", "message reference 0"},
                          {"TP-DA length", 3, 1, "0C", "12 digits"},
                          {"TP-DA type", 4, 1, "91", "international, ISDN/telephone"},
                          {"TP-DA", 5, 6, "265896999999", "+628569999999"},
                          {"TP-PID", 11, 1, "00", "normal short message"},
                          {"TP-DCS", 12, 1, "04", "8-bit data"},
                          {"TP-VP", 13, 1, "AA", "relative: 4 days"},
                          {"TP-UDL", 14, 1, "0F", "15 octets"},
                          {"UDHL", 15, 1, "0B", "11 octets of header"},
                          {"IE id", 16, 1, "05", "05: application port, 16-bit"},
                          {"IE length", 17, 1, "04", "4 octets"},
                          {"IE data", 18, 4, "15820000", "to port 5506 (operator logo), from port 0"},
                          {"IE id", 22, 1, "00", "00: concatenated message, 8-bit reference"},
                          {"IE length", 23, 1, "03", "3 octets"},
                          {"IE data", 24, 3, "A70201", "reference 167, part 1 of 2"},
                          {"TP-UD", 27, 3, "ABCDEF", "3 octets of 8-bit data"},
                      });
    ASSERT_TRUE(got.pdu);
    EXPECT_EQ(got.pdu->header, (std::vector<HeaderElement>{{5, "15820000"}, {0, "A70201"}}));
}

TEST(PduFields, readsAStatusReportAndShowsWhatFollowsIt) {
    // Reference 42 delivered; two octets of optional parameters after TP-ST.
    const std::string pdu = "079126189500000006"
                            "2A"
                            "0C91265896999999"
                            "62218012000082"
                            "62218012100082"
                            "00"
                            "0100";
    const auto got = InspectPdu(pdu);
    EXPECT_EQ(got.fault, "");
    ASSERT_EQ(got.fields.size(), 16u);
    ExpectFields({{got.fields.begin() + 3, got.fields.begin() + 7}, "", {}},
                 {{"First octet", 8, 1, "06", "SMS-STATUS-REPORT"},
                  {"TP-MTI", 8, 1, "06", "SMS-STATUS-REPORT (bits 1-0: 10)"},
                  {"TP-MMS", 8, 1, "06", "no more messages waiting"},
                  {"TP-SRQ", 8, 1, "06", "reports on a message sent"}});
    ExpectFields(
        {{got.fields.begin() + 8, got.fields.end()}, "", {}},
        {{"TP-MR", 9, 1, "2A", "message reference 42"},
         {"TP-RA length", 10, 1, "0C", "12 digits"},
         {"TP-RA type", 11, 1, "91", "international, ISDN/telephone"},
         {"TP-RA", 12, 6, "265896999999", "+628569999999"},
         {"TP-SCTS", 18, 7, "62218012000082", "2026-12-08T21:00:00+07:00"},
         {"TP-DT", 25, 7, "62218012100082", "2026-12-08T21:01:00+07:00"},
         {"TP-ST", 32, 1, "00", "Delivered"},
         {"Not read", 33, 2, "0100", "the report's optional parameters, not needed to judge the delivery"}});
}

TEST(PduFields, givesTheFieldsBeforeACutAndTheDecodersFault) {
    // Cut in the originator's digits: two of its six octets are there.
    std::vector<Row> want = kDeliverHead;
    want.push_back({"Not read", 11, 2, "2658", "cut short: cannot read octet 12 (originator address)"});
    const auto got = InspectPdu(kDeliver.substr(0, 26));
    EXPECT_EQ(got.fault, "cannot read octet 12 (originator address)");
    EXPECT_FALSE(got.pdu);
    ExpectFields(got, want);
    // Every cut, also mid-octet, stays within what was given; one in the
    // user data (from octet 28 on) is read as far as it goes, as the
    // decoder reads it.
    for (std::size_t n = 0; n < kDeliver.size(); ++n) {
        const auto cut = InspectPdu(kDeliver.substr(0, n));
        EXPECT_EQ(cut.fault.empty(), n >= 2 * 27) << n;
        EXPECT_EQ(cut.pdu && cut.pdu->truncated, n >= 2 * 27) << n;
        for (const PduField& f : cut.fields)
            EXPECT_LE(2 * (f.offset + f.count), n + 1) << n << " " << f.name;
    }
}

// User data that ends before its stated length is shown as far as it goes,
// the length that claims more marked.
TEST(PduFields, marksTheLengthsOfUserDataCutShort) {
    const std::string from = "0B916407281553F8";
    const std::string stamp = "99309251619580";
    const auto tail = [](const PduInspection& got, std::size_t n) {
        return PduInspection{{got.fields.end() - static_cast<std::ptrdiff_t>(n), got.fields.end()}, "", {}};
    };
    struct Case {
        std::string pdu;
        std::vector<Row> last;
    } cases[] = {
        // "Hello" with two of its five octets.
        {kDeliver.substr(0, 58),
         {{"TP-UDL", 26, 1, "05", "5 septets, cut short: only 2 octets came"},
          {"TP-UD", 27, 2, "C832", "GSM 7-bit text \"He\""}}},
        // The header flag set and no user data.
        {"0040" + from + "0000" + stamp + "00",
         {{"TP-SCTS", 12, 7, stamp, "1999-03-29T15:16:59+02:00"},
          {"TP-UDL", 19, 1, "00", "0 septets, cut short: no room for the header TP-UDHI announces"}}},
        // A concatenation element the data ends in.
        {"0040" + from + "0004" + stamp + "08050003A702",
         {{"TP-UDL", 19, 1, "08", "8 octets, cut short: only 5 octets came"},
          {"UDHL", 20, 1, "05", "5 octets of header, cut short: the user data ends after 5 octets"},
          {"IE id", 21, 1, "00", "00: concatenated message, 8-bit reference"},
          {"IE length", 22, 1, "03", "3 octets"},
          {"Not read", 23, 2, "A702", "cut short: a header element the user data ends in"}}},
        // A header longer than the stated user data; what follows it is not
        // user data.
        {"0040" + from + "0004" + stamp + "030500030A0201",
         {{"TP-UDL", 19, 1, "03", "3 octets"},
          {"UDHL", 20, 1, "05", "5 octets of header, cut short: the user data ends after 3 octets"},
          {"IE id", 21, 1, "00", "00: concatenated message, 8-bit reference"},
          {"IE length", 22, 1, "03", "3 octets"},
          {"Not read", 23, 3, "0A0201", "after the end of the message"}}},
    };
    for (const auto& c : cases) {
        const auto got = InspectPdu(c.pdu);
        EXPECT_EQ(got.fault, "") << c.pdu;
        ASSERT_TRUE(got.pdu && got.pdu->truncated) << c.pdu;
        ASSERT_GE(got.fields.size(), c.last.size()) << c.pdu;
        ExpectFields(tail(got, c.last.size()), c.last);
    }
}

std::string MeaningOf(const PduInspection& got, const std::string& name) {
    for (const PduField& f : got.fields)
        if (f.name == name)
            return f.meaning;
    return "no field " + name;
}

TEST(PduFields, showsTheAddressesAsTheDecoderReadsThem) {
    // A status report on "#0841234567" from the service centre "+12abc3456789".
    const auto report = InspectPdu("079121DC3E547698" // service centre
                                   "06D6"             // first octet, reference 214
                                   "0B810B48214365F7" // recipient
                                   "11101171955140"
                                   "11101171957140"
                                   "00");
    EXPECT_EQ(report.fault, "");
    ASSERT_TRUE(report.pdu);
    EXPECT_EQ(MeaningOf(report, "SMSC number"), "+12abc3456789");
    EXPECT_EQ(MeaningOf(report, "TP-RA"), "#0841234567");
    EXPECT_EQ(report.pdu->number, "#0841234567");
    // The service centre alone, the rest cut off: its digits read the same.
    const auto cut = InspectPdu("079121DC3E547698");
    EXPECT_FALSE(cut.fault.empty());
    EXPECT_EQ(MeaningOf(cut, "SMSC number"), "+12abc3456789");
    // An alphanumeric originator, "\u0394@".
    const auto alpha = InspectPdu("000404D0100000006221801200008205C8329BFD06");
    EXPECT_EQ(alpha.fault, "");
    EXPECT_EQ(MeaningOf(alpha, "TP-OA"), "\u0394@");
}

TEST(PduFields, findsThePdusOfAPhoneDialogue) {
    const std::string submit = *BuildTextPDU("628569999999", u"Hello", false, false);
    const std::string report = "079126189500000006"
                               "2A0C91265896999999"
                               "62218012000082"
                               "62218012100082"
                               "00";
    const std::string lower = "07917283010010f5040bc87238880900f10000993092516195800ae8329bfd4697d9ec37";
    // As the cable carries it: the prompt before the PDU sent, its Ctrl-Z,
    // the listing, an arrival and a read; a number alone is no PDU.
    const std::string transcript = "at+cmgf=0\r\nOK\r\nat+cmgs=" + std::to_string(submit.size() / 2 - 1) +
                                   "\r\n> " + submit + "\x1A\r\n+CMGS: 5\r\n\r\nOK\r\n" +
                                   "AT+CMGL=4\r\n+CMGL: 1,0,,24\r\n" + kDeliver + "\r\nOK\r\n" +
                                   "628569999999\n+CMT: ,24\r\n  " + lower + "  \r\n" +
                                   "AT+CMGR=3\r\n+CMGR: 0,,26\r\n" + report + "\r\nOK\r\n";
    EXPECT_EQ(FindPdus(transcript), (std::vector<std::string>{submit, kDeliver, Upper(lower), report}));
}

} // namespace
} // namespace velmora
