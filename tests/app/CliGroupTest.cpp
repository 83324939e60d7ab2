// velmora-cli group over a store in a temporary folder: a member is one
// person however the number is written, and a group made here is the one
// "send --to" sends to.

#include "PhoneCommands.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace velmora::cli {
namespace {

struct Outcome {
    int code;
    std::string out, err;
};

class CliGroup : public ::testing::Test {
protected:
    Outcome Run(int (*command)(std::vector<std::string>, Io), std::vector<std::string> words) {
        // send takes its options before the kind; group after its verb.
        words.insert(command == RunSend ? words.begin() : words.end(), {"--store", Store()});
        std::ostringstream out, err;
        const int code = command(std::move(words), Io{out, err});
        return {code, out.str(), err.str()};
    }
    Outcome Group(std::vector<std::string> words) { return Run(RunGroup, std::move(words)); }
    std::string Store() const { return dir.filePath("messages.sqlite").toStdString(); }
    std::string File(const char* name, const char* text) {
        const std::string path = dir.filePath(name).toStdString();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(CliGroup, aMemberIsOnePersonHoweverTheNumberIsWritten) {
    struct Step {
        std::vector<std::string> words;
        int code;
        std::string out, err;
    } steps[] = {
        {{"list"}, kExitOk, "There are no groups\n", ""},
        {{"show", "Arisan"}, kExitRefused, "", "velmora-cli: there is no group \"Arisan\"\n"},
        {{"add", "Arisan", "+62 812-3456-7890", "Ani"}, kExitOk, "Group \"Arisan\": 1 member\n", ""},
        {{"add", "arisan", "0812 3456 7890"},
         kExitRefused,
         "",
         "velmora-cli: once only: 0812 3456 7890: already in the group\n"},
        {{"add", "Arisan", "0062 813 1111 2222", "Budi"}, kExitOk, "Group \"Arisan\": 2 members\n", ""},
        {{"add", "Arisan", "soon"},
         kExitRefused,
         "",
         "velmora-cli: left out: soon: invalid destination number \"soon\": it must be 1 to 20 digits (after "
         "\"+\" is dropped and a leading 0 becomes 62)\n"},
        {{"show", "ARISAN"}, kExitOk, "+62 812-3456-7890  Ani\n0062 813 1111 2222  Budi\n", ""},
        {{"remove", "Arisan", "6281311112222"}, kExitOk, "Group \"Arisan\": 1 member\n", ""},
        {{"remove", "Arisan", "ani"}, kExitOk, "Group \"Arisan\": 0 members\n", ""},
        {{"remove", "Arisan", "ani"},
         kExitRefused,
         "",
         "velmora-cli: the group \"Arisan\" has no member ani\n"},
        {{"list"}, kExitOk, "Arisan  0 members\n", ""},
        {{"delete", "Arisan"}, kExitOk, "Group \"Arisan\" deleted\n", ""},
        {{"rename", "Arisan"}, kExitUsage, "", ""},
        {{"show"}, kExitUsage, "", ""},
    };
    for (const Step& s : steps) {
        const Outcome o = Group(s.words);
        std::string said;
        for (const auto& w : s.words)
            said += w + ' ';
        EXPECT_EQ(o.code, s.code) << said << o.err;
        EXPECT_EQ(o.out, s.out) << said;
        if (s.code != kExitUsage) {
            EXPECT_EQ(o.err, s.err) << said;
        }
    }
}

TEST_F(CliGroup, importsAContactsFileAndSendToFindsTheGroup) {
    const std::string club =
        File("club.csv", "No;Nama;No. HP\n1;Ani;0812 3456 7890\n2;Budi;+62 813 1111 2222\n"
                         "3;Cici;nanti\n4;Ani lagi;62.812.3456.7890\n");
    const Outcome imported = Group({"import", "Klub", club});
    EXPECT_EQ(imported.code, kExitRefused) << "a member was left out";
    EXPECT_EQ(imported.out, "Group \"Klub\": 2 members\n");
    EXPECT_EQ(imported.err,
              "velmora-cli: left out: nanti: invalid destination number \"nanti\": it must be 1 to 20 "
              "digits (after \"+\" is dropped and a leading 0 becomes 62)\n"
              "velmora-cli: once only: 62.812.3456.7890: already in the group\n");
    const std::string dates = File("dates.csv", "Date,Name\n20260105,Ani\n");
    const Outcome refused = Group({"import", "Tanggal", dates});
    EXPECT_EQ(refused.code, kExitRefused);
    EXPECT_NE(refused.err.find("name it with --number-column"), std::string::npos) << refused.err;
    EXPECT_EQ(Group({"list"}).out, "Klub  2 members\n") << "a refused import makes no group";

    const Outcome sent = Run(RunSend, {"--dry-run", "--to", "klub", "text", "Halo"});
    EXPECT_EQ(sent.code, kExitOk) << sent.err;
    EXPECT_EQ(sent.out, "To 6281234567890 (Ani): GSM 7-bit, 1 part\n    Halo\n"
                        "To 6281311112222 (Budi): GSM 7-bit, 1 part\n    Halo\n"
                        "Dry run: 2 recipients in 2 parts, 0 left out; nothing was queued or sent\n");
}

} // namespace
} // namespace velmora::cli
