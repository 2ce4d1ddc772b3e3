#include "FontChangeListener.h"

namespace testing_support {

namespace {
constexpr wchar_t kClassName[] = L"MirvashelTestListener";
constexpr ULONGLONG kWaitMs = 5000, kSettleMs = 50;
} // namespace

FontChangeListener::FontChangeListener() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    RegisterClassW(&wc);
    hwnd_.reset(CreateWindowExW(0, kClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr));
    SetWindowLongPtrW(hwnd_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&count_));
}

LRESULT CALLBACK FontChangeListener::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_FONTCHANGE) ++*reinterpret_cast<int*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int FontChangeListener::CountAfterWaitingFor(int expected) {
    const ULONGLONG start = GetTickCount64();
    ULONGLONG settleFrom = 0;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            if (msg.message != WM_QUIT) DispatchMessageW(&msg);
        const ULONGLONG now = GetTickCount64();
        if (!settleFrom && (count_ >= expected || now - start > kWaitMs)) settleFrom = now;
        if (settleFrom && now - settleFrom > kSettleMs) return count_;
        Sleep(5);
    }
}

} // namespace testing_support
