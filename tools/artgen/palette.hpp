// Colour reduction for the paletted icon images: the fixed 16-colour table,
// a median-cut quantiser for the 256-colour images, and Floyd–Steinberg
// error diffusion for the 16-colour ones.
#pragma once

#include "raster.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace artgen {

// The 16 colours every Windows display can show, in the order of the
// system's default 4-bit colour table.
const std::array<Rgb, 16>& standardColours16();

// Median cut over the given pixels: at most maxColours representative
// colours. When the pixels hold no more distinct colours than that, those
// exact colours are returned. Result order depends only on the input set.
std::vector<Rgb> medianCut(const std::vector<Rgb>& pixels, std::size_t maxColours);

// Index of the palette entry closest to c (weighted squared RGB distance; ties go to
// the lower index so results are reproducible).
std::uint8_t nearestIndex(const std::vector<Rgb>& palette, Rgb c);

// Per-pixel palette indices, top-down. Pixels with opaque[i] false take
// fillIndex and neither give nor receive diffusion error, so the transparent
// surround cannot bleed colour into the figure's edge.
std::vector<std::uint8_t> mapNearest(const RgbaImage& image, const std::vector<bool>& opaque,
                                     const std::vector<Rgb>& palette, std::uint8_t fillIndex);
std::vector<std::uint8_t> ditherFloydSteinberg(const RgbaImage& image, const std::vector<bool>& opaque,
                                               const std::vector<Rgb>& palette, std::uint8_t fillIndex);

} // namespace artgen
