// The file list's folder reading: names outside the ANSI code page, and the
// distinct failures for a missing folder and one that cannot be read. (Which files it shows is checked
// where it matters: the start-up count and the install run.)
#include "FileList.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

using testing_support::TempFolder;

namespace {

std::vector<std::wstring> List(const std::wstring& folder, DWORD* result = nullptr,
                               fx::FindNextFn findNext = &FindNextFileW) {
    std::vector<std::wstring> names;
    const DWORD r = fx::ListMatchingFiles(folder, L"*.ttf", names, findNext);
    if (result) *result = r;
    return names;
}

} // namespace

TEST(FileListTest, NamesOutsideTheAnsiCodePageAreListedAsTheyAre) {
    TempFolder dir(L"mirvashel-مجلد-шрифт");
    dir.Write(L"خط.ttf");
    dir.Write(L"шрифт.ttf");
    dir.Write(L"€uro.ttf");
    const auto names = List(dir.str());
    ASSERT_EQ(names.size(), 3u);
    EXPECT_NE(std::find(names.begin(), names.end(), L"خط.ttf"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), L"шрифт.ttf"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), L"€uro.ttf"), names.end());
}

TEST(FileListTest, MissingFolderFailsWithPathNotFoundAndEmptyFolderDoesNot) {
    TempFolder dir;
    DWORD result = 0;
    EXPECT_TRUE(List(dir.str() + L"\\missing", &result).empty());
    EXPECT_EQ(result, DWORD(ERROR_PATH_NOT_FOUND));

    dir.MakeDir(L"empty");
    EXPECT_TRUE(List(dir.str() + L"\\empty", &result).empty());
    EXPECT_EQ(result, DWORD(ERROR_SUCCESS));

    // A file where a folder is expected is not a folder that can be listed.
    dir.Write(L"plain");
    List(dir.str() + L"\\plain", &result);
    EXPECT_EQ(result, DWORD(ERROR_PATH_NOT_FOUND));
}

// A listing that breaks off midway (a network folder going away) must not
// pass for the whole folder.
BOOL WINAPI FailAfterTheFirstEntry(HANDLE, LPWIN32_FIND_DATAW) {
    SetLastError(ERROR_NETNAME_DELETED);
    return FALSE;
}

TEST(FileListTest, AFolderThatCannotBeReadGivesTheSystemsReasonAndNoNames) {
    TempFolder dir;
    dir.Write(L"a.ttf");
    dir.Write(L"b.ttf");
    DWORD result = 0;
    EXPECT_TRUE(List(dir.str(), &result, &FailAfterTheFirstEntry).empty());
    EXPECT_EQ(result, DWORD(ERROR_NETNAME_DELETED));

    // Held open by another handle that shares nothing, the folder exists but
    // cannot be opened for listing.
    HANDLE held = CreateFileW(dir.str().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                              nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(List(dir.str(), &result).empty());
    CloseHandle(held);
    EXPECT_EQ(result, DWORD(ERROR_SHARING_VIOLATION));
}
