#include "FontHolds.h"

namespace mirvashel {

bool FontHolds::Register(const std::wstring& path) {
    if (!AddFontResourceW(path.c_str())) return false;
    ++held_[path];
    return true;
}

bool FontHolds::Release(const std::wstring& path) {
    const auto held = held_.find(path);
    if (held == held_.end() || !RemoveFontResourceW(path.c_str())) return false;
    if (--held->second == 0) held_.erase(held);
    return true;
}

} // namespace mirvashel
