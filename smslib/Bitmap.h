#pragma once

// Monochrome bitmap content: pixels as hex content text, rows top first,
// 8 pixels per octet, leftmost pixel in the most significant bit, 1 = black.
// The readers that make it from BMP, NOL, NGG and the program's own content
// files, and the choice of reader each kind of content makes from a file's
// path.

#include "MessageKind.h"
#include "Result.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// Files above this size are refused rather than read in part.
constexpr std::size_t kMaxContentFileBytes = 1 << 20;

// Every byte before the first carriage return (13), line feed (10) or byte
// 26. Text files made on Linux end their lines in a line feed alone; taking
// it into the line would run a two-line RTTTL file into one tune and the
// comment lines of a content file into its hex.
std::string FirstLineOf(std::string_view bytes);
// The first line of the file, after a UTF-8 byte-order mark if it has one.
Result<std::string> ReadFirstLine(const std::string& path);

struct Bitmap {
    int width = 0;
    int height = 0; // rows, whichever way the file stores them
    std::string content;
};

// A 1-bit-per-pixel uncompressed BMP of any header version. Rows keep every
// pixel: a width that is not a multiple of 8 ends each row in an octet padded
// with white.
Result<Bitmap> DecodeBitmap(std::string_view bytes);
Result<Bitmap> ReadBitmapFile(const std::string& path);

// The phone maker's logo files: three letters, a header, then 72 x 14 pixel
// characters ("1" black) at a fixed offset.
Result<std::string> DecodeNol(std::string_view bytes);
Result<std::string> ReadNolFile(const std::string& path);
Result<std::string> DecodeNgg(std::string_view bytes);
Result<std::string> ReadNggFile(const std::string& path);

// The first line of a .VOL, .VGG or .VPM file, unchecked.
Result<std::string> ReadContentFile(const std::string& path);

// Upper case, only "0"-"9" and "A"-"F" kept, and a "0" in front of an odd count.
std::string NormaliseContentHex(std::string_view s);

// Content as one flag a pixel (true = black), row after row of `width`;
// content that runs short leaves white pixels, content beyond is dropped.
std::vector<bool> ContentPixels(std::string_view content, int width, int height);
// Those pixels back as content, each row ending in a whole octet.
std::string PixelsContent(const std::vector<bool>& pixels, int width, int height);

enum class ContentReader { Bitmap, Nol, Ngg, ContentFile, None };

// The file's own name: what follows the last "/" of the path. The decisions
// that go by a file's letters look only at this, so the folders a file is
// kept in ("/home/bmpfan/", "/tmp/NOLS/") do not change how it is read.
std::string_view FileNameOf(std::string_view path);

// Which reader a kind of content uses for `path`: decided by letters anywhere in the
// upper-cased file name, not only its extension ("logo.bmp.vol" is a BMP).
ContentReader ChooseReader(MessageKind kind, std::string_view path);

struct LoadedContent {
    std::string content; // normalised
    int previewWidth = 0;
    bool tall = false;                          // a picture message: 28 rows instead of 14
    ContentReader reader = ContentReader::None; // the reader the file got
};

// Loads a file as the content of an operator logo, group graphic or picture
// message.
Result<LoadedContent> LoadTabContent(MessageKind kind, const std::string& path);

// The EMS picture tag "[#PICwwwwhhhh<content>]" of a BMP file.
Result<std::string> LoadEmsPicture(const std::string& path);

} // namespace velmora
