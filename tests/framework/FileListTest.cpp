// The file list's folder reading: a folder that cannot be read is told from a
// missing one. (Which files it shows, and the missing and empty folders, are
// checked where they matter: the start-up count and the install run.)
#include "FileList.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

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

// Names come in the order a user reads them in this locale: case-blind,
// digits as characters, hyphens and apostrophes weighed as Windows does.
TEST(FileListTest, NamesComeInTheLocalesCaseBlindOrder) {
    const wchar_t* const files[] = {L"b.ttf", L"A.ttf", L"co-op.ttf", L"coop.ttf", L"Ab.ttf", L"10.ttf",
                                    L"9.ttf", L"\u00c4x.ttf", L"ax.ttf", L"it's.ttf", L"its.ttf", L"_z.ttf"};
    testing_support::TempFolder dir;
    for (const wchar_t* f : files) dir.Write(f);
    std::vector<std::wstring> names;
    ASSERT_EQ(fx::ListMatchingFiles(dir.str(), L"*.ttf", names), DWORD(ERROR_SUCCESS));
    ASSERT_EQ(names.size(), std::size(files));
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), int(a.size()), b.c_str(),
                              int(b.size())) == CSTR_LESS_THAN;
    }));
}

} // namespace
