#include "FileList.h"

#include <shlwapi.h>

#include <algorithm>
#include <string>
#include <utility>

namespace fx {

namespace {

constexpr DWORD kNeverListed = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                               FILE_ATTRIBUTE_DEVICE;
// A link may lead to a pipe or a device; an offline or on-demand (cloud)
// file is fetched from elsewhere when read. (The recall flags are newer
// than MinGW's headers.)
constexpr DWORD kRecallOnOpen = 0x00040000, kRecallOnDataAccess = 0x00400000;
constexpr DWORD kNotPlain = FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_OFFLINE | kRecallOnOpen | kRecallOnDataAccess;

// A path longer than the classic limit is handed over in its long form,
// which Windows takes up to 32,767 characters (a deep folder tree).
std::wstring LongForm(std::wstring path) {
    if (path.size() < MAX_PATH - 1 || path.starts_with(L"\\\\?\\")) return path;
    if (path.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + path.substr(2);
    return L"\\\\?\\" + path;
}

// FindFirstFile also matches a pattern against 8.3 short names, so "a.ttfx"
// would pass "*.ttf": the folder is listed whole and each pattern is
// checked on the real name.
bool MatchesPattern(const wchar_t* name, const std::wstring& pattern) {
    for (size_t start = 0; start <= pattern.size();) {
        const size_t end = std::min(pattern.find(L';', start), pattern.size());
        const std::wstring one = pattern.substr(start, end - start);
        if (!one.empty() && PathMatchSpecW(name, one.c_str())) return true;
        start = end + 1;
    }
    return false;
}

} // namespace

bool IsListedFile(const WIN32_FIND_DATAW& data, const std::wstring& pattern) {
    return !(data.dwFileAttributes & kNeverListed) && MatchesPattern(data.cFileName, pattern);
}

bool ListedAsPlain(const WIN32_FIND_DATAW& data) {
    return ShowsPlainContent(data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow);
}

// Case-blind name order in the user's locale. Each name's sort key is made
// once and the keys are compared as bytes, which orders exactly as
// CompareStringW with the same flags would, without comparing whole names
// n log n times.
void SortByName(std::vector<ListedFile>& files) {
    constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
    std::vector<std::pair<std::string, ListedFile>> keyed;
    keyed.reserve(files.size());
    for (ListedFile& file : files) {
        const std::wstring& name = file.name;
        const int length = LCMapStringW(LOCALE_USER_DEFAULT, kFlags, name.c_str(), int(name.size()), nullptr, 0);
        std::string key(size_t(std::max(length, 0)), '\0');
        LCMapStringW(LOCALE_USER_DEFAULT, kFlags, name.c_str(), int(name.size()), reinterpret_cast<LPWSTR>(key.data()),
                     length);
        keyed.emplace_back(std::move(key), std::move(file));
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 0; i < files.size(); ++i) files[i] = std::move(keyed[i].second);
}

bool ShowsPlainContent(DWORD attributes, DWORD sizeHigh, DWORD sizeLow) noexcept {
    // A pipe shows no content; neither does an empty file, which is no font either.
    return !(attributes & kNotPlain) && (sizeHigh | sizeLow) != 0;
}

DWORD ReadFolder(const std::wstring& folder, const std::function<void(const WIN32_FIND_DATAW&)>& entry) {
    std::wstring query = folder;
    if (query.empty() || (query.back() != L'\\' && query.back() != L'/')) query += L'\\';
    query = LongForm(query + L'*');

    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW(query.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) {
        // An existing folder with no entry is an empty listing, not a failure;
        // one that cannot be read is not a missing one.
        const DWORD error = GetLastError();
        const DWORD attributes = GetFileAttributesW(LongForm(folder).c_str());
        const bool isFolder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
        if (!isFolder) return ERROR_PATH_NOT_FOUND;
        return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
    }
    do {
        const wchar_t* name = data.cFileName;
        if (name[0] != L'.' || (name[1] != L'\0' && (name[1] != L'.' || name[2] != L'\0'))) entry(data);
    } while (FindNextFileW(find, &data));
    const DWORD end = GetLastError();
    FindClose(find);
    return end == ERROR_NO_MORE_FILES ? ERROR_SUCCESS : end;
}

DWORD ListMatchingFiles(const std::wstring& folder, const std::wstring& pattern, std::vector<ListedFile>& files) {
    files.clear();
    const DWORD result = ReadFolder(folder, [&](const WIN32_FIND_DATAW& data) {
        if (IsListedFile(data, pattern)) files.push_back({data.cFileName, ListedAsPlain(data)});
    });
    if (result != ERROR_SUCCESS) {
        files.clear(); // a partial list would pass for the whole folder
        return result;
    }
    SortByName(files);
    return ERROR_SUCCESS;
}

DWORD FileList::SetPath(const std::wstring& folder) {
    std::vector<ListedFile> files;
    const DWORD result = ListMatchingFiles(folder, Pattern(), files);
    if (result == ERROR_SUCCESS) SetPath(folder, std::move(files));
    return result;
}

void FileList::SetPath(const std::wstring& folder, std::vector<ListedFile> files) {
    path_ = folder;
    files_ = std::move(files);
    unread_ = false;
    rowsStale_ = true;
    if (hwnd_ && GetFocus() == hwnd_) ShowRows();
    else Clear(); // no rows of another folder meanwhile
}

void FileList::CreateIn(HWND container, const RECT& px) {
    ListBox::CreateIn(container, px);
    if (!path_.empty()) return; // pointed at a folder before its window was made
    // Until pointed elsewhere, a file list stands for the current folder.
    // It is read only when asked for: the program points it elsewhere
    // before it uses it, and a crowded current folder would otherwise make
    // every start pay for a listing nobody sees.
    const DWORD need = GetCurrentDirectoryW(0, nullptr);
    path_.assign(need, L'\0');
    path_.resize(GetCurrentDirectoryW(need, path_.data()));
    unread_ = true;
}

const std::vector<ListedFile>& FileList::Listing() {
    if (unread_) SetPath(path_);
    unread_ = false; // an unreadable folder is not read again at every question
    return files_;
}

void FileList::ShowRows() {
    if (!rowsStale_) return;
    rowsStale_ = false;
    BatchUpdate batch(*this, int(files_.size()));
    Clear();
    for (const ListedFile& file : files_)
        SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(file.name.c_str()));
}

} // namespace fx
