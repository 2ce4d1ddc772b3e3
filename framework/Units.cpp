#include "Units.h"

#include "Handles.h"

#include <cmath>

namespace fx {

Units Units::FromScreen() noexcept {
    WindowDC screen(nullptr);
    return Units(GetDeviceCaps(screen.get(), LOGPIXELSX), GetDeviceCaps(screen.get(), LOGPIXELSY));
}

int Units::ToPixelsX(double twips) const noexcept {
    return int(std::lround(twips * dpiX_ / kTwipsPerInch));
}

int Units::ToPixelsY(double twips) const noexcept {
    return int(std::lround(twips * dpiY_ / kTwipsPerInch));
}

RECT Units::ToPixels(const TwipRect& r) const noexcept {
    const int left = ToPixelsX(r.left);
    const int top = ToPixelsY(r.top);
    return RECT{left, top, left + ToPixelsX(r.width), top + ToPixelsY(r.height)};
}

} // namespace fx
