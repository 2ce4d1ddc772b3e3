#include "PictureBox.h"

#include <windowsx.h>

namespace fx {

namespace {
constexpr wchar_t kClassName[] = L"MirvashelPictureBox";
}

void PictureBox::CreateIn(HWND container, const RECT& px) {
    RegisterClassOnce(kClassName, nullptr);
    background_.reset(CreateSolidBrush(design_.back.Resolve()));
    const DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (design_.visible ? WS_VISIBLE : 0) |
                        ((design_.style & kBorder) ? WS_BORDER : 0);
    CreateWindowExW(0, kClassName, L"", style, px.left, px.top, px.right - px.left, px.bottom - px.top, container,
                    reinterpret_cast<HMENU>(INT_PTR(id_)), GetModuleHandleW(nullptr), this);
}

void PictureBox::PlaceAt(const RECT& px) {
    SetWindowPos(hwnd(), nullptr, px.left, px.top, px.right - px.left, px.bottom - px.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void PictureBox::SetImage(UniqueBitmap image) {
    image_ = std::move(image);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void PictureBox::Dock() {
    if (!(design_.style & kDockTop)) return;
    RECT client{};
    GetClientRect(container_.hwnd(), &client);
    const RECT px = container_.units().ToPixels(design_.place);
    SetWindowPos(hwnd(), nullptr, 0, 0, client.right, px.bottom - px.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT PictureBox::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND: {
        RECT r{};
        GetClientRect(hwnd(), &r);
        FillRect(reinterpret_cast<HDC>(wp), &r, background_.get());
        return TRUE;
    }
    case WM_LBUTTONDOWN:
        pressed_ = true;
        SetCapture(hwnd());
        return 0;
    case WM_LBUTTONUP: {
        const bool wasPressed = std::exchange(pressed_, false);
        ReleaseCapture();
        RECT r{};
        GetClientRect(hwnd(), &r);
        const POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        if (wasPressed && PtInRect(&r, pt)) ReportClick();
        return 0;
    }
    case BM_CLICK:
        ReportClick();
        return 0;
    case WM_KEYDOWN: // once per press, not again while the key repeats
        if ((wp == VK_RETURN || wp == VK_SPACE) && !(lp & (1 << 30)) && Acts(design_.accessible)) {
            ReportClick();
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(hwnd(), nullptr, TRUE);
        return 0;
    case WM_UPDATEUISTATE: // focus rectangles shown or hidden
        DefaultProc(msg, wp, lp);
        InvalidateRect(hwnd(), nullptr, TRUE);
        return 0;
    case WM_CAPTURECHANGED:
        pressed_ = false;
        return 0;
    }
    if (const auto answer = HandleContainerMessage(msg, wp, lp)) return *answer;
    return DefaultProc(msg, wp, lp);
}

void PictureBox::PaintUnder(HDC dc) {
    if (!image_) return;
    BITMAP bm{};
    GetObjectW(image_.get(), sizeof bm, &bm);
    MemoryDC source(CreateCompatibleDC(dc));
    SelectGuard select(source.get(), image_.get());
    BitBlt(dc, 0, 0, bm.bmWidth, bm.bmHeight, source.get(), 0, 0, SRCCOPY);
}

void PictureBox::PaintOver(HDC dc) {
    if (GetFocus() == hwnd() && !(SendMessageW(hwnd(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)) {
        RECT r{};
        GetClientRect(hwnd(), &r);
        DrawFocusRect(dc, &r);
    }
}

void PictureBox::ReportClick() {
    SendMessageW(container_.hwnd(), WM_COMMAND, MAKEWPARAM(id_, kPictureClicked), reinterpret_cast<LPARAM>(hwnd()));
}

} // namespace fx
