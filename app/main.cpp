#include "MainWindow.h"
#include "MessageLoop.h"
#include "Paths.h"
#include "SystemLibraries.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    fx::RestrictDllSearchToSystemFolder();
    mirvashel::MainWindow window({.executableFolder = fx::ExecutableFolder()});
    if (!window.Create()) return 1;
    window.Show();
    return fx::RunMessageLoop([&window] { window.CreateUnseenControls(); });
}
