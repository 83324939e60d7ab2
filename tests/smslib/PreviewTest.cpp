#include "Preview.h"

#include "Bitmap.h"
#include "ContentFixtures.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using testing::BmpLayout;
using testing::PixelRule;

// Every pixel of the preview against what should be there; the first few
// differences are named.
void ExpectPixels(const PreviewImage& image, const PixelRule& black, const char* what) {
    int wrong = 0;
    for (int y = 0; y < PreviewImage::kHeight; ++y)
        for (int x = 0; x < PreviewImage::kWidth; ++x)
            if (image.black(x, y) != black(x, y) && ++wrong <= 5)
                ADD_FAILURE() << what << ": pixel (" << x << ", " << y << ") should be "
                              << (black(x, y) ? "black" : "white");
    EXPECT_EQ(wrong, 0) << what;
}

struct RoundTrip {
    const char* name;
    int width, height;
    bool tall;
};

class BmpToPreview : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(BmpToPreview, ShowsThePixelsTheBmpHolds) {
    const auto& c = GetParam();
    testing::ScratchDir dir;
    const auto path = dir.write(
        "pic.bmp",
        testing::MakeBmp(
            {.width = c.width, .height = c.height, .black = testing::Diagonals, .whiteFirst = c.tall}));
    const auto loaded = LoadTabContent(c.tall ? MessageKind::Picture : MessageKind::Logo, path);
    ASSERT_TRUE(loaded.ok()) << loaded.error();
    const auto image = DrawPreview(loaded->content, loaded->tall, loaded->previewWidth);
    const int rows = c.tall ? 28 : 14;
    ExpectPixels(
        image,
        [&](int x, int y) { return x < c.width && y < c.height && y < rows && testing::Diagonals(x, y); },
        c.name);
}

INSTANTIATE_TEST_SUITE_P(Sizes, BmpToPreview,
                         ::testing::Values(RoundTrip{"Logo", 72, 14, false},
                                           RoundTrip{"Picture", 72, 28, true},
                                           RoundTrip{"Narrow", 48, 14, false}, RoundTrip{"Odd", 13, 5, false},
                                           RoundTrip{"Short", 72, 9, true},
                                           RoundTrip{"TallLogo", 72, 28, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DrawPreview, ContentWithoutAWidthIsRowsOf72) {
    const std::string content = testing::ContentOf(72, 14, testing::Diagonals);
    const auto image = DrawPreview(content, false, 0);
    ExpectPixels(
        image, [](int x, int y) { return y < 14 && testing::Diagonals(x, y); }, "width 0");
}

TEST(DrawPreview, WiderPicturesAreReadAsThePhoneReadsThem) {
    // 80 pixels a row: the phone takes 72-pixel rows one after another.
    const std::string content = testing::ContentOf(80, 2, [](int x, int) { return x >= 72; });
    const auto image = DrawPreview(content, false, 80);
    ExpectPixels(
        image, [](int x, int y) { return (y == 1 && x < 8) || (y == 2 && x >= 8 && x < 16); }, "width 80");
}

TEST(DrawPreview, WhatTheContentDoesNotReachStaysWhite) {
    const auto none = DrawPreview("", true, 72);
    ExpectPixels(
        none, [](int, int) { return false; }, "empty");
    const auto half = DrawPreview(std::string(18, 'F'), true, 72); // one row of 72 black
    ExpectPixels(
        half, [](int, int y) { return y == 0; }, "one row");
    const auto all = DrawPreview(std::string(504, 'F'), true, 72);
    ExpectPixels(
        all, [](int, int) { return true; }, "all black");
}

} // namespace
} // namespace velmora
