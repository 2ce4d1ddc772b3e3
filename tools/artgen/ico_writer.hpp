// Encodes icon images as uncompressed device-independent bitmaps (colour rows
// plus a 1-bit transparency mask) and packs them into an icon file.
#pragma once

#include "raster.hpp"

#include <cstdint>
#include <vector>

namespace artgen {

// Alpha at or above this counts as figure in the paletted images, which can
// only show a pixel fully or not at all.
inline constexpr std::uint8_t kPalettedOpaqueAlpha = 128;

struct EncodedIconImage {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    std::vector<std::uint8_t> dib;
};

// bitsPerPixel 4: standard 16 colours, Floyd–Steinberg dithered.
// bitsPerPixel 8: own 256-entry table from median cut, nearest colour.
// bitsPerPixel 32: BGRA with straight alpha; mask bit set where alpha is 0.
EncodedIconImage encodeIconImage(const RgbaImage& art, int bitsPerPixel);

// Icon file: header, one 16-byte directory entry per image, then the images
// back to back in the given order.
std::vector<std::uint8_t> encodeIcoFile(const std::vector<EncodedIconImage>& images);

} // namespace artgen
