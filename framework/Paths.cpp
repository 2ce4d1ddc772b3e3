#include "Paths.h"

#include <windows.h>

namespace fx {

std::wstring ExecutableFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD got = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (got == 0) return {};
        if (got < path.size()) {
            path.resize(got);
            break;
        }
        path.resize(path.size() * 2); // long path: the name was cut off
    }
    const size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {};
    // Keep the separator of a drive root: "C:\" rather than "C:".
    const bool driveRoot = slash == 2 && path[1] == L':';
    path.resize(driveRoot ? slash + 1 : slash);
    return path;
}

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name) {
    while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.remove_suffix(1);
    while (!name.empty() && (name.front() == L'\\' || name.front() == L'/')) name.remove_prefix(1);
    std::wstring joined(folder);
    joined += L'\\';
    joined += name;
    return joined;
}

} // namespace fx
