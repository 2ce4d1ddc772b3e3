// What the user is told after a press of the install button, beyond the
// count and the completion panel.
#pragma once

#include "FontCommands.h"

#include <string>

namespace mirvashel {

// How many refused files a report names; past that it says how many more.
// A longer list would not fit on the screen.
inline constexpr size_t kMaxNamedFiles = 20;

// The text of one message box, or empty when all went as the panel says
// (every file accepted, an empty folder, or a run cut short by the end of
// the program).
std::wstring InstallReport(const InstallResult& result, const std::wstring& fontsFolder);

} // namespace mirvashel
