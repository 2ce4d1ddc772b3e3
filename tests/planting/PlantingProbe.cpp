// Imports Uniscribe the ordinary way, as the program once did: Windows then
// looks for usp10.dll in the program's folder first. The test starts it to
// show that a planted DLL is picked up under the search order it sets up.
#include <windows.h>

#include <usp10.h>

int main() {
    SCRIPT_STRING_ANALYSIS none = nullptr;
    ScriptStringFree(&none);
    return 0;
}
