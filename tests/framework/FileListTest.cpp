// The file list's folder reading: names outside the ANSI code page, and the
// distinct failure for a missing folder. (Which files it shows is checked
// where it matters: the start-up count and the install run.)
#include "FileList.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

using testing_support::TempFolder;

namespace {

std::vector<std::wstring> List(const std::wstring& folder, DWORD* result = nullptr) {
    std::vector<std::wstring> names;
    const DWORD r = fx::ListMatchingFiles(folder, L"*.ttf", names);
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
