#include "BatchBuilder.h"

#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <algorithm>

namespace velmora {
namespace {

const std::string k252Zeros(252, '0');

MessageRequest Text(const char16_t* text) {
    MessageRequest r;
    r.text = text;
    return r;
}

MessageRequest Logo() {
    MessageRequest r;
    r.kind = MessageKind::Logo;
    r.content = k252Zeros;
    r.mcc = "510";
    r.nc = "01";
    r.text = u"{name} stays as it is";
    return r;
}

struct Expected {
    std::string number;
    const char* name;
};

struct Problem {
    int index;
    const char* who;
    const char* why; // the start of the sentence
};

void ExpectRecipients(const BatchRecipients& got, const std::vector<Expected>& recipients,
                      const std::vector<Problem>& problems, const char* label) {
    ASSERT_EQ(got.recipients.size(), recipients.size()) << label;
    for (std::size_t i = 0; i < recipients.size(); ++i) {
        EXPECT_EQ(got.recipients[i].request.destination, recipients[i].number) << label << " #" << i;
        EXPECT_EQ(got.recipients[i].name, QString::fromUtf8(recipients[i].name)) << label << " #" << i;
    }
    ASSERT_EQ(got.problems.size(), problems.size()) << label;
    for (std::size_t i = 0; i < problems.size(); ++i) {
        const RecipientProblem& p = got.problems[i];
        EXPECT_EQ(p.index, problems[i].index) << label << " problem " << i;
        EXPECT_EQ(p.who, QString::fromUtf8(problems[i].who)) << label << " problem " << i;
        EXPECT_TRUE(p.why.startsWith(QString::fromUtf8(problems[i].why)))
            << label << " problem " << i << ": " << p.why.toStdString();
    }
}

TEST(BatchBuilder, ReadsATypedListOfNumbers) {
    struct Row {
        const char* label;
        QStringList words;
        std::vector<Expected> recipients;
        std::vector<Problem> problems;
    } rows[] = {
        {"numbers as written",
         {"0812345678", "+62 812-345 679", "(0812) 345 680"},
         {{"62812345678", ""}, {"62812345679", ""}, {"62812345680", ""}},
         {}},
        {"the same number twice, written two ways",
         {"0812345678", "+62812345678", "62812345678"},
         {{"62812345678", ""}},
         {{1, "+62812345678", "already in the list"}, {2, "62812345678", "already in the list"}}},
        {"words that are not numbers",
         {"Ani", "0812345678", "123456789012345678901", "08x1"},
         {{"62812345678", ""}},
         {{0, "Ani", "invalid destination number \"Ani\""},
          {2, "123456789012345678901", "invalid destination number"},
          {3, "08x1", "invalid destination number"}}},
        {"nothing typed", {}, {}, {}},
    };
    for (const Row& r : rows)
        ExpectRecipients(RecipientsFromList(r.words, nullptr, Text(u"hi")), r.recipients, r.problems,
                         r.label);
}

TEST(BatchBuilder, CopiesAnyKindOfMessageToEachRecipient) {
    const MessageRequest logo = Logo();
    const BatchRecipients got = RecipientsFromList({"0812345678", "0813345678"}, nullptr, logo);
    ASSERT_EQ(got.recipients.size(), 2u);
    for (const BatchRecipient& r : got.recipients) {
        MessageRequest same = r.request;
        same.destination = logo.destination;
        EXPECT_EQ(RequestToJson(same), RequestToJson(logo));
        EXPECT_EQ(BuildMessage(r.request).ok(), true);
    }
    EXPECT_EQ(got.recipients[1].request.destination, "62813345678");
}

CsvTable People() {
    CsvTable t;
    t.header = {"Number", "NAME", "City"};
    t.rows = {
        {"0812345678", "Ani", "Bandung"},     // line 2
        {"", "Budi", "Solo"},                 // line 3: no number
        {"abc", "Cici", "Medan"},             // line 4: not a number
        {"+62 812 345 678", "Dodi", "Bogor"}, // line 5: Ani's number again
        {"0813345678", "Eko", "北京"},        // line 7: no GSM form
        {"0814 345-678", "Fajar", "Depok"},   // line 8
    };
    t.lines = {2, 3, 4, 5, 7, 8};
    t.separator = QLatin1Char(',');
    t.encoding = QStringLiteral("UTF-8");
    return t;
}

TEST(BatchBuilder, FillsEachRowOfATable) {
    const BatchRecipients got = RecipientsFromTable(People(), 0, Text(u"Hi {Name} in {city}, {{ok}}"));
    ExpectRecipients(got, {{"62812345678", "Ani"}, {"62814345678", "Fajar"}},
                     {{3, "Budi", "has no number"},
                      {4, "abc", "invalid destination number"},
                      {5, "+62 812 345 678", "already in the list (line 2)"},
                      {7, "0813345678", "a normal text message cannot carry"}},
                     "text");
    EXPECT_TRUE(got.unknown.isEmpty());
    ASSERT_EQ(got.recipients.size(), 2u);
    EXPECT_EQ(got.recipients[0].request.text, u"Hi Ani in Bandung, {ok}");
    EXPECT_EQ(got.recipients[1].request.text, u"Hi Fajar in Depok, {ok}");

    // One row alone: Dodi's number is new to it; a row past the end is none.
    const MessageRequest hi = Text(u"Hi {name}");
    const TableRow dodi = RecipientFromRow(People(), 3, 0, hi);
    EXPECT_EQ(dodi.problem, QString());
    EXPECT_EQ(dodi.line, 5);
    EXPECT_EQ(dodi.recipient.request.text, u"Hi Dodi");
    EXPECT_EQ(RecipientFromRow(People(), 1, 0, hi).problem, QStringLiteral("has no number"));
    EXPECT_EQ(RecipientFromRow(People(), 6, 0, hi).problem, QStringLiteral("there is no such row"));
}

// What each row's own text needs decides its coding when the batch allows
// it, and an empty cell leaves the row out unless the user allows it.
TEST(BatchBuilder, AUnicodeRowGoesAsUcs2AndAnEmptyCellIsLeftOut) {
    CsvTable table;
    table.header = QStringList{"Nomor", "Nama"};
    table.rows = {{"0811", "Ani"}, {"0812", "Zoë"}, {"0813", ""}, {"0814", QString(60, QChar(u'ë'))}};
    table.lines = {2, 3, 4, 5};
    using U = BatchOptions::Unicode;
    struct Row {
        const char* label;
        MessageRequest text;
        BatchOptions options;
        std::vector<int> lines; // of the rows taken
        std::vector<bool> ucs2, made;
        std::vector<int> parts;
    } rows[] = {
        {"auto",
         Text(u"Hi {nama}"),
         {U::Auto, true},
         {2, 3, 4, 5},
         {false, true, false, true},
         {false, true, false, true},
         {1, 1, 1, 1}},
        {"auto, the empty cell refused",
         Text(u"Hi {nama}"),
         {U::Auto, false},
         {2, 3, 5},
         {false, true, true},
         {false, true, true},
         {1, 1, 1}},
        {"never: as the text is built",
         Text(u"Hi {nama}"),
         {U::Never, true},
         {2, 4},
         {false, false},
         {false, false},
         {1, 1}},
        {"always",
         Text(u"Hi {nama}"),
         {U::Always, true},
         {2, 3, 4, 5},
         {true, true, true, true},
         {false, false, false, false},
         {1, 1, 1, 1}},
        {"a long row takes more parts",
         Text(u"Hi {nama}, {nama}"),
         {U::Auto, true},
         {2, 3, 4, 5},
         {false, true, false, true},
         {false, true, false, true},
         {1, 1, 1, 2}},
    };
    for (const Row& r : rows) {
        const BatchRecipients got = RecipientsFromTable(table, 0, r.text, r.options);
        ASSERT_EQ(got.recipients.size(), r.lines.size()) << r.label;
        for (std::size_t i = 0; i < r.lines.size(); ++i) {
            const RecipientPreview p = PreviewRecipient(got.recipients[i]);
            EXPECT_EQ(p.problem, QString()) << r.label << " #" << i;
            EXPECT_EQ(p.coding == "UCS2", r.ucs2[i])
                << r.label << " #" << i << ": " << p.coding.toStdString();
            EXPECT_EQ(p.madeUnicode, r.made[i]) << r.label << " #" << i;
            EXPECT_EQ(p.parts, r.parts[i]) << r.label << " #" << i;
        }
        for (const RecipientProblem& p : got.problems)
            EXPECT_TRUE(std::find(r.lines.begin(), r.lines.end(), p.index) == r.lines.end()) << r.label;
    }
    const BatchRecipients strict = RecipientsFromTable(table, 0, Text(u"Hi {nama}"), {U::Auto, false});
    ASSERT_EQ(strict.problems.size(), 1u);
    EXPECT_EQ(strict.problems[0].index, 4);
    EXPECT_EQ(strict.problems[0].why, "its cell for {nama} is empty");
}

TEST(BatchBuilder, TheSameBatchForAnotherStartIsAnotherBatch) {
    BatchRequest request;
    request.recipients = {{"", Text(u"Jangan lupa")}};
    request.recipients[0].request.destination = "0812345678";
    const QString now = Outbox::BatchKey(request);
    request.pacing.startAt = QDateTime(QDate(2026, 1, 5), QTime(9, 0), Qt::UTC);
    const QString monday = Outbox::BatchKey(request);
    request.pacing.startAt = request.pacing.startAt.addDays(1);
    const QString tuesday = Outbox::BatchKey(request);
    EXPECT_NE(now, monday);
    EXPECT_NE(monday, tuesday);
    request.pacing.startAt = QDateTime(QDate(2026, 1, 5), QTime(16, 0), QTimeZone(7 * 3600));
    EXPECT_EQ(Outbox::BatchKey(request), monday) << "the same moment in another zone";
    request.pacing.startAt = {};
    request.recipients[0].request.destination = "+62 812-345-678";
    EXPECT_EQ(Outbox::BatchKey(request), now) << "the number however written";
}

TEST(BatchBuilder, NamesWhatATableCannotFill) {
    MessageRequest unicode = Text(u"{name} {town} {Town} {city}");
    unicode.unicode = true;
    unicode.longText = true;
    struct Row {
        const char* label;
        MessageRequest message;
        int column;
        std::size_t recipients;
        QStringList unknown;
    } rows[] = {
        // Eko's city goes in UCS2; the unknown placeholder goes out as written.
        {"unknown placeholders", unicode, 0, 3, {"town"}},
        {"a content kind's text is not merged", Logo(), 0, 3, {}},
        {"no such column", Text(u"hi"), 7, 0, {}},
    };
    for (const Row& r : rows) {
        const BatchRecipients got = RecipientsFromTable(People(), r.column, r.message);
        EXPECT_EQ(got.recipients.size(), r.recipients) << r.label;
        EXPECT_EQ(got.unknown, r.unknown) << r.label;
    }
    const BatchRecipients merged = RecipientsFromTable(People(), 0, unicode);
    ASSERT_EQ(merged.recipients.size(), 3u);
    EXPECT_EQ(merged.recipients[1].request.text, u"Eko {town} {Town} 北京");
    EXPECT_EQ(RecipientsFromTable(People(), 0, Logo()).recipients[0].request.text, Logo().text);
    // With no number column every row is left out, each named.
    const BatchRecipients none = RecipientsFromTable(People(), 7, Text(u"hi"));
    ASSERT_EQ(none.problems.size(), 6u);
    EXPECT_EQ(none.problems[5].index, 8);
    EXPECT_EQ(none.problems[5].why, QStringLiteral("has no number"));
}

TEST(BatchBuilder, PreviewsEachKindOfMessage) {
    auto with = [](MessageRequest r, const char* destination = "0812345678") {
        r.destination = destination;
        return BatchRecipient{QStringLiteral("Ani"), r};
    };
    MessageRequest flash = Text(u"hi");
    flash.flash = true;
    MessageRequest longGsm = Text(std::u16string(200, u'a').c_str());
    longGsm.longText = true;
    longGsm.unicode = true;
    MessageRequest chinese = Text(u"北京");
    chinese.longText = true;
    chinese.unicode = true;
    MessageRequest indicator;
    indicator.kind = MessageKind::Indicator;
    struct Row {
        const char* label;
        BatchRecipient recipient;
        const char* text;
        const char* coding;
        int parts;
        const char* problem;
    } rows[] = {
        {"short text", with(Text(u"Hi Ani")), "Hi Ani", "GSM 7-bit", 1, ""},
        {"long text", with(longGsm), nullptr, "GSM 7-bit", 2, ""},
        {"Unicode text", with(chinese), "北京", "UCS2", 1, ""},
        {"flash", with(flash), "hi", "UCS2", 1, ""},
        {"logo", with(Logo()), "logo", "8-bit", 1, ""},
        {"indicator", with(indicator), "indicator", "—", 1, ""},
        {"not in the GSM alphabet", with(Text(u"北京")), "北京", "", 0, "a normal text message cannot carry"},
        {"no destination", with(Text(u"hi"), ""), "hi", "", 0, "please Fill Destination"},
    };
    for (const Row& r : rows) {
        const RecipientPreview p = PreviewRecipient(r.recipient);
        if (r.text) {
            EXPECT_EQ(p.text, QString::fromUtf8(r.text)) << r.label;
        }
        EXPECT_EQ(p.name, QStringLiteral("Ani")) << r.label;
        EXPECT_EQ(p.coding, QString::fromUtf8(r.coding)) << r.label;
        EXPECT_EQ(p.parts, r.parts) << r.label;
        const QString problem = QString::fromUtf8(r.problem);
        EXPECT_EQ(p.problem.left(problem.size()), problem) << r.label << ": " << p.problem.toStdString();
        EXPECT_EQ(p.problem.isEmpty(), r.parts > 0) << r.label;
        if (r.parts > 0) {
            EXPECT_EQ(p.number, QStringLiteral("62812345678")) << r.label;
        }
    }
}

TEST(BatchBuilder, ReadsGroupsAndPhoneBookNamesFromTheStore) {
    QTemporaryDir dir;
    auto opened = MessageStore::Open(dir.filePath(QStringLiteral("messages.sqlite")));
    ASSERT_TRUE(opened) << opened.error();
    MessageStore& store = *opened.value();
    ASSERT_TRUE(store.SavePhonebook({{"Ani", "0812345678"},
                                     {"Budi", "0813000001"},
                                     {"Budi", "0813000002"},
                                     {"Cici", "not a number"},
                                     {"Dodi", "+62 814 000 001"}}));
    Group family{
        0, QStringLiteral("Family"), {{"Ani", "0812345678"}, {"Eko", "0815000001"}, {"Fajar", "12x"}}};
    ASSERT_TRUE(store.SaveGroup(family));
    ASSERT_TRUE(store.SaveGroup(Group{0, QStringLiteral("Nobody"), {}}));
    struct Row {
        const char* label;
        QStringList words;
        std::vector<Expected> recipients;
        std::vector<Problem> problems;
    } rows[] = {
        {"a phone-book name, any case",
         {"ani", "DODI"},
         {{"62812345678", "ani"}, {"62814000001", "DODI"}},
         {}},
        {"a number takes its phone-book name", {"0812345678"}, {{"62812345678", "Ani"}}, {}},
        {"a group's members, once each",
         {"Ani", "family"},
         {{"62812345678", "Ani"}, {"62815000001", "Eko"}},
         {{1, "Ani", "already in the list"},
          {1, "Fajar", "in the group \"Family\": invalid destination number"}}},
        {"names that give no one number",
         {"Budi", "Cici", "Gita", "Nobody"},
         {},
         {{0, "Budi", "the phone book has 2 numbers for this name"},
          {1, "Cici", "in the phone book: invalid destination number"},
          {2, "Gita", "neither a number nor a group's or the phone book's name"},
          {3, "Nobody", "the group has no members"}}},
    };
    for (const Row& r : rows)
        ExpectRecipients(RecipientsFromList(r.words, &store, Text(u"hi")), r.recipients, r.problems, r.label);
}

} // namespace
} // namespace velmora
