// The message an install run leaves: what it names, how it shows names and
// where it stops.
#include "InstallReport.h"

#include <gtest/gtest.h>

using namespace mirvashel;

namespace {

// The boundary of the report's list: exactly as many refused files as it
// names in full, and one more.
TEST(InstallReportTest, NamesEveryRefusedFileUpToItsLimitThenCountsTheRest) {
    auto report = [](size_t refused) {
        InstallResult result{InstallOutcome::Completed};
        for (size_t i = 0; i < refused; ++i) result.refused.push_back(L"bad" + std::to_wstring(i) + L".ttf");
        return InstallReport(result, L"C:\\program\\fonts");
    };
    auto named = [](size_t i) { return L"\u202Abad" + std::to_wstring(i) + L".ttf\u202C"; };
    const std::wstring full = report(kMaxNamedFiles), over = report(kMaxNamedFiles + 1);
    EXPECT_TRUE(full.ends_with(named(kMaxNamedFiles - 1))) << "all named, nothing more said: " << full;
    EXPECT_NE(over.find(named(kMaxNamedFiles - 1)), std::wstring::npos) << over;
    EXPECT_EQ(over.find(named(kMaxNamedFiles)), std::wstring::npos) << over;
    EXPECT_TRUE(over.ends_with(L"وملفات أخرى عددها 1")) << over;
}

// A character that reorders text would make a name lie about its
// extension: "invoice<RLO>fdp.ttf" shows as "invoice ftt.pdf".
TEST(InstallReportTest, CharactersThatReorderTextAreShownAsTheirCodes) {
    InstallResult refused{InstallOutcome::Completed};
    refused.refused = {L"invoice\u202Efdp.ttf", L"a\u200Fb\u2066c\u061C.ttf"};
    const std::wstring report = InstallReport(refused, L"C:\\fonts");
    EXPECT_NE(report.find(L"\u202Ainvoice<U+202E>fdp.ttf\u202C"), std::wstring::npos) << report;
    EXPECT_NE(report.find(L"\u202Aa<U+200F>b<U+2066>c<U+061C>.ttf\u202C"), std::wstring::npos) << report;
    const std::wstring missing = InstallReport({InstallOutcome::NoFontsFolder}, L"C:\\gnp.\u202Eexe\\fonts");
    EXPECT_NE(missing.find(L"C:\\gnp.<U+202E>exe\\fonts"), std::wstring::npos) << missing;
    InstallResult none{InstallOutcome::Completed};
    none.foundNone = true;
    none.otherFiles = {{L".\u202Eftt", 1}};
    const std::wstring nothing = InstallReport(none, L"C:\\gnp.\u202Eexe\\fonts");
    EXPECT_NE(nothing.find(L"C:\\gnp.<U+202E>exe\\fonts"), std::wstring::npos) << nothing;
    EXPECT_NE(nothing.find(L".<U+202E>ftt"), std::wstring::npos) << nothing;
    for (const std::wstring& text : {report, missing, nothing})
        EXPECT_EQ(text.find_first_of(L"\u202E\u200F\u2066\u061C"), std::wstring::npos) << text;
}

// A name too wide for its line keeps whole characters on both sides of the
// ellipsis: a surrogate pair, a letter and its mark, a variation selector, a
// pair joined by a zero-width joiner. Ends of every length show each cut.
TEST(InstallReportTest, AShortenedNameKeepsEveryCharacterWhole) {
    const ReportRoom room = MessageBoxRoom(GetDesktopWindow());
    ASSERT_TRUE(room.fitName);
    const struct { const char* what; std::wstring unit; } characters[] = {
        {"a surrogate pair", L"\U0001D400"}, {"a letter and its mark", L"e\u0301"},
        {"a variation selector", L"\u263A\uFE0F"}, {"a joined pair", L"\u0628\u200D\u0628"}};
    for (const auto& [what, unit] : characters) {
        for (const std::wstring start : {L"", L"x", L"xy"}) {
            for (const std::wstring end : {L".ttf", L"z.ttf", L"zz.ttf"}) {
                std::wstring name = start;
                for (int i = 0; i < 100; ++i) name += unit;
                name += end;
                const std::wstring shown = room.fitName(name);
                const size_t cut = shown.find(L'\u2026');
                ASSERT_NE(cut, std::wstring::npos) << "not shortened";
                ASSERT_TRUE(shown.starts_with(start) && shown.ends_with(end) && cut >= start.size())
                    << what << ": " << testing::PrintToString(shown);
                // Made of whole units on both sides: lengths that are multiples of one unit.
                EXPECT_EQ((cut - start.size()) % unit.size(), 0u) << "head splits " << what;
                EXPECT_EQ((shown.size() - cut - 1 - end.size()) % unit.size(), 0u) << "tail splits " << what;
            }
        }
    }
}

} // namespace
