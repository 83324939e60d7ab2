#include "PixelPicture.h"

#include "Bitmap.h"

#include <algorithm>
#include <cmath>

namespace velmora {

void PixelPicture::load(int width, int height, std::string_view content) {
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    m_black = ContentPixels(content, m_width, m_height);
    m_undo.clear();
    m_inStroke = false;
}

std::string PixelPicture::content() const { return PixelsContent(m_black, m_width, m_height); }

bool PixelPicture::black(int x, int y) const {
    return x >= 0 && y >= 0 && x < m_width && y < m_height && m_black[index(x, y)];
}

bool PixelPicture::cellAt(double px, double py, double areaWidth, double areaHeight, int& x, int& y) const {
    if (m_width <= 0 || m_height <= 0 || areaWidth <= 0 || areaHeight <= 0 || px < 0 || py < 0 ||
        px >= areaWidth || py >= areaHeight)
        return false;
    x = std::min(static_cast<int>(std::floor(px * m_width / areaWidth)), m_width - 1);
    y = std::min(static_cast<int>(std::floor(py * m_height / areaHeight)), m_height - 1);
    return true;
}

void PixelPicture::replace(std::vector<bool> pixels) {
    if (pixels == m_black)
        return;
    m_undo.push_back(std::move(m_black));
    if (m_undo.size() > kUndoSteps)
        m_undo.erase(m_undo.begin());
    m_black = std::move(pixels);
}

void PixelPicture::set(int x, int y, bool black) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height || m_black[index(x, y)] == black)
        return;
    if (m_inStroke && m_strokeKept) {
        m_black[index(x, y)] = black;
        return;
    }
    std::vector<bool> pixels = m_black;
    pixels[index(x, y)] = black;
    replace(std::move(pixels));
    m_strokeKept = m_inStroke;
}

void PixelPicture::begin() {
    m_inStroke = true;
    m_strokeKept = false;
}

void PixelPicture::end() { m_inStroke = false; }

void PixelPicture::clear() { replace(Cells(m_width, m_height)); }

void PixelPicture::invert() {
    std::vector<bool> pixels = m_black;
    pixels.flip();
    replace(std::move(pixels));
}

// What moves out on one side is lost; white comes in on the other.
void PixelPicture::shift(Shift direction) {
    const int dx = direction == Shift::Left ? -1 : direction == Shift::Right ? 1 : 0;
    const int dy = direction == Shift::Up ? -1 : direction == Shift::Down ? 1 : 0;
    std::vector<bool> pixels = Cells(m_width, m_height);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            if (black(x - dx, y - dy))
                pixels[index(x, y)] = true;
    replace(std::move(pixels));
}

void PixelPicture::undo() {
    if (m_undo.empty())
        return;
    m_black = std::move(m_undo.back());
    m_undo.pop_back();
}

} // namespace velmora
