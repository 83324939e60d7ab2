#include "ContentFile.h"

#include "FileIo.h"
#include "Strings.h"

namespace velmora {

namespace {

bool Contains(std::string_view s, std::string_view what) { return s.find(what) != std::string_view::npos; }

} // namespace

FileFilter OpenFilter(OpenCommand command) {
    switch (command) {
    case OpenCommand::BrowseLogo:
        return {
            "Velmora Operator Logo Files|*.VOL|Monochrome Bitmap Files|*.BMP|NOL Operator Logo Files|*.NOL|"
            "All Compatible Files|*.VOL;*.BMP;*.NOL|All Files (*.*)|*.*",
            4};
    case OpenCommand::BrowseGroup:
        return {
            "Velmora Group Graphic Files|*.VGG|Monochrome Bitmap Files|*.BMP|NGG Group Graphic Files|*.NGG|"
            "All Compatible Files|*.VGG;*.BMP;*.NGG|All Files (*.*)|*.*",
            4};
    case OpenCommand::BrowsePicture:
        return {"Velmora Picture Message Files|*.VPM|Monochrome Bitmap Files|*.BMP|"
                "All Compatible Files|*.VPM;*.BMP|All Files (*.*)|*.*",
                3};
    case OpenCommand::BrowseRingtone:
        return {"RTTTL Ringtone Files|*.TXT|All Files|*.*", 1};
    case OpenCommand::AddPicture:
        return {"Monochrome Bitmap Files|*.BMP", 1};
    case OpenCommand::FileOpen:
        break;
    }
    return {"Operator Logo Files|*.VOL;*.BMP;*.NOL|Group Graphic Files|*.VGG;*.BMP;*.NGG|"
            "Picture Message Files|*.VPM;*.BMP|RTTTL Ringtone Files|*.TXT",
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

std::optional<std::string> SaveFilter(MessageKind kind, std::string_view label) {
    const std::string u = Upper(FileNameOf(label));
    switch (kind) {
    case MessageKind::Logo:
        if (Contains(u, ".BMP"))
            return "Velmora Operator Logo Files (*.VOL)|*.VOL|Monochrome Bitmap Files (*.BMP)|*.BMP";
        if (Contains(u, ".NOL"))
            return "Velmora Operator Logo Files (*.VOL)|*.VOL|NOL Operator Logo Files (*.NOL)|*.NOL";
        if (Contains(u, ".VOL"))
            return "Velmora Operator Logo Files (*.VOL)|*.VOL";
        return std::nullopt;
    case MessageKind::Group:
        if (Contains(u, ".BMP"))
            return "Velmora Group Graphic Files (*.VGG)|*.VGG|Monochrome Bitmap Files (*.BMP)|*.BMP";
        if (Contains(u, ".NGG"))
            return "Velmora Group Graphic Files (*.VGG)|*.VGG|NGG Group Graphic Files (*.NGG)|*.NGG";
        if (Contains(u, ".VGG"))
            return "Velmora Group Graphic Files (*.VGG)|*.VGG";
        return std::nullopt;
    case MessageKind::Picture:
        if (Contains(u, ".BMP"))
            return "Velmora Picture Message Files (*.VPM)|*.VPM|Monochrome Bitmap Files (*.BMP)|*.BMP";
        if (Contains(u, ".VPM"))
            return "Velmora Picture Message Files (*.VPM)|*.VPM";
        return std::nullopt;
    case MessageKind::Ringtone:
        return "RTTTL Ringtone Files (*.TXT)|*.TXT";
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
