#include "MainWindow.h"
#include "MessageLoop.h"
#include "Paths.h"

#include <cstdlib>

// The library's default terminate handler demangles the exception's type
// name for a console message, which links a whole demangler into the
// program; a window program has no console, so it just aborts.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
} // namespace __gnu_cxx

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    mirvashel::MainWindow window({.executableFolder = fx::ExecutableFolder()});
    if (!window.Create()) return 1;
    window.Show();
    return fx::RunMessageLoop();
}
