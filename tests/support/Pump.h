// Drives the message queue between test steps. Keys are not offered to the
// window first as the program's own loops do: the keyboard's tests go
// through those loops themselves.
#pragma once

#include <windows.h>

namespace testing_support {

// Dispatches every waiting message (a WM_QUIT from a closed test window is
// dropped: the tests' own thread is not ending).
void Pump();
// A left click in a control: press and release at a point inside it. Sent,
// not posted, so it has happened when this returns.
void Click(HWND control, int x = 2, int y = 2);
// Keeps dispatching for a while: for effects that arrive late (repaints).
void PumpFor(DWORD milliseconds);

} // namespace testing_support
