#include "PictureConvert.h"

#include "Bitmap.h"
#include "ContentFixtures.h"
#include "PixelPicture.h"
#include "Primitives.h"

#include <gtest/gtest.h>

#include <functional>

namespace velmora {
namespace {

using testing::ContentOf;
using testing::Diagonals;

GreyImage Draw(int width, int height, const std::function<std::uint8_t(int, int)>& level) {
    GreyImage g{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            g.grey.push_back(level(x, y));
    return g;
}

std::uint8_t BlackWhite(bool black) { return black ? 0 : 255; }

TEST(ConvertPicture, OneBitPicturesAtTheTabSizeStayPixelForPixel) {
    for (const bool tall : {false, true}) {
        const int rows = tall ? 28 : 14;
        const GreyImage g = Draw(72, rows, [](int x, int y) { return BlackWhite(Diagonals(x, y)); });
        for (const ConvertOptions options :
             {ConvertOptions{}, ConvertOptions{1, true}, ConvertOptions{255, true}})
            EXPECT_EQ(ConvertPicture(g, 72, rows, options), ContentOf(72, rows, Diagonals)) << rows;
    }
}

TEST(ConvertPicture, APictureAtTwiceTheSizeComesBackAsTheOriginal) {
    const GreyImage twice = Draw(144, 28, [](int x, int y) { return BlackWhite(Diagonals(x / 2, y / 2)); });
    EXPECT_EQ(ConvertPicture(twice, 72, 14, {}), ContentOf(72, 14, Diagonals));
}

TEST(ConvertPicture, KeepsProportionsAndCentresOnWhite) {
    struct Case {
        int width, height;           // of an all-black source
        PictureSize box;             // the tab
        int left, top, across, down; // where black lands
    };
    const Case cases[] = {
        {100, 100, {72, 14}, 29, 0, 14, 14}, // a square stays square
        {720, 70, {72, 14}, 0, 3, 72, 7},    // wide: bands above and below
        {10, 140, {72, 28}, 35, 0, 2, 28},   // tall and thin
        {36, 7, {72, 14}, 0, 0, 72, 14},     // small: scaled up
    };
    for (const Case& c : cases) {
        const GreyImage fitted = FitPicture(Draw(c.width, c.height, [](int, int) { return 0; }), c.box);
        ASSERT_EQ(fitted.width, c.box.width);
        ASSERT_EQ(fitted.height, c.box.height);
        for (int y = 0; y < c.box.height; ++y)
            for (int x = 0; x < c.box.width; ++x) {
                const bool inside = x >= c.left && x < c.left + c.across && y >= c.top && y < c.top + c.down;
                ASSERT_EQ(fitted.at(x, y), inside ? 0 : 255)
                    << c.width << "x" << c.height << " at " << x << "," << y;
            }
    }
}

TEST(ConvertPicture, AveragesTheAreaEachPixelCovers) {
    // Stripes one source pixel wide, four to a target pixel: mid grey, not
    // whichever stripe a sample lands on.
    const GreyImage stripes = Draw(288, 56, [](int x, int) { return BlackWhite(x % 2 == 0); });
    const GreyImage fitted = FitPicture(stripes, {72, 14});
    for (std::uint8_t level : fitted.grey)
        ASSERT_NEAR(level, 128, 1);
}

int BlackPixels(const std::string& hex) {
    int n = 0;
    for (char c : HexToBits(hex))
        n += c == '1';
    return n;
}

TEST(ConvertPicture, ThresholdDecidesWhichGreysAreBlack) {
    // Each column one grey level, 0 at the left to 255 at the right.
    const GreyImage ramp = Draw(72, 14, [](int x, int) { return static_cast<std::uint8_t>(x * 255 / 71); });
    const std::pair<int, int> cases[] = {{0, 0}, {1, 1}, {128, 36}, {255, 71}, {300, 71}, {-5, 0}};
    for (const auto& [threshold, columns] : cases)
        EXPECT_EQ(BlackPixels(ConvertPicture(ramp, 72, 14, {threshold, false})), columns * 14) << threshold;
}

TEST(ConvertPicture, DitherSpreadsGreyDeterministically) {
    const GreyImage grey = Draw(72, 28, [](int, int) { return 128; });
    const std::string once = ConvertPicture(grey, 72, 28, {128, true});
    EXPECT_EQ(once, ConvertPicture(grey, 72, 28, {128, true}));
    EXPECT_EQ(BlackPixels(ConvertPicture(grey, 72, 28, {128, false})), 0);
    const int black = BlackPixels(once);
    EXPECT_GT(black, 72 * 28 * 45 / 100);
    EXPECT_LT(black, 72 * 28 * 55 / 100);
}

TEST(EncodeBitmap, ReadsBackThroughDecodeBitmap) {
    const PictureSize sizes[] = {{72, 14}, {72, 28}, {16, 16}, {13, 5}};
    for (const PictureSize size : sizes) {
        const std::string content = ContentOf(size.width, size.height, Diagonals);
        const auto back = DecodeBitmap(EncodeBitmap(size.width, size.height, content));
        ASSERT_TRUE(back.ok()) << back.error();
        EXPECT_EQ(back->width, size.width);
        EXPECT_EQ(back->height, size.height);
        EXPECT_EQ(back->content, content) << size.width << "x" << size.height;
    }
}

TEST(PixelPicture, MapsAreaPointsToEqualCells) {
    PixelPicture p(72, 14);
    struct Case {
        double px, py;
        bool inside;
        int x, y;
    };
    // An area of 720 x 140: cells of 10 x 10.
    const Case cases[] = {{0, 0, true, 0, 0},           {9.9, 9.9, true, 0, 0}, {10, 10, true, 1, 1},
                          {719.9, 139.9, true, 71, 13}, {720, 0, false, 0, 0},  {-1, 5, false, 0, 0},
                          {355, 75, true, 35, 7}};
    for (const Case& c : cases) {
        int x = -1, y = -1;
        ASSERT_EQ(p.cellAt(c.px, c.py, 720, 140, x, y), c.inside) << c.px << "," << c.py;
        if (c.inside) {
            EXPECT_EQ(std::pair(x, y), std::pair(c.x, c.y)) << c.px << "," << c.py;
        }
    }
}

TEST(PixelPicture, EditsUndoStepByStep) {
    const std::string diagonals = ContentOf(72, 14, Diagonals);
    PixelPicture p;
    p.load(72, 14, diagonals);
    EXPECT_EQ(p.content(), diagonals);
    EXPECT_FALSE(p.canUndo());

    p.begin(); // a drag: three pixels, one step
    for (int x = 40; x < 43; ++x)
        p.set(x, 1, true);
    p.end();
    p.invert();
    p.shift(Shift::Right);
    p.clear();
    p.set(5, 5, false); // already white: no step
    EXPECT_EQ(p.content(), ContentOf(72, 14, [](int, int) { return false; }));

    p.undo(); // before clear
    EXPECT_EQ(p.content(), ContentOf(72, 14, [](int x, int y) {
                  const int from = x - 1;
                  return x > 0 && !(Diagonals(from, y) || (y == 1 && from >= 40 && from < 43));
              }));
    p.undo(); // before shift
    p.undo(); // before invert
    EXPECT_EQ(p.content(), ContentOf(72, 14, [](int x, int y) {
                  return Diagonals(x, y) || (y == 1 && x >= 40 && x < 43);
              }));
    p.undo(); // the drag, whole
    EXPECT_EQ(p.content(), diagonals);
    EXPECT_FALSE(p.canUndo());
}

TEST(PixelPicture, ShiftsLoseAnEdgeAndBringInWhite) {
    const auto one = [](int px, int py) { return [=](int x, int y) { return x == px && y == py; }; };
    const struct {
        Shift shift;
        int x, y;
    } cases[] = {{Shift::Left, 0, 0}, {Shift::Right, 71, 13}, {Shift::Up, 0, 0}, {Shift::Down, 71, 13}};
    for (const auto& c : cases) {
        PixelPicture p;
        p.load(72, 14, ContentOf(72, 14, one(c.x, c.y)));
        p.shift(c.shift);
        EXPECT_EQ(p.content(), ContentOf(72, 14, [](int, int) { return false; }));
    }
    PixelPicture p;
    p.load(72, 14, ContentOf(72, 14, one(3, 4)));
    p.shift(Shift::Up);
    p.shift(Shift::Left);
    EXPECT_EQ(p.content(), ContentOf(72, 14, one(2, 3)));
}

} // namespace
} // namespace velmora
