#include <string>
using namespace std::string_literals;
#include "Gsm7.h"
#include "Primitives.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

struct AlphabetCase {
    std::u16string text;
    std::string codes; // septet codes the receiving phone must read
};

TEST(Gsm7, CharactersGoToTheirGsmPositions) {
    const AlphabetCase cases[] = {
        {u"@", "\x00"s},
        {u"$", "\x02"},
        {u"_", "\x11"},
        {u"\u00A3\u00A5\u00E8", "\x01\x03\x04"}, // £ ¥ è
        {u"\u00A1\u00BF\u00E0", "\x40\x60\x7F"}, // ¡ ¿ à
        {u"\u0394\u03A9", "\x10\x15"},           // Greek capitals of the basic table
        {u"Az09 !?\r\n", "Az09 !?\r\n"},         // shared with ASCII: unchanged
        {u"\u20AC", "\x1B\x65"},                 // € through the escape
        {u"^{}\\[~]|", "\x1B\x14\x1B\x28\x1B\x29\x1B\x2F\x1B\x3C\x1B\x3D\x1B\x3E\x1B\x40"},
        {u"\f", "\x1B\x0A"},
    };
    for (const auto& c : cases) {
        const auto codes = EncodeGsm7(c.text);
        ASSERT_TRUE(codes) << codes.error();
        EXPECT_EQ(*codes, c.codes);
        EXPECT_EQ(DecodeGsm7(*codes), c.text);
        EXPECT_EQ(CountSeptets(c.text), static_cast<int>(c.codes.size()));
    }
}

TEST(Gsm7, RefusesWhatTheAlphabetLacksAndNamesIt) {
    const std::pair<std::u16string, std::u32string> cases[] = {
        {u"smile \u263A", U"\u263A"},
        {u"\u4E2D\u6587\u4E2D", U"\u4E2D\u6587"}, // each named once
        {u"tab\there", U"\t"},
        {u"\x1B", U"\x1B"},             // the escape itself is not a character
        {u"\U0001F600", U"\U0001F600"}, // outside the BMP: one character, not two halves
        {u"`", U"`"},
    };
    for (const auto& [text, bad] : cases) {
        EXPECT_EQ(UnencodableCharacters(text), bad);
        EXPECT_EQ(CountSeptets(text), -1);
        const auto codes = EncodeGsm7(text);
        ASSERT_FALSE(codes);
        EXPECT_NE(codes.error().find("Flash Message"), std::string::npos) << codes.error();
    }
    EXPECT_NE(EncodeGsm7(u"a\u263Ab").error().find("\"\xE2\x98\xBA\""), std::string::npos);
    EXPECT_NE(EncodeGsm7(u"a\tb").error().find("U+0009"), std::string::npos);
}

TEST(Gsm7, EveryBasicCodeRoundTrips) {
    std::string all;
    for (int code = 0; code < 128; ++code)
        if (code != 0x1B)
            all += static_cast<char>(code);
    const std::u16string text = DecodeGsm7(all);
    ASSERT_EQ(text.size(), 127u);
    const auto back = EncodeGsm7(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, all);
    // and through the packing, as the receiving phone unpacks it
    const std::string hex = BitsToHex(PackSeptets(TextToBits(all, true)));
    EXPECT_EQ(UnpackSeptets(hex, all.size()), all);
}

} // namespace
} // namespace velmora
