// Twips are the unit of every place and size in the window design:
// 1440 to the inch, so 15 to the pixel on a 96 dpi screen.
#pragma once

#include <windows.h>

namespace fx {

inline constexpr int kTwipsPerInch = 1440;

struct TwipRect {
    int left, top, width, height;
};

class Units {
public:
    constexpr Units(int dpiX, int dpiY) noexcept : dpiX_(dpiX), dpiY_(dpiY) {}
    // The screen's real pixels per inch, not an assumed 96.
    static Units FromScreen() noexcept;

    int ToPixelsX(double twips) const noexcept;
    int ToPixelsY(double twips) const noexcept;
    double ToTwipsX(int pixels) const noexcept { return double(pixels) * kTwipsPerInch / dpiX_; }
    double ToTwipsY(int pixels) const noexcept { return double(pixels) * kTwipsPerInch / dpiY_; }
    RECT ToPixels(const TwipRect& r) const noexcept;
    int dpiY() const noexcept { return dpiY_; }

private:
    int dpiX_, dpiY_;
};

} // namespace fx
