// Wrapped, optionally centred and right-to-left text drawn with Uniscribe.
// Uniscribe measures shaped text (joined Arabic letters) correctly on every
// platform, where DrawTextW's measurement of Arabic can be off.
#pragma once

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

} // namespace fx
