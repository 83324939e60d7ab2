#include "Recipients.h"

#include "CoreTestUtil.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

QStringList L(std::initializer_list<const char*> items) {
    QStringList out;
    for (const char* s : items)
        out << QString::fromUtf8(s);
    return out;
}

TEST(Recipients, SplitsATypedList) {
    struct Row {
        const char* typed;
        QStringList words;
    } rows[] = {
        {"0812, 0813;;Ani", L({"0812", "0813", "Ani"})},
        {"", {}},
        {" , ;  ; ", {}},
        {"Budi Santoso ;+62 812 3456", L({"Budi Santoso", "+62 812 3456"})},
        {"single", L({"single"})},
    };
    for (const Row& r : rows)
        EXPECT_EQ(SplitRecipients(QString::fromUtf8(r.typed)), r.words) << r.typed;
}

struct CsvCase {
    const char* name;
    QByteArray bytes;
    QStringList header;
    std::vector<QStringList> rows;
    std::vector<int> lines;
    char separator;
    const char* encoding;
};

TEST(Recipients, ReadsCsvAsSpreadsheetsWriteIt) {
    const CsvCase cases[] = {
        {"quoted separators and line breaks, CRLF",
         "name,number\r\n\"Doe, Jane\",0812345678\r\n\"two\r\nlines\",0813\r\nlast,0814\r\n",
         L({"name", "number"}),
         {L({"Doe, Jane", "0812345678"}), L({"two\nlines", "0813"}), L({"last", "0814"})},
         {2, 3, 5},
         ',',
         "UTF-8"},
        {"semicolons, a comma inside a cell",
         "name;number;note\nAni;0812;a, b\n",
         L({"name", "number", "note"}),
         {L({"Ani", "0812", "a, b"})},
         {2},
         ';',
         "UTF-8"},
        {"semicolons win only when more",
         "a;b,c\n1;2,3\n",
         L({"a;b", "c"}),
         {L({"1;2", "3"})},
         {2},
         ',',
         "UTF-8"},
        {"separators in quotes do not count",
         "\"a;b;c\",d\n1,2\n",
         L({"a;b;c", "d"}),
         {L({"1", "2"})},
         {2},
         ',',
         "UTF-8"},
        {"ISO-8859-1",
         "name,number\nJos\xe9,0812\n",
         L({"name", "number"}),
         {L({"José", "0812"})},
         {2},
         ',',
         "ISO-8859-1"},
        {"UTF-8 with a byte-order mark",
         "\xEF\xBB\xBFname,number\nJos\xc3\xa9,0812\n",
         L({"name", "number"}),
         {L({"José", "0812"})},
         {2},
         ',',
         "UTF-8"},
        {"doubled quotes", "text\n\"say \"\"hi\"\"\"\n", L({"text"}), {L({"say \"hi\""})}, {2}, ',', "UTF-8"},
        {"quoted spaces kept, bare ones trimmed",
         "a,b\n  \" x \" , y \n",
         L({"a", "b"}),
         {L({" x ", "y"})},
         {2},
         ',',
         "UTF-8"},
        {"short rows padded, long rows name their columns",
         "a,,c\n1\n1,2,3,4\n",
         L({"a", "column 2", "c", "column 4"}),
         {L({"1", "", "", ""}), L({"1", "2", "3", "4"})},
         {2, 3},
         ',',
         "UTF-8"},
        {"blank lines skipped but counted",
         "\n a , b \n\n , \n1,2",
         L({"a", "b"}),
         {L({"1", "2"})},
         {5},
         ',',
         "UTF-8"},
        {"a quote inside a bare cell is a character",
         "a,b\nit\"s,2\n",
         L({"a", "b"}),
         {L({"it\"s", "2"})},
         {2},
         ',',
         "UTF-8"},
        {"header only", "number\r\n", L({"number"}), {}, {}, ',', "UTF-8"},
        // A spreadsheet saved without a header row: its first contact is kept.
        {"no header row: the first row holds a number",
         "Budi,0812000001\nSari,0812000002\n",
         L({"column 1", "column 2"}),
         {L({"Budi", "0812000001"}), L({"Sari", "0812000002"})},
         {1, 2},
         ',',
         "UTF-8"},
        {"no header row, semicolons, an international number",
         "\n+62 812-000-003;Ani\n",
         L({"column 1", "column 2"}),
         {L({"+62 812-000-003", "Ani"})},
         {2},
         ';',
         "UTF-8"},
        {"a header naming its columns with digits is still a header",
         "name,hp 2\nAni,0812000004\n",
         L({"name", "hp 2"}),
         {L({"Ani", "0812000004"})},
         {2},
         ',',
         "UTF-8"},
        {"old Mac line ends",
         "a,b\r1,2\r3,4",
         L({"a", "b"}),
         {L({"1", "2"}), L({"3", "4"})},
         {2, 3},
         ',',
         "UTF-8"},
    };
    for (const CsvCase& c : cases) {
        const auto t = ParseCsv(c.bytes);
        ASSERT_TRUE(t.ok()) << c.name << ": " << t.error().toStdString();
        EXPECT_EQ(t->header, c.header) << c.name;
        EXPECT_EQ(t->rows, c.rows) << c.name;
        EXPECT_EQ(t->lines, c.lines) << c.name;
        EXPECT_EQ(t->separator, QLatin1Char(c.separator)) << c.name;
        EXPECT_EQ(t->encoding, QLatin1String(c.encoding)) << c.name;
    }
}

QByteArray ManyRows(int rows) {
    QByteArray out = "number\n";
    out.reserve(rows * 9 + 7);
    for (int i = 0; i < rows; ++i)
        out += "08123456\n";
    return out;
}

TEST(Recipients, RefusesWhatItCannotRead) {
    struct Row {
        const char* name;
        QByteArray bytes;
        const char* says;
    } rows[] = {
        {"empty", "", "no header row"},
        {"blank lines only", "\n\r\n  \n ;\n", "no header row"},
        {"a byte-order mark alone", "\xEF\xBB\xBF", "no header row"},
        {"a quote left open", "a,b\n1,2\n\"open,1\n2,3\n", "the quote opened on line 3 is never closed"},
        {"a quote left open in the header", "\"a,b\n1,2\n", "line 1"},
        {"over the row limit", ManyRows(kMaxCsvRows + 1), "more than 100000 rows"},
        {"too many columns", QByteArray("x,").repeated(300) + "\n", "the header row has 301 columns"},
        // Rows are padded to the widest: one wide row at the end widens them all.
        {"a wide row after many narrow ones",
         "a\n" + QByteArray("1\n").repeated(20000) + QByteArray("1,").repeated(255) + "1\n",
         "more than 4000000 cells"},
        {"a row with too many cells", "a\n" + QByteArray("1,").repeated(300) + "1\n", "line 2 has 301 cells"},
    };
    for (const Row& r : rows) {
        const auto t = ParseCsv(r.bytes);
        ASSERT_FALSE(t.ok()) << r.name;
        EXPECT_TRUE(t.error().contains(QLatin1String(r.says))) << r.name << ": " << t.error().toStdString();
    }
    const auto full = ParseCsv(ManyRows(kMaxCsvRows));
    ASSERT_TRUE(full.ok()) << full.error().toStdString();
    EXPECT_EQ(full->rows.size(), std::size_t(kMaxCsvRows));
    EXPECT_EQ(full->lines.back(), kMaxCsvRows + 1);
}

TEST(Recipients, ReadsAFileAndNamesItWhenItCannot) {
    TempDir dir;
    const std::string good = dir / "list.csv";
    WriteText(good, "name;number\r\nAni;0812\r\n");
    const auto t = ReadCsvFile(QString::fromStdString(good));
    ASSERT_TRUE(t.ok()) << t.error().toStdString();
    EXPECT_EQ(t->rows, std::vector<QStringList>{L({"Ani", "0812"})});

    const std::string big = dir / "big.csv";
    WriteText(big, "number\n" + std::string(kMaxCsvBytes, '1'));
    const std::string open = dir / "open.csv";
    WriteText(open, "a\n\"x\n");
    struct Row {
        std::string path;
        const char* says;
    } rows[] = {
        {dir / "missing.csv", "missing.csv: "},
        {big, "big.csv: larger than 16 MB"},
        {open, "open.csv: the quote opened on line 2"},
    };
    for (const Row& r : rows) {
        const auto bad = ReadCsvFile(QString::fromStdString(r.path));
        ASSERT_FALSE(bad.ok()) << r.path;
        EXPECT_TRUE(bad.error().contains(QString::fromUtf8(r.says))) << bad.error().toStdString();
    }
}

TEST(Recipients, FindsTheNumberColumn) {
    CsvTable people;
    people.header = L({"No", "Name", "Phone", "City"});
    people.rows = {L({"1", "Ani", "0812 3456 789", "Bandung"}), L({"2", "Budi", "+62 (812) 345-678", "Solo"}),
                   L({"3", "Cici", "", "Medan 20111"}), L({"4", "Dodi", "ask later", "Medan"})};
    CsvTable none;
    none.header = L({"Name", "Year"});
    none.rows = {L({"Ani", "1999"}), L({"Budi", "2001"})};
    // Random bytes read as CSV: a "column" as long as the file, and many.
    CsvTable noise;
    noise.header = QStringList{QString(5000, QLatin1Char('D'))};
    for (int i = 2; i <= 12; ++i)
        noise.header << QString("c%1").arg(i);
    noise.rows = {QStringList(12, "?")};
    struct Row {
        const char* name;
        const CsvTable* table;
        const char* named;
        int column; // -1: refused
        const char* says;
    } rows[] = {
        {"named, any case", &people, " city ", 3, ""},
        {"guessed: a row count is not a number", &people, "", 2, ""},
        {"named but missing", &people, "mobile", -1,
         "there is no column \"mobile\"; the columns are \"No\", \"Name\", \"Phone\", \"City\""},
        {"nothing like numbers", &none, "", -1,
         "no column looks like phone numbers; the columns are \"Name\", \"Year\""},
        {"a file that is no CSV is named briefly", &noise, "", -1,
         "no column looks like phone numbers; the columns are "
         "\"DDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDD\u2026\", "
         "\"c2\", \"c3\", \"c4\", \"c5\", \"c6\", \"c7\", \"c8\", 4 more"},
    };
    for (const Row& r : rows) {
        const auto c = NumberColumn(*r.table, QString::fromUtf8(r.named));
        if (r.column < 0) {
            ASSERT_FALSE(c.ok()) << r.name;
            EXPECT_EQ(c.error(), QString::fromUtf8(r.says)) << r.name;
        } else {
            ASSERT_TRUE(c.ok()) << r.name << ": " << c.error().toStdString();
            EXPECT_EQ(*c, r.column) << r.name;
        }
    }
}

// Files as users keep them: the column chosen by its header in English or
// Indonesian, or by its cells when they are phone numbers and nothing else;
// refused when no column is surely the numbers'.
TEST(Recipients, TakesAColumnOnlyWhenItHoldsPhoneNumbers) {
    struct Row {
        const char* name;
        const char* csv;
        int column; // -1: refused
    } rows[] = {
        {"dates before a Cell column",
         "Date,Name,Cell\n20260105,Ani,0812 3456 7890\n20260106,Budi,0813-1111-2222\n", 2},
        {"accounts and an unnamed column of phones",
         "Account,Name,Contact\n1234567,Ani,+62 812 3456 7890\n"
         "7654321,Budi,0813.1111.2222\n",
         2},
        {"accounts and nothing else numeric", "Account,Name,Note\n12345678901,Ani,gold\n10987654321,Budi,\n",
         -1},
        {"dates written with dashes, day first", "Tanggal,Nama\n05-01-2026,Ani\n06-01-2026,Budi\n", -1},
        {"dates as digits starting with 0", "When,Who\n05012026,Ani\n06012026,Budi\n", -1},
        {"ISO dates", "Due,Who,Amount\n2026-01-05,Ani,100000\n2026-01-06,Budi,250000\n", -1},
        {"No. HP", "No,Nama,No. HP\n1,Ani,0812\n2,Budi,ask\n", 2},
        {"Nomor HP in capitals", "NAMA;NOMOR HP\nAni;08123456789\n", 1},
        {"WA", "nama,wa\nAni,628123456789\n", 1},
        {"WhatsApp", "Name,WhatsApp\nAni,628123456789\n", 1},
        {"Mobile number", "Name,Mobile number\nAni,0812\n", 1},
        {"Telepon", "Nama,Telepon\nAni,0812\n", 1},
        {"Phone beats a column of phones before it", "Alt,Phone\n08123456789,08129999999\n", 1},
        {"country code without a plus", "Name,Contact\nAni,628123456789\nBudi,62 813 1111 2222\n", 1},
        {"too few digits for a phone", "Name,Contact\nAni,0812345\n", -1},
        {"too many digits for a phone", "Name,Contact\nAni,0812345678901234\n", -1},
        {"one cell not a phone refuses the column", "Name,Contact\nAni,08123456789\nBudi,soon\n", -1},
        {"a phone column with empty cells", "Name,Contact\nAni,08123456789\nBudi,\n", 1},
        {"another country's code without a plus", "Name,Contact\nAino,358401234567\n", -1},
    };
    for (const Row& r : rows) {
        const auto table = ParseCsv(QByteArray(r.csv));
        ASSERT_TRUE(table.ok()) << r.name;
        const auto c = NumberColumn(*table);
        if (r.column < 0) {
            ASSERT_FALSE(c.ok()) << r.name << ": took column " << (c.ok() ? *c : -1);
            EXPECT_TRUE(c.error().startsWith("no column looks like phone numbers; the columns are"))
                << c.error().toStdString();
        } else {
            ASSERT_TRUE(c.ok()) << r.name << ": " << c.error().toStdString();
            EXPECT_EQ(*c, r.column) << r.name;
        }
    }
    // Under the settings' country code its numbers are found without a plus.
    const auto finnish = ParseCsv(QByteArray("Name,Contact\nAino,358401234567\n"));
    ASSERT_TRUE(finnish.ok());
    const auto found = NumberColumn(*finnish, {}, "358");
    ASSERT_TRUE(found.ok()) << found.error().toStdString();
    EXPECT_EQ(*found, 1);
    EXPECT_TRUE(IsPhoneNumber("358401234567", "358"));
    EXPECT_FALSE(IsPhoneNumber("358401234567"));
}

TEST(Recipients, NamesTheColumnsByHeaderOrPlace) {
    const auto table = ParseCsv("Tanggal,Nama,Kontak,2\n20260105,Ani,08123456789,x\n");
    ASSERT_TRUE(table.ok());
    struct Row {
        const char* named;
        int column;
    } rows[] = {{"kontak", 2}, {"3", 2}, {"1", 0}, {"2", 3}, {"5", -1}, {"0", -1}, {"Phone", -1}};
    for (const Row& r : rows) {
        const auto c = NumberColumn(*table, r.named);
        EXPECT_EQ(c.ok() ? *c : -1, r.column) << r.named;
    }
    EXPECT_EQ(NameColumn(*table), 1) << "Nama is the name, as Name is";
    EXPECT_EQ(NameColumn(*ParseCsv("Phone,NAME\n0812,Ani\n")), 1);
    EXPECT_EQ(NameColumn(*ParseCsv("Phone,Nickname\n0812,Ani\n")), -1);
}

TEST(Recipients, ListsAndFillsPlaceholders) {
    const QStringList header = L({"Name", " City ", "Due"});
    const QStringList row = L({"Ani", "{Bandung}", ""});
    struct Row {
        const char* text;
        QStringList placeholders;
        const char* filled;
        QStringList unknown;
    } rows[] = {
        {"Hi {name}, see you in {CITY}", L({"name", "CITY"}), "Hi Ani, see you in {Bandung}", {}},
        {"{ Name } and {name}", L({"Name"}), "Ani and Ani", {}},
        {"{{name}} is {name}", L({"name"}), "{name} is Ani", {}},
        {"{{{name}}}", L({"name"}), "{Ani}", {}},
        {"Hi {nmae}, {Nmae} { city }", L({"nmae", "city"}), "Hi {nmae}, {Nmae} {Bandung}", L({"nmae"})},
        {"{ due }!", L({"due"}), "!", {}},
        {"a } b { c", {}, "a } b { c", {}},
        {"{} {\n} {a{name}", L({"name"}), "{} {\n} {aAni", {}},
        {"{last}", L({"last"}), "", {}},
        {"no placeholders", {}, "no placeholders", {}},
    };
    const QStringList longer = header + L({"Last"});
    for (const Row& r : rows) {
        const QString text = QString::fromUtf8(r.text);
        EXPECT_EQ(Placeholders(text), r.placeholders) << r.text;
        // A row shorter than the header fills its missing cells with nothing.
        const FilledText f = FillPlaceholders(text, longer, row);
        EXPECT_EQ(f.text, QString::fromUtf8(r.filled)) << r.text;
        EXPECT_EQ(f.unknown, r.unknown) << r.text;
    }
}

} // namespace
} // namespace velmora
