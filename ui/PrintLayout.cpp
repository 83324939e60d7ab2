#include "PrintLayout.h"

#include <QCoreApplication>

#include <QDateTime>
#include <QLocale>

#include <algorithm>

namespace velmora {

namespace {

constexpr int kMinRows = 65;     // a column is never shorter, so short lists take one page
constexpr int kPageLines = 69;   // lines 0 to 68 carry text
constexpr int kFirstRowLine = 4; // below the header and its empty line
constexpr int kContinueLine = 72;

// Where name, number and index of a column start.
struct Column {
    int name, number, index;
};
constexpr Column kLeft{10, 300, 500};
constexpr Column kRight{810, 1100, 1300};

} // namespace

std::vector<PrintPage> PhonebookPrintLayout(const std::vector<PrintEntry>& entries, const QString& imsi,
                                            const QString& stamp) {
    if (entries.empty())
        return {};
    const int count = static_cast<int>(entries.size());
    const int rows = std::max(kMinRows, (count + 1) / 2);
    std::vector<PrintPage> pages(1);
    // The page is for a person to read, in the language of the window.
    pages.back() = {{10, 0, "***** Velmora 1.00"},
                    {10, 1, QCoreApplication::translate("PrintLayout", "***** Phonebook (%1)").arg(imsi)},
                    {10, 2, QCoreApplication::translate("PrintLayout", "***** Printed On %1").arg(stamp)}};
    const auto draw = [&](const Column& c, int line, const PrintEntry& e) {
        pages.back().push_back({c.name, line, e.name});
        pages.back().push_back({c.number, line, e.number});
        pages.back().push_back({c.index, line, e.index});
    };
    int line = kFirstRowLine;
    for (int i = 1; i <= rows && i <= count; ++i) {
        draw(kLeft, line, entries[i - 1]);
        if (i + rows <= count)
            draw(kRight, line, entries[i + rows - 1]);
        if (++line == kPageLines) {
            // With the shortest columns everything fitted on this page: no
            // continuation, and (since line goes back to 0) no end line.
            if (rows != kMinRows) {
                pages.back().push_back(
                    {10, kContinueLine,
                     QCoreApplication::translate("PrintLayout", "***** Continue to Next Page")});
                pages.emplace_back();
            }
            line = 0;
        }
    }
    if (line != 0)
        pages.back().push_back(
            {10, line + 3, QCoreApplication::translate("PrintLayout", "***** End of Phonebook")});
    return pages;
}

QString PrintStamp(const QDateTime& when, const QLocale& locale) {
    return locale.toString(when, QStringLiteral("hh:mm, dddd, dd MMM yyyy"));
}

} // namespace velmora
