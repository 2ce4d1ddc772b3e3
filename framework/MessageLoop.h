// The message loop, a yield to it from inside a long handler, and the
// program's immediate end.
#pragma once

#include <windows.h>

namespace fx {

// Sent to a top-level window of the framework (BaseWindow) with the MSG* in
// lParam before a queued message is dispatched; a nonzero reply means the
// window handled it (Tab keys).
inline constexpr UINT kPreTranslateMessage = WM_APP + 0x100;

// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop();

// Handles every message that is waiting, then returns. False when WM_QUIT
// was seen: the program is ending and the caller should stop (the quit
// message is posted again for the outer loop).
bool DoEvents();

// How often a long run shows its progress: about one screen refresh.
inline constexpr unsigned kFrameMilliseconds = 16;

// A yield for a loop that runs for a long time: input, posted and sent
// messages are handled at every call, repaints at most once per frame. A
// countdown label redrawn thousands of times a second shows nothing more
// than one redrawn at the screen's pace, and costs far more.
class FrameYield {
public:
    // Same contract as DoEvents.
    bool operator()();

private:
    ULONGLONG lastPaint_ = 0;
};

// Ends the process at once: no further handler runs.
[[noreturn]] void EndNow();

} // namespace fx
