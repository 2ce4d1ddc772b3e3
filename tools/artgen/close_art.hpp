// The close button's picture: a white X on the title strip's light grey.
#pragma once

#include "raster.hpp"
#include "title_strip.hpp"

namespace artgen {

inline constexpr int kCloseWidth = 24;
inline constexpr int kCloseHeight = 23;

RgbImage drawCloseImage();

} // namespace artgen
