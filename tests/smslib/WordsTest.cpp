// Filling a sentence's pattern: what is filled in is never read as a
// pattern itself, and a % that is not one of ours stays.

#include "Words.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct FillCase {
    const char* name;
    const char* pattern;
    std::initializer_list<std::string_view> args;
    const char* expected;
};

class FillTest : public testing::TestWithParam<FillCase> {};

TEST_P(FillTest, Fills) {
    const FillCase& c = GetParam();
    EXPECT_EQ(velmora::Fill(c.pattern, c.args), c.expected);
}

const FillCase kCases[] = {
    {"InOrder", "Cannot read \"%1\": %2", {"/tmp/a", "No such file"}, "Cannot read \"/tmp/a\": No such file"},
    {"OutOfOrder", "%2 dari %1", {"one", "two"}, "two dari one"},
    {"Twice", "%1 and %1", {"x"}, "x and x"},
    {"AnArgumentHoldingAPattern", "file %1 and %2", {"%2", "b"}, "file %2 and b"},
    {"NoArgumentForTheNumber", "%1 of %3", {"a"}, "a of %3"},
    {"APercentThatIsNotOurs", "100% sure: %1", {"yes"}, "100% sure: yes"},
    {"PercentAtTheEnd", "%1%", {"50"}, "50%"},
    {"Empty", "", {"a"}, ""},
    {"AnEmptyArgument", "[%1]", {""}, "[]"},
    // What a phone sends is Latin-1: its bytes go in as they are.
    {"LatinOneBytesUnchanged", "answered: %1", {"Caf\xE9 \xFF"}, "answered: Caf\xE9 \xFF"},
};

INSTANTIATE_TEST_SUITE_P(Words, FillTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<FillCase>& info) { return info.param.name; });

} // namespace
