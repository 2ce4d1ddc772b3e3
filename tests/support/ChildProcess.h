// A built program started as a process of its own, for the tests that
// drive it from outside, as a user or another program would.
#pragma once

#include "Handles.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>

namespace testing_support {

// "inputs" beside the running test program: where the build puts what such a
// test starts, so that no build-machine path is baked in.
inline std::filesystem::path InputsFolder() {
    std::wstring self(32768, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), DWORD(self.size())));
    return std::filesystem::path(self).parent_path() / L"inputs";
}

// One still running when its owner goes (a step failed) is ended, so that no
// test leaves a process behind.
class Process {
public:
    Process() = default;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process() {
        if (!Running()) return;
        TerminateProcess(handle(), 1);
        WaitForEnd(10000);
    }

    // Starts `exe` in `folder`, with `argument` if given; false (GetLastError
    // tells) when it could not.
    bool Start(const std::filesystem::path& exe, const std::filesystem::path& folder,
               const std::wstring& argument = {}) {
        std::wstring commandLine = L"\"" + exe.wstring() + L"\"" + (argument.empty() ? L"" : L" " + argument);
        STARTUPINFOW startup{.cb = sizeof(STARTUPINFOW)};
        PROCESS_INFORMATION info{};
        if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                            &startup, &info))
            return false;
        CloseHandle(info.hThread);
        handle_.reset(info.hProcess);
        id_ = info.dwProcessId;
        return true;
    }
    HANDLE handle() const noexcept { return handle_.get(); }
    DWORD id() const noexcept { return id_; }
    bool Running() const { return handle_ && WaitForSingleObject(handle(), 0) == WAIT_TIMEOUT; }
    bool WaitForEnd(DWORD milliseconds) const { return handle_ && WaitForSingleObject(handle(), milliseconds) == WAIT_OBJECT_0; }
    DWORD ExitCode() const {
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(handle(), &code);
        return code;
    }

private:
    fx::UniqueKernelHandle handle_;
    DWORD id_ = 0;
};

// Polls `done`, dispatching this thread's own messages in between (that is
// how messages posted to this process's windows arrive). It also waits on
// `program` and gives up at once when that has ended, rather than sitting
// out the bound.
inline bool WaitUntil(const Process& program, const std::function<bool()>& done, DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    const HANDLE process = program.handle();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        if (done()) return true;
        const ULONGLONG now = GetTickCount64();
        if (!program.Running() || now >= end) return false;
        MsgWaitForMultipleObjects(1, &process, FALSE, DWORD(std::min<ULONGLONG>(end - now, 10)), QS_ALLINPUT);
    }
}

// A visible top-level window of the process: its main window, or a message box ("#32770").
inline HWND VisibleWindowOf(DWORD processId, const wchar_t* className) {
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, className, nullptr));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == processId && IsWindowVisible(w)) return w;
    }
    return nullptr;
}

} // namespace testing_support
