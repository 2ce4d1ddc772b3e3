#include "WebLink.h"

#include "SystemLibraries.h"

namespace mirvashel {

HINSTANCE WINAPI ShellExecuteOnFirstUse(HWND owner, LPCWSTR operation, LPCWSTR file, LPCWSTR parameters,
                                        LPCWSTR directory, INT show) {
    // Bound once and kept: a shell call may leave work behind that runs in
    // the library, so it is never unloaded.
    static const auto shellExecute =
        fx::ModuleFunction<ShellExecuteFn>(fx::LoadSystemLibrary(L"shell32.dll"), "ShellExecuteW");
    if (!shellExecute) return reinterpret_cast<HINSTANCE>(INT_PTR(SE_ERR_DLLNOTFOUND));
    return shellExecute(owner, operation, file, parameters, directory, show);
}

void OpenWebPage(HWND owner, ShellExecuteFn shellExecute) {
    // Empty parameters and directory are real empty strings, not nulls.
    shellExecute(owner, L"Open", kWebPageAddress, L"", L"", SW_SHOWNORMAL);
}

} // namespace mirvashel
