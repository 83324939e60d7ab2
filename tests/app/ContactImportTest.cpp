#include "ContactImport.h"

#include "TestNames.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using velmora::testing::CaseName;

struct CardRow {
    std::string file; // the program or phone that wrote it
    std::string text;
    std::vector<std::pair<QString, QStringList>> contacts;
    QStringList skipped{};
};

class VCardTest : public ::testing::TestWithParam<CardRow> {};

TEST_P(VCardTest, ReadsEachContactsNameAndNumbers) {
    const CardRow& row = GetParam();
    const auto read = ParseVCards(QByteArray::fromStdString(row.text));
    ASSERT_TRUE(read.ok()) << read.error().toStdString();
    std::vector<std::pair<QString, QStringList>> got;
    for (const ImportedContact& c : read.value().contacts)
        got.emplace_back(c.name, c.numbers);
    EXPECT_EQ(got, row.contacts);
    EXPECT_EQ(read.value().skipped, row.skipped);
}

const CardRow kCards[] = {
    {"an Android 3.0 export escapes its commas",
     "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Santoso;Budi;;;\r\nFN:Budi\\, Jr.\\nHome\r\nTEL;TYPE=CELL:+62 "
     "812-345\r\n"
     "END:VCARD\r\n",
     {{"Budi, Jr. Home", {"+62 812-345"}}}},
    {"a Nokia 2.1 card in quoted-printable UTF-8",
     "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=C3=96zt=C3=BCrk;Ay=C5=9Fe;;;"
     "\r\n"
     "TEL;CELL:0812\r\nEND:VCARD\r\n",
     {{QString::fromUtf8("Ay\xC5\x9F"
                         "e \xC3\x96zt\xC3\xBCrk"),
       {"0812"}}}},
    {"a 2.1 quoted-printable value goes on after its soft line break",
     "BEGIN:VCARD\nVERSION:2.1\nFN;ENCODING=QUOTED-PRINTABLE:Alexandra=20Putri=\n=20Wijaya\nTEL:0812\nEND:"
     "VCARD\n",
     {{"Alexandra Putri Wijaya", {"0812"}}}},
    {"a 2.1 card in Latin-1",
     "BEGIN:VCARD\r\nVERSION:2.1\r\nFN;CHARSET=ISO-8859-1;QUOTED-PRINTABLE:Zo=EB\r\nTEL:0812\r\nEND:"
     "VCARD\r\n",
     {{QString::fromUtf8("Zo\xC3\xAB"), {"0812"}}}},
    {"Outlook writes its 2.1 cards in Windows-1252",
     "BEGIN:VCARD\r\nVERSION:2.1\r\nFN;CHARSET=Windows-1252:Caf\xE9 \x80\r\nTEL:0812\r\nEND:VCARD\r\n",
     {{QString::fromUtf8("Caf\xC3\xA9 \xE2\x82\xAC"), {"0812"}}}},
    {"a folded 3.0 line",
     "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Alexandra Pu\r\n tri\r\nTEL:0812\r\nEND:VCARD\r\n",
     {{"Alexandra Putri", {"0812"}}}},
    {"every TEL is a number",
     "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Sari\r\nTEL;TYPE=cell:0812\r\nTEL;TYPE=work:021 555\r\n"
     "END:VCARD\r\n",
     {{"Sari", {"0812", "021 555"}}}},
    {"no FN but N, said as people say it",
     "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Santoso;Budi;Adi;Dr.;\r\nTEL:0812\r\nEND:VCARD\r\n",
     {{"Dr. Budi Adi Santoso", {"0812"}}}},
    {"Apple groups its TELs and a vCard 4 gives a tel URI",
     "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ani\r\nitem1.TEL;type=pref:+62811\r\nTEL;VALUE=uri:tel:+62812\r\nEND:"
     "VCARD\r\n",
     {{"Ani", {"+62811", "+62812"}}}},
    {"a 2.1 photo's base64 lines are not read",
     "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:Ani\r\nPHOTO;ENCODING=BASE64;TYPE=JPEG:/9j/4AAQ\r\nSkZJRgAB\r\n\r\n"
     "TEL:0812\r\nEND:VCARD\r\n",
     {{"Ani", {"0812"}}}},
    {"a card without a number is left out with its line",
     "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Budi\r\nEND:VCARD\r\nBEGIN:VCARD\r\nFN:Sari\r\nTEL:0812\r\nEND:"
     "VCARD\r\n",
     {{"Sari", {"0812"}}},
     {"line 1: the card of Budi has no number"}},
    {"a charset nobody reads is said",
     "BEGIN:VCARD\r\nVERSION:2.1\r\nFN;CHARSET=X-NOPE:Budi\r\nTEL;CHARSET=X-NOPE:0812\r\nEND:VCARD\r\n",
     {},
     {"line 1: the card is written in X-NOPE, X-NOPE, which is not read"}},
    {"a card cut off at the end is said",
     "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ani\r\nTEL:0811\r\nEND:VCARD\r\nBEGIN:VCARD\r\nFN:Budi\r\nTEL:"
     "0812\r\n",
     {{"Ani", {"0811"}}},
     {"line 6: the card does not end (no END:VCARD)"}},
};
INSTANTIATE_TEST_SUITE_P(Files, VCardTest, ::testing::ValuesIn(kCards),
                         [](const auto& info) { return CaseName(info.index, info.param.file); });

TEST(VCardTest, RefusesWhatIsNoCardsInASentence) {
    std::string many;
    for (int i = 0; i <= kMaxContacts; ++i)
        many += "BEGIN:VCARD\r\nFN:A\r\nTEL:0812\r\nEND:VCARD\r\n";
    const struct {
        std::string text;
        std::string why;
    } rows[] = {
        {std::string("\x89PNG\r\n\x1a\n\0\0garbage", 16), "holds no vCard (no BEGIN:VCARD line)"},
        {"name,number\nBudi,0812\n", "holds no vCard (no BEGIN:VCARD line)"},
        {"BEGIN:VCARD\r\nNOTE:" + std::string(kMaxCardLine, 'x') + "\r\nEND:VCARD\r\n",
         "line 2 is longer than 256 KiB, more than a contact's card holds"},
        {"BEGIN:VCARD\r\nNOTE:x\r\n" + std::string(kMaxCardLine, ' ') + "\r\n",
         "line 2 is longer than 256 KiB"},
        {many, "more than 10000 contacts"},
    };
    for (const auto& row : rows) {
        const auto read = ParseVCards(QByteArray::fromStdString(row.text));
        ASSERT_FALSE(read.ok()) << row.why;
        EXPECT_TRUE(read.error().startsWith(QString::fromStdString(row.why))) << read.error().toStdString();
    }
}

TEST(ContactCsvTest, TakesTheNameAndNumberColumns) {
    const auto read = ParseContactCsv("Phone;Name;Town\n+62811;Budi;Bogor\n;Sari;Solo\n0813;Ani;\n");
    ASSERT_TRUE(read.ok()) << read.error().toStdString();
    ASSERT_EQ(read.value().contacts.size(), 2u);
    EXPECT_EQ(read.value().contacts[0].name, "Budi");
    EXPECT_EQ(read.value().contacts[0].numbers, QStringList{"+62811"});
    EXPECT_EQ(read.value().contacts[1].line, 4);
    EXPECT_EQ(read.value().skipped, QStringList{"line 3: the row of Sari has no number"});
}

// A SIM of places 1 to 5 whose first holds +62811; names of ten characters,
// in IRA, without UCS2.
ImportTarget SmallSim() {
    ImportTarget t;
    t.limits = {1, 5, 20, 10};
    t.charset = SimCharset::Ira;
    t.freePlaces = {2, 3, 4, 5};
    t.numbersThere = {{1, "+62811"}};
    return t;
}

std::vector<ImportedContact> Contacts() {
    return {
        {"Budi", {"0811"}, 1},                          // +62811 dialled nationally
        {"Sari", {"0812", "+62812"}, 2},                // the same number twice
        {"Alexandra Putri", {"0813"}, 3},               // longer than ten
        {QString::fromUtf8("Zo\xC3\xAB"), {"0814"}, 4}, // not IRA
        {"Xena", {"12ab"}, 5},
        {"Yani", {"0815"}, 6},
        {"Zaki", {"0816"}, 7},
        {"Wati", {"0817"}, 8},
    };
}

TEST(PlanImportTest, GivesFreePlacesInTurnAndSaysWhatDoesNotFit) {
    const struct {
        bool cut;
        std::vector<std::tuple<int, QString, bool>> entries; // place, name, cut
        std::vector<std::pair<QString, UnfitReason>> unfit;
    } rows[] = {
        {true,
         {{2, "Sari", false}, {3, "Alexandra", true}, {4, "Yani", false}, {5, "Zaki", false}},
         {{"Budi", UnfitReason::AlreadyOn},
          {"Sari", UnfitReason::AlreadyOn},
          {QString::fromUtf8("Zo\xC3\xAB"), UnfitReason::Name},
          {"Xena", UnfitReason::Number},
          {"Wati", UnfitReason::NoPlace}}},
        {false,
         {{2, "Sari", false}, {3, "Yani", false}, {4, "Zaki", false}, {5, "Wati", false}},
         {{"Budi", UnfitReason::AlreadyOn},
          {"Sari", UnfitReason::AlreadyOn},
          {"Alexandra Putri", UnfitReason::Name},
          {QString::fromUtf8("Zo\xC3\xAB"), UnfitReason::Name},
          {"Xena", UnfitReason::Number}}},
    };
    for (const auto& row : rows) {
        const ImportPlan plan = PlanImport(Contacts(), SmallSim(), row.cut);
        std::vector<std::tuple<int, QString, bool>> entries;
        for (const PlannedEntry& e : plan.entries)
            entries.emplace_back(e.index, e.name, e.cut);
        EXPECT_EQ(entries, row.entries) << "cut " << row.cut;
        std::vector<std::pair<QString, UnfitReason>> unfit;
        for (const UnfitEntry& u : plan.unfit)
            unfit.emplace_back(u.name, u.reason);
        EXPECT_EQ(unfit, row.unfit) << "cut " << row.cut;
    }
}

TEST(PlanImportTest, NamesWhereTheNumberIsAlready) {
    const ImportPlan plan = PlanImport(Contacts(), SmallSim(), true);
    ASSERT_GE(plan.unfit.size(), 2u);
    EXPECT_EQ(plan.unfit[0].place, 1); // on the SIM before
    EXPECT_EQ(plan.unfit[1].place, 2); // planned a moment ago
    EXPECT_EQ(plan.entries[1].fullName, "Alexandra Putri");
    EXPECT_EQ(plan.cutCount(), 1);
}

} // namespace
} // namespace velmora
