#include "Fonts.h"

#include <cmath>
#include <cwchar>
#include <vector>

namespace fx {

UniqueFont CreateDesignFont(const FontDesign& design, int dpiY) {
    LOGFONTW lf{};
    // Negative height: the size is the character height, as points are.
    lf.lfHeight = -LONG(std::lround(design.points * dpiY / 72.0));
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = design.charset;
    lf.lfQuality = DEFAULT_QUALITY;
    wcsncpy(lf.lfFaceName, design.face, LF_FACESIZE - 1);
    return UniqueFont(CreateFontIndirectW(&lf));
}

UniqueFont WithFace(HFONT font, std::wstring_view face) {
    LOGFONTW lf{};
    if (!font || GetObjectW(font, sizeof lf, &lf) != sizeof lf || face.size() >= LF_FACESIZE)
        return {};
    face.copy(lf.lfFaceName, face.size());
    lf.lfFaceName[face.size()] = L'\0';
    return UniqueFont(CreateFontIndirectW(&lf));
}

bool ShowsOwnFace(HDC dc, HFONT font) {
    LOGFONTW lf{};
    if (!font || GetObjectW(font, sizeof lf, &lf) != sizeof lf) return false;
    SelectGuard select(dc, font);
    wchar_t shown[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, shown);
    if (_wcsicmp(shown, lf.lfFaceName) != 0) return false;
    const UINT size = GetOutlineTextMetricsW(dc, 0, nullptr);
    if (size < sizeof(OUTLINETEXTMETRICW)) return true; // a bitmap font has no full name to compare
    std::vector<char> buffer(size);
    auto* metrics = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer.data());
    if (!GetOutlineTextMetricsW(dc, size, metrics)) return true;
    const auto* fullName = reinterpret_cast<const wchar_t*>(buffer.data() + reinterpret_cast<UINT_PTR>(metrics->otmpFaceName));
    return _wcsnicmp(fullName, lf.lfFaceName, wcslen(lf.lfFaceName)) == 0;
}

UniqueFont WithHeight(HFONT font, LONG pixels) {
    LOGFONTW lf{};
    if (!font || GetObjectW(font, sizeof lf, &lf) != sizeof lf) return {};
    lf.lfHeight = -pixels;
    return UniqueFont(CreateFontIndirectW(&lf));
}

UniqueFont RescaledFont(HFONT current, const FontDesign& design, int dpiY) {
    UniqueFont font = CreateDesignFont(design, dpiY);
    LOGFONTW lf{};
    if (current && GetObjectW(current, sizeof lf, &lf) == sizeof lf && wcscmp(lf.lfFaceName, design.face) != 0)
        if (UniqueFont picked = WithFace(font.get(), lf.lfFaceName)) return picked;
    return font;
}

} // namespace fx
