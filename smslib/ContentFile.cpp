#include "ContentFile.h"

#include "Words.h"

#include "FileIo.h"
#include "Strings.h"

namespace velmora {

namespace {

bool Contains(std::string_view s, std::string_view what) { return s.find(what) != std::string_view::npos; }

} // namespace

namespace {

const FileType kVol{VELMORA_WORDS("smslib/ContentFile", "Velmora Operator Logo Files"), {"*.VOL"}};
const FileType kVgg{VELMORA_WORDS("smslib/ContentFile", "Velmora Group Graphic Files"), {"*.VGG"}};
const FileType kVpm{VELMORA_WORDS("smslib/ContentFile", "Velmora Picture Message Files"), {"*.VPM"}};
const FileType kBmp{VELMORA_WORDS("smslib/ContentFile", "Monochrome Bitmap Files"), {"*.BMP"}};
const FileType kNol{VELMORA_WORDS("smslib/ContentFile", "NOL Operator Logo Files"), {"*.NOL"}};
const FileType kNgg{VELMORA_WORDS("smslib/ContentFile", "NGG Group Graphic Files"), {"*.NGG"}};
const FileType kRtttl{VELMORA_WORDS("smslib/ContentFile", "RTTTL Ringtone Files"), {"*.TXT"}};
const FileType kAll{VELMORA_WORDS("smslib/ContentFile", "All Files"), {"*.*"}};
const FileType kCompatible{VELMORA_WORDS("smslib/ContentFile", "All Compatible Files"), {}};

FileType Compatible(std::vector<std::string> patterns) {
    return {kCompatible.description, std::move(patterns)};
}

} // namespace

FileFilter OpenFilter(OpenCommand command) {
    switch (command) {
    case OpenCommand::BrowseLogo:
        return {{kVol, kBmp, kNol, Compatible({"*.VOL", "*.BMP", "*.NOL"}), kAll}, 4};
    case OpenCommand::BrowseGroup:
        return {{kVgg, kBmp, kNgg, Compatible({"*.VGG", "*.BMP", "*.NGG"}), kAll}, 4};
    case OpenCommand::BrowsePicture:
        return {{kVpm, kBmp, Compatible({"*.VPM", "*.BMP"}), kAll}, 3};
    case OpenCommand::BrowseRingtone:
        return {{kRtttl, kAll}, 1};
    case OpenCommand::AddPicture:
        return {{kBmp}, 1};
    case OpenCommand::FileOpen:
        break;
    }
    return {{{VELMORA_WORDS("smslib/ContentFile", "Operator Logo Files"), {"*.VOL", "*.BMP", "*.NOL"}},
             {VELMORA_WORDS("smslib/ContentFile", "Group Graphic Files"), {"*.VGG", "*.BMP", "*.NGG"}},
             {VELMORA_WORDS("smslib/ContentFile", "Picture Message Files"), {"*.VPM", "*.BMP"}},
             kRtttl},
            1};
}

std::optional<MessageKind> KindOfOpenFilter(int index) {
    constexpr MessageKind kinds[] = {MessageKind::Logo, MessageKind::Group, MessageKind::Picture,
                                     MessageKind::Ringtone};
    if (index < 1 || index > 4)
        return std::nullopt;
    return kinds[index - 1];
}

bool CanSaveAs(MessageKind kind) { return kind != MessageKind::Text; }

FileType ReceivedSaveType(MessageKind kind) {
    switch (kind) {
    case MessageKind::Logo:
        return kVol;
    case MessageKind::Group:
        return kVgg;
    case MessageKind::Picture:
        return kVpm;
    default:
        return kRtttl;
    }
}

std::string WithExtensionOf(const FileType& type, std::string_view chosen) {
    const std::string extension = type.patterns.front().substr(1); // "*.VOL" gives ".VOL"
    const std::string u = Upper(chosen);
    if (u.size() >= extension.size() &&
        u.compare(u.size() - extension.size(), extension.size(), extension) == 0)
        return std::string(chosen);
    return std::string(chosen) + extension;
}

std::optional<std::vector<FileType>> SaveFilter(MessageKind kind, std::string_view label) {
    const std::string u = Upper(FileNameOf(label));
    switch (kind) {
    case MessageKind::Logo:
        if (Contains(u, ".BMP"))
            return {{kVol, kBmp}};
        if (Contains(u, ".NOL"))
            return {{kVol, kNol}};
        if (Contains(u, ".VOL"))
            return {{kVol}};
        return std::nullopt;
    case MessageKind::Group:
        if (Contains(u, ".BMP"))
            return {{kVgg, kBmp}};
        if (Contains(u, ".NGG"))
            return {{kVgg, kNgg}};
        if (Contains(u, ".VGG"))
            return {{kVgg}};
        return std::nullopt;
    case MessageKind::Picture:
        if (Contains(u, ".BMP"))
            return {{kVpm, kBmp}};
        if (Contains(u, ".VPM"))
            return {{kVpm}};
        return std::nullopt;
    case MessageKind::Ringtone:
        return {{kRtttl}};
    default:
        return std::nullopt;
    }
}

std::string SaveExtension(MessageKind kind, int filterIndex, std::string_view label) {
    const bool bmp = Contains(Upper(FileNameOf(label)), ".BMP");
    if (kind == MessageKind::Logo)
        return filterIndex == 1 ? ".VOL" : filterIndex == 2 ? (bmp ? ".BMP" : ".NOL") : "";
    if (kind == MessageKind::Group)
        return filterIndex == 1 ? ".VGG" : filterIndex == 2 ? (bmp ? ".BMP" : ".NGG") : "";
    return "";
}

std::string SaveDestination(MessageKind kind, int filterIndex, std::string_view chosen,
                            std::string_view label) {
    const std::string extension = SaveExtension(kind, filterIndex, label);
    const std::string u = Upper(chosen);
    if (u.size() >= extension.size() &&
        u.compare(u.size() - extension.size(), extension.size(), extension) == 0)
        return std::string(chosen);
    return std::string(chosen) + extension;
}

std::string ContentFileText(std::string_view hex, std::string_view title) {
    // Only the first line is read back, up to its first CR or byte 26: line
    // breaks wrapped into the memo must not cut the content short there.
    std::string line;
    for (char c : hex)
        if (c != '\r' && c != '\n' && c != '\x1A')
            line += c;
    return line + "\r\n// " + std::string(title) + "\r\n// " + kHomePage + "\r\n";
}

Result<std::string> WriteContentFile(const std::string& path, std::string_view hex, std::string_view title) {
    auto written = WriteFileAtomically(path, ContentFileText(hex, title));
    if (!written && !path.empty())
        return Result<std::string>::Fail(CannotWrite(path, written.error()));
    return written;
}

SavePlan PlanSaveContentAs(std::string_view source, std::string_view destination, const ContentMemos& memos) {
    const std::string s = Upper(FileNameOf(source)), d = Upper(FileNameOf(destination));
    struct Kind {
        const char* extension;
        const std::string& memo;
        const char* title;
    };
    const Kind kinds[] = {{".VOL", memos.logo, kLogoFileTitle},
                          {".VGG", memos.group, kGroupFileTitle},
                          {".VPM", memos.picture, kPictureFileTitle}};
    for (const auto& k : kinds)
        if (Contains(d, k.extension)) {
            if (Contains(s, k.extension))
                return {};
            return {false, k.memo, k.title};
        }
    return {};
}

Result<std::string> SaveContentAs(const std::string& source, const std::string& destination,
                                  const ContentMemos& memos) {
    const SavePlan plan = PlanSaveContentAs(source, destination, memos);
    if (plan.copy)
        return CopyFileAtomically(source, destination);
    return WriteContentFile(destination, plan.hex, plan.title);
}

} // namespace velmora
