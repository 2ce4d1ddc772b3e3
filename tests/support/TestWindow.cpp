#include "TestWindow.h"

#include "Pump.h"

namespace testing_support {

namespace {
HINSTANCE WINAPI RecordShellExecute(HWND, LPCWSTR op, LPCWSTR file, LPCWSTR, LPCWSTR, INT) {
    Record().shellCalls.push_back({op ? op : L"", file ? file : L""});
    return reinterpret_cast<HINSTANCE>(INT_PTR(42));
}

int WINAPI RecordMessageBox(HWND, LPCWSTR text, LPCWSTR, UINT style) {
    Record().errors.push_back(text);
    Record().errorStyles.push_back(style);
    return IDOK;
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
    env.messageBox = &RecordMessageBox;
    env.quitOnDestroy = false;
    window_ = std::make_unique<mirvashel::MainWindow>(std::move(env));
    window_->Create();
    if (show) window_->Show();
    Pump();
    window_->CreateUnseenControls(); // as the program's loop does once idle
    Pump();
}

RECT TestWindow::SuggestedAt(int dpi, int dx, int dy) const {
    RECT r{};
    GetWindowRect(hwnd(), &r);
    const fx::Units u(dpi, dpi);
    return {r.left + dx, r.top + dy, r.left + dx + u.ToPixelsX(mirvashel::kOuterWidthTwips),
            r.top + dy + u.ToPixelsY(mirvashel::kOuterHeightTwips)};
}

void TestWindow::ChangeDpi(int dpi, const RECT& suggested) {
    SendMessageW(hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    Pump();
}

TestWindow::~TestWindow() {
    window_.reset();
    Pump();
}

} // namespace testing_support
