// The web-address picture opens our web page in the user's browser.
#pragma once

#include <windows.h>
#include <shellapi.h>

namespace mirvashel {

// A reserved example domain: no third party receives our users' clicks.
inline constexpr wchar_t kWebPageAddress[] = L"http://example.com/Site/_Pages.php?Series=89";

using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);

// One shell call per click; the shell does not wait for the browser and the
// result is not looked at.
void OpenWebPage(HWND owner, ShellExecuteFn shellExecute);

} // namespace mirvashel
