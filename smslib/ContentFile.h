#pragma once

// The program's own content files (.VOL operator logos, .VGG group graphics,
// .VPM picture messages) and the decisions behind File > Open and
// File > Save As, as functions of paths and texts: the window only shows the
// dialogs and applies what these give.

#include "Bitmap.h"
#include "Result.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

constexpr const char* kHomePage = "https://velmora.org";
constexpr const char* kLogoFileTitle = "Velmora Operator Logo File";
constexpr const char* kGroupFileTitle = "Velmora Group Graphic File";
constexpr const char* kPictureFileTitle = "Velmora Picture Message File";

// One entry of a file dialog's list: what the files are, and the name
// patterns that take them ("*.VOL"; "*.*" is any name).
struct FileType {
    std::string description;
    std::vector<std::string> patterns;
    bool operator==(const FileType&) const = default;
};

// A file dialog's list, and the entry (from 1) selected when it opens.
struct FileFilter {
    std::vector<FileType> types;
    int index = 1;
};

enum class OpenCommand { BrowseLogo, BrowseGroup, BrowsePicture, BrowseRingtone, AddPicture, FileOpen };

FileFilter OpenFilter(OpenCommand command);
// The tab File > Open loads into, by the filter the user ended with.
std::optional<MessageKind> KindOfOpenFilter(int index);

// Save As does nothing on the Text SMS tab.
bool CanSaveAs(MessageKind kind);
// The save dialog's filter for the tab and the file label; empty when the
// dialog keeps the filter of its previous use. Like the extension below and
// the save plan, it goes by the letters of the file's own name, not of the
// folders above it.
std::optional<std::vector<FileType>> SaveFilter(MessageKind kind, std::string_view label);
std::string SaveExtension(MessageKind kind, int filterIndex, std::string_view label);
// The chosen name with the extension appended, unless it already ends with
// it in any case.
std::string SaveDestination(MessageKind kind, int filterIndex, std::string_view chosen,
                            std::string_view label);

// What content that came in a message is saved as, having no file of its
// own to copy: the kind's content file, or an RTTTL line for a tune.
FileType ReceivedSaveType(MessageKind kind);
// `chosen` with the type's extension appended unless it ends with it in any case.
std::string WithExtensionOf(const FileType& type, std::string_view chosen);

// The three lines of a content file, each ended by CR LF.
std::string ContentFileText(std::string_view hex, std::string_view title);
// Replaces `path` whole or not at all; gives `path`.
Result<std::string> WriteContentFile(const std::string& path, std::string_view hex, std::string_view title);

// What the content memos hold at the moment of saving.
struct ContentMemos {
    std::string logo;
    std::string group;
    std::string picture;
};

struct SavePlan {
    bool copy = true; // copy the loaded file; otherwise write a content file
    std::string hex;
    std::string title;
};

// The destination's extension decides, not the current tab: a content file
// name is written from its memo unless the loaded file is one of the same
// kind, which is copied; any other name is a copy of the loaded file.
SavePlan PlanSaveContentAs(std::string_view source, std::string_view destination, const ContentMemos& memos);
// Carries out the plan; gives the new file label (the destination). On
// failure the label stays as it was.
Result<std::string> SaveContentAs(const std::string& source, const std::string& destination,
                                  const ContentMemos& memos);

} // namespace velmora
