// The window layer's lifetime and message rules: a window object owns its
// window, and the framework's private messages reach only its own windows.
#include "Bitmaps.h"
#include "Form.h"
#include "MainWindow.h"
#include "MessageLoop.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>
#include <vector>

namespace {

int foreignPreTranslates = 0;

LRESULT CALLBACK ForeignProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == fx::kPreTranslateMessage) ++foreignPreTranslates;
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// A hidden top-level window of another class on the thread, as an IME or
// COM makes them: to it a WM_APP value means something of its own.
TEST(WindowTest, TheLoopAsksOnlyItsOwnWindowsToPreTranslate) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &ForeignProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ForeignTopLevel";
    RegisterClassW(&wc);
    fx::UniqueWindow foreign(CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                             wc.hInstance, nullptr));
    ASSERT_TRUE(foreign);
    PostMessageW(foreign.get(), WM_KEYDOWN, VK_TAB, 0);
    fx::DoEvents();
    EXPECT_EQ(foreignPreTranslates, 0);
}

// A window object that goes before its window takes the window along,
// unbound first, so that no handler runs on a half-destroyed object (the
// main window's WM_DESTROY handler would post a quit).
TEST(WindowTest, AWindowObjectThatGoesFirstDestroysItsWindowUnbound) {
    const fx::ControlDesign design[] = {{L"Picture", fx::Kind::PictureBox, fx::kOnWindow, {0, 0, 300, 300}, 0, true,
                                         nullptr, nullptr, fx::SysColour(COLOR_BTNFACE), fx::SysColour(COLOR_BTNTEXT),
                                         fx::kPlain, nullptr}};
    struct PlainWindow : fx::Container {
        fx::UniqueWindow window{CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                                GetModuleHandleW(nullptr), nullptr)};
        PlainWindow() : Container(nullptr) {}
        HWND hwnd() const noexcept override { return window.get(); }
    } parent;
    auto form = std::make_unique<fx::Form>(design, parent);
    form->Create();
    const HWND picture = form->At(0).hwnd();
    ASSERT_TRUE(IsWindow(picture));
    form.reset();
    EXPECT_FALSE(IsWindow(picture));

    testing_support::TempFolder folder;
    auto main = std::make_unique<mirvashel::MainWindow>(
        mirvashel::MainWindow::Environment{.executableFolder = folder.str(), .quitOnDestroy = true});
    ASSERT_TRUE(main->Create());
    const HWND window = main->hwnd();
    main.reset();
    EXPECT_FALSE(IsWindow(window));
    MSG quit;
    EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "a handler ran during destruction";
}

// Twips halfway between two pixels go to the even pixel: at 120 dpi a
// pixel is 12 twips, at 192 dpi 7.5 (halves from a drag's arithmetic).
TEST(WindowTest, TwipsHalfwayBetweenPixelsGoToTheEvenPixel) {
    const struct { int dpi; double twips; int pixels; } cases[] = {
        {120, 18, 2}, {120, 30, 2}, {120, 42, 4}, {120, -30, -2}, {192, 3.75, 0}, {192, 11.25, 2}, {192, 18.75, 2}};
    for (const auto& c : cases) {
        EXPECT_EQ(fx::Units(c.dpi, c.dpi).ToPixelsX(c.twips), c.pixels) << c.twips << " twips at " << c.dpi;
        EXPECT_EQ(fx::Units(c.dpi, c.dpi).ToPixelsY(c.twips), c.pixels) << c.twips << " twips at " << c.dpi;
    }
}

// Headers that would wrap the size check are refused, not read.
TEST(WindowTest, BitmapHeadersWithANegativeWidthOrTheLowestHeightAreRefused) {
    std::vector<unsigned char> file(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + 64);
    const BITMAPFILEHEADER fh{0x4D42, DWORD(file.size()), 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    auto accepted = [&](LONG width, LONG height) {
        const BITMAPINFOHEADER ih{sizeof ih, width, height, 1, 32, BI_RGB};
        std::memcpy(file.data(), &fh, sizeof fh);
        std::memcpy(file.data() + sizeof fh, &ih, sizeof ih);
        return bool(fx::BitmapFromFile(file));
    };
    EXPECT_TRUE(accepted(4, 4));
    EXPECT_FALSE(accepted(-4, 0));
    EXPECT_FALSE(accepted(4, INT_MIN));
}

} // namespace
