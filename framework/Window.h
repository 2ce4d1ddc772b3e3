// One C++ object per window: the object is bound to its HWND in
// WM_NCCREATE through GWLP_USERDATA and unbound in WM_NCDESTROY, and every
// message in between goes to its HandleMessage.
#pragma once

#include <windows.h>

namespace fx {

template <class Derived>
class BaseWindow {
public:
    HWND hwnd() const noexcept { return hwnd_; }

protected:
    BaseWindow() = default;
    BaseWindow(const BaseWindow&) = delete;
    BaseWindow& operator=(const BaseWindow&) = delete;
    virtual ~BaseWindow() = default;

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        BaseWindow* self = nullptr;
        if (msg == WM_NCCREATE) {
            self = static_cast<Derived*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
            self->hwnd_ = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        } else {
            self = reinterpret_cast<BaseWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        }
        if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
        if (msg == WM_NCDESTROY) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
            self->OnDestroyed();
            return DefWindowProcW(hwnd, msg, wp, lp);
        }
        return self->HandleMessage(msg, wp, lp);
    }

    LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(hwnd_, msg, wp, lp); }

    // Called when the window is gone; the object may still be alive.
    virtual void OnDestroyed() {}
    virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) = 0;

    // Registers the class on first use; WindowProc dispatches to Derived.
    static void RegisterClassOnce(const wchar_t* className, HBRUSH background, HICON icon = nullptr,
                                  HICON smallIcon = nullptr) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        if (GetClassInfoExW(GetModuleHandleW(nullptr), className, &wc)) return;
        wc.lpfnWndProc = &BaseWindow::WindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = background;
        wc.hIcon = icon;
        wc.hIconSm = smallIcon;
        wc.lpszClassName = className;
        RegisterClassExW(&wc);
    }

private:
    HWND hwnd_ = nullptr;
};

} // namespace fx
