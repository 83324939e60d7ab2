#include "Bitmap.h"

#include "Words.h"

#include "EmsPdu.h"
#include "FileIo.h"
#include "Primitives.h"
#include "Strings.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>

namespace velmora {

namespace {

constexpr const char* kCorruptBmp = VELMORA_WORDS("smslib/Bitmap", "Invalid / Corrupt BMP File !");
constexpr const char* kNotMonochrome =
    VELMORA_WORDS("smslib/Bitmap", "Not a Monochrome BMP File (1 bit per pixel) !");
constexpr const char* kCompressed =
    VELMORA_WORDS("smslib/Bitmap", "Compressed BMP Files are not supported !");
constexpr const char* kCorruptNol = VELMORA_WORDS("smslib/Bitmap", "Invalid / Corrupt NOL File !");
constexpr const char* kCorruptNgg = VELMORA_WORDS("smslib/Bitmap", "Invalid / Corrupt NGG File !");

constexpr std::size_t kLogoPixels = 72 * 14;
constexpr std::size_t kNolPixelsAt = 20;
constexpr std::size_t kNggPixelsAt = 16;
constexpr int kRowPixels = 72; // the phone screen, and every NOL/NGG/content-file row

std::string TooLarge(const std::string& path) {
    return Fill(VELMORA_WORDS("smslib/Bitmap", "The file \"%1\" is larger than 1 MiB !"), {path});
}

std::uint32_t U16(std::string_view b, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8;
}

std::uint32_t U32(std::string_view b, std::size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }

std::int64_t I32(std::string_view b, std::size_t at) { return static_cast<std::int32_t>(U32(b, at)); }

// Perceived brightness of a colour table entry stored blue, green, red.
int Luminance(std::string_view b, std::size_t at) {
    const auto c = [&](std::size_t k) { return static_cast<unsigned char>(b[at + k]); };
    return 114 * c(0) + 587 * c(1) + 299 * c(2);
}

Result<std::string> DecodeLogoFile(std::string_view bytes, std::string_view letters, std::size_t pixelsAt,
                                   const char* refusal) {
    if (bytes.substr(0, 3) != letters)
        return Result<std::string>::Fail(refusal);
    const std::string_view pixels = bytes.size() > pixelsAt ? bytes.substr(pixelsAt, kLogoPixels) : "";
    std::string content = BitsToHex(pixels); // "1" black, any other character white
    if (content.empty())
        return Result<std::string>::Fail(refusal);
    return Result<std::string>::Ok(std::move(content));
}

Result<std::string> ReadLogoFile(const std::string& path, std::size_t pixelsAt,
                                 Result<std::string> (*decode)(std::string_view)) {
    const auto read = ReadFilePrefixOrRefusal(path, pixelsAt + kLogoPixels);
    if (!read)
        return Result<std::string>::Fail(read.error());
    return decode(read->bytes);
}

} // namespace

std::string FirstLineOf(std::string_view bytes) {
    return std::string(bytes.substr(0, bytes.find_first_of(std::string_view("\r\n\x1A", 3))));
}

Result<std::string> ReadFirstLine(const std::string& path) {
    const auto read = ReadFilePrefixOrRefusal(path, kMaxContentFileBytes);
    if (!read)
        return Result<std::string>::Fail(read.error());
    // A byte-order mark left by a Windows editor is not text: kept, it would
    // become three characters of a ringtone's title.
    std::string_view bytes = read->bytes;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    std::string line = FirstLineOf(bytes);
    if (read->truncated && line.size() == bytes.size())
        return Result<std::string>::Fail(TooLarge(path));
    return Result<std::string>::Ok(std::move(line));
}

Result<Bitmap> DecodeBitmap(std::string_view b) {
    using R = Result<Bitmap>;
    if (b.size() > kMaxContentFileBytes)
        return R::Fail(VELMORA_WORDS("smslib/Bitmap", "The BMP File is larger than 1 MiB !"));
    if (b.size() < 26 || b.substr(0, 2) != "BM")
        return R::Fail(kCorruptBmp);

    const std::uint64_t dataOffset = U32(b, 10);
    const std::uint64_t headerSize = U32(b, 14);
    std::int64_t width = 0, height = 0;
    std::uint32_t bitsPerPixel = 0, compression = 0;
    std::size_t entrySize = 4;
    if (headerSize == 12) { // the OS/2 core header: 16-bit sizes, 3-byte colours
        width = U16(b, 18);
        height = U16(b, 20);
        bitsPerPixel = U16(b, 24);
        entrySize = 3;
    } else if (headerSize >= 40 && 14 + headerSize <= b.size()) {
        width = I32(b, 18);
        height = I32(b, 22);
        bitsPerPixel = U16(b, 28);
        compression = U32(b, 30);
    } else {
        return R::Fail(kCorruptBmp);
    }
    if (bitsPerPixel != 1)
        return R::Fail(kNotMonochrome);
    if (compression != 0)
        return R::Fail(kCompressed);
    if (width <= 0 || height == 0)
        return R::Fail(kCorruptBmp);

    // Whichever entry is darker is black; some editors put white first.
    const std::uint64_t table = 14 + headerSize;
    if (table + 2 * entrySize > dataOffset || dataOffset > b.size())
        return R::Fail(kCorruptBmp);
    const int lum0 = Luminance(b, table), lum1 = Luminance(b, table + entrySize);
    constexpr int kMidGrey = 128 * 1000;
    const std::array<bool, 2> black{lum0 < lum1 || (lum0 == lum1 && lum0 < kMidGrey),
                                    lum1 < lum0 || (lum0 == lum1 && lum1 < kMidGrey)};

    const bool topDown = height < 0;
    const std::uint64_t rows = static_cast<std::uint64_t>(topDown ? -height : height);
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) + 31) / 32 * 4;
    if ((b.size() - dataOffset) / stride < rows)
        return R::Fail(kCorruptBmp);

    const std::size_t rowOctets = (static_cast<std::size_t>(width) + 7) / 8;
    Bitmap bitmap;
    bitmap.width = static_cast<int>(width);
    bitmap.height = static_cast<int>(rows);
    bitmap.content.reserve(2 * rowOctets * rows);
    for (std::uint64_t y = 0; y < rows; ++y) {
        const std::uint64_t stored = topDown ? y : rows - 1 - y;
        const std::string_view row = b.substr(dataOffset + stored * stride, rowOctets);
        for (std::size_t k = 0; k < rowOctets; ++k) {
            const auto in = static_cast<unsigned char>(row[k]);
            int out = 0;
            for (int bit = 0; bit < 8; ++bit) {
                const bool inside = static_cast<std::int64_t>(8 * k) + bit < width;
                const bool set = inside && black[(in >> (7 - bit)) & 1];
                out = out << 1 | (set ? 1 : 0);
            }
            bitmap.content += ByteToHex(out);
        }
    }
    return R::Ok(std::move(bitmap));
}

Result<Bitmap> ReadBitmapFile(const std::string& path) {
    const auto read = ReadFilePrefixOrRefusal(path, kMaxContentFileBytes);
    if (!read)
        return Result<Bitmap>::Fail(read.error());
    if (read->truncated)
        return Result<Bitmap>::Fail(TooLarge(path));
    return DecodeBitmap(read->bytes);
}

Result<std::string> DecodeNol(std::string_view bytes) {
    return DecodeLogoFile(bytes, "NOL", kNolPixelsAt, kCorruptNol);
}

Result<std::string> DecodeNgg(std::string_view bytes) {
    return DecodeLogoFile(bytes, "NGG", kNggPixelsAt, kCorruptNgg);
}

Result<std::string> ReadNolFile(const std::string& path) {
    return ReadLogoFile(path, kNolPixelsAt, DecodeNol);
}

Result<std::string> ReadNggFile(const std::string& path) {
    return ReadLogoFile(path, kNggPixelsAt, DecodeNgg);
}

Result<std::string> ReadContentFile(const std::string& path) { return ReadFirstLine(path); }

std::string NormaliseContentHex(std::string_view s) {
    std::string hex;
    hex.reserve(s.size() + 1);
    for (char c : Upper(s))
        if (IsHexDigit(c))
            hex += c;
    if (hex.size() % 2 != 0)
        hex.insert(hex.begin(), '0');
    return hex;
}

std::string_view FileNameOf(std::string_view path) {
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

ContentReader ChooseReader(MessageKind kind, std::string_view path) {
    const std::string u = Upper(FileNameOf(path));
    const auto has = [&](const char* letters) { return u.find(letters) != std::string::npos; };
    switch (kind) {
    case MessageKind::Logo:
        return has("BMP")   ? ContentReader::Bitmap
               : has("NOL") ? ContentReader::Nol
                            : ContentReader::ContentFile;
    case MessageKind::Group:
        return has("BMP")   ? ContentReader::Bitmap
               : has("NGG") ? ContentReader::Ngg
                            : ContentReader::ContentFile;
    case MessageKind::Picture:
        return has("BMP") ? ContentReader::Bitmap : ContentReader::ContentFile;
    case MessageKind::Ems:
        return has("BMP") ? ContentReader::Bitmap : ContentReader::None;
    default:
        return ContentReader::None;
    }
}

Result<LoadedContent> LoadTabContent(MessageKind kind, const std::string& path) {
    using R = Result<LoadedContent>;
    if (kind != MessageKind::Logo && kind != MessageKind::Group && kind != MessageKind::Picture)
        return R::Fail(VELMORA_WORDS(
            "smslib/Bitmap", "Only the logo, group graphic and picture message tabs hold bitmap content"));
    LoadedContent loaded;
    loaded.tall = kind == MessageKind::Picture;
    loaded.previewWidth = kRowPixels;
    Result<std::string> text = Result<std::string>::Fail("");
    loaded.reader = ChooseReader(kind, path);
    switch (loaded.reader) {
    case ContentReader::Bitmap: {
        auto bitmap = ReadBitmapFile(path);
        if (!bitmap)
            return R::Fail(bitmap.error());
        loaded.previewWidth = bitmap->width;
        text = Result<std::string>::Ok(std::move(bitmap.value().content));
        break;
    }
    case ContentReader::Nol:
        text = ReadNolFile(path);
        break;
    case ContentReader::Ngg:
        text = ReadNggFile(path);
        break;
    default:
        text = ReadContentFile(path);
        break;
    }
    if (!text)
        return R::Fail(text.error());
    loaded.content = NormaliseContentHex(*text);
    return R::Ok(std::move(loaded));
}

Result<std::string> LoadEmsPicture(const std::string& path) {
    if (ChooseReader(MessageKind::Ems, path) != ContentReader::Bitmap)
        return Result<std::string>::Fail(
            VELMORA_WORDS("smslib/Bitmap", "Only Monochrome BMP Files can be added as EMS pictures !"));
    auto bitmap = ReadBitmapFile(path);
    if (!bitmap)
        return Result<std::string>::Fail(bitmap.error());
    // The tag gives each size in four hex digits.
    if (bitmap->width > 0xFFFF || bitmap->height > 0xFFFF)
        return Result<std::string>::Fail(
            VELMORA_WORDS("smslib/Bitmap", "The picture is too large for an EMS message !"));
    return Result<std::string>::Ok(MakeEmsPictureTag(bitmap->width, bitmap->height, bitmap->content));
}

std::vector<bool> ContentPixels(std::string_view content, int width, int height) {
    const std::size_t w = static_cast<std::size_t>(std::max(width, 0));
    const std::size_t h = static_cast<std::size_t>(std::max(height, 0));
    const std::string bits = HexToBits(content);
    const std::size_t rowBits = (w + 7) / 8 * 8;
    std::vector<bool> pixels(w * h);
    for (std::size_t y = 0; y < h; ++y)
        for (std::size_t x = 0; x < w; ++x) {
            const std::size_t at = y * rowBits + x;
            pixels[y * w + x] = at < bits.size() && bits[at] == '1';
        }
    return pixels;
}

std::string PixelsContent(const std::vector<bool>& pixels, int width, int height) {
    std::string hex;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; x += 8) {
            int octet = 0;
            for (int bit = 0; bit < 8; ++bit) {
                const auto at = static_cast<std::size_t>(y) * width + x + bit;
                octet = octet << 1 | (x + bit < width && at < pixels.size() && pixels[at] ? 1 : 0);
            }
            hex += ByteToHex(octet);
        }
    return hex;
}

} // namespace velmora
