// Shared look of the two pictures that sit on the window's title strip.
#pragma once

#include "raster.hpp"

namespace artgen {

// Flat background of both pictures: one level lighter than the strip's own
// RGB(224, 224, 224), which is all that separates the pictures from it.
inline constexpr Rgb kStripBackground{225, 225, 225};

// The screens the pictures are drawn for besides 96 dpi (100 %): 125, 150
// and 200 %, the commonest display scales. The program shrinks the next
// larger drawing for the scales between (175 %), and enlarges the 200 %
// one pixel by pixel beyond it: each drawn scale costs it 3 to 6 KB even
// compressed, and it must stay within its size budget.
inline constexpr int kScaledDpis[] = {120, 144, 192};

// A length of the 96-dpi picture at another DPI, rounded up.
constexpr int scaledSize(int pixelsAt96, int dpi) { return (pixelsAt96 * dpi + 95) / 96; }

} // namespace artgen
