// A change of display scale: the window takes the place and size Windows
// suggests, and a message no Windows would send changes nothing.
#include "Pump.h"
#include "WindowAt96DpiTest.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

class DpiChangeTest : public WindowAt96DpiTest {};

// Windows suggests where the window goes at the new scale: place and size.
// Any program may post the message, though: one with no readable rectangle,
// a rectangle far from the design's size at that DPI, or a DPI outside the
// range Windows uses changes nothing.
TEST_F(DpiChangeTest, ADpiChangeTakesTheSuggestedPlaceAndSizeAndABogusOneNothing) {
    const HWND main = window.hwnd();
    auto place = [&] {
        RECT r{};
        GetWindowRect(main, &r);
        return r;
    };
    const RECT before = place(), suggested = window.SuggestedAt(144, 37, 23), huge{0, 0, 1 << 20, 1 << 20},
               at47 = window.SuggestedAt(47), at1921 = window.SuggestedAt(1921);
    void* released = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    VirtualFree(released, 0, MEM_RELEASE);
    const struct { int dpi; const void* rect; } bogus[] = {
        {144, nullptr}, {144, released}, {144, &huge}, {0, &suggested}, {47, &at47}, {1921, &at1921},
        {65535, &suggested}};
    for (const auto& b : bogus) {
        PostMessageW(main, WM_DPICHANGED, MAKEWPARAM(b.dpi, b.dpi), reinterpret_cast<LPARAM>(b.rect));
        Pump();
        ASSERT_TRUE(IsWindow(main));
        EXPECT_EQ(window->units().dpiY(), 96) << b.dpi;
        const RECT now = place();
        EXPECT_TRUE(EqualRect(&now, &before)) << b.dpi;
    }
    window.ChangeDpi(144, suggested);
    EXPECT_EQ(window->units().dpiX(), 144);
    const RECT now = place();
    EXPECT_TRUE(EqualRect(&now, &suggested)) << now.left << "," << now.top << " " << now.right << "," << now.bottom;
}

} // namespace
