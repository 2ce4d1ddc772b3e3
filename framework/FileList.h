// A file list box: the files of one folder whose real names match a pattern
// and that are plain, archive or read-only files (never hidden or system
// files, never folders), sorted by name. A pattern is one name pattern or
// several separated by semicolons ("*.ttf;*.otf").
#pragma once

#include "Controls.h"

#include <functional>
#include <string>
#include <vector>

namespace fx {

// One listed file: its name, and whether the listing itself shows a plain
// file with content on the disk (not empty as a pipe is, not a link, not an
// offline or on-demand file), which can be read without a look of its own.
struct ListedFile {
    std::wstring name;
    bool plain;
};

// Whether a file's attributes and size show a plain file with content on
// the disk, as ListedFile::plain says.
bool ShowsPlainContent(DWORD attributes, DWORD sizeHigh, DWORD sizeLow) noexcept;

// Reads the matching files of a folder, sorted by name. Returns ERROR_SUCCESS;
// ERROR_PATH_NOT_FOUND when there is no such folder; or the system's reason
// why an existing folder could not be listed, also when the listing failed
// midway (a partial list would pass for the whole folder), and then none.
DWORD ListMatchingFiles(const std::wstring& folder, const std::wstring& pattern, std::vector<ListedFile>& files);

// The building blocks of a listing, for listings of more than one folder.
// Whether a listing holds the entry: a file, neither hidden nor system,
// whose real name matches the pattern.
bool IsListedFile(const WIN32_FIND_DATAW& data, const std::wstring& pattern);
// Whether the listing shows an entry as a plain file with content.
bool ListedAsPlain(const WIN32_FIND_DATAW& data);
// Hands every entry of one folder but "." and ".." to `entry`, with the
// results of ListMatchingFiles (a listing that fails midway fails).
DWORD ReadFolder(const std::wstring& folder, const std::function<void(const WIN32_FIND_DATAW&)>& entry);
// Sorts by name in the user's locale, case-blind, as the list shows them.
void SortByName(std::vector<ListedFile>& files);

class FileList : public ListBox {
public:
    using ListBox::ListBox;
    static constexpr bool Holds(Kind k) { return k == Kind::FileList; }

    // Points the list at a folder and reads it, with ListMatchingFiles'
    // results. On failure the list keeps its previous folder and rows.
    DWORD SetPath(const std::wstring& folder);
    // Points the list at a folder whose matching files the caller has read.
    void SetPath(const std::wstring& folder, std::vector<ListedFile> files);
    const wchar_t* Pattern() const noexcept { return design_.pattern ? design_.pattern : L"*.*"; }
    const std::wstring& Path() const noexcept { return path_; }
    // Puts the listing into the list's own rows, if they do not hold it yet.
    // The rows are for the eye only and the list lies outside the window, so
    // they are filled when the list takes the focus (LBN_SETFOCUS), not at
    // every re-read: an install re-reads a folder of thousands of files.
    void ShowRows();
    // The file name of a row, without folder.
    const std::wstring& FileName(int index) { return Listing().at(size_t(index)).name; }
    // Whether the listing showed the row's file as a plain file with content.
    bool ListedAsPlainFile(int index) { return Listing().at(size_t(index)).plain; }
    // The files listed (the list's own rows may not show them yet).
    int FileCount() { return int(Listing().size()); }

protected:
    void CreateIn(HWND container, const RECT& px) override;

private:
    const std::vector<ListedFile>& Listing();
    std::wstring path_;
    std::vector<ListedFile> files_;
    bool unread_ = false;   // path_ is set but not listed yet
    bool rowsStale_ = false; // the list's rows do not show files_
};

} // namespace fx
