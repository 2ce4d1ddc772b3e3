// One C++ object per window: the object is bound to its HWND in
// WM_NCCREATE through GWLP_USERDATA and unbound in WM_NCDESTROY, and every
// message in between goes to its HandleMessage. The object owns its window:
// an object that dies first unbinds it, so no message reaches a
// half-destroyed object, and then destroys it.
#pragma once

#include <windows.h>

#include <utility>

namespace fx {

// Marks the windows made through BaseWindow, which alone understand the
// framework's private messages (kPreTranslateMessage).
inline constexpr wchar_t kFrameworkWindowProp[] = L"Mirvashel.FrameworkWindow";

template <class Derived>
class BaseWindow {
public:
    HWND hwnd() const noexcept { return hwnd_; }

protected:
    BaseWindow() = default;
    BaseWindow(const BaseWindow&) = delete;
    BaseWindow& operator=(const BaseWindow&) = delete;
    virtual ~BaseWindow() { DestroyUnbound(); }

    // Unbinds the window, then destroys it: for an object that is going, so
    // that none of its handlers runs on the way out. A derived destructor
    // calls it first thing, before its members go (child windows that
    // belong to them then go with their window while their objects live).
    void DestroyUnbound() {
        if (!hwnd_) return;
        Unbind(hwnd_);
        DestroyWindow(std::exchange(hwnd_, nullptr));
    }

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        BaseWindow* self = nullptr;
        if (msg == WM_NCCREATE) {
            self = static_cast<Derived*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
            self->hwnd_ = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            SetPropW(hwnd, kFrameworkWindowProp, hwnd);
        } else {
            self = reinterpret_cast<BaseWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        }
        if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
        if (msg == WM_NCDESTROY) {
            Unbind(hwnd);
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
    static void Unbind(HWND hwnd) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        RemovePropW(hwnd, kFrameworkWindowProp);
    }
    HWND hwnd_ = nullptr;
};

} // namespace fx
