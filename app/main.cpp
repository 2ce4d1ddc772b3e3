#include "MainWindow.h"
#include "MessageLoop.h"
#include "Paths.h"
#include "SystemLibraries.h"
#include "Units.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    fx::RestrictDllSearchToSystemFolder();
    fx::DeclareDpiAwareness(); // before the first window: Windows fixes it then
    mirvashel::MainWindow window({.executableFolder = fx::ExecutableFolder()});
    if (!window.Create()) return 1;
    window.Show();
    return fx::RunMessageLoop();
}
