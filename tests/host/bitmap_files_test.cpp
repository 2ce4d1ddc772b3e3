// Checks the two title-strip pictures: file headers, where their artwork
// lies and that everything around it is the flat strip background.
#include "artwork_files.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace {

using namespace artwork_test;

constexpr Colour kBackground{225, 225, 225};

struct Bitmap {
    int width = 0, height = 0;
    std::vector<Colour> pixels; // top-down
    Colour at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// Checks the headers of an uncompressed 24-bit picture, then reads its rows.
Bitmap load(const std::string& name, int width, int height) {
    const Bytes f = readResource(name);
    const auto w = static_cast<std::uint32_t>(width), h = static_cast<std::uint32_t>(height);
    const auto pixelBytes = static_cast<std::uint32_t>(stride(width, 24) * h);
    EXPECT_EQ(f.size(), 54 + pixelBytes);
    // "BM", file size, reserved, pixel offset; then the 40-byte info header.
    EXPECT_EQ(fields(f, 0, {2, 4, 4, 4, 4, 4, 4, 2, 2, 4, 4, 4, 4, 4, 4}),
              (std::vector<std::uint32_t>{0x4D42, 54 + pixelBytes, 0, 54, 40, w, h, 1, 24, 0, pixelBytes, 0, 0, 0, 0}));
    return Bitmap{width, height, readRows(f, 54, width, height, 24)};
}

// Left, top, right and bottom of the pixels `pred` picks.
template <typename Pred>
std::array<int, 4> extentOf(const Bitmap& bmp, Pred pred) {
    std::array<int, 4> e{bmp.width, bmp.height, -1, -1};
    for (int i = 0; i < bmp.width * bmp.height; ++i) {
        const int x = i % bmp.width, y = i / bmp.width;
        if (pred(bmp.at(x, y))) e = {std::min(e[0], x), std::min(e[1], y), std::max(e[2], x), std::max(e[3], y)};
    }
    return e;
}

TEST(CloseImage, WhiteXWithGreyRimOnFlatBackground) {
    const Bitmap bmp = load("close.bmp", 24, 23);
    const auto white = [](Colour c) { return c.r >= 250 && c.g >= 250 && c.b >= 250; };
    EXPECT_EQ(extentOf(bmp, white), (std::array{5, 4, 17, 17}));
    EXPECT_EQ(extentOf(bmp, [](Colour c) { return c != kBackground; }), (std::array{4, 3, 18, 18}));
    for (const Colour& c : bmp.pixels) ASSERT_TRUE(c.r == c.g && c.g == c.b && c.r >= 200) << "not a light grey: " << c;
    // An X, not a filled box: arms reach the corners, the edge midpoints
    // between them stay background, and the arms cross in the middle.
    for (auto [x, y] : {std::pair{6, 5}, {16, 5}, {6, 16}, {16, 16}, {11, 10}}) {
        EXPECT_EQ(bmp.at(x, y), (Colour{255, 255, 255})) << x << "," << y;
    }
    for (auto [x, y] : {std::pair{11, 4}, {11, 17}, {5, 10}, {17, 11}}) EXPECT_NE(bmp.at(x, y).r, 255) << x << "," << y;
}

TEST(WeblinkImage, OrangeLetteringInsideItsMargins) {
    const Bitmap bmp = load("weblink.bmp", 90, 19);
    const Colour ink{248, 136, 17};
    int solid = 0;
    std::vector<int> inked(19); // pixels off the background, by row
    for (std::size_t i = 0; i < bmp.pixels.size(); ++i) {
        const Colour c = bmp.pixels[i];
        // Every pixel is the background, the ink, or a blend of the two
        // (blue spans the widest range, so it gives the finest estimate).
        const double t = (kBackground.b - c.b) / double(kBackground.b - ink.b);
        ASSERT_TRUE(t >= 0 && t <= 1) << c;
        EXPECT_NEAR(c.r, kBackground.r + t * (ink.r - kBackground.r), 2.0) << c;
        EXPECT_NEAR(c.g, kBackground.g + t * (ink.g - kBackground.g), 2.0) << c;
        solid += c == ink ? 1 : 0;
        inked[i / 90] += c != kBackground ? 1 : 0;
    }
    EXPECT_GT(solid, 150) << "bold strokes in solid orange";
    // From the ascender of the l down to the descender of the p.
    EXPECT_EQ(extentOf(bmp, [](Colour c) { return c != kBackground; }), (std::array{4, 1, 85, 15}));
    // Lower-case body between rows 4 and 12: those rows are busy, while
    // only ascender and descender stems reach the rows beyond.
    for (int y = 4; y <= 12; ++y) EXPECT_GT(inked[std::size_t(y)], 10) << "row " << y;
    for (std::size_t y : {1, 2, 3, 13, 14, 15}) {
        EXPECT_TRUE(inked[y] > 0 && inked[y] <= 4) << "row " << y << ": " << inked[y];
    }
}

} // namespace
