// The web link, with the shell recorded instead of called (the end commands
// are pressed from outside by the end-to-end test, which sees the process end).
#include "Pump.h"
#include "TestWindow.h"

#include <gtest/gtest.h>

using namespace mirvashel;
using namespace testing_support;

namespace {

void ClickPicture(HWND picture) {
    Click(picture);
    Pump();
}

TEST(CommandsTest, WebLinkOpensTheMakersPageOncePerClick) {
    TempFolder folder;
    TestWindow window(folder.str());
    ClickPicture(window.Get<fx::Control>(Picture2).hwnd());
    ASSERT_EQ(Record().shellCalls.size(), 1u);
    const ShellCall& call = Record().shellCalls[0];
    EXPECT_EQ(call.operation, L"Open");
    EXPECT_EQ(call.file, L"http://example.com/Site/_Pages.php?Series=89");

    ClickPicture(window.Get<fx::Control>(Picture2).hwnd());
    EXPECT_EQ(Record().shellCalls.size(), 2u);
    EXPECT_EQ(Record().endRequests, 0);
}

TEST(CommandsTest, ShellCallReachesTheShellLoadedOnFirstUse) {
    // A file that does not exist: the shell itself answers "not found",
    // where a failed binding would answer "library not found".
    TempFolder folder;
    const std::wstring missing = folder.str() + L"\\missing.mirvashel-test";
    const auto result = INT_PTR(ShellExecuteOnFirstUse(nullptr, L"Open", missing.c_str(), L"", L"", SW_SHOWNORMAL));
    EXPECT_EQ(result, SE_ERR_FNF);
}

} // namespace
