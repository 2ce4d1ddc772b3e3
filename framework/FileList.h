// A file list box: the files of one folder whose real names match a pattern
// and that are plain, archive or read-only files (never hidden or system
// files, never folders), sorted by name.
#pragma once

#include "Controls.h"

#include <string>
#include <vector>

namespace fx {

// Reads the matching file names of a folder. Returns ERROR_SUCCESS, or
// ERROR_PATH_NOT_FOUND when the folder does not exist or cannot be listed.
DWORD ListMatchingFiles(const std::wstring& folder, const std::wstring& pattern, std::vector<std::wstring>& names);

class FileList : public ListBox {
public:
    using ListBox::ListBox;

    // Points the list at a folder and reads it. On failure (ERROR_PATH_NOT_FOUND)
    // the list keeps its previous folder and rows.
    DWORD SetPath(const std::wstring& folder);
    DWORD Refresh();
    const std::wstring& Path() const noexcept { return path_; }
    // The file name of a row, without folder.
    const std::wstring& FileName(int index) const { return names_.at(size_t(index)); }
    int Count() const noexcept { return int(names_.size()); }

protected:
    void CreateIn(HWND container, const RECT& px) override;

private:
    void Show();
    std::wstring path_;
    std::vector<std::wstring> names_;
};

} // namespace fx
