// Stands in for a system DLL (usp10.dll, version.dll, ...) that someone
// dropped beside the program. When any process loads it, it leaves a file
// beside itself. It exports the Uniscribe functions the program uses and
// the version functions that Wine 8's user32 imports (all as failures), so
// that a program importing them would load it and run.
#include <windows.h>

#include <string>

namespace {

void LeaveMarker(HMODULE self) {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(self, path.data(), DWORD(path.size())));
    path.replace(path.find_last_of(L'\\') + 1, std::wstring::npos, L"planted-dll-ran");
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

} // namespace

extern "C" {
__declspec(dllexport) HRESULT WINAPI ScriptStringAnalyse(HDC, const void*, int, int, int, DWORD, int, void*,
                                                         void*, const int*, void*, const BYTE*, void** ssa) {
    if (ssa) *ssa = nullptr;
    return E_FAIL;
}
__declspec(dllexport) HRESULT WINAPI ScriptStringFree(void**) { return E_FAIL; }
__declspec(dllexport) const SIZE* WINAPI ScriptString_pSize(void*) { return nullptr; }
__declspec(dllexport) HRESULT WINAPI ScriptStringOut(void*, int, int, UINT, const RECT*, int, int, BOOL) {
    return E_FAIL;
}
__declspec(dllexport) DWORD WINAPI GetFileVersionInfoSizeW(const wchar_t*, DWORD*) { return 0; }
__declspec(dllexport) BOOL WINAPI GetFileVersionInfoW(const wchar_t*, DWORD, DWORD, void*) { return FALSE; }
__declspec(dllexport) BOOL WINAPI VerQueryValueW(const void*, const wchar_t*, void**, UINT*) { return FALSE; }

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, void*) {
    if (reason == DLL_PROCESS_ATTACH) LeaveMarker(self);
    return TRUE;
}
}
