// The web-address picture opens our web page in the user's browser.
#pragma once

#include <windows.h>
#include <shellapi.h>

namespace mirvashel {

// A reserved example domain: no third party receives our users' clicks.
inline constexpr wchar_t kWebPageAddress[] = L"http://example.com/Site/_Pages.php?Series=89";

using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);

// ShellExecuteW, bound on its first call from the shell library in the
// system folder. The shell library and the libraries it brings in cost every
// start-up a few milliseconds, for a call most runs never make. Fails with
// SE_ERR_DLLNOTFOUND when the library or the function cannot be had.
HINSTANCE WINAPI ShellExecuteOnFirstUse(HWND owner, LPCWSTR operation, LPCWSTR file, LPCWSTR parameters,
                                        LPCWSTR directory, INT show);

// One shell call per click; the shell does not wait for the browser and the
// result is not looked at.
void OpenWebPage(HWND owner, ShellExecuteFn shellExecute);

} // namespace mirvashel
