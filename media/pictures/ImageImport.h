#pragma once

// Pictures of any format Qt reads here (PNG, JPEG, GIF, BMP of any depth,
// SVG, ...) into the content tabs, beside the readers of Bitmap.h: a file
// those readers take is read by them as ever; only one they refuse or do
// not take, and Qt recognises as a picture, is decoded and converted. A
// file named as a picture that Qt cannot read is refused as one, not read
// as a content file.

#include "Bitmap.h"
#include "MessageKind.h"
#include "PictureConvert.h"
#include "Result.h"

#include <optional>
#include <string>

namespace velmora {

// Decoding stops at pictures above this many pixels, and at this much
// memory for one decoded picture.
constexpr long long kMaxPicturePixels = 100'000'000;
constexpr int kPictureAllocationMiB = 512;
constexpr std::size_t kMaxPictureFileBytes = 64 << 20;

// The size a tab sends a converted picture at: 72 x 14, 72 x 28 for a
// picture message, and at most 32 x 32 (the EMS large picture) for EMS,
// which sends a picture at its own size.
PictureSize PictureBox(MessageKind kind);

// Whether Qt recognises the file's first bytes (not its name) as a picture;
// whether it holds a whole one is for the load to find.
bool IsPictureFile(const std::string& path);

// Whether the file's name ends in the name of a format Qt reads here
// ("photo.png", "LOGO.SVG"): such a file is loaded as a picture or refused,
// never read as a content file.
bool IsPictureName(const std::string& path);

struct TabPicture {
    LoadedContent loaded;
    // The converted picture's grey levels at the size it is sent; none for
    // a file the existing readers took.
    std::optional<GreyImage> fitted;
};

// A file into a logo, group graphic or picture message tab.
Result<TabPicture> LoadAnyTabContent(MessageKind kind, const std::string& path,
                                     const ConvertOptions& options);

struct EmsPicture {
    std::string tag;
    std::optional<GreyImage> fitted;
};

// A file as the EMS picture tag.
Result<EmsPicture> LoadAnyEmsPicture(const std::string& path, const ConvertOptions& options);

// The content as a black-and-white PNG, written whole or not at all; gives
// `path`.
Result<std::string> WritePicturePng(const std::string& path, int width, int height,
                                    const std::string& content);

} // namespace velmora
