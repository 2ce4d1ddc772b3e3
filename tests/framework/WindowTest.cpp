// The window layer's lifetime and message rules: a window object owns its
// window, and the framework's private messages reach only its own windows.
#include "Bitmaps.h"
#include "Form.h"
#include "MessageLoop.h"

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

// A picture box whose object goes before its container window takes its
// window along instead of leaving a dangling object pointer behind.
TEST(WindowTest, APictureBoxObjectDestroysItsWindow) {
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
