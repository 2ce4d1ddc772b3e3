#include "Units.h"

#include "Handles.h"

#include <cmath>

namespace fx {

Units Units::FromScreen() noexcept {
    WindowDC screen(nullptr);
    return Units(GetDeviceCaps(screen.get(), LOGPIXELSX), GetDeviceCaps(screen.get(), LOGPIXELSY));
}

// A half goes to the even neighbour (lrint in the default rounding mode), as
// the designer's twips were always converted: at 120 and 192 dpi an odd
// number of pixels gives halves, and rounding them all up would shift every
// such edge by a pixel.
int Units::ToPixelsX(double twips) const noexcept { return int(std::lrint(twips * dpiX_ / kTwipsPerInch)); }

int Units::ToPixelsY(double twips) const noexcept { return int(std::lrint(twips * dpiY_ / kTwipsPerInch)); }

RECT Units::ToPixels(const TwipRect& r) const noexcept {
    const int left = ToPixelsX(r.left);
    const int top = ToPixelsY(r.top);
    return RECT{left, top, left + ToPixelsX(r.width), top + ToPixelsY(r.height)};
}

} // namespace fx
