#include "MessageLoop.h"

namespace fx {

namespace {
void Dispatch(MSG& msg) {
    if (HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr)
        if (SendMessageW(root, kPreTranslateMessage, 0, reinterpret_cast<LPARAM>(&msg))) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}
} // namespace

int RunMessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) Dispatch(msg);
    return int(msg.wParam);
}

bool DoEvents() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(int(msg.wParam));
            return false;
        }
        Dispatch(msg);
    }
    return true;
}

void EndNow() { ExitProcess(0); }

} // namespace fx
