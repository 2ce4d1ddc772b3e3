// Writes uncompressed 24-bit Windows bitmap files.
#pragma once

#include "raster.hpp"

#include <cstdint>
#include <vector>

namespace artgen {

// File header, 40-byte info header, then bottom-up BGR rows padded to
// 4 bytes. No palette, zero resolution, zero colours used.
std::vector<std::uint8_t> encodeBmp24(const RgbImage& image);

} // namespace artgen
