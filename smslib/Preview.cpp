#include "Preview.h"

#include "Primitives.h"

#include <algorithm>
#include <string>

namespace velmora {

PreviewImage DrawPreview(std::string_view content, bool tall, int width) {
    PreviewImage image;
    const std::string bits = HexToBits(content);
    if (width <= 0)
        width = PreviewImage::kWidth;
    const int rows = tall ? PreviewImage::kHeight : 14;
    const int columns = std::min(width, PreviewImage::kWidth);
    // A row narrower than the screen fills whole octets, its last one padded.
    // A wider picture is read in rows of 72 pixels one after the other, as
    // the phone reads a 72-pixel-wide bitmap, so what shows is what arrives.
    const std::size_t rowBits =
        width >= PreviewImage::kWidth ? PreviewImage::kWidth : static_cast<std::size_t>((width + 7) / 8 * 8);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < columns; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * rowBits + static_cast<std::size_t>(x);
            image.pixels[y][x] = at < bits.size() && bits[at] == '1';
        }
    return image;
}

} // namespace velmora
