// The install command: every font file of the fonts folder is registered,
// recorded and counted down; the run turns the queue once per frame.
#include "ChildProcess.h"
#include "RegistrationFixture.h"

#include "ImportSwap.h"
#include "InstallReport.h"
#include "Png.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <thread>
#include <utility>

using namespace mirvashel;
using namespace testing_support;

namespace {

class InstallTest : public RegistrationTest {};

// The count is also read back from the screen: its ink must change again
// and again while files remain, not once or only at the end. Every step
// takes longer than a frame, so every yield may repaint.
TEST_F(InstallTest, RegistersRecordsAndCountsDownEveryListedFileOnScreen) {
    AddTestFonts(12);
    Open();
    const HWND main = window->hwnd();
    const RECT box = window->Get<fx::Label>(kCountLabel).Bounds();
    int inkChanges = 0;
    std::vector<std::uint32_t> ink;
    InstallProbe probe(*window, [&](int step) {
        if (step == 12) return; // the last file: only files remaining count
        std::vector<std::uint32_t> now = CaptureClientArea(main, box).pixels;
        inkChanges += step > 1 && now != ink;
        ink = std::move(now);
        Sleep(35);
    });
    Click(kInstallButton);

    std::vector<std::wstring> expected;
    for (int i = 0; i < 12; ++i) expected.push_back(FontPath(TestFamily(i) + L".ttf"));
    EXPECT_EQ(Rows(kRegisteredList), expected);
    for (int i = 0; i < 12; ++i) EXPECT_TRUE(HasFamily(TestFamily(i))) << i;

    // 12 when the first path is recorded, one less after every file, 0 at the end.
    std::vector<std::wstring> countdown;
    for (int n = 12; n >= 1; --n) countdown.push_back(std::to_wstring(n));
    EXPECT_EQ(probe.captionsAtRecord(), countdown);
    EXPECT_EQ(CountCaption(), L"0");
    EXPECT_EQ(probe.steps(), 12); // everything posted during the run was handled
    EXPECT_GE(inkChanges, 2) << "the count on screen stood still during the run";
    EXPECT_TRUE(PanelShown());
    EXPECT_TRUE(Record().errors.empty()); // every file accepted: the panel says it all
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
    Click(kInstallButton);

    EXPECT_EQ(Rows(kRegisteredList), (std::vector<std::wstring>{FontPath(L"empty.ttf"), FontPath(L"MirvTest0000.ttf"),
                                                      FontPath(L"MirvTest0001.ttf"), FontPath(L"not-a-font.ttf"),
                                                      FontPath(L"truncated.ttf")}));
    EXPECT_EQ(CountCaption(), L"0");
    EXPECT_TRUE(PanelShown());

    // The panel says all fonts were installed: one message names the files
    // Windows refused, and only those.
    ASSERT_EQ(Record().errors.size(), 1u);
    const std::wstring& message = Record().errors[0];
    EXPECT_NE(message.find(L"عدد هذه الملفات: 3"), std::wstring::npos) << message;
    EXPECT_EQ(Record().errorStyles[0] & (MB_RIGHT | MB_RTLREADING), UINT(MB_RIGHT | MB_RTLREADING)) << "Arabic text";
    for (const wchar_t* refused : {L"\u202Aempty.ttf\u202C", L"\u202Anot-a-font.ttf\u202C", L"\u202Atruncated.ttf\u202C"})
        EXPECT_NE(message.find(refused), std::wstring::npos) << refused;
    EXPECT_EQ(message.find(L"MirvTest"), std::wstring::npos);
}

// pipe.ttf, a named pipe nobody writes to, would block Windows for good.
TEST_F(InstallTest, AnEntryThatIsNotADiskFileIsRefusedWithoutWaiting) {
    Open((InputsFolder() / L"pipe-in-fonts").wstring());
    Click(kInstallButton);
    EXPECT_TRUE(HasFamily(TestFamily(0))); // the run went on
    ASSERT_EQ(Record().errors.size(), 1u);
    EXPECT_NE(Record().errors[0].find(L"عدد هذه الملفات: 1"), std::wstring::npos) << Record().errors[0];
    EXPECT_NE(Record().errors[0].find(L"\u202Apipe.ttf\u202C"), std::wstring::npos) << Record().errors[0];
    Click(kRemoveButton);
    EXPECT_FALSE(HasFamily(TestFamily(0)));
}

BOOL WINAPI FailAfterTheFirstEntry(HANDLE, LPWIN32_FIND_DATAW) {
    SetLastError(ERROR_NETNAME_DELETED); // a network folder going away
    return FALSE;
}

// A fonts folder that is missing, or exists but cannot be listed in full
// (held open by a handle that shares nothing, or a listing that breaks off
// midway), touches nothing; the message says which, names the folder and,
// for one that cannot be read, gives the system's reason.
TEST_F(InstallTest, AMissingOrUnreadableFontsFolderIsSaidWithItsPathAndNothingIsTouched) {
    folder.Write(L"VevoDider\\a.ttf");
    folder.Write(L"fontsfonts\\b.ttf"); // a sibling with the glued name is not the fonts folder
    Open();
    const std::wstring fonts = folder.str() + L"\\fonts";
    for (const DWORD error : {ERROR_PATH_NOT_FOUND, ERROR_SHARING_VIOLATION, ERROR_NETNAME_DELETED}) {
        Record() = {};
        if (error == ERROR_PATH_NOT_FOUND) {
            Click(kInstallButton);
            AddTestFonts(2); // from here on the folder exists
        } else if (error == ERROR_SHARING_VIOLATION) {
            HANDLE held = CreateFileW(fonts.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                      nullptr);
            ASSERT_NE(held, INVALID_HANDLE_VALUE);
            Click(kInstallButton);
            CloseHandle(held);
        } else {
            ImportSwap swap(reinterpret_cast<void*>(&FindNextFileW), reinterpret_cast<void*>(&FailAfterTheFirstEntry));
            Click(kInstallButton);
        }
        ASSERT_EQ(Record().errors.size(), 1u) << error;
        const std::wstring& message = Record().errors[0];
        EXPECT_NE(message.find(L"\u202A" + fonts + L"\u202C"), std::wstring::npos) << "names the folder";
        if (error == ERROR_PATH_NOT_FOUND) {
            EXPECT_NE(message.find(L"لم يُعثر على مجلد الخطوط"), std::wstring::npos) << message;
        } else {
            EXPECT_NE(message.find(L"تعذّرت قراءة مجلد الخطوط"), std::wstring::npos) << message;
            wchar_t reason[256] = {};
            FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, reason, 256,
                           nullptr);
            EXPECT_NE(message.find(std::wstring(reason, wcscspn(reason, L"\r\n"))), std::wstring::npos) << message;
        }
        EXPECT_TRUE(Rows(kRegisteredList).empty());
        EXPECT_EQ(window->Get<fx::ListBox>(kFontList).Count(), 0);
        EXPECT_EQ(CountCaption(), L"1");
        EXPECT_FALSE(HasFamily(TestFamily(0)));
        EXPECT_FALSE(PanelShown());
    }
}

// A folder, sub-folders included, without a font file: the run goes on as
// ever, and the message says so, naming the other files' kinds, if any.
// Hidden and system files and folders are not the folder's: their fonts
// are neither registered nor counted.
TEST_F(InstallTest, AFolderWithoutFontFilesStillRefillsShowsThePanelAndSaysWhatItHolds) {
    folder.MakeDir(L"fonts");
    Open();
    for (const bool others : {false, true}) {
        if (others) {
            for (const wchar_t* file : {L"web\\a.woff2", L"web\\b.woff2", L"web\\deeper\\C.WOFF2", L"Family.zip",
                                        L"README", L"a.ttfx"})
                folder.Write(std::wstring(L"fonts\\") + file);
            SetFileAttributesW(folder.Write(L"fonts\\hidden.ttf").c_str(), FILE_ATTRIBUTE_HIDDEN);
            for (const auto& [sub, attribute] : {std::pair{L"hidden", FILE_ATTRIBUTE_HIDDEN}, {L"system", FILE_ATTRIBUTE_SYSTEM}}) {
                folder.CopyTestFont(TestFamily(0) + L".ttf", std::wstring(L"fonts\\") + sub + L"\\a.ttf");
                SetFileAttributesW((folder.path() / L"fonts" / sub).c_str(), attribute);
            }
            Record() = {};
        }
        Click(kInstallButton);
        EXPECT_EQ(CountCaption(), L"0");
        EXPECT_TRUE(Rows(kRegisteredList).empty());
        EXPECT_EQ(window->Get<fx::ListBox>(kFontList).SelectedIndex(), 0);
        EXPECT_TRUE(PanelShown());
        ASSERT_EQ(Record().errors.size(), 1u) << others;
        const std::wstring& message = Record().errors[0];
        EXPECT_EQ(Record().errorStyles[0] & (MB_RIGHT | MB_RTLREADING), UINT(MB_RIGHT | MB_RTLREADING)) << "Arabic text";
        EXPECT_TRUE(message.starts_with(L"لا يحوي مجلد الخطوط")) << message;
        const std::wstring fonts = MessageBoxRoom(window->hwnd()).fitName(folder.str() + L"\\fonts");
        EXPECT_TRUE(fonts.ends_with(L"\\fonts")) << fonts; // shortened in its middle, if at all
        const std::wstring folderLine = L"\r\n\u202A" + fonts + L"\u202C";
        // Then the kinds, the most frequent first; nothing hidden or system.
        const std::wstring kinds = others ? L"\r\nوفيه ملفات أخرى من هذه الأنواع:\r\n\u202A.woff2 \u00D73\u202C\r\n"
                                            L"بلا امتداد \u00D71\r\n\u202A.ttfx \u00D71\u202C\r\n\u202A.zip \u00D71\u202C"
                                          : L"";
        EXPECT_TRUE(message.ends_with(folderLine + kinds)) << message;
        EXPECT_FALSE(HasFamily(TestFamily(0)));
    }
}

// OpenType and collections register like TrueType, at any depth, each file
// once: the links in the tree (one back to its parent, one out of the fonts
// folder) are not followed. The count starts from what the run registers;
// the file list shows the folder itself.
TEST_F(InstallTest, EveryKindAtEveryDepthRegistersOnceAndNoLinkIsFollowed) {
    const std::wstring program = (InputsFolder() / L"trees" / L"links").wstring(), fonts = program + L"\\fonts\\";
    Open(program);
    InstallProbe probe(*window);
    Click(kInstallButton);
    EXPECT_EQ(Rows(kRegisteredList), (std::vector<std::wstring>{fonts + L"Family-1.000\\deeper\\MirvTest0001.TTF",
                                                      fonts + L"Family-1.000\\MirvTest0000.ttf", fonts + L"MirvOtf.otf",
                                                      fonts + L"MirvTtc.ttc"}));
    EXPECT_EQ(probe.captionsAtRecord(), (std::vector<std::wstring>{L"4", L"3", L"2", L"1"}));
    EXPECT_TRUE(Record().errors.empty());
    auto& files = window->Get<fx::FileList>(kFileList);
    ASSERT_EQ(files.FileCount(), 2);
    EXPECT_EQ(files.FileName(0) + L"|" + files.FileName(1), L"MirvOtf.otf|MirvTtc.ttc");
    const std::wstring families[] = {L"MirvOtf", L"MirvTtcA", L"MirvTtcB", TestFamily(0), TestFamily(1)};
    for (const std::wstring& family : families) EXPECT_TRUE(HasFamily(family)) << family;
    EXPECT_FALSE(HasFamily(TestFamily(2))) << "the link out of the fonts folder was followed";
    Click(kRemoveButton);
    for (const std::wstring& family : families) EXPECT_FALSE(HasFamily(family)) << family;
}

// Presses during a run, clicked or keyed, are ignored: an install again
// would register every file twice, and a remove would release what was
// registered so far, the run then registering the rest under a panel that
// says all fonts are installed.
TEST_F(InstallTest, DuringARunInstallAndRemoveAreIgnoredWhetherClickedOrKeyed) {
    AddTestFonts(4);
    Open();
    const HWND remove = window->Get<fx::Control>(kRemoveButton).hwnd();
    bool allHeld = true;
    InstallProbe probe(*window, [&](int step) {
        if (step == 1) Click(kInstallButton);
        if (step == 2) Click(kRemoveButton);
        if (step == 3) { // Space on the focused button, as Tab and Space give it
            SetFocus(remove);
            SendMessageW(remove, WM_KEYDOWN, VK_SPACE, 0);
            SendMessageW(remove, WM_KEYUP, VK_SPACE, 0xC0000001);
            Pump();
        }
        for (int i = 0; i < step; ++i) allHeld = allHeld && HasFamily(TestFamily(i));
    });
    Click(kInstallButton);
    EXPECT_EQ(probe.steps(), 4);
    EXPECT_EQ(CountCaption(), L"0");
    EXPECT_EQ(Rows(kRegisteredList).size(), 4u);
    EXPECT_TRUE(allHeld) << "a remove ran during the install";
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(HasFamily(TestFamily(i))) << i;
    EXPECT_TRUE(PanelShown());

    // The keyed remove does act once the run is over.
    SetFocus(remove);
    SendMessageW(remove, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(remove, WM_KEYUP, VK_SPACE, 0xC0000001);
    Pump();
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(HasFamily(TestFamily(i))) << i;
}

// A file the listing showed as a font that is replaced by a named pipe
// before its turn is refused without waiting, and the run goes on: after the
// first file, the fonts folder is swapped for one whose third file is a pipe
// (a pipe cannot be made or moved from here; a folder holding one can).
// Should the run wait on the pipe all the same, a watchdog opens its other
// end, so that the test fails instead of hanging.
TEST_F(InstallTest, AFileReplacedByAPipeDuringTheRunIsRefusedWithoutWaiting) {
    AddTestFonts(4);
    Open();
    const std::wstring swap = (InputsFolder() / L"pipe-swap").wstring(), fonts = folder.str() + L"\\fonts",
                       listed = folder.str() + L"\\listed", pipe = FontPath(TestFamily(2) + L".ttf");
    bool swapped = false, waited = false;
    InstallProbe probe(*window, [&](int step) {
        if (step == 1) swapped = MoveFileW(fonts.c_str(), listed.c_str()) && MoveFileW(swap.c_str(), fonts.c_str());
    });
    const fx::UniqueKernelHandle done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::thread watchdog([&] {
        if (WaitForSingleObject(done.get(), 15000) != WAIT_TIMEOUT) return;
        waited = true; // opened for reading and writing, the pipe's end never waits for a partner
        CloseHandle(CreateFileW(pipe.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    });
    Click(kInstallButton);
    SetEvent(done.get());
    watchdog.join();
    if (swapped) { // back for the next run, and the test fonts back for the clean-up
        MoveFileW(fonts.c_str(), swap.c_str());
        MoveFileW(listed.c_str(), fonts.c_str());
    }
    ASSERT_TRUE(swapped) << "no folder with a pipe: the build makes it";
    EXPECT_FALSE(waited) << "the run waited on the pipe";
    EXPECT_EQ(Rows(kRegisteredList).size(), 4u);
    EXPECT_TRUE(HasFamily(TestFamily(3))) << "the run went on";
    EXPECT_FALSE(HasFamily(TestFamily(2)));
    ASSERT_EQ(Record().errors.size(), 1u);
    EXPECT_NE(Record().errors[0].find(L"عدد هذه الملفات: 1"), std::wstring::npos) << Record().errors[0];
    EXPECT_NE(Record().errors[0].find(L"\u202A" + TestFamily(2) + L".ttf\u202C"), std::wstring::npos)
        << Record().errors[0];
}

TEST_F(InstallTest, ClosingTheWindowDuringARunStopsItAndKeepsWhatWasRegistered) {
    AddTestFonts(6);
    folder.Write(L"fonts\\0-refused.ttf", "not a font"); // the first file: refused, but the run is cut short
    Open();
    HWND main = window->hwnd();
    InstallProbe probe(*window, [&](int step) {
        if (step == 4) SendMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0); // Alt+F4
    });
    Click(kInstallButton);
    EXPECT_FALSE(IsWindow(main));
    EXPECT_EQ(probe.steps(), 4);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(HasFamily(TestFamily(i))) << i;
    for (int i = 3; i < 6; ++i) EXPECT_FALSE(HasFamily(TestFamily(i))) << i;
    EXPECT_TRUE(Record().errors.empty()); // nobody is left to read it
}

// A program folder named outside the ANSI code page, and one at a drive's
// root (one separator, not two): its fonts register and remove.
TEST_F(InstallTest, UnusualProgramFoldersRegisterAndRemove) {
    const std::filesystem::path root = L"R:\\";
    ASSERT_TRUE(std::filesystem::exists(root)) << "drive R: is not mapped";
    std::filesystem::remove_all(root / L"fonts");
    std::filesystem::create_directories(root / L"fonts");
    std::filesystem::copy_file(TestFontsFolder() / L"MirvTest0000.ttf", root / L"fonts" / L"MirvTest0000.ttf");
    folder.CopyTestFont(L"MirvTest0001.ttf", L"برنامج-шрифт-€\\fonts\\خط-MirvTest0001.ttf");
    const struct { std::wstring program, font; int family; } cases[] = {
        {L"R:\\", L"R:\\fonts\\MirvTest0000.ttf", 0},
        {folder.str() + L"\\برنامج-шрифт-€", folder.str() + L"\\برنامج-шрифт-€\\fonts\\خط-MirvTest0001.ttf", 1}};
    for (const auto& c : cases) {
        Open(c.program);
        Click(kInstallButton);
        EXPECT_EQ(Rows(kRegisteredList), std::vector<std::wstring>{c.font});
        EXPECT_TRUE(HasFamily(TestFamily(c.family))) << c.family;
        Click(kRemoveButton);
        EXPECT_FALSE(HasFamily(TestFamily(c.family))) << c.family;
    }
    std::filesystem::remove_all(root / L"fonts");
}

TEST_F(InstallTest, FortyThousandEntriesAreCountedAndWalkedExactly) {
    const std::wstring program = ScaleFolder().wstring();
    Open(program);
    InstallProbe probe(*window);
    const auto start = std::chrono::steady_clock::now();
    Click(kInstallButton);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    auto& list2 = window->Get<fx::ListBox>(kRegisteredList);
    EXPECT_EQ(list2.Count(), kScaleEntries);
    ASSERT_FALSE(probe.captionsAtRecord().empty()) << "nothing was recorded";
    EXPECT_EQ(probe.captionsAtRecord().front(), std::to_wstring(kScaleEntries));
    EXPECT_EQ(probe.steps(), kScaleEntries);
    // The queue turns at the screen's pace while the count goes down: not
    // only at the end, and at most once per frame that passed (plus the
    // turns before the first and after the last file), however fast or
    // slow the machine registers.
    const auto frames = elapsed / std::chrono::milliseconds(fx::kFrameMilliseconds);
    EXPECT_GT(probe.turns(), 2);
    EXPECT_LE(probe.turns(), frames + 3) << "in " << frames << " frames";
    EXPECT_LT(probe.turns(), kScaleEntries / 2);
    EXPECT_EQ(CountCaption(), L"0");
    EXPECT_EQ(list2.Row(kScaleEntries - 1), program + L"\\fonts\\" + std::to_wstring(100000 + kScaleEntries - 1) + L".ttf");
    EXPECT_TRUE(PanelShown());
}

// Where the count label stood at the queue's first turn after a press, seen
// by a one-shot timer of the thread (a timer's callback has no context).
const fx::Label* g_countLabel = nullptr;
std::wstring g_captionAtFirstTurn;
void CALLBACK NoteFirstTurn(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    g_captionAtFirstTurn = g_countLabel->Caption();
}

// A chain of folders deeper than the classic path limit and 100,000 entries
// more: the walk ends, exact, and the queue turns while the tree is read,
// before the count is set.
TEST_F(InstallTest, ADeepAndCrowdedTreeIsWalkedExactlyWhileTheWindowAnswers) {
    constexpr int kDepth = 300, kWide = 100, kFontsPerWide = 10;
    const std::wstring program = (InputsFolder() / L"trees" / L"deep").wstring(), fonts = program + L"\\fonts\\";
    Open(program);
    InstallProbe probe(*window);
    g_countLabel = &window->Get<fx::Label>(kCountLabel);
    SetTimer(nullptr, 0, 1, &NoteFirstTurn);
    Click(kInstallButton);
    const std::wstring total = std::to_wstring(kDepth + kWide * kFontsPerWide);
    EXPECT_FALSE(g_captionAtFirstTurn.empty()) << "the queue never turned";
    EXPECT_NE(g_captionAtFirstTurn, total) << "the queue did not turn while the tree was read";

    std::vector<std::wstring> expected, rows = Rows(kRegisteredList);
    std::wstring chain = fonts;
    for (int i = 0; i < kDepth; ++i) {
        wchar_t name[16];
        std::swprintf(name, 16, L"%05d.otf", i);
        expected.push_back((chain += L"d\\") + name);
    }
    for (int w = 0; w < kWide; ++w)
        for (int i = 0; i < kFontsPerWide; ++i) {
            wchar_t name[32];
            std::swprintf(name, 32, L"wide\\w%03d\\%03d.ttf", w, i * 100);
            expected.push_back(fonts + name);
        }
    std::sort(expected.begin(), expected.end());
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows, expected);
    ASSERT_FALSE(probe.captionsAtRecord().empty());
    EXPECT_EQ(probe.captionsAtRecord().front(), total);
    EXPECT_EQ(CountCaption(), L"0");
    ASSERT_EQ(Record().errors.size(), 1u); // the files are empty: all refused
    EXPECT_NE(Record().errors[0].find(L"عدد هذه الملفات: " + total), std::wstring::npos) << Record().errors[0];
}

} // namespace
