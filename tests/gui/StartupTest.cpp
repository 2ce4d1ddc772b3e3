// The load handler: instruction text, the panel's place, and the count of
// font files in the VevoDider folder beside the program.
#include "Pump.h"
#include "TestWindow.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace mirvashel;
using namespace testing_support;

namespace {

std::wstring CountCaption(TestWindow& w) { return w.Get<fx::Label>(Label1).Caption(); }

TEST(StartupTest, InstructionTextIsFourLinesEachEndedByCrLf) {
    TempFolder folder;
    TestWindow window(folder.str(), false);
    EXPECT_EQ(window.Get<fx::Label>(Label2).Caption(),
              L"فضلا، قبل تثبيت الخطوط مؤقتًا\r\n"
              L"أغلق برنامجي الوورد والفوتوشوب\r\n"
              L"ثم اضغط تثبيت\r\n"
              L"\r\n");
    // The panel is moved into place but stays hidden.
    auto& panel = window.Get<fx::Control>(Picture1);
    EXPECT_FALSE(panel.IsVisible());
    const RECT r = panel.Bounds();
    EXPECT_EQ(r.left, window->units().ToPixelsX(795));
    EXPECT_EQ(r.top, window->units().ToPixelsY(615));
    RECT client{};
    GetClientRect(window.hwnd(), &client);
    EXPECT_LE(r.bottom, client.bottom); // wholly inside the window there
}

TEST(StartupTest, CountsOnlyTheFilesTheFileListShows) {
    TempFolder folder;
    folder.Write(L"VevoDider\\one.ttf");
    folder.Write(L"VevoDider\\TWO.TTF");
    folder.Write(L"VevoDider\\three.ttf");
    SetFileAttributesW(folder.Write(L"VevoDider\\readonly.ttf").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW(folder.Write(L"VevoDider\\hidden.ttf").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW(folder.Write(L"VevoDider\\system.ttf").c_str(), FILE_ATTRIBUTE_SYSTEM);
    folder.MakeDir(L"VevoDider\\x.ttf");
    folder.Write(L"VevoDider\\a.ttfx");
    folder.Write(L"VevoDider\\read.txt");
    folder.Write(L"fonts\\not-counted.ttf");

    TestWindow window(folder.str(), false);
    EXPECT_EQ(CountCaption(window), L"4");
    auto& files = window.Get<fx::FileList>(File1);
    EXPECT_EQ(files.Path(), folder.str() + L"\\VevoDider");
    EXPECT_EQ(files.ListBox::Count(), 4); // the rows on screen match the count
}

TEST(StartupTest, EmptyFolderShowsZeroAndMissingFolderKeepsTheDesignCaption) {
    TempFolder folder;
    {
        TestWindow window(folder.str(), false);
        EXPECT_EQ(CountCaption(window), L"عدد الخطوط");
        EXPECT_TRUE(IsWindow(window.hwnd())); // the window still opens
    }
    folder.MakeDir(L"VevoDider");
    TestWindow window(folder.str(), false);
    EXPECT_EQ(CountCaption(window), L"0");
}

TEST(StartupTest, ProgramAtTheRootOfADriveCountsItsVevoDiderFolder) {
    // R: maps to a scratch folder of the build tree (see the Wine set-up).
    const std::filesystem::path root = L"R:\\";
    ASSERT_TRUE(std::filesystem::exists(root)) << "drive R: is not mapped";
    std::filesystem::remove_all(root / L"VevoDider");
    std::filesystem::create_directories(root / L"VevoDider");
    for (const wchar_t* name : {L"a.ttf", L"b.ttf"}) std::ofstream(root / L"VevoDider" / name) << "x";

    TestWindow window(L"R:\\", false);
    EXPECT_EQ(window.Get<fx::FileList>(File1).Path(), L"R:\\VevoDider");
    EXPECT_EQ(CountCaption(window), L"2");
    std::filesystem::remove_all(root / L"VevoDider");
}

TEST(StartupTest, WindowCarriesTheApplicationIconInBothSizes) {
    // This test program carries the application's resources (see CMakeLists).
    TempFolder folder;
    TestWindow first(folder.str(), false);
    first.Destroy(); // the icons outlive any one window: a second one still has them
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

TEST(StartupTest, CountsAreNotLimitedTo16Bits) {
    TestWindow window(ScaleFolder().wstring(), false); // more than 32,767 entries
    EXPECT_EQ(CountCaption(window), std::to_wstring(kScaleEntries));
    EXPECT_EQ(window.Get<fx::ListBox>(File1).Count(), kScaleEntries);
}

} // namespace
