// What the user is told after a press of the install button, beyond the
// count and the completion panel.
#pragma once

#include "FontCommands.h"

#include <cstddef>
#include <functional>
#include <limits>
#include <string>

namespace mirvashel {

// How much the message box may hold and still fit on the screen: its number
// of lines, and a way to shorten a file name to the width one line may take
// (unchanged when empty).
struct ReportRoom {
    size_t lines = std::numeric_limits<size_t>::max();
    std::function<std::wstring(const std::wstring&)> fitName;
};

// How many refused files a report names at most (a longer list is hard to
// read); past that, or past what fits the screen, it says how many more.
inline constexpr size_t kMaxNamedFiles = 20;

// The room a message box shown over `owner` has on the work area of the
// monitor that window is on, at that monitor's scale.
ReportRoom MessageBoxRoom(HWND owner);

// The text of one message box, or empty when all went as the panel says
// (every file accepted, or a run cut short by the end of the program).
// Refused files are named up to a fixed number and as many as `room` holds,
// then counted; so are the kinds of other files in a folder that held no
// font file.
std::wstring InstallReport(const InstallResult& result, const std::wstring& fontsFolder, const ReportRoom& room = {});

} // namespace mirvashel
