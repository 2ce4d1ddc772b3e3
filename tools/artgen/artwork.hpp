// Produces the program's three pieces of artwork as file contents.
#pragma once

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

// All three files, named as the resource folder expects them.
std::vector<ArtworkFile> buildAllArtwork();

// Writes every file of buildAllArtwork() into folder (created if missing).
void writeArtwork(const std::filesystem::path& folder);

} // namespace artgen
