// The window as the user first meets it: the tab order, and what it looks
// like (its frame, size, controls and stacking are checked from outside by
// the end-to-end test).
#include "MessageLoop.h"
#include "Png.h"
#include "Pump.h"
#include "TestWindow.h"

#include <gtest/gtest.h>

using namespace mirvashel;
using namespace testing_support;

namespace {

class LayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (window->units().ToPixelsX(15) != 1) GTEST_SKIP() << "expected pixel places assume 96 dpi";
    }
    TempFolder folder;
    TestWindow window{folder.str()};

    HWND Hwnd(Ctl row) { return window->Get<fx::Control>(row).hwnd(); }
};

TEST_F(LayoutTest, TabThroughTheProgramsLoopsFollowsTabIndexesSkippingHiddenControlsAndLabels) {
    SetForegroundWindow(window.hwnd());
    Pump();
    ASSERT_EQ(GetFocus(), Hwnd(File1));
    // The key goes through the program's own loops: Tab through the main
    // loop, Shift+Tab through the yield of a long handler.
    auto tab = [&](bool back = false) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_SHIFT] = back ? 0x80 : 0;
        SetKeyboardState(keys);
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
        if (back) {
            fx::DoEvents();
        } else {
            PostQuitMessage(0);
            fx::RunMessageLoop();
        }
        return GetFocus();
    };
    EXPECT_EQ(tab(), Hwnd(Command1));
    EXPECT_EQ(tab(), Hwnd(List1));
    EXPECT_EQ(tab(), Hwnd(Command2));
    // The pictures act when clicked, so they take the focus at their indexes.
    EXPECT_EQ(tab(), Hwnd(Picture2));
    const Image unfocused = CaptureWindow(Hwnd(Picture3));
    EXPECT_EQ(tab(), Hwnd(Picture3));
    EXPECT_EQ(tab(), Hwnd(File1));
    EXPECT_EQ(tab(true), Hwnd(Picture3));
    EXPECT_EQ(tab(true), Hwnd(Picture2));
    EXPECT_EQ(tab(true), Hwnd(Command2));

    window.Get<fx::Control>(Picture1).SetVisible(true); // once the panel shows, its button joins
    EXPECT_EQ(tab(), Hwnd(Command3));
    EXPECT_EQ(tab(), Hwnd(Picture2));

    // Enter and Space act as a click does; a picture reached by keyboard
    // shows its focus, and only while it has it.
    auto press = [&](WPARAM key, LPARAM flags = 0) {
        PostMessageW(GetFocus(), WM_KEYDOWN, key, flags);
        Pump();
    };
    press(VK_RETURN);
    EXPECT_EQ(Record().shellCalls.size(), 1u);
    // Held down, the key repeats (its previous state is down): no more pages.
    for (int i = 0; i < 3; ++i) press(VK_RETURN, LPARAM(1) << 30);
    EXPECT_EQ(Record().shellCalls.size(), 1u);
    EXPECT_EQ(tab(), Hwnd(Picture3));
    PumpFor(50);
    EXPECT_NE(CaptureWindow(Hwnd(Picture3)).pixels, unfocused.pixels);
    EXPECT_EQ(Record().endRequests, 0);
    press(VK_SPACE);
    EXPECT_EQ(Record().endRequests, 1);
    EXPECT_EQ(tab(), Hwnd(File1));
    PumpFor(50);
    EXPECT_EQ(CaptureWindow(Hwnd(Picture3)).pixels, unfocused.pixels);
}

// Windows suggests where the window goes at the new scale: place and size.
// Any program may post the message, though: one with no readable rectangle,
// a rectangle far from the design's size at that DPI, or a DPI outside the
// range Windows uses changes nothing.
TEST_F(LayoutTest, ADpiChangeTakesTheSuggestedPlaceAndSizeAndABogusOneNothing) {
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
