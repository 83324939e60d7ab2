// Any bytes as a BMP file: refused with a reason, or content of exactly the
// size the header gives, and a preview that never reaches past its area.

#include "Bitmap.h"
#include "FuzzCheck.h"
#include "Preview.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto bitmap = velmora::DecodeBitmap(bytes);
    if (!bitmap) {
        FUZZ_CHECK(!bitmap.error().empty());
        return 0;
    }
    FUZZ_CHECK(bitmap->width > 0 && bitmap->height > 0);
    const std::size_t rowOctets = (static_cast<std::size_t>(bitmap->width) + 7) / 8;
    FUZZ_CHECK(bitmap->content.size() == 2 * rowOctets * static_cast<std::size_t>(bitmap->height));
    FUZZ_CHECK(bitmap->content.empty() || IsPduText(bitmap->content));
    // The padding of a row's last octet is white.
    if (bitmap->width % 8 != 0) {
        const unsigned padMask = (1u << (8 - bitmap->width % 8)) - 1;
        for (std::size_t row = 0; row < static_cast<std::size_t>(bitmap->height); ++row) {
            const auto last = std::string_view(bitmap->content).substr((row + 1) * 2 * rowOctets - 2, 2);
            const unsigned octet = static_cast<unsigned>(std::stoul(std::string(last), nullptr, 16));
            FUZZ_CHECK((octet & padMask) == 0);
        }
    }
    const auto image = velmora::DrawPreview(bitmap->content, bitmap->height > 14, bitmap->width);
    for (int y = 0; y < velmora::PreviewImage::kHeight; ++y)
        for (int x = 0; x < velmora::PreviewImage::kWidth; ++x)
            if (x >= bitmap->width || y >= (bitmap->height > 14 ? 28 : 14))
                FUZZ_CHECK(!image.black(x, y));
    return 0;
}
