// Builds a window's controls from its design table, in table order (which is
// also their stacking order), and answers the questions that span controls:
// painting the windowless labels, hit-testing them, docking, tab order.
#pragma once

#include "Accessible.h"
#include "Controls.h"
#include "Units.h"

#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

namespace fx {

class Form {
public:
    Form(std::span<const ControlDesign> designs, Units units);
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Creates the controls. Given the part of the window that is seen at
    // first (twips), the native controls on the window that lie wholly
    // outside it, or are hidden, wait for CreateUnseen: nobody sees them
    // before the first paint, and each costs the window system a round.
    void Create(HWND window, const TwipRect* firstSeen = nullptr);
    // Creates the controls that waited, each at its table place in the
    // stacking order.
    void CreateUnseen();
    bool Complete() const;
    const Units& units() const noexcept { return units_; }
    // Lays every control out again, fonts included, in new units (the
    // window has moved to a screen of another DPI); false when they are
    // the units already.
    bool SetUnits(Units units);

    Control& At(int row) { return *controls_.at(size_t(row)); }
    const Control& At(int row) const { return *controls_.at(size_t(row)); }
    int Count() const noexcept { return int(controls_.size()); }
    // The control of a row as its class; a row of another kind is a fault of
    // the program, which ends it rather than work on the wrong object.
    template <class T>
    T& Get(int row) {
        Control& c = At(row);
        if (!T::Holds(c.design().kind)) std::abort();
        return static_cast<T&>(c);
    }
    int IdOf(const Control& control) const;
    // The row of a control id from WM_COMMAND, or -1.
    int RowOfId(int id) const;

    // Paints the container's labels that meet the dirty rectangle (a label's
    // layout is measured text, too costly to redo for a repaint elsewhere).
    void PaintLabels(HWND container, HDC dc, const RECT& dirty) const;
    // Draws an owner-drawn control (WM_DRAWITEM); false when none matches.
    bool DrawItem(const DRAWITEMSTRUCT& item) const;
    // Whether a point of the container (pixels) lies on one of its labels.
    bool IsOnLabel(HWND container, POINT pt) const;
    void Dock();
    // The next control in tab-index order that can take the focus, or null.
    HWND NextTabStop(HWND from, bool backwards) const;
    // Moves the focus as the keyboard does: focus rectangles show from now on.
    void FocusByKeyboard(HWND control) const;

    // Screen readers (Accessible.h): answers WM_GETOBJECT for the form's
    // window or one of its picture boxes (0: not answered), and ends every
    // object handed out once the window goes.
    LRESULT AnswerGetObject(HWND container, WPARAM wp, LPARAM lp);
    void DisconnectAccessibility();

private:
    void CreateRow(size_t row);
    HWND window_ = nullptr;
    std::span<const ControlDesign> designs_;
    Units units_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::unique_ptr<Accessibility> accessibility_; // made when a client first asks; goes before the controls
};

} // namespace fx
