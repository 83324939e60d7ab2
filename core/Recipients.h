#pragma once

// Who a message goes to when it goes to many: a list typed into the
// destination field, or a table of contacts (CSV) whose columns fill the
// {column} placeholders of a text. Pure reading and filling; checking each
// number and building the messages is the message service's.

#include "Result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace velmora {

// The words of a typed list: between commas and semicolons, trimmed, the
// empty ones dropped ("0812, 0813;;Ani" gives "0812", "0813", "Ani").
QStringList SplitRecipients(const QString& typed);

// A contacts file: a header row, then one row a contact. A first row with a
// phone number in it is a contact, not a header: the columns are then all
// "column N".
struct CsvTable {
    QStringList header;            // as written, trimmed; an empty name is "column N"
    std::vector<QStringList> rows; // each as long as the header: short rows padded with ""
    std::vector<int> lines;        // the file line each row starts on (1-based)
    QChar separator;               // ',' or ';': the one the header row uses more
    QString encoding;              // "UTF-8" or "ISO-8859-1"
};

// The largest contacts file read, and the most rows taken from one.
inline constexpr qint64 kMaxCsvBytes = 16 * 1024 * 1024;
inline constexpr int kMaxCsvRows = 100000;

// Reads CSV as written by spreadsheets: quoted fields (with "" for a quote,
// and separators and line breaks inside), CRLF or LF, a UTF-8 byte-order
// mark. Text that is not valid UTF-8 is read as ISO-8859-1. Blank lines are
// skipped. Refused with a sentence: no header row, more than kMaxCsvRows
// rows, a quote left open at the end.
Result<CsvTable, QString> ParseCsv(const QByteArray& bytes);
// A contacts file's bytes, at most `limit` of them: refused with a sentence
// naming the file when it is no regular file, cannot be read or is larger.
Result<QByteArray, QString> ReadContactsBytes(const QString& path, qint64 limit);
// Whether the bytes start with a UTF-16 byte-order mark.
bool IsUtf16(const QByteArray& bytes);

// The same from a file; refused also when it cannot be read or is larger
// than kMaxCsvBytes (the sentence names the file).
Result<CsvTable, QString> ReadCsvFile(const QString& path);

// The column that holds the numbers: the one named (its header, any case,
// or its place counted from 1), else the first whose header calls it the
// numbers' (IsNumberHeader), else the first whose filled cells are all
// phone numbers (IsPhoneNumber). Refused with a sentence naming the columns
// there are when the named one is missing or none is the numbers'.
// `countryCode` is the settings' [Messages] CountryCode=.
Result<int, QString> NumberColumn(const CsvTable& table, const QString& named = {},
                                  const QString& countryCode = QStringLiteral("62"));
// Whether a header names a column of phone numbers, in English or
// Indonesian ("Phone", "Cell", "Mobile", "No. HP", "Nomor", "Telepon",
// "WA"...), in any case and with any spaces and marks.
bool IsNumberHeader(const QString& header);
// Whether a cell is a phone number as written in a contacts file: with
// spaces, "-" and "." taken away, "+", "0" or the country code (62 unless
// the settings say another) and then 8 to 15 digits in all, and nothing
// that reads as a date (20260105, 2026-01-05, 05.01.2026).
bool IsPhoneNumber(const QString& cell, const QString& countryCode = QStringLiteral("62"));
// The column of the recipients' names: headed "Name" or "Nama" (any case);
// -1 when there is none.
int NameColumn(const CsvTable& table);

// The {name} placeholders of a text, in order of first use, as written.
QStringList Placeholders(const QString& text);

struct FilledText {
    QString text;
    QStringList unknown; // placeholders no column is named for: left as written
    QStringList empty;   // placeholders whose cell in the row is empty (or only spaces)
};

// `text` with each {column} replaced by that column's value in `row`
// (column names matched in any case, spaces around the name ignored).
// "{{" and "}}" stand for a brace of their own.
FilledText FillPlaceholders(const QString& text, const QStringList& header, const QStringList& row);

} // namespace velmora
