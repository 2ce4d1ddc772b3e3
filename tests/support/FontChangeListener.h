// A top-level window standing in for another running program: it counts the
// WM_FONTCHANGE notices that reach it.
#pragma once

#include "Handles.h"

namespace testing_support {

class FontChangeListener {
public:
    FontChangeListener();
    // The notices so far, after dispatching this thread's messages until
    // `expected` have come (or a few seconds have passed) and a little longer,
    // so that a surplus notice shows too.
    int CountAfterWaitingFor(int expected);

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    fx::UniqueWindow hwnd_;
    int count_ = 0;
};

} // namespace testing_support
