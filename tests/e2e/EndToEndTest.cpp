// End to end: Mirvashel.exe started as a process of its own from a folder
// laid out as a user's, and driven from outside through its windows only
// (finding them, reading their list boxes, pressing their buttons), as a
// user's tool or another program could. None of the program's code runs in
// this process.
#include "ChildProcess.h"
#include "FontChangeListener.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <oleacc.h>
#include <wrl/client.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using testing_support::FontChangeListener;
using testing_support::InputsFolder;
using testing_support::Process;
using testing_support::TempFolder;
using testing_support::TestFamily;
using testing_support::VisibleWindowOf;
using testing_support::WaitUntil;

// Every wait is bounded: a step that takes longer has failed, and the test
// goes on to clean up instead of hanging.
constexpr DWORD kStartMs = 20000;   // until the window is visible
constexpr DWORD kCommandMs = 20000; // a pressed command running to its end
constexpr DWORD kReplyMs = 5000;    // one query of a control
constexpr DWORD kEndMs = 10000;     // until the process has ended

constexpr wchar_t kProgram[] = L"Mirvashel.exe";
constexpr wchar_t kWindowClass[] = L"Mirvashel";

// The controls' ids: 100 + the control's row in the window's design table,
// all a tool outside the program knows of it.
enum ControlId : int { kPicture3 = 100, kPicture2, kCommand1, kPicture1, kCommand3, kCommand2 = 106, kList2 = 108, kList1 = 110, kFile1 };

// Fonts given to the program; the hidden one must never be registered.
constexpr int kListedFonts = 3;
constexpr wchar_t kHiddenFontSource[] = L"MirvTest0003.ttf";
constexpr wchar_t kHiddenFamily[] = L"MirvTest0003";

BOOL CALLBACK AppendText(HWND child, LPARAM text) {
    std::wstring part(size_t(GetWindowTextLengthW(child)) + 1, L'\0');
    part.resize(size_t(GetWindowTextW(child, part.data(), int(part.size()))));
    *reinterpret_cast<std::wstring*>(text) += part;
    return TRUE;
}

bool Contains(const std::vector<std::wstring>& rows, const std::wstring& text) {
    return std::find(rows.begin(), rows.end(), text) != rows.end();
}

std::vector<std::wstring> EachTwice(const std::vector<std::wstring>& rows) {
    std::vector<std::wstring> twice;
    for (const auto& row : rows) twice.insert(twice.end(), 2, row);
    return twice;
}

class EndToEndTest : public ::testing::Test {
protected:
    // A program folder as a user would have it: the program, a fonts folder
    // with three fonts, a text file named like a font and a hidden font, and
    // a VevoDider folder whose two files are only counted.
    void SetUp() override {
        const fs::path inputs = InputsFolder();
        fs::copy_file(inputs / kProgram, stage.path() / kProgram);
        // Pushed in the order the list box sorts them, without case: "junk" first.
        listedPaths.push_back(stage.Write(L"fonts\\junk.ttf", "plain text, not a font\r\n").wstring());
        for (int i = 0; i < kListedFonts; ++i) {
            const std::wstring file = TestFamily(i) + L".ttf";
            fs::copy_file(inputs / file, stage.path() / L"fonts" / file);
            listedPaths.push_back((stage.path() / L"fonts" / file).wstring());
        }

        const fs::path hidden = stage.path() / L"fonts" / L"hidden.ttf";
        fs::copy_file(inputs / kHiddenFontSource, hidden);
        ASSERT_TRUE(SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN));

        stage.Write(L"VevoDider\\first.ttf");
        stage.Write(L"VevoDider\\second.ttf");
    }

    // Starts the staged program and waits for its visible window.
    void StartProgram() {
        ASSERT_TRUE(program.Start(stage.path() / kProgram, stage.path())) << "CreateProcessW: " << GetLastError();
        Await([&] { return (window = VisibleWindowOf(program.id(), kWindowClass)) != nullptr; }, kStartMs);
        ASSERT_NE(window, nullptr) << "no visible window";
        // The controls outside the window are made once the first paint is
        // done; the first tab stop then takes the keyboard focus.
        const DWORD thread = GetWindowThreadProcessId(window, nullptr);
        ASSERT_TRUE(Await([&] {
            GUITHREADINFO info{sizeof info};
            return GetGUIThreadInfo(thread, &info) && info.hwndFocus && info.hwndFocus == Control(kFile1);
        }, kStartMs)) << "the first tab stop never took the focus";
    }

    // Waits as WaitUntil does; a program that has ended fails the test at
    // once, with its exit code, instead of the step sitting out its bound.
    bool Await(const std::function<bool()>& done, DWORD milliseconds) {
        if (WaitUntil(program, done, milliseconds)) return true;
        if (!program.Running()) ADD_FAILURE() << "the program has ended, exit code " << program.ExitCode();
        return false;
    }

    // Presses install and waits for the message that ends a run with a
    // refused file; returns its text (and where it was) after closing it,
    // once the run is over.
    std::wstring InstallAndCloseItsMessage(RECT* place = nullptr) {
        if (!PostMessageW(Control(kCommand2), BM_CLICK, 0, 0)) return {};
        HWND box = nullptr;
        Await([&] { return (box = VisibleWindowOf(program.id(), L"#32770")) != nullptr; }, kCommandMs);
        std::wstring text;
        if (!box) return text;
        EnumChildWindows(box, &AppendText, reinterpret_cast<LPARAM>(&text));
        if (place) GetWindowRect(box, place);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        Await([&] { return !IsWindow(box); }, kCommandMs);
        Ask(window, WM_NULL, 0, 0, kCommandMs);
        return text;
    }

    // A message to the program's thread that gives up rather than wait
    // forever; a window whose program has ended answers nothing at once.
    std::optional<LRESULT> Ask(HWND hwnd, UINT msg, WPARAM wp = 0, LPARAM lp = 0, DWORD milliseconds = kReplyMs) {
        DWORD_PTR result = 0;
        if (SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_NORMAL, milliseconds, &result)) return LRESULT(result);
        if (!program.Running()) ADD_FAILURE() << "the program has ended, exit code " << program.ExitCode();
        return std::nullopt;
    }

    // Presses a button and returns once its command has run to its end: a
    // sent BM_CLICK comes back only when the click's handler has returned,
    // the install loop's yields included. False when it did not within the
    // bound.
    bool Press(HWND button) { return IsWindow(button) && Ask(button, BM_CLICK, 0, 0, kCommandMs).has_value(); }

    std::vector<std::wstring> Rows(HWND list) {
        std::vector<std::wstring> rows;
        const LRESULT count = Ask(list, LB_GETCOUNT).value_or(-1);
        EXPECT_GE(count, 0) << "the list box gave no row count";
        for (int i = 0; i < int(count); ++i) {
            std::wstring text(size_t(Ask(list, LB_GETTEXTLEN, WPARAM(i)).value_or(0)) + 1, L'\0');
            const LRESULT copied =
                Ask(list, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text.data())).value_or(-1);
            EXPECT_GE(copied, 0) << "no text for row " << i;
            text.resize(size_t(std::max<LRESULT>(copied, 0)));
            rows.push_back(std::move(text));
        }
        return rows;
    }

    HWND Control(int id) const { return GetDlgItem(window, id); }
    HWND EndButton() const { return GetDlgItem(Control(kPicture1), kCommand3); }

    TempFolder stage{L"mirvashel-e2e"};
    Process program; // after the folder: ended before the folder is removed
    HWND window = nullptr;
    std::vector<std::wstring> listedPaths; // as kRegisteredList should record one run, in its order
};

TEST_F(EndToEndTest, WindowShowsItsFixedLayoutAtStart) {
    ASSERT_NO_FATAL_FAILURE(StartProgram());

    // 8000 x 5000 twips outside: 533 x 333 px at 96 dpi, centred on the screen.
    fx::WindowDC screen(nullptr);
    const int dpiX = GetDeviceCaps(screen.get(), LOGPIXELSX), dpiY = GetDeviceCaps(screen.get(), LOGPIXELSY);
    RECT outer{};
    ASSERT_TRUE(GetWindowRect(window, &outer));
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    EXPECT_EQ(width, MulDiv(8000, dpiX, 1440));
    EXPECT_EQ(height, MulDiv(5000, dpiY, 1440));
    EXPECT_NEAR(outer.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2, 1);
    EXPECT_NEAR(outer.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 1);

    // A thin fixed frame, no title bar and nothing that belongs to one.
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_NE(style & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_EQ(GetWindowTextLengthW(window), 0);
    EXPECT_FALSE(IsWindowVisible(Control(kPicture1)));
    EXPECT_FALSE(IsWindowVisible(EndButton())); // hidden with its panel
}

TEST_F(EndToEndTest, InstallTwiceThenRemoveThenEnd) {
    FontChangeListener otherProgram;
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    const HWND registered = Control(kList2), fontList = Control(kList1), panel = Control(kPicture1);

    // First run: every listed file recorded once, the hidden one never; the
    // font list was refilled before anything was registered. The text file
    // is named as refused, once the panel shows.
    const std::wstring message = InstallAndCloseItsMessage();
    EXPECT_NE(message.find(L"junk.ttf"), std::wstring::npos) << "no message names the refused file";
    EXPECT_EQ(message.find(TestFamily(0)), std::wstring::npos);
    EXPECT_TRUE(IsWindowVisible(panel));
    EXPECT_EQ(Rows(registered), listedPaths);
    const std::vector<std::wstring> familiesBefore = Rows(fontList);
    EXPECT_FALSE(familiesBefore.empty());
    for (int i = 0; i < kListedFonts; ++i) EXPECT_FALSE(Contains(familiesBefore, TestFamily(i))) << TestFamily(i);
    EXPECT_EQ(otherProgram.CountAfterWaitingFor(1, program.handle()), 1) << "running programs are told once per run";

    // Second run: every path again, beside its twin; the refill at its start
    // shows what the first run registered (in Wine only the registering
    // process sees its fonts, so the program's own list is the witness).
    EXPECT_NE(InstallAndCloseItsMessage().find(L"junk.ttf"), std::wstring::npos);
    EXPECT_EQ(Rows(registered), EachTwice(listedPaths));
    const std::vector<std::wstring> familiesInstalled = Rows(fontList);
    for (int i = 0; i < kListedFonts; ++i) EXPECT_TRUE(Contains(familiesInstalled, TestFamily(i))) << TestFamily(i);
    EXPECT_FALSE(Contains(familiesInstalled, kHiddenFamily));
    EXPECT_EQ(otherProgram.CountAfterWaitingFor(2, program.handle()), 2);

    // Remove: both registrations of every file undone, the record kept.
    ASSERT_TRUE(Press(Control(kCommand1))) << "the remove command did not come back";
    EXPECT_EQ(Rows(registered), EachTwice(listedPaths));
    EXPECT_EQ(Rows(fontList), familiesBefore);
    EXPECT_EQ(otherProgram.CountAfterWaitingFor(3, program.handle()), 3);
    EXPECT_EQ(otherProgram.SentCount(), 0) << "a sent broadcast hangs on any window that does not answer";

    // The end button ends the process inside its click, so nothing would
    // answer a sent message: post it and watch the process instead.
    ASSERT_TRUE(IsWindowVisible(EndButton()));
    ASSERT_TRUE(PostMessageW(EndButton(), BM_CLICK, 0, 0));
    ASSERT_TRUE(program.WaitForEnd(kEndMs)) << "the end button did not end the program";
    EXPECT_EQ(program.ExitCode(), 0u);
}

// 26 refused files, one far wider than a screen: the report's box lies on the
// work area (as many names as fit, the rest counted, the wide one shortened
// in its middle). Again at 640 x 480 and 192 dpi: scripts/check-report-fits.sh.
TEST_F(EndToEndTest, AReportOfManyLongNamesFitsTheScreen) {
    constexpr int kRefused = 26; // with junk.ttf
    for (int i = 0; i < kRefused - 2; ++i)
        stage.Write(L"fonts\\refused-" + std::to_wstring(10 + i) + std::wstring(45, L'-') + L"name.ttf", "not a font");
    stage.Write(L"fonts\\0-wide" + std::wstring(70, L'a') + std::wstring(70, L'z') + L"-end.ttf", "not a font");
    ASSERT_NO_FATAL_FAILURE(StartProgram());

    RECT box{};
    const std::wstring message = InstallAndCloseItsMessage(&box);
    MONITORINFO monitor{.cbSize = sizeof(MONITORINFO)};
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor));
    const RECT& work = monitor.rcWork;
    EXPECT_TRUE(box.left >= work.left && box.top >= work.top && box.right <= work.right && box.bottom <= work.bottom)
        << "box " << box.left << "," << box.top << " - " << box.right << "," << box.bottom << " on work area "
        << work.left << "," << work.top << " - " << work.right << "," << work.bottom << "\n" << message;

    int listed = 0;
    for (size_t at = message.find(L".ttf\u202C"); at != std::wstring::npos; at = message.find(L".ttf\u202C", at + 1))
        ++listed;
    const std::wstring andMore = L"وملفات أخرى عددها ";
    const size_t more = message.find(andMore);
    ASSERT_NE(more, std::wstring::npos) << message;
    EXPECT_EQ(listed + std::stoi(message.substr(more + andMore.size())), kRefused) << message;
    // Sorted first, the wide name is always listed: its ends kept, its middle gone.
    EXPECT_NE(message.find(L"\u202A0-wide"), std::wstring::npos) << message;
    EXPECT_NE(message.find(L"a\u2026z"), std::wstring::npos) << message;
    EXPECT_NE(message.find(L"z-end.ttf\u202C"), std::wstring::npos) << message;
}

// A screen reader in another process reads the window through the
// program's own object, and presses the close picture by its default action.
TEST_F(EndToEndTest, AScreenReaderReadsTheWindowAndPressesTheClosePicture) {
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    {
        Microsoft::WRL::ComPtr<IAccessible> root, close;
        Microsoft::WRL::ComPtr<IDispatch> child;
        ASSERT_EQ(AccessibleObjectFromWindow(window, DWORD(OBJID_CLIENT), IID_PPV_ARGS(&root)), S_OK);
        VARIANT id{};
        V_VT(&id) = VT_I4;
        V_I4(&id) = 1; // kClosePicture, the first of the window's controls
        ASSERT_EQ(root->get_accChild(id, &child), S_OK);
        ASSERT_EQ(child.As(&close), S_OK);
        V_I4(&id) = CHILDID_SELF;
        BSTR name = nullptr;
        EXPECT_EQ(close->get_accName(id, &name), S_OK);
        EXPECT_STREQ(name, L"إغلاق");
        SysFreeString(name);
        close->accDoDefaultAction(id); // its answer may be lost: the program can end before sending it
        EXPECT_TRUE(program.WaitForEnd(kEndMs)) << "the close picture's default action did not end the program";
        EXPECT_EQ(program.ExitCode(), 0u);
    }
    CoUninitialize();
}

// Alt+F4 reaches a window without a system menu as WM_SYSCOMMAND SC_CLOSE,
// which becomes WM_CLOSE; another program may post WM_CLOSE itself. A close
// posted right behind a press of install arrives in the run's first yield,
// with the run still going; so does a click of the close picture, which ends
// the program at once.
TEST_F(EndToEndTest, ClosingTheWindowEndsTheProcessCleanly) {
    const struct { const char* name; int target; UINT msg; WPARAM wp; bool behindInstall; } requests[] = {
        {"Alt+F4", 0, WM_SYSCOMMAND, SC_CLOSE, false},
        {"WM_CLOSE during install", 0, WM_CLOSE, 0, true},
        {"close picture during install", kPicture3, WM_LBUTTONDOWN, MK_LBUTTON, true}};
    for (const auto& request : requests) {
        SCOPED_TRACE(request.name);
        ASSERT_NO_FATAL_FAILURE(StartProgram());
        if (request.behindInstall) {
            ASSERT_TRUE(PostMessageW(Control(kCommand2), BM_CLICK, 0, 0));
        }
        const HWND target = request.target ? Control(request.target) : window;
        ASSERT_TRUE(PostMessageW(target, request.msg, request.wp, 0));
        if (request.msg == WM_LBUTTONDOWN) { // a click
            ASSERT_TRUE(PostMessageW(target, WM_LBUTTONUP, 0, 0));
        }
        ASSERT_TRUE(program.WaitForEnd(kEndMs)) << "the program outlived its window";
        EXPECT_EQ(program.ExitCode(), 0u);
        EXPECT_FALSE(IsWindow(window));
    }
}

} // namespace
