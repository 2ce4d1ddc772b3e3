#include "Fonts.h"

#include <cmath>
#include <cwchar>

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
