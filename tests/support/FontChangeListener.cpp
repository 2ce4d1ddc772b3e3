#include "FontChangeListener.h"

namespace testing_support {

namespace {
constexpr wchar_t kClassName[] = L"MirvashelTestListener";
constexpr ULONGLONG kWaitMs = 5000, kSettleMs = 50;
} // namespace

FontChangeListener::FontChangeListener()
    : ready_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      thread_(CreateThread(nullptr, 0, &Run, this, 0, nullptr)) {
    WaitForSingleObject(ready_, INFINITE);
}

FontChangeListener::~FontChangeListener() {
    if (HWND hwnd = hwnd_) PostMessageW(hwnd, WM_CLOSE, 0, 0);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    CloseHandle(ready_);
}

DWORD WINAPI FontChangeListener::Run(void* param) {
    auto* self = static_cast<FontChangeListener*>(param);
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(0, kClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->hwnd_ = hwnd;
    SetEvent(self->ready_);
    if (!hwnd) return 1;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}

LRESULT CALLBACK FontChangeListener::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<FontChangeListener*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (msg) {
    case WM_FONTCHANGE:
        ++(InSendMessage() ? self->sent_ : self->posted_);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int FontChangeListener::CountAfterWaitingFor(int expected, HANDLE sender) {
    const ULONGLONG start = GetTickCount64();
    while (posted_ < expected && GetTickCount64() - start < kWaitMs && WaitForSingleObject(sender, 5) == WAIT_TIMEOUT) {
    }
    Sleep(kSettleMs); // so that a surplus notice shows too
    return posted_;
}

} // namespace testing_support
