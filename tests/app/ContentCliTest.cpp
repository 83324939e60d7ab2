#include "Cli.h"
#include "PhoneCommands.h"
#include "ProgramLanguage.h"
#include "ToneSynth.h"

#include "../smslib/ContentFixtures.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QProcess>
#include <filesystem>

#include <map>
#include <sstream>

#include <sys/stat.h>

namespace velmora::cli {
namespace {

using velmora::testing::ContentOf;
using velmora::testing::Diagonals;
using velmora::testing::MakeBmp;
using velmora::testing::MakeLogoFile;
using velmora::testing::ScratchDir;

struct Outcome {
    int code;
    std::string out;
    std::string err;
};

Outcome Invoke(int (*command)(std::vector<std::string>, Io), std::vector<std::string> words) {
    std::ostringstream out, err;
    const int code = command(std::move(words), Io{out, err});
    return {code, out.str(), err.str()};
}

constexpr const char* kNumber = "628569999999";

class ContentCli : public ::testing::Test {
protected:
    ScratchDir dir;
    // As an image editor saves them: a logo with white first in its colour table.
    std::string logo = dir.write("logo.bmp", MakeBmp({.black = Diagonals, .whiteFirst = true}));
    std::string picture = dir.write("pic.bmp", MakeBmp({.height = 28, .black = Diagonals}));
    std::string small = dir.write("small.bmp", MakeBmp({.width = 16, .height = 16, .black = Diagonals}));
    std::string tune = dir.write("beep.txt", "Beep:d=4,o=5,b=100:c,8e,p\r\nNext:d=4:c\r\n");
};

TEST_F(ContentCli, ContentPrintsWhatEachTabLoads) {
    const std::string logoHex = ContentOf(72, 14, Diagonals);
    const std::string ngg = dir.write("g.ngg", MakeLogoFile("NGG", 16, '\r', Diagonals));
    const std::string vpm = dir.write("p.vpm", "ab0c\r\n// Velmora Picture Message File\r\n");
    const struct {
        std::vector<std::string> words;
        std::string out;
    } cases[] = {
        {{logo, "--as", "logo"}, logoHex + "\n"},
        {{"--as", "group", logo}, logoHex + "\n"},
        {{ngg, "--as", "group"}, logoHex + "\n"},
        {{vpm, "--as", "picture"}, "AB0C\n"},
        {{tune, "--as", "ringtone"},
         "Title = Beep\nTempo = 100\n024A3A51099595C004001318CAE922849562482000\n"},
        {{small, "--as", "ems"}, "[#PIC00100010" + ContentOf(16, 16, Diagonals) + "]\n"},
    };
    for (const auto& c : cases) {
        const Outcome r = Invoke(RunContent, c.words);
        EXPECT_EQ(r.code, kExitOk) << r.err;
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, "");
    }
    const std::string plain = dir.write("plain.txt", "Plain:c,e");
    EXPECT_EQ(Invoke(RunContent, {plain, "--as", "ringtone"}).out.substr(0, 23), "Title = Plain\nTempo = \n");
}

TEST_F(ContentCli, PreviewDrawsTheScreen) {
    const auto screen = [](int rows) {
        std::string text;
        for (int y = 0; y < 28; ++y) {
            for (int x = 0; x < 72; ++x)
                text += y < rows && Diagonals(x, y) ? '#' : '.';
            text += '\n';
        }
        return text;
    };
    const Outcome r = Invoke(RunPreview, {logo, "--as", "logo"});
    ASSERT_EQ(r.code, kExitOk) << r.err;
    const std::string expected = screen(14);
    EXPECT_EQ(r.out, expected);

    const std::string nol = dir.write("l.nol", MakeLogoFile("NOL", 20, '\x1A', Diagonals));
    EXPECT_EQ(Invoke(RunPreview, {nol, "--as", "logo"}).out, expected); // NOL rows are 72 wide

    EXPECT_EQ(Invoke(RunPreview, {picture, "--as", "picture"}).out, screen(28));
    EXPECT_EQ(Invoke(RunPreview, {picture, "--as", "logo"}).out, expected); // a logo shows 14 rows
}

TEST_F(ContentCli, FileInputsGiveThePdusOfTheirContent) {
    const std::string logoHex = ContentOf(72, 14, Diagonals);
    const std::string tag = "[#PIC00100010" + ContentOf(16, 16, Diagonals) + "]";
    const struct {
        std::vector<std::string> fromFile;
        std::vector<std::string> typed;
    } cases[] = {
        {{"logo", "--mcc", "510", "--nc", "10", kNumber, "--file", logo},
         {"logo", "--mcc", "510", "--nc", "10", kNumber, logoHex}},
        {{"group", "--file", logo, kNumber}, {"group", kNumber, logoHex}},
        {{"picture", kNumber, "--file", picture}, {"picture", kNumber, ContentOf(72, 28, Diagonals)}},
        {{"ringtone", kNumber, "--file", tune},
         {"ringtone", kNumber, "024A3A51099595C004001318CAE922849562482000"}},
        {{"ems", kNumber, "--picture", small, "Hi"}, {"ems", kNumber, tag + "Hi"}},
        {{"ems", kNumber, "--picture", small}, {"ems", kNumber, tag}},
    };
    for (const auto& c : cases) {
        const Outcome file = Invoke(RunPdu, c.fromFile);
        const Outcome typed = Invoke(RunPdu, c.typed);
        ASSERT_EQ(typed.code, kExitOk) << typed.err;
        EXPECT_EQ(file.code, kExitOk) << file.err;
        EXPECT_EQ(file.out, typed.out) << c.fromFile[0];
    }
}

// A tune of `count` notes, the kind of line a ringtone site publishes.
std::string LongTune(int count) {
    const char* phrase[] = {"8e.6", "16d#6", "4b.", "p", "8c6", "16a", "4g#.5", "8f#6"};
    std::string tune = "Rondo:d=8,o=5,b=125:";
    for (int k = 0; k < count; ++k)
        tune += std::string(k ? "," : "") + phrase[k % std::size(phrase)];
    return tune;
}

TEST_F(ContentCli, ATuneTooLongForOneMessageIsCutOnlyWhenAsked) {
    const std::string tooLong = dir.write("rondo.txt", LongTune(70) + "\r\n");
    const int fitting = 55; // "Rondo" leaves room for 55 notes
    const std::string firstNotes = dir.write("first.txt", LongTune(fitting) + "\r\n");
    const std::string oneMore = dir.write("more.txt", LongTune(fitting + 1) + "\r\n");

    // The cut tune is the tune of its first notes, sent whole.
    const Outcome cut = Invoke(RunPdu, {"ringtone", kNumber, "--file", tooLong, "--cut"});
    const Outcome first = Invoke(RunPdu, {"ringtone", kNumber, "--file", firstNotes});
    ASSERT_EQ(first.code, kExitOk) << first.err;
    EXPECT_EQ(cut.code, kExitOk) << cut.err;
    EXPECT_EQ(cut.out, first.out);
    // A tune that fits is not changed by --cut.
    EXPECT_EQ(Invoke(RunPdu, {"ringtone", "--cut", kNumber, "--file", firstNotes}).out, first.out);
    EXPECT_EQ(Invoke(RunPdu, {"ringtone", kNumber, "--file", tune, "--cut"}).out,
              Invoke(RunPdu, {"ringtone", kNumber, "--file", tune}).out);

    for (const auto& [path, notes] : {std::pair{tooLong, 70}, std::pair{oneMore, fitting + 1}}) {
        for (auto command : {RunPdu, RunSend}) {
            const Outcome r = Invoke(command, {"ringtone", kNumber, "--file", path});
            EXPECT_EQ(r.code, kExitRefused) << r.err;
            EXPECT_EQ(r.out, "");
            EXPECT_NE(r.err.find("at most 140"), std::string::npos) << r.err;
            EXPECT_NE(r.err.find("the first " + std::to_string(fitting) + " of the tune's " +
                                 std::to_string(notes) + " notes fit one message (--cut sends those)"),
                      std::string::npos)
                << r.err;
        }
    }

    // Hex content has no notes to cut between; other kinds have no --cut.
    const struct {
        int (*command)(std::vector<std::string>, Io);
        std::vector<std::string> words;
        const char* err;
    } usage[] = {
        {RunPdu, {"ringtone", kNumber, "024A3A", "--cut"}, "--cut needs the tune as RTTTL text"},
        {RunSend, {"ringtone", "--cut", kNumber, "024A3A"}, "--cut needs the tune as RTTTL text"},
        {RunPdu, {"group", kNumber, "--file", logo, "--cut"}, "unknown option --cut"},
    };
    for (const auto& c : usage) {
        const Outcome r = Invoke(c.command, c.words);
        EXPECT_EQ(r.code, kExitUsage) << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
    EXPECT_NE(Invoke(RunPdu, {"--help"}).out.find("ringtone NUMBER (HEX | --file PATH [--cut])"),
              std::string::npos);
}

// A picture no existing reader takes, made as an image editor would save it.
std::string SavePicture(ScratchDir& dir, const std::string& name, QImage image,
                        const char* format = nullptr) {
    const std::string path = dir.path(name);
    EXPECT_TRUE(image.save(QString::fromStdString(path), format));
    return path;
}

QImage Drawn(int width, int height, QRgb (*colour)(int x, int y)) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, colour(x, y));
    return image;
}

TEST_F(ContentCli, ConvertsPicturesOfAnyFormatByTheOptionsGiven) {
    const std::string doubled = SavePicture(dir, "twice.png", Drawn(144, 28, [](int x, int y) {
                                                return Diagonals(x / 2, y / 2)
                                                           ? qRgb(0, 0, 0)
                                                           : qRgba(0, 0, 0, 0); // white shows as transparent
                                            }));
    const std::string colour = SavePicture(dir, "colour.bmp", Drawn(72, 14, [](int x, int y) {
                                               return Diagonals(x, y) ? qRgb(0, 0, 90) : qRgb(250, 250, 0);
                                           }));
    const std::string grey =
        SavePicture(dir, "grey.jpg", Drawn(72, 28, [](int, int) { return qRgb(160, 160, 160); }));
    const std::string square =
        SavePicture(dir, "square.dat", Drawn(64, 64, [](int, int) { return qRgb(0, 0, 0); }), "PNG");
    // Poster-sized as declared, but drawn at the logo's size.
    const std::string poster =
        dir.write("poster.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"20000\" "
                                "height=\"10000\" viewBox=\"0 0 2 1\"><rect width=\"2\" "
                                "height=\"1\"/></svg>");
    const std::string allWhite28(72 * 28 / 4, '0');
    const struct {
        std::vector<std::string> words;
        std::string out;
    } cases[] = {
        {{doubled, "--as", "logo"}, ContentOf(72, 14, Diagonals) + "\n"},
        {{colour, "--as", "group"}, ContentOf(72, 14, Diagonals) + "\n"},
        {{grey, "--as", "picture"}, allWhite28 + "\n"},
        // Twice as tall as wide for a logo: half the width, centred.
        {{grey, "--as", "logo", "--threshold", "200"},
         ContentOf(72, 14, [](int x, int) { return x >= 18 && x < 54; }) + "\n"},
        {{square, "--as", "ems", "--threshold=1"}, "[#PIC00200020" + std::string(256, 'F') + "]\n"},
        {{poster, "--as", "logo"}, ContentOf(72, 14, [](int x, int) { return x >= 22 && x < 50; }) + "\n"},
    };
    for (const auto& c : cases) {
        const Outcome r = Invoke(RunContent, c.words);
        EXPECT_EQ(r.code, kExitOk) << r.err;
        EXPECT_EQ(r.out, c.out) << c.words[0];
    }
    const Outcome plain = Invoke(RunContent, {grey, "--as", "picture", "--threshold", "200"});
    const Outcome dithered = Invoke(RunContent, {grey, "--as", "picture", "--threshold", "200", "--dither"});
    EXPECT_EQ(plain.out, std::string(72 * 28 / 4, 'F') + "\n");
    EXPECT_NE(dithered.out, plain.out);
    EXPECT_NE(dithered.out, allWhite28 + "\n");

    const Outcome drawn = Invoke(RunPreview, {doubled, "--as", "picture", "--threshold", "128"});
    ASSERT_EQ(drawn.code, kExitOk) << drawn.err;
    // Half size, 72 x 14, in the middle of the 28 rows.
    std::string expected;
    for (int y = 0; y < 28; ++y) {
        for (int x = 0; x < 72; ++x)
            expected += y >= 7 && y < 21 && Diagonals(x, y - 7) ? '#' : '.';
        expected += '\n';
    }
    EXPECT_EQ(drawn.out, expected);
}

// The real program, as a user runs it: what it draws with is set up in
// main, which the commands called in the test process do not pass through.
// XcbNowhere: a display named explicitly that cannot be reached; a
// command that made a GUI application would abort on it.
enum class Display { AsGiven, None, Unreachable, XcbNowhere };

Outcome RunCli(const std::vector<std::string>& args, Display display, const std::string& home) {
    QProcessEnvironment env = velmora::testing::SpeakingEnglish(QProcessEnvironment::systemEnvironment());
    env.insert("VELMORA_DIR", QString::fromStdString(home));
    if (display != Display::AsGiven) {
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(name);
    }
    if (display == Display::Unreachable || display == Display::XcbNowhere)
        env.insert("DISPLAY", ":1999"); // a display nobody serves
    if (display == Display::XcbNowhere)
        env.insert("QT_QPA_PLATFORM", "xcb");
    QProcess cli;
    cli.setProcessEnvironment(env);
    QStringList list;
    for (const auto& a : args)
        list << QString::fromStdString(a);
    cli.start(VELMORA_CLI, list);
    if (!cli.waitForFinished(60'000)) {
        cli.kill();
        cli.waitForFinished();
        return {-1, "", "did not end"};
    }
    const int code = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : 1000;
    return {code, cli.readAllStandardOutput().toStdString(), cli.readAllStandardError().toStdString()};
}

QByteArray Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format));
    return bytes;
}

TEST_F(ContentCli, ThePictureFilesOfTheProgramAreDrawnOrRefusedByName) {
    const std::string svgText = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"72\" height=\"14\">"
                                "<text x=\"0\" y=\"12\" font-size=\"12\">Hi</text></svg>";
    const std::string text = dir.write("text.svg", svgText);
    const std::string valid = SavePicture(dir, "valid.png", Drawn(72, 14, [](int x, int y) {
                                              return Diagonals(x, y) ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
                                          }));
    // Noise fills the scan, so half the file is well inside it: Qt shows
    // what there is and greys the rest.
    const QByteArray jpeg =
        Encoded(Drawn(400, 200, [](int x, int y) { return qRgb(x * 7 % 256, y * 13 % 256, (x ^ y) & 0xFF); }),
                "JPEG");
    const std::string cut = dir.write("cut.jpg", jpeg.left(jpeg.size() / 2).toStdString());
    QByteArray png = Encoded(Drawn(72, 14, [](int x, int) { return qRgb(x, x, x); }), "PNG");
    for (qsizetype k = png.indexOf("IDAT") + 8; k < png.size() - 16; ++k)
        png[k] = static_cast<char>(png[k] ^ 0x5A);
    const std::string corrupt = dir.write("corrupt.png", png.toStdString());
    const std::string photo = dir.write("photo.png", "0A1B2C3D\r\n"); // text, which a content file would take
    const std::string broken = dir.write("broken.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\"><rect");
    const std::string cutSvg = dir.write("short.svg", "<svg");
    const std::string home = dir.path("home");
    std::filesystem::create_directories(home);

    const std::string refused = "\" is not a picture Velmora can read (";
    const std::string logoHex = ContentOf(72, 14, Diagonals) + "\n";
    const struct {
        const char* name;
        std::vector<std::string> args;
        Display display;
        int code;
        std::string out; // "*" for a drawing: 14 rows of content, not all white
        std::string err; // found in stderr; "" for none at all
    } cases[] = {
        {"SvgText", {"content", text, "--as", "logo"}, Display::AsGiven, kExitOk, "*", ""},
        {"SvgTextNoDisplay", {"content", text, "--as", "logo"}, Display::None, kExitOk, "*", ""},
        {"SvgTextUnreachableDisplay",
         {"content", text, "--as", "logo"},
         Display::Unreachable,
         kExitOk,
         "*",
         ""},
        {"SvgTextPreview", {"preview", text, "--as", "picture"}, Display::None, kExitOk, "", ""},
        {"SvgTextEms", {"content", text, "--as", "ems"}, Display::None, kExitOk, "", ""},
        {"SvgTextPdu", {"pdu", "group", kNumber, "--file", text}, Display::None, kExitOk, "", ""},
        {"SvgTextEmsPdu", {"pdu", "ems", kNumber, "--picture=" + text}, Display::None, kExitOk, "", ""},
        // Refused for the phone, but only once the picture is drawn.
        {"SvgTextSend",
         {"send", "--device", dir.path("no-port"), "group", kNumber, "--file", text},
         Display::None,
         kExitUnreachable,
         "",
         "Unable to open port"},
        {"CorruptPng",
         {"content", corrupt, "--as", "logo"},
         Display::None,
         kExitRefused,
         "",
         "corrupt.png" + refused},
        {"CutJpeg",
         {"content", cut, "--as", "picture"},
         Display::None,
         kExitRefused,
         "",
         "\"cut.jpg" + refused + "the JPEG picture in it is cut short)"},
        {"TextNamedPng",
         {"content", photo, "--as", "logo"},
         Display::None,
         kExitRefused,
         "",
         "velmora-cli: \"photo.png" + refused + "there is no PNG picture in it)"},
        {"TextNamedPngPreview",
         {"preview", photo, "--as", "group"},
         Display::None,
         kExitRefused,
         "",
         "photo.png" + refused},
        {"TextNamedPngPdu",
         {"pdu", "picture", kNumber, "--file", photo},
         Display::None,
         kExitRefused,
         "",
         "photo.png" + refused},
        {"TextNamedPngEms",
         {"pdu", "ems", kNumber, "--picture", photo},
         Display::None,
         kExitRefused,
         "",
         "photo.png" + refused},
        {"SvgThatDoesNotParse",
         {"content", broken, "--as", "logo"},
         Display::None,
         kExitRefused,
         "",
         "broken.svg" + refused},
        {"SvgCutShort",
         {"content", cutSvg, "--as", "picture"},
         Display::None,
         kExitRefused,
         "",
         "short.svg" + refused + "there is no SVG picture in it)"},
        {"ValidPng", {"content", valid, "--as", "logo"}, Display::None, kExitOk, logoHex, ""},
        // The commands that draw nothing make no GUI application.
        {"DecodeNeedsNoDisplay",
         {"decode", "0011000B916407281553F80000AA0AE8329BFD4697D9EC37"},
         Display::XcbNowhere,
         kExitOk,
         "",
         ""},
        {"RingtoneNeedsNoDisplay",
         {"content", tune, "--as", "ringtone"},
         Display::XcbNowhere,
         kExitOk,
         "Title = Beep\nTempo = 100\n024A3A51099595C004001318CAE922849562482000\n",
         ""},
        {"TextPduNeedsNoDisplay", {"pdu", "text", kNumber, "Hi"}, Display::XcbNowhere, kExitOk, "", ""},
        {"ValidPngAsGiven", {"content", valid, "--as", "group"}, Display::AsGiven, kExitOk, logoHex, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome r = RunCli(c.args, c.display, home);
        EXPECT_EQ(r.code, c.code) << r.err;
        if (c.err.empty()) {
            EXPECT_EQ(r.err, "");
        } else {
            EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        }
        if (c.code == kExitRefused) {
            EXPECT_EQ(r.out, "");
        } else if (c.out == "*") {
            EXPECT_EQ(r.out.size(), 72 * 14 / 4 + 1);
            EXPECT_NE(r.out.find_first_not_of("0\n"), std::string::npos) << "nothing drawn";
        } else if (!c.out.empty()) {
            EXPECT_EQ(r.out, c.out);
        }
    }
}

TEST_F(ContentCli, RefusalsAndUsageErrors) {
    const std::string badNol = dir.write("bad.nol", "nol and nothing else");
    const std::string empty = dir.write("empty.vol", "\r\n// Velmora Operator Logo File\r\n");
    const std::string deep = dir.write("deep.bmp", MakeBmp({.bitsPerPixel = 8}));
    // Named pipes behind every reader: each must be refused at once, not
    // wait for a writer that never comes.
    std::map<std::string, std::string> fifo;
    for (const char* name : {"pipe.bmp", "pipe.nol", "pipe.ngg", "pipe.vpm", "pipe.txt"}) {
        fifo[name] = dir.path(name);
        ASSERT_EQ(::mkfifo(fifo[name].c_str(), 0600), 0);
    }
    const std::string notRegular = "it is a FIFO, not a regular file";
    const struct {
        int (*command)(std::vector<std::string>, Io);
        std::vector<std::string> words;
        int code;
        const char* err;
    } cases[] = {
        {RunContent, {dir.path("none.bmp"), "--as", "logo"}, kExitRefused, "none.bmp"},
        {RunContent, {badNol, "--as", "logo"}, kExitRefused, "Invalid / Corrupt NOL File !"},
        {RunContent, {deep, "--as", "picture"}, kExitRefused, "Monochrome"},
        {RunContent, {tune, "--as", "ems"}, kExitRefused, "BMP"},
        {RunContent, {logo}, kExitUsage, "--as is required"},
        {RunContent, {logo, "--as"}, kExitUsage, "needs a value"},
        {RunContent, {logo, "--as", "void"}, kExitUsage, "--as must be"},
        {RunContent, {logo, tune, "--as", "logo"}, kExitUsage, "expected one FILE"},
        {RunContent, {logo, "--as", "logo", "--tall"}, kExitUsage, "unknown option --tall"},
        {RunContent,
         {logo, "--as", "logo", "--threshold", "256"},
         kExitUsage,
         "--threshold must be 0 to 255"},
        {RunPreview, {logo, "--as", "logo", "--threshold", "-1"}, kExitUsage, "--threshold must be 0 to 255"},
        {RunContent,
         {dir.write("cut.png", std::string("\x89PNG\r\n\x1A\n", 8) + std::string(40, 'x')), "--as", "logo"},
         kExitRefused,
         "not a picture Velmora can read"},
        {RunPreview, {tune, "--as", "ringtone"}, kExitUsage, "logo, group or picture"},
        {RunPreview, {badNol, "--as", "logo"}, kExitRefused, "Invalid / Corrupt NOL File !"},
        {RunPdu,
         {"logo", "--mcc", "510", "--nc", "10", kNumber, "--file", empty},
         kExitRefused,
         "holds no content"},
        {RunPdu,
         {"logo", "--mcc", "510", "--nc", "10", kNumber, "--file", badNol},
         kExitRefused,
         "Invalid / Corrupt NOL File !"},
        {RunPdu, {"group", kNumber, "FF", "--file", logo}, kExitUsage, "expected 1 argument"},
        {RunPdu, {"ringtone", kNumber, "--file", dir.path("none.txt")}, kExitRefused, "none.txt"},
        {RunPdu, {"ems", kNumber, "--picture", empty, "Hi"}, kExitRefused, "BMP"},
        {RunPdu, {"ems", kNumber, "--picture", deep}, kExitRefused, "Monochrome"},
        {RunContent, {fifo["pipe.bmp"], "--as", "logo"}, kExitRefused, notRegular.c_str()},
        {RunContent, {fifo["pipe.nol"], "--as", "logo"}, kExitRefused, notRegular.c_str()},
        {RunContent, {fifo["pipe.ngg"], "--as", "group"}, kExitRefused, notRegular.c_str()},
        {RunPreview, {fifo["pipe.vpm"], "--as", "picture"}, kExitRefused, notRegular.c_str()},
        {RunPdu, {"ringtone", kNumber, "--file", fifo["pipe.txt"]}, kExitRefused, notRegular.c_str()},
        {RunPdu, {"ems", kNumber, "--picture", fifo["pipe.bmp"]}, kExitRefused, notRegular.c_str()},
    };
    for (const auto& c : cases) {
        const Outcome r = Invoke(c.command, c.words);
        EXPECT_EQ(r.code, c.code) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
    EXPECT_EQ(Invoke(RunContent, {"--help"}).code, kExitOk);
}

// The file as the tab reads it, or the line itself: the WAV holds the
// tune's samples; what the encoder passes over is named by its character.
TEST_F(ContentCli, ToneWritesTheTuneAsAWavFile) {
    const std::string written = dir.path("out.wav");
    struct Case {
        std::string given;
        int code;
        const char* err;
    } cases[] = {
        {tune, kExitOk, ""},
        {"Beep:d=4,o=5,b=100:c,8e,p", kExitOk, ""},
        {"Beep:d=4,o=5,b=100:c,8e,x,p", kExitOk, "Character 25: \"x\" is not a note"},
        {dir.path("none.txt"), kExitRefused, "none.txt"},
        {"Quiet:d=4,o=5,b=100:,", kExitRefused, "no notes"},
    };
    const std::size_t beep = SynthesiseTune(*TuneOfLine("Beep:d=4,o=5,b=100:c,8e,p")).size();
    for (const Case& c : cases) {
        std::filesystem::remove(written);
        const Outcome r = Invoke(RunTone, {c.given, "--wav", written});
        EXPECT_EQ(r.code, c.code) << c.given << ": " << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        const std::size_t size = std::filesystem::exists(written) ? std::filesystem::file_size(written) : 0;
        EXPECT_EQ(size, c.code == kExitOk ? 44 + 2 * beep : 0) << c.given;
    }
    EXPECT_EQ(Invoke(RunTone, {tune, "--wav"}).code, kExitUsage);
}

} // namespace
} // namespace velmora::cli
