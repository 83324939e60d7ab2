#include "MessageRequest.h"
#include "NetworkTable.h"
#include "Strings.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

struct PrefixCase {
    const char* number;
    const char* code;
};

TEST(NetworkTable, PrefixAfterTheCountryOrTrunkCode) {
    const PrefixCase cases[] = {
        {"628161234567", "15F010"},
        {"08161234567", "15F010"},
        {"+628161234567", "15F010"},
        {"8161234567", ""}, // the prefix at the very start does not count
        {"6281512345", "15F010"},
        {"6281112345", "15F001"},
        {"6281212345", "15F001"},
        {"6281712345", "15F011"},
        {"6281812345", "15F011"},
        {"6281912345", "15F011"},
        {"628569999999", "15F012"},
        {"6283151234", "15F080"},
        {"6221123456", ""},
        {"", ""},
        {"62", ""},
        {"628568161", "15F012"}, // 816 comes too late to count
    };
    for (const auto& c : cases)
        EXPECT_EQ(NetworkCodeForNumber(c.number), c.code) << c.number;
}

TEST(NetworkTable, LaterRowsWin) {
    // 818 at position 2 (row 3) and 816 at position 4 (row 1): row 3 comes later and wins
    EXPECT_EQ(NetworkCodeForNumber("081816"), "15F011");
}

TEST(NetworkTable, SplitAndMakeAreInverse) {
    EXPECT_EQ(SplitNetworkCode("15F010").mcc, "510");
    EXPECT_EQ(SplitNetworkCode("15F010").nc, "01");
    EXPECT_EQ(SplitNetworkCode("15F012").nc, "21");
    for (const char* bad : {"15F01", "15F0100", ""}) {
        EXPECT_EQ(SplitNetworkCode(bad).mcc, "") << bad;
        EXPECT_EQ(SplitNetworkCode(bad).nc, "") << bad;
    }
    for (const char* code : {"15F010", "15F001", "15F011", "15F012", "15F080"}) {
        const MccNc split = SplitNetworkCode(code);
        EXPECT_EQ(MakeNetworkCode(split.mcc, split.nc), code);
    }
    EXPECT_EQ(MakeNetworkCode("51", "01"), "");
}

TEST(Destination, NormalisedAsTheNumberFieldDoesIt) {
    const std::pair<const char*, const char*> cases[] = {{"+628569999999", "628569999999"},
                                                         {"08569999999", "628569999999"},
                                                         {"00", "620"},
                                                         {"+0+8", "628"},
                                                         {"", ""},
                                                         {"123", "123"},
                                                         {"+62 812-3456-789", "628123456789"},
                                                         {"0812.3456.789", "628123456789"},
                                                         {"0062 812 3456 789", "628123456789"},
                                                         {"(0812) 3456-789", "628123456789"},
                                                         {"-5", "-5"},
                                                         {"Telkomsel", "Telkomsel"}};
    for (auto [typed, kept] : cases)
        EXPECT_EQ(NormaliseDestination(typed), kept) << typed;
    EXPECT_TRUE(IsValidDestination("1"));
    EXPECT_TRUE(IsValidDestination(std::string(20, '9')));
    EXPECT_FALSE(IsValidDestination(std::string(21, '9')));
    EXPECT_FALSE(IsValidDestination(""));
    EXPECT_FALSE(IsValidDestination("62 85"));
}

// Another country's national numbers take its code, wherever the rule is
// asked: the destination as sent, and its refusal, which names the code.
TEST(Destination, ANationalNumberTakesTheCountryCodeGiven) {
    const struct {
        const char* typed;
        const char* code;
        const char* sent;
    } rows[] = {
        {"0401234567", "358", "358401234567"},     {"+358 40 123 4567", "358", "358401234567"},
        {"00358401234567", "358", "358401234567"}, {"(0555) 123-4567", "1", "15551234567"},
        {"08569999999", "62", "628569999999"},     {"00", "44", "440"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(NormaliseDestination(r.typed, r.code), r.sent) << r.typed << " in " << r.code;
        const auto checked = CheckDestination(r.typed, r.code);
        ASSERT_TRUE(checked) << r.typed;
        EXPECT_EQ(*checked, r.sent);
        MessageRequest request;
        request.destination = r.typed;
        request.text = u"Hei";
        request.countryCode = r.code;
        const auto built = BuildMessage(request);
        ASSERT_TRUE(built) << r.typed;
        EXPECT_EQ(built->number, r.sent) << r.typed;
    }
    // The live edit of the number field keeps what it is given but the prefix.
    EXPECT_EQ(WithCountryCode("0", "358"), "358");
    EXPECT_EQ(WithCountryCode("0040", "358"), "0040");
    EXPECT_EQ(WithCountryCode("12 0", "358"), "12 0");
    const auto refused = CheckDestination("0abc", "358");
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.error().find("a leading 0 becomes 358)"), std::string::npos) << refused.error();
    EXPECT_NE(CheckDestination("0abc").error().find("a leading 0 becomes 62)"), std::string::npos);
    for (const char* code : {"1", "62", "358"})
        EXPECT_TRUE(IsCountryCode(code)) << code;
    for (const char* code : {"", "1234", "+62", "6 2", "x"})
        EXPECT_FALSE(IsCountryCode(code)) << code;
}

TEST(Strings, Utf8RoundTripAndMalformedInput) {
    const std::string text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
    EXPECT_EQ(Utf8ToUtf16(text), u"a\u00E9\u20AC\U0001F600");
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text);
    EXPECT_EQ(Utf8ToUtf16("\xFF"
                          "a"),
              u"\uFFFDa");
    EXPECT_EQ(Utf8ToUtf16("\xE2\x82"), u"\uFFFD\uFFFD");
    EXPECT_EQ(Utf8ToUtf16("\xC0\x80"), u"\uFFFD\uFFFD"); // overlong NUL
    EXPECT_EQ(StripAll("a+b++c", "+"), "abc");
    EXPECT_EQ(PadLeft("7", 3, '0'), "007");
    EXPECT_EQ(PadRight("ab", 4, '.'), "ab..");
    EXPECT_EQ(PadLeft("abcd", 2, '0'), "abcd");
}

} // namespace
} // namespace velmora
