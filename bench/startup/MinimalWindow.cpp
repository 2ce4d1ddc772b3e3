// The baseline of the start-up benchmark: the least a Win32 program does to
// show a window like Mirvashel's main window (same outer size, thin fixed
// frame, no title bar, centred) with one line of Arabic painted in the
// program's Arabic face, so that it pays for the font system as Mirvashel
// does. Built with the same flags.
#include "Handles.h"

#include <windows.h>

namespace {

// 8000 x 5000 twips at 96 dpi (15 twips to the pixel), the main window's size.
constexpr int kWidth = 533, kHeight = 333;
constexpr int kFontPixels = 32; // 24 points at 96 dpi
constexpr wchar_t kClassName[] = L"MinimalWindow";
constexpr wchar_t kFace[] = L"Traditional Arabic";
constexpr wchar_t kLine[] = L"فضلا، قبل تثبيت الخطوط مؤقتًا";
constexpr BYTE kArabicCharset = 178;

struct Painting {
    fx::UniqueFont font;
};

void Paint(HWND hwnd, const Painting& painting) {
    fx::PaintDC paint(hwnd);
    fx::SelectGuard font(paint.get(), painting.font.get());
    SetBkMode(paint.get(), TRANSPARENT);
    RECT client{};
    GetClientRect(hwnd, &client);
    DrawTextW(paint.get(), kLine, -1, &client, DT_CENTER | DT_SINGLELINE | DT_RTLREADING);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_NCCREATE:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
        break;
    case WM_PAINT:
        Paint(hwnd, *reinterpret_cast<const Painting*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)));
        return 0;
    case WM_CLOSE: // ends the loop; the window's owner in wWinMain destroys it
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

    Painting painting;
    LOGFONTW lf{};
    lf.lfHeight = -kFontPixels;
    lf.lfCharSet = kArabicCharset;
    lstrcpynW(lf.lfFaceName, kFace, LF_FACESIZE);
    painting.font.reset(CreateFontIndirectW(&lf));

    fx::UniqueWindow window(CreateWindowExW(WS_EX_APPWINDOW, kClassName, L"", WS_POPUP | WS_BORDER,
                                            (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2,
                                            (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2, kWidth, kHeight,
                                            nullptr, nullptr, instance, &painting));
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
