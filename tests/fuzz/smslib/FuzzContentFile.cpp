// Any bytes as a .VOL/.VGG/.VPM file: the first line, normalised, is hex
// content; saving it and loading it again gives the same content; the preview
// stays inside the rows it is asked for.

#include "Bitmap.h"
#include "ContentFile.h"
#include "FuzzCheck.h"
#include "Preview.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string line = velmora::FirstLineOf(bytes);
    FUZZ_CHECK(bytes.substr(0, line.size()) == line);
    FUZZ_CHECK(line.find_first_of(std::string_view("\r\n\x1A", 3)) == std::string::npos);

    const std::string content = velmora::NormaliseContentHex(line);
    FUZZ_CHECK(content.empty() || IsPduText(content));
    FUZZ_CHECK(velmora::NormaliseContentHex(content) == content);

    // What the memo holds, saved and read back, loads as the same content.
    const std::string saved = velmora::ContentFileText(line, velmora::kPictureFileTitle);
    FUZZ_CHECK(velmora::NormaliseContentHex(velmora::FirstLineOf(saved)) == content);

    const bool tall = size > 0 && (data[0] & 1);
    const int width = size > 1 ? data[1] : 0;
    const auto image = velmora::DrawPreview(content, tall, width);
    for (int y = tall ? 28 : 14; y < velmora::PreviewImage::kHeight; ++y)
        for (int x = 0; x < velmora::PreviewImage::kWidth; ++x)
            FUZZ_CHECK(!image.black(x, y));
    return 0;
}
