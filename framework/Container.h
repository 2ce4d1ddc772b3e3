// A window that holds controls (the form's window and every picture box),
// and the base of the controls it holds. A control knows its container and
// its id; the container knows its children in table order and its units,
// paints its windowless labels, routes owner-draw by control id and serves
// screen readers: one accessible object of its own (Accessible.cpp) whose
// children are its children.
#pragma once

#include "Design.h"
#include "Handles.h"

#include <optional>
#include <vector>

namespace fx {

class AccessibleObject;
class Container;

class Control {
public:
    Control(Container& container, const ControlDesign& design, int id)
        : container_(container), design_(design), id_(id) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // Whether a design row of this kind is built as this class (Form::Get).
    static constexpr bool Holds(Kind) { return true; }
    const ControlDesign& design() const noexcept { return design_; }
    // The id its window, its WM_COMMAND and WM_DRAWITEM carry.
    int id() const noexcept { return id_; }
    Container& container() const noexcept { return container_; }
    // The control's own window; labels have none.
    virtual HWND hwnd() const noexcept { return nullptr; }
    // A picture box holds controls of its own.
    virtual const Container* AsContainer() const noexcept { return nullptr; }
    bool Created() const noexcept { return created_; }
    // Place inside the container, in pixels.
    virtual RECT Bounds() const;

    virtual void SetVisible(bool visible);
    // True only when the control and every container above it are shown.
    virtual bool IsVisible() const;
    // Moves a windowed control, keeping its size; twips relative to the
    // container. (No label of the program moves.)
    void MoveTo(int leftTwips, int topTwips);
    // Whether the focus window is this control's: a combo box's focus sits
    // in its edit child.
    bool HoldsFocus(HWND focus) const;

    void Create();
    // Builds the font again and takes the place again in the container's
    // current units (the window has moved to a screen of another DPI).
    void Rescale();

    // A windowless control paints itself on its container's surface.
    virtual void Paint(HDC) const {}
    // Answers WM_DRAWITEM for an owner-drawn control; false for others.
    virtual bool DrawItem(const DRAWITEMSTRUCT&) const { return false; }

protected:
    virtual void CreateIn(HWND container, const RECT& px) = 0;
    // Takes a new place in pixels after a change of units.
    virtual void PlaceAt(const RECT& px) = 0;
    // The designed font, or the platform's default dialog font.
    HGDIOBJ FontOrDefault() const;
    Container& container_;
    const ControlDesign& design_;
    const int id_;
    bool created_ = false;
    UniqueFont font_;
    TwipRect place_ = design_.place; // twips: the design's, or where MoveTo put it
};

class Container {
public:
    virtual ~Container();
    Container(const Container&) = delete;
    Container& operator=(const Container&) = delete;

    virtual HWND hwnd() const noexcept = 0;
    // The picture box this container is, or null for the form's window.
    const Control* box() const noexcept { return box_; }
    // A picture box lays its children out in its own container's units.
    const Units& units() const noexcept { return box_ ? box_->container().units() : units_; }
    const std::vector<Control*>& children() const noexcept { return children_; }

    // The messages every container answers alike: labels painted, owner-draw
    // routed by control id, WM_GETOBJECT, the accessible events of a box that
    // appears, a box's commands passed on; on WM_DESTROY every accessible
    // object handed out is ended and the window handles the message too.
    std::optional<LRESULT> HandleContainerMessage(UINT msg, WPARAM wp, LPARAM lp);
    // Whether a point of the container (pixels) lies on one of its labels.
    bool IsOnLabel(POINT pt) const;
    // Tells clients of a change to a child's element, as the system does
    // by itself for windows.
    void Raise(DWORD event, const Control& child) const;

    // The builder's part (Form): children in table order, the top
    // container's units.
    void Adopt(Control& child) { children_.push_back(&child); }
    void SetUnits(Units units) noexcept { units_ = units; }

    // The accessible object (a new reference), made on first use; null once
    // the window has gone.
    AccessibleObject* AccessibleObjectRef() const;
    // Clients keep references after the window has gone: from now on every
    // call they make is answered with an error, never with freed memory.
    void DisconnectAccessible();

protected:
    explicit Container(const Control* box, Units units = Units(kDesignDpi, kDesignDpi))
        : box_(box), units_(units) {}
    // Painted beneath the labels and above them.
    virtual void PaintUnder(HDC) {}
    virtual void PaintOver(HDC) {}

private:
    void OnPaint();
    // A box that has just appeared: its labels, which have no window for the
    // system to announce, are announced with it; an alert is read out.
    void AnnounceShown() const;
    LRESULT AnswerGetObject(WPARAM wp, LPARAM lp);

    const Control* box_;
    Units units_;
    std::vector<Control*> children_;
    mutable AccessibleObject* accessible_ = nullptr; // one reference; made when a client first asks
    bool disconnected_ = false;
};

} // namespace fx
