#include "Families.h"

#include "Handles.h"

namespace testing_support {

namespace {
int CALLBACK Collect(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM context) {
    reinterpret_cast<std::multiset<std::wstring>*>(context)->insert(lf->lfFaceName);
    return 1;
}
} // namespace

std::multiset<std::wstring> CurrentFamilies() {
    std::multiset<std::wstring> families;
    fx::WindowDC screen(nullptr);
    EnumFontFamiliesW(screen.get(), nullptr, reinterpret_cast<FONTENUMPROCW>(&Collect),
                      reinterpret_cast<LPARAM>(&families));
    return families;
}

bool HasFamily(const std::wstring& family) { return CurrentFamilies().count(family) != 0; }

} // namespace testing_support
