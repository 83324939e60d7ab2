#include "EmsPdu.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

constexpr const char* kNumber = "628569999999";
const std::string kFrame = "0051000C9126589699999900F5AA";

struct EmsCase {
    const char* name;
    std::u16string tagged;
    std::string userData; // with its length octet
};

class EmsPdu : public ::testing::TestWithParam<EmsCase> {};

TEST_P(EmsPdu, BuildsTheExactPdu) {
    const auto& c = GetParam();
    const auto pdu = BuildEMSPDU(kNumber, c.tagged);
    ASSERT_TRUE(pdu) << pdu.error();
    EXPECT_EQ(*pdu, kFrame + c.userData);
}

INSTANTIATE_TEST_SUITE_P(
    Tags, EmsPdu,
    ::testing::Values(EmsCase{"animationAndSound", u"Hi[#ANI01] there[#SND03]",
                              "11080D0202010B0208034869207468657265"},
                      EmsCase{"pictureThenAnimation", u"[#PIC00100002FF00FF00]Hi[#ANI00]",
                              "100D1207000202FF00FF000D0202004869"},
                      EmsCase{"plain", u"abc", "0400616263"}, EmsCase{"empty", u"", "0100"},
                      EmsCase{"adjacentTagsSharePosition", u"a[#ANI01][#SND02]b", "0B080D0201010B0201026162"},
                      EmsCase{"tagAtTheEnd", u"abc[#SND09]", "08040B020309616263"},
                      EmsCase{"numbersAboveTheListsAsTyped", u"[#ANI99][#SND42]", "09080D0200630B02002A"},
                      // a "[#" without "]" stays in the text
                      EmsCase{"unclosed", u"a[#ANI0", "0800615B23414E4930"},
                      EmsCase{"unclosedAfterTag", u"[#SND01]x[#", "08040B020001785B23"},
                      // an unknown or malformed tag goes, with no element, and later positions stay right
                      EmsCase{"unknownTag", u"a[#XYZ12]b[#ANI02]", "07040D0202026162"},
                      EmsCase{"longUnknownTag", u"a[#ANIMATION]b[#ANI02]", "07040D0202026162"},
                      EmsCase{"nonDecimalNumber", u"a[#ANI1x]b[#SND03]", "07040B0202036162"},
                      EmsCase{"shortTag", u"a[#]b", "03006162"},
                      EmsCase{"latin1", u"caf\u00E9", "0500636166E9"},
                      EmsCase{"lowerCasePictureHex", u"[#PIC00080001ff]", "07061204000101FF"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EmsPduPicture, MalformedPicturesAreRefused) {
    const std::pair<std::u16string, std::string> cases[] = {
        {u"[#PIC00100002FF00FF]", "needs 4"}, // 3 octets for a 16 x 2 picture
        {u"[#PIC00100002FF00FF0]", "whole octets"}, {u"[#PIC00100002FF00XX00]", "whole octets"},
        {u"[#PIC0010]", "width and height"},        {u"[#PIC0010000Z]", "width and height"},
        {u"[#PIC00000000]", "no pixels"},           {u"[#PIC08000001]", "too large"}, // 256 octets per row
    };
    for (const auto& [tagged, why] : cases) {
        const auto pdu = BuildEMSPDU(kNumber, tagged);
        ASSERT_FALSE(pdu);
        EXPECT_NE(pdu.error().find(why), std::string::npos) << pdu.error();
    }
}

TEST(EmsPduPicture, RowsOfAnOddWidthEndInAPaddedOctet) {
    // 12 pixels wide: 2 octets a row
    const auto pdu = BuildEMSPDU(kNumber, u"[#PIC000C0002FFF0FFF0]");
    ASSERT_TRUE(pdu) << pdu.error();
    EXPECT_EQ(pdu->substr(28), "0A091207000202FFF0FFF0");
}

TEST(EmsPduLimits, OneMessageAtMost) {
    // 1 header length octet + 139 characters = 140 octets
    EXPECT_TRUE(BuildEMSPDU(kNumber, std::u16string(139, u'x')));
    const auto tooLong = BuildEMSPDU(kNumber, std::u16string(140, u'x'));
    ASSERT_FALSE(tooLong);
    EXPECT_NE(tooLong.error().find("at most 140"), std::string::npos);
    // a long text with tags far in does not overflow the position octet
    EXPECT_FALSE(BuildEMSPDU(kNumber, std::u16string(300, u'x') + u"[#ANI01]"));
    // the largest picture that fits: 8 x 134 pixels, 134 octets + 3 + 2 + the header length octet
    EXPECT_TRUE(BuildEMSPDU(kNumber, u"[#PIC00080086" + std::u16string(134 * 2, u'F') + u"]"));
    EXPECT_FALSE(BuildEMSPDU(kNumber, u"[#PIC00080087" + std::u16string(135 * 2, u'F') + u"]"));
}

TEST(EmsPduText, CharactersAboveLatin1AreRefused) {
    const auto pdu = BuildEMSPDU(kNumber, u"price \u20AC5");
    ASSERT_FALSE(pdu);
    EXPECT_NE(pdu.error().find("\xE2\x82\xAC"), std::string::npos);
}

TEST(EmsPduTag, PictureTagForTheComposer) {
    EXPECT_EQ(MakeEmsPictureTag(16, 2, "FF00FF00"), "[#PIC00100002FF00FF00]");
    EXPECT_EQ(MakeEmsPictureTag(72, 28, ""), "[#PIC0048001C]");
}

} // namespace
} // namespace velmora
