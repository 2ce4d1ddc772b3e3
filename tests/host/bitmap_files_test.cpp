// Checks the two title-strip pictures: file headers, where their artwork
// lies and that everything around it is the flat strip background.
#include "artwork_files.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace artwork_test;

constexpr Colour kBackground{225, 225, 225};

struct Bitmap {
    int width = 0, height = 0;
    std::vector<Colour> pixels; // top-down
    Colour at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// Checks the headers against the fixed layout and decodes the rows.
Bitmap load(const std::string& name, int width, int height, std::uint32_t fileSize, std::uint32_t pixelBytes) {
    const Bytes f = readResource(name);
    EXPECT_EQ(f.size(), fileSize);
    EXPECT_EQ(f.at(0), 'B');
    EXPECT_EQ(f.at(1), 'M');
    EXPECT_EQ(u32(f, 2), fileSize);
    EXPECT_EQ(u32(f, 6), 0u);
    EXPECT_EQ(u32(f, 10), 54u);
    EXPECT_EQ(u32(f, 14), 40u);
    EXPECT_EQ(i32(f, 18), width);
    EXPECT_EQ(i32(f, 22), height);
    EXPECT_EQ(u16(f, 26), 1u);
    EXPECT_EQ(u16(f, 28), 24u);
    EXPECT_EQ(u32(f, 30), 0u);
    EXPECT_EQ(u32(f, 34), pixelBytes);
    for (std::size_t at = 38; at < 54; at += 4) EXPECT_EQ(u32(f, at), 0u) << "header byte " << at;

    Bitmap bmp{width, height, {}};
    const std::size_t rowBytes = stride(width, 24);
    EXPECT_EQ(rowBytes * static_cast<std::size_t>(height), pixelBytes);
    for (int y = 0; y < height; ++y) {
        const std::size_t row = 54 + rowBytes * static_cast<std::size_t>(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const std::size_t p = row + 3 * static_cast<std::size_t>(x);
            bmp.pixels.push_back(Colour{f.at(p + 2), f.at(p + 1), f.at(p)});
        }
    }
    return bmp;
}

struct Extent {
    int left = 1 << 20, right = -1, top = 1 << 20, bottom = -1;
};

template <typename Pred>
Extent extentOf(const Bitmap& bmp, Pred pred) {
    Extent e;
    for (int y = 0; y < bmp.height; ++y) {
        for (int x = 0; x < bmp.width; ++x) {
            if (!pred(bmp.at(x, y))) continue;
            e.left = std::min(e.left, x);
            e.right = std::max(e.right, x);
            e.top = std::min(e.top, y);
            e.bottom = std::max(e.bottom, y);
        }
    }
    return e;
}

TEST(CloseImage, WhiteXWithGreyRimOnFlatBackground) {
    const Bitmap bmp = load("close.bmp", 24, 23, 1710, 1656);
    ASSERT_EQ(bmp.pixels.size(), 24u * 23u);

    const Extent white = extentOf(bmp, [](Colour c) { return c.r >= 250 && c.g >= 250 && c.b >= 250; });
    EXPECT_EQ(white.left, 5);
    EXPECT_EQ(white.right, 17);
    EXPECT_EQ(white.top, 4);
    EXPECT_EQ(white.bottom, 17);

    const Extent drawn = extentOf(bmp, [](Colour c) { return c != kBackground; });
    EXPECT_EQ(drawn.left, 4);
    EXPECT_EQ(drawn.right, 18);
    EXPECT_EQ(drawn.top, 3);
    EXPECT_EQ(drawn.bottom, 18);

    for (const Colour& c : bmp.pixels) {
        EXPECT_TRUE(c.r == c.g && c.g == c.b) << "only neutral greys";
        EXPECT_GE(c.r, 200) << "the rim stays light";
    }
    // An X, not a filled box: arms reach the corners, the edge midpoints
    // between them stay background, and the arms cross in the middle.
    for (auto [x, y] : {std::pair{6, 5}, {16, 5}, {6, 16}, {16, 16}, {11, 10}}) {
        EXPECT_EQ(bmp.at(x, y), (Colour{255, 255, 255})) << x << "," << y;
    }
    for (auto [x, y] : {std::pair{11, 4}, {11, 17}, {5, 10}, {17, 11}}) {
        EXPECT_NE(bmp.at(x, y).r, 255) << x << "," << y;
    }
}

TEST(WeblinkImage, OrangeLetteringInsideItsMargins) {
    const Bitmap bmp = load("weblink.bmp", 90, 19, 5222, 5168);
    ASSERT_EQ(bmp.pixels.size(), 90u * 19u);
    const Colour ink{248, 136, 17};

    int solid = 0;
    for (const Colour& c : bmp.pixels) {
        // Every pixel is the background, the ink, or a blend of the two
        // (blue spans the widest range, so it gives the finest estimate).
        const double t = (kBackground.b - c.b) / double(kBackground.b - ink.b);
        EXPECT_GE(t, 0.0);
        EXPECT_LE(t, 1.0);
        EXPECT_NEAR(c.r, kBackground.r + t * (ink.r - kBackground.r), 2.0);
        EXPECT_NEAR(c.g, kBackground.g + t * (ink.g - kBackground.g), 2.0);
        solid += c == ink ? 1 : 0;
    }
    EXPECT_GT(solid, 150) << "bold strokes in solid orange";

    const Extent drawn = extentOf(bmp, [](Colour c) { return c != kBackground; });
    EXPECT_EQ(drawn.left, 4);
    EXPECT_EQ(drawn.right, 85);
    EXPECT_EQ(drawn.top, 1) << "ascender of the l";
    EXPECT_EQ(drawn.bottom, 15) << "descender of the p";

    // Lower-case body between rows 4 and 12: those rows are busy, while
    // only ascender and descender stems reach the rows beyond.
    auto inkedIn = [&](int y) {
        int n = 0;
        for (int x = 0; x < bmp.width; ++x) n += bmp.at(x, y) != kBackground ? 1 : 0;
        return n;
    };
    for (int y = 4; y <= 12; ++y) EXPECT_GT(inkedIn(y), 10) << "row " << y;
    for (int y : {1, 2, 3, 13, 14, 15}) {
        EXPECT_GT(inkedIn(y), 0) << "row " << y;
        EXPECT_LE(inkedIn(y), 4) << "row " << y;
    }
}

} // namespace
