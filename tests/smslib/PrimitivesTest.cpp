#include "Primitives.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

namespace velmora {
namespace {

TEST(Primitives, ByteToHexCoversTheOctet) {
    const std::pair<int, const char*> cases[] = {{0, "00"},   {9, "09"},   {10, "0A"},
                                                 {159, "9F"}, {160, "A0"}, {255, "FF"}};
    for (auto [v, hex] : cases)
        EXPECT_EQ(ByteToHex(v), hex) << v;
    EXPECT_THROW(ByteToHex(256), std::out_of_range);
    EXPECT_THROW(ByteToHex(-1), std::out_of_range);
}

TEST(Primitives, HexReadersSkipWhatIsNotUpperCaseHex) {
    EXPECT_EQ(HexToInt("0010"), 16u);
    EXPECT_EQ(HexToInt("00a0"), 0u); // lower-case letters contribute nothing
    EXPECT_EQ(HexToBits("A-1"), "10100001");
    EXPECT_EQ(BitsToInt(""), 0u);
    EXPECT_EQ(BitsToInt("1x1"), 5u); // anything but "1" reads as 0
    EXPECT_EQ(IntPower(2, 0), 1);
    EXPECT_EQ(IntPower(3, 4), 81);
}

TEST(Primitives, BitTextConversions) {
    EXPECT_EQ(IntToBits(5, 4), "0101");
    EXPECT_EQ(IntToBits(0, 3), "000");
    EXPECT_EQ(BitsToHex("111111110000"), "FF"); // the 4-bit remainder is dropped
    EXPECT_EQ(BitsToHex("1111111"), "");
    EXPECT_EQ(BitsToHexPadded("1"), "01");
    EXPECT_EQ(BitsToHexPadded("111111111"), "01FF");
    EXPECT_EQ(InvertBits("10x"), "011");
    EXPECT_EQ(TextToBits("a", true), "1100001");
    EXPECT_EQ(TextToBits("a", false), "01100001");
    EXPECT_EQ(CharToBits(0xE9, true), "11101001"); // codes of 128 and up keep 8 bits
}

struct PackCase {
    const char* text;
    const char* packed;
};

TEST(Primitives, PackSeptetsMatchesTheGsmPacking) {
    const PackCase cases[] = {
        {"", ""},
        {"a", "61"},
        {"abc", "61F118"},
        {"hello", "E8329BFD06"},
        {"abcdefg", "61F1985C369F01"}, // the 7th octet holds only g's top bit
        {"abcdefgh", "61F1985C369FD1"},
    };
    for (const auto& c : cases) {
        const std::string hex = BitsToHex(PackSeptets(TextToBits(c.text, true)));
        EXPECT_EQ(hex, c.packed) << c.text;
        EXPECT_EQ(UnpackSeptets(hex, std::string(c.text).size()), c.text) << c.text;
    }
}

TEST(Primitives, PackSeptetsOfAFullMessageRoundTrips) {
    std::string text;
    for (int i = 0; i < 160; ++i)
        text += static_cast<char>('!' + i % 90);
    const std::string hex = BitsToHex(PackSeptets(TextToBits(text, true)));
    EXPECT_EQ(hex.size(), 280u);
    EXPECT_EQ(UnpackSeptets(hex, 160), text);
}

TEST(Primitives, SemiOctetsSwapAndFill) {
    EXPECT_EQ(SwapSemiOctets("628569999999"), "265896999999");
    EXPECT_EQ(SwapSemiOctets("62856999999"), "2658969999F9");
    EXPECT_EQ(SwapSemiOctets(""), "");
    EXPECT_EQ(UnswapSemiOctets("265896999999"), "628569999999");
    EXPECT_EQ(UnswapSemiOctets("2658969999F9"), "62856999999");
}

// TS 23.040 9.1.2.3: A to E are "*", "#", "a", "b", "c"; F fills an odd last octet.
TEST(Primitives, AddressDigitsReadEverySemiOctet) {
    struct Row {
        const char* semiOctets;
        std::size_t count;
        std::optional<std::string> digits;
    } rows[] = {
        {"265896999999", 12, "628569999999"},
        {"2658969999F9", 11, "62856999999"},
        {"1A00FB", 5, "*100#"},
        {"BADC1E325476", 12, "*#abc1234567"},
        {"badc1e", 6, "*#abc1"},             // as a phone may write them
        {"2658969999F9", 12, "62856999999"}, // a length that counts the filler
        {"265896999999", 4, "6285"},
        {"265896999999", std::string_view::npos, "628569999999"},
        {"26589G", 6, std::nullopt},
        {"26589G", 4, "6285"}, // what lies beyond the length is not read
        {"", 0, ""},
    };
    for (const auto& r : rows)
        EXPECT_EQ(AddressDigits(r.semiOctets, r.count), r.digits) << r.semiOctets << " " << r.count;
}

TEST(Primitives, HexToUcs2WidensEveryOctet) {
    EXPECT_EQ(HexToUCS2("616263"), "006100620063");
    EXPECT_EQ(HexToUCS2(""), "");
}

} // namespace
} // namespace velmora
