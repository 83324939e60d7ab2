#include "SimPhonebook.h"

#include "TestNames.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using velmora::testing::CaseName;

struct EncodeRow {
    std::string name;
    std::u16string text;
    SimCharset charset;
    std::string bytes;
    std::u32string unholdable;
};

class EncodeSimNameTest : public ::testing::TestWithParam<EncodeRow> {};

TEST_P(EncodeSimNameTest, GivesTheOctetsOrTheCharactersTheSetCannotCarry) {
    const EncodeRow& row = GetParam();
    const SimName got = EncodeSimName(row.text, row.charset);
    EXPECT_EQ(got.bytes, row.bytes);
    EXPECT_EQ(got.unholdable, row.unholdable);
}

const EncodeRow kEncodeRows[] = {
    {"plain letters in GSM", u"Budi 2", SimCharset::Gsm, "Budi 2", U""},
    {"GSM has no e with diaeresis", u"Zo\u00EB", SimCharset::Gsm, "", U"\u00EB"},
    {"GSM letters above ASCII go as their codes", u"\u00C4\u00D6", SimCharset::Gsm, "\x5B\x5C", U""},
    {"GSM codes below 0x20 never reach a command line", u"a@b\u00E8", SimCharset::Gsm, "", U"@\u00E8"},
    {"an escaped GSM character is refused", u"5\u20AC", SimCharset::Gsm, "", U"\u20AC"},
    {"Latin-1 carries the e with diaeresis", u"Zo\u00EB", SimCharset::Latin1, "Zo\xEB", U""},
    {"IRA is ASCII only", u"Zo\u00EB", SimCharset::Ira, "", U"\u00EB"},
    {"a quote would end the command's string", u"say \"hi\"", SimCharset::Latin1, "", U"\""},
    {"a control character is refused whatever the set", u"Tab\t", SimCharset::Ucs2, "", U"\t"},
    {"UCS2 is four hex digits a character", u"Zo\u00EB\u4E2D", SimCharset::Ucs2, "005A006F00EB4E2D", U""},
    {"UCS2 has no character past the basic plane", u"ok\U0001F600", SimCharset::Ucs2, "", U"\U0001F600"},
    {"each character is named once", u"\u00EB\u00EB\u00FC", SimCharset::Ira, "", U"\u00EB\u00FC"},
};
INSTANTIATE_TEST_SUITE_P(Rows, EncodeSimNameTest, ::testing::ValuesIn(kEncodeRows),
                         [](const auto& info) { return CaseName(info.index, info.param.name); });

struct PlanRow {
    std::string name;
    std::u16string text;
    SimCharset current;
    bool ucs2;
    SimCharset chosen;
    int capacity;
    bool tooLong;
    bool holds;
};

class PlanSimNameTest : public ::testing::TestWithParam<PlanRow> {};

// The book of the simulated phone and of many SIMs: 18 octets a name.
TEST_P(PlanSimNameTest, ChoosesTheSetAndItsLength) {
    const PlanRow& row = GetParam();
    const SimBookLimits limits{1, 250, 40, 18};
    const NamePlan plan = PlanSimName(row.text, row.current, row.ucs2, limits);
    EXPECT_EQ(plan.charset, row.chosen);
    EXPECT_EQ(plan.capacity, row.capacity);
    EXPECT_EQ(plan.tooLong, row.tooLong);
    EXPECT_EQ(plan.name.ok(), row.holds);
}

const PlanRow kPlanRows[] = {
    {"a name the phone's set holds stays in it", u"Budi", SimCharset::Gsm, true, SimCharset::Gsm, 18, false,
     true},
    {"one that it cannot goes in UCS2 at half the length", u"Zo\u00EB", SimCharset::Gsm, true,
     SimCharset::Ucs2, 8, false, true},
    {"nine characters are too many in UCS2", u"Zo\u00EB Wijaya", SimCharset::Gsm, true, SimCharset::Ucs2, 8,
     true, true},
    {"without UCS2 it cannot be written", u"Zo\u00EB", SimCharset::Gsm, false, SimCharset::Gsm, 18, false,
     false},
    {"a phone speaking UCS2 keeps it", u"Budi", SimCharset::Ucs2, true, SimCharset::Ucs2, 8, false, true},
    {"nineteen characters are too many", u"Alexandra Wijayakus", SimCharset::Ira, false, SimCharset::Ira, 18,
     true, true},
};
INSTANTIATE_TEST_SUITE_P(Rows, PlanSimNameTest, ::testing::ValuesIn(kPlanRows),
                         [](const auto& info) { return CaseName(info.index, info.param.name); });

TEST(CutName, KeepsWholeCharactersAndDropsTheBlankAtTheCut) {
    const struct {
        std::u16string name;
        int capacity;
        std::u16string cut;
    } rows[] = {
        {u"Alexandra Putri", 10, u"Alexandra"},
        {u"Alexandra Putri", 0, u"Alexandra Putri"},
        {u"Budi", 18, u"Budi"},
        {u"ab\U0001F600cd", 3, u"ab\U0001F600"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(CutName(row.name, row.capacity), row.cut);
}

TEST(CheckSimNumber, KeepsTheNumberAsTypedButForItsSeparators) {
    const SimBookLimits six{1, 250, 6, 18};
    const SimBookLimits any{};
    const struct {
        std::string typed;
        SimBookLimits limits;
        std::string number;
        int type;
        SimNumberProblem problem;
    } rows[] = {
        {"+62 812-3456-789", any, "+628123456789", 145, SimNumberProblem::None},
        {"(0812) 555.12/34", any, "08125551234", 129, SimNumberProblem::None},
        {"  ", any, "", 129, SimNumberProblem::Empty},
        {"+", any, "+", 129, SimNumberProblem::NotANumber},
        {"0812ab", any, "0812ab", 129, SimNumberProblem::NotANumber},
        {"+62+81", any, "+62+81", 129, SimNumberProblem::NotANumber},
        {"*123#", any, "*123#", 129, SimNumberProblem::NotANumber},
        {"123456789012345678901", any, "123456789012345678901", 129, SimNumberProblem::NotANumber},
        {"+6281234", six, "+6281234", 145, SimNumberProblem::TooLong},
        {"+628123", six, "+628123", 145, SimNumberProblem::None},
        {"+62812", six, "+62812", 145, SimNumberProblem::None},
    };
    for (const auto& row : rows) {
        const SimNumber got = CheckSimNumber(row.typed, row.limits);
        EXPECT_EQ(got.problem, row.problem) << row.typed;
        EXPECT_EQ(got.number, row.number) << row.typed;
        if (got.ok()) {
            EXPECT_EQ(got.type, row.type) << row.typed;
        }
    }
}

// The place is looked at first, then the number, then the name: a user
// fixes what is said first.
TEST(PrepareSimEntry, SaysTheFirstThingWrong) {
    const SimBookLimits limits{1, 100, 20, 10};
    const struct {
        SimEntry entry;
        SimBookProblem problem;
        std::string detail;
    } rows[] = {
        {{0, "12ab", u"\u00EB"}, SimBookProblem::IndexOutside, ""},
        {{101, "0812", u"Budi"}, SimBookProblem::IndexOutside, ""},
        {{5, "12ab", u"\u00EB"}, SimBookProblem::NotANumber, "12ab"},
        {{5, "", u"Budi"}, SimBookProblem::NumberEmpty, ""},
        {{5, "0812", u"Zo\u00EB"}, SimBookProblem::NameUnholdable, "\"\u00EB\""},
        {{5, "0812", u"Alexandra W"}, SimBookProblem::NameTooLong, ""},
        {{100, "+62812", u""}, SimBookProblem::None, ""},
    };
    for (const auto& row : rows) {
        const PreparedEntry p = PrepareSimEntry(row.entry, limits, SimCharset::Ira, false);
        EXPECT_EQ(p.outcome.problem, row.problem) << row.entry.index << " " << row.entry.number;
        EXPECT_EQ(p.outcome.detail, row.detail);
    }
}

} // namespace
} // namespace velmora
