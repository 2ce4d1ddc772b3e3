#include "Container.h"

#include <algorithm>

namespace fx {

// --- Control ---------------------------------------------------------------

void Control::Create() {
    const Units& u = container_.units();
    created_ = true;
    if (design_.font) font_ = CreateDesignFont(*design_.font, u.dpiY());
    CreateIn(container_.hwnd(), u.ToPixels(place_));
}

void Control::Rescale() {
    const Units& u = container_.units();
    if (design_.font) font_ = RescaledFont(font_.get(), *design_.font, u.dpiY());
    PlaceAt(u.ToPixels(place_));
}

HGDIOBJ Control::FontOrDefault() const {
    return font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(DEFAULT_GUI_FONT);
}

RECT Control::Bounds() const {
    RECT r{};
    if (HWND h = hwnd()) {
        GetWindowRect(h, &r);
        MapWindowPoints(HWND_DESKTOP, container_.hwnd(), reinterpret_cast<POINT*>(&r), 2);
    }
    return r;
}

void Control::SetVisible(bool visible) {
    if (HWND h = hwnd()) ShowWindow(h, visible ? SW_SHOWNA : SW_HIDE);
}

bool Control::IsVisible() const {
    HWND h = hwnd();
    return h && IsWindowVisible(h);
}

void Control::MoveTo(int leftTwips, int topTwips) {
    place_.left = leftTwips;
    place_.top = topTwips;
    const Units& u = container_.units();
    if (HWND h = hwnd())
        SetWindowPos(h, nullptr, u.ToPixelsX(leftTwips), u.ToPixelsY(topTwips), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Control::HoldsFocus(HWND focus) const {
    const HWND h = hwnd();
    return h && focus && (h == focus || IsChild(h, focus));
}

// --- Container -------------------------------------------------------------

Container::~Container() { DisconnectAccessible(); }

std::optional<LRESULT> Container::HandleContainerMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        for (const Control* c : children_)
            if (c->id() == int(item.CtlID)) return c->DrawItem(item);
        return FALSE;
    }
    case WM_GETOBJECT:
        if (const LRESULT object = AnswerGetObject(wp, lp)) return object;
        break;
    case WM_WINDOWPOSCHANGED:
        if (box_ && (reinterpret_cast<const WINDOWPOS*>(lp)->flags & SWP_SHOWWINDOW) && IsWindowVisible(hwnd()))
            AnnounceShown();
        break;
    case WM_COMMAND:
        // Controls inside a box (a button) report to the box's own container.
        if (box_) return SendMessageW(box_->container().hwnd(), msg, wp, lp);
        break;
    case WM_DESTROY:
        DisconnectAccessible();
        break;
    }
    return std::nullopt;
}

void Container::OnPaint() {
    PaintDC paint(hwnd());
    PaintUnder(paint.get());
    // Only the labels that meet the dirty rectangle: a label's layout is
    // measured text, too costly to redo for a repaint elsewhere.
    for (const Control* c : children_) {
        RECT bounds = c->Bounds(), overlap;
        if (c->design().kind == Kind::Label && IntersectRect(&overlap, &bounds, &paint.dirty())) c->Paint(paint.get());
    }
    PaintOver(paint.get());
}

bool Container::IsOnLabel(POINT pt) const {
    return std::any_of(children_.begin(), children_.end(), [&](const Control* c) {
        const RECT r = c->Bounds();
        return c->design().kind == Kind::Label && PtInRect(&r, pt);
    });
}

void Container::Raise(DWORD event, const Control& child) const {
    if (child.design().kind != Kind::Label) return NotifyWinEvent(event, child.hwnd(), OBJID_CLIENT, CHILDID_SELF);
    // A label is an element of its container's object: its child id is its
    // place among the container's controls that exist.
    long id = 1;
    for (const Control* c : children_) {
        if (c == &child) break;
        if (c->Created()) ++id;
    }
    NotifyWinEvent(event, hwnd(), OBJID_CLIENT, id);
}

void Container::AnnounceShown() const {
    for (const Control* c : children_)
        if (c->design().kind == Kind::Label && c->Created()) Raise(EVENT_OBJECT_SHOW, *c);
    if (const AccessibleDesign* a = box_->design().accessible; a && a->role == AccessRole::Alert)
        NotifyWinEvent(EVENT_SYSTEM_ALERT, hwnd(), OBJID_CLIENT, CHILDID_SELF);
}

} // namespace fx
