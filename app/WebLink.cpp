#include "WebLink.h"

namespace mirvashel {

void OpenWebPage(HWND owner, ShellExecuteFn shellExecute) {
    // Empty parameters and directory are real empty strings, not nulls.
    shellExecute(owner, L"Open", kWebPageAddress, L"", L"", SW_SHOWNORMAL);
}

} // namespace mirvashel
