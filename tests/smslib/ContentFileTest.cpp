#include "ContentFile.h"

#include "ContentFixtures.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>

namespace velmora {
namespace {

using testing::ScratchDir;

TEST(ContentFile, ThreeLinesEndedByCrLf) {
    EXPECT_EQ(ContentFileText("00FF", kLogoFileTitle),
              std::string("00FF\r\n// Velmora Operator Logo File\r\n// ") + kHomePage + "\r\n");
    EXPECT_EQ(ContentFileText("", kPictureFileTitle).substr(0, 2), "\r\n");
    // Line breaks in the memo would cut the content short on reading back.
    EXPECT_EQ(ContentFileText("00\r\nFF\x1A"
                              "01",
                              kGroupFileTitle)
                  .substr(0, 8),
              "00FF01\r\n");
}

TEST(WriteContentFile, WritesWholeFilesThatLoadBack) {
    ScratchDir dir;
    const std::string path = dir.path("logo.VOL");
    // Typed in lower case, saved, loaded: every letter comes back.
    ASSERT_TRUE(WriteContentFile(path, "ab01cdef", kLogoFileTitle).ok());
    EXPECT_EQ(ScratchDir::read(path), ContentFileText("ab01cdef", kLogoFileTitle));
    const auto loaded = LoadTabContent(MessageKind::Logo, path);
    ASSERT_TRUE(loaded.ok()) << loaded.error();
    EXPECT_EQ(loaded->content, "AB01CDEF");

    // Replacing keeps no temporary beside the file.
    ASSERT_TRUE(WriteContentFile(path, "FF", kLogoFileTitle).ok());
    EXPECT_EQ(ReadContentFile(path).value(), "FF");
    EXPECT_EQ(dir.entries(), 1u);
}

TEST(WriteContentFile, NewFilesFollowTheUmaskReplacedOnesKeepTheirMode) {
    ScratchDir dir;
    const auto mode = [](const std::string& p) {
        struct stat st {};
        EXPECT_EQ(::stat(p.c_str(), &st), 0) << p;
        return st.st_mode & 0777;
    };
    const mode_t old = ::umask(077);
    const bool written = WriteContentFile(dir.path("private.VOL"), "FF", kLogoFileTitle).ok();
    ::umask(old);
    ASSERT_TRUE(written);
    EXPECT_EQ(mode(dir.path("private.VOL")), 0600u);

    const auto shared = dir.write("shared.VGG", "00\r\n");
    ASSERT_EQ(::chmod(shared.c_str(), 0664), 0);
    ASSERT_TRUE(WriteContentFile(shared, "FF", kGroupFileTitle).ok());
    EXPECT_EQ(mode(shared), 0664u);
}

TEST(WriteContentFile, SavingThroughALinkReplacesTheFileItNames) {
    ScratchDir dir;
    const auto target = dir.write("kept.VOL", "00\r\n");
    const std::string link = dir.path("link.VOL");
    std::filesystem::create_symlink(target, link);
    ASSERT_TRUE(WriteContentFile(link, "FF", kLogoFileTitle).ok());
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadContentFile(target).value(), "FF");
}

TEST(WriteContentFile, FailureIsReportedAndLeavesWhatWasThere) {
    ScratchDir dir;
    const auto noFolder = WriteContentFile(dir.path("none/logo.VOL"), "FF", kLogoFileTitle);
    ASSERT_FALSE(noFolder.ok());
    EXPECT_NE(noFolder.error().find("logo.VOL"), std::string::npos);

    // The name is taken by a folder: the rename fails after the data was written.
    dir.write("taken.VOL/inside", "keep");
    const auto taken = WriteContentFile(dir.path("taken.VOL"), "FF", kLogoFileTitle);
    ASSERT_FALSE(taken.ok());
    EXPECT_EQ(ScratchDir::read(dir.path("taken.VOL/inside")), "keep");
    EXPECT_EQ(dir.entries(), 2u); // the folder and its file: no temporary left behind
}

// Runs `body` with files limited to `bytes`, as a full disk would limit them.
template <class Body> void WithFileSizeLimit(rlim_t bytes, Body body) {
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = bytes;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    body();
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldSignal);
}

TEST(WriteContentFile, AWriteCutShortLeavesTheOldFileWhole) {
    ScratchDir dir;
    const std::string path = dir.path("pic.VPM");
    ASSERT_TRUE(WriteContentFile(path, "00FF", kPictureFileTitle).ok());
    const std::string before = ScratchDir::read(path);
    WithFileSizeLimit(200, [&] {
        const auto r = WriteContentFile(path, std::string(504, 'F'), kPictureFileTitle);
        EXPECT_FALSE(r.ok());
    });
    EXPECT_EQ(ScratchDir::read(path), before);
    EXPECT_EQ(dir.entries(), 1u);
}

TEST(OpenFilters, EachCommandStartsOnItsOwnPair) {
    const struct {
        OpenCommand command;
        const char* start; // the pattern of the pair selected at first
        int index;
    } cases[] = {{OpenCommand::BrowseLogo, "*.VOL;*.BMP;*.NOL", 4},
                 {OpenCommand::BrowseGroup, "*.VGG;*.BMP;*.NGG", 4},
                 {OpenCommand::BrowsePicture, "*.VPM;*.BMP", 3},
                 {OpenCommand::BrowseRingtone, "*.TXT", 1},
                 {OpenCommand::AddPicture, "*.BMP", 1},
                 {OpenCommand::FileOpen, "*.VOL;*.BMP;*.NOL", 1}};
    for (const auto& c : cases) {
        const FileFilter f = OpenFilter(c.command);
        EXPECT_EQ(f.index, c.index);
        ASSERT_GE(f.types.size(), static_cast<std::size_t>(c.index));
        std::string patterns;
        for (const auto& p : f.types[c.index - 1].patterns)
            patterns += (patterns.empty() ? "" : ";") + p;
        EXPECT_EQ(patterns, c.start);
        for (const auto& type : f.types)
            EXPECT_FALSE(type.description.empty() || type.patterns.empty());
    }
    EXPECT_EQ(KindOfOpenFilter(1), MessageKind::Logo);
    EXPECT_EQ(KindOfOpenFilter(4), MessageKind::Ringtone);
    EXPECT_FALSE(KindOfOpenFilter(0));
    EXPECT_FALSE(KindOfOpenFilter(5));
}

TEST(SaveFilters, ChosenFromTheTabAndTheUpperCasedFileName) {
    const struct {
        MessageKind kind;
        const char* label;
        const char*
            last; // the filter's "Description|*.EXT|..." end; nullptr: the dialog keeps its previous filter
    } cases[] = {
        {MessageKind::Logo, "/x/logo.bmp", "|*.VOL|Monochrome Bitmap Files|*.BMP"},
        {MessageKind::Logo, "/x/logo.Nol", "|*.VOL|NOL Operator Logo Files|*.NOL"},
        {MessageKind::Logo, "/x/a.nol.bmp", "|*.BMP"}, // ".BMP" is tested first
        {MessageKind::Logo, "/x/logo.vol", "Velmora Operator Logo Files|*.VOL"},
        {MessageKind::Logo, "", nullptr},
        // The folders above the file do not count.
        {MessageKind::Logo, "/home/u.bmp/logo.nol", "|*.VOL|NOL Operator Logo Files|*.NOL"},
        {MessageKind::Logo, "/tmp/x.nol/logo.vol", "Velmora Operator Logo Files|*.VOL"},
        {MessageKind::Logo, "/tmp/x.vol/logo", nullptr},
        {MessageKind::Group, "/tmp/x.bmp/g.vgg", "Velmora Group Graphic Files|*.VGG"},
        {MessageKind::Picture, "/tmp/x.bmp/p.vpm", "Velmora Picture Message Files|*.VPM"},
        {MessageKind::Group, "/x/g.BMP", "|*.VGG|Monochrome Bitmap Files|*.BMP"},
        {MessageKind::Group, "/x/g.ngg", "|*.VGG|NGG Group Graphic Files|*.NGG"},
        {MessageKind::Group, "/x/g.vgg", "Velmora Group Graphic Files|*.VGG"},
        {MessageKind::Group, "/x/g.nol", nullptr},
        {MessageKind::Picture, "/x/p.bmp", "|*.VPM|Monochrome Bitmap Files|*.BMP"},
        {MessageKind::Picture, "/x/p.vpm", "Velmora Picture Message Files|*.VPM"},
        {MessageKind::Ringtone, "", "RTTTL Ringtone Files|*.TXT"},
        {MessageKind::Ems, "/x/p.bmp", nullptr},
        {MessageKind::Text, "/x/p.bmp", nullptr},
    };
    for (const auto& c : cases) {
        std::string filter;
        for (const auto& type : SaveFilter(c.kind, c.label).value_or(std::vector<FileType>{}))
            filter += (filter.empty() ? "" : "|") + type.description + "|" + type.patterns.at(0);
        if (c.last)
            EXPECT_TRUE(filter.ends_with(c.last)) << c.label << ": " << filter;
        else
            EXPECT_EQ(filter, "") << c.label;
    }
    EXPECT_FALSE(CanSaveAs(MessageKind::Text));
    EXPECT_TRUE(CanSaveAs(MessageKind::Ringtone));
}

TEST(SaveDestination, AppendsTheExtensionOnlyWhenMissing) {
    const struct {
        MessageKind kind;
        int index;
        const char* chosen;
        const char* label;
        const char* destination;
    } cases[] = {
        {MessageKind::Logo, 1, "/x/logo", "/x/a.bmp", "/x/logo.VOL"},
        {MessageKind::Logo, 1, "/x/logo.vol", "/x/a.bmp", "/x/logo.vol"},
        {MessageKind::Logo, 1, "/x/logo.VOL", "/x/a.bmp", "/x/logo.VOL"},
        {MessageKind::Logo, 2, "/x/logo", "/x/a.bmp", "/x/logo.BMP"},
        {MessageKind::Logo, 2, "/x/logo", "/x/a.nol", "/x/logo.NOL"},
        {MessageKind::Logo, 2, "/x/logo.Nol", "/x/a.nol", "/x/logo.Nol"},
        {MessageKind::Logo, 1, "/x/logo.vol.bak", "/x/a.vol", "/x/logo.vol.bak.VOL"},
        {MessageKind::Group, 1, "/x/g", "/x/a.ngg", "/x/g.VGG"},
        {MessageKind::Group, 2, "/x/g", "/x/a.ngg", "/x/g.NGG"},
        {MessageKind::Group, 2, "/x/g.bmp", "/x/a.bmp", "/x/g.bmp"},
        // Only the loaded file's own name tells BMP from NOL and NGG.
        {MessageKind::Logo, 2, "/x/logo", "/x/y.bmp/a.nol", "/x/logo.NOL"},
        {MessageKind::Group, 2, "/x/g", "/x/y.bmp/a.ngg", "/x/g.NGG"},
        {MessageKind::Picture, 1, "/x/pic", "/x/a.bmp", "/x/pic"},
        {MessageKind::Ringtone, 1, "/x/tune", "/x/a.txt", "/x/tune"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SaveDestination(c.kind, c.index, c.chosen, c.label), c.destination) << c.chosen;
}

TEST(PlanSaveContentAs, TheDestinationDecides) {
    const ContentMemos memos{"10", "20", "30"};
    const struct {
        const char* source;
        const char* destination;
        bool copy;
        const char* hex;
        const char* title;
    } cases[] = {
        {"/x/a.bmp", "/x/logo.VOL", false, "10", kLogoFileTitle},
        {"/x/a.vol", "/x/b.VOL", true, "", ""},
        {"/x/a.VOL", "/x/b.vol", true, "", ""},
        {"/x/a.bmp", "/x/g.vgg", false, "20", kGroupFileTitle},
        {"/x/a.vol", "/x/p.VPM", false, "30", kPictureFileTitle}, // a .VPM name writes the picture memo
        {"/x/a.bmp", "/x/b.BMP", true, "", ""},
        {"/x/a.txt", "/x/b", true, "", ""},
        // Only the files' own names count, not their folders.
        {"/x.vol/a.bmp", "/x/b.VOL", false, "10", kLogoFileTitle},
        {"/x/a.vgg", "/y.vol/b.VGG", true, "", ""},
        {"/x/a.bmp", "/out.vpm/b.BMP", true, "", ""},
    };
    for (const auto& c : cases) {
        const SavePlan plan = PlanSaveContentAs(c.source, c.destination, memos);
        EXPECT_EQ(plan.copy, c.copy) << c.destination;
        EXPECT_EQ(plan.hex, c.hex) << c.destination;
        EXPECT_EQ(plan.title, c.title) << c.destination;
    }
}

TEST(SaveContentAs, CopiesOrWritesAndReportsFailure) {
    ScratchDir dir;
    const std::string bytes("BM\0\r\n\x1A binary", 12);
    const auto source = dir.write("a.bmp", bytes);
    const ContentMemos memos{"0a0b", "", ""};

    const auto copied = SaveContentAs(source, dir.path("b.BMP"), memos);
    ASSERT_TRUE(copied.ok()) << copied.error();
    EXPECT_EQ(copied.value(), dir.path("b.BMP"));
    EXPECT_EQ(ScratchDir::read(dir.path("b.BMP")), bytes);

    const auto written = SaveContentAs(source, dir.path("logo.VOL"), memos);
    ASSERT_TRUE(written.ok()) << written.error();
    EXPECT_EQ(ReadContentFile(dir.path("logo.VOL")).value(), "0a0b");

    // Saving a file onto itself leaves it whole.
    ASSERT_TRUE(SaveContentAs(source, source, memos).ok());
    EXPECT_EQ(ScratchDir::read(source), bytes);

    EXPECT_FALSE(SaveContentAs(dir.path("gone.bmp"), dir.path("c.BMP"), memos).ok());
    EXPECT_FALSE(std::filesystem::exists(dir.path("c.BMP")));
    EXPECT_FALSE(SaveContentAs("", dir.path("d.BMP"), memos).ok());
    EXPECT_FALSE(SaveContentAs(source, dir.path("none/e.VGG"), memos).ok());
}

} // namespace
} // namespace velmora
