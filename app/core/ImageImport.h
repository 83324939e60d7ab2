#pragma once

// Pictures of any format Qt reads here (PNG, JPEG, GIF, BMP of any depth,
// SVG, ...) into the content tabs, beside the readers of Bitmap.h: a file
// those readers take is read by them as ever; only one they refuse or do
// not take, and Qt recognises as a picture, is decoded and converted.

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

// Whether Qt recognises the file's bytes (not its name) as a picture.
bool IsPictureFile(const std::string& path);

// The picture as grey levels (transparent counted as white), decoded at no
// more than a few times `box` when the format can decode smaller (JPEG,
// SVG), so a photo is not decoded whole to make 72 x 14 pixels.
Result<GreyImage> ReadPictureFile(const std::string& path, PictureSize box);

// The source fitted to a tab, as the slider re-converts it.
GreyImage FitToTab(const GreyImage& source, MessageKind kind);

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
