#include "FileTree.h"

#include "Paths.h"

#include <algorithm>
#include <cwchar>
#include <utility>

namespace fx {

namespace {

constexpr DWORD kNeverEntered = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_REPARSE_POINT;

// Counts a file by its extension, in lower case; the kinds are few.
void CountKind(const wchar_t* name, std::vector<std::pair<std::wstring, size_t>>& kinds) {
    const wchar_t* dot = std::wcsrchr(name, L'.');
    std::wstring extension = dot ? dot : L"";
    CharLowerBuffW(extension.data(), DWORD(extension.size()));
    for (auto& [kind, count] : kinds)
        if (kind == extension) return void(++count);
    kinds.emplace_back(std::move(extension), 1);
}

} // namespace

DWORD ListMatchingTree(const std::wstring& folder, const std::wstring& pattern, FileTree& tree,
                       const std::function<bool()>& between) {
    tree = {};
    // Folders still to read, by their path below `folder`: a list, not
    // recursion, so a deep tree costs no stack.
    std::vector<std::wstring> pending{std::wstring()};
    while (!pending.empty()) {
        const std::wstring below = std::move(pending.back());
        pending.pop_back();
        const std::wstring prefix = below.empty() ? below : below + L'\\';
        DWORD result = ReadFolder(below.empty() ? folder : JoinPath(folder, below), [&](const WIN32_FIND_DATAW& data) {
            const DWORD attributes = data.dwFileAttributes;
            if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
                if (!(attributes & kNeverEntered)) pending.push_back(prefix + data.cFileName);
            } else if (IsListedFile(data, pattern)) {
                tree.files.push_back({prefix + data.cFileName, ListedAsPlain(data)});
            } else if (!(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE))) {
                CountKind(data.cFileName, tree.others);
            }
        });
        // Only the folder itself can be missing; a sub-folder that cannot
        // be found was listed a moment ago.
        if (result == ERROR_PATH_NOT_FOUND && !below.empty()) result = ERROR_BAD_PATHNAME;
        if (result == ERROR_SUCCESS && between && !between()) result = ERROR_CANCELLED;
        if (result != ERROR_SUCCESS) {
            tree = {}; // a partial list would pass for the whole tree
            return result;
        }
    }
    SortByName(tree.files);
    std::sort(tree.others.begin(), tree.others.end(), [](const auto& a, const auto& b) {
        return a.second != b.second ? a.second > b.second : a.first < b.first;
    });
    return ERROR_SUCCESS;
}

} // namespace fx
