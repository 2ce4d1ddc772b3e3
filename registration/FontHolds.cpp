#include "FontHolds.h"

namespace mirvashel {

bool FontHolds::Register(const std::wstring& path) {
    if (!AddFontResourceW(path.c_str())) return false;
    // An install's paths usually come in the map's order: hinted at the end,
    // each one takes a comparison or two instead of a search.
    ++held_.try_emplace(held_.end(), path, 0)->second;
    return true;
}

bool FontHolds::Release(const std::wstring& path) {
    const auto held = held_.find(path);
    if (held == held_.end() || !RemoveFontResourceW(path.c_str())) return false;
    if (--held->second == 0) held_.erase(held);
    return true;
}

} // namespace mirvashel
