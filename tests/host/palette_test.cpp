// Colour reduction used for the 16- and 256-colour icon images.
#include "palette.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using artgen::Rgb;

TEST(MedianCut, KeepsExactColoursWhenTheyFit) {
    const std::vector<Rgb> pixels{{10, 20, 30}, {200, 0, 0}, {10, 20, 30}, {0, 0, 255}};
    std::vector<Rgb> palette = artgen::medianCut(pixels, 8);
    ASSERT_EQ(palette.size(), 3u);
    for (const Rgb& p : pixels) EXPECT_NE(std::find(palette.begin(), palette.end(), p), palette.end());
}

TEST(MedianCut, ReducesAGradientWithBoundedError) {
    std::vector<Rgb> ramp;
    for (int v = 0; v < 256; ++v) ramp.push_back(Rgb{static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(255 - v), 40});
    const std::vector<Rgb> palette = artgen::medianCut(ramp, 16);
    ASSERT_EQ(palette.size(), 16u);
    for (const Rgb& c : ramp) {
        const Rgb& got = palette[artgen::nearestIndex(palette, c)];
        EXPECT_LE(std::abs(int{got.r} - int{c.r}), 10) << int{c.r};
        EXPECT_LE(std::abs(int{got.g} - int{c.g}), 10) << int{c.r};
    }
}

TEST(FloydSteinberg, MixesNeighbouringColoursToTheRightAverage) {
    // Grey 160 lies half-way between grey 128 and silver 192, and
    // the dithered field must average back to it.
    artgen::RgbaImage img(16, 16);
    for (auto& p : img.pixels) p = artgen::Rgba{160, 160, 160, 255};
    const std::vector<Rgb> palette{{0, 0, 0}, {128, 128, 128}, {192, 192, 192}};
    const std::vector<bool> opaque(img.pixels.size(), true);
    const auto indices = artgen::ditherFloydSteinberg(img, opaque, palette, 0);
    double sum = 0;
    for (std::uint8_t i : indices) {
        ASSERT_NE(i, 0) << "black is far from the wanted grey";
        sum += palette[i].r;
    }
    EXPECT_NEAR(sum / static_cast<double>(indices.size()), 160.0, 2.0);
}

TEST(FloydSteinberg, TransparentPixelsTakeTheFillAndNoError) {
    // Left half transparent: its pixels take the fill index, and the right
    // half alone must still average to its own colour.
    artgen::RgbaImage img(8, 8);
    std::vector<bool> opaque(img.pixels.size(), false);
    for (int y = 0; y < 8; ++y) {
        for (int x = 4; x < 8; ++x) {
            img.at(x, y) = artgen::Rgba{255, 255, 255, 255};
            opaque[static_cast<std::size_t>(y * 8 + x)] = true;
        }
    }
    const std::vector<Rgb> palette{{0, 0, 0}, {128, 128, 128}, {255, 255, 255}};
    const auto indices = artgen::ditherFloydSteinberg(img, opaque, palette, 0);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) EXPECT_EQ(indices[static_cast<std::size_t>(y * 8 + x)], x < 4 ? 0 : 2);
    }
}

} // namespace
