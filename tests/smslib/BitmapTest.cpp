#include "Bitmap.h"

#include "ContentFixtures.h"
#include "EmsPdu.h"
#include "Strings.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using testing::BmpLayout;
using testing::ContentOf;
using testing::MakeBmp;
using testing::MakeLogoFile;
using testing::ScratchDir;

TEST(FirstLine, EndsAtAnyLineEndOrByte26) {
    using namespace std::string_literals;
    const std::pair<std::string, std::string> cases[] = {{"abc\r\ndef", "abc"},
                                                         {"ab\ncd\r", "ab"},
                                                         {"a\x1A"s
                                                          "b",
                                                          "a"},
                                                         {"", ""},
                                                         {"\r", ""},
                                                         {"a\0b\rc"s, "a\0b"s},
                                                         {"abc", "abc"}};
    for (const auto& [bytes, line] : cases)
        EXPECT_EQ(FirstLineOf(bytes), line);

    ScratchDir dir;
    EXPECT_EQ(ReadFirstLine(dir.write("f.vol", "ABCD\r\n// x\r\n")).value(), "ABCD");
    EXPECT_EQ(ReadFirstLine(dir.write("bom.txt", std::string("\xEF\xBB\xBF") + "Beep:c\r\n")).value(),
              "Beep:c");
    EXPECT_FALSE(ReadFirstLine(dir.path("missing.vol")).ok());
}

TEST(DecodeBitmap, PlainMonochromeLogos) {
    const auto white = DecodeBitmap(MakeBmp({}));
    ASSERT_TRUE(white.ok()) << white.error();
    EXPECT_EQ(white->content, std::string(252, '0'));
    EXPECT_EQ(white->width, 72);
    EXPECT_EQ(white->height, 14);

    EXPECT_EQ(DecodeBitmap(MakeBmp({.black = [](int, int) { return true; }}))->content,
              std::string(252, 'F'));

    // The top row is stored last in a bottom-up file and comes out first.
    const auto corner = DecodeBitmap(MakeBmp({.black = [](int x, int y) { return x == 0 && y == 0; }}));
    EXPECT_EQ(corner->content, "80" + std::string(250, '0'));
}

struct BmpCase {
    const char* name;
    BmpLayout layout;
};

class Bmp : public ::testing::TestWithParam<BmpCase> {};

TEST_P(Bmp, GivesThePixelsThatWereDrawn) {
    const BmpLayout& s = GetParam().layout;
    const auto r = DecodeBitmap(MakeBmp(s));
    ASSERT_TRUE(r.ok()) << r.error();
    EXPECT_EQ(r->width, s.width);
    EXPECT_EQ(r->height, s.height);
    EXPECT_EQ(r->content, ContentOf(s.width, s.height, s.black));
}

constexpr auto kRule = &testing::Diagonals;

INSTANTIATE_TEST_SUITE_P(
    Layouts, Bmp,
    ::testing::Values(BmpCase{"Logo", {.black = kRule}}, BmpCase{"Picture", {.height = 28, .black = kRule}},
                      BmpCase{"WhiteFirst", {.height = 28, .black = kRule, .whiteFirst = true}},
                      BmpCase{"TopDown", {.black = kRule, .topDown = true}},
                      BmpCase{"TopDownWhiteFirst", {.black = kRule, .whiteFirst = true, .topDown = true}},
                      BmpCase{"CoreHeader", {.black = kRule, .coreHeader = true}},
                      BmpCase{"V5Header", {.black = kRule, .infoSize = 124}},
                      BmpCase{"DataOffsetFurtherOn", {.black = kRule, .gap = 22}},
                      BmpCase{"Ems16", {.width = 16, .height = 16, .black = kRule}},
                      BmpCase{"Width13", {.width = 13, .height = 5, .black = kRule}},
                      BmpCase{"Width1", {.width = 1, .height = 1, .black = kRule}},
                      BmpCase{"Width33", {.width = 33, .height = 3, .black = kRule}},
                      BmpCase{"Wide", {.width = 100, .height = 14, .black = kRule}},
                      // Taller than the first 2048 bytes of the file.
                      BmpCase{"Tall", {.width = 72, .height = 200, .black = kRule}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DecodeBitmap, WidthNotAMultipleOfEightKeepsEveryPixel) {
    const auto r =
        DecodeBitmap(MakeBmp({.width = 12, .height = 2, .black = [](int x, int) { return x >= 8; }}));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r->content, "00F000F0"); // 12 pixels per row, padded with white
}

TEST(DecodeBitmap, RefusesWhatItCannotReadWithAReason) {
    std::string truncated = MakeBmp({});
    truncated.resize(truncated.size() - 1);
    std::string offsetPastEnd = MakeBmp({});
    offsetPastEnd[10] = '\x7F';
    offsetPastEnd[11] = '\x7F';
    std::string tableOverPixels = MakeBmp({});
    tableOverPixels[10] = 56; // 54 header bytes and a 2-byte table cannot hold two colours
    std::string oddHeader = MakeBmp({});
    oddHeader[14] = 20;
    const std::pair<std::string, const char*> cases[] = {
        {"", "Invalid / Corrupt BMP File !"},
        {"BM", "Invalid / Corrupt BMP File !"},
        {"\x89PNG\r\n\x1A\n" + std::string(100, '\0'), "Invalid / Corrupt BMP File !"},
        {MakeBmp({.bitsPerPixel = 4}), "Not a Monochrome BMP File"},
        {MakeBmp({.bitsPerPixel = 24}), "Not a Monochrome BMP File"},
        {MakeBmp({.compression = 1}), "Compressed"},
        {MakeBmp({.width = 0}), "Invalid / Corrupt BMP File !"},
        {MakeBmp({.height = 0}), "Invalid / Corrupt BMP File !"},
        {truncated, "Invalid / Corrupt BMP File !"},
        {offsetPastEnd, "Invalid / Corrupt BMP File !"},
        {tableOverPixels, "Invalid / Corrupt BMP File !"},
        {oddHeader, "Invalid / Corrupt BMP File !"},
        {MakeBmp({}) + std::string(kMaxContentFileBytes, '\0'), "larger than 1 MiB"},
    };
    for (const auto& [bytes, reason] : cases) {
        const auto r = DecodeBitmap(bytes);
        ASSERT_FALSE(r.ok()) << reason;
        EXPECT_NE(r.error().find(reason), std::string::npos) << r.error();
    }
}

TEST(ReadBitmapFile, ReadsTheWholeFileAndRefusesHugeOnes) {
    ScratchDir dir;
    const BmpLayout tall{.width = 72, .height = 300, .black = kRule};
    const auto r = ReadBitmapFile(dir.write("tall.bmp", MakeBmp(tall)));
    ASSERT_TRUE(r.ok()) << r.error();
    EXPECT_EQ(r->content, ContentOf(72, 300, kRule));

    const auto huge =
        ReadBitmapFile(dir.write("huge.bmp", MakeBmp({}) + std::string(kMaxContentFileBytes, '\0')));
    ASSERT_FALSE(huge.ok());
    EXPECT_NE(huge.error().find("1 MiB"), std::string::npos);
    EXPECT_FALSE(ReadBitmapFile(dir.path("missing.bmp")).ok());
}

TEST(LogoFiles, HeaderBytesNeverCutThePixelsShort) {
    const std::string expected = ContentOf(72, 14, kRule);
    // NC 13 and a byte 26 in the header once ended the "line" there.
    for (char fill : {'\0', '\r', '\x1A', '\n', 'x'}) {
        const auto nol = DecodeNol(MakeLogoFile("NOL", 20, fill, kRule));
        ASSERT_TRUE(nol.ok()) << int(fill);
        EXPECT_EQ(nol.value(), expected);
        const auto ngg = DecodeNgg(MakeLogoFile("NGG", 16, fill, kRule));
        ASSERT_TRUE(ngg.ok()) << int(fill);
        EXPECT_EQ(ngg.value(), expected);
    }
    // Pixel characters other than "1" are white; bytes after the 1008 are not read.
    std::string file = MakeLogoFile("NOL", 20, '\0', kRule) + "1111111111";
    for (std::size_t k = 20; k < file.size(); ++k)
        if (file[k] == '0')
            file[k] = '\r';
    EXPECT_EQ(DecodeNol(file).value(), expected);
}

TEST(LogoFiles, WrongLettersOrNoPixelsAreRefused) {
    const std::pair<std::string, const char*> nol[] = {
        {MakeLogoFile("nol", 20, '\0', kRule), "Invalid / Corrupt NOL File !"},
        {MakeLogoFile("NGG", 20, '\0', kRule), "Invalid / Corrupt NOL File !"},
        {std::string("NOL") + std::string(17, '\0') + "1010101", "Invalid / Corrupt NOL File !"},
        {"NOL", "Invalid / Corrupt NOL File !"},
        {"", "Invalid / Corrupt NOL File !"}};
    for (const auto& [bytes, reason] : nol) {
        const auto r = DecodeNol(bytes);
        ASSERT_FALSE(r.ok());
        EXPECT_EQ(r.error(), reason);
    }
    EXPECT_EQ(DecodeNgg(MakeLogoFile("NOL", 16, '\0', kRule)).error(), "Invalid / Corrupt NGG File !");

    ScratchDir dir;
    EXPECT_EQ(ReadNolFile(dir.write("a.nol", MakeLogoFile("NOL", 20, '\r', kRule))).value(),
              ContentOf(72, 14, kRule));
    EXPECT_EQ(ReadNggFile(dir.write("a.ngg", MakeLogoFile("NGG", 16, '\x1A', kRule))).value(),
              ContentOf(72, 14, kRule));
    EXPECT_FALSE(ReadNolFile(dir.path("missing.nol")).ok());
}

TEST(NormaliseContentHex, UpperCasesBeforeDropping) {
    const std::pair<const char*, const char*> cases[] = {
        {"ab12", "AB12"}, {"abc", "0ABC"}, {"A B\r\nc", "0ABC"}, {"", ""}, {"xyz", ""}, {"0f-Fg", "00FF"}};
    for (const auto& [in, out] : cases)
        EXPECT_EQ(NormaliseContentHex(in), out) << in;
    const std::string fromReader = ContentOf(72, 14, kRule);
    EXPECT_EQ(NormaliseContentHex(fromReader), fromReader);
}

TEST(ChooseReader, LettersAnywhereInTheUpperCasedFileName) {
    const struct {
        MessageKind kind;
        const char* path;
        ContentReader reader;
    } cases[] = {
        {MessageKind::Logo, "/home/u/logo.bmp", ContentReader::Bitmap},
        {MessageKind::Logo, "logo.bmp", ContentReader::Bitmap},
        {MessageKind::Logo, "/home/u/logo.bmp.vol", ContentReader::Bitmap}, // not only the extension
        // The folders above the file do not count.
        {MessageKind::Logo, "/home/u/Bmp files/logo.vol", ContentReader::ContentFile},
        {MessageKind::Logo, "/home/bmpfan/logo.nol", ContentReader::Nol},
        {MessageKind::Logo, "/tmp/NOLS/logo.vol", ContentReader::ContentFile},
        {MessageKind::Group, "/tmp/NOLS/bmp/g.ngg", ContentReader::Ngg},
        {MessageKind::Group, "/srv/ngg/g.vgg", ContentReader::ContentFile},
        {MessageKind::Picture, "/home/bmpfan/p.vpm", ContentReader::ContentFile},
        {MessageKind::Ems, "/home/bmpfan/p.vpm", ContentReader::None},
        {MessageKind::Ems, "/home/u/x.vol/p.BMP", ContentReader::Bitmap},
        {MessageKind::Logo, "/home/u/logo.Nol", ContentReader::Nol},
        {MessageKind::Logo, "/home/u/logo.ngg", ContentReader::ContentFile},
        {MessageKind::Logo, "/home/u/logo.vol", ContentReader::ContentFile},
        {MessageKind::Group, "/home/u/g.NGG", ContentReader::Ngg},
        {MessageKind::Group, "/home/u/g.nol", ContentReader::ContentFile},
        {MessageKind::Group, "/home/u/g.BMP", ContentReader::Bitmap},
        {MessageKind::Picture, "/home/u/p.nol", ContentReader::ContentFile},
        {MessageKind::Picture, "/home/u/p.bMp", ContentReader::Bitmap},
        {MessageKind::Ems, "/home/u/p.bmp", ContentReader::Bitmap},
        {MessageKind::Ems, "/home/u/p.vpm", ContentReader::None},
        {MessageKind::Ringtone, "/home/u/p.bmp", ContentReader::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseReader(c.kind, c.path), c.reader) << c.path;
}

TEST(LoadTabContent, EachReaderGivesNormalisedContentAndAPreviewWidth) {
    ScratchDir dir;
    const auto bmp =
        LoadTabContent(MessageKind::Logo, dir.write("a.bmp", MakeBmp({.width = 48, .black = kRule})));
    ASSERT_TRUE(bmp.ok()) << bmp.error();
    EXPECT_EQ(bmp->content, ContentOf(48, 14, kRule));
    EXPECT_EQ(bmp->previewWidth, 48);
    EXPECT_FALSE(bmp->tall);

    const auto nol =
        LoadTabContent(MessageKind::Logo, dir.write("a.nol", MakeLogoFile("NOL", 20, '\r', kRule)));
    EXPECT_EQ(nol->content, ContentOf(72, 14, kRule));
    EXPECT_EQ(nol->previewWidth, 72); // NOL content carries no width; its rows are 72 pixels

    // Saved on Linux by hand: the comment lines must not add their letters.
    const auto lf =
        LoadTabContent(MessageKind::Logo, dir.write("u.vol", "ab01\n// Velmora Operator Logo File\n"));
    EXPECT_EQ(lf->content, "AB01");

    const auto vpm = LoadTabContent(MessageKind::Picture, dir.write("a.vpm", "ab c\r\n// x\r\n"));
    EXPECT_EQ(vpm->content, "0ABC");
    EXPECT_EQ(vpm->previewWidth, 72);
    EXPECT_TRUE(vpm->tall);

    // Kept in a folder whose name spells another kind, a file is still read as its own name says.
    const auto kept =
        LoadTabContent(MessageKind::Logo, dir.write("bmpfan/a.nol", MakeLogoFile("NOL", 20, '\r', kRule)));
    ASSERT_TRUE(kept.ok()) << kept.error();
    EXPECT_EQ(kept->content, ContentOf(72, 14, kRule));

    const auto badNgg = LoadTabContent(MessageKind::Group, dir.write("b.ngg", "ngg"));
    ASSERT_FALSE(badNgg.ok());
    EXPECT_EQ(badNgg.error(), "Invalid / Corrupt NGG File !");
    EXPECT_FALSE(LoadTabContent(MessageKind::Ringtone, dir.path("a.bmp")).ok());
    EXPECT_FALSE(LoadTabContent(MessageKind::Logo, dir.path("missing.vol")).ok());
}

TEST(LoadEmsPicture, TagsABmpTheEmsParserAccepts) {
    ScratchDir dir;
    const auto tag = LoadEmsPicture(dir.write("p.bmp", MakeBmp({.width = 16, .height = 16, .black = kRule})));
    ASSERT_TRUE(tag.ok()) << tag.error();
    EXPECT_EQ(tag.value(), "[#PIC00100010" + ContentOf(16, 16, kRule) + "]");
    const auto parsed = ParseEmsText(Utf8ToUtf16(tag.value() + "hi"));
    ASSERT_TRUE(parsed.ok()) << parsed.error();
    EXPECT_EQ(parsed->elements.size(), 1u);

    // Odd widths travel whole too: 12 pixels are two octets a row.
    const auto odd = LoadEmsPicture(dir.write("q.bmp", MakeBmp({.width = 12, .height = 3, .black = kRule})));
    EXPECT_TRUE(ParseEmsText(Utf8ToUtf16(odd.value())).ok());

    EXPECT_FALSE(LoadEmsPicture(dir.write("p.vpm", "FFFF\r\n")).ok());
    EXPECT_FALSE(LoadEmsPicture(dir.write("bad.bmp", "BMP but not really")).ok());
}

} // namespace
} // namespace velmora
