// The file list's folder reading: a folder that cannot be read is told from a
// missing one. (Which files it shows, and the missing and empty folders, are
// checked where they matter: the start-up count and the install run.)
#include "FileList.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

// A listing that breaks off midway (a network folder going away).
BOOL WINAPI FailAfterTheFirstEntry(HANDLE, LPWIN32_FIND_DATAW) {
    SetLastError(ERROR_NETNAME_DELETED);
    return FALSE;
}

TEST(FileListTest, AFolderThatCannotBeReadGivesTheSystemsReasonAndNoNames) {
    testing_support::TempFolder dir;
    dir.Write(L"a.ttf");
    dir.Write(L"b.ttf");
    std::vector<std::wstring> names;
    // A partial list must not pass for the whole folder.
    EXPECT_EQ(fx::ListMatchingFiles(dir.str(), L"*.ttf", names, &FailAfterTheFirstEntry), DWORD(ERROR_NETNAME_DELETED));
    EXPECT_TRUE(names.empty());

    // Held open by another handle that shares nothing, the folder exists but
    // cannot be opened for listing.
    HANDLE held = CreateFileW(dir.str().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                              nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const DWORD result = fx::ListMatchingFiles(dir.str(), L"*.ttf", names);
    CloseHandle(held);
    EXPECT_EQ(result, DWORD(ERROR_SHARING_VIOLATION));
    EXPECT_TRUE(names.empty());

    // A file where a folder is expected is not a folder that could be read.
    EXPECT_EQ(fx::ListMatchingFiles(dir.str() + L"\\a.ttf", L"*.ttf", names), DWORD(ERROR_PATH_NOT_FOUND));
}

} // namespace
