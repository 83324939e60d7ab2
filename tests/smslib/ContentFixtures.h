#pragma once

// Files the content tests make for themselves: BMP, NOL and NGG bytes built
// from a pixel rule, and a scratch directory that is removed afterwards.

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace velmora::testing {

using PixelRule = std::function<bool(int x, int y)>; // true: black, y = 0 the top row

struct BmpLayout {
    int width = 72;
    int height = 14;
    PixelRule black = [](int, int) { return false; };
    bool whiteFirst = false; // colour table entry 0 white, as some editors write it
    bool topDown = false;    // negative height
    bool coreHeader = false; // 12-byte OS/2 header with 3-byte colours
    int infoSize = 40;       // 40, 108 (V4) or 124 (V5)
    std::uint32_t gap = 0;   // bytes between the colour table and the pixel data
    int bitsPerPixel = 1;
    std::uint32_t compression = 0;
};

inline void Put16(std::string& b, std::uint32_t v) {
    b += static_cast<char>(v & 0xFF);
    b += static_cast<char>((v >> 8) & 0xFF);
}

inline void Put32(std::string& b, std::uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

inline std::string MakeBmp(const BmpLayout& s) {
    const std::size_t stride = (static_cast<std::size_t>(s.width) + 31) / 32 * 4;
    std::string pixels;
    for (int i = 0; i < s.height; ++i) {
        const int y = s.topDown ? i : s.height - 1 - i;
        std::string row(stride, '\0');
        // A set bit is colour table entry 1: white, or black when white comes first.
        for (int x = 0; x < s.width; ++x)
            if (s.black(x, y) == s.whiteFirst)
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        pixels += row;
    }
    const std::string black = s.coreHeader ? std::string(3, '\0') : std::string(4, '\0');
    const std::string white = s.coreHeader ? std::string(3, '\xFF') : std::string("\xFF\xFF\xFF\0", 4);
    const std::string table = s.whiteFirst ? white + black : black + white;
    const int header = s.coreHeader ? 12 : s.infoSize;
    const std::uint32_t offset = 14 + header + static_cast<std::uint32_t>(table.size()) + s.gap;

    std::string b = "BM";
    Put32(b, offset + static_cast<std::uint32_t>(pixels.size()));
    Put32(b, 0);
    Put32(b, offset);
    Put32(b, header);
    if (s.coreHeader) {
        Put16(b, s.width);
        Put16(b, s.height);
        Put16(b, 1);
        Put16(b, s.bitsPerPixel);
    } else {
        Put32(b, s.width);
        Put32(b, static_cast<std::uint32_t>(s.topDown ? -s.height : s.height));
        Put16(b, 1);
        Put16(b, s.bitsPerPixel);
        Put32(b, s.compression);
        Put32(b, static_cast<std::uint32_t>(pixels.size()));
        Put32(b, 2835);
        Put32(b, 2835);
        Put32(b, 2);
        Put32(b, 2);
        b.append(header - 40, '\0');
    }
    b += table;
    b.append(s.gap, '\x55'); // anything: a reader that ignores the offset reads this as pixels
    b += pixels;
    return b;
}

// The content the pixels stand for, worked out from the rule alone: rows top
// first, whole octets per row with white padding, leftmost pixel in the high bit.
inline std::string ContentOf(int width, int height, const PixelRule& black) {
    static const char* digits = "0123456789ABCDEF";
    std::string hex;
    for (int y = 0; y < height; ++y)
        for (int x0 = 0; x0 < width; x0 += 8) {
            int octet = 0;
            for (int x = x0; x < x0 + 8; ++x)
                octet = octet << 1 | (x < width && black(x, y) ? 1 : 0);
            hex += digits[octet >> 4];
            hex += digits[octet & 15];
        }
    return hex;
}

// A NOL (or NGG) file: letters, a header of `headerBytes` holding `fill`,
// then 72 x 14 pixel characters.
inline std::string MakeLogoFile(const std::string& letters, std::size_t headerBytes, char fill,
                                const PixelRule& black) {
    std::string f = letters;
    f.append(headerBytes - letters.size(), fill);
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 72; ++x)
            f += black(x, y) ? '1' : '0';
    return f;
}

// A pattern that tells rows and columns apart, whichever way they get mixed up.
inline bool Diagonals(int x, int y) { return x == y || x == 71 - y || (x * 3 + y) % 7 == 0; }

class ScratchDir {
public:
    ScratchDir() {
        std::string templ = (std::filesystem::temp_directory_path() / "velmora-test-XXXXXX").string();
        if (!::mkdtemp(templ.data()))
            std::abort();
        m_path = templ;
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }

    std::string path(const std::string& name) const { return (m_path / name).string(); }

    std::string write(const std::string& name, const std::string& bytes) const {
        const std::string p = path(name);
        std::filesystem::create_directories(std::filesystem::path(p).parent_path());
        std::ofstream(p, std::ios::binary) << bytes;
        return p;
    }

    static std::string read(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::size_t entries() const {
        std::size_t n = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::recursive_directory_iterator(m_path))
            ++n;
        return n;
    }

private:
    std::filesystem::path m_path;
};

} // namespace velmora::testing
