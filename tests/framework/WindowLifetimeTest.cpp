// The window layer's lifetime and message rules: a window object owns its
// window, and the framework's private messages reach only its own windows.
#include "Form.h"
#include "Handles.h"
#include "MessageLoop.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

int foreignPreTranslates = 0;

LRESULT CALLBACK ForeignProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == fx::kPreTranslateMessage) ++foreignPreTranslates;
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// A hidden top-level window of another class on the thread, as an IME or
// COM makes them: to it a WM_APP value means something of its own.
TEST(WindowLifetimeTest, TheLoopAsksOnlyItsOwnWindowsToPreTranslate) {
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
// main window's own case: MainWindowLifetimeTest).
TEST(WindowLifetimeTest, AWindowObjectThatGoesFirstDestroysItsWindowUnbound) {
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
}

} // namespace
