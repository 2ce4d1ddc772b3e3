#include "TestWindow.h"

#include "Pump.h"

namespace testing_support {

namespace {
HINSTANCE WINAPI RecordShellExecute(HWND, LPCWSTR op, LPCWSTR file, LPCWSTR, LPCWSTR, INT) {
    Record().shellCalls.push_back({op ? op : L"", file ? file : L""});
    return reinterpret_cast<HINSTANCE>(INT_PTR(42));
}
} // namespace

Recorded& Record() {
    static Recorded record;
    return record;
}

TestWindow::TestWindow(const std::wstring& folder, bool show) {
    Record() = {};
    mirvashel::MainWindow::Environment env;
    env.executableFolder = folder;
    env.shellExecute = &RecordShellExecute;
    env.endProgram = [] { ++Record().endRequests; };
    env.showError = [](const std::wstring& text) { Record().errors.push_back(text); };
    env.quitOnDestroy = false;
    window_ = std::make_unique<mirvashel::MainWindow>(std::move(env));
    window_->Create();
    if (show) window_->Show();
    Pump();
    window_->CreateUnseenControls(); // as the program's loop does once idle
    Pump();
}

TestWindow::~TestWindow() {
    window_.reset();
    Pump();
}

} // namespace testing_support
