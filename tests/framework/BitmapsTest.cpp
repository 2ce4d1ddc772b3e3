// The bitmap reader: headers it must refuse rather than read.
#include "Bitmaps.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

namespace {

// Headers that would wrap the size check are refused, not read.
TEST(BitmapsTest, BitmapHeadersWithANegativeWidthOrTheLowestHeightAreRefused) {
    std::vector<unsigned char> file(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + 64);
    const BITMAPFILEHEADER fh{0x4D42, DWORD(file.size()), 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    auto accepted = [&](LONG width, LONG height) {
        const BITMAPINFOHEADER ih{sizeof ih, width, height, 1, 32, BI_RGB};
        std::memcpy(file.data(), &fh, sizeof fh);
        std::memcpy(file.data() + sizeof fh, &ih, sizeof ih);
        return bool(fx::BitmapFromFile(file));
    };
    EXPECT_TRUE(accepted(4, 4));
    EXPECT_FALSE(accepted(-4, 0));
    EXPECT_FALSE(accepted(4, INT_MIN));
}

} // namespace
