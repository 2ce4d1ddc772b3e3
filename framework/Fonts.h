// Fonts described by face, point size and character set, as the design
// states them, turned into GDI fonts for the screen.
#pragma once

#include "Handles.h"

#include <string_view>

namespace fx {

struct FontDesign {
    const wchar_t* face;
    double points;
    BYTE charset;
};

UniqueFont CreateDesignFont(const FontDesign& design, int dpiY);

// The same font with only its family replaced. Returns an empty owner when
// the font cannot be read or the name does not fit a LOGFONT.
UniqueFont WithFace(HFONT font, std::wstring_view face);

// The same font at another character height in pixels (as a LOGFONT's
// negative height); an empty owner when the font cannot be read.
UniqueFont WithHeight(HFONT font, LONG pixels);

// Whether the font selected into the DC is the face it asks for, not one the
// system substituted (an alias of a missing face reports the asked-for
// family but the stand-in's full name).
bool ShowsOwnFace(HDC dc, HFONT font);

// A design font at another DPI that keeps the family a font has been given
// since (the preview's pick).
UniqueFont RescaledFont(HFONT current, const FontDesign& design, int dpiY);

} // namespace fx
