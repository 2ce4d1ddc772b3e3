#include "WebLink.h"

#include "SystemLibraries.h"

namespace mirvashel {

HINSTANCE WINAPI ShellExecuteOnFirstUse(HWND owner, LPCWSTR operation, LPCWSTR file, LPCWSTR parameters,
                                        LPCWSTR directory, INT show) {
    // Loaded for good: a shell call may leave work behind that runs in it.
    const HMODULE shell = fx::LoadSystemLibrary(L"shell32.dll");
    const auto shellExecute =
        shell ? reinterpret_cast<ShellExecuteFn>(reinterpret_cast<void (*)()>(GetProcAddress(shell, "ShellExecuteW")))
              : nullptr;
    if (!shellExecute) return reinterpret_cast<HINSTANCE>(INT_PTR(SE_ERR_DLLNOTFOUND));
    return shellExecute(owner, operation, file, parameters, directory, show);
}

void OpenWebPage(HWND owner, ShellExecuteFn shellExecute) {
    // Empty parameters and directory are real empty strings, not nulls.
    shellExecute(owner, L"Open", kWebPageAddress, L"", L"", SW_SHOWNORMAL);
}

} // namespace mirvashel
