// A main window beside a fonts folder of generated fonts, and a clean font
// table afterwards: every file registered by a test is unregistered again,
// so tests do not see each other's families.
#pragma once

#include "Families.h"
#include "InstallProbe.h"
#include "Pump.h"
#include "TestWindow.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace testing_support {

class RegistrationTest : public ::testing::Test {
protected:
    void TearDown() override {
        window.reset();
        std::error_code ignored;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.path(), ignored))
            while (RemoveFontResourceW(entry.path().c_str())) {}
    }

    // Puts generated fonts 0..count-1 into the fonts folder.
    void AddTestFonts(int count, const std::wstring& sub = L"fonts") {
        for (int i = 0; i < count; ++i)
            folder.CopyTestFont(TestFamily(i) + L".ttf", std::filesystem::path(sub) / (TestFamily(i) + L".ttf"));
    }
    TestWindow& Open(const std::wstring& programFolder = {}) {
        window = std::make_unique<TestWindow>(programFolder.empty() ? folder.str() : programFolder);
        return *window;
    }
    std::wstring FontPath(const std::wstring& name) const { return folder.str() + L"\\fonts\\" + name; }

    std::vector<std::wstring> Rows(mirvashel::Ctl list) { return window->Get<fx::ListBox>(list).Rows(); }
    void Click(mirvashel::Ctl button) {
        window->Get<fx::Button>(button).Click();
        Pump();
    }
    std::wstring CountCaption() { return window->Get<fx::Label>(mirvashel::kCountLabel).Caption(); }
    bool PanelShown() { return window->Get<fx::Control>(mirvashel::kDonePanel).IsVisible(); }

    TempFolder folder;
    std::unique_ptr<TestWindow> window;
};

} // namespace testing_support
