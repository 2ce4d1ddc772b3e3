// Drives the message queue between test steps, as the real loop would.
#pragma once

#include <windows.h>

namespace testing_support {

// Dispatches every waiting message (a WM_QUIT from a closed test window is
// dropped: the tests' own thread is not ending).
void Pump();
// Keeps dispatching for a while: for effects that arrive late (repaints).
void PumpFor(DWORD milliseconds);

} // namespace testing_support
