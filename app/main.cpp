#include "MainWindow.h"
#include "MessageLoop.h"
#include "Paths.h"
#include "SystemLibraries.h"
#include "Units.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    fx::RestrictDllSearchToSystemFolder();
    // Not "known DLLs", and loaded late by system libraries on the program's
    // behalf (msimg32 on the first AlphaBlend, which the report's message box
    // draws with; dwmapi by the theme code, cryptbase by the security code,
    // version by the shell), in a way that may search the program's folder:
    // so loaded from the system folder before any window exists. A few
    // milliseconds under Wine.
    fx::PreloadSystemLibraries({L"msimg32.dll", L"dwmapi.dll", L"cryptbase.dll", L"version.dll"});
    fx::DeclareDpiAwareness(); // before the first window: Windows fixes it then
    mirvashel::MainWindow window({.executableFolder = fx::ExecutableFolder()});
    if (!window.Create()) return 1;
    window.Show();
    return fx::RunMessageLoop([&window] { window.CreateUnseenControls(); });
}
