#pragma once

// Any picture as bitmap content: a grey-level image fitted into the size a
// tab sends (proportions kept, centred on white) and turned into black and
// white by a threshold, optionally with Floyd-Steinberg error diffusion.
// The content follows Bitmap.h: rows top first, 8 pixels per octet, the
// leftmost pixel in the most significant bit, 1 = black.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// Grey levels row by row, 0 black to 255 white.
struct GreyImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> grey;

    std::uint8_t at(int x, int y) const { return grey[static_cast<std::size_t>(y) * width + x]; }
};

struct ConvertOptions {
    int threshold = 128; // a grey level below it is black
    bool dither = false;
};

struct PictureSize {
    int width = 0;
    int height = 0;
    bool operator==(const PictureSize&) const = default;
};

// The largest size with the source's proportions inside `box`, at least one
// pixel each way.
PictureSize FittedSize(int width, int height, PictureSize box);

// The source scaled to `size` by averaging the area each target pixel
// covers. A source of that size already is returned unchanged.
GreyImage ScalePicture(const GreyImage& source, PictureSize size);

// The source scaled into `box` keeping its proportions and centred on a
// white `box`.
GreyImage FitPicture(const GreyImage& source, PictureSize box);

// Black and white content of a picture that is already the size it is sent
// at.
std::string ThresholdPicture(const GreyImage& fitted, const ConvertOptions& options);

// FitPicture into width x height, then ThresholdPicture.
std::string ConvertPicture(const GreyImage& grey, int width, int height, const ConvertOptions& options);

// A 1-bit uncompressed BMP (white at index 0, black at 1, rows bottom first)
// of content in the form above; DecodeBitmap reads it back unchanged.
std::string EncodeBitmap(int width, int height, std::string_view content);

} // namespace velmora
