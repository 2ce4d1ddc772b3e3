// The baseline of the start-up benchmark: the least a Win32 program does to
// show a window like Mirvashel's main window (same outer size, thin fixed
// frame, no title bar, centred), built with the same flags.
#include "Handles.h"

#include <windows.h>

namespace {

// 8000 x 5000 twips at 96 dpi (15 twips to the pixel), the main window's size.
constexpr int kWidth = 533, kHeight = 333;
constexpr wchar_t kClassName[] = L"MinimalWindow";

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    // Closing ends the loop; the window's owner in wWinMain destroys it.
    if (msg == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    if (!RegisterClassExW(&wc)) return 1;

    fx::UniqueWindow window(CreateWindowExW(WS_EX_APPWINDOW, kClassName, L"", WS_POPUP | WS_BORDER,
                                            (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2,
                                            (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2, kWidth, kHeight,
                                            nullptr, nullptr, instance, nullptr));
    if (!window) return 1;
    ShowWindow(window.get(), SW_SHOWNORMAL);
    UpdateWindow(window.get());

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
