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
// times the cost of the look itself, paid at every turn of a long run).
bool Drain() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(int(msg.wParam));
            return false;
        }
        Dispatch(msg);
    }
    return true;
}
} // namespace

int RunMessageLoop(const std::function<void()>& atFirstIdle) {
    MSG msg;
    bool idleSeen = !atFirstIdle;
    for (;;) {
        if (!idleSeen && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            // Idle for a frame first, or until input comes: only a wait on
            // the queue marks the program idle to WaitForInputIdle everywhere
            // (a look that finds nothing does not under Wine), and whoever
            // waits for that should not have to catch a moment's wait.
            MsgWaitForMultipleObjectsEx(0, nullptr, DWORD(kFrameMilliseconds), QS_ALLINPUT, 0);
            idleSeen = true;
            atFirstIdle();
            continue;
        }
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) break;
        Dispatch(msg);
    }
    return int(msg.wParam);
}

bool DoEvents() { return Drain(); }

bool FrameYield::operator()() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now); // cheap, unlike a look at the queue
    if (now.QuadPart < nextTurn_) return true;
    return Now();
}

bool FrameYield::Now() {
    static const LONGLONG ticksPerFrame = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return frequency.QuadPart * kFrameMilliseconds / 1000;
    }();
    const bool going = Drain();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    // Counted from the end of this turn: a turn that ran a long handler still
    // leaves the loop a whole frame of work before the next.
    nextTurn_ = now.QuadPart + ticksPerFrame;
    return going;
}

void EndNow() { ExitProcess(0); }

} // namespace fx
