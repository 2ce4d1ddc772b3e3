// The web link's shell call (its clicks, recorded instead of called, are in
// AccessibilityTest and KeyboardTest; the end commands are pressed from
// outside by the end-to-end test, which sees the process end).
#include "TestWindow.h"

#include <gtest/gtest.h>

using namespace mirvashel;
using namespace testing_support;

namespace {

TEST(WebLinkTest, ShellCallReachesTheShellLoadedOnFirstUse) {
    // A file that does not exist: the shell itself answers "not found",
    // where a failed binding would answer "library not found".
    TempFolder folder;
    const std::wstring missing = folder.str() + L"\\missing.mirvashel-test";
    const auto result = INT_PTR(ShellExecuteOnFirstUse(nullptr, L"Open", missing.c_str(), L"", L"", SW_SHOWNORMAL));
    EXPECT_EQ(result, SE_ERR_FNF);
}

} // namespace
