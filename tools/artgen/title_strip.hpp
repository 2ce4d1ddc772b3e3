// Shared look of the two pictures that sit on the window's title strip.
#pragma once

#include "raster.hpp"

namespace artgen {

// Flat background of both pictures: one level lighter than the strip's own
// RGB(224, 224, 224), which is all that separates the pictures from it.
inline constexpr Rgb kStripBackground{225, 225, 225};

} // namespace artgen
