#include "CommandLine.h"
#include "TestNames.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace velmora {
namespace {

// The line as read: "O:--as=logo" an option with its value, "O:--json" one
// without, "P:" a positional, "U:" a word not understood, "M:" an option
// missing its value.
std::string Read(const CommandLine& line, const std::vector<KnownOption>& options) {
    const auto takesValue = [&](const std::string& name) {
        return std::any_of(options.begin(), options.end(),
                           [&](const KnownOption& o) { return o.name == name && o.takesValue; });
    };
    std::string out;
    for (const GivenWord& g : line.given()) {
        out += out.empty() ? "" : " ";
        switch (g.kind) {
        case GivenWord::Option:
            out += "O:" + g.option + (takesValue(g.option) ? "=" + g.value : "");
            break;
        case GivenWord::Positional:
            out += "P:" + g.word;
            break;
        case GivenWord::Unknown:
            out += "U:" + g.word;
            break;
        case GivenWord::MissingValue:
            out += "M:" + g.option;
            break;
        }
    }
    return out;
}

// The words of velmora-cli's commands that read files and PDUs.
const WordRules kAnywhere{.optionsAfterPositionals = true, .doubleDashEndsOptions = true, .eachOnce = true};
// The phone commands': options first.
const WordRules kFront{.optionsAfterPositionals = false, .doubleDashEndsOptions = false};
// The window's.
const WordRules kWindow{.optionsAfterPositionals = true, .doubleDashEndsOptions = false, .shortHelp = true};

const std::vector<KnownOption> kContent{{"--as", true}, {"--dither"}};
const std::vector<KnownOption> kLink{{"--pin", true}, {"--fast"}};
const std::vector<KnownOption> kWindowOptions{{"--help"}, {"--version"}, {"--device", true}};

struct Row {
    std::vector<std::string> words;
    const std::vector<KnownOption>* options;
    const WordRules* rules;
    std::string read;
};

void PrintTo(const Row& r, std::ostream* os) {
    for (const auto& w : r.words)
        *os << "[" << w << "] ";
}

class CommandLineReads : public ::testing::TestWithParam<Row> {};

TEST_P(CommandLineReads, EachWordInTheOrderTyped) {
    const Row& r = GetParam();
    EXPECT_EQ(Read(CommandLine(r.words, *r.options, *r.rules), *r.options), r.read);
}

INSTANTIATE_TEST_SUITE_P(
    Words, CommandLineReads,
    ::testing::Values(
        Row{{"f", "--as", "logo", "--dither"}, &kContent, &kAnywhere, "P:f O:--as=logo O:--dither"},
        Row{{"--as=a=b"}, &kContent, &kAnywhere, "O:--as=a=b"},
        Row{{"--as=", "f"}, &kContent, &kAnywhere, "O:--as= P:f"},
        // One dash is no option: a text "-5", a file "-".
        Row{{"-5", "-", "-h", "-as", "-dither"}, &kContent, &kAnywhere, "P:-5 P:- P:-h P:-as P:-dither"},
        // A value is the next word, whatever it looks like.
        Row{{"--as", "--dither"}, &kContent, &kAnywhere, "O:--as=--dither"},
        Row{{"--as", "-5", "x"}, &kContent, &kAnywhere, "O:--as=-5 P:x"},
        Row{{"--as", "--bogus", "--dither"}, &kContent, &kAnywhere, "O:--as=--bogus O:--dither"},
        // Not understood: a flag with a value, an option given twice, a name
        // not known, a name that only starts like one.
        Row{{"--dither=1"}, &kContent, &kAnywhere, "U:--dither=1"},
        Row{{"--dither", "x", "--dither"}, &kContent, &kAnywhere, "O:--dither P:x U:--dither"},
        Row{{"--as", "a", "--as"}, &kContent, &kAnywhere, "O:--as=a U:--as"},
        Row{{"--as=a", "--as", "b", "c"}, &kContent, &kAnywhere, "O:--as=a U:--as P:c"},
        Row{{"--bogus", "x", "--b=1", "--asx", "--=x", "---as"},
            &kContent,
            &kAnywhere,
            "U:--bogus P:x U:--b=1 U:--asx U:--=x U:---as"},
        Row{{"x", "--as"}, &kContent, &kAnywhere, "P:x M:--as"},
        // "--" ends the options: an option before it misses its value.
        Row{{"--as", "--", "x"}, &kContent, &kAnywhere, "M:--as P:x"},
        Row{{"a", "--", "--as", "x", "--", "--dither"},
            &kContent,
            &kAnywhere,
            "P:a P:--as P:x P:-- P:--dither"},
        // Bytes as typed: not UTF-8, a NUL.
        Row{{"--\xE9", "\xE9\xFF", "--as=\xE9\xFF",
             std::string("\0"
                         "1",
                         2)},
            &kContent,
            &kAnywhere,
            "U:--\xE9 P:\xE9\xFF O:--as=\xE9\xFF P:" + std::string("\0"
                                                                   "1",
                                                                   2)},
        Row{{"--dither", "--as",
             std::string("\0"
                         "0",
                         2)},
            &kContent,
            &kAnywhere,
            "O:--dither O:--as=" + std::string("\0"
                                               "0",
                                               2)},
        // Options first: the first positional ends them, "--" is a word.
        Row{{"--pin", "1", "x", "--pin", "2"}, &kLink, &kFront, "O:--pin=1 P:x P:--pin P:2"},
        Row{{"--fast", "--", "--pin", "1"}, &kLink, &kFront, "O:--fast P:-- P:--pin P:1"},
        Row{{"--bogus", "--pin", "1", "x"}, &kLink, &kFront, "U:--bogus O:--pin=1 P:x"},
        Row{{"--pin", "--fast", "--fast", "--fast=2"}, &kLink, &kFront, "O:--pin=--fast O:--fast U:--fast=2"},
        Row{{"--pin", "a", "--pin=b", "--pin"}, &kLink, &kFront, "O:--pin=a O:--pin=b M:--pin"},
        Row{{}, &kLink, &kFront, ""},
        // "-h" for "--help", anywhere, and as a value itself.
        Row{{"-h", "--device", "-h", "x", "--"},
            &kWindowOptions,
            &kWindow,
            "O:--help O:--device=-h P:x P:--"},
        Row{{"--h", "-hx", "-h=1", "--help=1", "--version"},
            &kWindowOptions,
            &kWindow,
            "U:--h P:-hx P:-h=1 U:--help=1 O:--version"}),
    [](const auto& info) {
        std::string words;
        for (const auto& w : info.param.words)
            words += w + " ";
        return velmora::testing::CaseName(info.index, words);
    });

TEST(CommandLine, GivesTheLastValueThePositionalsAndTheFirstOfAKind) {
    const CommandLine line({"--pin", "1", "--bogus", "--pin=2", "--x"}, kLink,
                           {.optionsAfterPositionals = true, .doubleDashEndsOptions = true});
    EXPECT_EQ(line.value("--pin"), "2");
    EXPECT_FALSE(line.has("--fast"));
    EXPECT_EQ(line.value("--fast"), std::nullopt);
    ASSERT_NE(line.first(GivenWord::Unknown), nullptr);
    EXPECT_EQ(line.first(GivenWord::Unknown)->word, "--bogus");
    EXPECT_EQ(line.first(GivenWord::Unknown)->index, 2u);
    EXPECT_EQ(line.first(GivenWord::MissingValue), nullptr);

    const CommandLine files({"a", "--fast", "-b", "--", "--pin"}, kLink, kAnywhere);
    EXPECT_TRUE(files.has("--fast"));
    EXPECT_EQ(files.positional(), (std::vector<std::string>{"a", "-b", "--pin"}));
    EXPECT_EQ(files.first(GivenWord::Positional)->index, 0u);
    EXPECT_EQ(files.given().back().index, 4u);
}

} // namespace
} // namespace velmora
