// The close button's picture: a white X on the title strip's light grey.
#pragma once

#include "raster.hpp"
#include "title_strip.hpp"

namespace artgen {

inline constexpr int kCloseWidth = 24;
inline constexpr int kCloseHeight = 23;

// The picture for a screen of `dpi` pixels per inch: the same drawing
// scaled, on a canvas of the 96-dpi size scaled and rounded up (so it
// covers its box however the box's size was rounded). At 96, the original.
RgbImage drawCloseImage(int dpi = 96);

} // namespace artgen
