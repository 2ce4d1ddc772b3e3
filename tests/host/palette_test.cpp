// Colour reduction used for the 16- and 256-colour icon images.
#include "palette.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using artgen::Rgb;

TEST(MedianCut, KeepsExactColoursWhenTheyFit) {
    const std::vector<Rgb> pixels{{10, 20, 30}, {200, 0, 0}, {10, 20, 30}, {0, 0, 255}};
    const std::vector<Rgb> palette = artgen::medianCut(pixels, 8);
    ASSERT_EQ(palette.size(), 3u);
    for (const Rgb& p : pixels) EXPECT_NE(std::ranges::find(palette, p), palette.end());
}

TEST(MedianCut, ReducesAGradientWithBoundedError) {
    std::vector<Rgb> ramp;
    for (int v = 0; v < 256; ++v) ramp.push_back(Rgb{std::uint8_t(v), std::uint8_t(255 - v), 40});
    const std::vector<Rgb> palette = artgen::medianCut(ramp, 16);
    ASSERT_EQ(palette.size(), 16u);
    for (const Rgb& c : ramp) {
        const Rgb& got = palette[artgen::nearestIndex(palette, c)];
        EXPECT_TRUE(std::abs(got.r - c.r) <= 10 && std::abs(got.g - c.g) <= 10) << int{c.r};
    }
}

TEST(FloydSteinberg, MixesNeighbouringColoursToTheRightAverage) {
    // Grey 160 lies half-way between grey 128 and silver 192, and the
    // dithered field must average back to it; black is far from it.
    artgen::RgbaImage img(16, 16);
    std::ranges::fill(img.pixels, artgen::Rgba{160, 160, 160, 255});
    const std::vector<Rgb> palette{{0, 0, 0}, {128, 128, 128}, {192, 192, 192}};
    double sum = 0;
    for (std::uint8_t i : artgen::ditherFloydSteinberg(img, std::vector<bool>(256, true), palette, 0)) {
        ASSERT_NE(i, 0);
        sum += palette[i].r;
    }
    EXPECT_NEAR(sum / 256, 160.0, 2.0);
}

TEST(FloydSteinberg, TransparentPixelsTakeTheFillAndNoError) {
    // Left half transparent: its pixels take the fill index, and the right
    // half alone must still come out as its own colour.
    artgen::RgbaImage img(8, 8);
    std::vector<bool> opaque(64);
    for (std::size_t i = 0; i < 64; ++i) {
        if ((opaque[i] = i % 8 >= 4)) img.pixels[i] = artgen::Rgba{255, 255, 255, 255};
    }
    const auto indices = artgen::ditherFloydSteinberg(img, opaque, {{0, 0, 0}, {128, 128, 128}, {255, 255, 255}}, 0);
    for (std::size_t i = 0; i < 64; ++i) EXPECT_EQ(indices[i], opaque[i] ? 2 : 0) << "pixel " << i;
}

} // namespace
