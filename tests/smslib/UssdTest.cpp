#include "Ussd.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace velmora {
namespace {

TEST(UssdCoding, EachDcsGroupSaysHowToRead) {
    using A = UssdAlphabet;
    const struct {
        std::optional<int> dcs;
        A alphabet;
        bool languageFirst;
    } cases[] = {
        {std::nullopt, A::Gsm7, false}, // left out: the default alphabet
        {0x0F, A::Gsm7, false},         // language unspecified, what networks send
        {0x00, A::Gsm7, false},         // German
        {0x01, A::Gsm7, false},         // English
        {0x10, A::Gsm7, true},          // "EN\r" first
        {0x11, A::Ucs2, true},          // two packed septets of language first
        {0x12, A::Gsm7, false},         // reserved: the default alphabet
        {0x21, A::Gsm7, false},         // Hebrew in the default alphabet
        {0x40, A::Gsm7, false},         // general coding, default alphabet
        {0x44, A::EightBit, false},     // general coding, 8-bit
        {0x48, A::Ucs2, false},         // 72: general coding, UCS2
        {0x4C, A::Gsm7, false},         // reserved alphabet
        {0x60, A::Compressed, false},   // compressed
        {0x98, A::Ucs2, false},         // with a header, UCS2
        {0xF0, A::Gsm7, false},         // message class, default alphabet
        {0xF4, A::EightBit, false},     // message class, 8-bit
        {0xE0, A::Gsm7, false},         // reserved group
        {300, A::Gsm7, false},          // not a DCS at all
    };
    for (const auto& c : cases) {
        const UssdCoding coding = UssdCodingOf(c.dcs);
        EXPECT_EQ(coding.alphabet, c.alphabet) << c.dcs.value_or(-1);
        EXPECT_EQ(coding.languageFirst, c.languageFirst) << c.dcs.value_or(-1);
    }
}

TEST(UssdPacking, RequestsPackAsSticksWantThem) {
    const struct {
        std::u16string text;
        std::string hex;
    } cases[] = {
        {u"*100#", "AA180C3602"}, // the example every stick's manual gives
        {u"*123#", "AA986C3602"},
        {u"Paket 1GB", "D0F0BA4C07C58E42"},
        // Seven septets leave seven spare bits: a carriage return, not "@".
        {u"1234567", "31D98C56B3DD1A"},
        {u"ABCDEFG", "41E19058341E1B"},
    };
    for (const auto& c : cases) {
        const auto packed = PackUssd(c.text);
        ASSERT_TRUE(packed) << packed.error();
        EXPECT_EQ(*packed, c.hex);
        EXPECT_EQ(UnpackUssd(c.hex), c.text) << c.hex;
    }
}

TEST(UssdPacking, RefusesWhatTheAlphabetCannotCarry) {
    const auto packed = PackUssd(u"*123*\u263A#");
    ASSERT_FALSE(packed);
    EXPECT_NE(packed.error().find("\u263A"), std::string::npos) << packed.error();
}

TEST(UssdPacking, UnpackingDropsOnlyThePadding) {
    // A modem that left the padding out: seven zero bits are no "@" either.
    EXPECT_EQ(UnpackUssd("31D98C56B3DD00"), u"1234567");
    // Eight septets fill seven octets whole: the last is a character.
    EXPECT_EQ(UnpackUssd(*PackUssd(u"12345678")), u"12345678");
    // A wanted carriage return on an octet boundary is doubled, so the
    // receiver does not take it for the padding; a second line end is
    // harmless where a lost one is not.
    EXPECT_EQ(UnpackUssd(*PackUssd(u"1234567\r")), u"1234567\r\r");
    EXPECT_EQ(UnpackUssd("ABC"), std::nullopt);
    EXPECT_EQ(UnpackUssd("A*"), std::nullopt);
}

struct AnswerCase {
    const char* modem; // who gave the answer this way
    std::string str;
    std::optional<int> dcs;
    UssdWire wire;
    std::string text;
    std::string how;
};

class UssdAnswers : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(UssdAnswers, AreReadByTheirCoding) {
    const AnswerCase& c = GetParam();
    EXPECT_EQ(DecodeUssd(c.str, c.dcs, c.wire), (UssdText{c.text, c.how}));
}

INSTANTIATE_TEST_SUITE_P(
    Modems, UssdAnswers,
    ::testing::Values(
        AnswerCase{"Huawei E1550 gives the default alphabet packed in hex",
                   "D3F43C0C82D7D9F33028E82687415238282673D56030", 15, UssdWire::Unknown,
                   "Sisa pulsa Anda Rp 12.500", "packed"},
        AnswerCase{"Huawei E1550 known packed", "D3309BFC0649E135180C06", 15, UssdWire::Packed,
                   "Saldo Rp5000", "packed"},
        AnswerCase{"Sierra MC8775 gives it as text", "Sisa pulsa Anda Rp 12.500", 15, UssdWire::Unknown,
                   "Sisa pulsa Anda Rp 12.500", "text"},
        AnswerCase{"Huawei K3765 with AT+CSCS=\"HEX\" gives one octet a septet", "42616C616E63653A203130", 15,
                   UssdWire::Unknown, "Balance: 10", "septets"},
        AnswerCase{"Telit GL865 gives digits only, which read as hex", "1234", 15, UssdWire::Unknown, "1234",
                   "text"},
        AnswerCase{"Telit GL865 known as a text modem keeps hex-looking text", "ACCE55", 15, UssdWire::Text,
                   "ACCE55", "text"},
        AnswerCase{"Wavecom Q2403 leaves the DCS out", "Saldo Anda Rp 5.000", std::nullopt, UssdWire::Unknown,
                   "Saldo Anda Rp 5.000", "text"},
        AnswerCase{"ZTE MF190 gives UCS2 in hex with DCS 72",
                   "00530061006C0064006F00200041006E0064006100200052007000200035002E003000300030", 72,
                   UssdWire::Unknown, "Saldo Anda Rp 5.000", "ucs2"},
        AnswerCase{"ZTE MF190 with a character beyond Latin-1",
                   "00500075006C007300610020271300200052007000200035002E003000300030", 72, UssdWire::Packed,
                   "Pulsa \u2713 Rp 5.000", "ucs2"},
        AnswerCase{"Quectel EC25 turns UCS2 into its own characters", "Saldo Anda", 72, UssdWire::Unknown,
                   "Saldo Anda", "text"},
        AnswerCase{"SIMCom SIM800 with UCS2 cut short", "00530061006C00", 72, UssdWire::Unknown,
                   "00530061006C00", "as-is"},
        AnswerCase{"UCS2 preceded by its language, two packed septets", "4527" + std::string("00480069"),
                   0x11, UssdWire::Unknown, "Hi", "ucs2"},
        AnswerCase{"Default alphabet preceded by its language", "EN\rBalance 5", 0x10, UssdWire::Unknown,
                   "Balance 5", "text"},
        AnswerCase{"8-bit data that reads as Latin-1", "53616C646F2035303030", 0x44, UssdWire::Unknown,
                   "Saldo 5000", "8-bit"},
        AnswerCase{"8-bit data with control octets stays as it came", "0001FF02", 0xF4, UssdWire::Unknown,
                   "0001FF02", "as-is"},
        AnswerCase{"Compressed text stays as it came", "C0FFEE", 0x60, UssdWire::Unknown, "C0FFEE", "as-is"},
        AnswerCase{"Hex that reads as no text stays as it came", "0102030405", 15, UssdWire::Unknown,
                   "0102030405", "text"},
        AnswerCase{"Latin-1 bytes of an old modem",
                   "Saldo \xA3"
                   "5",
                   15, UssdWire::Unknown, "Saldo \u00A35", "text"}),
    [](const auto& info) {
        std::string name;
        for (const char c : std::string(info.param.modem))
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return std::to_string(info.index) + "_" + name.substr(0, 50);
    });

TEST(UssdWireNames, ReadBackAnyCase) {
    for (const UssdWire w : {UssdWire::Text, UssdWire::Packed})
        EXPECT_EQ(UssdWireFromName(UssdWireName(w)), w);
    EXPECT_EQ(UssdWireFromName("PACKED"), UssdWire::Packed);
    EXPECT_EQ(UssdWireFromName("7bit"), std::nullopt);
    EXPECT_EQ(UssdWireFromName(""), std::nullopt);
}

} // namespace
} // namespace velmora
