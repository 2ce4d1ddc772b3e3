// The font list: every family Windows reports, by face name.
#include "FontLoadM.h"
#include "RegistrationFixture.h"

#include <algorithm>
#include <set>

using namespace mirvashel;
using namespace testing_support;

namespace {

class FontListTest : public RegistrationTest {};

// A newly registered family, named outside the ANSI code page, is listed too.
TEST_F(FontListTest, RefillListsEveryFamilyOnceInPlaceOfWhatWasThere) {
    Open();
    const auto font = folder.CopyTestFont(L"arabic-family.ttf", L"arabic-family.ttf");
    ASSERT_GT(AddFontResourceW(font.c_str()), 0);
    auto& list = window->Get<fx::ListBox>(kFontList);
    list.Add(L"stale row");
    FontLoadM::FillListWithFonts(list);
    const auto before = Rows(kFontList);
    EXPECT_EQ(std::count(before.begin(), before.end(), L"stale row"), 0);
    EXPECT_EQ(std::count(before.begin(), before.end(), L"خط تجريبي"), 1);
    EXPECT_EQ(std::multiset<std::wstring>(before.begin(), before.end()), CurrentFamilies());
    EXPECT_TRUE(std::is_sorted(before.begin(), before.end(), [](const std::wstring& a, const std::wstring& b) {
        return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_LESS_THAN;
    }));

    FontLoadM::FillListWithFonts(list); // a second fill replaces, never accumulates
    EXPECT_EQ(Rows(kFontList), before);
}

TEST_F(FontListTest, AFaceFieldWithoutNulGivesNoRowAndTheEnumerationGoesOn) {
    Open();
    auto& list = window->Get<fx::ListBox>(kFontList);
    list.Clear();
    LOGFONTW full{};
    std::fill(std::begin(full.lfFaceName), std::end(full.lfFaceName), L'W'); // 32 characters, no NUL
    LOGFONTW normal{};
    wcscpy(normal.lfFaceName, L"Next Family");
    const LPARAM context = reinterpret_cast<LPARAM>(&list);
    EXPECT_EQ(FontLoadM::EnumFontFamProc(&full, nullptr, TRUETYPE_FONTTYPE, context), 1);
    EXPECT_EQ(FontLoadM::EnumFontFamProc(&normal, nullptr, TRUETYPE_FONTTYPE, context), 1);
    EXPECT_EQ(Rows(kFontList), std::vector<std::wstring>{L"Next Family"});
}

} // namespace
