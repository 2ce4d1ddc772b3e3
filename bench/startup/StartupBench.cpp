// Start-up benchmark: the time from just before CreateProcessW until the new
// process has a visible top-level window, for Mirvashel.exe and for a bare
// window program, started alternately from the same staging folder so that
// both meet the same disk cache and system load. Prints every round, the
// medians and their ratio. A figure, not a verdict: it fails only when a
// program cannot be started or shows no window.
// usage: bench_startup.exe [rounds]
#include "Handles.h"
#include "Paths.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kDefaultRounds = 15;
constexpr double kTargetRatio = 1.2;
constexpr double kGiveUpMs = 30000; // a start this slow is a failure, not a figure

struct KernelHandleTraits { static void close(HANDLE h) noexcept { CloseHandle(h); } };
using UniqueKernelHandle = fx::UniqueHandle<HANDLE, KernelHandleTraits>;

struct Subject {
    std::wstring name;
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

// Milliseconds until the program's window is visible, or nothing when it
// does not start, ends first, or takes longer than kGiveUpMs.
std::optional<double> TimeOneStart(const std::wstring& folder, const std::wstring& name) {
    const std::wstring exe = fx::JoinPath(folder, name);
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};

    const double start = Now();
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si,
                        &pi)) {
        std::fprintf(stderr, "cannot start %ls (error %lu)\n", exe.c_str(), GetLastError());
        return std::nullopt;
    }
    UniqueKernelHandle process(pi.hProcess), thread(pi.hThread);

    std::optional<double> elapsed;
    for (;;) { // a tight loop: any sleep here would round the figures up
        if (HasVisibleWindow(pi.dwProcessId)) {
            elapsed = Now() - start;
            break;
        }
        if (WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0) {
            std::fprintf(stderr, "%ls ended without showing a window\n", name.c_str());
            break;
        }
        if (Now() - start > kGiveUpMs) {
            std::fprintf(stderr, "%ls showed no window within %.0f ms\n", name.c_str(), kGiveUpMs);
            break;
        }
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
    std::printf("%-22ls %9.1f %9.1f %9.1f\n", s.name.c_str(), Median(s.ms), Min(s.ms),
                *std::max_element(s.ms.begin(), s.ms.end()));
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : kDefaultRounds;
    const std::wstring stage = fx::JoinPath(fx::ExecutableFolder(), BENCH_STAGE);
    Subject subjects[2] = {{BENCH_PROGRAM, {}}, {BENCH_BASELINE, {}}};

    // One unmeasured start each loads the files into the cache.
    for (const Subject& s : subjects)
        if (!TimeOneStart(stage, s.name)) return 1;

    std::printf("Start-up to a visible window, %d rounds, alternating (times in ms)\n\n", rounds);
    std::printf("%5s %22ls %22ls\n", "round", subjects[0].name.c_str(), subjects[1].name.c_str());
    for (int round = 0; round < rounds; ++round) {
        // Swap who goes first every round so neither always follows the other.
        for (int k = 0; k < 2; ++k) {
            Subject& s = subjects[(round + k) % 2];
            const auto ms = TimeOneStart(stage, s.name);
            if (!ms) return 1;
            s.ms.push_back(*ms);
        }
        std::printf("%5d %22.1f %22.1f\n", round + 1, subjects[0].ms.back(), subjects[1].ms.back());
        std::fflush(stdout); // rows appear as they are measured
    }

    std::printf("\n%-22s %9s %9s %9s\n", "program", "median", "min", "max");
    for (const Subject& s : subjects) PrintSummary(s);
    const double ratio = Median(subjects[0].ms) / Median(subjects[1].ms);
    std::printf("\nratio of medians %ls / %ls: %.2f (target <= %.1f: %s)\n", subjects[0].name.c_str(),
                subjects[1].name.c_str(), ratio, kTargetRatio, ratio <= kTargetRatio ? "met" : "NOT met");
    // Other load on the machine only ever adds time; the fastest starts show
    // the programs' own difference when the medians are noisy.
    std::printf("ratio of minimums: %.2f\n", Min(subjects[0].ms) / Min(subjects[1].ms));
    std::fflush(stdout);
    return 0;
}
