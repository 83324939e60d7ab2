// A contacts file is whatever a spreadsheet, a phone's export or a person
// left in it. Reading it must never crash, and what it gives must hold
// together: every row as long as the header, each on a later line than the
// one before (the first may be the file's first line, when that holds a
// contact rather than a header), the placeholders of any text filled without
// reading past a row.

#include "../FuzzCheck.h"
#include "Recipients.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto table = velmora::ParseCsv(bytes);
    if (!table) {
        FUZZ_CHECK(!table.error().isEmpty());
        return 0;
    }
    FUZZ_CHECK(!table->header.isEmpty());
    FUZZ_CHECK(table->separator == QLatin1Char(',') || table->separator == QLatin1Char(';'));
    FUZZ_CHECK(table->encoding == QLatin1String("UTF-8") || table->encoding == QLatin1String("ISO-8859-1"));
    FUZZ_CHECK(table->rows.size() == table->lines.size());
    FUZZ_CHECK(static_cast<int>(table->rows.size()) <= velmora::kMaxCsvRows);
    for (const QString& name : table->header)
        FUZZ_CHECK(!name.trimmed().isEmpty());
    int line = 0;
    for (std::size_t r = 0; r < table->rows.size(); ++r) {
        FUZZ_CHECK(table->rows[r].size() == table->header.size());
        FUZZ_CHECK(table->lines[r] > line);
        line = table->lines[r];
    }
    (void)velmora::NumberColumn(*table);
    // The file's own text as a template: its placeholders are its columns or
    // named unknown, and filling leaves no known one behind.
    const QString text = QString::fromLatin1(bytes.left(200));
    const auto filled = velmora::FillPlaceholders(text, table->header,
                                                  table->rows.empty() ? QStringList() : table->rows.front());
    for (const QString& u : filled.unknown)
        FUZZ_CHECK(velmora::Placeholders(text).contains(u));
    return 0;
}
