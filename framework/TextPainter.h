// Wrapped, optionally centred and right-to-left text drawn with Uniscribe.
// Uniscribe measures shaped text (joined Arabic letters) correctly on every
// platform, where DrawTextW's measurement of Arabic can be off.
#pragma once

#include "Handles.h"

#include <windows.h>

#include <string_view>
#include <vector>

namespace fx {

struct TextLayout {
    bool centred;
    bool rightToLeft;
};

// Width in pixels of one line of text in the DC's current font.
int MeasureLine(HDC dc, std::wstring_view line, bool rightToLeft);

// Splits text into lines: at CR LF (or a lone CR or LF), then at spaces so
// that no line is wider than maxWidth unless it is a single word.
std::vector<std::wstring_view> WrapLines(HDC dc, std::wstring_view text, int maxWidth, bool rightToLeft);

// Draws the wrapped lines from the top of the box, clipped to it.
void DrawWrappedText(HDC dc, const RECT& box, std::wstring_view text, const TextLayout& layout);

// A face Windows always has, with Arabic letters narrower than most.
inline constexpr wchar_t kFallbackFace[] = L"Tahoma";

// Whether the text, wrapped to the box's width, shows whole inside it: no
// line wider than the box and no ink on the box's last pixel row.
bool FitsBox(HDC dc, const RECT& box, std::wstring_view text, const TextLayout& layout);

// The font in which the text shows whole in the box: an empty owner when
// the given font is the face it names (the design holds as drawn) or when
// the text fits in it; else the same face one pixel smaller at a
// time, down to two thirds of its size; past that the fallback face from
// the full size down (the smallest one tried when nothing fits). Leaves the
// DC's font as it was.
UniqueFont FitFont(HDC dc, HFONT font, const RECT& box, std::wstring_view text, const TextLayout& layout);

} // namespace fx
