#pragma once

#include <QString>

#include <vector>

class QDateTime;
class QLocale;

namespace velmora {

// One phone-book entry as the list shows it.
struct PrintEntry {
    QString name, number, index;
};

// One text of the printout: drawn at `x` printer units from the left, on
// text line `line` of its page (the painter turns lines into heights).
struct PrintItem {
    int x;
    int line;
    QString text;

    bool operator==(const PrintItem&) const = default;
};

using PrintPage = std::vector<PrintItem>;

// The printout of the phone book, page by page: a header of three lines,
// then two columns of at least 65 rows (entry i on the left, entry i + R on
// the right), 65 rows on the first page and 69 on every further one, a
// continuation line before each new page and an end line after the last
// row. An empty list prints nothing. `stamp` is the printing time as
// PrintStamp gives it.
std::vector<PrintPage> PhonebookPrintLayout(const std::vector<PrintEntry>& entries, const QString& imsi,
                                            const QString& stamp);

// "hh:mm, dddd, dd mmm yyyy": the names of the weekday and month in the
// language of `locale`.
QString PrintStamp(const QDateTime& when, const QLocale& locale);

} // namespace velmora
