#include "FileList.h"

#include <shlwapi.h>

#include <algorithm>

namespace fx {

namespace {

constexpr DWORD kNeverListed = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                               FILE_ATTRIBUTE_DEVICE;

// FindFirstFile also matches the pattern against 8.3 short names, so
// "a.ttfx" would pass "*.ttf"; the pattern is checked on the real name.
bool MatchesRealName(const wchar_t* name, const std::wstring& pattern) {
    return PathMatchSpecW(name, pattern.c_str()) != FALSE;
}

bool NameLess(const std::wstring& a, const std::wstring& b) {
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), int(a.size()), b.c_str(),
                          int(b.size())) == CSTR_LESS_THAN;
}

} // namespace

DWORD ListMatchingFiles(const std::wstring& folder, const std::wstring& pattern, std::vector<std::wstring>& names,
                        FindNextFn findNext) {
    names.clear();
    std::wstring query = folder;
    if (query.empty() || (query.back() != L'\\' && query.back() != L'/')) query += L'\\';
    query += pattern;

    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW(query.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) {
        // An existing folder with no match is an empty listing, not a failure;
        // one that cannot be read is not a missing one.
        const DWORD error = GetLastError();
        const DWORD attributes = GetFileAttributesW(folder.c_str());
        const bool isFolder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
        if (!isFolder) return ERROR_PATH_NOT_FOUND;
        return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
    }
    do {
        if (!(data.dwFileAttributes & kNeverListed) && MatchesRealName(data.cFileName, pattern))
            names.emplace_back(data.cFileName);
    } while (findNext(find, &data));
    const DWORD end = GetLastError();
    FindClose(find);
    if (end != ERROR_NO_MORE_FILES) {
        names.clear();
        return end;
    }
    std::sort(names.begin(), names.end(), NameLess);
    return ERROR_SUCCESS;
}

DWORD FileList::SetPath(const std::wstring& folder) {
    std::vector<std::wstring> names;
    const DWORD result = ListMatchingFiles(folder, design_.pattern ? design_.pattern : L"*.*", names);
    if (result != ERROR_SUCCESS) return result;
    path_ = folder;
    names_ = std::move(names);
    Show();
    return ERROR_SUCCESS;
}

void FileList::CreateIn(HWND container, const RECT& px) {
    ListBox::CreateIn(container, px);
    // Until pointed elsewhere, a file list shows the current folder.
    const DWORD need = GetCurrentDirectoryW(0, nullptr);
    std::wstring current(need, L'\0');
    current.resize(GetCurrentDirectoryW(need, current.data()));
    SetPath(current);
}

void FileList::Show() {
    BatchUpdate batch(*this, int(names_.size()));
    Clear();
    for (const std::wstring& name : names_)
        SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

} // namespace fx
