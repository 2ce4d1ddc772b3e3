// The install command: every font file of the fonts folder is registered,
// recorded and counted down; the run yields after every file.
#include "ChildProcess.h"
#include "RegistrationFixture.h"

#include <algorithm>
#include <fstream>
#include <iterator>

using namespace mirvashel;
using namespace testing_support;

namespace {

class InstallTest : public RegistrationTest {};

TEST_F(InstallTest, RegistersRecordsAndCountsDownEveryListedFile) {
    AddTestFonts(12);
    Open();
    InstallProbe probe(*window);
    Click(Command2);

    std::vector<std::wstring> expected;
    for (int i = 0; i < 12; ++i) expected.push_back(FontPath(TestFamily(i) + L".ttf"));
    EXPECT_EQ(Rows(List2), expected);
    for (int i = 0; i < 12; ++i) EXPECT_TRUE(HasFamily(TestFamily(i))) << i;

    // 12 when the first path is recorded, one less after every file, 0 at the end.
    std::vector<std::wstring> countdown;
    for (int n = 12; n >= 1; --n) countdown.push_back(std::to_wstring(n));
    EXPECT_EQ(probe.captionsAtRecord(), countdown);
    EXPECT_EQ(CountCaption(), L"0");
    EXPECT_EQ(probe.steps(), 12); // a yield after every file
    EXPECT_TRUE(PanelShown());
    EXPECT_EQ(window->Get<fx::FileList>(File1).Path(), folder.str() + L"\\fonts");
    EXPECT_TRUE(Record().errors.empty()); // every file accepted: the panel says it all
}

TEST_F(InstallTest, RecordStaysSortedWhetherPathsComeInOrderOrNot) {
    // The install appends in name order straight to the end of the record;
    // a path that sorts earlier (case-blind) still finds its place.
    Open();
    auto& record = window->Get<fx::ListBox>(List2);
    for (const wchar_t* path : {L"b", L"d", L"C", L"e", L"A", L"e"}) record.Append(path);
    EXPECT_EQ(Rows(List2), (std::vector<std::wstring>{L"A", L"b", L"C", L"d", L"e", L"e"}));
}

TEST_F(InstallTest, EveryAttemptIsRecordedWhateverWindowsSaysAndTheRefusedAreNamed) {
    AddTestFonts(2);
    folder.Write(L"fonts\\not-a-font.ttf", "this is plain text, not a font");
    folder.Write(L"fonts\\empty.ttf", "");
    const std::string truncated = [&] {
        std::ifstream in(TestFontsFolder() / L"MirvTest0002.ttf", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {}).substr(0, 40);
    }();
    folder.Write(L"fonts\\truncated.ttf", truncated);

    Open();
    Click(Command2);

    EXPECT_EQ(Rows(List2), (std::vector<std::wstring>{FontPath(L"empty.ttf"), FontPath(L"MirvTest0000.ttf"),
                                                      FontPath(L"MirvTest0001.ttf"), FontPath(L"not-a-font.ttf"),
                                                      FontPath(L"truncated.ttf")}));
    EXPECT_EQ(CountCaption(), L"0");
    EXPECT_TRUE(PanelShown());

    // The panel says all fonts were installed: one message names the files
    // Windows refused, and only those.
    ASSERT_EQ(Record().errors.size(), 1u);
    const std::wstring& message = Record().errors[0];
    EXPECT_NE(message.find(L"عدد هذه الملفات: 3"), std::wstring::npos) << message;
    for (const wchar_t* refused : {L"\u202Aempty.ttf\u202C", L"\u202Anot-a-font.ttf\u202C", L"\u202Atruncated.ttf\u202C"})
        EXPECT_NE(message.find(refused), std::wstring::npos) << refused;
    EXPECT_EQ(message.find(L"MirvTest"), std::wstring::npos);
}

TEST_F(InstallTest, ARefusalMessageNamesTwentyFilesThenSaysHowManyMore) {
    for (int i = 0; i < 23; ++i) folder.Write(L"fonts\\bad" + std::to_wstring(10 + i) + L".ttf", "not a font");
    Open();
    Click(Command2);
    ASSERT_EQ(Record().errors.size(), 1u);
    const std::wstring& message = Record().errors[0];
    EXPECT_NE(message.find(L"عدد هذه الملفات: 23"), std::wstring::npos);
    EXPECT_NE(message.find(L"bad29.ttf"), std::wstring::npos);
    EXPECT_EQ(message.find(L"bad30.ttf"), std::wstring::npos);
    EXPECT_TRUE(message.ends_with(L"وملفات أخرى عددها 3")) << message;
    EXPECT_EQ(Rows(List2).size(), 23u); // still recorded and counted
    EXPECT_EQ(CountCaption(), L"0");
}

// pipe.ttf, a named pipe nobody writes to, would block Windows for good.
TEST_F(InstallTest, AnEntryThatIsNotADiskFileIsRefusedWithoutWaiting) {
    Open((InputsFolder() / L"pipe-in-fonts").wstring());
    Click(Command2);
    EXPECT_TRUE(HasFamily(TestFamily(0))); // the run went on
    ASSERT_EQ(Record().errors.size(), 1u);
    EXPECT_NE(Record().errors[0].find(L"عدد هذه الملفات: 1"), std::wstring::npos) << Record().errors[0];
    EXPECT_NE(Record().errors[0].find(L"\u202Apipe.ttf\u202C"), std::wstring::npos) << Record().errors[0];
    Click(Command1);
    EXPECT_FALSE(HasFamily(TestFamily(0)));
}

// Held open by another handle that shares nothing, the fonts folder exists
// but cannot be listed: that is not a missing folder.
TEST_F(InstallTest, AnUnreadableFontsFolderIsSaidWithTheSystemsReasonAndNothingIsTouched) {
    AddTestFonts(1);
    Open();
    HANDLE held = CreateFileW((folder.str() + L"\\fonts").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Click(Command2);
    CloseHandle(held);
    ASSERT_EQ(Record().errors.size(), 1u);
    const std::wstring& message = Record().errors[0];
    EXPECT_NE(message.find(L"تعذّرت قراءة مجلد الخطوط"), std::wstring::npos) << message;
    wchar_t reason[256] = {};
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ERROR_SHARING_VIOLATION, 0,
                   reason, 256, nullptr);
    EXPECT_NE(message.find(std::wstring(reason, wcscspn(reason, L"\r\n"))), std::wstring::npos) << message;
    EXPECT_TRUE(Rows(List2).empty());
    EXPECT_FALSE(HasFamily(TestFamily(0)));
    EXPECT_FALSE(PanelShown());
}

TEST_F(InstallTest, EmptyFontsFolderStillRefillsAndShowsThePanel) {
    folder.MakeDir(L"fonts");
    Open();
    Click(Command2);
    EXPECT_EQ(CountCaption(), L"0");
    EXPECT_TRUE(Rows(List2).empty());
    EXPECT_GT(window->Get<fx::ListBox>(List1).Count(), 0);
    EXPECT_EQ(window->Get<fx::ListBox>(List1).SelectedIndex(), 0);
    EXPECT_TRUE(PanelShown());
    EXPECT_TRUE(Record().errors.empty());
}

TEST_F(InstallTest, NoFontsFolderSaysSoInArabicAndTouchesNothing) {
    folder.Write(L"VevoDider\\a.ttf");
    folder.Write(L"fontsfonts\\b.ttf"); // a sibling with the glued name is not the fonts folder
    Open();
    Click(Command2);
    ASSERT_EQ(Record().errors.size(), 1u);
    EXPECT_NE(Record().errors[0].find(L"مجلد الخطوط"), std::wstring::npos);
    EXPECT_NE(Record().errors[0].find(folder.str() + L"\\fonts"), std::wstring::npos);
    EXPECT_TRUE(Rows(List2).empty());
    EXPECT_EQ(window->Get<fx::ListBox>(List1).Count(), 0);
    EXPECT_EQ(CountCaption(), L"1");
    EXPECT_FALSE(PanelShown());
}

TEST_F(InstallTest, PressDuringARunIsIgnored) {
    AddTestFonts(4);
    Open();
    InstallProbe probe(*window, [&](int step) {
        if (step == 1) Click(Command2);
    });
    Click(Command2);
    EXPECT_EQ(Rows(List2).size(), 4u);
    EXPECT_EQ(CountCaption(), L"0");
    EXPECT_EQ(probe.steps(), 4);
}

TEST_F(InstallTest, RemoveDuringARunUnregistersWhatWasRecordedSoFar) {
    AddTestFonts(4);
    Open();
    bool firstGone = false;
    InstallProbe probe(*window, [&](int step) {
        if (step != 2) return;
        Click(Command1);
        firstGone = !HasFamily(TestFamily(0)) && !HasFamily(TestFamily(1));
    });
    Click(Command2);
    EXPECT_TRUE(firstGone);
    EXPECT_EQ(Rows(List2).size(), 4u);
    EXPECT_FALSE(HasFamily(TestFamily(0)));
    EXPECT_TRUE(HasFamily(TestFamily(2)));
    EXPECT_TRUE(HasFamily(TestFamily(3)));
}

TEST_F(InstallTest, ClosingTheWindowDuringARunStopsItAndKeepsWhatWasRegistered) {
    AddTestFonts(6);
    folder.Write(L"fonts\\0-refused.ttf", "not a font"); // the first file: refused, but the run is cut short
    Open();
    HWND main = window->hwnd();
    InstallProbe probe(*window, [&](int step) {
        if (step == 4) SendMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0); // Alt+F4
    });
    Click(Command2);
    EXPECT_FALSE(IsWindow(main));
    EXPECT_EQ(probe.steps(), 4);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(HasFamily(TestFamily(i))) << i;
    for (int i = 3; i < 6; ++i) EXPECT_FALSE(HasFamily(TestFamily(i))) << i;
    EXPECT_TRUE(Record().errors.empty()); // nobody is left to read it
}

TEST_F(InstallTest, FolderNamesOutsideTheAnsiCodePageRegisterAndRemove) {
    const std::wstring program = folder.str() + L"\\برنامج-шрифт-€";
    for (int i = 0; i < 2; ++i)
        folder.CopyTestFont(TestFamily(i) + L".ttf", L"برنامج-шрифт-€\\fonts\\خط-" + TestFamily(i) + L".ttf");
    Open(program);
    Click(Command2);
    EXPECT_EQ(Rows(List2), (std::vector<std::wstring>{program + L"\\fonts\\خط-MirvTest0000.ttf",
                                                      program + L"\\fonts\\خط-MirvTest0001.ttf"}));
    EXPECT_TRUE(HasFamily(TestFamily(0)));
    EXPECT_TRUE(HasFamily(TestFamily(1)));
    Click(Command1);
    EXPECT_FALSE(HasFamily(TestFamily(0)));
    EXPECT_FALSE(HasFamily(TestFamily(1)));
}

TEST_F(InstallTest, ProgramAtADriveRootUsesOneSeparator) {
    const std::filesystem::path root = L"R:\\";
    ASSERT_TRUE(std::filesystem::exists(root)) << "drive R: is not mapped";
    std::filesystem::remove_all(root / L"fonts");
    std::filesystem::create_directories(root / L"fonts");
    std::filesystem::copy_file(TestFontsFolder() / L"MirvTest0000.ttf", root / L"fonts" / L"MirvTest0000.ttf");
    Open(L"R:\\");
    Click(Command2);
    EXPECT_EQ(Rows(List2), std::vector<std::wstring>{L"R:\\fonts\\MirvTest0000.ttf"});
    EXPECT_TRUE(HasFamily(TestFamily(0)));
    Click(Command1);
    EXPECT_FALSE(HasFamily(TestFamily(0)));
    std::filesystem::remove_all(root / L"fonts");
}

TEST_F(InstallTest, FortyThousandEntriesAreCountedAndWalkedExactly) {
    const std::wstring program = ScaleFolder().wstring();
    Open(program);
    InstallProbe probe(*window);
    Click(Command2);
    auto& list2 = window->Get<fx::ListBox>(List2);
    EXPECT_EQ(list2.Count(), kScaleEntries);
    ASSERT_FALSE(probe.captionsAtRecord().empty()) << "nothing was recorded";
    EXPECT_EQ(probe.captionsAtRecord().front(), std::to_wstring(kScaleEntries));
    EXPECT_EQ(probe.steps(), kScaleEntries);
    EXPECT_EQ(CountCaption(), L"0");
    EXPECT_EQ(list2.Row(kScaleEntries - 1), program + L"\\fonts\\" + std::to_wstring(100000 + kScaleEntries - 1) + L".ttf");
    EXPECT_TRUE(PanelShown());
}

} // namespace
