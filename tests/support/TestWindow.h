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
    HWND owner;
    std::wstring operation, file, parameters, directory;
    bool parametersNull, directoryNull;
    int show;
};

struct Recorded {
    std::vector<ShellCall> shellCalls;
    int endRequests = 0;
    std::vector<std::wstring> errors;
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
    // Frees the window as the end of the process would; further calls see none.
    void Destroy();

    template <class T>
    T& Get(mirvashel::Ctl row) { return window_->Get<T>(row); }

private:
    std::unique_ptr<mirvashel::MainWindow> window_;
};

} // namespace testing_support
