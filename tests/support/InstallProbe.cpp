#include "InstallProbe.h"

namespace testing_support {

namespace {
constexpr wchar_t kProbeClass[] = L"MirvashelTestProbe";
constexpr UINT kStepMessage = WM_APP + 7;
constexpr DWORD kLongerThanAFrameMs = 20;
InstallProbe* g_current = nullptr; // the list's window procedure has no other way back to us
} // namespace

InstallProbe::InstallProbe(TestWindow& window, StepFn onStep) : window_(window), onStep_(std::move(onStep)) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &ProbeProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kProbeClass;
    RegisterClassW(&wc);
    probe_ = CreateWindowExW(0, kProbeClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    list_ = window.Get<fx::Control>(mirvashel::kRegisteredList).hwnd();
    g_current = this;
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(list_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListProc)));
}

InstallProbe::~InstallProbe() {
    if (IsWindow(list_)) SetWindowLongPtrW(list_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    DestroyWindow(probe_);
    g_current = nullptr;
}

LRESULT CALLBACK InstallProbe::ListProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    InstallProbe* self = g_current;
    if (msg == LB_ADDSTRING || msg == LB_INSERTSTRING) { // a row recorded, at its place or at the end
        self->captions_.push_back(self->window_.Get<fx::Label>(mirvashel::kCountLabel).Caption());
        self->PostStep(++self->added_);
        if (self->onStep_) Sleep(kLongerThanAFrameMs);
    }
    return CallWindowProcW(self->original_, hwnd, msg, wp, lp);
}

void InstallProbe::PostStep(int step) const { PostMessageW(probe_, kStepMessage, WPARAM(step), 0); }

LRESULT CALLBACK InstallProbe::ProbeProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kStepMessage && g_current) {
        ++g_current->steps_;
        if (const std::wstring& caption = g_current->window_.Get<fx::Label>(mirvashel::kCountLabel).Caption();
            caption != g_current->lastTurnCaption_) {
            ++g_current->turns_;
            g_current->lastTurnCaption_ = caption;
        }
        if (g_current->onStep_) g_current->onStep_(int(wp));
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

} // namespace testing_support
