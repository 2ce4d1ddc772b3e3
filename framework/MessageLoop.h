// The message loop, a yield to it from inside a long handler, and the
// program's immediate end.
#pragma once

#include <windows.h>

#include <functional>

namespace fx {

// Sent to a top-level window of the framework (BaseWindow) with the MSG* in
// lParam before a queued message is dispatched; a nonzero reply means the
// window handled it (Tab keys).
inline constexpr UINT kPreTranslateMessage = WM_APP + 0x100;

// Runs until WM_QUIT; returns its exit code. atFirstIdle runs once, the
// first time the queue is found empty (the start-up is painted then).
int RunMessageLoop(const std::function<void()>& atFirstIdle = {});

// Handles every message that is waiting, then returns. False when WM_QUIT
// was seen: the program is ending and the caller should stop (the quit
// message is posted again for the outer loop).
bool DoEvents();

// How often a long run shows its progress: about one screen refresh.
inline constexpr unsigned kFrameMilliseconds = 16;

// A yield for a loop that runs for a long time, paced to the screen: it
// handles every waiting message (input, posted, sent and repaints) once a
// frame has passed since it last did, and otherwise only reads the clock.
// Under Wine every look at the queue is a round trip to the window system
// that costs about as much as a small step of work; a countdown repainted
// at the screen's pace shows all that one repainted per step would, and
// input waits at most one frame.
class FrameYield {
public:
    // Same contract as DoEvents; the first call always turns the queue.
    bool operator()();
    // Turns the queue now, whatever the clock says: after the last step, so
    // that what the loop left is painted and answered at once.
    bool Now();

private:
    LONGLONG nextTurn_ = 0; // performance-counter ticks
};

// Ends the process at once: no further handler runs.
[[noreturn]] void EndNow();

} // namespace fx
