// The phone book's printout, page by page, on the pure layout.

#include "PrintLayout.h"

#include <QDateTime>
#include <QLocale>

#include <gtest/gtest.h>

#include <ostream>

using namespace velmora;

namespace velmora {
void PrintTo(const PrintItem& item, std::ostream* os) {
    *os << "{" << item.x << ", " << item.line << ", \"" << item.text.toStdString() << "\"}";
}
} // namespace velmora

namespace {

// Entry i is named "N<i>", numbered "08<i>" and has index "<i>".
std::vector<PrintEntry> Entries(int count) {
    std::vector<PrintEntry> entries;
    for (int i = 1; i <= count; ++i)
        entries.push_back({QString("N%1").arg(i), QString("08%1").arg(i), QString::number(i)});
    return entries;
}

// What a page holds, read back from its items. Entry numbers and lines are
// 0 where the page has none.
struct PageSummary {
    int firstLine = 0, lastLine = 0;   // of the rows
    int leftFirst = 0, leftLast = 0;   // entries in the left column
    int rightFirst = 0, rightLast = 0; // entries in the right column
    int rightLastLine = 0;             // the line of the last right entry
    bool continued = false;            // "Continue to Next Page" on line 72
    int endLine = 0;                   // "End of Phonebook"
    bool operator==(const PageSummary&) const = default;
};

std::ostream& operator<<(std::ostream& os, const PageSummary& s) {
    return os << "{rows " << s.firstLine << ".." << s.lastLine << ", left " << s.leftFirst << ".."
              << s.leftLast << ", right " << s.rightFirst << ".." << s.rightLast << " to line "
              << s.rightLastLine << ", continued " << s.continued << ", end " << s.endLine << "}";
}

PageSummary Summarise(const PrintPage& page) {
    PageSummary s;
    bool anyRow = false;
    for (const PrintItem& item : page) {
        if (item.text == "***** Continue to Next Page") {
            EXPECT_EQ(item.line, 72);
            EXPECT_EQ(item.x, 10);
            s.continued = true;
        } else if (item.text == "***** End of Phonebook") {
            EXPECT_EQ(item.x, 10);
            s.endLine = item.line;
        } else if (item.text.startsWith("N")) {
            const int n = item.text.mid(1).toInt();
            if (!anyRow)
                s.firstLine = item.line;
            anyRow = true;
            s.lastLine = item.line;
            if (item.x == 10) {
                s.leftFirst = s.leftFirst ? s.leftFirst : n;
                s.leftLast = n;
            } else {
                EXPECT_EQ(item.x, 810);
                s.rightFirst = s.rightFirst ? s.rightFirst : n;
                s.rightLast = n;
                s.rightLastLine = item.line;
            }
        }
    }
    return s;
}

struct LayoutCase {
    int entries;
    std::vector<PageSummary> pages;
};

class PhonebookLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(PhonebookLayout, PutsEveryEntryOnItsPageAndLine) {
    const LayoutCase& c = GetParam();
    const auto pages = PhonebookPrintLayout(Entries(c.entries), "510109876543210", "stamp");
    ASSERT_EQ(pages.size(), c.pages.size());
    for (std::size_t p = 0; p < pages.size(); ++p)
        EXPECT_EQ(Summarise(pages[p]), c.pages[p]) << "page " << p + 1;
}

// Columns are at least 65 rows long; the first page holds rows on lines 4
// to 68, later pages on lines 0 to 68.
INSTANTIATE_TEST_SUITE_P(
    Entries, PhonebookLayout,
    testing::Values(
        // One page, left column only, end line three below the last row.
        LayoutCase{40, {{4, 43, 1, 40, 0, 0, 0, false, 47}}},
        // Rows fill the page to line 68 and the end line is not printed.
        LayoutCase{65, {{4, 68, 1, 65, 0, 0, 0, false, 0}}},
        LayoutCase{100, {{4, 68, 1, 65, 66, 100, 38, false, 0}}},
        LayoutCase{130, {{4, 68, 1, 65, 66, 130, 68, false, 0}}},
        // 66 rows: one row on page two, then the end line on line 4.
        LayoutCase{131, {{4, 68, 1, 65, 67, 131, 68, true, 0}, {0, 0, 66, 66, 0, 0, 0, false, 4}}},
        // 134 rows fill page two to line 68: a continuation, an empty third
        // page and no end line.
        LayoutCase{267, {{4, 68, 1, 65, 135, 199, 68, true, 0}, {0, 68, 66, 134, 200, 267, 67, true, 0}, {}}},
        LayoutCase{268,
                   {{4, 68, 1, 65, 135, 199, 68, true, 0}, {0, 68, 66, 134, 200, 268, 68, true, 0}, {}}}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return std::to_string(info.param.entries); });

TEST(PhonebookLayoutItems, HeaderAndBothColumnsSitAtTheirPlaces) {
    const auto pages = PhonebookPrintLayout(Entries(70), "510109876543210", "09:05, Monday, 03 Mar 2025");
    ASSERT_EQ(pages.size(), 1u);
    const PrintPage& page = pages[0];
    ASSERT_GE(page.size(), 9u);
    const std::vector<PrintItem> head(page.begin(), page.begin() + 9);
    const std::vector<PrintItem> expected = {
        {10, 0, "***** Velmora 1.00"},
        {10, 1, "***** Phonebook (510109876543210)"},
        {10, 2, "***** Printed On 09:05, Monday, 03 Mar 2025"},
        {10, 4, "N1"},
        {300, 4, "081"},
        {500, 4, "1"},
        {810, 4, "N66"},
        {1100, 4, "0866"},
        {1300, 4, "66"},
    };
    EXPECT_EQ(head, expected);
}

TEST(PhonebookLayoutItems, AnEmptyListPrintsNothing) {
    EXPECT_TRUE(PhonebookPrintLayout({}, "1", "x").empty());
}

TEST(PrintStamp, TwentyFourHourTimeWithNamesOfTheLocale) {
    const QDateTime evening(QDate(2025, 3, 3), QTime(21, 5));
    EXPECT_EQ(PrintStamp(evening, QLocale("en_US")), "21:05, Monday, 03 Mar 2025");
    EXPECT_EQ(PrintStamp(evening, QLocale("de_DE")), QString::fromUtf8("21:05, Montag, 03 März 2025"));
}

} // namespace
