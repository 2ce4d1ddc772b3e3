// The remove command releases what the program registered and nothing more,
// and keeps the window answering; the single-file public operations.
#include "RegistrationFixture.h"

using namespace mirvashel;
using namespace testing_support;

namespace {

class RemoveTest : public RegistrationTest {};

// Windows counts registrations per file for the whole log-on: a remove
// releases every hold the program's runs took, two after two installs, and
// no more; one that released more would take away another program's.
TEST_F(RemoveTest, ReleasesExactlyWhatTheProgramRegisteredAndKeepsOtherHolders) {
    AddTestFonts(2);
    folder.Write(L"fonts\\refused.ttf", "not a font");
    const std::wstring shared = FontPath(TestFamily(0) + L".ttf");
    ASSERT_GT(AddFontResourceW(shared.c_str()), 0); // another holder of the same file
    Open();
    Click(kInstallButton);
    Click(kInstallButton);
    Click(kRemoveButton);
    EXPECT_TRUE(HasFamily(TestFamily(0)));
    EXPECT_FALSE(HasFamily(TestFamily(1))) << "one of two holds left behind";
    Click(kRemoveButton); // again: nothing of the program's is left to release
    EXPECT_TRUE(HasFamily(TestFamily(0)));
    EXPECT_EQ(Rows(kRegisteredList).size(), 6u);
    EXPECT_TRUE(RemoveFontResourceW(shared.c_str()));
    EXPECT_FALSE(HasFamily(TestFamily(0)));

    // The public single-file operations record nothing.
    (**window).AddFont(FontPath(TestFamily(1) + L".ttf"));
    EXPECT_TRUE(HasFamily(TestFamily(1)));
    (**window).RemoveFont(FontPath(TestFamily(1) + L".ttf"));
    EXPECT_FALSE(HasFamily(TestFamily(1)));
    EXPECT_EQ(Rows(kRegisteredList).size(), 6u);
}

// A long remove keeps the window answering; what it answers must not
// register again what it releases, nor start a second walk.
TEST_F(RemoveTest, ARunHoldsOffBothCommandsAndEndsCleanlyWhenTheWindowCloses) {
    AddTestFonts(4);
    Open();
    Click(kInstallButton);
    HWND main = window->hwnd();
    bool onlyTheFirstReleased = false;
    size_t rowsDuringTheRun = 0;
    InstallProbe probe(*window, [&](int) {
        Click(kInstallButton);
        Click(kRemoveButton);
        rowsDuringTheRun = Rows(kRegisteredList).size();
        onlyTheFirstReleased = !HasFamily(TestFamily(0)) && HasFamily(TestFamily(1));
        SendMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0); // Alt+F4
    });
    probe.PostStep(1); // handled at the remove's first turn, after its first row
    Click(kRemoveButton);
    EXPECT_TRUE(onlyTheFirstReleased);
    EXPECT_EQ(rowsDuringTheRun, 4u);
    EXPECT_FALSE(IsWindow(main));
    for (int i = 1; i < 4; ++i) EXPECT_TRUE(HasFamily(TestFamily(i))) << i;
}

} // namespace
