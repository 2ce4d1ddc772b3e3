// The main window: a borderless-titled, fixed, 8000 x 5000 twip window with
// fifteen controls built from its design table, and the handlers behind them.
#pragma once

#include "Dragging.h"
#include "FileList.h"
#include "FontCommands.h"
#include "Form.h"
#include "MainDesign.h"
#include "MessageLoop.h"
#include "PictureBox.h"
#include "WebLink.h"
#include "Window.h"

#include <functional>
#include <memory>
#include <string>

namespace mirvashel {

class MainWindow : public fx::BaseWindow<MainWindow>, public fx::Container {
public:
    // What the window needs from the world; tests replace the effects.
    struct Environment {
        std::wstring executableFolder;
        ShellExecuteFn shellExecute = &ShellExecuteOnFirstUse;
        std::function<void()> endProgram = [] { fx::EndNow(); };
        // Shows one message box: its text, caption and style.
        int(WINAPI* messageBox)(HWND owner, LPCWSTR text, LPCWSTR caption, UINT style) = &MessageBoxW;
        bool quitOnDestroy = true; // false when several windows share a thread (tests)
    };

    explicit MainWindow(Environment env);
    ~MainWindow() override;
    HWND hwnd() const noexcept override { return BaseWindow::hwnd(); }

    // Creates the window hidden, builds its controls and runs the load handler.
    bool Create();
    // Shows the window centred on the screen and focuses the first tab stop.
    void Show();
    // Creates the controls nobody sees at first (they lie outside the window
    // or are hidden) and gives the focus to the first tab stop; the message
    // loop calls it once the first paint is done and the queue is empty.
    // Any command that needs them creates them first.
    void CreateUnseenControls();

    // Public operations: register or unregister one file (nothing recorded).
    void AddFont(std::wstring sFontFile);
    void RemoveFont(std::wstring sFontFile);

    template <class T>
    T& Get(Ctl row) { return form_.Get<T>(row); }
    const WindowDrag& drag() const noexcept { return drag_; }

    // The command handlers, as the controls' clicks run them.
    void OnInstallClick();
    void OnRemoveClick();
    void OnEndClick();
    void OnWebLinkClick();
    void OnFontListClick();

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnDestroyed() override;

private:
    void OnLoad();
    void OnCommand(int id, int code);
    void OnMouseDown(WPARAM wp, LPARAM lp);
    void OnMouseMove(WPARAM wp, LPARAM lp);
    void OnDpiChanged(int dpiX, int dpiY, LPARAM suggestedWindow);
    bool PreTranslate(const MSG& msg);
    void SetImages();
    std::wstring FontsFolder() const;
    FontCommandTargets Targets();

    // Outlives the window so a run in progress can tell that it has gone.
    struct RunState {
        bool alive = true;
        bool running = false; // an install or a remove
    };
    // Paces a run to the screen and stops it when the window has gone.
    static YieldFn PacedYield(fx::FrameYield& yield, std::shared_ptr<RunState> state);

    Environment env_;
    fx::Form form_;
    WindowDrag drag_;
    FontHolds holds_;
    // Not make_shared: its type tag links the exception runtime (LeanRuntime.cpp).
    std::shared_ptr<RunState> state_{new RunState};
};

} // namespace mirvashel
