// Any bytes as a NOL (or NGG) file: refused unless the letters are there,
// otherwise the content of the pixel characters that follow the header.

#include "Bitmap.h"
#include "FuzzCheck.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#ifdef FUZZ_NOL
constexpr std::string_view kLetters = "NOL";
constexpr std::size_t kPixelsAt = 20;
#define DECODE velmora::DecodeNol
#else
constexpr std::string_view kLetters = "NGG";
constexpr std::size_t kPixelsAt = 16;
#define DECODE velmora::DecodeNgg
#endif

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto content = DECODE(bytes);
    const std::size_t pixels = size > kPixelsAt ? std::min<std::size_t>(size - kPixelsAt, 1008) : 0;
    const bool readable = bytes.substr(0, 3) == kLetters && pixels >= 8;
    FUZZ_CHECK(content.ok() == readable);
    if (!content) {
        FUZZ_CHECK(!content.error().empty());
        return 0;
    }
    FUZZ_CHECK(IsPduText(*content));
    FUZZ_CHECK(content->size() == pixels / 8 * 2);
    // A black pixel only where the file has a "1".
    for (std::size_t k = 0; k < content->size() * 4; ++k) {
        const char digit = (*content)[k / 4];
        const int value = digit <= '9' ? digit - '0' : digit - 'A' + 10;
        const bool black = (value >> (3 - k % 4)) & 1;
        FUZZ_CHECK(black == (bytes[kPixelsAt + k] == '1'));
    }
    return 0;
}
