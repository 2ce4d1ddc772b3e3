#include "TestWindow.h"

#include "Pump.h"

namespace testing_support {

namespace {
HINSTANCE WINAPI RecordShellExecute(HWND owner, LPCWSTR op, LPCWSTR file, LPCWSTR params, LPCWSTR dir, INT show) {
    Record().shellCalls.push_back({owner, op ? op : L"", file ? file : L"", params ? params : L"", dir ? dir : L"",
                                   params == nullptr, dir == nullptr, show});
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
}

TestWindow::~TestWindow() { Destroy(); }

void TestWindow::Destroy() {
    window_.reset();
    Pump();
}

} // namespace testing_support
