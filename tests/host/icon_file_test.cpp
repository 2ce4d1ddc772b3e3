// Checks the committed application icon against the icon file layout the
// executable's icon group is built from.
#include "artwork_files.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <set>

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

struct Image {
    int size = 0;
    std::vector<Colour> table, pixels; // pixels top-down
    std::vector<bool> hidden;          // top-down, from the AND mask
};

Image image(std::size_t n) {
    const Entry e = entry(n);
    const int size = int(e.size), bits = int(e.bits);
    const std::size_t header = fields(iconFile(), 6 + 16 * n + 12, {4})[0], rows = header + 40 + 4 * e.tableEntries;
    Image img{size, readRows(iconFile(), header + 40, int(e.tableEntries), 1, 32), {}, {}};
    img.pixels = readRows(iconFile(), rows, size, size, bits, img.table);
    const std::size_t maskRows = rows + stride(size, bits) * e.size;
    for (const Colour& m : readRows(iconFile(), maskRows, size, size, 1, {Colour{0, 0, 0, 255}, Colour{0, 0, 0, 0}}))
        img.hidden.push_back(m.a == 0);
    return img;
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

// The 4- and 8-bit images at each size: their colour tables, and the mask
// they share, taken from the alpha of the true-colour image.
TEST(IconFile, PalettedImagesHaveStandardOrOwnTablesAndTheTrueColourMask) {
    // The 16 standard colours, each stored with a zero fourth byte.
    const std::vector<Colour> standard{
        {0, 0, 0, 0}, {128, 0, 0, 0}, {0, 128, 0, 0}, {128, 128, 0, 0}, {0, 0, 128, 0}, {128, 0, 128, 0},
        {0, 128, 128, 0}, {128, 128, 128, 0}, {192, 192, 192, 0}, {255, 0, 0, 0}, {0, 255, 0, 0}, {255, 255, 0, 0},
        {0, 0, 255, 0}, {255, 0, 255, 0}, {0, 255, 255, 0}, {255, 255, 255, 0}};
    for (std::size_t n = 0; n < kImages; n += 3) {
        SCOPED_TRACE(entry(n).size);
        const Image four = image(n), eight = image(n + 1), full = image(n + 2);
        EXPECT_EQ(four.table, standard);
        for (const Colour& c : eight.table) ASSERT_EQ(c.a, 0) << "table entries end in a zero byte";
        EXPECT_EQ(four.hidden, eight.hidden) << "4- and 8-bit images share one mask";
        for (std::size_t i = 0; i < full.pixels.size(); ++i) {
            const int alpha = full.pixels[i].a;
            ASSERT_EQ(full.hidden[i], alpha == 0) << "pixel " << i;
            // The paletted images show the same figure with hard edges.
            if (alpha == 0 || alpha == 255) {
                ASSERT_EQ(eight.hidden[i], alpha == 0) << "pixel " << i;
            }
            // Under a set mask bit the colour must be black, or the XOR step
            // would tint whatever lies behind the icon.
            if (four.hidden[i]) {
                ASSERT_TRUE(four.pixels[i] == Colour(0, 0, 0, 0) && eight.pixels[i] == four.pixels[i]) << "pixel " << i;
            }
        }
        const auto clear = std::size_t(std::ranges::count(full.hidden, true));
        EXPECT_GT(clear, full.pixels.size() / 10) << "transparent around the figure";
        EXPECT_LT(clear, full.pixels.size() / 2);
    }
    // At full size the figure's gradients need far more than the 16 fixed
    // colours; an 8-bit image using only a few would mean a broken quantiser.
    std::set<int> used;
    for (const Colour& c : image(13).pixels) used.insert((c.r << 16) | (c.g << 8) | c.b);
    EXPECT_GT(used.size(), 100u);
}

// Average premultiplied colour and alpha over an 8 × 8 grid of cells, a
// size-independent fingerprint of the drawing.
std::array<double, 256> fingerprint(const Image& img) {
    const int cell = img.size / 8;
    std::array<double, 256> cells{};
    for (std::size_t i = 0; i < img.pixels.size(); ++i) {
        const Colour c = img.pixels[i];
        const int x = int(i) % img.size, y = int(i) / img.size;
        double* out = &cells[std::size_t(4 * ((y / cell) * 8 + x / cell))];
        out[0] += c.a * c.r / 255.0, out[1] += c.a * c.g / 255.0, out[2] += c.a * c.b / 255.0, out[3] += c.a;
    }
    for (double& v : cells) v /= cell * cell;
    return cells;
}

TEST(IconFile, EverySizeShowsTheSameFigure) {
    const auto reference = fingerprint(image(14));
    for (std::size_t n = 2; n < 14; n += 3) {
        SCOPED_TRACE(entry(n).size);
        const auto cells = fingerprint(image(n));
        double difference = 0;
        for (std::size_t i = 0; i < cells.size(); ++i) difference += std::fabs(cells[i] - reference[i]);
        EXPECT_LT(difference / double(cells.size()), 16.0);
    }
}

TEST(IconFile, FigureHasYellowFolderWhiteSheetAndGreenArrow) {
    const Image img = image(14);
    int yellow = 0, white = 0, green = 0;
    for (const Colour& c : img.pixels) {
        if (c.a < 255) continue;
        yellow += c.r > 200 && c.g > 150 && c.b < 120;
        white += c.r > 245 && c.g > 245 && c.b > 245;
        green += c.g > c.r + 60 && c.g > c.b + 60;
    }
    const int area = 128 * 128;
    EXPECT_GT(yellow, area / 6);
    EXPECT_GT(white, area / 20);
    EXPECT_GT(green, area / 10);
    EXPECT_TRUE(img.pixels[0].a == 0 && img.pixels[127].a == 0) << "top corners clear";
}

} // namespace
