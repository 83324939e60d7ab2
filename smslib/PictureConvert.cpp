#include "PictureConvert.h"

#include "Bitmap.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

// How much of each source index along one axis goes into each target index:
// target k covers source [k * n / m, (k + 1) * n / m).
struct Share {
    int from = 0;
    std::vector<double> weights; // for from, from + 1, ...; they add up to 1
};

std::vector<Share> Shares(int source, int target) {
    std::vector<Share> shares(static_cast<std::size_t>(target));
    const double step = static_cast<double>(source) / target;
    for (int k = 0; k < target; ++k) {
        const double lo = k * step, hi = (k + 1) * step;
        Share& s = shares[static_cast<std::size_t>(k)];
        s.from = std::min(static_cast<int>(std::floor(lo)), source - 1);
        for (int i = s.from; i < source && i < hi; ++i)
            s.weights.push_back((std::min<double>(i + 1, hi) - std::max<double>(i, lo)) / step);
    }
    return shares;
}

void PutU16(std::string& b, std::uint32_t v) {
    b += static_cast<char>(v & 0xFF);
    b += static_cast<char>(v >> 8 & 0xFF);
}

void PutU32(std::string& b, std::uint32_t v) {
    PutU16(b, v & 0xFFFF);
    PutU16(b, v >> 16);
}

} // namespace

PictureSize FittedSize(int width, int height, PictureSize box) {
    if (width <= 0 || height <= 0)
        return box;
    const double scale =
        std::min(static_cast<double>(box.width) / width, static_cast<double>(box.height) / height);
    const auto side = [&](int n, int limit) {
        return std::clamp(static_cast<int>(std::lround(n * scale)), 1, limit);
    };
    return {side(width, box.width), side(height, box.height)};
}

GreyImage ScalePicture(const GreyImage& source, PictureSize size) {
    if (source.width == size.width && source.height == size.height)
        return source;
    GreyImage out{size.width, size.height, {}};
    if (source.width <= 0 || source.height <= 0 || size.width <= 0 || size.height <= 0) {
        out.grey.assign(static_cast<std::size_t>(std::max(size.width, 0)) * std::max(size.height, 0), 255);
        return out;
    }
    // Across first, then down: each source pixel is read once.
    const std::vector<Share> across = Shares(source.width, size.width);
    const std::vector<Share> down = Shares(source.height, size.height);
    std::vector<double> rows(static_cast<std::size_t>(source.height) * size.width);
    for (int y = 0; y < source.height; ++y) {
        const std::uint8_t* in = &source.grey[static_cast<std::size_t>(y) * source.width];
        double* row = &rows[static_cast<std::size_t>(y) * size.width];
        for (int x = 0; x < size.width; ++x) {
            const Share& s = across[static_cast<std::size_t>(x)];
            double sum = 0;
            for (std::size_t i = 0; i < s.weights.size(); ++i)
                sum += s.weights[i] * in[s.from + static_cast<int>(i)];
            row[x] = sum;
        }
    }
    out.grey.resize(static_cast<std::size_t>(size.width) * size.height);
    for (int y = 0; y < size.height; ++y) {
        const Share& s = down[static_cast<std::size_t>(y)];
        for (int x = 0; x < size.width; ++x) {
            double sum = 0;
            for (std::size_t i = 0; i < s.weights.size(); ++i)
                sum += s.weights[i] *
                       rows[static_cast<std::size_t>(s.from + static_cast<int>(i)) * size.width + x];
            out.grey[static_cast<std::size_t>(y) * size.width + x] =
                static_cast<std::uint8_t>(std::clamp(std::lround(sum), 0L, 255L));
        }
    }
    return out;
}

GreyImage FitPicture(const GreyImage& source, PictureSize box) {
    if (source.width == box.width && source.height == box.height)
        return source;
    const GreyImage scaled = ScalePicture(source, FittedSize(source.width, source.height, box));
    GreyImage out{box.width, box.height,
                  std::vector<std::uint8_t>(static_cast<std::size_t>(box.width) * box.height, 255)};
    const int left = (box.width - scaled.width) / 2, top = (box.height - scaled.height) / 2;
    for (int y = 0; y < scaled.height; ++y)
        std::copy_n(&scaled.grey[static_cast<std::size_t>(y) * scaled.width], scaled.width,
                    &out.grey[static_cast<std::size_t>(y + top) * box.width + left]);
    return out;
}

std::string ThresholdPicture(const GreyImage& fitted, const ConvertOptions& options) {
    const int threshold = std::clamp(options.threshold, 0, 255);
    // The error still to spread on this row and the next, one spare cell
    // each side so the edges need no test.
    std::vector<int> now(static_cast<std::size_t>(fitted.width) + 2), next(now.size());
    std::vector<bool> pixels(static_cast<std::size_t>(std::max(fitted.width, 0)) *
                             std::max(fitted.height, 0));
    for (int y = 0; y < fitted.height; ++y) {
        std::fill(next.begin(), next.end(), 0);
        for (int x = 0; x < fitted.width; ++x) {
            const auto at = static_cast<std::size_t>(x) + 1;
            // Error is kept in sixteenths, as the weights are.
            const int level = fitted.at(x, y) + (options.dither ? now[at] / 16 : 0);
            const bool black = level < threshold;
            pixels[static_cast<std::size_t>(y) * fitted.width + x] = black;
            if (options.dither) {
                const int error = level - (black ? 0 : 255);
                now[at + 1] += error * 7;
                next[at - 1] += error * 3;
                next[at] += error * 5;
                next[at + 1] += error * 1;
            }
        }
        std::swap(now, next);
    }
    return PixelsContent(pixels, fitted.width, fitted.height);
}

std::string ConvertPicture(const GreyImage& grey, int width, int height, const ConvertOptions& options) {
    return ThresholdPicture(FitPicture(grey, {width, height}), options);
}

std::string EncodeBitmap(int width, int height, std::string_view content) {
    const std::vector<bool> pixels = ContentPixels(content, width, height);
    const auto stride = static_cast<std::uint32_t>((width + 31) / 32 * 4);
    const std::uint32_t dataOffset = 14 + 40 + 8;
    const std::uint32_t dataSize = stride * static_cast<std::uint32_t>(height);
    std::string b = "BM";
    PutU32(b, dataOffset + dataSize);
    PutU32(b, 0);
    PutU32(b, dataOffset);
    PutU32(b, 40);
    PutU32(b, static_cast<std::uint32_t>(width));
    PutU32(b, static_cast<std::uint32_t>(height));
    PutU16(b, 1);
    PutU16(b, 1);
    PutU32(b, 0);
    PutU32(b, dataSize);
    PutU32(b, 2835); // 72 dots per inch
    PutU32(b, 2835);
    PutU32(b, 2);
    PutU32(b, 2);
    b += std::string("\xFF\xFF\xFF\0\0\0\0\0", 8);
    for (int y = height - 1; y >= 0; --y) {
        std::string row(stride, '\0');
        for (int x = 0; x < width; ++x)
            if (pixels[static_cast<std::size_t>(y) * width + x])
                row[static_cast<std::size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
        b += row;
    }
    return b;
}

} // namespace velmora
