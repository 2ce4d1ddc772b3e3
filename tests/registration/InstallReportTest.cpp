// The message an install run leaves: what it names and where it stops.
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

} // namespace
