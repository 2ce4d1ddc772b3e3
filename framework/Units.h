// Twips are the unit of every place and size in the window design:
// 1440 to the inch, so 15 to the pixel on a 96 dpi screen.
#pragma once

#include <windows.h>

namespace fx {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kDesignDpi = 96; // the pixels per inch the artwork was drawn for

struct TwipRect {
    int left, top, width, height;
};

class Units {
public:
    constexpr Units(int dpiX, int dpiY) noexcept : dpiX_(dpiX), dpiY_(dpiY) {}
    // The screen's real pixels per inch, not an assumed 96.
    static Units FromScreen() noexcept;
    // The pixels per inch of the monitor the window is on, as a
    // per-monitor-aware program sees them; the screen's where Windows is
    // too old to tell them apart.
    static Units ForWindow(HWND window) noexcept;

    int ToPixelsX(double twips) const noexcept;
    int ToPixelsY(double twips) const noexcept;
    double ToTwipsX(int pixels) const noexcept { return double(pixels) * kTwipsPerInch / dpiX_; }
    double ToTwipsY(int pixels) const noexcept { return double(pixels) * kTwipsPerInch / dpiY_; }
    RECT ToPixels(const TwipRect& r) const noexcept;
    int dpiX() const noexcept { return dpiX_; }
    int dpiY() const noexcept { return dpiY_; }
    friend bool operator==(const Units&, const Units&) = default;

private:
    int dpiX_, dpiY_;
};

// Tells Windows, before the first window, that the program draws itself at
// every display scale, so that Windows does not stretch (and blur) it: the
// best level the system offers, each looked up at run time so the program
// still starts where a level is missing.
void DeclareDpiAwareness() noexcept;

} // namespace fx
