// The file list's folder reading. (Which files it shows, and the missing,
// empty and unreadable folders, are checked where they matter: the start-up
// count and the install run.)
#include "FileList.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace {

// A file where a folder is expected is not a folder that could not be read.
// (A folder that cannot be read, from the start or midway, is checked where
// the user meets it: the install run's message.)
TEST(FileListTest, AFileWhereAFolderIsExpectedIsAMissingFolder) {
    testing_support::TempFolder dir;
    std::vector<std::wstring> names;
    EXPECT_EQ(fx::ListMatchingFiles(dir.Write(L"a.ttf").wstring(), L"*.ttf", names), DWORD(ERROR_PATH_NOT_FOUND));
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
