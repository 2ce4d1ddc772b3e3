// Install and remove through the real window, each round in a fresh
// process, against the least work each command must do, done by this
// process right after on the same files: one enumeration of the font
// families plus one AddFontResourceW (or RemoveFontResourceW) per file.
// Each round's command and least work meet about the same load on the
// machine, so the figure is the median of the rounds' ratios. Both sides
// start after the same pause: under Wine, registering fonts soon after
// other registrations is two to three times slower than after a second's
// rest (here about 250 against 90 ms for the least work), and without the
// pause the command, which starts right after the previous round's least
// work, always drew the slow side.
//
// usage: bench_commands.exe                      every case below
//        bench_commands.exe --run install|remove FOLDER
//            (one round's command in this process: prints its milliseconds)
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

constexpr double kTargetRatio = 1.25;
// The pause before each timed side; a user, too, presses a button some time
// after the window has settled.
constexpr DWORD kRestMilliseconds = 1000;

struct Case {
    const wchar_t* title;
    const wchar_t* command; // "install" or "remove"
    const wchar_t* folder;  // a program folder beside this driver, with its "fonts"
    int rounds;
    bool hasTarget;
};

// The 1,000 generated fonts are the measure; the others are figures.
constexpr Case kCases[] = {
    {L"install 1,000 generated fonts", L"install", L"program", 9, true},
    {L"install 1,000 copies of Debian's fonts", L"install", L"program-debian", 5, false},
    {L"remove 10,000 rows", L"remove", L"program-10000", 5, false},
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

std::vector<std::wstring> FontFiles(const fs::path& folder) {
    std::vector<std::wstring> files;
    for (const auto& entry : fs::directory_iterator(folder / "fonts"))
        if (entry.path().extension() == L".ttf") files.push_back(entry.path().wstring());
    std::sort(files.begin(), files.end());
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
    Sleep(kRestMilliseconds);
    fx::DoEvents();
    auto& install = window.Get<fx::Button>(Command2);
    auto& remove = window.Get<fx::Button>(Command1);

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

// Starts this program with --run and reads the milliseconds it prints.
std::optional<double> TimeCommandInFreshProcess(const std::wstring& command, const fs::path& folder) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return std::nullopt;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(self) + L"\" --run " + command + L" \"" + folder.wstring() + L"\"";
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

// --- the least work, in this process ----------------------------------------

double TimeLeastInstall(const std::vector<std::wstring>& files) {
    Sleep(kRestMilliseconds);
    const double t = Now();
    EnumerateOnce();
    for (const auto& f : files) AddFontResourceW(f.c_str());
    const double ms = Now() - t;
    for (const auto& f : files) RemoveFontResourceW(f.c_str());
    return ms;
}

double TimeLeastRemove(const std::vector<std::wstring>& files) {
    for (const auto& f : files) AddFontResourceW(f.c_str());
    Sleep(kRestMilliseconds);
    const double t = Now();
    for (const auto& f : files) RemoveFontResourceW(f.c_str());
    EnumerateOnce();
    return Now() - t;
}

bool RunCase(const Case& c, const fs::path& here) {
    const fs::path folder = here / c.folder;
    if (!fs::exists(folder / "fonts")) {
        std::printf("%ls: no folder %ls, skipped\n\n", c.title, (folder / "fonts").c_str());
        return true;
    }
    const std::vector<std::wstring> files = FontFiles(folder);
    const bool install = std::wstring(c.command) == L"install";
    std::printf("%ls (%zu files), %d rounds, each in a fresh process (ms)\n", c.title, files.size(), c.rounds);
    std::printf("%5s %10s %10s %7s\n", "round", "command", "least", "ratio");
    std::vector<double> command, least, ratios;
    for (int round = 0; round < c.rounds; ++round) {
        const auto ms = TimeCommandInFreshProcess(c.command, folder);
        if (!ms) {
            std::fprintf(stderr, "the command's process reported nothing\n");
            return false;
        }
        command.push_back(*ms);
        least.push_back(install ? TimeLeastInstall(files) : TimeLeastRemove(files));
        ratios.push_back(command.back() / least.back());
        std::printf("%5d %10.1f %10.1f %7.2f\n", round + 1, command.back(), least.back(), ratios.back());
        std::fflush(stdout);
    }
    const double ratio = Median(ratios);
    std::printf("median %10.1f %10.1f; median ratio %.2f (rounds %.2f to %.2f)", Median(command), Median(least),
                ratio, *std::min_element(ratios.begin(), ratios.end()),
                *std::max_element(ratios.begin(), ratios.end()));
    if (c.hasTarget) std::printf("; target <= %.2f: %s", kTargetRatio, ratio <= kTargetRatio ? "met" : "NOT met");
    std::printf("\n\n");
    std::fflush(stdout);
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 4 && std::wcscmp(argv[1], L"--run") == 0) return RunCommand(argv[2], argv[3]);

    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const fs::path here = fs::path(self).parent_path();
    for (const Case& c : kCases)
        if (!RunCase(c, here)) return 1;
    return 0;
}
