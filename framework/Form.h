// Builds a window's controls from its design table, in table order (which is
// also their stacking order), each in its container: the form's window, or
// the picture box of the row its design names. Then it answers what spans
// every container: late creation, new units, docking, the tab order, and
// the control of a row as its class.
#pragma once

#include "Controls.h"

#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

namespace fx {

class Form {
public:
    Form(std::span<const ControlDesign> designs, Container& window);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Creates the controls. Given the part of the window that is seen at
    // first (twips), the native controls on the window that lie wholly
    // outside it, or are hidden, wait for CreateUnseen: nobody sees them
    // before the first paint, and each costs the window system a round.
    void Create(const TwipRect* firstSeen = nullptr);
    // Creates the controls that waited, each at its table place in the
    // stacking order.
    void CreateUnseen();
    bool Complete() const;
    const Units& units() const noexcept { return window_.units(); }
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
    // The row of a control id from WM_COMMAND, or -1.
    int RowOfId(int id) const;

    void Dock();
    // The next control in tab-index order that can take the focus, or null.
    HWND NextTabStop(HWND from, bool backwards) const;
    // Moves the focus as the keyboard does: focus rectangles show from now on.
    void FocusByKeyboard(HWND control) const;

private:
    Container& window_;
    std::vector<std::unique_ptr<Control>> controls_;
};

} // namespace fx
