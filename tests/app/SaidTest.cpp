// Fill: the placeholders of a translated text filled in one pass, with the
// values' bytes as they are (the phone's are Latin-1).

#include "Said.h"
#include "TestNames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct FillCase {
    const char* name;
    std::string text;
    std::vector<std::string> args;
    std::string filled;
};

void PrintTo(const FillCase& c, std::ostream* os) { *os << c.name; }

class FillTest : public ::testing::TestWithParam<FillCase> {};

TEST_P(FillTest, FillsEachPlaceholderOnce) {
    const FillCase& c = GetParam();
    std::string filled;
    switch (c.args.size()) {
    case 0:
        filled = velmora::Fill(c.text, {});
        break;
    case 1:
        filled = velmora::Fill(c.text, {c.args[0]});
        break;
    case 2:
        filled = velmora::Fill(c.text, {c.args[0], c.args[1]});
        break;
    default:
        filled = velmora::Fill(c.text, {c.args[0], c.args[1], c.args[2]});
        break;
    }
    EXPECT_EQ(filled, c.filled);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FillTest,
    ::testing::Values(
        FillCase{"in order", "%1 of %2 sent", {"3", "5"}, "3 of 5 sent"},
        FillCase{"out of order, as a translation puts them", "%2 dari %1", {"5", "3"}, "3 dari 5"},
        FillCase{"the same placeholder twice", "B%1 paused; resume B%1", {"7"}, "B7 paused; resume B7"},
        FillCase{"a value that holds a placeholder stays as given", "%1 and %2", {"%2", "x"}, "%2 and x"},
        FillCase{"the phone's Latin-1 bytes go in unchanged",
                 "answered: %1",
                 {"Caf\xE9 \xFF"},
                 "answered: Caf\xE9 \xFF"},
        FillCase{"a placeholder without a value is left", "%1 %3", {"a"}, "a %3"},
        FillCase{"a lone percent sign at the end", "100%", {}, "100%"},
        FillCase{"a percent sign before a letter", "%n and %1", {"x"}, "%n and x"},
        FillCase{"an empty value", "[%1]", {""}, "[]"},
        FillCase{"nothing to fill", "Check SIM", {"unused"}, "Check SIM"}),
    [](const auto& info) { return velmora::testing::CaseName(info.index, info.param.name); });

} // namespace
