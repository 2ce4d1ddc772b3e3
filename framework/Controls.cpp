#include "Controls.h"

#include "MessageLoop.h"
#include "TextPainter.h"

#include <algorithm>

namespace fx {

// --- WindowedControl -------------------------------------------------------

void WindowedControl::CreateIn(HWND container, const RECT& px) {
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | ExtraStyle() | (design_.visible ? WS_VISIBLE : 0);
    hwnd_ = CreateWindowExW(0, ClassName(), design_.text ? design_.text : L"", style, px.left, px.top,
                            px.right - px.left, px.bottom - px.top, container,
                            reinterpret_cast<HMENU>(INT_PTR(id_)), GetModuleHandleW(nullptr),
                            nullptr);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontOrDefault()), FALSE);
}

void WindowedControl::PlaceAt(const RECT& px) {
    SetWindowPos(hwnd_, nullptr, px.left, px.top, px.right - px.left, px.bottom - px.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontOrDefault()), TRUE);
}

std::wstring WindowedControl::Text() const {
    std::wstring text(size_t(GetWindowTextLengthW(hwnd_)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(hwnd_, text.data(), int(text.size()))));
    return text;
}

void WindowedControl::SetText(std::wstring_view text) { SetWindowTextW(hwnd_, std::wstring(text).c_str()); }

// --- Button ----------------------------------------------------------------

bool Button::DrawItem(const DRAWITEMSTRUCT& item) const {
    RECT r = item.rcItem;
    const bool pushed = item.itemState & ODS_SELECTED;
    DrawFrameControl(item.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    const std::wstring caption = Text();
    // The caption inside the frame's edges, smaller if it does not fit.
    RECT inside = r;
    InflateRect(&inside, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
    const UniqueFont fitted = FitFont(item.hDC, static_cast<HFONT>(FontOrDefault()), inside, caption, {true, false});
    SelectGuard font(item.hDC, fitted ? fitted.get() : FontOrDefault());
    TEXTMETRICW tm{};
    GetTextMetricsW(item.hDC, &tm);
    SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
    SetBkMode(item.hDC, TRANSPARENT);
    RECT line = r;
    line.top = r.top + (r.bottom - r.top - tm.tmHeight) / 2;
    line.bottom = line.top + tm.tmHeight;
    if (pushed) OffsetRect(&line, 1, 1); // the caption sinks with the pressed face
    DrawWrappedText(item.hDC, line, caption, TextLayout{true, false});
    if (item.itemState & ODS_FOCUS) {
        InflateRect(&r, -4, -4);
        DrawFocusRect(item.hDC, &r);
    }
    return true;
}

// --- ComboBox --------------------------------------------------------------

void ComboBox::CreateIn(HWND container, const RECT& px) {
    // A drop-down combo box's window height includes its closed list.
    RECT tall = px;
    tall.bottom = px.top + 8 * (px.bottom - px.top);
    WindowedControl::CreateIn(container, tall);
    SetText(design_.text ? design_.text : L""); // the window name does not reach the edit box everywhere
}

void ComboBox::PlaceAt(const RECT& px) {
    RECT tall = px;
    tall.bottom = px.top + 8 * (px.bottom - px.top);
    WindowedControl::PlaceAt(tall);
}

// --- ListBox ---------------------------------------------------------------

DWORD ListBox::ExtraStyle() const {
    return LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP |
           ((design_.style & kSorted) ? LBS_SORT : 0);
}

int ListBox::Count() const { return int(SendMessageW(hwnd_, LB_GETCOUNT, 0, 0)); }

void ListBox::Clear() { SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0); }

void ListBox::Add(std::wstring_view row) {
    const std::wstring text(row);
    SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ListBox::Append(std::wstring_view row) { OrderedAppend(*this)(row); }

ListBox::OrderedAppend::OrderedAppend(ListBox& list)
    : list_(list), locale_(LCID(SendMessageW(list.hwnd_, LB_GETLOCALE, 0, 0))) {
    if (const int count = list.Count(); count > 0) last_ = list.Row(count - 1);
}

void ListBox::OrderedAppend::operator()(std::wstring_view row) {
    // The list's own order: case-blind comparison in the list's locale.
    if ((list_.design_.style & kSorted) && !last_.empty() &&
        CompareStringW(locale_, NORM_IGNORECASE, row.data(), int(row.size()), last_.c_str(), int(last_.size())) ==
            CSTR_LESS_THAN)
        return list_.Add(row);
    last_ = row;
    SendMessageW(list_.hwnd_, LB_INSERTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(last_.c_str()));
}

std::wstring ListBox::Row(int index) const {
    const LRESULT length = SendMessageW(hwnd_, LB_GETTEXTLEN, WPARAM(index), 0);
    if (length == LB_ERR) return {};
    std::wstring text(size_t(length) + 1, L'\0');
    const LRESULT got = SendMessageW(hwnd_, LB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(got == LB_ERR ? 0 : size_t(got));
    return text;
}

std::vector<std::wstring> ListBox::Rows() const {
    std::vector<std::wstring> rows(size_t(std::max(Count(), 0)));
    for (size_t i = 0; i < rows.size(); ++i) rows[i] = Row(int(i));
    return rows;
}

int ListBox::SelectedIndex() const { return int(SendMessageW(hwnd_, LB_GETCURSEL, 0, 0)); }

std::wstring ListBox::SelectedText() const {
    const int index = SelectedIndex();
    return index < 0 ? std::wstring() : Row(index);
}

void ListBox::Select(int index) {
    const int before = SelectedIndex();
    if (SendMessageW(hwnd_, LB_SETCURSEL, WPARAM(index), 0) == LB_ERR && index != -1) return;
    if (SelectedIndex() != before)
        SendMessageW(container_.hwnd(), WM_COMMAND, MAKEWPARAM(id_, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(hwnd_));
}

ListBox::BatchUpdate::BatchUpdate(ListBox& list, int expectedRows) : list_(list) {
    SendMessageW(list_.hwnd_, WM_SETREDRAW, FALSE, 0);
    if (expectedRows > 0) SendMessageW(list_.hwnd_, LB_INITSTORAGE, WPARAM(expectedRows), LPARAM(expectedRows) * 32);
}

ListBox::BatchUpdate::~BatchUpdate() {
    SendMessageW(list_.hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_.hwnd_, nullptr, TRUE);
}

// --- Label -----------------------------------------------------------------

void Label::CreateIn(HWND, const RECT& px) {
    bounds_ = px;
    caption_ = design_.text ? design_.text : L"";
}

void Label::PlaceAt(const RECT& px) {
    bounds_ = px;
    Invalidate();
}

void Label::SetCaption(std::wstring_view caption) {
    if (caption == caption_) return;
    caption_ = caption;
    Invalidate();
    AnnounceSoon();
}

Label::~Label() {
    if (announcePending_) KillTimer(container_.hwnd(), reinterpret_cast<UINT_PTR>(this));
}

void Label::AnnounceSoon() {
    // Nobody reads a label in a hidden window; it is announced when shown.
    if (announcePending_ || !created_ || !IsWindowVisible(container_.hwnd())) return;
    announcePending_ = SetTimer(container_.hwnd(), reinterpret_cast<UINT_PTR>(this), kFrameMilliseconds, &Announce) != 0;
}

void CALLBACK Label::Announce(HWND container, UINT, UINT_PTR label, DWORD) {
    KillTimer(container, label);
    auto& self = *reinterpret_cast<Label*>(label);
    self.announcePending_ = false;
    self.container_.Raise(EVENT_OBJECT_NAMECHANGE, self);
}

bool Label::SetFontFace(std::wstring_view face) {
    UniqueFont font = WithFace(font_.get(), face);
    if (!font) return false;
    font_ = std::move(font);
    Invalidate();
    return true;
}

TextLayout Label::Layout() const {
    return TextLayout{(design_.style & kCentred) != 0, (design_.style & kRightToLeft) != 0};
}

HFONT Label::DrawnFont(HDC dc) const {
    if (!fitKnown_) {
        fitted_ = FitFont(dc, static_cast<HFONT>(FontOrDefault()), bounds_, caption_, Layout());
        fitKnown_ = true;
    }
    return fitted_ ? fitted_.get() : static_cast<HFONT>(FontOrDefault());
}

void Label::Invalidate() const {
    fitKnown_ = false;
    if (paintPending_) return;
    paintPending_ = true;
    // A transparent label needs its container's background repainted under it.
    if (created_) InvalidateRect(container_.hwnd(), &bounds_, (design_.style & kTransparent) ? TRUE : FALSE);
}

void Label::Paint(HDC dc) const {
    paintPending_ = false;
    if (!(design_.style & kTransparent)) {
        SetBkColor(dc, design_.back.Resolve());
        ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &bounds_, nullptr, 0, nullptr);
    }
    SelectGuard font(dc, DrawnFont(dc));
    SetTextColor(dc, design_.fore.Resolve());
    SetBkMode(dc, TRANSPARENT);
    DrawWrappedText(dc, bounds_, caption_, Layout());
}

} // namespace fx
