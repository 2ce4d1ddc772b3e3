// The window layer's lifetime and message rules: a window object owns its
// window, and the framework's private messages reach only its own windows.
#include "Bitmaps.h"
#include "Form.h"
#include "MainWindow.h"
#include "MessageLoop.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
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
    fx::UniqueWindow parent(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                            GetModuleHandleW(nullptr), nullptr));
    auto form = std::make_unique<fx::Form>(design, fx::Units(96, 96));
    form->Create(parent.get());
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

// A BMP file of one header, `paletteBytes` of colours and `pixelBytes`.
std::vector<unsigned char> BmpFile(const BITMAPINFOHEADER& ih, size_t paletteBytes, size_t pixelBytes) {
    std::vector<unsigned char> file(sizeof(BITMAPFILEHEADER) + sizeof ih + paletteBytes + pixelBytes, 0x11);
    const BITMAPFILEHEADER fh{0x4D42, DWORD(file.size()), 0, 0, DWORD(file.size() - pixelBytes)};
    std::memcpy(file.data(), &fh, sizeof fh);
    std::memcpy(file.data() + sizeof fh, &ih, sizeof ih);
    return file;
}

// Headers whose sizes would wrap, or that send the system's reading of the
// palette or pixels past the data, are refused, not read.
TEST(WindowTest, BitmapHeadersThatReachPastTheDataAreRefused) {
    auto accepted = [](LONG width, LONG height, WORD bits, DWORD colours, size_t paletteBytes) {
        const BITMAPINFOHEADER ih{sizeof ih, width, height, 1, bits, BI_RGB, 0, 0, 0, colours};
        return bool(fx::BitmapFromFile(BmpFile(ih, paletteBytes, 64)));
    };
    EXPECT_TRUE(accepted(4, 4, 32, 0, 0));
    EXPECT_TRUE(accepted(4, -4, 8, 0, 256 * sizeof(RGBQUAD)));
    EXPECT_TRUE(accepted(4, 4, 8, 2, 2 * sizeof(RGBQUAD)));
    EXPECT_FALSE(accepted(-4, 0, 32, 0, 0));
    EXPECT_FALSE(accepted(4, INT_MIN, 32, 0, 0));
    EXPECT_FALSE(accepted(4, 4, 8, 0, 0)) << "no palette";
    EXPECT_FALSE(accepted(4, 4, 1, 0, 0)) << "no palette";
    EXPECT_FALSE(accepted(4, 4, 8, 0, 16 * sizeof(RGBQUAD))) << "a palette cut short";
    EXPECT_FALSE(accepted(4, 4, 8, 0xFFFFFFFF, 256 * sizeof(RGBQUAD)));
    EXPECT_FALSE(accepted(4, 4, 4, 17, 17 * sizeof(RGBQUAD))) << "more colours than 4 bits hold";
    EXPECT_FALSE(accepted(1 << 30, 4, 32, 0, 0));

    // A header size near 2^32 (the palette would lie before the data, on a
    // 32-bit build), and a 12-byte core header, whose fields differ.
    for (const DWORD size : {DWORD(0xFFFFFFFF - 13 - 256 * sizeof(RGBQUAD) + 1), DWORD(0xFFFFFFF0)}) {
        const BITMAPINFOHEADER rle{size, 4, 4, 1, 8, BI_RLE8, 8, 0, 0, 0};
        EXPECT_FALSE(fx::BitmapFromFile(BmpFile(rle, 256 * sizeof(RGBQUAD), 8))) << size;
        const BITMAPINFOHEADER rgb{size, 4, 4, 1, 32, BI_RGB};
        EXPECT_FALSE(fx::BitmapFromFile(BmpFile(rgb, 0, 64))) << size;
    }
    const BITMAPINFOHEADER unsized{sizeof unsized, 4, 4, 1, 8, BI_RLE8, 0};
    EXPECT_FALSE(fx::BitmapFromFile(BmpFile(unsized, 256 * sizeof(RGBQUAD), 8))) << "run-length data of no size";
    const BITMAPCOREHEADER core{sizeof core, 4, 4, 1, 24};
    BITMAPINFOHEADER asRead{}; // the core header's fields, then zeros
    std::memcpy(&asRead, &core, sizeof core);
    EXPECT_FALSE(fx::BitmapFromFile(BmpFile(asRead, 0, 64)));
}

// Past the largest drawing, a picture is enlarged pixel by pixel: every
// pixel of a 3x enlargement is one of the drawing's colours, in 3x3 blocks.
TEST(WindowTest, PicturesBeyondTheLargestDrawingAreEnlargedPixelByPixel) {
    // 2 x 2, top-down, 32-bit: black, white / white, black.
    const BITMAPINFOHEADER ih{sizeof ih, 2, -2, 1, 32, BI_RGB};
    std::vector<unsigned char> file = BmpFile(ih, 0, 16);
    const std::uint32_t pixels[] = {0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000};
    std::memcpy(file.data() + file.size() - sizeof pixels, pixels, sizeof pixels);
    const fx::UniqueBitmap enlarged = fx::BitmapForDpi(file, 96, 288);
    ASSERT_TRUE(enlarged);
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), 6, -6, 1, 32, BI_RGB}};
    std::vector<std::uint32_t> read(36);
    ASSERT_EQ(GetDIBits(fx::WindowDC(nullptr).get(), enlarged.get(), 0, 6, read.data(), &info, DIB_RGB_COLORS), 6);
    std::vector<std::uint32_t> expected;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) expected.push_back(pixels[(y / 3) * 2 + x / 3]);
    for (std::uint32_t& pixel : read) pixel &= 0xFFFFFF;
    EXPECT_EQ(read, expected);
}

} // namespace
