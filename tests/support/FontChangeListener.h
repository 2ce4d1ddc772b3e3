// A top-level window standing in for another running program: it counts the
// WM_FONTCHANGE notices that reach it. It lives on a thread of its own, as
// another program's window would, so a notice that was sent (the sender
// blocked until this window answered) can be told from one that was posted.
#pragma once

#include <windows.h>

#include <atomic>

namespace testing_support {

class FontChangeListener {
public:
    FontChangeListener();
    ~FontChangeListener();
    FontChangeListener(const FontChangeListener&) = delete;
    FontChangeListener& operator=(const FontChangeListener&) = delete;

    // The posted notices so far, after waiting until `expected` have come (or
    // a few seconds have passed, or the sending process has ended) and a
    // little longer.
    int CountAfterWaitingFor(int expected, HANDLE sender);
    // Notices that arrived through a send: a broadcast sent that way hangs the
    // sender on any top-level window that does not answer.
    int SentCount() const { return sent_; }

private:
    static DWORD WINAPI Run(void* self);
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    std::atomic<int> posted_{0}, sent_{0};
    std::atomic<HWND> hwnd_{nullptr};
    HANDLE ready_ = nullptr, thread_ = nullptr;
};

} // namespace testing_support
