// The remove command releases what the program registered and nothing more;
// the single-file public operations.
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
    Click(Command2);
    Click(Command2);
    Click(Command1);
    EXPECT_TRUE(HasFamily(TestFamily(0)));
    EXPECT_FALSE(HasFamily(TestFamily(1))) << "one of two holds left behind";
    Click(Command1); // again: nothing of the program's is left to release
    EXPECT_TRUE(HasFamily(TestFamily(0)));
    EXPECT_EQ(Rows(List2).size(), 6u);
    EXPECT_TRUE(RemoveFontResourceW(shared.c_str()));
    EXPECT_FALSE(HasFamily(TestFamily(0)));

    // The public single-file operations record nothing.
    (**window).AddFont(FontPath(TestFamily(1) + L".ttf"));
    EXPECT_TRUE(HasFamily(TestFamily(1)));
    (**window).RemoveFont(FontPath(TestFamily(1) + L".ttf"));
    EXPECT_FALSE(HasFamily(TestFamily(1)));
    EXPECT_EQ(Rows(List2).size(), 6u);
}

} // namespace
