#include "Units.h"

#include "Handles.h"
#include "SystemLibraries.h"

#include <cmath>

namespace fx {

namespace {
HMODULE User32() { return GetModuleHandleW(L"user32.dll"); }
} // namespace

Units Units::FromScreen() noexcept {
    WindowDC screen(nullptr);
    return Units(GetDeviceCaps(screen.get(), LOGPIXELSX), GetDeviceCaps(screen.get(), LOGPIXELSY));
}

Units Units::ForWindow(HWND window) noexcept {
    // Windows 10 (1607) and later; before, one DPI held for every monitor.
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpi = ModuleFunction<GetDpiForWindowFn>(User32(), "GetDpiForWindow");
    if (const UINT dpi = getDpi && window ? getDpi(window) : 0) return Units(int(dpi), int(dpi));
    WindowDC dc(window);
    return Units(GetDeviceCaps(dc.get(), LOGPIXELSX), GetDeviceCaps(dc.get(), LOGPIXELSY));
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

void DeclareDpiAwareness() noexcept {
    // Per monitor, version 2 (Windows 10 1703): the window gets
    // WM_DPICHANGED and Windows scales its frame.
    using SetContextFn = BOOL(WINAPI*)(HANDLE);
    const auto perMonitorV2 = reinterpret_cast<HANDLE>(LONG_PTR(-4)); // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
    if (const auto set = ModuleFunction<SetContextFn>(User32(), "SetProcessDpiAwarenessContext"))
        if (set(perMonitorV2)) return;
    // Per monitor (Windows 8.1), from shcore in the system folder.
    using SetAwarenessFn = HRESULT(WINAPI*)(int);
    constexpr int kPerMonitorAware = 2; // PROCESS_PER_MONITOR_DPI_AWARE
    if (const auto set = ModuleFunction<SetAwarenessFn>(LoadSystemLibrary(L"shcore.dll"), "SetProcessDpiAwareness"))
        if (SUCCEEDED(set(kPerMonitorAware))) return;
    // System aware (Vista): one DPI, the primary screen's, for every monitor.
    using SetAwareFn = BOOL(WINAPI*)();
    if (const auto set = ModuleFunction<SetAwareFn>(User32(), "SetProcessDPIAware")) set();
}

} // namespace fx
