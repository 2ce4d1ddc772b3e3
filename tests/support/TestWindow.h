// A real main window for a test, with the program's outside effects (the
// shell, the end of the process, message boxes) recorded instead of done.
#pragma once

#include "MainWindow.h"
#include "TempFolder.h"

#include <memory>
#include <string>
#include <vector>

namespace testing_support {

struct ShellCall {
    std::wstring operation, file;
};

struct Recorded {
    std::vector<ShellCall> shellCalls;
    int endRequests = 0;
    std::vector<std::wstring> errors; // the message boxes' texts
    std::vector<UINT> errorStyles;    // and their styles
};

// What the current test window recorded (one window at a time per test).
Recorded& Record();

class TestWindow {
public:
    // A window whose executable folder is `folder`; shown unless told not to.
    explicit TestWindow(const std::wstring& folder, bool show = true);
    ~TestWindow();

    mirvashel::MainWindow& operator*() { return *window_; }
    mirvashel::MainWindow* operator->() { return window_.get(); }
    HWND hwnd() const { return window_->hwnd(); }

    template <class T>
    T& Get(mirvashel::Ctl row) { return window_->Get<T>(row); }

    // The window Windows suggests when the display scale becomes `dpi`: the
    // design's outer size at that DPI, moved by (dx, dy) from where it is.
    RECT SuggestedAt(int dpi, int dx = 0, int dy = 0) const;
    // Tells the window that its scale has become `dpi`, as Windows does.
    void ChangeDpi(int dpi, const RECT& suggested);

private:
    std::unique_ptr<mirvashel::MainWindow> window_;
};

} // namespace testing_support
