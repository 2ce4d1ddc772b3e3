// Install and remove through the real window against the least work each
// command must do, on the same files: listing the folder, one enumeration of
// the font families and one AddFontResourceW per file (for remove, one
// RemoveFontResourceW per file and one enumeration). Every round runs each
// side in a fresh process of its own (this driver started again), the two
// in alternating order, each after the same pause: under Wine, registering
// fonts soon after other registrations is two to three times slower than
// after a second's rest, and a process's first registrations pay for
// loading what the font system needs. The figure is the median of the
// rounds' ratios (a round's two sides meet about the same load on the
// machine); the ratio of the medians is printed beside it.
//
// usage: bench_commands.exe [WORD]               every case below (whose title holds WORD)
//        bench_commands.exe --run install|remove FOLDER
//        bench_commands.exe --least install|remove FOLDER KIND
//            (one side of one round in this process: prints its milliseconds)
#include "MainWindow.h"
#include "MessageLoop.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

using namespace mirvashel;
namespace fs = std::filesystem;

namespace {

// The pause before each timed side; a user, too, presses a button some time
// after the window has settled.
constexpr DWORD kRestMilliseconds = 1000;

struct Case {
    const wchar_t* title;
    const wchar_t* command; // "install" or "remove"
    const wchar_t* folder;  // a program folder beside this driver, with its "fonts"
    int rounds;
    double target;          // 0: a figure, not a measure
    const wchar_t* kind = L"*.ttf";  // the files the least work lists
    const wchar_t* against = nullptr; // the same command on this folder instead of the least work
};

constexpr Case kCases[] = {
    {L"install 1,000 generated fonts", L"install", L"program", 9, 1.25},
    {L"install 1,000 generated .otf fonts", L"install", L"program-otf", 9, 0, L"*.otf"},
    {L"install 1,000 fonts in 50 sub-folders, against the same in one folder", L"install", L"program-tree", 9, 1.05,
     L"*.ttf", L"program"},
    {L"remove 1,000 generated fonts", L"remove", L"program", 7, 1.1},
    {L"install 1,000 copies of Debian's fonts", L"install", L"program-debian", 5, 0},
    {L"remove 10,000 rows", L"remove", L"program-10000", 7, 1.1},
};

double Now() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return double(f.QuadPart);
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) * 1000.0 / frequency;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

int CALLBACK CountFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return 1;
}

void EnumerateOnce() {
    HDC dc = GetDC(nullptr);
    int count = 0;
    EnumFontFamiliesW(dc, nullptr, reinterpret_cast<FONTENUMPROCW>(&CountFamily), reinterpret_cast<LPARAM>(&count));
    ReleaseDC(nullptr, dc);
}

// The least a program can do to find the files: one plain listing.
std::vector<std::wstring> ListFontFiles(const std::wstring& folder, const std::wstring& kind) {
    std::vector<std::wstring> files;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW((folder + L"\\" + kind).c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) return files;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(folder + L"\\" + data.cFileName);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return files;
}

// --- one round's command, in a fresh process --------------------------------

int WINAPI NoMessageBox(HWND, LPCWSTR, LPCWSTR, UINT) { return IDOK; }

int RunCommand(const std::wstring& command, const std::wstring& folder) {
    MainWindow::Environment env;
    env.executableFolder = folder;
    env.endProgram = [] {};
    env.messageBox = &NoMessageBox;
    MainWindow window(std::move(env));
    if (!window.Create()) return 1;
    window.Show();
    fx::DoEvents(); // the first paint is done, as when a user presses
    window.CreateUnseenControls(); // as the program's loop does once idle
    Sleep(kRestMilliseconds);
    fx::DoEvents();
    auto& install = window.Get<fx::Button>(kInstallButton);
    auto& remove = window.Get<fx::Button>(kRemoveButton);

    double ms = 0;
    if (command == L"install") {
        const double t = Now();
        install.Click(); // returns once the completion panel is shown
        ms = Now() - t;
        remove.Click(); // nothing left registered when the process ends
    } else {
        install.Click();
        Sleep(kRestMilliseconds);
        const double t = Now();
        remove.Click();
        ms = Now() - t;
    }
    std::printf("%.3f\n", ms);
    return 0;
}

// Starts this program for one side of a round (--run or --least) and reads
// the milliseconds it prints.
std::optional<double> TimeInFreshProcess(const wchar_t* side, const std::wstring& command, const fs::path& folder,
                                         const std::wstring& kind) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return std::nullopt;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(self) + L"\" " + side + L" " + command + L" \"" + folder.wstring() +
                               L"\" " + kind;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = writeEnd;
    si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi{};
    const BOOL started =
        CreateProcessW(self, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    CloseHandle(writeEnd); // the child holds the only write end now: EOF when it ends
    std::string out;
    if (started) {
        char buffer[256];
        DWORD got = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got) out.append(buffer, got);
        WaitForSingleObject(pi.hProcess, INFINITE);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    CloseHandle(readEnd);
    if (out.empty()) return std::nullopt;
    return std::strtod(out.c_str(), nullptr);
}

// --- one round's least work, in a fresh process -----------------------------

int RunLeast(const std::wstring& command, const std::wstring& folder, const std::wstring& kind) {
    const std::wstring fonts = folder + L"\\fonts";
    // The window system is brought up first, as the program's window does
    // before its button can be pressed: the timed work is only the least.
    ReleaseDC(nullptr, GetDC(nullptr));
    double ms = 0;
    if (command == L"install") {
        Sleep(kRestMilliseconds);
        const double t = Now();
        const std::vector<std::wstring> files = ListFontFiles(fonts, kind);
        EnumerateOnce();
        for (const auto& f : files) AddFontResourceW(f.c_str());
        ms = Now() - t;
        for (const auto& f : files) RemoveFontResourceW(f.c_str());
    } else {
        const std::vector<std::wstring> files = ListFontFiles(fonts, kind);
        for (const auto& f : files) AddFontResourceW(f.c_str());
        Sleep(kRestMilliseconds);
        const double t = Now();
        for (const auto& f : files) RemoveFontResourceW(f.c_str());
        EnumerateOnce();
        ms = Now() - t;
    }
    std::printf("%.3f\n", ms);
    return 0;
}

bool RunCase(const Case& c, const fs::path& here) {
    const fs::path folder = here / c.folder;
    if (!fs::exists(folder / "fonts")) {
        std::printf("%ls: no folder %ls, skipped\n\n", c.title, (folder / "fonts").c_str());
        return true;
    }
    const fs::path baseline = c.against ? here / c.against : folder;
    std::printf("%ls (%zu files), %d rounds, each side in a fresh process, alternating (ms)\n", c.title,
                ListFontFiles((baseline / "fonts").wstring(), c.kind).size(), c.rounds);
    std::printf("%5s %10s %10s %7s\n", "round", "command", c.against ? "baseline" : "least", "ratio");
    std::vector<double> command, least, ratios;
    for (int round = 0; round < c.rounds; ++round) {
        std::optional<double> sides[2];
        // Swap who goes first every round so neither always follows the other.
        for (int k = 0; k < 2; ++k) {
            const int side = (round + k) % 2;
            sides[side] = side == 0 ? TimeInFreshProcess(L"--run", c.command, folder, c.kind)
                                    : TimeInFreshProcess(c.against ? L"--run" : L"--least", c.command, baseline, c.kind);
            if (!sides[side]) {
                std::fprintf(stderr, "a round's process reported nothing\n");
                return false;
            }
        }
        command.push_back(*sides[0]);
        least.push_back(*sides[1]);
        ratios.push_back(command.back() / least.back());
        std::printf("%5d %10.1f %10.1f %7.2f\n", round + 1, command.back(), least.back(), ratios.back());
        std::fflush(stdout);
    }
    const double ratio = Median(ratios);
    std::printf("median %10.1f %10.1f; ratio of medians %.2f; median ratio %.2f (rounds %.2f to %.2f)",
                Median(command), Median(least), Median(command) / Median(least), ratio,
                *std::min_element(ratios.begin(), ratios.end()), *std::max_element(ratios.begin(), ratios.end()));
    if (c.target > 0) std::printf("; target <= %.2f: %s", c.target, ratio <= c.target ? "met" : "NOT met");
    std::printf("\n\n");
    std::fflush(stdout);
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 5 && std::wcscmp(argv[1], L"--run") == 0) return RunCommand(argv[2], argv[3]);
    if (argc == 5 && std::wcscmp(argv[1], L"--least") == 0) return RunLeast(argv[2], argv[3], argv[4]);

    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const fs::path here = fs::path(self).parent_path();
    const std::wstring only = argc == 2 ? argv[1] : L""; // a word of the titles of the cases to run
    for (const Case& c : kCases)
        if (std::wstring(c.title).find(only) != std::wstring::npos && !RunCase(c, here)) return 1;
    return 0;
}
