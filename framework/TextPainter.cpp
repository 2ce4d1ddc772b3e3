#include "TextPainter.h"

#include "Fonts.h"
#include "Uniscribe.h"

#include <cstdint>

namespace fx {
namespace {

// Owns one SCRIPT_STRING_ANALYSIS.
class ShapedLine {
public:
    ShapedLine(HDC dc, std::wstring_view line, bool rightToLeft) {
        if (line.empty()) return;
        const int length = int(line.size());
        const DWORD flags = SSA_GLYPHS | SSA_FALLBACK | (rightToLeft ? SSA_RTL : 0);
        if (FAILED(Uniscribe().ScriptStringAnalyse(dc, line.data(), length, length * 3 / 2 + 16, -1, flags, 0, nullptr,
                                       nullptr, nullptr, nullptr, nullptr, &ssa_)))
            ssa_ = nullptr;
    }
    ~ShapedLine() { if (ssa_) Uniscribe().ScriptStringFree(&ssa_); }
    ShapedLine(const ShapedLine&) = delete;
    ShapedLine& operator=(const ShapedLine&) = delete;

    int Width() const {
        const SIZE* size = ssa_ ? Uniscribe().ScriptString_pSize(ssa_) : nullptr;
        return size ? int(size->cx) : 0;
    }
    void Draw(int x, int y, const RECT& clip) const {
        if (ssa_) Uniscribe().ScriptStringOut(ssa_, x, y, ETO_CLIPPED, &clip, 0, 0, FALSE);
    }

private:
    SCRIPT_STRING_ANALYSIS ssa_ = nullptr;
};

std::wstring_view TrimTrailingSpaces(std::wstring_view s) {
    while (!s.empty() && s.back() == L' ') s.remove_suffix(1);
    return s;
}

void WrapParagraph(HDC dc, std::wstring_view para, int maxWidth, bool rtl, std::vector<std::wstring_view>& out) {
    while (!para.empty()) {
        // Grow the line one word at a time while it still fits.
        size_t fitted = 0;
        size_t next = 0;
        while (next < para.size()) {
            size_t end = para.find(L' ', next);
            end = (end == std::wstring_view::npos) ? para.size() : end;
            while (end < para.size() && para[end] == L' ') ++end;
            if (fitted != 0 && MeasureLine(dc, TrimTrailingSpaces(para.substr(0, end)), rtl) > maxWidth) break;
            fitted = end;
            next = end;
        }
        out.push_back(TrimTrailingSpaces(para.substr(0, fitted)));
        para.remove_prefix(fitted);
    }
}

// Calls paragraph(view) for each paragraph of the text: the parts between
// CR LF, a lone CR or a lone LF. A final line break starts no new paragraph.
template <class F>
void ForEachParagraph(std::wstring_view text, F&& paragraph) {
    size_t start = 0;
    while (true) {
        const size_t brk = text.find_first_of(L"\r\n", start);
        paragraph(text.substr(start, brk == std::wstring_view::npos ? brk : brk - start));
        if (brk == std::wstring_view::npos) break;
        start = brk + ((text[brk] == L'\r' && brk + 1 < text.size() && text[brk + 1] == L'\n') ? 2 : 1);
        if (start == text.size()) break;
    }
}

} // namespace

int MeasureLine(HDC dc, std::wstring_view line, bool rightToLeft) {
    return ShapedLine(dc, line, rightToLeft).Width();
}

std::vector<std::wstring_view> WrapLines(HDC dc, std::wstring_view text, int maxWidth, bool rightToLeft) {
    std::vector<std::wstring_view> lines;
    ForEachParagraph(text, [&](std::wstring_view para) {
        const std::wstring_view whole = TrimTrailingSpaces(para);
        if (para.empty() || MeasureLine(dc, whole, rightToLeft) <= maxWidth) lines.push_back(whole);
        else WrapParagraph(dc, para, maxWidth, rightToLeft, lines);
    });
    return lines;
}

void DrawWrappedText(HDC dc, const RECT& box, std::wstring_view text, const TextLayout& layout) {
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    const int width = box.right - box.left;
    int y = box.top;
    auto draw = [&](const ShapedLine& shaped) {
        const int lineWidth = shaped.Width();
        int x = box.left;
        if (layout.centred) x += (width - lineWidth) / 2;
        else if (layout.rightToLeft) x = box.right - lineWidth;
        shaped.Draw(x, y, box);
        y += tm.tmHeight;
    };
    ForEachParagraph(text, [&](std::wstring_view para) {
        if (y >= box.bottom) return;
        // Shaping is the costly part of a label's paint. A paragraph that
        // fits (every label's usual case) is shaped once, and that same
        // analysis is drawn; only a paragraph too wide is measured word by
        // word and its lines shaped again.
        ShapedLine whole(dc, TrimTrailingSpaces(para), layout.rightToLeft);
        if (whole.Width() <= width) {
            draw(whole);
            return;
        }
        std::vector<std::wstring_view> lines;
        WrapParagraph(dc, para, width, layout.rightToLeft, lines);
        for (std::wstring_view line : lines) {
            if (y >= box.bottom) break;
            draw(ShapedLine(dc, line, layout.rightToLeft));
        }
    });
}

namespace {

// Whether drawing the text in the box leaves ink on its last `rows` pixel
// rows: drawn black on white into a bitmap as wide as the box and one line
// taller, so that a cut-off line shows.
bool InkOnLastRows(HDC dc, const RECT& box, std::wstring_view text, const TextLayout& layout, int lineHeight,
                   int rows) {
    const int width = box.right - box.left, height = box.bottom - box.top + lineHeight;
    MemoryDC scratch(CreateCompatibleDC(dc));
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return false;
    SelectGuard target(scratch.get(), bitmap.get());
    SelectGuard font(scratch.get(), GetCurrentObject(dc, OBJ_FONT));
    PatBlt(scratch.get(), 0, 0, width, height, WHITENESS);
    SetTextColor(scratch.get(), RGB(0, 0, 0));
    SetBkMode(scratch.get(), TRANSPARENT);
    DrawWrappedText(scratch.get(), RECT{0, 0, width, height}, text, layout);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (int y = box.bottom - box.top - rows; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((pixels[size_t(y) * size_t(width) + size_t(x)] & 0xFFFFFF) != 0xFFFFFF) return true;
    return false;
}

} // namespace

bool FitsBox(HDC dc, const RECT& box, std::wstring_view text, const TextLayout& layout) {
    const int width = box.right - box.left, height = box.bottom - box.top;
    std::vector<std::wstring_view> lines = WrapLines(dc, text, width, layout.rightToLeft);
    while (!lines.empty() && lines.back().empty()) lines.pop_back(); // trailing breaks draw nothing
    for (std::wstring_view line : lines)
        if (MeasureLine(dc, line, layout.rightToLeft) > width) return false;
    if (lines.empty()) return true;
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    // The last line starting below the box: certainly cut. Otherwise the
    // letters decide: a face's tails may reach below its stated descent.
    constexpr int kClearRows = 1;
    if (int(lines.size() - 1) * tm.tmHeight >= height) return false;
    return !InkOnLastRows(dc, box, text, layout, tm.tmHeight, kClearRows);
}

UniqueFont FitFont(HDC dc, HFONT font, const RECT& box, std::wstring_view text, const TextLayout& layout) {
    LOGFONTW lf{};
    if (!font || GetObjectW(font, sizeof lf, &lf) != sizeof lf) return {};
    auto fits = [&](HFONT candidate) {
        SelectGuard select(dc, candidate);
        return FitsBox(dc, box, text, layout);
    };
    // The designed face is drawn as designed; only a stand-in is fitted.
    if (ShowsOwnFace(dc, font) || fits(font)) return {};
    const LONG full = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
    const LONG smallest = (full * 2 + 2) / 3;
    for (LONG height = full - 1; height >= smallest; --height) {
        UniqueFont smaller = WithHeight(font, height);
        if (smaller && fits(smaller.get())) return smaller;
    }
    UniqueFont fallback = WithFace(font, kFallbackFace);
    for (LONG height = full; fallback && height >= smallest; --height) {
        UniqueFont candidate = WithHeight(fallback.get(), height);
        if (!candidate) break;
        if (fits(candidate.get()) || height == smallest) return candidate;
    }
    return {};
}

} // namespace fx
