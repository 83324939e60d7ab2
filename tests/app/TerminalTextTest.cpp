#include "TerminalText.h"

#include <gtest/gtest.h>

namespace velmora::cli {
namespace {

TEST(EscapeForTerminal, LeavesNoControlCharacterAndKeepsText) {
    const std::pair<std::string, std::string> cases[] = {
        {"Nokia 6310i", "Nokia 6310i"},
        {"", ""},
        {"Evil\x1b]0;owned\x07\x1b[2J", "Evil\\x1B]0;owned\\x07\\x1B[2J"}, // title and clear screen
        {"line\r\nnext\ttab", "line\\x0D\\x0Anext\\x09tab"},
        {std::string("nul\0in", 6), "nul\\x00in"},
        {"del\x7f", "del\\x7F"},
        {"a\\x1B", "a\\\\x1B"}, // a backslash is doubled, so the text above reads back without doubt
        {"Caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x93\xb1",
         "Caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x93\xb1"}, // UTF-8 passes
        {"csi\xc2\x9b"
         "2J",
         "csi\\xC2\\x9B2J"}, // U+009B, the one-character CSI
        {"raw\x9b"
         "2J",
         "raw\\x9B2J"},                          // the same as a bare byte
        {"latin1 caf\xe9!", "latin1 caf\\xE9!"}, // not UTF-8: one escape per byte
        {"cut \xe2\x82", "cut \\xE2\\x82"},      // a sequence cut short
        {"overlong \xc0\xaf", "overlong \\xC0\\xAF"},
        {"surrogate \xed\xa0\x80", "surrogate \\xED\\xA0\\x80"},
        {"beyond \xf4\x90\x80\x80", "beyond \\xF4\\x90\\x80\\x80"},
    };
    for (const auto& [bytes, shown] : cases) {
        EXPECT_EQ(EscapeForTerminal(bytes), shown) << shown;
        EXPECT_EQ(ForOutput(bytes, true), shown) << shown;
        EXPECT_EQ(ForOutput(bytes, false), bytes) << shown; // files and pipes keep the bytes
    }
}

} // namespace
} // namespace velmora::cli
