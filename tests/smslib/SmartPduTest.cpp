#include "SmartPdu.h"
#include "NetworkTable.h"
#include "SmsSubmit.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

constexpr const char* kNumber = "628569999999";
const std::string kFrame8Bit = "0051000C9126589699999900F5AA";

std::string Udl(const std::string& pdu) { return pdu.substr(28, 2); }

TEST(SmartPdu, OperatorLogoWorkedExample) {
    const std::string logo(252, '0');
    const auto pdu = BuildOperatorLogoPDU(kNumber, logo, "15F010");
    ASSERT_TRUE(pdu) << pdu.error();
    EXPECT_EQ(*pdu, kFrame8Bit + "8C0605041582000015F01000480E01" + logo);
    EXPECT_EQ(SubmitOctetCount(*pdu), 154);
}

TEST(SmartPdu, OnlyTheNetworkOctetsFollowTheMccAndNc) {
    const std::string logo(252, 'A');
    const auto a = BuildOperatorLogoPDU(kNumber, logo, MakeNetworkCode("510", "01"));
    const auto b = BuildOperatorLogoPDU(kNumber, logo, MakeNetworkCode("510", "10"));
    ASSERT_TRUE(a && b);
    ASSERT_EQ(a->size(), b->size());
    for (std::size_t i = 0; i < a->size(); ++i) {
        if ((*a)[i] != (*b)[i]) {
            EXPECT_TRUE(i >= 44 && i < 50) << "differs at " << i;
        }
    }
    EXPECT_EQ(a->substr(44, 6), "15F010");
    EXPECT_EQ(b->substr(44, 6), "15F001");
}

TEST(SmartPdu, RingtoneWorkedExample) {
    const auto pdu = BuildRingtonePDU(kNumber, "024A3A");
    ASSERT_TRUE(pdu);
    EXPECT_EQ(*pdu, "0051000C9126589699999900F5AA0A06050415810000024A3A");
}

TEST(SmartPdu, GroupGraphicCarriesPortAndOtaHeader) {
    const std::string graphic(252, 'F');
    const auto pdu = BuildGroupGraphicPDU(kNumber, graphic);
    ASSERT_TRUE(pdu);
    EXPECT_EQ(*pdu, kFrame8Bit + "89" + "0605041583000000480E01" + graphic);
}

TEST(SmartPdu, PictureMessageSplitsIntoThreeParts) {
    std::string picture;
    for (int i = 0; i < 504; ++i)
        picture += "0123456789ABCDEF"[i % 16];
    const auto parts = BuildPictureMessagePDUs(kNumber, picture);
    ASSERT_TRUE(parts) << parts.error();
    const auto& p = parts.value();
    EXPECT_EQ(p[0], kFrame8Bit + "8C" + "0B0504158A000000032A03013002010000481C01" + picture.substr(0, 240));
    EXPECT_EQ(p[1], kFrame8Bit + "8C" + "0B0504158A000000032A0302" + picture.substr(240, 256));
    EXPECT_EQ(p[2], kFrame8Bit + "10" + "0B0504158A000000032A0303" + picture.substr(496));
    // every picture message uses the same concatenation reference
    const auto again = BuildPictureMessagePDUs(kNumber, std::string(504, '0'));
    ASSERT_TRUE(again);
    for (const auto& part : again.value())
        EXPECT_EQ(part.substr(30 + 18, 2), "2A");
}

TEST(SmartPdu, ShortPictureStillGivesThreeParts) {
    const auto parts = BuildPictureMessagePDUs(kNumber, std::string(100, 'F'));
    ASSERT_TRUE(parts);
    EXPECT_EQ(Udl(parts.value()[0]), "46"); // 20 header octets + 50
    EXPECT_EQ(Udl(parts.value()[1]), "0C");
    EXPECT_EQ(Udl(parts.value()[2]), "0C");
}

struct LimitCase {
    const char* kind;
    std::size_t largestDigits; // the most content that still fits 140 octets
};

// Content at the limit builds; one octet more is refused rather than sent malformed.
TEST(SmartPdu, ContentBeyondOneMessageIsRefused) {
    auto build = [](const std::string& kind, const std::string& content) -> std::string {
        if (kind == "logo")
            return BuildOperatorLogoPDU(kNumber, content, "15F010").error();
        if (kind == "group")
            return BuildGroupGraphicPDU(kNumber, content).error();
        if (kind == "picture")
            return BuildPictureMessagePDUs(kNumber, content).error();
        return BuildRingtonePDU(kNumber, content).error();
    };
    const LimitCase cases[] = {{"logo", 252}, {"group", 258}, {"picture", 752}, {"ringtone", 266}};
    for (const auto& c : cases) {
        EXPECT_EQ(build(c.kind, std::string(c.largestDigits, 'A')), "") << c.kind;
        const std::string refusal = build(c.kind, std::string(c.largestDigits + 2, 'A'));
        EXPECT_NE(refusal.find("at most 140"), std::string::npos) << c.kind << ": " << refusal;
    }
}

TEST(SmartPdu, ContentMustBeWholeOctetsOfHexDigits) {
    const std::pair<std::string, std::string> cases[] = {
        {"024A3", "odd number"}, {"024a3a", "\"a\""}, {"02 4A", "\" \""}, {"02G4", "\"G\""}};
    for (const auto& [content, why] : cases) {
        const auto pdu = BuildRingtonePDU(kNumber, content);
        ASSERT_FALSE(pdu) << content;
        EXPECT_NE(pdu.error().find(why), std::string::npos) << pdu.error();
        EXPECT_FALSE(BuildGroupGraphicPDU(kNumber, content));
        EXPECT_FALSE(BuildPictureMessagePDUs(kNumber, content));
        EXPECT_FALSE(BuildOperatorLogoPDU(kNumber, content, "15F010"));
    }
    EXPECT_FALSE(BuildOperatorLogoPDU(kNumber, "00", "15F01"));
    EXPECT_FALSE(BuildOperatorLogoPDU(kNumber, "00", "15G010"));
}

} // namespace
} // namespace velmora
