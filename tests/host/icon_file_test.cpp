// Checks the committed application icon against the icon file layout the
// executable's icon group is built from.
#include "artwork_files.hpp"

#include <gtest/gtest.h>

#include <array>

namespace {

using namespace artwork_test;
using Fields = std::vector<std::uint32_t>;

constexpr std::size_t kImages = 15;

// Image n of the file: every size, smallest first, at 4, 8 and 32 bits.
struct Entry {
    std::uint32_t size, bits, tableEntries, pixelBytes; // pixel bytes: colour rows, then mask rows
    std::uint32_t bytes() const { return 40 + 4 * tableEntries + pixelBytes; }
};
Entry entry(std::size_t n) {
    const int size = std::array{16, 24, 32, 48, 128}[n / 3], bits = std::array{4, 8, 32}[n % 3];
    const auto pixelBytes = std::uint32_t((stride(size, bits) + stride(size, 1)) * std::size_t(size));
    return {std::uint32_t(size), std::uint32_t(bits), bits <= 8 ? 1u << bits : 0u, pixelBytes};
}

const Bytes& iconFile() {
    static const Bytes file = readResource("Mirvashel.ico");
    return file;
}

// The colour rows of true-colour image n, top-down.
std::vector<Colour> TrueColourPixels(std::size_t n) {
    const int size = int(entry(n).size);
    return readRows(iconFile(), fields(iconFile(), 6 + 16 * n + 12, {4})[0] + 40, size, size, 32);
}

TEST(IconFile, DirectoryAndImageHeadersFollowTheLayout) {
    const Bytes& f = iconFile();
    EXPECT_EQ(fields(f, 0, {2, 2, 2}), (Fields{0, 1, kImages})); // an icon, not a cursor
    std::uint32_t offset = 6 + 16 * kImages; // each image right after the one before it
    for (std::size_t n = 0; n < kImages; offset += entry(n++).bytes()) {
        const Entry e = entry(n);
        SCOPED_TRACE(testing::Message() << e.size << " px, " << e.bits << " bits");
        // Width, height, colour count (named by the 16-colour images only),
        // reserved, planes, bits, bytes, offset.
        EXPECT_EQ(fields(f, 6 + 16 * n, {1, 1, 1, 1, 2, 2, 4, 4}),
                  (Fields{e.size, e.size, e.bits == 4 ? 16u : 0u, 0, 1, e.bits, e.bytes(), offset}));
        // An uncompressed DIB of twice the height (colour rows and mask); the
        // 8-bit images declare their 256 table entries.
        const std::uint32_t declared = e.bits == 8 ? 256 : 0;
        EXPECT_EQ(fields(f, offset, {4, 4, 4, 2, 2, 4, 4, 4, 4, 4, 4}),
                  (Fields{40, e.size, 2 * e.size, 1, e.bits, 0, e.pixelBytes, 0, 0, declared, declared}));
    }
    EXPECT_EQ(f.size(), offset);
}

TEST(IconFile, FigureHasYellowFolderWhiteSheetAndGreenArrow) {
    const std::vector<Colour> pixels = TrueColourPixels(14);
    int yellow = 0, white = 0, green = 0;
    for (const Colour& c : pixels) {
        if (c.a < 255) continue;
        yellow += c.r > 200 && c.g > 150 && c.b < 120;
        white += c.r > 245 && c.g > 245 && c.b > 245;
        green += c.g > c.r + 60 && c.g > c.b + 60;
    }
    const int area = 128 * 128;
    EXPECT_GT(yellow, area / 6);
    EXPECT_GT(white, area / 20);
    EXPECT_GT(green, area / 10);
    EXPECT_TRUE(pixels[0].a == 0 && pixels[127].a == 0) << "top corners clear";
}

} // namespace
