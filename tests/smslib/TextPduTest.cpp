#include "TextPdu.h"
#include "Gsm7.h"
#include "Primitives.h"
#include "SmsSubmit.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

constexpr const char* kNumber = "628569999999";

struct TextCase {
    const char* name;
    std::u16string text;
    bool flash;
    bool blink;
    std::string pdu;
};

class TextPdu : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextPdu, BuildsTheExactPdu) {
    const auto& c = GetParam();
    const auto pdu = BuildTextPDU(kNumber, c.text, c.flash, c.blink);
    ASSERT_TRUE(pdu) << pdu.error();
    EXPECT_EQ(*pdu, c.pdu);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, TextPdu,
    ::testing::Values(
        TextCase{"normal", u"abc", false, false, "0011000C912658969999990000AA0361F118"},
        TextCase{"flash", u"abc", true, false, "0011000C912658969999990018AA06006100620063"},
        TextCase{"blinking", u"abc", true, true, "0011000C912658969999990018AA080001006100620063"},
        TextCase{"blinkWithoutFlash", u"abc", false, true, "0011000C912658969999990000AA0361F118"},
        TextCase{"emptyNormal", u"", false, false, "0011000C912658969999990000AA00"},
        TextCase{"emptyFlash", u"", true, false, "0011000C912658969999990018AA00"},
        TextCase{"emptyBlinking", u"", true, true, "0011000C912658969999990018AA020001"},
        // "@" is GSM 0x00, not "\x40" (which the phone would show as "¡")
        TextCase{"at", u"@", false, false, "0011000C912658969999990000AA0100"},
        // "€" is escape + 0x65: two septets in the length
        TextCase{"euro", u"\u20AC", false, false, "0011000C912658969999990000AA029B32"},
        TextCase{"lineBreakFlash", u"\r\n", true, false, "0011000C912658969999990018AA04000D000A"},
        // a flash message carries any script as its UTF-16 units
        TextCase{"cyrillic", u"\u0416", true, false, "0011000C912658969999990018AA020416"},
        TextCase{"emoji", u"\U0001F600", true, false, "0011000C912658969999990018AA04D83DDE00"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextPduLimits, HundredSixtySeptetsFillOneMessage) {
    const auto full = BuildTextPDU(kNumber, std::u16string(160, u'x'), false, false);
    ASSERT_TRUE(full) << full.error();
    EXPECT_EQ(full->substr(28, 2), "A0");
    EXPECT_EQ(full->size() - 30, 280u); // 140 octets
    EXPECT_FALSE(BuildTextPDU(kNumber, std::u16string(161, u'x'), false, false));
    // extension characters count twice towards the 160
    const auto euros = BuildTextPDU(kNumber, std::u16string(80, u'\u20AC'), false, false);
    ASSERT_TRUE(euros);
    EXPECT_EQ(euros->substr(28, 2), "A0");
    const auto tooMany = BuildTextPDU(kNumber, std::u16string(80, u'\u20AC') + u"x", false, false);
    ASSERT_FALSE(tooMany);
    EXPECT_NE(tooMany.error().find("161"), std::string::npos) << tooMany.error();
}

TEST(TextPduLimits, FlashHoldsSixtyNineBlinkingCharacters) {
    const auto blinking = BuildTextPDU(kNumber, std::u16string(69, u'a'), true, true);
    ASSERT_TRUE(blinking) << blinking.error();
    EXPECT_EQ(blinking->substr(28, 2), "8C");
    EXPECT_FALSE(BuildTextPDU(kNumber, std::u16string(70, u'a'), true, true));
    EXPECT_TRUE(BuildTextPDU(kNumber, std::u16string(70, u'a'), true, false));
    EXPECT_FALSE(BuildTextPDU(kNumber, std::u16string(71, u'a'), true, false));
}

TEST(TextPduRefusals, BuildsNothingForWhatCannotBeSent) {
    EXPECT_FALSE(BuildTextPDU(kNumber, u"\u263A", false, false));
    EXPECT_FALSE(BuildTextPDU("", u"abc", false, false));
    EXPECT_FALSE(BuildTextPDU("62-85", u"abc", false, false));
    EXPECT_FALSE(BuildTextPDU(std::string(21, '9'), u"abc", false, false));
}

TEST(TextPduAddress, OddNumbersAreFilledWithF) {
    const auto pdu = BuildTextPDU("62856999999", u"a", false, false);
    ASSERT_TRUE(pdu);
    EXPECT_EQ(pdu->substr(0, 22), "0011000B912658969999F9");
    EXPECT_EQ(SubmitOctetCount(*pdu), static_cast<int>(pdu->size() / 2 - 1));
}

TEST(TextPduRoundTrip, TheReceiverReadsWhatWasTyped) {
    const std::u16string typed = u"Price: 5\u20AC or \u00A33 @ home_{ok}";
    const auto pdu = BuildTextPDU(kNumber, typed, false, false);
    ASSERT_TRUE(pdu) << pdu->size();
    const auto septets = HexToInt(pdu->substr(28, 2));
    EXPECT_EQ(static_cast<int>(septets), CountSeptets(typed));
    EXPECT_EQ(DecodeGsm7(UnpackSeptets(pdu->substr(30), septets)), typed);
}

} // namespace
} // namespace velmora
