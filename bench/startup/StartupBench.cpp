// Start-up benchmark, run inside the Wine session like any Windows program:
// the time from just before CreateProcessW until the new process has a
// visible top-level window and has first waited for input
// (WaitForInputIdle), i.e. has painted that window once. Mirvashel.exe and a
// minimal window program that paints one Arabic line are started
// alternately from the same staging folder so that both meet the same disk
// cache and system load. Prints every round with its ratio, the medians,
// their ratio and the median of the rounds' ratios, which is the measure:
// on a shared machine other load comes and goes in stretches that slow
// every step of a start about twofold, so single starts fall in two
// clusters and a median of all starts can land in either; the two starts
// of one round nearly always meet the same load. A figure, not a verdict:
// it fails only when a program cannot be started or shows no window.
// Then the program alone, started once from a current folder holding 20,000
// ".ttf" files and once from an empty one. Last, apart from the timed
// starts, each program's working set once it is idle (target: Mirvashel
// within 2 MB of the minimal window).
// usage: bench_startup.exe [rounds]
#include "Handles.h"
#include "Paths.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kDefaultRounds = 15; // the other load on a small machine swings single starts by 2x
// Every start follows the same pause, so that neither program meets the
// wake of the other's start (the Wine server and the window system settling).
constexpr DWORD kRestMilliseconds = 1000;
constexpr double kTargetRatio = 1.2;
constexpr int kCrowdedRounds = 9;
constexpr double kCrowdedTargetRatio = 1.05;
constexpr double kGiveUpMs = 30000; // a start this slow is a failure, not a figure
// The working set is read this long after the first wait for input: the
// program does its first idle work (the controls nobody sees at first) just
// after it. Read in starts of their own, so the timed ones stay as they are.
constexpr DWORD kSettleMilliseconds = 200;
constexpr int kMemoryRounds = 5;
constexpr double kMemoryTargetMb = 2.0;

struct KernelHandleTraits { static void close(HANDLE h) noexcept { CloseHandle(h); } };
using UniqueKernelHandle = fx::UniqueHandle<HANDLE, KernelHandleTraits>;

struct Subject {
    std::wstring label;
    std::wstring name;           // the program, in the staging folder
    std::wstring currentFolder;  // where it is started
    std::vector<double> ms;
};

double Now() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return double(f.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) / ticksPerMs;
}

BOOL CALLBACK IsVisibleWindowOf(HWND hwnd, LPARAM param) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != *reinterpret_cast<const DWORD*>(param) || !IsWindowVisible(hwnd)) return TRUE;
    *reinterpret_cast<DWORD*>(param) = 0; // found: stop and report
    return FALSE;
}

bool HasVisibleWindow(DWORD pid) {
    EnumWindows(IsVisibleWindowOf, reinterpret_cast<LPARAM>(&pid));
    return pid == 0;
}

// Milliseconds until the program's window is visible and the program waits
// for input, or nothing when it does not start, ends first, or takes longer
// than kGiveUpMs. With workingSetMb, also the working set once settled.
std::optional<double> TimeOneStart(const std::wstring& folder, const std::wstring& name,
                                   const std::wstring& currentFolder, double* workingSetMb = nullptr) {
    const std::wstring exe = fx::JoinPath(folder, name);
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};

    Sleep(kRestMilliseconds);
    const double start = Now();
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, currentFolder.c_str(),
                        &si, &pi)) {
        std::fprintf(stderr, "cannot start %ls (error %lu)\n", exe.c_str(), GetLastError());
        return std::nullopt;
    }
    UniqueKernelHandle process(pi.hProcess), thread(pi.hThread);

    std::optional<double> elapsed;
    // Waiting for input idle first lets the bench sleep while the program
    // starts: a polling loop would take a core from the program (and from
    // the Wine server) on a small machine. Both programs show their window
    // before they first wait for input; the visibility check guards that.
    for (;;) {
        const double left = kGiveUpMs - (Now() - start);
        const DWORD idle = left > 0 ? WaitForInputIdle(process.get(), DWORD(left)) : WAIT_TIMEOUT;
        if (idle == 0 && HasVisibleWindow(pi.dwProcessId)) {
            elapsed = Now() - start;
            PROCESS_MEMORY_COUNTERS memory{};
            if (workingSetMb && (Sleep(kSettleMilliseconds), GetProcessMemoryInfo(process.get(), &memory, sizeof memory)))
                *workingSetMb = double(memory.WorkingSetSize) / (1024.0 * 1024.0);
            break;
        }
        if (WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0) {
            std::fprintf(stderr, "%ls ended without showing a window\n", name.c_str());
            break;
        }
        if (idle != 0 || Now() - start > kGiveUpMs) {
            std::fprintf(stderr, "%ls showed no window waiting for input within %.0f ms\n", name.c_str(), kGiveUpMs);
            break;
        }
        Sleep(1); // idle before its window is shown: look again shortly
    }
    TerminateProcess(process.get(), 0);
    WaitForSingleObject(process.get(), INFINITE);
    return elapsed;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double Min(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

void PrintSummary(const Subject& s) {
    std::printf("%-34ls %9.1f %9.1f %9.1f\n", s.label.c_str(), Median(s.ms), Min(s.ms),
                *std::max_element(s.ms.begin(), s.ms.end()));
}

// Rounds of one start of each subject, alternating who goes first; the
// verdict is the median of the rounds' ratios. False when a start failed.
bool ComparePair(const wchar_t* title, const std::wstring& stage, Subject (&subjects)[2], int rounds, double target) {
    // One unmeasured start each loads the files into the cache.
    for (const Subject& s : subjects)
        if (!TimeOneStart(stage, s.name, s.currentFolder)) return false;

    std::printf("%ls, %d rounds, alternating (times in ms)\n\n", title, rounds);
    std::printf("%5s %34ls %34ls %7s\n", "round", subjects[0].label.c_str(), subjects[1].label.c_str(), "ratio");
    std::vector<double> ratios; // each round's pair: both programs met about the same load
    for (int round = 0; round < rounds; ++round) {
        // Swap who goes first every round so neither always follows the other.
        for (int k = 0; k < 2; ++k) {
            Subject& s = subjects[(round + k) % 2];
            const auto ms = TimeOneStart(stage, s.name, s.currentFolder);
            if (!ms) return false;
            s.ms.push_back(*ms);
        }
        ratios.push_back(subjects[0].ms.back() / subjects[1].ms.back());
        std::printf("%5d %34.1f %34.1f %7.2f\n", round + 1, subjects[0].ms.back(), subjects[1].ms.back(),
                    ratios.back());
        std::fflush(stdout); // rows appear as they are measured
    }

    std::printf("\n%-34s %9s %9s %9s\n", "program", "median", "min", "max");
    for (const Subject& s : subjects) PrintSummary(s);
    std::printf("\nratio of medians: %.2f\n", Median(subjects[0].ms) / Median(subjects[1].ms));
    // Other load on the machine only ever adds time; the fastest starts show
    // the programs' own difference when the medians are noisy.
    std::printf("ratio of minimums: %.2f\n", Min(subjects[0].ms) / Min(subjects[1].ms));
    const double ratio = Median(ratios);
    std::printf("median of the rounds' ratios: %.2f (rounds %.2f to %.2f; target <= %.2f: %s)\n\n", ratio,
                Min(ratios), *std::max_element(ratios.begin(), ratios.end()), target,
                ratio <= target ? "met" : "NOT met");
    std::fflush(stdout);
    return true;
}

// The median idle working set of each program, alternating; false when a
// start failed.
bool CompareWorkingSets(const std::wstring& stage, const Subject (&subjects)[2]) {
    std::vector<double> mb[2];
    for (int round = 0; round < kMemoryRounds; ++round)
        for (int k = 0; k < 2; ++k) {
            const int i = (round + k) % 2;
            double workingSet = 0;
            if (!TimeOneStart(stage, subjects[i].name, subjects[i].currentFolder, &workingSet)) return false;
            mb[i].push_back(workingSet);
        }
    const double extra = Median(mb[0]) - Median(mb[1]);
    std::printf("Idle working set, %d starts each, median: %ls %.1f MB, %ls %.1f MB; difference %+.1f MB "
                "(target <= %+.1f: %s)\n",
                kMemoryRounds, subjects[0].label.c_str(), Median(mb[0]), subjects[1].label.c_str(), Median(mb[1]),
                extra, kMemoryTargetMb, extra <= kMemoryTargetMb ? "met" : "NOT met");
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : kDefaultRounds;
    const std::wstring stage = fx::JoinPath(fx::ExecutableFolder(), BENCH_STAGE);
    const std::wstring empty = fx::JoinPath(stage, BENCH_EMPTY_FOLDER);
    const std::wstring crowded = fx::JoinPath(stage, BENCH_CROWDED_FOLDER);

    Subject programs[2] = {{BENCH_PROGRAM, BENCH_PROGRAM, stage, {}}, {BENCH_BASELINE, BENCH_BASELINE, stage, {}}};
    if (!ComparePair(L"Start-up to a visible, painted window waiting for input", stage, programs, rounds,
                     kTargetRatio))
        return 1;
    // A list of the current folder would be built for nobody: the program
    // points its file list elsewhere before anything reads it.
    Subject folders[2] = {{L"in 20,000 .ttf files", BENCH_PROGRAM, crowded, {}},
                          {L"in an empty folder", BENCH_PROGRAM, empty, {}}};
    if (!ComparePair(L"The same start from a crowded current folder, and from an empty one", stage, folders,
                     kCrowdedRounds, kCrowdedTargetRatio))
        return 1;
    return CompareWorkingSets(stage, programs) ? 0 : 1;
}
