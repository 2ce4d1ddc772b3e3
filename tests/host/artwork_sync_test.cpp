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
// on their own, every pixel is the generator's.
std::vector<artgen::Rgb> decodeRle8(const Bytes& file, int width, int height) {
    std::vector<artgen::Rgb> pixels;
    std::vector<std::vector<std::uint8_t>> rows(1);
    for (std::size_t at = fields(file, 10, {4})[0];;) {
        const std::uint8_t count = file.at(at++), value = file.at(at++);
        if (count > 0) rows.back().insert(rows.back().end(), count, value);
        else if (value == 0) rows.emplace_back();   // end of row
        else if (value == 1) break;                 // end of bitmap
        else {
            rows.back().insert(rows.back().end(), file.begin() + std::ptrdiff_t(at), file.begin() + std::ptrdiff_t(at + value));
            at += value + value % 2;
        }
    }
    EXPECT_EQ(rows.size(), std::size_t(height) + 1); // the last mark opens none
    for (int y = height; y-- > 0;) {                  // rows run bottom-up
        EXPECT_EQ(rows[std::size_t(y)].size(), std::size_t(width));
        for (const std::uint8_t index : rows[std::size_t(y)])
            pixels.push_back({file.at(56 + 4 * index), file.at(55 + 4 * index), file.at(54 + 4 * index)});
    }
    return pixels;
}

TEST(ArtworkSync, ScaledPicturesDecodeToTheirDrawings) {
    const std::string font = artgen::findLetteringFont();
    for (const int dpi : {96, 120, 144, 192}) {
        const std::string suffix = std::to_string(dpi).insert(0, 1, '-').append(".bmp");
        for (const auto& [name, drawing] : {std::pair{"close" + suffix, artgen::drawCloseImage(dpi)},
                                            std::pair{"weblink" + suffix, artgen::scaledWeblinkImage(font, dpi)}}) {
            const Bytes file = readResource(name);
            EXPECT_EQ(fields(file, 18, {4, 4}), (std::vector<std::uint32_t>{std::uint32_t(drawing.width), std::uint32_t(drawing.height)})) << name;
            EXPECT_TRUE(decodeRle8(file, drawing.width, drawing.height) == drawing.pixels) << name;
        }
    }
}

} // namespace
