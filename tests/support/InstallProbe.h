// Watches an install run from inside: every path the run records in the
// registered list is seen as it is added (with the count label's caption at
// that moment), and a step callback then runs inside the yield that follows
// that file, where a user's click or a close would arrive. A run turns the
// queue once per frame, so with a step callback every recorded file is made
// to last a frame, as a large font would.
#pragma once

#include "TestWindow.h"

#include <functional>
#include <string>
#include <vector>

namespace testing_support {

class InstallProbe {
public:
    // step: 1 for the yield after the first file, 2 after the second, ...
    using StepFn = std::function<void(int step)>;
    explicit InstallProbe(TestWindow& window, StepFn onStep = {});
    ~InstallProbe();
    InstallProbe(const InstallProbe&) = delete;
    InstallProbe& operator=(const InstallProbe&) = delete;

    // The count label's caption when each path was recorded.
    const std::vector<std::wstring>& captionsAtRecord() const { return captions_; }
    int steps() const { return steps_; }
    // How many turns of the queue handled steps (seen as distinct captions).
    int turns() const { return turns_; }
    // Runs the step callback at the next turn of the queue, whatever runs.
    void PostStep(int step) const;

private:
    static LRESULT CALLBACK ListProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK ProbeProc(HWND, UINT, WPARAM, LPARAM);

    TestWindow& window_;
    StepFn onStep_;
    HWND list_ = nullptr;
    WNDPROC original_ = nullptr;
    HWND probe_ = nullptr;
    std::vector<std::wstring> captions_;
    int added_ = 0;
    int steps_ = 0;
    int turns_ = 0;
    std::wstring lastTurnCaption_;
};

} // namespace testing_support
