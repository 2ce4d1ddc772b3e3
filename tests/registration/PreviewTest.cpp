// The preview: the count label takes the family picked in the font list.
#include "RegistrationFixture.h"

#include "FontLoadM.h"

using namespace mirvashel;
using namespace testing_support;

namespace {

LOGFONTW LogFontOf(HFONT font) {
    LOGFONTW lf{};
    GetObjectW(font, sizeof lf, &lf);
    return lf;
}

class PreviewTest : public RegistrationTest {};

// Nothing changes without a selection or for an unusable name. The install
// picks row 0; a row further down picked by the keyboard, as a user would,
// gives the label that row's family and changes nothing else. Every font
// the label gives up is deleted, and where the platform counts handles
// (Windows) refills and previews leave the counts flat.
TEST_F(PreviewTest, ThePickedRowsFamilyAndOnlyTheFamilyGoesToTheCountLabelLeakingNothing) {
    AddTestFonts(1);
    Open();
    auto& list = window->Get<fx::ListBox>(kFontList);
    auto& label = window->Get<fx::Label>(kCountLabel);
    const HFONT design = label.Font();
    testing_support::Click(list.hwnd(), 5, 5); // a click on the empty list
    Pump();
    list.Add(std::wstring(40, L'x')); // longer than any face name can be
    list.Select(0);
    EXPECT_EQ(label.Font(), design);
    EXPECT_STREQ(LogFontOf(label.Font()).lfFaceName, L"Traditional Arabic");

    Click(kInstallButton);
    EXPECT_EQ(LogFontOf(label.Font()).lfFaceName, list.Row(0));
    std::vector<HFONT> replaced;
    while (list.SelectedIndex() < 2 || list.SelectedText() == list.Row(0)) {
        ASSERT_LT(list.SelectedIndex() + 1, list.Count()) << "no row with another family";
        replaced.push_back(label.Font());
        SendMessageW(list.hwnd(), WM_KEYDOWN, VK_DOWN, 0);
        Pump();
    }
    const LOGFONTW lf = LogFontOf(label.Font());
    EXPECT_EQ(lf.lfFaceName, list.SelectedText());
    EXPECT_EQ(lf.lfHeight, -32);
    EXPECT_EQ(lf.lfCharSet, 178);
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    EXPECT_EQ(label.Caption(), L"0");

    const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 50; ++i) {
        replaced.push_back(label.Font());
        FontLoadM::FillListWithFonts(list);
        list.Select(i % 2);
        InvalidateRect(window->hwnd(), nullptr, FALSE);
        Pump();
    }
    for (HFONT font : replaced) {
        if (font != label.Font()) {
            EXPECT_EQ(GetObjectType(font), 0u) << "a replaced font is still alive";
        }
    }
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiBefore + 2);
}

// A display-scale change makes every font again at the new size; the count
// label keeps the family being previewed, not the design's face.
TEST_F(PreviewTest, ThePreviewedFamilyOutlivesADpiChange) {
    AddTestFonts(1);
    Open();
    Click(kInstallButton);
    auto& label = window->Get<fx::Label>(kCountLabel);
    const std::wstring family = LogFontOf(label.Font()).lfFaceName;
    ASSERT_EQ(family, window->Get<fx::ListBox>(kFontList).Row(0));
    ASSERT_NE(family, L"Traditional Arabic");
    window->ChangeDpi(144, window->SuggestedAt(144));
    EXPECT_EQ(LogFontOf(label.Font()).lfFaceName, family);
    EXPECT_EQ(LogFontOf(label.Font()).lfHeight, -48);
}

} // namespace
