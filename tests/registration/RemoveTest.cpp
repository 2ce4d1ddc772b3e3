// The remove command releases what the program registered and nothing more,
// and keeps the window answering; the single-file public operations.
#include "RegistrationFixture.h"

using namespace mirvashel;
using namespace testing_support;

namespace {

class RemoveTest : public RegistrationTest {};

// Windows counts registrations per file for the whole log-on; a remove that
// released more than the program added would take away another program's.
TEST_F(RemoveTest, ReleasesOnlyWhatTheProgramRegisteredAndKeepsOtherHolders) {
    AddTestFonts(2);
    folder.Write(L"fonts\\refused.ttf", "not a font");
    const std::wstring shared = FontPath(TestFamily(0) + L".ttf");
    ASSERT_GT(AddFontResourceW(shared.c_str()), 0); // another holder of the same file
    Open();
    Click(Command2);
    Click(Command1);
    EXPECT_TRUE(HasFamily(TestFamily(0)));
    EXPECT_FALSE(HasFamily(TestFamily(1)));
    Click(Command1); // again: nothing of the program's is left to release
    EXPECT_TRUE(HasFamily(TestFamily(0)));
    EXPECT_EQ(Rows(List2).size(), 3u);
    EXPECT_TRUE(RemoveFontResourceW(shared.c_str()));
    EXPECT_FALSE(HasFamily(TestFamily(0)));
}

// A long remove keeps the window answering; what it answers must not
// register again what it releases, nor start a second walk.
TEST_F(RemoveTest, ARunHoldsOffBothCommandsAndEndsCleanlyWhenTheWindowCloses) {
    AddTestFonts(4);
    Open();
    Click(Command2);
    HWND main = window->hwnd();
    bool onlyTheFirstReleased = false;
    size_t rowsDuringTheRun = 0;
    InstallProbe probe(*window, [&](int) {
        Click(Command2);
        Click(Command1);
        rowsDuringTheRun = Rows(List2).size();
        onlyTheFirstReleased = !HasFamily(TestFamily(0)) && HasFamily(TestFamily(1));
        SendMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0); // Alt+F4
    });
    probe.PostStep(1); // handled at the remove's first turn, after its first row
    Click(Command1);
    EXPECT_TRUE(onlyTheFirstReleased);
    EXPECT_EQ(rowsDuringTheRun, 4u);
    EXPECT_FALSE(IsWindow(main));
    for (int i = 1; i < 4; ++i) EXPECT_TRUE(HasFamily(TestFamily(i))) << i;
}

TEST_F(RemoveTest, PublicOperationsRegisterAndUnregisterOneFileWithoutRecording) {
    AddTestFonts(1);
    Open();
    const std::wstring path = FontPath(TestFamily(0) + L".ttf");
    (**window).AddFont(path);
    EXPECT_TRUE(HasFamily(TestFamily(0)));
    EXPECT_TRUE(Rows(List2).empty());
    (**window).RemoveFont(path);
    EXPECT_FALSE(HasFamily(TestFamily(0)));
}

} // namespace
