// The committed artwork must be exactly what the generator draws today, so a
// change to the drawing code cannot silently leave stale files behind.
#include "artwork.hpp"
#include "artwork_files.hpp"
#include "close_art.hpp"
#include "font_file.hpp"
#include "weblink_art.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace artwork_test;

TEST(ArtworkSync, RegeneratedFilesEqualTheCommittedOnes) {
    const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / "mirvashel-artwork";
    std::filesystem::remove_all(folder);
    artgen::writeArtwork(folder);
    for (const auto& file : artgen::buildAllArtwork()) {
        const std::string& name = file.name;
        const Bytes fresh = readFile(folder / name), committed = readResource(name);
        // Report where they part rather than two huge dumps.
        const auto [a, b] = std::ranges::mismatch(fresh, committed);
        EXPECT_TRUE(a == fresh.end() && b == committed.end())
            << name << " differs from byte " << (a - fresh.begin()) << " on (" << fresh.size() << " bytes drawn, "
            << committed.size() << " committed); regenerate with: cmake --build build/host --target artwork";
    }
    std::filesystem::remove_all(folder);
}

// The pictures for other scales are 8-bit run-length encoded: decoded here
// on their own, every pixel is the drawing's.
std::vector<artgen::Rgb> decodeRle8(const Bytes& file, int& width, int& height) {
    const auto head = fields(file, 10, {4, 4, 4, 4, 2, 2, 4, 4, 4, 4, 4});
    EXPECT_EQ(head[6], 1u); // BI_RLE8
    width = int(head[2]);
    height = int(head[3]);
    std::vector<artgen::Rgb> pixels(std::size_t(width) * std::size_t(height));
    auto colour = [&](std::size_t index) {
        const std::size_t at = 54 + 4 * index;
        return artgen::Rgb{file.at(at + 2), file.at(at + 1), file.at(at)};
    };
    std::size_t at = head[0];
    int x = 0, y = height - 1; // rows run bottom-up
    auto put = [&](std::size_t index) { pixels.at(std::size_t(y) * std::size_t(width) + std::size_t(x++)) = colour(index); };
    for (;;) {
        const std::uint8_t count = file.at(at++), value = file.at(at++);
        if (count > 0) {
            for (int i = 0; i < count; ++i) put(value);
        } else if (value == 0) {
            EXPECT_EQ(x, width) << "row " << y;
            x = 0;
            --y;
        } else if (value == 1) {
            break;
        } else {
            for (int i = 0; i < value; ++i) put(file.at(at++));
            at += value % 2;
        }
    }
    EXPECT_EQ(y, -1);
    EXPECT_EQ(at, file.size());
    return pixels;
}

TEST(ArtworkSync, ScaledPicturesDecodeToTheirDrawings) {
    const std::string font = artgen::findLetteringFont();
    for (const int dpi : artgen::kScaledDpis) {
        const std::string suffix = std::to_string(dpi).insert(0, 1, '-').append(".bmp");
        for (const auto& [name, drawing] : {std::pair{"close" + suffix, artgen::drawCloseImage(dpi)},
                                            std::pair{"weblink" + suffix, artgen::drawWeblinkImage(font, dpi)}}) {
            int width = 0, height = 0;
            const auto pixels = decodeRle8(readResource(name), width, height);
            EXPECT_EQ(width, drawing.width) << name;
            EXPECT_EQ(height, drawing.height) << name;
            EXPECT_TRUE(pixels == drawing.pixels) << name;
        }
    }
}

} // namespace
