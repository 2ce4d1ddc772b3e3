// Produces the program's three pieces of artwork as file contents.
#pragma once

#include "raster.hpp"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace artgen {

struct ArtworkFile {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

// The icon sizes, each at 4, 8 and 32 bits, in the icon file's order.
inline constexpr int kIconSizes[] = {16, 24, 32, 48, 128};
inline constexpr int kIconDepths[] = {4, 8, 32};

std::vector<std::uint8_t> buildIconFile();
std::vector<std::uint8_t> buildCloseBitmap();
std::vector<std::uint8_t> buildWeblinkBitmap();

// The web-address picture as the program stores it: at 96 dpi as drawn, at
// other DPIs with its edge shades in a few steps (see artwork.cpp).
RgbImage scaledWeblinkImage(const std::string& letteringFont, int dpi);

// All files, named as the resource folder expects them: the icon, both
// pictures at 96 dpi as 24-bit files, and both again run-length encoded for
// the program at 96 dpi and the other scales (title_strip.hpp).
std::vector<ArtworkFile> buildAllArtwork();

// Writes every file of buildAllArtwork() into folder (created if missing).
void writeArtwork(const std::filesystem::path& folder);

} // namespace artgen
