// Writes Windows bitmap files: uncompressed 24-bit, or 8-bit run-length
// encoded with a palette of the image's own colours.
#pragma once

#include "raster.hpp"

#include <cstdint>
#include <vector>

namespace artgen {

// File header, 40-byte info header, then bottom-up BGR rows padded to
// 4 bytes. No palette, zero resolution, zero colours used.
std::vector<std::uint8_t> encodeBmp24(const RgbImage& image);

// Palette of the image's colours in order of first appearance (bottom row
// first), then RLE8 rows bottom-up: runs of one index, literal stretches
// of three or more, an end-of-line mark per row and an end-of-bitmap mark.
// The pictures' flat backgrounds make this a fraction of the 24-bit size.
// Throws when the image has more than 256 colours.
std::vector<std::uint8_t> encodeBmpRle8(const RgbImage& image);

} // namespace artgen
