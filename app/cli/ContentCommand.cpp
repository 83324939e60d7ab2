// "content" and "preview": what loading a file into a tab of the window gives.

#include "Cli.h"

#include "ImageImport.h"
#include "Options.h"
#include "SMSLibU.h"
#include "Said.h"

#include <optional>
#include <ostream>

namespace velmora::cli {

namespace {

std::string ContentUsage() {
    return translate(
        "content",
        "usage: velmora-cli content FILE --as logo|group|picture|ringtone|ems [--threshold N] [--dither]\n"
        "       velmora-cli preview FILE --as logo|group|picture [--threshold N] [--dither]\n"
        "\n"
        "content prints the hex content the tab would hold (for a ringtone after its\n"
        "\"Title = \" and \"Tempo = \" lines, for ems the picture tag); preview prints the\n"
        "72 x 28 screen as 28 lines, \"#\" black and \".\" white.\n"
        "The file is read as that tab reads it: a file name containing BMP is a bitmap,\n"
        "NOL (logo) or NGG (group) a logo file, anything else a content file; the\n"
        "folders above the file do not count.\n"
        "Any other picture (PNG, JPEG, GIF, BMP of any depth, SVG) is scaled to fit the\n"
        "tab (72 x 14, 72 x 28 for a picture, at most 32 x 32 for ems) keeping its\n"
        "proportions, centred on white, and made black and white:\n"
        "  --threshold N  grey levels below N (0-255, default 128) become black\n"
        "  --dither       spread each pixel's error to its neighbours (Floyd-Steinberg)\n");
}

std::optional<MessageKind> BitmapKind(const std::string& kind) {
    if (kind == "logo")
        return MessageKind::Logo;
    if (kind == "group")
        return MessageKind::Group;
    if (kind == "picture")
        return MessageKind::Picture;
    return std::nullopt;
}

struct Request {
    std::string path;
    std::string kind;
    ConvertOptions options;
};

std::optional<int> ThresholdOf(const std::string& text) {
    if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const int n = std::stoi(text);
    return n <= 255 ? std::optional(n) : std::nullopt;
}

std::variant<Request, Failure> ParseRequest(const std::string& command, const std::vector<std::string>& words,
                                            bool ringtoneAndEms) {
    const CommandLine args(words, {{"--as", true}, {"--threshold", true}, {"--dither"}}, kCommandWords);
    const auto kind = args.value("--as");
    const auto threshold = args.value("--threshold");
    const bool dither = args.has("--dither");
    if (const GivenWord* unknown = args.first(GivenWord::Unknown))
        return Failure{kExitUsage,
                       Fill(translate("content", "%1: unknown option %2"), {command, unknown->word})};
    if (const GivenWord* missing = args.first(GivenWord::MissingValue))
        return Failure{kExitUsage,
                       Fill(translate("content", "%1: %2 needs a value"), {command, missing->option})};
    const auto files = args.positional();
    if (files.size() != 1)
        return Failure{kExitUsage, Fill(translate("content", "%1: expected one FILE, got %2"),
                                        {command, std::to_string(files.size())})};
    if (!kind)
        return Failure{kExitUsage, Fill(translate("content", "%1: --as is required"), {command})};
    const bool known = BitmapKind(*kind) || (ringtoneAndEms && (*kind == "ringtone" || *kind == "ems"));
    if (!known)
        return Failure{
            kExitUsage,
            Fill(ringtoneAndEms
                     ? translate("content",
                                 "%1: --as must be logo, group, picture, ringtone or ems, not \"%2\"")
                     : translate("content", "%1: --as must be logo, group or picture, not \"%2\""),
                 {command, *kind})};
    ConvertOptions options;
    options.dither = dither;
    if (threshold) {
        const auto n = ThresholdOf(*threshold);
        if (!n)
            return Failure{kExitUsage,
                           Fill(translate("content", "%1: --threshold must be 0 to 255, not \"%2\""),
                                {command, *threshold})};
        options.threshold = *n;
    }
    return Request{files[0], *kind, options};
}

} // namespace

std::variant<std::string, Failure> ContentFromFile(const std::string& kind, const std::string& path) {
    std::string content;
    if (kind == "ringtone") {
        auto tune = ReadRingtoneFile(path);
        if (!tune)
            return Failure{kExitRefused, tune.error()};
        content = tune->content;
    } else if (const auto bitmapKind = BitmapKind(kind)) {
        auto loaded = LoadAnyTabContent(*bitmapKind, path, {});
        if (!loaded)
            return Failure{kExitRefused, loaded.error()};
        content = loaded->loaded.content;
    } else {
        return Failure{kExitUsage, Fill(translate("content", "no %1 content comes from a file"), {kind})};
    }
    if (content.empty())
        return Failure{kExitRefused, Fill(translate("content", "\"%1\" holds no content"), {path})};
    return content;
}

namespace {

std::variant<std::string, Failure> EmsTagFromFile(const std::string& path, const ConvertOptions& options) {
    auto picture = LoadAnyEmsPicture(path, options);
    if (!picture)
        return Failure{kExitRefused, picture.error()};
    return picture->tag;
}

} // namespace

std::variant<std::string, Failure> EmsPictureFromFile(const std::string& path) {
    return EmsTagFromFile(path, {});
}

int RunContent(std::vector<std::string> words, Io io) {
    if (IsHelp(words)) {
        io.out << ContentUsage();
        return kExitOk;
    }
    auto request = ParseRequest("content", words, true);
    if (auto* f = std::get_if<Failure>(&request))
        return Report(*f, io, ContentUsage());
    const auto& r = std::get<Request>(request);
    if (r.kind == "ringtone") {
        auto tune = ReadRingtoneFile(r.path);
        if (!tune)
            return Report({kExitRefused, tune.error()}, io);
        io.out << "Title = " << tune->title << "\nTempo = " << tune->tempoText << '\n'
               << tune->content << '\n';
        return kExitOk;
    }
    if (r.kind == "ems") {
        auto tag = EmsTagFromFile(r.path, r.options);
        if (auto* f = std::get_if<Failure>(&tag))
            return Report(*f, io);
        io.out << std::get<std::string>(tag) << '\n';
        return kExitOk;
    }
    auto loaded = LoadAnyTabContent(*BitmapKind(r.kind), r.path, r.options);
    if (!loaded)
        return Report({kExitRefused, loaded.error()}, io);
    io.out << loaded->loaded.content << '\n';
    return kExitOk;
}

int RunPreview(std::vector<std::string> words, Io io) {
    if (IsHelp(words)) {
        io.out << ContentUsage();
        return kExitOk;
    }
    auto request = ParseRequest("preview", words, false);
    if (auto* f = std::get_if<Failure>(&request))
        return Report(*f, io, ContentUsage());
    const auto& r = std::get<Request>(request);
    auto picture = LoadAnyTabContent(*BitmapKind(r.kind), r.path, r.options);
    if (!picture)
        return Report({kExitRefused, picture.error()}, io);
    const LoadedContent& loaded = picture->loaded;
    const PreviewImage image = DrawPreview(loaded.content, loaded.tall, loaded.previewWidth);
    for (int y = 0; y < PreviewImage::kHeight; ++y) {
        std::string line(PreviewImage::kWidth, '.');
        for (int x = 0; x < PreviewImage::kWidth; ++x)
            if (image.black(x, y))
                line[x] = '#';
        io.out << line << '\n';
    }
    return kExitOk;
}

} // namespace velmora::cli
