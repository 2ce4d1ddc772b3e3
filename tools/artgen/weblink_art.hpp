// The web-address picture: the maker's host name in bold orange lettering on
// the title strip's light grey.
#pragma once

#include "raster.hpp"
#include "title_strip.hpp"

#include <string>

namespace artgen {

inline constexpr int kWeblinkWidth = 90;
inline constexpr int kWeblinkHeight = 19;
inline constexpr char kWeblinkHost[] = "example.com";
inline constexpr Rgb kWeblinkInk{248, 136, 17};

// Columns and rows the lettering may use; the rest stays background.
inline constexpr int kLetteringLeft = 4;
inline constexpr int kLetteringRight = 85;
inline constexpr int kLetteringTop = 1;
inline constexpr int kLetteringBottom = 15;
inline constexpr int kBaselineRow = 12; // last row of ink of letters without descenders

// Draws the host name with the bold face in fontFile: hinted so that its
// x-height fills rows 4..12 above the baseline, and squeezed sideways to
// span the columns kLetteringLeft..kLetteringRight; at another DPI the same
// shares of a canvas scaled as in title_strip.hpp.
RgbImage drawWeblinkImage(const std::string& fontFile, int dpi = 96);

} // namespace artgen
