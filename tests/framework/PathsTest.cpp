#include "Paths.h"

#include <gtest/gtest.h>

#include <windows.h>

TEST(PathsTest, JoinPathPutsExactlyOneSeparatorBetween) {
    EXPECT_EQ(fx::JoinPath(L"C:\\", L"VevoDider"), L"C:\\VevoDider");
    EXPECT_EQ(fx::JoinPath(L"C:\\Tools", L"fonts"), L"C:\\Tools\\fonts");
    EXPECT_EQ(fx::JoinPath(L"C:\\Tools\\", L"\\fonts"), L"C:\\Tools\\fonts");
    EXPECT_EQ(fx::JoinPath(L"\\\\server\\share", L"a.ttf"), L"\\\\server\\share\\a.ttf");
}

TEST(PathsTest, ExecutableFolderIsTheFolderOfTheRunningProgram) {
    const std::wstring folder = fx::ExecutableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), L'\\'); // not at a drive root here
    wchar_t module[MAX_PATH];
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    EXPECT_EQ(std::wstring(module).rfind(folder + L"\\", 0), 0u);
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
}
