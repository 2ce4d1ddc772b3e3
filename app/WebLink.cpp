#include "WebLink.h"

#include <string>

namespace mirvashel {

HINSTANCE WINAPI ShellExecuteOnFirstUse(HWND owner, LPCWSTR operation, LPCWSTR file, LPCWSTR parameters,
                                        LPCWSTR directory, INT show) {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetSystemDirectoryW(path.data(), MAX_PATH));
    // Loaded for good: a shell call may leave work behind that runs in it.
    HMODULE shell = path.empty() ? nullptr : LoadLibraryW((path + L"\\shell32.dll").c_str());
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
