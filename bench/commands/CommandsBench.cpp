// Install and remove of 1,000 fonts through the real window, side by side
// with the least work each command must do: one enumeration of the font
// families plus one AddFontResourceW (or RemoveFontResourceW) per file.
// A third column adds the one thing the install command may not drop: a turn
// of the message queue after every file (under Wine each turn costs about
// as much as registering a small font; on Windows a few microseconds).
// Prints medians and ratios; asserts nothing.
#include "MainWindow.h"
#include "MessageLoop.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

using namespace mirvashel;
namespace fs = std::filesystem;

namespace {

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
    return v[v.size() / 2];
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

} // namespace

int main(int argc, char** argv) {
    const fs::path program = argc > 1 ? fs::path(argv[1]) : fs::absolute("program");
    std::vector<std::wstring> files;
    for (const auto& entry : fs::directory_iterator(program / "fonts"))
        if (entry.path().extension() == L".ttf") files.push_back(entry.path().wstring());
    std::sort(files.begin(), files.end());
    const int rounds = 9;
    std::printf("files: %zu, rounds: %d\n", files.size(), rounds);

    std::vector<double> baseInstall, yieldInstall, baseRemove, realInstall, realRemove;
    for (int round = 0; round < rounds; ++round) {
        // A fresh window each round: its registered-paths list is never
        // cleared, and a second remove would walk the first run's rows again.
        MainWindow::Environment env;
        env.executableFolder = program.wstring();
        env.quitOnDestroy = false;
        MainWindow window(std::move(env));
        window.Create();
        window.Show();
        auto& install = window.Get<fx::Button>(Command2);
        auto& remove = window.Get<fx::Button>(Command1);

        double t = Now();
        EnumerateOnce();
        for (const auto& f : files) AddFontResourceW(f.c_str());
        baseInstall.push_back(Now() - t);
        t = Now();
        for (const auto& f : files) RemoveFontResourceW(f.c_str());
        EnumerateOnce();
        baseRemove.push_back(Now() - t);

        t = Now();
        EnumerateOnce();
        for (const auto& f : files) {
            AddFontResourceW(f.c_str());
            fx::DoEvents();
        }
        yieldInstall.push_back(Now() - t);
        for (const auto& f : files) RemoveFontResourceW(f.c_str());

        t = Now();
        install.Click(); // returns once the completion panel is shown
        realInstall.push_back(Now() - t);
        t = Now();
        remove.Click();
        realRemove.push_back(Now() - t);
    }

    const double bi = Median(baseInstall), yi = Median(yieldInstall), ri = Median(realInstall);
    const double br = Median(baseRemove), rr = Median(realRemove);
    std::printf("%-10s %13s %11s %7s %8s %17s %7s\n", "command", "command (ms)", "least (ms)", "ratio", "target",
                "least+yield (ms)", "ratio");
    std::printf("%-10s %13.1f %11.1f %7.2f %8s %17.1f %7.2f\n", "install", ri, bi, ri / bi, "<=1.25", yi, ri / yi);
    std::printf("%-10s %13.1f %11.1f %7.2f %8s %17s %7s\n", "remove", rr, br, rr / br, "<=1.25", "-", "-");
    return 0;
}
