#include "MainWindow.h"

#include "Artwork.h"
#include "Bitmaps.h"
#include "FontCommands.h"
#include "FontPreview.h"
#include "InstallReport.h"
#include "Paths.h"

#include <windowsx.h>

#include <optional>

namespace mirvashel {

namespace {

constexpr wchar_t kClassName[] = L"Mirvashel";
constexpr DWORD kStyle = WS_POPUP | WS_BORDER | WS_CLIPCHILDREN; // thin fixed frame, no title bar
constexpr DWORD kExStyle = WS_EX_APPWINDOW;                      // a taskbar button all the same
constexpr int kIconResource = 1;
constexpr wchar_t kFontsFolderName[] = L"fonts";
constexpr wchar_t kMessageCaption[] = L"Mirvashel";
// The messages are Arabic: read right to left, aligned to the right.
constexpr UINT kMessageStyle = MB_OK | MB_ICONWARNING | MB_RIGHT | MB_RTLREADING;

// One size of the application icon. Shared: the module owns it for the
// process's lifetime, as a window class's icons must outlive every window.
HICON LoadAppIcon(int widthMetric, int heightMetric) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                                         GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric), LR_SHARED));
}

// Top-left corner of a window of that outer size centred on the screen.
POINT CentredOnScreen(int width, int height) {
    return {(GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2};
}

// The DPIs Windows uses lie between 50 % and 2000 % of 96; any program may
// post WM_DPICHANGED with another value, which would lay the window out at
// nothing or at gigabytes.
constexpr int kLeastDpi = 48, kMostDpi = 1920;

// The window Windows suggests on a DPI change: the window's outer size at the
// new DPI, placed where the scale changed. Any program may post the message
// with any lParam, so the rectangle is copied without trusting the pointer,
// and one far from the size the design gives at that DPI is no suggestion
// of Windows'.
std::optional<RECT> SuggestedWindow(LPARAM lp, const fx::Units& u) {
    RECT r{};
    SIZE_T read = 0;
    if (!ReadProcessMemory(GetCurrentProcess(), reinterpret_cast<LPCVOID>(lp), &r, sizeof r, &read) ||
        read != sizeof r)
        return std::nullopt;
    // In 64 bits: a made-up rectangle's sides may lie more than 2^31 apart.
    auto roughly = [](LONG from, LONG to, int expected) {
        const long long side = static_cast<long long>(to) - from;
        return side >= expected / 2 && side <= expected * 2LL;
    };
    if (!roughly(r.left, r.right, u.ToPixelsX(kOuterWidthTwips)) ||
        !roughly(r.top, r.bottom, u.ToPixelsY(kOuterHeightTwips)))
        return std::nullopt;
    return r;
}

} // namespace

MainWindow::MainWindow(Environment env)
    : Container(nullptr, fx::Units::FromScreen()), env_(std::move(env)), form_(kMainDesign, *this) {}

// The window goes while the object is whole, so the child windows go before
// their objects; unbound, so no handler runs on an object being destroyed
// (which is why the state and the accessible objects are marked gone here,
// not by the WM_DESTROY and WM_NCDESTROY handlers).
MainWindow::~MainWindow() {
    state_->alive = false;
    DisconnectAccessible();
    DestroyUnbound();
}

bool MainWindow::Create() {
    // The icons go to the class, so the window is created with them: set
    // later, each change makes the window system convert both sizes again.
    RegisterClassOnce(kClassName, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), LoadAppIcon(SM_CXICON, SM_CYICON),
                      LoadAppIcon(SM_CXSMICON, SM_CYSMICON));
    const fx::Units& u = units();
    RECT outer{0, 0, u.ToPixelsX(kDesignClientTwips), u.ToPixelsY(kDesignClientTwips)};
    AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
    // Placed where Show will centre it once the load handler has sized it,
    // so that showing it moves nothing: one window-manager round less.
    const POINT place = CentredOnScreen(u.ToPixelsX(kOuterWidthTwips), u.ToPixelsY(kOuterHeightTwips));
    if (!CreateWindowExW(kExStyle, kClassName, L"", kStyle, place.x, place.y, outer.right - outer.left,
                         outer.bottom - outer.top, nullptr, nullptr, GetModuleHandleW(nullptr), this))
        return false;
    // The monitor the window landed on decides its scale, which may not be
    // the primary screen's.
    form_.SetUnits(fx::Units::ForWindow(hwnd()));
    // The window's outer size as the load handler sets it.
    constexpr fx::TwipRect kFirstSeen{0, 0, kOuterWidthTwips, kOuterHeightTwips};
    form_.Create(&kFirstSeen);
    SetImages();
    OnLoad();
    return true;
}

void MainWindow::Show() {
    RECT r{};
    GetWindowRect(hwnd(), &r);
    const POINT centred = CentredOnScreen(r.right - r.left, r.bottom - r.top);
    if (centred.x != r.left || centred.y != r.top)
        SetWindowPos(hwnd(), nullptr, centred.x, centred.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    UpdateWindow(hwnd());
    // The first tab stop may not exist yet; focusing another one meanwhile
    // would draw its focus frame on screen for a moment.
    if (form_.Complete()) SetFocus(form_.NextTabStop(nullptr, false));
}

void MainWindow::CreateUnseenControls() {
    if (form_.Complete()) return;
    form_.CreateUnseen();
    // Unless the user has put the focus somewhere already.
    if (IsWindowVisible(hwnd()) && GetFocus() == hwnd()) SetFocus(form_.NextTabStop(nullptr, false));
}

void MainWindow::SetImages() {
    const int dpi = units().dpiY();
    const artwork::Scale& drawn = artwork::ForDpi(dpi);
    Get<fx::PictureBox>(kClosePicture).SetImage(fx::BitmapForDpi(drawn.close, drawn.dpi, dpi));
    Get<fx::PictureBox>(kWebLinkPicture).SetImage(fx::BitmapForDpi(drawn.webAddress, drawn.dpi, dpi));
}

std::wstring MainWindow::FontsFolder() const { return fx::JoinPath(env_.executableFolder, kFontsFolderName); }

// --- messages --------------------------------------------------------------

LRESULT MainWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
        OnCommand(LOWORD(wp), HIWORD(wp));
        return 0;
    case WM_SIZE:
        form_.Dock();
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(LOWORD(wp), HIWORD(wp), lp);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        OnMouseDown(wp, lp);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(wp, lp);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (!(wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) && GetCapture() == hwnd()) ReleaseCapture();
        return 0;
    case fx::kPreTranslateMessage:
        return PreTranslate(*reinterpret_cast<const MSG*>(lp));
    case WM_DESTROY:
        HandleContainerMessage(msg, wp, lp);
        if (env_.quitOnDestroy) PostQuitMessage(0);
        return 0;
    }
    if (const auto answer = HandleContainerMessage(msg, wp, lp)) return *answer;
    return DefaultProc(msg, wp, lp);
}

void MainWindow::OnDestroyed() { state_->alive = false; }

void MainWindow::OnCommand(int id, int code) {
    switch (form_.RowOfId(id)) {
    case kRemoveButton: if (code == BN_CLICKED) OnRemoveClick(); break;
    case kInstallButton: if (code == BN_CLICKED) OnInstallClick(); break;
    case kEndButton: if (code == BN_CLICKED) OnEndClick(); break;
    case kClosePicture: if (code == fx::kPictureClicked) OnEndClick(); break;
    case kWebLinkPicture: if (code == fx::kPictureClicked) OnWebLinkClick(); break;
    case kFontList: if (code == LBN_SELCHANGE) OnFontListClick(); break;
    case kFileList: if (code == LBN_SETFOCUS) Get<fx::FileList>(kFileList).ShowRows(); break;
    default: break;
    }
}

void MainWindow::OnDpiChanged(int dpiX, int dpiY, LPARAM suggestedWindow) {
    // Moved to a monitor of another scale, or the scale changed: everything
    // in twips is laid out again at the new DPI, in the place and size
    // Windows suggests (which keep the window under the pointer while
    // dragged). A message Windows cannot have sent changes nothing.
    for (const int dpi : {dpiX, dpiY})
        if (dpi < kLeastDpi || dpi > kMostDpi) return;
    const fx::Units units(dpiX, dpiY);
    const std::optional<RECT> suggested = SuggestedWindow(suggestedWindow, units);
    if (!suggested) return;
    if (form_.SetUnits(units)) SetImages();
    SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

bool MainWindow::PreTranslate(const MSG& msg) {
    // Tab order follows the tab indexes, not the stacking order, so the
    // dialog manager's Tab handling does not fit.
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB) return false;
    if (HWND next = form_.NextTabStop(GetFocus(), GetKeyState(VK_SHIFT) < 0)) form_.FocusByKeyboard(next);
    return true;
}

// --- dragging ----------------------------------------------------------------

void MainWindow::OnMouseDown(WPARAM, LPARAM lp) {
    const POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    if (IsOnLabel(pt)) return; // a label's own press, not the window's
    const fx::Units& u = units();
    drag_.OnPress(float(u.ToTwipsX(pt.x)), float(u.ToTwipsY(pt.y)));
    SetCapture(hwnd());
}

void MainWindow::OnMouseMove(WPARAM wp, LPARAM lp) {
    const POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    if (GetCapture() != hwnd() && IsOnLabel(pt)) return;
    const fx::Units& u = units();
    const auto shift = drag_.OnMove(ButtonsFromKeyState(unsigned(wp)), float(u.ToTwipsX(pt.x)), float(u.ToTwipsY(pt.y)));
    if (!shift) return;
    // Horizontal first, then vertical, as two position changes.
    RECT r{};
    GetWindowRect(hwnd(), &r);
    SetWindowPos(hwnd(), nullptr, u.ToPixelsX(u.ToTwipsX(r.left) - shift->dx), r.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRect(hwnd(), &r);
    SetWindowPos(hwnd(), nullptr, r.left, u.ToPixelsY(u.ToTwipsY(r.top) - shift->dy), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// --- commands ----------------------------------------------------------------

FontCommandTargets MainWindow::Targets() {
    CreateUnseenControls();
    return {Get<fx::FileList>(kFileList), Get<fx::ListBox>(kFontList), Get<fx::ListBox>(kRegisteredList),
            Get<fx::Label>(kCountLabel), Get<fx::PictureBox>(kDonePanel), holds_};
}

YieldFn MainWindow::PacedYield(fx::FrameYield& yield, std::shared_ptr<RunState> state) {
    return [&yield, state = std::move(state)](bool now) { return (now ? yield.Now() : yield()) && state->alive; };
}

// While either command runs, both are held off, whether pressed, keyed or
// invoked by a screen reader (all arrive as the button's click): an install
// during a run would register every file twice, or register what the
// running remove has just released; a remove during an install would
// release the files registered so far, after which the install registers
// the rest and its panel says that all fonts are installed.
void MainWindow::OnInstallClick() {
    if (state_->running) return;
    const std::shared_ptr<RunState> state = state_;
    state->running = true;
    const std::wstring folder = FontsFolder();
    fx::FrameYield yield;
    const InstallResult result = InstallFonts(Targets(), folder, PacedYield(yield, state));
    if (!state->alive) return; // the window has gone during the run: touch nothing
    state->running = false;
    if (const std::wstring report = InstallReport(result, folder, MessageBoxRoom(hwnd())); !report.empty())
        env_.messageBox(hwnd(), report.c_str(), kMessageCaption, kMessageStyle);
}

void MainWindow::OnRemoveClick() {
    if (state_->running) return;
    const std::shared_ptr<RunState> state = state_;
    state->running = true;
    fx::FrameYield yield;
    if (!RemoveFonts(Targets(), PacedYield(yield, state))) return; // the window has gone
    state->running = false;
}

void MainWindow::OnEndClick() { env_.endProgram(); }

void MainWindow::OnWebLinkClick() { OpenWebPage(hwnd(), env_.shellExecute); }

void MainWindow::OnFontListClick() { PreviewSelectedFont(Get<fx::ListBox>(kFontList), Get<fx::Label>(kCountLabel)); }

void MainWindow::AddFont(std::wstring sFontFile) { AddFontResourceW(sFontFile.c_str()); }

void MainWindow::RemoveFont(std::wstring sFontFile) { RemoveFontResourceW(sFontFile.c_str()); }

} // namespace mirvashel
