// The load handler's count of the font files in the VevoDider folder beside
// the program.
#include "TestWindow.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace mirvashel;
using namespace testing_support;

namespace {

std::wstring CountCaption(TestWindow& w) { return w.Get<fx::Label>(kCountLabel).Caption(); }

TEST(StartupTest, CountsOnlyTheFilesTheFileListShows) {
    TempFolder folder;
    folder.Write(L"VevoDider\\one.ttf");
    folder.Write(L"VevoDider\\TWO.TTF");
    folder.Write(L"VevoDider\\three.ttf");
    folder.Write(L"VevoDider\\four.otf");
    folder.Write(L"VevoDider\\FIVE.TTC");
    SetFileAttributesW(folder.Write(L"VevoDider\\readonly.ttf").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW(folder.Write(L"VevoDider\\hidden.ttf").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW(folder.Write(L"VevoDider\\system.ttf").c_str(), FILE_ATTRIBUTE_SYSTEM);
    folder.MakeDir(L"VevoDider\\x.ttf");
    for (const wchar_t* shortNameMatch : {L"VevoDider\\a.ttfx", L"VevoDider\\b.otfx", L"VevoDider\\c.ttcx"})
        folder.Write(shortNameMatch);
    folder.Write(L"VevoDider\\sub\\deeper.ttf"); // the count looks one folder deep
    folder.Write(L"VevoDider\\read.txt");
    folder.Write(L"fonts\\not-counted.ttf");

    TestWindow window(folder.str());
    EXPECT_EQ(CountCaption(window), L"6");
    auto& files = window.Get<fx::FileList>(kFileList);
    EXPECT_EQ(files.Path(), folder.str() + L"\\VevoDider");
    ASSERT_EQ(GetFocus(), files.hwnd()); // the first tab stop
    EXPECT_EQ(files.Count(), 6); // the rows it shows once it has the focus match the count
}

// Until pointed at VevoDider the file list shows the current folder, here
// one with font files: a missing or unreadable VevoDider must not leave
// their number in the label.
TEST(StartupTest, MissingOrUnreadableFolderKeepsTheDesignCaptionAndAnEmptyOneShowsZero) {
    TempFolder folder;
    folder.Write(L"stale.ttf");
    struct RestoreCurrent {
        std::filesystem::path before = std::filesystem::current_path();
        ~RestoreCurrent() { std::filesystem::current_path(before); }
    } restore;
    std::filesystem::current_path(folder.path());
    {
        TestWindow window(folder.str(), false);
        EXPECT_EQ(CountCaption(window), L"عدد الخطوط") << "missing";
        EXPECT_TRUE(IsWindow(window.hwnd())); // the window still opens
    }
    const std::wstring counted = folder.MakeDir(L"VevoDider").wstring();
    {
        HANDLE held = CreateFileW(counted.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                  nullptr); // shares nothing: the folder cannot be listed
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        TestWindow window(folder.str(), false);
        CloseHandle(held);
        EXPECT_EQ(CountCaption(window), L"عدد الخطوط") << "unreadable";
    }
    TestWindow window(folder.str(), false);
    EXPECT_EQ(CountCaption(window), L"0");
}

TEST(StartupTest, WindowCarriesTheApplicationIconInBothSizes) {
    // This test program carries the application's resources (see CMakeLists).
    TempFolder folder;
    { TestWindow first(folder.str(), false); } // the icons outlive any one window: a second one still has them
    TestWindow window(folder.str(), false);
    const struct { int index, widthMetric; } sizes[] = {{GCLP_HICON, SM_CXICON}, {GCLP_HICONSM, SM_CXSMICON}};
    for (const auto& size : sizes) {
        const auto icon = reinterpret_cast<HICON>(GetClassLongPtrW(window.hwnd(), size.index));
        ASSERT_TRUE(icon) << "class icon " << size.index;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bm{};
        GetObjectW(info.hbmColor, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, GetSystemMetrics(size.widthMetric));
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
}

} // namespace
