// Loads the DLL named on its command line the ordinary way, as a program
// that imports it or a system library loading it late would: Windows then
// looks in the program's folder first. The test starts it to show that a
// planted DLL of that name is picked up under the search order it sets up.
#include <windows.h>

int wmain(int argc, wchar_t** argv) { return argc == 2 && LoadLibraryW(argv[1]) ? 0 : 1; }
