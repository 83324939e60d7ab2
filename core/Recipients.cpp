#include "Recipients.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>

namespace velmora {

namespace {

// Beyond the rows, what a table may hold: a file of one long header row,
// or short rows padded to a very wide header, would otherwise take memory
// out of all proportion to its size.
constexpr int kMaxCsvColumns = 256;
constexpr qint64 kMaxCsvCells = 4'000'000;

// A phone number has more digits than a column counting rows, or a
// year, or a postcode usually does.
constexpr int kMinNumberDigits = 6;
// What a cell holds to be taken for a phone number in a column no header
// names: Indonesian mobile numbers have 10 to 13 digits, fixed lines 8 or
// more, and E.164 allows 15.
constexpr int kMinPhoneDigits = 8, kMaxPhoneDigits = 15;

// A header as compared: any case, without spaces and marks ("No. HP" is
// "nohp").
QString HeaderWord(const QString& header) {
    QString out;
    for (const QChar c : header.toCaseFolded())
        if (c.isLetterOrNumber())
            out += c;
    return out;
}

bool IsDate(int year, int month, int day) {
    return year >= 1900 && year <= 2099 && QDate(year, month, day).isValid();
}

// 20260105, 2026-01-05, 05/01/2026, 5.1.2026: a date, however many digits
// it has.
bool ReadsAsDate(const QString& cell) {
    static const QRegularExpression yearFirst(QStringLiteral("^(\\d{4})[-./ ]?(\\d{1,2})[-./ ]?(\\d{1,2})$"));
    static const QRegularExpression yearLast(QStringLiteral("^(\\d{1,2})[-./ ]?(\\d{1,2})[-./ ]?(\\d{4})$"));
    const bool digitsOnly = !cell.isEmpty() && std::all_of(cell.begin(), cell.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    if (const auto m = yearFirst.match(cell); m.hasMatch() && (!digitsOnly || cell.size() == 8))
        if (IsDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()))
            return true;
    if (const auto m = yearLast.match(cell); m.hasMatch() && (!digitsOnly || cell.size() == 8))
        if (IsDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt()) ||
            IsDate(m.captured(3).toInt(), m.captured(1).toInt(), m.captured(2).toInt()))
            return true;
    return false;
}

bool IsBlank(const QStringList& cells) {
    return std::all_of(cells.begin(), cells.end(), [](const QString& c) { return c.trimmed().isEmpty(); });
}

QString DecodeText(const QByteArray& bytes, QString& encoding) {
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8(view);
    if (!utf8.hasError()) {
        encoding = QStringLiteral("UTF-8");
        return text;
    }
    encoding = QStringLiteral("ISO-8859-1");
    return QString::fromLatin1(view);
}

// The separator the header row uses more, counted outside quotes; a comma
// when neither or both as often.
QChar SeparatorOf(const QString& text) {
    int commas = 0, semicolons = 0;
    bool quoted = false, seen = false;
    for (const QChar c : text) {
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == QLatin1Char(','))
            ++commas;
        else if (c == QLatin1Char(';'))
            ++semicolons;
        else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            if (seen)
                break;
            continue; // blank lines before the header
        }
        if (!c.isSpace())
            seen = true;
    }
    return semicolons > commas ? QLatin1Char(';') : QLatin1Char(',');
}

struct Record {
    QStringList cells;
    int line = 1;
};

// Splits the text into records. Gives the line a quote left open started
// on when one is (0: none).
class CsvReader {
public:
    CsvReader(const QString& text, QChar separator) : m_text(text), m_sep(separator) {}

    // The next record, or false at the end; `open` is set when a quote runs
    // to the end of the text.
    bool next(Record& out, int& open) {
        const qsizetype n = m_text.size();
        if (m_pos >= n)
            return false;
        out.cells.clear();
        out.line = m_line;
        QString cell;
        bool quotedCell = false;
        auto endCell = [&] {
            out.cells.append(quotedCell ? cell : cell.trimmed());
            cell.clear();
            quotedCell = false;
        };
        while (m_pos < n) {
            const QChar c = m_text.at(m_pos);
            if (c == QLatin1Char('"') && cell.trimmed().isEmpty() && !quotedCell) {
                // A quoted cell: up to the quote not doubled.
                const int startLine = m_line;
                cell.clear();
                quotedCell = true;
                ++m_pos;
                bool closed = false;
                while (m_pos < n) {
                    const QChar q = m_text.at(m_pos);
                    if (q == QLatin1Char('"')) {
                        if (m_pos + 1 < n && m_text.at(m_pos + 1) == QLatin1Char('"')) {
                            cell += QLatin1Char('"');
                            m_pos += 2;
                            continue;
                        }
                        ++m_pos;
                        closed = true;
                        break;
                    }
                    if (q == QLatin1Char('\r')) {
                        // A line break inside a cell is kept as one "\n".
                        if (m_pos + 1 < n && m_text.at(m_pos + 1) == QLatin1Char('\n'))
                            ++m_pos;
                        cell += QLatin1Char('\n');
                        ++m_line;
                    } else {
                        if (q == QLatin1Char('\n'))
                            ++m_line;
                        cell += q;
                    }
                    ++m_pos;
                }
                if (!closed) {
                    open = startLine;
                    return false;
                }
                continue;
            }
            if (c == m_sep) {
                endCell();
                ++m_pos;
                continue;
            }
            if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
                ++m_pos;
                if (c == QLatin1Char('\r') && m_pos < n && m_text.at(m_pos) == QLatin1Char('\n'))
                    ++m_pos;
                ++m_line;
                break;
            }
            // What follows a closing quote before the separator is kept, as
            // spreadsheets read it; the spaces there are the file's layout.
            if (!(quotedCell && c.isSpace()))
                cell += c;
            ++m_pos;
        }
        endCell();
        return true;
    }

private:
    const QString& m_text;
    QChar m_sep;
    qsizetype m_pos = 0;
    int m_line = 1;
};

QString ColumnName(int index) {
    return QCoreApplication::translate("Recipients", "column %1").arg(index + 1);
}

// The columns named in a refusal: a file that is no CSV at all (a picture,
// random bytes) has one "column" as long as the file, which no one reads.
QString ColumnList(const QStringList& header) {
    constexpr int kShownColumns = 8, kShownCharacters = 40;
    QStringList quoted;
    for (qsizetype i = 0; i < header.size() && i < kShownColumns; ++i) {
        const QString& h = header.at(i);
        quoted << QStringLiteral("\"%1\"").arg(
            h.size() > kShownCharacters ? h.left(kShownCharacters) + u'\u2026' : h);
    }
    if (header.size() > kShownColumns)
        quoted << QCoreApplication::translate("Recipients", "%1 more").arg(header.size() - kShownColumns);
    return quoted.join(QStringLiteral(", "));
}

bool LooksLikeNumber(const QString& cell) {
    int digits = 0;
    for (qsizetype i = 0; i < cell.size(); ++i) {
        const QChar c = cell.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            ++digits;
        else if (c == QLatin1Char('+') ? i != 0
                                       : !(c == QLatin1Char(' ') || c == QLatin1Char('-') ||
                                           c == QLatin1Char('(') || c == QLatin1Char(')')))
            return false;
    }
    return digits >= kMinNumberDigits;
}

QString Key(const QString& name) { return name.trimmed().toCaseFolded(); }

// One piece of a text with placeholders: literal text, or a placeholder
// (`name` trimmed, `written` as it stands between its braces included).
struct Piece {
    QString text;
    bool placeholder = false;
    QString written;
};

std::vector<Piece> Pieces(const QString& text) {
    std::vector<Piece> out;
    QString literal;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        const bool doubled = i + 1 < n && text.at(i + 1) == c;
        if (c == QLatin1Char('}')) {
            literal += c;
            if (doubled)
                ++i;
            continue;
        }
        if (c != QLatin1Char('{')) {
            literal += c;
            continue;
        }
        if (doubled) {
            literal += c;
            ++i;
            continue;
        }
        // A placeholder ends at the next '}' on the same line, with no
        // other '{' before it; anything else is a brace of its own.
        qsizetype end = i + 1;
        while (end < n && text.at(end) != QLatin1Char('}') && text.at(end) != QLatin1Char('{') &&
               text.at(end) != QLatin1Char('\n'))
            ++end;
        const QString name = end < n ? text.mid(i + 1, end - i - 1).trimmed() : QString();
        if (end >= n || text.at(end) != QLatin1Char('}') || name.isEmpty()) {
            literal += c;
            continue;
        }
        if (!literal.isEmpty())
            out.push_back({literal, false, {}});
        literal.clear();
        out.push_back({name, true, text.mid(i, end - i + 1)});
        i = end;
    }
    if (!literal.isEmpty())
        out.push_back({literal, false, {}});
    return out;
}

} // namespace

QStringList SplitRecipients(const QString& typed) {
    static const QRegularExpression separators(QStringLiteral("[,;]"));
    QStringList out;
    for (const QString& word : typed.split(separators)) {
        const QString trimmed = word.trimmed();
        if (!trimmed.isEmpty())
            out << trimmed;
    }
    return out;
}

Result<CsvTable, QString> ParseCsv(const QByteArray& bytes) {
    using R = Result<CsvTable, QString>;
    CsvTable table;
    const QString text = DecodeText(bytes, table.encoding);
    table.separator = SeparatorOf(text);
    CsvReader reader(text, table.separator);
    Record record;
    int open = 0;
    bool haveHeader = false;
    while (reader.next(record, open)) {
        if (IsBlank(record.cells))
            continue;
        if (!haveHeader) {
            haveHeader = true;
            // A phone number names no column: a file without a header row
            // starts with its first contact, which must not be lost as the
            // columns' names.
            const bool contact =
                std::any_of(record.cells.begin(), record.cells.end(),
                            [](const QString& cell) { return LooksLikeNumber(cell.trimmed()); });
            for (qsizetype i = 0; i < record.cells.size(); ++i) {
                const QString name = record.cells.at(i).trimmed();
                table.header << (contact || name.isEmpty() ? ColumnName(static_cast<int>(i)) : name);
            }
            if (table.header.size() > kMaxCsvColumns)
                return R::Fail(QCoreApplication::translate(
                                   "Recipients", "the header row has %1 columns, more than the %2 read")
                                   .arg(table.header.size())
                                   .arg(kMaxCsvColumns));
            if (!contact)
                continue;
        }
        if (static_cast<int>(table.rows.size()) >= kMaxCsvRows)
            return R::Fail(QCoreApplication::translate("Recipients", "more than %1 rows: split the file")
                               .arg(kMaxCsvRows));
        // A row longer than the header names its extra columns rather than
        // losing them.
        if (record.cells.size() > kMaxCsvColumns)
            return R::Fail(
                QCoreApplication::translate("Recipients", "line %1 has %2 cells, more than the %3 read")
                    .arg(record.line)
                    .arg(record.cells.size())
                    .arg(kMaxCsvColumns));
        while (table.header.size() < record.cells.size())
            table.header << ColumnName(static_cast<int>(table.header.size()));
        // Every row is padded to the widest in the end, so the count is of
        // the rows so far at the width so far.
        if (qint64(table.rows.size() + 1) * table.header.size() > kMaxCsvCells)
            return R::Fail(QCoreApplication::translate("Recipients", "more than %1 cells: split the file")
                               .arg(kMaxCsvCells));
        table.rows.push_back(record.cells);
        table.lines.push_back(record.line);
    }
    if (open)
        return R::Fail(
            QCoreApplication::translate("Recipients", "the quote opened on line %1 is never closed")
                .arg(open));
    if (!haveHeader)
        return R::Fail(QCoreApplication::translate("Recipients", "no header row: the file is empty"));
    for (QStringList& row : table.rows)
        while (row.size() < table.header.size())
            row << QString();
    return R::Ok(std::move(table));
}

Result<QByteArray, QString> ReadContactsBytes(const QString& path, qint64 limit) {
    using R = Result<QByteArray, QString>;
    // A pipe or a device would be waited on for ever, or read without end.
    if (const QFileInfo info(path); info.exists() && !info.isFile())
        return R::Fail(QCoreApplication::translate("Recipients", "%1: not a regular file").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return R::Fail(QStringLiteral("%1: %2").arg(path, file.errorString()));
    // Read one byte past the limit: a file growing while it is read is
    // measured by what came, not by what its size said.
    QByteArray bytes = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError)
        return R::Fail(QStringLiteral("%1: %2").arg(path, file.errorString()));
    if (bytes.size() > limit)
        return R::Fail(QCoreApplication::translate("Recipients",
                                                   "%1: larger than %2 MB, more than a contacts file is read")
                           .arg(path)
                           .arg(limit / (1024 * 1024)));
    return R::Ok(std::move(bytes));
}

bool IsUtf16(const QByteArray& bytes) { return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"); }

Result<CsvTable, QString> ReadCsvFile(const QString& path) {
    using R = Result<CsvTable, QString>;
    const auto read = ReadContactsBytes(path, kMaxCsvBytes);
    if (!read)
        return R::Fail(read.error());
    const QByteArray& bytes = read.value();
    if (IsUtf16(bytes))
        return R::Fail(
            QCoreApplication::translate("Recipients", "%1: written in UTF-16; save it as CSV in UTF-8")
                .arg(path));
    auto table = ParseCsv(bytes);
    if (!table)
        return R::Fail(QStringLiteral("%1: %2").arg(path, table.error()));
    return table;
}

Result<int, QString> NumberColumn(const CsvTable& table, const QString& named, const QString& countryCode) {
    using R = Result<int, QString>;
    if (!named.trimmed().isEmpty()) {
        const QString key = Key(named);
        for (qsizetype i = 0; i < table.header.size(); ++i)
            if (Key(table.header.at(i)) == key)
                return R::Ok(static_cast<int>(i));
        // A column by its place, counted from 1, when no header is that
        // number.
        bool isNumber = false;
        const int place = named.trimmed().toInt(&isNumber);
        if (isNumber && place >= 1 && place <= table.header.size())
            return R::Ok(place - 1);
        return R::Fail(
            QCoreApplication::translate("Recipients", "there is no column \"%1\"; the columns are %2")
                .arg(named.trimmed(), ColumnList(table.header)));
    }
    // A column its header calls the numbers' is theirs, however many of its
    // cells are bad: those are named row by row, not taken for another
    // column.
    for (qsizetype c = 0; c < table.header.size(); ++c)
        if (IsNumberHeader(table.header.at(c)))
            return R::Ok(static_cast<int>(c));
    // Else only a column of nothing but phone numbers: dates, account and
    // order numbers are digits too, and a message sent to them cannot be
    // called back.
    for (qsizetype c = 0; c < table.header.size(); ++c) {
        int filled = 0;
        bool numbers = true;
        for (const QStringList& row : table.rows) {
            const QString cell = row.value(c).trimmed();
            if (cell.isEmpty())
                continue;
            ++filled;
            if (!IsPhoneNumber(cell, countryCode)) {
                numbers = false;
                break;
            }
        }
        if (filled > 0 && numbers)
            return R::Ok(static_cast<int>(c));
    }
    return R::Fail(
        QCoreApplication::translate("Recipients", "no column looks like phone numbers; the columns are %1")
            .arg(ColumnList(table.header)));
}

int NameColumn(const CsvTable& table) {
    for (qsizetype c = 0; c < table.header.size(); ++c)
        if (const QString h = HeaderWord(table.header.at(c)); h == u"name" || h == u"nama")
            return static_cast<int>(c);
    return -1;
}

bool IsNumberHeader(const QString& header) {
    // As written on spreadsheets in English and Indonesian ("No. HP",
    // "Nomor WA", "Mobile number"), read without case, spaces or marks.
    static const QStringList kNumberHeaders{
        QStringLiteral("number"),      QStringLiteral("phone"),         QStringLiteral("phonenumber"),
        QStringLiteral("phoneno"),     QStringLiteral("cell"),          QStringLiteral("cellphone"),
        QStringLiteral("cellnumber"),  QStringLiteral("mobile"),        QStringLiteral("mobilenumber"),
        QStringLiteral("mobilephone"), QStringLiteral("mobileno"),      QStringLiteral("telephone"),
        QStringLiteral("tel"),         QStringLiteral("msisdn"),        QStringLiteral("hp"),
        QStringLiteral("nohp"),        QStringLiteral("nomorhp"),       QStringLiteral("nomor"),
        QStringLiteral("telepon"),     QStringLiteral("telp"),          QStringLiteral("notelp"),
        QStringLiteral("notelepon"),   QStringLiteral("nomortelepon"),  QStringLiteral("nomortelp"),
        QStringLiteral("handphone"),   QStringLiteral("nohandphone"),   QStringLiteral("wa"),
        QStringLiteral("nowa"),        QStringLiteral("nomorwa"),       QStringLiteral("whatsapp"),
        QStringLiteral("nowhatsapp"),  QStringLiteral("nomorwhatsapp"), QStringLiteral("ponsel"),
        QStringLiteral("noponsel"),    QStringLiteral("nomorponsel")};
    return kNumberHeaders.contains(HeaderWord(header));
}

bool IsPhoneNumber(const QString& cell, const QString& countryCode) {
    const QString written = cell.trimmed();
    if (ReadsAsDate(written))
        return false;
    QString n;
    for (const QChar c : written)
        if (c != QLatin1Char(' ') && c != QLatin1Char('-') && c != QLatin1Char('.'))
            n += c;
    const bool plus = n.startsWith(QLatin1Char('+'));
    const QString digits = plus ? n.mid(1) : n;
    if (digits.size() < kMinPhoneDigits || digits.size() > kMaxPhoneDigits)
        return false;
    for (const QChar c : digits)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return plus || digits.startsWith(QLatin1Char('0')) ||
           (!countryCode.isEmpty() && digits.startsWith(countryCode));
}

QStringList Placeholders(const QString& text) {
    QStringList out;
    QStringList keys;
    for (const Piece& p : Pieces(text)) {
        if (!p.placeholder || keys.contains(Key(p.text)))
            continue;
        keys << Key(p.text);
        out << p.text;
    }
    return out;
}

FilledText FillPlaceholders(const QString& text, const QStringList& header, const QStringList& row) {
    FilledText out;
    QStringList keys;
    keys.reserve(header.size());
    for (const QString& h : header)
        keys << Key(h);
    QStringList unknownKeys;
    for (const Piece& p : Pieces(text)) {
        if (!p.placeholder) {
            out.text += p.text;
            continue;
        }
        const qsizetype column = keys.indexOf(Key(p.text));
        if (column < 0) {
            out.text += p.written;
            if (!unknownKeys.contains(Key(p.text))) {
                unknownKeys << Key(p.text);
                out.unknown << p.text;
            }
            continue;
        }
        const QString value = row.value(column);
        if (value.trimmed().isEmpty() && !out.empty.contains(p.text, Qt::CaseInsensitive))
            out.empty << p.text;
        out.text += value;
    }
    return out;
}

} // namespace velmora
