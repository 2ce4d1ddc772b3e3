// The main window at the display scale and with the Arabic face of the Wine
// prefix it runs in: scripts/scale-matrix.sh sets both and tells the DPI to
// expect (MIRVASHEL_EXPECT_DPI). The program declares itself DPI-aware, so
// this process does too, before its first window.
#include "Png.h"
#include "Pump.h"
#include "TestWindow.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

using namespace mirvashel;
using namespace testing_support;

namespace {

constexpr std::uint32_t kPictureGround = 0xE1E1E1; // both pictures' background

int ExpectedDpi() {
    const char* dpi = std::getenv("MIRVASHEL_EXPECT_DPI");
    return dpi ? std::atoi(dpi) : 0;
}

std::uint32_t Rgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

LONG FontHeight(HFONT font) {
    LOGFONTW lf{};
    GetObjectW(font, sizeof lf, &lf);
    return lf.lfHeight;
}

class ScaleTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!dpi) GTEST_SKIP() << "run by scripts/scale-matrix.sh, which sets the prefix's DPI";
        // Top left, where it stays on the screen at every DPI tried.
        SetWindowPos(window.hwnd(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        SetForegroundWindow(window.hwnd());
        PumpFor(300);
    }

    int Px(double twips, int at) const { return int(std::lround(twips * at / 1440)); }
    // A control's box in the screenshot (window coordinates, frame included).
    RECT InShot(Ctl row) {
        fx::Control& c = window.Get<fx::Control>(row);
        RECT r = c.Bounds(), outer{};
        MapWindowPoints(c.container().hwnd(), HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
        GetWindowRect(window.hwnd(), &outer);
        OffsetRect(&r, -outer.left, -outer.top);
        return r;
    }
    // Where the pixels in a box differ from the ground.
    static RECT Ink(const Image& shot, const RECT& box, std::uint32_t ground) {
        RECT ink{INT_MAX, INT_MAX, -1, -1}; // right and bottom inclusive
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x)
                if (shot.At(x, y) != ground)
                    ink = {std::min(ink.left, x - box.left), std::min(ink.top, y - box.top),
                           std::max(ink.right, x - box.left), std::max(ink.bottom, y - box.top)};
        return ink;
    }
    // The picture covers its box, and its drawing the same share of the box
    // as at 96 dpi (ink columns and rows given there, of the box's size).
    void ExpectPicture(const Image& shot, Ctl row, RECT ink96, SIZE box96) {
        const RECT box = InShot(row);
        EXPECT_EQ(shot.At(box.left, box.top), kPictureGround) << row;
        EXPECT_EQ(shot.At(box.right - 1, box.bottom - 1), kPictureGround) << row << ": the ground ends short of the corner";
        const RECT ink = Ink(shot, box, kPictureGround);
        // Within a pixel and a half: hinting puts edges on whole pixels.
        const double w = box.right - box.left, h = box.bottom - box.top, w96 = box96.cx, h96 = box96.cy;
        EXPECT_NEAR(ink.left / w, ink96.left / w96, 1.5 / w) << row;
        EXPECT_NEAR(ink.right / w, ink96.right / w96, 1.5 / w) << row;
        EXPECT_NEAR(ink.top / h, ink96.top / h96, 1.5 / h) << row;
        EXPECT_NEAR(ink.bottom / h, ink96.bottom / h96, 1.5 / h) << row;
    }
    // Text drawn, and none of it on the label's last pixel row (ink that
    // stops short of the edge is not cut).
    void ExpectWholeText(const Image& shot, Ctl row, int backColour) {
        const RECT box = InShot(row);
        const RECT ink = Ink(shot, box, Rgb(GetSysColor(backColour)));
        EXPECT_GE(ink.bottom, 0) << row << ": no text";
        EXPECT_LT(ink.bottom, box.bottom - box.top - 1) << row << ": text cut at the bottom";
    }

    const int dpi = ExpectedDpi();
    TempFolder folder;
    TestWindow window{folder.str()};
};

int DpiOf(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    const auto getDpi = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return getDpi ? int(getDpi(window)) : ExpectedDpi();
}

// The program itself, started by the script beside this run: a window of
// a program that declared no awareness reports 96 dpi, and the system
// stretches it (Wine 10 does as Windows; Wine 8 does not stretch).
TEST(RunningProgram, DeclaredItselfDpiAware) {
    if (!std::getenv("MIRVASHEL_PROGRAM_RUNNING")) GTEST_SKIP() << "run by scripts/scale-matrix.sh";
    const HWND program = FindWindowW(L"Mirvashel", nullptr);
    ASSERT_TRUE(program);
    EXPECT_EQ(DpiOf(program), ExpectedDpi());
}

TEST_F(ScaleTest, WindowAtItsMonitorsDpiShowsPicturesAndTextWhole) {
    EXPECT_EQ(DpiOf(window.hwnd()), dpi);
    EXPECT_EQ(window->units().dpiY(), dpi);
    RECT r{};
    GetWindowRect(window.hwnd(), &r);
    EXPECT_EQ(r.right - r.left, Px(kOuterWidthTwips, dpi));
    EXPECT_EQ(r.bottom - r.top, Px(kOuterHeightTwips, dpi));
    EXPECT_EQ(FontHeight(window.Get<fx::Label>(kInstructionsLabel).Font()), -std::lround(24.0 * dpi / 72));

    const Image shot = CaptureWindow(window.hwnd());
    RECT strip = InShot(kTitleStrip);
    EXPECT_EQ(shot.At(strip.right - 1, strip.bottom - 1), 0xE0E0E0u);
    EXPECT_EQ(shot.At(strip.right - 1, strip.bottom), Rgb(GetSysColor(COLOR_BTNFACE))); // the bare surface
    ExpectPicture(shot, kClosePicture, {4, 3, 18, 18}, {24, 23});
    ExpectPicture(shot, kWebLinkPicture, {4, 1, 85, 15}, {89, 18});
    ExpectWholeText(shot, kInstructionsLabel, COLOR_BTNFACE);
    ExpectWholeText(shot, kCountLabel, COLOR_BTNFACE);

    window.Get<fx::Control>(kDonePanel).SetVisible(true); // the completion panel
    PumpFor(300);
    ExpectWholeText(CaptureWindow(window.hwnd()), kDoneLabel, COLOR_WINDOW);
}

TEST_F(ScaleTest, DpiChangeLaysEverythingOutAgain) {
    const Image before = CaptureWindow(window.hwnd());
    const int other = dpi == 96 ? 192 : 96;
    auto change = [&](int to) {
        RECT r{};
        GetWindowRect(window.hwnd(), &r);
        RECT suggested{r.left, r.top, r.left + Px(kOuterWidthTwips, to), r.top + Px(kOuterHeightTwips, to)};
        SendMessageW(window.hwnd(), WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
        PumpFor(300);
        GetWindowRect(window.hwnd(), &r);
        EXPECT_TRUE(EqualRect(&r, &suggested));
    };
    change(other);
    const fx::Units units(other, other);
    for (Ctl row : {kInstructionsLabel, kInstallButton, kWebLinkPicture}) {
        const RECT expected = units.ToPixels(kMainDesign[row].place), got = window.Get<fx::Control>(row).Bounds();
        EXPECT_TRUE(EqualRect(&expected, &got)) << row;
    }
    POINT panel{0, 0};
    MapWindowPoints(window.Get<fx::Control>(kDonePanel).hwnd(), window.hwnd(), &panel, 1);
    EXPECT_EQ(panel.x, units.ToPixelsX(kPanelLeftTwips) + 1); // inside its one-pixel border
    EXPECT_EQ(FontHeight(window.Get<fx::Label>(kCountLabel).Font()), -std::lround(24.0 * other / 72));
    ExpectPicture(CaptureWindow(window.hwnd()), kClosePicture, {4, 3, 18, 18}, {24, 23});

    change(dpi);
    const Image after = CaptureWindow(window.hwnd());
    EXPECT_TRUE(after.pixels == before.pixels) << "back at its own DPI, the window looks as it did";
}

} // namespace

int main(int argc, char** argv) {
    fx::DeclareDpiAwareness();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
