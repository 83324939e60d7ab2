#pragma once

// The "Screen Appearance" preview: bitmap content as the phone screen shows it.

#include <array>
#include <string_view>

namespace velmora {

struct PreviewImage {
    static constexpr int kWidth = 72;
    static constexpr int kHeight = 28;

    // pixels[y][x], true for black.
    std::array<std::array<bool, kWidth>, kHeight> pixels{};

    bool black(int x, int y) const { return pixels[y][x]; }
};

// Draws `content` into the top 14 rows, or all 28 when `tall`. `width` is the
// picture's width in pixels; 0 means content that carries none (NOL, NGG and
// content files), whose rows are 72 pixels long. Columns beyond the width,
// rows beyond `tall`, and pixels the content does not reach stay white.
PreviewImage DrawPreview(std::string_view content, bool tall, int width);

} // namespace velmora
