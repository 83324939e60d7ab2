#include "PduDecoder.h"
#include "LongText.h"
#include "TextPdu.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(PduDecoder, readsBackTheTextsVelmoraBuilds) {
    struct Row {
        std::u16string text;
        bool flash, blink;
        UserDataCoding coding;
        std::optional<int> messageClass;
    } rows[] = {
        {u"Hello @ home {€}", false, false, UserDataCoding::Gsm7, std::nullopt},
        {u"Привет 😀", true, false, UserDataCoding::Ucs2, 0},
    };
    for (const auto& r : rows) {
        const auto pdu = BuildTextPDU("628569999999", r.text, r.flash, r.blink);
        ASSERT_TRUE(pdu);
        const auto d = DecodePdu(*pdu);
        ASSERT_TRUE(d) << d.error();
        EXPECT_EQ(d->type, PduType::Submit);
        EXPECT_EQ(d->smsc, "");
        EXPECT_EQ(d->number, "+628569999999");
        EXPECT_EQ(d->coding, r.coding);
        EXPECT_EQ(d->messageClass, r.messageClass);
        EXPECT_EQ(d->text, r.text);
        EXPECT_TRUE(d->header.empty());
    }
}

TEST(PduDecoder, readsTheConcatenationHeaderOfEachPart) {
    for (TextCoding coding : {TextCoding::Gsm7, TextCoding::Ucs2}) {
        const std::u16string text(coding == TextCoding::Gsm7 ? 200 : 90, u'x');
        const auto parts = BuildTextParts("628569999999", text, coding, 0xA7);
        ASSERT_TRUE(parts);
        ASSERT_EQ(parts->size(), 2u);
        std::u16string joined;
        for (std::size_t i = 0; i < parts->size(); ++i) {
            const auto d = DecodePdu((*parts)[i]);
            ASSERT_TRUE(d) << d.error();
            EXPECT_EQ(d->header,
                      (std::vector<HeaderElement>{{0, "A702" + std::string(i == 0 ? "01" : "02")}}));
            joined += d->text;
        }
        EXPECT_EQ(joined, text);
    }
}

TEST(PduDecoder, readsADeliverWithItsServiceCentreTimeAndZone) {
    // +628159000000; originator +628569999999; 2026-12-08 21:00:00 +07:00 and
    // -03:45 (bit 3 of the zone's tens digit); "Hello".
    struct Row {
        std::string zone, iso;
    } rows[] = {{"82", "+07:00"}, {"59", "-03:45"}};
    for (const auto& r : rows) {
        const auto d =
            DecodePdu("0791261895000000040C912658969999990000622180120000" + r.zone + "05C8329BFD06");
        ASSERT_TRUE(d) << d.error();
        EXPECT_EQ(d->type, PduType::Deliver);
        EXPECT_EQ(d->smsc, "+628159000000");
        EXPECT_EQ(d->number, "+628569999999");
        EXPECT_EQ(d->timestamp, "2026-12-08T21:00:00" + r.iso);
        EXPECT_EQ(d->text, u"Hello");
    }
    // An alphanumeric originator (type D0): "Velmora" in 7-bit.
    const auto named = DecodePdu("00040DD0D632BBFD96870100006221801200008205C8329BFD06", true);
    ASSERT_TRUE(named) << named.error();
    EXPECT_EQ(named->number, "Velmora");
    EXPECT_EQ(named->text, u"Hello");
}

// TS 23.040 9.1.2.3: semi-octets A to E are "*", "#", "a", "b", "c"; F fills.
TEST(PduDecoder, readsEverySemiOctetOfAnAddressAsItsCharacter) {
    const std::string stamp = "62218012000082";
    struct Row {
        std::string pdu;
        const char* smsc;
        const char* number;
    } rows[] = {
        // The SMS-DELIVER of "hellohello" that PDU-mode guides use: an odd
        // number of digits, the filler F in the last octet of both.
        {"07917283010010F5040BC87238880900F10000993092516195800AE8329BFD4697D9EC37", "+27381000015",
         "27838890001"},
        // An operator's service number, "*100#", as the originator.
        {"000405811A00FB0000" + stamp + "05C8329BFD06", "", "*100#"},
        // A status report on "#0841234567", and one on an international number.
        {"00062A0B810B48214365F7" + stamp + stamp + "00", "", "#0841234567"},
        {"00062A0C91BADC1E325476" + stamp + stamp + "00", "", "+*#abc1234567"},
        // The service centre's digits are read the same way.
        {"079121DC3E547698040B916407281553F80000" + stamp + "05C8329BFD06", "+12abc3456789", "+46708251358"},
    };
    for (const auto& r : rows) {
        const auto d = DecodePdu(r.pdu);
        ASSERT_TRUE(d) << r.pdu << ": " << d.error();
        EXPECT_EQ(d->smsc, r.smsc) << r.pdu;
        EXPECT_EQ(d->number, r.number) << r.pdu;
    }
}

// TS 23.040 9.1.2.5, type of number 101: GSM 7-bit characters of the
// default alphabet and its extension table, as in a text.
TEST(PduDecoder, readsAnAlphanumericOriginatorInTheWholeAlphabet) {
    struct Row {
        std::string address;
        const char* number;
    } rows[] = {
        {"0DD0D632BBFD968701", "Velmora"},
        {"04D01000", "\u0394@"},
        {"09D09B725DFE06", "\u20ACuro"},
        {"0DD049B7F93D6D4E01", "InfoSMS"},
    };
    for (const auto& r : rows) {
        const auto d = DecodePdu("0004" + r.address + "00006221801200008205C8329BFD06");
        ASSERT_TRUE(d) << r.address << ": " << d.error();
        EXPECT_EQ(d->number, r.number) << r.address;
        EXPECT_EQ(d->text, u"Hello") << r.address;
    }
}

// User data that ends before its stated length is read as far as it goes
// and marked; the frame before it must be whole.
TEST(PduDecoder, readsUserDataCutShortAsFarAsItGoes) {
    const std::string classic = "07917283010010F5040BC87238880900F10000993092516195800A";
    const std::string to = "0B916407281553F8";
    const std::string stamp = "99309251619580";
    struct Row {
        std::string pdu;
        std::u16string text;
        std::string data;
        std::vector<HeaderElement> header;
        bool truncated;
    } rows[] = {
        {classic + "E8329BFD4697D9EC37", u"hellohello", "", {}, false},
        // Four octets hold four whole septets; a half octet counts for none.
        {classic + "E8329BFD", u"hell", "", {}, true},
        {classic + "E8329BFD4", u"hell", "", {}, true},
        {classic, u"", "", {}, true},
        // 160 septets stated, three octets came.
        {"0011000C9126589699999900000AA0AC8329B", u",\u00EC&", "", {}, true},
        // UCS2: ten octets stated, four and a half came.
        {"0004" + to + "0008" + stamp + "0A" + "004800690", u"Hi", "", {}, true},
        // GSM 7-bit EMS: the header whole, its text gone.
        {"0041000B916407281553F8000008040D02010520", u"", "", {{0x0D, "0105"}}, true},
        // The header flag set, and no user data at all.
        {"0040" + to + "0000" + stamp + "00", u"", "", {}, true},
        // A header longer than the data: the element the cut took part of
        // is left out; what is beyond the stated length is not user data.
        {"0040" + to + "0004" + stamp + "08" + "050003A702", u"", "", {}, true},
        {"0040" + to + "0004" + stamp + "03" + "0500030A0201", u"", "", {}, true},
        {"0040" + to + "0004" + stamp + "08" + "0804010203", u"", "", {{0x04, "02"}}, true},
        // 8-bit data: the octets that came.
        {"0004" + to + "0004" + stamp + "08" + "436166E9", u"", "436166E9", {}, true},
    };
    for (const auto& r : rows) {
        const auto d = DecodePdu(r.pdu);
        ASSERT_TRUE(d) << r.pdu << ": " << d.error();
        EXPECT_EQ(d->text, r.text) << r.pdu;
        EXPECT_EQ(d->data, r.data) << r.pdu;
        EXPECT_EQ(d->header, r.header) << r.pdu;
        EXPECT_EQ(d->truncated, r.truncated) << r.pdu;
    }
}

TEST(PduDecoder, readsLowerCaseHexAsCapitals) {
    const auto d = DecodePdu("07917283010010f5040bc87238880900f10000993092516195800ae8329bfd4697d9ec37");
    ASSERT_TRUE(d) << d.error();
    EXPECT_EQ(d->smsc, "+27381000015");
    EXPECT_EQ(d->text, u"hellohello");
}

TEST(PduDecoder, refusesABrokenPduNamingWhere) {
    struct Row {
        const char* pdu;
        const char* why;
    } rows[] = {
        {"", "cannot read octet 1 (service-centre address length)"},
        {"0003", "octet 2 (first octet): message type 3 is reserved"},
        {"0006", "cannot read octet 3 (message reference)"},
        {"0006070C9126589699999962218012000082622180", "cannot read octet 19 (discharge time)"},
        {"00110005", "cannot read octet 5 (destination address)"},
        // A character that is no hex digit where the user data should be is
        // refused, not taken for a cut.
        {"0011000C9126589699999900000AA0AC8329G", "cannot read octet 16 (user data)"},
        {"0011000C9126589699999900000AA0AC8329BFD4697D9EC37\r", "cannot read octet 16 (user data)"},
        // The frame ends before the user-data length.
        {"0011000C9126589699999900000A", "cannot read octet 15 (user data)"},
        // An element longer than the header it stands in, all of it there.
        {"00400B916407281553F800049930925161958006" // frame, 6 octets of user data
         "0500040A0201",
         "cannot read octet 24 (user data)"},
        {"00040C91265896999999000062218012", "cannot read octet 13 (service-centre time stamp)"},
    };
    for (const auto& r : rows) {
        const auto d = DecodePdu(r.pdu);
        ASSERT_FALSE(d) << r.pdu;
        EXPECT_EQ(d.error(), r.why) << r.pdu;
    }
}

// A length no message can have (TS 23.040 9.2.3.24: 140 octets, 160
// septets) is a claim the data never meets: what came is read, at most what
// a message holds, and the PDU marked.
TEST(PduDecoder, readsALengthPastWhatAMessageHoldsAsACut) {
    const std::string to = "0B916407281553F8";
    const std::string stamp = "99309251619580";
    struct Row {
        const char* name;
        std::string pdu;
        std::u16string text;
        std::string data;
    } rows[] = {
        {"8-bit, 255 octets stated, 3 came", "0004" + to + "0004" + stamp + "FF" + "436166", u"", "436166"},
        {"UCS2, 200 octets stated, 4 came", "0004" + to + "0008" + stamp + "C8" + "00480069", u"Hi", ""},
        {"161 septets stated, 141 octets came: 160 septets read",
         "0011000C9126589699999900000AA1" + std::string(2 * 141, '0'), std::u16string(160, u'@'), ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const auto d = DecodePdu(r.pdu);
        ASSERT_TRUE(d) << d.error();
        EXPECT_TRUE(d->truncated);
        EXPECT_EQ(d->text, r.text);
        EXPECT_EQ(d->data, r.data);
    }
}

} // namespace
} // namespace velmora
