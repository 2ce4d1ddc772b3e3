#include "FontLoadM.h"

#include "Handles.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace mirvashel::FontLoadM {

void FillListWithFonts(fx::ListBox& list) {
    fx::ListBox::BatchUpdate batch(list);
    list.Clear();
    fx::WindowDC dc(list.hwnd());
    EnumFontFamiliesW(dc.get(), nullptr, &EnumFontFamProc, reinterpret_cast<LPARAM>(&list));
}

int CALLBACK EnumFontFamProc(const LOGFONTW* logFont, const TEXTMETRICW*, DWORD, LPARAM context) {
    const wchar_t* face = logFont->lfFaceName;
    const wchar_t* end = std::find(face, face + std::size(logFont->lfFaceName), L'\0');
    if (end != face + std::size(logFont->lfFaceName))
        reinterpret_cast<fx::ListBox*>(context)->Add(std::wstring_view(face, size_t(end - face)));
    return 1;
}

} // namespace mirvashel::FontLoadM
