#pragma once
// DLLs that are not among Windows' "known DLLs" are searched for in the
// program's folder first, where anyone may have dropped a file of that name
// (a Downloads folder). These load them from the system folder only.
#include <windows.h>

#include <initializer_list>

namespace fx {

// Makes later LoadLibrary calls search the system folder only, where
// Windows offers that (Windows 8, or 7 with its update); elsewhere a no-op.
void RestrictDllSearchToSystemFolder();

// Loads `name` (a bare file name such as L"usp10.dll") from the system
// folder and nowhere else; nullptr when it cannot.
HMODULE LoadSystemLibrary(const wchar_t* name);

// Loads each of `names` from the system folder for the rest of the process.
// System libraries load some of their helpers late, on first use, and such
// a load may search the program's folder whatever the program asked for;
// finding the name already loaded, it loads nothing. A name this Windows
// lacks is skipped.
void PreloadSystemLibraries(std::initializer_list<const wchar_t*> names);

// A function of a loaded module, as the type it is called through; nullptr
// when there is no module or it lacks the function.
template <class Fn>
Fn ModuleFunction(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

} // namespace fx
