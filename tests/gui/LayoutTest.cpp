// The window's controls as the user first sees them: places, parents,
// visibility, texts, fonts and tab order (the window's own frame, size and
// stacking are checked from outside by the end-to-end test).
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

    RECT PlaceInParent(HWND child) {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    HWND Hwnd(Ctl row) { return window->Get<fx::Control>(row).hwnd(); }
};

struct Expected {
    Ctl row;
    int left, top, width, height;
    Ctl parent; // kControlCount: the window itself
    bool visible;
};

// Pixel places at 15 twips to the pixel, after the load handler has run.
constexpr Expected kWindowed[] = {
    {Picture3, 5, 4, 24, 23, kControlCount, true},   {Picture2, 39, 7, 89, 18, kControlCount, true},
    {Command1, 820, 212, 91, 69, kControlCount, true}, {Picture1, 53, 41, 408, 253, kControlCount, false},
    {Command3, 137, 191, 123, 33, Picture1, true},   {Command2, 187, 250, 123, 33, kControlCount, true},
    {Text1, 811, 106, 215, 21, kControlCount, false}, {List2, 812, 163, 215, 41, kControlCount, false},
    {List1, 825, 307, 54, 212, kControlCount, true},  {File1, 884, 311, 59, 210, kControlCount, true},
    {Picture4, 0, 0, 531, 35, kControlCount, true},
};

TEST_F(LayoutTest, WindowedControlsSitWhereTheDesignPutsThem) {
    for (const Expected& e : kWindowed) {
        SCOPED_TRACE(testing::Message() << "row " << e.row);
        HWND h = Hwnd(e.row);
        ASSERT_TRUE(h);
        const RECT r = PlaceInParent(h);
        EXPECT_EQ(r.left, e.left);
        EXPECT_EQ(r.top, e.top);
        EXPECT_EQ(r.right - r.left, e.width);
        EXPECT_EQ(r.bottom - r.top, e.height);
        EXPECT_EQ(GetParent(h), e.parent == kControlCount ? window.hwnd() : Hwnd(e.parent));
        EXPECT_EQ((GetWindowLongPtrW(h, GWL_STYLE) & WS_VISIBLE) != 0, e.visible);
    }
    EXPECT_FALSE(GetWindowLongPtrW(Hwnd(Combo1), GWL_STYLE) & WS_VISIBLE);
    // The docked strip spans the whole client width.
    RECT client{};
    GetClientRect(window.hwnd(), &client);
    EXPECT_EQ(client.right, 531);
}

TEST_F(LayoutTest, LabelsArePaintedInTheirBoxesByTheirContainers) {
    auto& label1 = window.Get<fx::Label>(Label1);
    auto& label2 = window.Get<fx::Label>(Label2);
    auto& label3 = window.Get<fx::Label>(Label3);
    EXPECT_EQ(label1.hwnd(), nullptr);
    EXPECT_EQ(label1.container(), window.hwnd());
    EXPECT_EQ(label3.container(), Hwnd(Picture1));
    const RECT r1 = label1.Bounds(), r2 = label2.Bounds(), r3 = label3.Bounds();
    EXPECT_EQ(r1.left, 166); EXPECT_EQ(r1.top, 196); EXPECT_EQ(r1.right, 328); EXPECT_EQ(r1.bottom, 236);
    EXPECT_EQ(r2.left, 39);  EXPECT_EQ(r2.top, 45);  EXPECT_EQ(r2.right, 490); EXPECT_EQ(r2.bottom, 185);
    EXPECT_EQ(r3.left, 47);  EXPECT_EQ(r3.top, 19);  EXPECT_EQ(r3.right, 361); EXPECT_EQ(r3.bottom, 189);
}

TEST_F(LayoutTest, TextsAndFontsAreTheDesignedOnes) {
    auto text = [&](Ctl row) { return window.Get<fx::WindowedControl>(row).Text(); };
    EXPECT_EQ(text(Command1), L"Remove");
    EXPECT_EQ(text(Command2), L"تثبيت");
    EXPECT_EQ(text(Command3), L"إنهاء");
    EXPECT_EQ(text(Combo1), L"Combo1");
    EXPECT_EQ(text(Text1), L"");
    EXPECT_EQ(window.Get<fx::Label>(Label3).Caption(),
              L"تم تثبيت جميع الخطوط وستيم مسحها حال إعادة التشغيل؛ حتى لا تشغل حيزًا");

    auto logFont = [](HFONT font) {
        LOGFONTW lf{};
        GetObjectW(font, sizeof lf, &lf);
        return lf;
    };
    for (Ctl button : {Command2, Command3}) {
        const LOGFONTW lf = logFont(reinterpret_cast<HFONT>(SendMessageW(Hwnd(button), WM_GETFONT, 0, 0)));
        EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
        EXPECT_EQ(lf.lfHeight, -13); // 9.75 pt
        EXPECT_EQ(lf.lfCharSet, 178);
        EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    }
    const LOGFONTW l1 = logFont(window.Get<fx::Label>(Label1).Font());
    const LOGFONTW l3 = logFont(window.Get<fx::Label>(Label3).Font());
    EXPECT_STREQ(l1.lfFaceName, L"Traditional Arabic");
    EXPECT_EQ(l1.lfHeight, -32); // 24 pt
    EXPECT_EQ(l3.lfHeight, -37); // 27.75 pt
    EXPECT_EQ(l1.lfCharSet, 178);
    EXPECT_FALSE(l1.lfItalic || l1.lfUnderline || l1.lfStrikeOut);
}

TEST_F(LayoutTest, TabFollowsTabIndexesSkippingHiddenControlsAndLabels) {
    SetForegroundWindow(window.hwnd());
    Pump();
    ASSERT_EQ(GetFocus(), Hwnd(File1));
    auto tab = [&](bool back = false) {
        if (back) {
            BYTE keys[256];
            GetKeyboardState(keys);
            keys[VK_SHIFT] = 0x80;
            SetKeyboardState(keys);
        }
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
        Pump();
        if (back) {
            BYTE keys[256];
            GetKeyboardState(keys);
            keys[VK_SHIFT] = 0;
            SetKeyboardState(keys);
        }
        return GetFocus();
    };
    EXPECT_EQ(tab(), Hwnd(Command1));
    EXPECT_EQ(tab(), Hwnd(List1));
    EXPECT_EQ(tab(), Hwnd(Command2));
    EXPECT_EQ(tab(), Hwnd(File1));
    EXPECT_EQ(tab(true), Hwnd(Command2));

    window.Get<fx::Control>(Picture1).SetVisible(true); // once the panel shows, its button joins
    EXPECT_EQ(tab(), Hwnd(Command3));
    EXPECT_EQ(tab(), Hwnd(File1));
}

TEST_F(LayoutTest, ScreenshotShowsStripImagesAndBackground) {
    SetForegroundWindow(window.hwnd());
    PumpFor(300);
    const Image shot = CaptureWindow(window.hwnd());
    ASSERT_TRUE(SavePng(shot, ScreenshotFolder() / L"main-window.png"));
    // Outer coordinates: the client area starts one pixel in, inside the border.
    auto client = [&](int x, int y) { return shot.At(x + 1, y + 1); };
    EXPECT_EQ(client(300, 20), 0xE0E0E0u);                            // the strip
    EXPECT_EQ(client(0, 0), 0xE0E0E0u);
    EXPECT_EQ(client(5 + 1, 4 + 1), 0xE1E1E1u);                       // close image background
    EXPECT_EQ(client(5 + 11, 4 + 11), 0xFFFFFFu);                     // the middle of its white X
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const std::uint32_t faceRgb = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
    EXPECT_EQ(client(10, 300), faceRgb);                              // bare surface
}

} // namespace
