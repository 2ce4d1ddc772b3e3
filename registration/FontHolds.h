// The font registrations this run of the program made and has not released
// yet, counted per path. Windows counts registrations per file across the
// whole log-on, and each successful add must be matched by exactly one
// remove: releasing more would take away fonts that other programs hold on
// the same file. Kept in memory only: a later run of the program holds none.
#pragma once

#include <windows.h>

#include <map>
#include <string>

namespace mirvashel {

class FontHolds {
public:
    // Registers the file; true (and one hold more) when it is a file on disk
    // and Windows accepted it. A file its folder's listing did not show as a
    // plain file with content, or whose attributes no longer do, is first
    // opened to see that it is one.
    bool Register(const std::wstring& path, bool listedAsPlainFile);
    // Unregisters the file once if this program still holds it; true when a
    // hold was released.
    bool Release(const std::wstring& path);

private:
    // Windows matches font paths without regard to case.
    struct PathLess {
        bool operator()(const std::wstring& a, const std::wstring& b) const {
            return CompareStringOrdinal(a.c_str(), int(a.size()), b.c_str(), int(b.size()), TRUE) == CSTR_LESS_THAN;
        }
    };
    std::map<std::wstring, int, PathLess> held_;
};

} // namespace mirvashel
