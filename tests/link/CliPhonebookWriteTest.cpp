// velmora-cli phonebook --add/--set/--delete/--import against the simulated
// phone, each read back afterwards as a user would check it. The commands
// find their files in the directory CliPhoneTest's environment gives them.

#include "PhoneCommands.h"
#include "SimPhone.h"
#include "TestNames.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace velmora::cli {
namespace {

using velmora::testing::SimPhone;
using velmora::testing::TempDir;

struct Outcome {
    int code;
    std::string out, err;
};

Outcome Book(std::vector<std::string> words) {
    std::ostringstream out, err;
    RealClock clock(0.1);
    const int code = RunPhonebook(std::move(words), Io{out, err, false, false, &clock});
    return {code, out.str(), err.str()};
}

// The phone book as the plain read prints it.
std::string ReadBack(const SimPhone& sim) { return Book({"--device", sim.device(), "--fast"}).out; }

struct Row {
    std::string name;
    std::vector<std::string> sim;   // options besides the phone book
    std::vector<std::string> words; // after --device
    int code;
    std::string says;                 // in stdout or stderr
    std::vector<std::string> after{}; // lines the read-back holds
    std::vector<std::string> gone{};  // texts it no longer holds
};

class CliPhonebookWrite : public ::testing::TestWithParam<Row> {};

TEST_P(CliPhonebookWrite, WritesOnlyWhatIsAgreedAndFits) {
    const Row& row = GetParam();
    const std::string dir = TempDir("cli-book-write");
    std::ofstream(dir + "/book.txt") << "1,+62811,Budi\n2,0812,Sari\n";
    std::vector<std::string> args{"--phonebook", dir + "/book.txt"};
    args.insert(args.end(), row.sim.begin(), row.sim.end());
    SimPhone sim(args);
    std::vector<std::string> words{"--device", sim.device()};
    words.insert(words.end(), row.words.begin(), row.words.end());
    const Outcome r = Book(words);
    EXPECT_EQ(r.code, row.code) << r.out << r.err;
    EXPECT_NE((r.out + r.err).find(row.says), std::string::npos) << r.out << r.err;
    const std::string book = ReadBack(sim);
    for (const std::string& line : row.after)
        EXPECT_NE(book.find(line), std::string::npos) << line << "\n" << book;
    for (const std::string& text : row.gone)
        EXPECT_EQ(book.find(text), std::string::npos) << text << "\n" << book;
}

const Row kRows[] = {
    {"add goes to the first free place",
     {},
     {"--add", "Ani", "+62813"},
     kExitOk,
     "Written to place 3.",
     {"Ani                       +62813              3"}},
    {"set over a filled place is refused without a terminal or yes",
     {},
     {"--set", "1", "Zed", "0813"},
     kExitRefused,
     "Place 1 holds Budi (+62811)",
     {"Budi                      +62811              1"},
     {"Zed"}},
    {"set with yes writes over the place",
     {},
     {"--set", "1", "Zed", "0813", "--yes"},
     kExitOk,
     "Written to place 1.",
     {"Zed                       0813                1"},
     {"Budi"}},
    {"set on a free place needs no yes",
     {},
     {"--set", "7", "Zed", "0813"},
     kExitOk,
     "Written to place 7.",
     {"Zed                       0813                7"}},
    {"delete asks first and without a terminal refuses",
     {},
     {"--delete", "2"},
     kExitRefused,
     "Delete place 2, Sari (0812), from the SIM?",
     {"Sari"}},
    {"delete with yes empties the place",
     {},
     {"--delete", "2", "--yes"},
     kExitOk,
     "Place 2 deleted.",
     {"Budi"},
     {"Sari"}},
    {"delete of an empty place says so",
     {},
     {"--delete", "9", "--yes"},
     kExitRefused,
     "Place 9 of the SIM's phone book is empty",
     {"Sari"}},
    {"delete outside the book names its places",
     {"--phonebook-size", "100"},
     {"--delete", "300", "--yes"},
     kExitRefused,
     "Place 300 is not in the SIM's phone book, which has places 1 to 100.",
     {"Sari"}},
    {"a number with letters is refused",
     {},
     {"--add", "Ani", "0812ab"},
     kExitRefused,
     "\"0812ab\" is not a phone number",
     {},
     {"Ani"}},
    {"a number longer than the SIM holds is refused",
     {"--number-length", "6"},
     {"--add", "Ani", "+628123456"},
     kExitRefused,
     "longer than the 6 digits the SIM holds",
     {},
     {"Ani"}},
    {"a name longer than the SIM holds is refused",
     {"--name-length", "8"},
     {"--add", "Alexandra", "0813"},
     kExitRefused,
     "longer than the 8 characters the SIM holds",
     {},
     {"Alexandr"}},
    {"a name the set cannot hold goes in UCS2 where the phone takes it",
     {},
     {"--add", "Zo\xC3\xAB", "0813"},
     kExitOk,
     "Written to place 3.",
     {"Zo\xEB                       0813                3"}},
    {"a name the set cannot hold is refused naming the character",
     {"--charsets", "GSM,IRA"},
     {"--add", "Zo\xC3\xAB", "0813"},
     kExitRefused,
     "\xC3\xAB",
     {},
     {"0813"}},
    {"a full book takes no more",
     {"--phonebook-size", "2"},
     {"--add", "Ani", "0813"},
     kExitRefused,
     "The SIM's phone book is full (2 places)",
     {},
     {"Ani"}},
    {"add needs a name and a number", {}, {"--add", "Ani"}, kExitUsage, "--add needs NAME and NUMBER"},
};

INSTANTIATE_TEST_SUITE_P(Rows, CliPhonebookWrite, ::testing::ValuesIn(kRows), [](const auto& info) {
    return velmora::testing::CaseName(info.index, info.param.name);
});

// Two contacts, one with two numbers and a name longer than the SIM's
// eighteen, and one whose number is none.
const char* const kCards = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Alexandra Putri Wijayakusuma\r\n"
                           "TEL;TYPE=cell:+62 812-3456-789\r\nTEL;TYPE=work:021 555 1234\r\nEND:VCARD\r\n"
                           "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Nobody\r\nTEL:12ab\r\nEND:VCARD\r\n";

TEST(CliPhonebookImport, ADryRunShowsThePlanAndWritesNothing) {
    const std::string dir = TempDir("cli-book-import");
    std::ofstream(dir + "/book.txt") << "1,+62811,Budi\n";
    std::ofstream(dir + "/cards.vcf") << kCards;
    SimPhone sim({"--phonebook", dir + "/book.txt"});
    const Outcome r = Book({"--device", sim.device(), "--import", dir + "/cards.vcf", "--dry-run"});
    EXPECT_EQ(r.code, kExitOk) << r.err;
    EXPECT_NE(
        r.out.find("    2  Alexandra Putri Wi    +628123456789  (cut from \"Alexandra Putri Wijayakusuma\")"),
        std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("    3  Alexandra Putri Wi    0215551234"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("line 7: Nobody 12ab"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Nothing written (--dry-run): 2 entries"), std::string::npos) << r.out;
    EXPECT_EQ(ReadBack(sim).find("Alexandra"), std::string::npos);
}

TEST(CliPhonebookImport, WritesOnlyOnceAgreedThenReadsBack) {
    const std::string dir = TempDir("cli-book-import");
    std::ofstream(dir + "/book.txt") << "1,+62811,Budi\n";
    std::ofstream(dir + "/cards.vcf") << kCards;
    SimPhone sim({"--phonebook", dir + "/book.txt"});
    const Outcome refused = Book({"--device", sim.device(), "--import", dir + "/cards.vcf"});
    EXPECT_EQ(refused.code, kExitRefused);
    EXPECT_NE(refused.err.find("give --yes"), std::string::npos) << refused.err;
    EXPECT_EQ(ReadBack(sim).find("Alexandra"), std::string::npos);

    // Nobody's number is none: not every contact is written, which the exit
    // status says.
    const Outcome r = Book({"--device", sim.device(), "--import", dir + "/cards.vcf", "--yes"});
    EXPECT_EQ(r.code, kExitRefused) << r.err;
    EXPECT_NE(r.out.find("2 of 2 entries written; the SIM holds 2 of them."), std::string::npos) << r.out;
    const std::string book = ReadBack(sim);
    EXPECT_NE(book.find("Alexandra Putri Wi        +628123456789       2"), std::string::npos) << book;
    EXPECT_NE(book.find("Alexandra Putri Wi        0215551234          3"), std::string::npos) << book;
    // The same file again finds its numbers on the SIM and writes nothing.
    const Outcome again = Book({"--device", sim.device(), "--import", dir + "/cards.vcf", "--yes"});
    EXPECT_EQ(again.code, kExitRefused);
    EXPECT_NE(again.out.find("the SIM has this number at place 2"), std::string::npos) << again.out;
}

// The exit status of an import: 0 only when every contact of the file is on
// the SIM, or for a dry run.
TEST(CliPhonebookImport, ExitsWith1UnlessEveryContactIsWritten) {
    const char* const kTwo = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ani\r\nTEL:0812111\r\nEND:VCARD\r\n"
                             "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Dewi\r\nTEL:0812222\r\nEND:VCARD\r\n";
    const struct {
        const char* name;
        std::string cards;
        std::vector<std::string> sim, words;
        int code;
        std::string says;
    } rows[] = {
        {"every contact written", kTwo, {}, {"--yes"}, kExitOk, "2 of 2 entries written; the SIM holds 2"},
        {"a dry run writes nothing and says where", kTwo, {}, {"--dry-run"}, kExitOk, "Nothing written"},
        {"a contact with no number left out", kCards, {}, {"--yes"}, kExitRefused, "line 7: Nobody 12ab"},
        {"a full SIM takes only one",
         kTwo,
         {"--phonebook-size", "2"},
         {"--yes"},
         kExitRefused,
         "1 of 1 entries written"},
        {"a card without a number is skipped",
         std::string(kTwo) + "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Eko\r\nEND:VCARD\r\n",
         {},
         {"--yes"},
         kExitRefused,
         "2 of 2 entries written"},
        {"not agreed", kTwo, {}, {}, kExitRefused, "give --yes"},
    };
    for (const auto& r : rows) {
        const std::string dir = TempDir("cli-book-import");
        std::ofstream(dir + "/book.txt") << "1,+62811,Budi\n";
        std::ofstream(dir + "/cards.vcf") << r.cards;
        std::vector<std::string> simArgs{"--phonebook", dir + "/book.txt"};
        simArgs.insert(simArgs.end(), r.sim.begin(), r.sim.end());
        SimPhone sim(simArgs);
        std::vector<std::string> words{"--device", sim.device(), "--import", dir + "/cards.vcf"};
        words.insert(words.end(), r.words.begin(), r.words.end());
        const Outcome o = Book(words);
        EXPECT_EQ(o.code, r.code) << r.name << "\n" << o.out << o.err;
        EXPECT_NE((o.out + o.err).find(r.says), std::string::npos) << r.name << "\n" << o.out << o.err;
    }
}

TEST(CliPhonebookImport, AFileThatIsNoContactsIsRefusedBeforeThePhone) {
    const std::string dir = TempDir("cli-book-import");
    std::ofstream(dir + "/junk.vcf") << "BEGIN:VCARD\r\n" << std::string(300 * 1024, 'x') << "\r\n";
    const Outcome r = Book({"--device", "/dev/velmora-no-such-port", "--import", dir + "/junk.vcf"});
    EXPECT_EQ(r.code, kExitRefused) << r.err;
    EXPECT_NE(r.err.find("line 2 is longer than 256 KiB"), std::string::npos) << r.err;
}

} // namespace
} // namespace velmora::cli
