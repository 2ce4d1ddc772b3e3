// The room a message box has on the screen. The system sizes a message box
// to its text and never shrinks it to the screen: a long report would run
// off the screen's edges, taking its title and OK button with it. So the
// report is cut to the lines and the line width that fit the work area of
// the monitor the program's window is on.
#include "Handles.h"
#include "InstallReport.h"
#include "Units.h"

#include <algorithm>
#include <vector>

namespace mirvashel {

namespace {

// What the box puts around its text, in lines of its font beyond the title
// bar and frame: the margins above and below the text, the OK button and
// the margins around it, with room to spare for any Windows' layout.
constexpr int kLinesAroundText = 7;
// A name line is no wider than this many average characters of the message
// font, and half the work area: the text column of a message box has a
// fixed width (Wine's is about 36 such characters; Windows' is wider) and
// wraps what is longer, which would take more lines than counted.
constexpr int kNameLineChars = 28;
constexpr int kLineWidthPercent = 50;
constexpr wchar_t kEllipsis[] = L"\u2026";

// The DPI the system lays the box out at over the system DPI that the
// metrics read here are given at. They differ only for a program that is
// aware of each monitor's scale, on a monitor of another scale.
struct Scale {
    int windowDpi = 96, systemDpi = 96;
    int operator()(int value) const { return MulDiv(value, windowDpi, systemDpi); }
};

// The screen's DPI is the system's; where Windows is too old to tell
// monitors apart, the window's is the same and nothing is scaled.
Scale ScaleFor(HWND owner) {
    const int window = fx::Units::ForWindow(owner).dpiY(), system = fx::Units::FromScreen().dpiY();
    return window > 0 && system > 0 ? Scale{window, system} : Scale{};
}

// The message font at the box's scale.
LOGFONTW MessageFont(const Scale& scale) {
    NONCLIENTMETRICSW metrics{.cbSize = sizeof(NONCLIENTMETRICSW)};
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    metrics.lfMessageFont.lfHeight = scale(metrics.lfMessageFont.lfHeight);
    return metrics.lfMessageFont;
}

// Whether a cut before name[i] would part it from what it belongs to: the
// second half of a surrogate pair, a combining mark or variation selector
// (shown on the character before it), or either side of a zero-width joiner.
bool BelongsToPrevious(const std::wstring& name, size_t i) {
    constexpr wchar_t kZeroWidthJoiner = 0x200D;
    if (i == 0 || i >= name.size()) return false;
    const wchar_t c = name[i];
    if (IS_LOW_SURROGATE(c) || c == kZeroWidthJoiner || name[i - 1] == kZeroWidthJoiner || (c >= 0xFE00 && c <= 0xFE0F))
        return true;
    WORD type = 0;
    return GetStringTypeW(CT_CTYPE3, &c, 1, &type) && (type & C3_NONSPACING);
}

// `name` as it is when it fits in `width` pixels of `dc`'s font; otherwise
// its start and its end (where the extension is) around an ellipsis, as many
// characters as fit, the start taking the odd one. Each end is measured on
// its own: partial widths of the whole name are not to be trusted for every
// script (Wine 10 gives those of a right-to-left name in display order).
std::wstring ShortenInMiddle(HDC dc, const std::wstring& name, int width) {
    const size_t length = name.size();
    const auto extent = [&](const wchar_t* text, size_t count) {
        SIZE size{};
        return count > 0 && GetTextExtentPoint32W(dc, text, int(count), &size) ? int(size.cx) : 0;
    };
    if (length == 0 || extent(name.c_str(), length) <= width) return name;
    const int room = width - extent(kEllipsis, 1);
    const auto fits = [&](size_t kept) {
        const size_t head = (kept + 1) / 2, tail = kept / 2;
        return extent(name.c_str(), head) + extent(name.c_str() + (length - tail), tail) <= room;
    };
    // The most characters kept that fit: widths grow with what is kept.
    size_t kept = 0;
    for (size_t high = length - 1; kept < high;) {
        const size_t mid = (kept + high + 1) / 2;
        if (fits(mid)) kept = mid;
        else high = mid - 1;
    }
    size_t head = (kept + 1) / 2, tail = kept / 2;
    // Never split what shows as one character.
    while (head > 0 && BelongsToPrevious(name, head)) --head;
    while (tail > 0 && BelongsToPrevious(name, length - tail)) --tail;
    return name.substr(0, head) + kEllipsis + name.substr(length - tail);
}

} // namespace

ReportRoom MessageBoxRoom(HWND owner) {
    MONITORINFO monitor{.cbSize = sizeof(MONITORINFO)};
    if (!GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor)) return {};
    const RECT& work = monitor.rcWork;
    const Scale scale = ScaleFor(owner);
    const LOGFONTW font = MessageFont(scale);

    fx::WindowDC screen(nullptr);
    const fx::UniqueFont measureFont(CreateFontIndirectW(&font));
    TEXTMETRICW metrics{};
    {
        fx::SelectGuard select(screen.get(), measureFont.get());
        GetTextMetricsW(screen.get(), &metrics);
    }
    const int lineHeight = std::max<int>(metrics.tmHeight, 1);
    const int frame = scale(GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFIXEDFRAME));
    const int textHeight = int(work.bottom - work.top) - frame - kLinesAroundText * lineHeight;
    const int lineWidth =
        std::min(int(work.right - work.left) * kLineWidthPercent / 100, kNameLineChars * int(metrics.tmAveCharWidth));

    ReportRoom room;
    room.lines = size_t(std::max(textHeight / lineHeight, 0));
    room.fitName = [font, lineWidth](const std::wstring& name) {
        fx::WindowDC dc(nullptr);
        const fx::UniqueFont nameFont(CreateFontIndirectW(&font));
        fx::SelectGuard select(dc.get(), nameFont.get());
        return ShortenInMiddle(dc.get(), name, lineWidth);
    };
    return room;
}

} // namespace mirvashel
