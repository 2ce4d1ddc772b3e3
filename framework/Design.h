// The declarative description of a window's controls: one row per control,
// in creation order, with everything the designer set.
#pragma once

#include "Fonts.h"
#include "Units.h"

#include <windows.h>

namespace fx {

enum class Kind { PictureBox, Label, Button, TextBox, ListBox, ComboBox, FileList };

// A colour as the designer gives it: a system colour index or a fixed RGB.
struct Colour {
    bool system;
    int sysIndex;
    COLORREF rgb;
    COLORREF Resolve() const noexcept { return system ? GetSysColor(sysIndex) : rgb; }
};
constexpr Colour SysColour(int index) { return Colour{true, index, 0}; }
constexpr Colour RgbColour(BYTE r, BYTE g, BYTE b) { return Colour{false, 0, RGB(r, g, b)}; }

enum Style : unsigned {
    kPlain = 0,
    kSorted = 1u << 0,      // list boxes: rows kept in alphabetical order
    kCentred = 1u << 1,     // labels
    kRightToLeft = 1u << 2, // labels: right-to-left reading order
    kTransparent = 1u << 3, // labels: the container shows through
    kBorder = 1u << 4,      // picture boxes: one-pixel single-line border
    kDockTop = 1u << 5,     // picture boxes: full client width at the top edge
};

inline constexpr int kOnWindow = -1; // container index of controls on the window itself

// What a picture box is to a screen reader. A labelled box or a native
// control says what it is by itself; a picture does not.
enum class AccessRole {
    Pane,    // a plain container
    Command, // acts when clicked: a push button
    Link,    // opens `value` when clicked
    Alert,   // a message that appears: read out when shown, named by its labels
};
struct AccessibleDesign {
    AccessRole role;
    const wchar_t* name;  // read before `value` for a link; nullptr for none
    const wchar_t* value; // a link's address
};
// Commands and links act when clicked, so they also take the keyboard focus
// and act on Enter or Space.
constexpr bool Acts(const AccessibleDesign* a) {
    return a && (a->role == AccessRole::Command || a->role == AccessRole::Link);
}

struct ControlDesign {
    const wchar_t* name;
    Kind kind;
    int container;      // kOnWindow, or the row of the picture box holding it
    TwipRect place;     // relative to the container's client area
    int tabIndex;
    bool visible;
    const wchar_t* text;   // caption, or nullptr for none
    const FontDesign* font;  // nullptr: the platform's default dialog font
    Colour back;
    Colour fore;
    unsigned style;
    const wchar_t* pattern; // file lists: the name pattern
    const AccessibleDesign* accessible = nullptr; // picture boxes; nullptr: a plain container
};

} // namespace fx
