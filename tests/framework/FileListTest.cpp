// Which files a file list shows: real-name pattern match, attribute filter,
// sorting, and the distinct failure for a missing folder.
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

void SetAttributes(const std::filesystem::path& file, DWORD attributes) {
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), attributes));
}

} // namespace

TEST(FileListTest, ListsOnlyPlainArchiveAndReadOnlyFilesWhoseRealNameMatches) {
    TempFolder dir;
    dir.Write(L"b.ttf");
    dir.Write(L"A.TTF");
    SetAttributes(dir.Write(L"hidden.ttf"), FILE_ATTRIBUTE_HIDDEN);
    SetAttributes(dir.Write(L"system.ttf"), FILE_ATTRIBUTE_SYSTEM);
    SetAttributes(dir.Write(L"readonly.ttf"), FILE_ATTRIBUTE_READONLY);
    SetAttributes(dir.Write(L"archive.ttf"), FILE_ATTRIBUTE_ARCHIVE);
    dir.MakeDir(L"folder.ttf");
    dir.Write(L"a.ttfx"); // its 8.3 name A~1.TTF would match "*.ttf"
    dir.Write(L"notes.txt");
    dir.Write(L"font.ttf.txt");

    DWORD result = 0;
    EXPECT_EQ(List(dir.str(), &result), (std::vector<std::wstring>{L"A.TTF", L"archive.ttf", L"b.ttf", L"readonly.ttf"}));
    EXPECT_EQ(result, DWORD(ERROR_SUCCESS));
}

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
