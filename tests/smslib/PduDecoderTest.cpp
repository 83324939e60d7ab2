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
        {"0011000C9126589699999900000AA0AC8329B", "cannot read octet 16 (user data)"},
        {"00040C91265896999999000062218012", "cannot read octet 13 (service-centre time stamp)"},
    };
    for (const auto& r : rows) {
        const auto d = DecodePdu(r.pdu);
        ASSERT_FALSE(d) << r.pdu;
        EXPECT_EQ(d.error(), r.why) << r.pdu;
    }
    // 161 septets would take 141 octets, one more than a message holds.
    const auto tooLong = DecodePdu("0011000C9126589699999900000AA1" + std::string(2 * 141, '0'));
    ASSERT_FALSE(tooLong);
    EXPECT_EQ(tooLong.error(), "cannot read octet 16 (user data)");
}

} // namespace
} // namespace velmora
