// Move-only owners for the Win32 handles the program creates. Every font,
// brush, bitmap, icon and device context has exactly one of these; a window
// is owned by its BaseWindow object (Window.h), by its parent window (a
// native control), or by a UniqueWindow (a plain window of a test or bench).
#pragma once

#include <windows.h>

#include <utility>

namespace fx {

template <class Handle, class Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) noexcept : h_(h) {}
    UniqueHandle(UniqueHandle&& other) noexcept : h_(std::exchange(other.h_, Handle{})) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(std::exchange(other.h_, Handle{}));
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != Handle{}; }
    Handle release() noexcept { return std::exchange(h_, Handle{}); }
    void reset(Handle h = Handle{}) noexcept {
        if (h_ != Handle{}) Traits::close(h_);
        h_ = h;
    }

private:
    Handle h_{};
};

struct GdiObjectTraits { static void close(HGDIOBJ h) noexcept { DeleteObject(h); } };
struct IconTraits      { static void close(HICON h) noexcept { DestroyIcon(h); } };
struct WindowTraits    { static void close(HWND h) noexcept { DestroyWindow(h); } };
struct MemoryDcTraits  { static void close(HDC h) noexcept { DeleteDC(h); } };
struct KernelTraits    { static void close(HANDLE h) noexcept { CloseHandle(h); } };

using UniqueFont   = UniqueHandle<HFONT, GdiObjectTraits>;
using UniqueBrush  = UniqueHandle<HBRUSH, GdiObjectTraits>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectTraits>;
using UniqueIcon   = UniqueHandle<HICON, IconTraits>;
using UniqueWindow = UniqueHandle<HWND, WindowTraits>;
using MemoryDC     = UniqueHandle<HDC, MemoryDcTraits>;
// A file or other kernel object. Empty is null: store INVALID_HANDLE_VALUE
// (a failed CreateFileW) as nullptr.
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelTraits>;

// A window's device context from GetDC, released to the same window.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) noexcept : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDC() { if (dc_) ReleaseDC(hwnd_, dc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const noexcept { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// BeginPaint/EndPaint for one WM_PAINT.
class PaintDC {
public:
    explicit PaintDC(HWND hwnd) noexcept : hwnd_(hwnd) { BeginPaint(hwnd_, &ps_); }
    ~PaintDC() { EndPaint(hwnd_, &ps_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC get() const noexcept { return ps_.hdc; }
    const RECT& dirty() const noexcept { return ps_.rcPaint; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
};

// Selects an object into a DC and puts the previous one back on scope exit,
// so the owner of the selected object can always delete it afterwards.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ obj) noexcept : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
    ~SelectGuard() { if (old_) SelectObject(dc_, old_); }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

} // namespace fx
