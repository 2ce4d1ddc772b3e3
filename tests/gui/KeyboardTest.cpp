// The keyboard: the tab order, focus rectangles, and Enter and Space on the
// pictures that act when clicked.
#include "MessageLoop.h"
#include "Png.h"
#include "Pump.h"
#include "WindowAt96DpiTest.h"

#include <gtest/gtest.h>

using namespace mirvashel;
using namespace testing_support;

namespace {

class KeyboardTest : public WindowAt96DpiTest {
protected:
    HWND Hwnd(Ctl row) { return window->Get<fx::Control>(row).hwnd(); }
};

TEST_F(KeyboardTest, TabThroughTheProgramsLoopsFollowsTabIndexesSkippingHiddenControlsAndLabels) {
    SetForegroundWindow(window.hwnd());
    Pump();
    ASSERT_EQ(GetFocus(), Hwnd(kFileList));
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
    EXPECT_EQ(tab(), Hwnd(kRemoveButton));
    EXPECT_EQ(tab(), Hwnd(kFontList));
    EXPECT_EQ(tab(), Hwnd(kInstallButton));
    // The pictures act when clicked, so they take the focus at their indexes.
    EXPECT_EQ(tab(), Hwnd(kWebLinkPicture));
    const Image unfocused = CaptureWindow(Hwnd(kClosePicture));
    EXPECT_EQ(tab(), Hwnd(kClosePicture));
    EXPECT_EQ(tab(), Hwnd(kFileList));
    EXPECT_EQ(tab(true), Hwnd(kClosePicture));
    EXPECT_EQ(tab(true), Hwnd(kWebLinkPicture));
    EXPECT_EQ(tab(true), Hwnd(kInstallButton));

    window.Get<fx::Control>(kDonePanel).SetVisible(true); // once the panel shows, its button joins
    EXPECT_EQ(tab(), Hwnd(kEndButton));
    EXPECT_EQ(tab(), Hwnd(kWebLinkPicture));

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
    EXPECT_EQ(tab(), Hwnd(kClosePicture));
    PumpFor(50);
    EXPECT_NE(CaptureWindow(Hwnd(kClosePicture)).pixels, unfocused.pixels);
    EXPECT_EQ(Record().endRequests, 0);
    press(VK_SPACE);
    EXPECT_EQ(Record().endRequests, 1);
    EXPECT_EQ(tab(), Hwnd(kFileList));
    PumpFor(50);
    EXPECT_EQ(CaptureWindow(Hwnd(kClosePicture)).pixels, unfocused.pixels);
}

} // namespace
