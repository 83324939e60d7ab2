#include "Cli.h"
#include "TestNames.h"

#include <gtest/gtest.h>

#include <sstream>

namespace velmora::cli {
namespace {

struct Outcome {
    int code;
    std::string out;
    std::string err;
};

Outcome Pdu(std::vector<std::string> words) {
    std::ostringstream out, err;
    const int code = RunPdu(std::move(words), Io{out, err});
    return {code, out.str(), err.str()};
}

struct CliCase {
    std::vector<std::string> words;
    int code;
    std::string out; // exact stdout; for failures, a text stderr must contain
};

class PduCommand : public ::testing::TestWithParam<CliCase> {};

TEST_P(PduCommand, PrintsThePdusOrOneClearRefusal) {
    const auto& c = GetParam();
    const Outcome r = Pdu(c.words);
    EXPECT_EQ(r.code, c.code) << r.err;
    if (c.code == kExitOk) {
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, "");
    } else {
        EXPECT_EQ(r.out, "") << "nothing on stdout after a failure";
        EXPECT_NE(r.err.find(c.out), std::string::npos) << r.err;
    }
}

const std::string k252Zeros(252, '0');

INSTANTIATE_TEST_SUITE_P(
    Examples, PduCommand,
    ::testing::Values(
        CliCase{{"text", "628569999999", "abc"}, 0, "0011000C912658969999990000AA0361F118\n"},
        // the number is normalised as the destination field does it
        CliCase{{"text", "+62+8569999999", "abc"}, 0, "0011000C912658969999990000AA0361F118\n"},
        CliCase{{"text", "08569999999", "abc"}, 0, "0011000C912658969999990000AA0361F118\n"},
        CliCase{
            {"text", "--flash", "628569999999", "abc"}, 0, "0011000C912658969999990018AA06006100620063\n"},
        CliCase{{"text", "628569999999", "--blink", "--flash", "abc"},
                0,
                "0011000C912658969999990018AA080001006100620063\n"},
        CliCase{
            {"text", "--unicode", "628569999999", "abc"}, 0, "0011000C912658969999990008AA06006100620063\n"},
        // GSM 7-bit while it carries the text, UCS2 for the rest
        CliCase{{"text", "--long", "--unicode", "628569999999", "abc"},
                0,
                "0011000C912658969999990000AA0361F118\n"},
        CliCase{{"text", "--long", "--unicode", "628569999999", "\xD0\x96"},
                0,
                "0011000C912658969999990008AA020416\n"},
        CliCase{{"logo", "--mcc", "510", "--nc", "01", "628569999999", k252Zeros},
                0,
                "0051000C9126589699999900F5AA8C0605041582000015F01000480E01" + k252Zeros + "\n"},
        CliCase{{"ringtone", "628569999999", "02 4a\t3A"},
                0,
                "0051000C9126589699999900F5AA0A06050415810000024A3A\n"},
        CliCase{{"ems", "628569999999", "Hi[#ANI01] there[#SND03]"},
                0,
                "0051000C9126589699999900F5AA11080D0202010B0208034869207468657265\n"},
        CliCase{{"void", "628569999999"}, 0, "0011000C9126589699999900CBAA00\n"},
        CliCase{{"indicator", "--kind", "email", "--active", "628569999999"},
                0,
                "0011000C9126589699999900CAAA00\n"},
        CliCase{{"indicator", "--kind", "fax", "--inactive", "628569999999"},
                0,
                "0011000C9126589699999900C1AA00\n"},
        // refusals: exit 1, one line naming the problem
        CliCase{{"text", "62abc", "hi"}, 1, "invalid destination number"},
        CliCase{{"text", "+", "hi"}, 1, "invalid destination number"},
        CliCase{{"text", std::string(21, '1'), "hi"}, 1, "1 to 20 digits"},
        CliCase{{"ringtone", "628569999999", "024"}, 1, "odd number"},
        CliCase{{"ringtone", "628569999999", "02G4"}, 1, "'G' is not a hex digit"},
        CliCase{{"logo", "--mcc", "51", "--nc", "01", "628569999999", "00"}, 1, "MCC"},
        CliCase{{"logo", "--mcc", "510", "--nc", "1x", "628569999999", "00"}, 1, "NC"},
        CliCase{{"text", "628569999999", "smile \xE2\x98\xBA"}, 1, "\xE2\x98\xBA"},
        CliCase{{"ems", "628569999999", "[#PIC00100002FF]"}, 1, "picture"},
        CliCase{{"text", "--long", "628569999999", "smile \xE2\x98\xBA"}, 1, "send the text as Unicode"},
        CliCase{{"text", "--unicode", "628569999999", std::string(71, 'a')}, 1, "at most 70"},
        // wrong usage: exit 2 and the usage
        CliCase{{}, 2, "usage:"}, CliCase{{"fax", "628569999999"}, 2, "unknown kind"},
        CliCase{{"text", "628569999999"}, 2, "expected 2 arguments"},
        CliCase{{"text", "--loud", "628569999999", "x"}, 2, "unknown option --loud"},
        CliCase{{"text", "--flash", "--long", "628569999999", "x"}, 2, "--flash takes neither"},
        CliCase{{"text", "--unicode", "--flash", "628569999999", "x"}, 2, "--flash takes neither"},
        CliCase{{"logo", "628569999999", "00"}, 2, "--mcc and --nc"},
        CliCase{{"logo", "628569999999", "00", "--mcc"}, 2, "--mcc needs a value"},
        CliCase{{"indicator", "--kind", "sms", "--active", "628569999999"}, 2, "--kind must be"},
        CliCase{{"indicator", "--kind", "fax", "628569999999"}, 2, "exactly one of"}),
    [](const auto& info) {
        std::string words;
        for (const auto& w : info.param.words)
            words += w + " ";
        return velmora::testing::CaseName(info.index, words);
    });

TEST(PduCommandPicture, PrintsThreePartsInOrder) {
    const Outcome r = Pdu({"picture", "628569999999", std::string(504, 'F')});
    ASSERT_EQ(r.code, 0) << r.err;
    std::istringstream lines(r.out);
    std::string line;
    std::vector<std::string> parts;
    while (std::getline(lines, line))
        parts.push_back(line);
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(parts[0].substr(28, 2), "8C");
    EXPECT_EQ(parts[1].substr(28, 2), "8C");
    EXPECT_EQ(parts[2].substr(28, 2), "10");
    EXPECT_NE(parts[0].find("0B0504158A000000032A0301"), std::string::npos);
    EXPECT_NE(parts[2].find("0B0504158A000000032A0303"), std::string::npos);
}

std::vector<std::string> Lines(const std::string& text) {
    std::istringstream lines(text);
    std::vector<std::string> out;
    for (std::string line; std::getline(lines, line);)
        out.push_back(line);
    return out;
}

// Each long text has its own reference, the next of the run's counter.
TEST(PduCommandText, ALongTextIsItsPartsInOrderUnderANewReference) {
    std::vector<int> references;
    for (int run = 0; run < 2; ++run) {
        const Outcome r = Pdu({"text", "--long", "628569999999", std::string(161, 'x')});
        ASSERT_EQ(r.code, 0) << r.err;
        const auto parts = Lines(r.out);
        ASSERT_EQ(parts.size(), 2u);
        EXPECT_EQ(parts[0].substr(0, 4), "0051"); // TP-UDHI
        EXPECT_EQ(parts[0].substr(30, 6), "050003");
        EXPECT_EQ(parts[0].substr(36, 2), parts[1].substr(36, 2));
        EXPECT_EQ(parts[0].substr(38, 4), "0201");
        EXPECT_EQ(parts[1].substr(38, 4), "0202");
        references.push_back(std::stoi(parts[0].substr(36, 2), nullptr, 16));
    }
    EXPECT_EQ(references[1], (references[0] + 1) % 256);
}

TEST(PduCommandText, TextAfterDoubleDashMayLookLikeAnOption) {
    const Outcome r = Pdu({"text", "628569999999", "--", "--flash"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.substr(22, 6), "0000AA"); // a normal message, not a flash one
    EXPECT_EQ(r.out.substr(28, 2), "07");
}

TEST(PduCommandHelp, HelpGoesToStdout) {
    const Outcome r = Pdu({"--help"});
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("velmora-cli pdu text"), std::string::npos);
}

} // namespace
} // namespace velmora::cli
