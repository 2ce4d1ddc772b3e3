// The end commands and the web link, with the shell and the end of the
// process recorded instead of done.
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

TEST(CommandsTest, WebLinkCallsTheShellOncePerClickWithSixArguments) {
    TempFolder folder;
    TestWindow window(folder.str());
    ClickPicture(window.Get<fx::Control>(Picture2).hwnd());
    ASSERT_EQ(Record().shellCalls.size(), 1u);
    const ShellCall& call = Record().shellCalls[0];
    EXPECT_EQ(call.owner, window.hwnd());
    EXPECT_EQ(call.operation, L"Open");
    EXPECT_EQ(call.file, L"http://example.com/Site/_Pages.php?Series=89");
    EXPECT_EQ(call.parameters, L"");
    EXPECT_FALSE(call.parametersNull);
    EXPECT_EQ(call.directory, L"");
    EXPECT_FALSE(call.directoryNull);
    EXPECT_EQ(call.show, SW_SHOWNORMAL);

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

TEST(CommandsTest, ClosePictureAndEndButtonEndTheProgram) {
    TempFolder folder;
    TestWindow window(folder.str());
    ClickPicture(window.Get<fx::Control>(Picture3).hwnd());
    EXPECT_EQ(Record().endRequests, 1);

    window.Get<fx::Control>(Picture1).SetVisible(true);
    window.Get<fx::Button>(Command3).Click();
    Pump();
    EXPECT_EQ(Record().endRequests, 2);
    EXPECT_TRUE(Record().shellCalls.empty());
}

} // namespace
