// Checks the committed application icon against the icon file layout the
// executable's icon group is built from.
#include "artwork_files.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <set>

namespace {

using namespace artwork_test;

struct Expected {
    int size, colourCount, bits;
    std::uint32_t bytes, offset;
};

constexpr std::array<Expected, 15> kLayout{{
    {16, 16, 4, 296, 246},      {16, 0, 8, 1384, 542},      {16, 0, 32, 1128, 1926},
    {24, 16, 4, 488, 3054},     {24, 0, 8, 1736, 3542},     {24, 0, 32, 2440, 5278},
    {32, 16, 4, 744, 7718},     {32, 0, 8, 2216, 8462},     {32, 0, 32, 4264, 10678},
    {48, 16, 4, 1640, 14942},   {48, 0, 8, 3752, 16582},    {48, 0, 32, 9640, 20334},
    {128, 16, 4, 10344, 29974}, {128, 0, 8, 19496, 40318},  {128, 0, 32, 67624, 59814},
}};

struct Image {
    int size = 0;
    int bits = 0;
    std::vector<Colour> palette;
    std::vector<int> index;       // top-down, paletted images only
    std::vector<Colour> pixels;   // top-down
    std::vector<bool> transparent; // top-down, from the AND mask
    Colour at(int x, int y) const { return pixels[static_cast<std::size_t>(y * size + x)]; }
};

Image decode(const Bytes& file, const Expected& e) {
    Image img;
    img.size = e.size;
    img.bits = e.bits;
    std::size_t at = e.offset + 40;
    if (e.bits <= 8) {
        for (int i = 0; i < (1 << e.bits); ++i, at += 4) {
            img.palette.push_back(Colour{file.at(at + 2), file.at(at + 1), file.at(at), file.at(at + 3)});
        }
    }
    const std::size_t colourStride = stride(e.size, e.bits);
    const std::size_t maskStart = at + colourStride * static_cast<std::size_t>(e.size);
    for (int y = 0; y < e.size; ++y) {
        const std::size_t row = at + colourStride * static_cast<std::size_t>(e.size - 1 - y);
        const std::size_t maskRow = maskStart + stride(e.size, 1) * static_cast<std::size_t>(e.size - 1 - y);
        for (int x = 0; x < e.size; ++x) {
            const auto ux = static_cast<std::size_t>(x);
            img.transparent.push_back(((file.at(maskRow + ux / 8) >> (7 - ux % 8)) & 1) != 0);
            if (e.bits == 32) {
                const std::size_t p = row + ux * 4;
                img.pixels.push_back(Colour{file.at(p + 2), file.at(p + 1), file.at(p), file.at(p + 3)});
                continue;
            }
            const int i = e.bits == 8 ? file.at(row + ux) : (file.at(row + ux / 2) >> (ux % 2 == 0 ? 4 : 0)) & 0x0F;
            img.index.push_back(i);
            img.pixels.push_back(img.palette.at(static_cast<std::size_t>(i)));
        }
    }
    return img;
}

class IconFile : public ::testing::Test {
protected:
    static void SetUpTestSuite() { file_ = new Bytes(readResource("Mirvashel.ico")); }
    static void TearDownTestSuite() { delete file_; }
    static const Bytes& file() { return *file_; }
    static Image image(std::size_t n) { return decode(file(), kLayout[n]); }

private:
    static inline Bytes* file_ = nullptr;
};

TEST_F(IconFile, HeaderAndDirectoryFollowTheLayoutTable) {
    ASSERT_EQ(file().size(), 127438u);
    EXPECT_EQ(u16(file(), 0), 0u);
    EXPECT_EQ(u16(file(), 2), 1u);
    ASSERT_EQ(u16(file(), 4), 15u);
    for (std::size_t n = 0; n < kLayout.size(); ++n) {
        SCOPED_TRACE(n + 1);
        const std::size_t d = 6 + 16 * n;
        const Expected& e = kLayout[n];
        EXPECT_EQ(file()[d], e.size);
        EXPECT_EQ(file()[d + 1], e.size);
        EXPECT_EQ(file()[d + 2], e.colourCount);
        EXPECT_EQ(file()[d + 3], 0);
        EXPECT_EQ(u16(file(), d + 4), 1u);
        EXPECT_EQ(u16(file(), d + 6), static_cast<std::uint32_t>(e.bits));
        EXPECT_EQ(u32(file(), d + 8), e.bytes);
        EXPECT_EQ(u32(file(), d + 12), e.offset);
    }
}

TEST_F(IconFile, ImagesAreUncompressedDibsWithColourRowsAndMask) {
    for (std::size_t n = 0; n < kLayout.size(); ++n) {
        SCOPED_TRACE(n + 1);
        const Expected& e = kLayout[n];
        const std::size_t h = e.offset;
        EXPECT_EQ(u32(file(), h), 40u);
        EXPECT_EQ(i32(file(), h + 4), e.size);
        EXPECT_EQ(i32(file(), h + 8), 2 * e.size);
        EXPECT_EQ(u16(file(), h + 12), 1u);
        EXPECT_EQ(u16(file(), h + 14), static_cast<std::uint32_t>(e.bits));
        EXPECT_EQ(u32(file(), h + 16), 0u);
        EXPECT_EQ(i32(file(), h + 24), 0);
        EXPECT_EQ(i32(file(), h + 28), 0);
        const std::uint32_t declared = e.bits == 8 ? 256u : 0u;
        EXPECT_EQ(u32(file(), h + 32), declared);
        EXPECT_EQ(u32(file(), h + 36), declared);
        const std::size_t tableBytes = e.bits <= 8 ? (std::size_t{4} << e.bits) : 0;
        const auto rows = static_cast<std::size_t>(e.size);
        EXPECT_EQ(40 + tableBytes + (stride(e.size, e.bits) + stride(e.size, 1)) * rows, e.bytes);
    }
}

TEST_F(IconFile, PalettesAreStandardForFourBitsAndOwnForEightBits) {
    const std::array<Colour, 16> standard{{{0, 0, 0},       {128, 0, 0},     {0, 128, 0},   {128, 128, 0},
                                           {0, 0, 128},     {128, 0, 128},   {0, 128, 128}, {128, 128, 128},
                                           {192, 192, 192}, {255, 0, 0},     {0, 255, 0},   {255, 255, 0},
                                           {0, 0, 255},     {255, 0, 255},   {0, 255, 255}, {255, 255, 255}}};
    for (std::size_t n = 0; n < kLayout.size(); n += 3) {
        const Image four = image(n);
        ASSERT_EQ(four.palette.size(), 16u);
        for (std::size_t i = 0; i < 16; ++i) {
            const Colour entry{standard[i].r, standard[i].g, standard[i].b, 0}; // BGR plus a zero byte
            EXPECT_EQ(four.palette[i], entry) << "entry " << i;
        }

        const Image eight = image(n + 1);
        ASSERT_EQ(eight.palette.size(), 256u);
        for (const Colour& c : eight.palette) EXPECT_EQ(c.a, 0) << "table entries end in a zero byte";
    }
    // At full size the figure's gradients need far more than the 16 fixed
    // colours; an 8-bit image using only a few would mean a broken quantiser.
    const Image large = image(13);
    std::set<int> used;
    for (std::size_t i = 0; i < large.index.size(); ++i) {
        if (!large.transparent[i]) used.insert(large.index[i]);
    }
    EXPECT_GT(used.size(), 100u);
}

TEST_F(IconFile, MasksFollowTheAlphaOfTheTrueColourImage) {
    for (std::size_t n = 0; n < kLayout.size(); n += 3) {
        SCOPED_TRACE(kLayout[n].size);
        const Image four = image(n);
        const Image eight = image(n + 1);
        const Image full = image(n + 2);
        EXPECT_EQ(four.transparent, eight.transparent) << "4- and 8-bit images share one mask";
        std::size_t hidden = 0;
        for (std::size_t i = 0; i < full.pixels.size(); ++i) {
            ASSERT_EQ(full.transparent[i], full.pixels[i].a == 0) << "pixel " << i;
            hidden += full.transparent[i] ? 1 : 0;
            // The paletted images show the same figure with hard edges.
            if (full.pixels[i].a == 255) {
                EXPECT_FALSE(eight.transparent[i]) << "pixel " << i;
            }
            if (full.pixels[i].a == 0) {
                EXPECT_TRUE(eight.transparent[i]) << "pixel " << i;
            }
            // Under a set mask bit the colour must be black, or the XOR
            // step would tint whatever lies behind the icon.
            if (four.transparent[i]) {
                EXPECT_EQ(four.pixels[i], (Colour{0, 0, 0, 0})) << "pixel " << i;
                EXPECT_EQ(eight.pixels[i], (Colour{0, 0, 0, 0})) << "pixel " << i;
            }
        }
        EXPECT_GT(hidden, full.pixels.size() / 10) << "transparent around the figure";
        EXPECT_LT(hidden, full.pixels.size() / 2);
    }
}

// Average alpha and premultiplied colour over an 8 × 8 grid of cells, a
// size-independent fingerprint of the drawing.
std::vector<std::array<double, 4>> fingerprint(const Image& img) {
    const int cell = img.size / 8;
    std::vector<std::array<double, 4>> cells(64, std::array<double, 4>{0, 0, 0, 0});
    for (int y = 0; y < img.size; ++y) {
        for (int x = 0; x < img.size; ++x) {
            const Colour c = img.at(x, y);
            auto& out = cells[static_cast<std::size_t>((y / cell) * 8 + x / cell)];
            const double a = c.a / 255.0;
            out[0] += a * c.r;
            out[1] += a * c.g;
            out[2] += a * c.b;
            out[3] += c.a;
        }
    }
    for (auto& c : cells) {
        for (double& v : c) v /= cell * cell;
    }
    return cells;
}

TEST_F(IconFile, EverySizeShowsTheSameFigure) {
    const auto reference = fingerprint(image(14));
    for (std::size_t n = 2; n < 14; n += 3) {
        SCOPED_TRACE(kLayout[n].size);
        const auto cells = fingerprint(image(n));
        double difference = 0;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            for (std::size_t c = 0; c < 4; ++c) difference += std::fabs(cells[i][c] - reference[i][c]);
        }
        EXPECT_LT(difference / (64 * 4), 16.0);
    }
}

TEST_F(IconFile, FigureHasYellowFolderWhiteSheetAndGreenArrow) {
    const Image img = image(14);
    int yellow = 0, white = 0, green = 0;
    for (const Colour& c : img.pixels) {
        if (c.a < 255) continue;
        if (c.r > 200 && c.g > 150 && c.b < 120) ++yellow;
        if (c.r > 245 && c.g > 245 && c.b > 245) ++white;
        if (c.g > c.r + 60 && c.g > c.b + 60) ++green;
    }
    const int area = 128 * 128;
    EXPECT_GT(yellow, area / 6);
    EXPECT_GT(white, area / 20);
    EXPECT_GT(green, area / 10);
    EXPECT_EQ(img.at(0, 0).a, 0);
    EXPECT_EQ(img.at(127, 0).a, 0);
}

} // namespace
