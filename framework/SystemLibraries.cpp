#include "SystemLibraries.h"

#include <string>

namespace fx {

void RestrictDllSearchToSystemFolder() {
    // Looked up rather than imported: older Windows lack it and would refuse
    // to start the program at all.
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const auto set =
        ModuleFunction<SetDefaultDllDirectoriesFn>(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    if (set) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

HMODULE LoadSystemLibrary(const wchar_t* name) {
    if (HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return module;
    // Windows without the search flags rejects them; a full path then
    // leaves no folder to search.
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    std::wstring path(folder, length);
    path += L'\\';
    path += name;
    return LoadLibraryExW(path.c_str(), nullptr, 0);
}

void PreloadSystemLibraries(std::initializer_list<const wchar_t*> names) {
    for (const wchar_t* name : names) LoadSystemLibrary(name); // never freed: they must stay loaded
}

} // namespace fx
