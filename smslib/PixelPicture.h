#pragma once

// A bitmap as the picture editor changes it: pixels one by one, clear,
// invert and a shift by one pixel, each step undoable. Content in and out
// follows Bitmap.h (rows top first, 8 pixels per octet, 1 = black).

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

enum class Shift { Left, Right, Up, Down };

class PixelPicture {
public:
    PixelPicture() = default;
    PixelPicture(int width, int height) : m_width(width), m_height(height), m_black(Cells(width, height)) {}

    // Replaces the picture and forgets the undo steps: content that runs
    // short leaves white pixels, content beyond the size is dropped.
    void load(int width, int height, std::string_view content);
    std::string content() const;

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool black(int x, int y) const;

    // The cell under a point of an area of `areaWidth` x `areaHeight` that
    // shows the picture's pixels as equal cells; false outside it.
    bool cellAt(double px, double py, double areaWidth, double areaHeight, int& x, int& y) const;

    // Each change below keeps the picture before it for undo(), up to
    // kUndoSteps of them; a change that changes nothing keeps nothing.
    static constexpr std::size_t kUndoSteps = 64;
    void set(int x, int y, bool black);
    // The next set() calls, up to end(), undo as one step (a drag).
    void begin();
    void end();
    void clear();
    void invert();
    void shift(Shift direction);
    bool canUndo() const { return !m_undo.empty(); }
    void undo();

private:
    static std::vector<bool> Cells(int width, int height) {
        return std::vector<bool>(static_cast<std::size_t>(width > 0 && height > 0 ? width * height : 0));
    }
    std::size_t index(int x, int y) const { return static_cast<std::size_t>(y) * m_width + x; }
    void replace(std::vector<bool> pixels);

    int m_width = 0;
    int m_height = 0;
    std::vector<bool> m_black;
    std::vector<std::vector<bool>> m_undo;
    bool m_inStroke = false;
    bool m_strokeKept = false;
};

} // namespace velmora
