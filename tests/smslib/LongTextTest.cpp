#include "LongText.h"

#include "SubmitReader.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using testing::ReadSubmitPdu;

constexpr const char* kNumber = "628569999999";
constexpr int kReference = 0xA7;

std::u16string Times(std::size_t n, char16_t c) { return std::u16string(n, c); }
std::u16string Times(std::size_t n, std::u16string_view s) {
    std::u16string out;
    for (std::size_t i = 0; i < n; ++i)
        out += s;
    return out;
}
std::vector<std::size_t> Lengths(std::size_t count, std::size_t each, std::size_t last) {
    std::vector<std::size_t> v(count - 1, each);
    v.push_back(last);
    return v;
}

const std::u16string kEmoji = u"\U0001F600";

struct SplitCase {
    const char* name;
    std::u16string text;
    TextCoding coding;
    std::vector<std::size_t> pieces; // UTF-16 units of each part's text
};

class SplitBoundaries : public ::testing::TestWithParam<SplitCase> {};

// Every part reads back as its piece, with the header a receiver joins
// them by; together they are the text.
TEST_P(SplitBoundaries, PartsReadBackAsTheText) {
    const auto& c = GetParam();
    const auto pdus = BuildTextParts(kNumber, c.text, c.coding, kReference);
    ASSERT_TRUE(pdus) << pdus.error();
    ASSERT_EQ(pdus->size(), c.pieces.size());
    const int n = static_cast<int>(pdus->size());
    std::size_t at = 0;
    for (int i = 0; i < n; ++i) {
        const auto part = ReadSubmitPdu((*pdus)[static_cast<std::size_t>(i)]);
        SCOPED_TRACE("part " + std::to_string(i + 1));
        EXPECT_EQ(part.dcs, c.coding == TextCoding::Gsm7 ? "00" : "08");
        EXPECT_EQ(part.udhi, n > 1);
        if (n > 1) {
            EXPECT_EQ(part.header.substr(0, 6), "050003");
            EXPECT_EQ(part.reference, kReference);
            EXPECT_EQ(part.parts, n);
            EXPECT_EQ(part.part, i + 1);
        }
        const std::size_t length = c.pieces[static_cast<std::size_t>(i)];
        EXPECT_EQ(part.text, c.text.substr(at, length));
        at += length;
    }
    EXPECT_EQ(at, c.text.size());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SplitBoundaries,
    ::testing::Values(
        SplitCase{"empty", u"", TextCoding::Gsm7, {0}},
        SplitCase{"septets160", Times(160, u'x'), TextCoding::Gsm7, {160}},
        SplitCase{"septets161", Times(161, u'x'), TextCoding::Gsm7, {153, 8}},
        // The euro sign is an escape pair: after 152 septets it would take
        // septets 152 and 153 (counting from 0) and goes whole to the second
        // part; after 151 it ends the first.
        SplitCase{
            "escapeStraddles", Times(152, u'x') + u"\u20AC" + Times(10, u'y'), TextCoding::Gsm7, {152, 11}},
        SplitCase{
            "escapeEndsPart", Times(151, u'x') + u"\u20AC" + Times(10, u'y'), TextCoding::Gsm7, {152, 10}},
        SplitCase{"ucs2Units70", Times(70, u'\u0416'), TextCoding::Ucs2, {70}},
        SplitCase{"ucs2Units71", Times(71, u'\u0416'), TextCoding::Ucs2, {67, 4}},
        // An emoji at units 66 and 67 (from 0) goes whole to the second part.
        SplitCase{
            "surrogateStraddles", Times(66, u'\u0416') + kEmoji + Times(5, u'a'), TextCoding::Ucs2, {66, 7}},
        SplitCase{
            "surrogateEndsPart", Times(65, u'\u0416') + kEmoji + Times(5, u'a'), TextCoding::Ucs2, {67, 5}},
        SplitCase{"gsmParts255", Times(255 * 153, u'x'), TextCoding::Gsm7, Lengths(255, 153, 153)},
        SplitCase{"ucs2Parts255", Times(255 * 67, u'\u0416'), TextCoding::Ucs2, Lengths(255, 67, 67)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LongTextParts, APlainMessageIsTodaysPduAndAPartHasItsHeaderSeptets) {
    const auto one = BuildTextParts(kNumber, u"abc", TextCoding::Gsm7, kReference);
    ASSERT_TRUE(one) << one.error();
    EXPECT_EQ(*one, std::vector<std::string>{"0011000C912658969999990000AA0361F118"});
    const auto ucs2 = BuildTextParts(kNumber, u"abc", TextCoding::Ucs2, kReference, 1);
    ASSERT_TRUE(ucs2) << ucs2.error();
    EXPECT_EQ(*ucs2, std::vector<std::string>{"0011000C912658969999990008AA06006100620063"});

    // 153 septets and the 7 of the header: a full 140-octet part.
    const auto full = BuildTextParts(kNumber, Times(161, u'a'), TextCoding::Gsm7, 0x12);
    ASSERT_TRUE(full) << full.error();
    ASSERT_EQ(full->size(), 2u);
    EXPECT_EQ((*full)[0].substr(0, 30), "0051000C912658969999990000AAA0");
    EXPECT_EQ((*full)[0].size(), 30u + 280u);
    // Eight "a" (0x61) after the header: fill bit 0, then the first septet
    // in bits 1-7 of the header's last octet.
    EXPECT_EQ((*full)[1], "0051000C912658969999990000AA0F050003120202C2E170381C0E8701");
}

struct CountCase {
    const char* name;
    std::u16string text;
    TextCoding coding;
    const char* wording;
};

class PartCounter : public ::testing::TestWithParam<CountCase> {};

TEST_P(PartCounter, SaysMessagesAndWhatIsLeft) {
    const auto& c = GetParam();
    EXPECT_EQ(PartCountText(CountParts(c.text, c.coding)), c.wording);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PartCounter,
    ::testing::Values(CountCase{"empty", u"", TextCoding::Gsm7, "1 message, 160 left"},
                      CountCase{"emptyUcs2", u"", TextCoding::Ucs2, "1 message, 70 left"},
                      CountCase{"one", Times(148, u'x'), TextCoding::Gsm7, "1 message, 12 left"},
                      CountCase{"full", Times(160, u'x'), TextCoding::Gsm7, "1 message, 0 left"},
                      CountCase{"two", Times(208, u'x'), TextCoding::Gsm7, "2 messages, 98 left"},
                      CountCase{"extensionCountsTwo", Times(80, u'['), TextCoding::Gsm7, "1 message, 0 left"},
                      // the septet a straddling escape pair leaves is lost
                      CountCase{"straddle", Times(152, u'x') + u"\u20AC" + Times(7, u'y'), TextCoding::Gsm7,
                                "2 messages, 144 left"},
                      CountCase{"ucs2Two", Times(71, u'\u0416'), TextCoding::Ucs2, "2 messages, 63 left"},
                      CountCase{"emojiCountsTwo", Times(35, kEmoji), TextCoding::Ucs2, "1 message, 0 left"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LongTextParts, CodingIsGsmOnlyWhenEveryCharacterHasAGsmForm) {
    EXPECT_EQ(CodingFor(u"caf\u00E9 {\u20AC}"), TextCoding::Gsm7);
    EXPECT_EQ(CodingFor(u"caf\u00E9 \u263A"), TextCoding::Ucs2);
    EXPECT_EQ(CodingFor(u"a" + kEmoji), TextCoding::Ucs2);
}

TEST(LongTextParts, RefusesWhatCannotBeSent) {
    const auto tooMany = BuildTextParts(kNumber, Times(255 * 153 + 1, u'x'), TextCoding::Gsm7, 1);
    ASSERT_FALSE(tooMany);
    EXPECT_EQ(tooMany.error(), "The text needs 256 messages; a long text is sent as at most 255");
    EXPECT_FALSE(BuildTextParts(kNumber, Times(255 * 67 + 1, u'\u0416'), TextCoding::Ucs2, 1));

    const auto single = BuildTextParts(kNumber, Times(71, u'\u0416'), TextCoding::Ucs2, 1, 1);
    ASSERT_FALSE(single);
    EXPECT_EQ(single.error(),
              "The text takes 71 UTF-16 units; a Unicode message holds at most 70 (an emoji counts two)");

    const auto outside = BuildTextParts(kNumber, u"smile \u263A", TextCoding::Gsm7, 1);
    ASSERT_FALSE(outside);
    EXPECT_EQ(outside.error(),
              "A normal text message cannot carry \"\xE2\x98\xBA\". Remove them, or send the text as "
              "Unicode, which carries any character.");

    for (int reference : {-1, 256})
        EXPECT_FALSE(BuildTextParts(kNumber, Times(200, u'x'), TextCoding::Gsm7, reference)) << reference;
    EXPECT_FALSE(BuildTextParts("", u"abc", TextCoding::Ucs2, 1));
}

} // namespace
} // namespace velmora
