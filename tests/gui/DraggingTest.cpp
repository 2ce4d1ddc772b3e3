// Dragging the window by its bare surface.
#include "Pump.h"
#include "WindowAt96DpiTest.h"

#include <gtest/gtest.h>

using namespace mirvashel;
using namespace testing_support;

namespace {

class DraggingTest : public WindowAt96DpiTest {
protected:
    void SetUp() override {
        WindowAt96DpiTest::SetUp();
        if (!IsSkipped()) GetWindowRect(window.hwnd(), &start);
    }
    void Send(UINT msg, WPARAM keys, int x, int y, HWND target = nullptr) {
        SendMessageW(target ? target : window.hwnd(), msg, keys, MAKELPARAM(x, y));
        Pump();
    }
    POINT Moved() {
        RECT r{};
        GetWindowRect(window.hwnd(), &r);
        return {r.left - start.left, r.top - start.top};
    }

    RECT start{};
};

TEST_F(DraggingTest, PressOnBareSurfaceThenLeftMovesShiftTheWindowAndOtherButtonsDoNot) {
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 20, 300);
    EXPECT_EQ(window->drag().lDownX, 300);
    EXPECT_EQ(window->drag().lDownY, 4500);
    EXPECT_EQ(GetCapture(), window.hwnd());
    Send(WM_MOUSEMOVE, MK_LBUTTON, 30, 290);
    EXPECT_EQ(Moved().x, 10);
    EXPECT_EQ(Moved().y, -10);
    // The pointer is back at the press point: only new motion counts.
    Send(WM_MOUSEMOVE, MK_LBUTTON, 25, 300);
    EXPECT_EQ(Moved().x, 15);
    EXPECT_EQ(Moved().y, -10);
    Send(WM_LBUTTONUP, 0, 25, 300);
    EXPECT_NE(GetCapture(), window.hwnd());

    // Other buttons store the point but do not move the window.
    Send(WM_RBUTTONDOWN, MK_RBUTTON, 40, 310);
    EXPECT_EQ(window->drag().lDownX, 600);
    Send(WM_MOUSEMOVE, MK_RBUTTON, 60, 320);
    Send(WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON, 60, 320);
    Send(WM_MOUSEMOVE, 0, 60, 320);
    EXPECT_EQ(Moved().x, 15);
    EXPECT_EQ(Moved().y, -10);
}

TEST_F(DraggingTest, PressesOnLabelsAndControlsStartNoDrag) {
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 200, 100); // on kInstructionsLabel
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 5, 5, window.Get<fx::Control>(kTitleStrip).hwnd());
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 5, 5, window.Get<fx::Control>(kFontList).hwnd());
    Send(WM_LBUTTONUP, 0, 5, 5, window.Get<fx::Control>(kFontList).hwnd());
    EXPECT_EQ(window->drag().lDownX, 0);
    EXPECT_EQ(window->drag().lDownY, 0);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 200, 100); // over a label, uncaptured: the label's move
    EXPECT_EQ(Moved().x, 0);
    EXPECT_EQ(Moved().y, 0);
}

// At 192 dpi a pixel is 7.5 twips: a press at pixel 43 lies at 322.5 twips
// and goes to the even neighbour, 322, as the designer's arithmetic did.
TEST_F(DraggingTest, APressHalfwayBetweenTwoTwipsGoesToTheEvenOne) {
    window.ChangeDpi(192, window.SuggestedAt(192));
    ASSERT_EQ(window->units().dpiX(), 192);
    GetWindowRect(window.hwnd(), &start);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 43, 603); // 322.5 and 4522.5 twips
    EXPECT_EQ(window->drag().lDownX, 322);
    EXPECT_EQ(window->drag().lDownY, 4522);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 47, 603); // 29.5 twips right: 3.93 pixels
    EXPECT_EQ(Moved().x, 4);
    EXPECT_EQ(Moved().y, 0);
}

} // namespace
