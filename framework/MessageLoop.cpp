#include "MessageLoop.h"

#include "Window.h"

namespace fx {

namespace {
void Dispatch(MSG& msg) {
    // Only our own windows are asked: to any other class (IME windows, the
    // hidden windows of the shell or COM) a WM_APP value means something else.
    if (HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr; root && GetPropW(root, kFrameworkWindowProp))
        if (SendMessageW(root, kPreTranslateMessage, 0, reinterpret_cast<LPARAM>(&msg))) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

// PM_NOYIELD: a handler that yields is busy, not idle; without it every
// empty look at the queue also gives up the processor (under Wine several
// times the cost of the look itself, paid once per installed file).
bool Drain(UINT filter) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD | filter)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(int(msg.wParam));
            return false;
        }
        Dispatch(msg);
    }
    return true;
}
} // namespace

int RunMessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) Dispatch(msg);
    return int(msg.wParam);
}

bool DoEvents() { return Drain(0); }

bool FrameYield::operator()() {
    const ULONGLONG now = GetTickCount64();
    if (now - lastPaint_ < kFrameMilliseconds) return Drain(PM_QS_INPUT | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE);
    lastPaint_ = now;
    return Drain(0);
}

void EndNow() { ExitProcess(0); }

} // namespace fx
