// The bitmap reader: headers it must refuse rather than read, and pictures
// enlarged beyond the largest drawing.
#include "Bitmaps.h"
#include "Handles.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// A BMP file of one header, `paletteBytes` of colours and `pixelBytes`.
std::vector<unsigned char> BmpFile(const BITMAPINFOHEADER& ih, size_t paletteBytes, size_t pixelBytes) {
    std::vector<unsigned char> file(sizeof(BITMAPFILEHEADER) + sizeof ih + paletteBytes + pixelBytes, 0x11);
    const BITMAPFILEHEADER fh{0x4D42, DWORD(file.size()), 0, 0, DWORD(file.size() - pixelBytes)};
    std::memcpy(file.data(), &fh, sizeof fh);
    std::memcpy(file.data() + sizeof fh, &ih, sizeof ih);
    return file;
}

// Headers whose sizes would wrap, or that send the system's reading of the
// palette or pixels past the data, are refused, not read.
TEST(BitmapsTest, BitmapHeadersThatReachPastTheDataAreRefused) {
    auto accepted = [](LONG width, LONG height, WORD bits, DWORD colours, size_t paletteBytes) {
        const BITMAPINFOHEADER ih{sizeof ih, width, height, 1, bits, BI_RGB, 0, 0, 0, colours};
        return bool(fx::BitmapFromFile(BmpFile(ih, paletteBytes, 64)));
    };
    EXPECT_TRUE(accepted(4, 4, 32, 0, 0));
    EXPECT_TRUE(accepted(4, -4, 8, 0, 256 * sizeof(RGBQUAD)));
    EXPECT_TRUE(accepted(4, 4, 8, 2, 2 * sizeof(RGBQUAD)));
    EXPECT_FALSE(accepted(-4, 0, 32, 0, 0));
    EXPECT_FALSE(accepted(4, INT_MIN, 32, 0, 0));
    EXPECT_FALSE(accepted(4, 4, 8, 0, 0)) << "no palette";
    EXPECT_FALSE(accepted(4, 4, 1, 0, 0)) << "no palette";
    EXPECT_FALSE(accepted(4, 4, 8, 0, 16 * sizeof(RGBQUAD))) << "a palette cut short";
    EXPECT_FALSE(accepted(4, 4, 8, 0xFFFFFFFF, 256 * sizeof(RGBQUAD)));
    EXPECT_FALSE(accepted(4, 4, 4, 17, 17 * sizeof(RGBQUAD))) << "more colours than 4 bits hold";
    EXPECT_FALSE(accepted(1 << 30, 4, 32, 0, 0));

    // A header size near 2^32 (the palette would lie before the data, on a
    // 32-bit build), and a 12-byte core header, whose fields differ.
    for (const DWORD size : {DWORD(0xFFFFFFFF - 13 - 256 * sizeof(RGBQUAD) + 1), DWORD(0xFFFFFFF0)}) {
        const BITMAPINFOHEADER rle{size, 4, 4, 1, 8, BI_RLE8, 8, 0, 0, 0};
        EXPECT_FALSE(fx::BitmapFromFile(BmpFile(rle, 256 * sizeof(RGBQUAD), 8))) << size;
        const BITMAPINFOHEADER rgb{size, 4, 4, 1, 32, BI_RGB};
        EXPECT_FALSE(fx::BitmapFromFile(BmpFile(rgb, 0, 64))) << size;
    }
    const BITMAPINFOHEADER unsized{sizeof unsized, 4, 4, 1, 8, BI_RLE8, 0};
    EXPECT_FALSE(fx::BitmapFromFile(BmpFile(unsized, 256 * sizeof(RGBQUAD), 8))) << "run-length data of no size";
    const BITMAPCOREHEADER core{sizeof core, 4, 4, 1, 24};
    BITMAPINFOHEADER asRead{}; // the core header's fields, then zeros
    std::memcpy(&asRead, &core, sizeof core);
    EXPECT_FALSE(fx::BitmapFromFile(BmpFile(asRead, 0, 64)));
}

// Past the largest drawing, a picture is enlarged pixel by pixel: every
// pixel of a 3x enlargement is one of the drawing's colours, in 3x3 blocks.
TEST(BitmapsTest, PicturesBeyondTheLargestDrawingAreEnlargedPixelByPixel) {
    // 2 x 2, top-down, 32-bit: black, white / white, black.
    const BITMAPINFOHEADER ih{sizeof ih, 2, -2, 1, 32, BI_RGB};
    std::vector<unsigned char> file = BmpFile(ih, 0, 16);
    const std::uint32_t pixels[] = {0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000};
    std::memcpy(file.data() + file.size() - sizeof pixels, pixels, sizeof pixels);
    const fx::UniqueBitmap enlarged = fx::BitmapForDpi(file, 96, 288);
    ASSERT_TRUE(enlarged);
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), 6, -6, 1, 32, BI_RGB}};
    std::vector<std::uint32_t> read(36);
    ASSERT_EQ(GetDIBits(fx::WindowDC(nullptr).get(), enlarged.get(), 0, 6, read.data(), &info, DIB_RGB_COLORS), 6);
    std::vector<std::uint32_t> expected;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) expected.push_back(pixels[(y / 3) * 2 + x / 3]);
    for (std::uint32_t& pixel : read) pixel &= 0xFFFFFF;
    EXPECT_EQ(read, expected);
}

} // namespace
