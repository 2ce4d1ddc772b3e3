// The install and remove commands: register every font file of the fonts
// folder and its sub-folders with a countdown, and unregister every path
// that was recorded.
#pragma once

#include "Controls.h"
#include "FileList.h"
#include "FontHolds.h"

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace mirvashel {

// What the commands work on.
struct FontCommandTargets {
    fx::FileList& fileList;
    fx::ListBox& fontList;
    fx::ListBox& registeredList; // every path handed to Windows, sorted, never cleared
    fx::Label& countLabel;
    fx::Control& donePanel;
    FontHolds& holds;            // what this program registered and has not released
};

enum class InstallOutcome {
    Completed,
    NoFontsFolder,     // nothing was touched
    UnreadableFolder,  // the folder exists but could not be listed in full; nothing was touched
    Interrupted,       // the program is ending; the fonts registered so far stay registered
};

struct InstallResult {
    InstallOutcome outcome;
    DWORD folderError = ERROR_SUCCESS;  // why the folder could not be listed
    std::vector<std::wstring> refused;  // file names Windows did not accept, in run order
    bool foundNone = false;             // the folder and its sub-folders held no font file
    // Then: their other files, as (extension with its dot in lower case, ""
    // for none; how many), the most frequent first.
    std::vector<std::pair<std::wstring, size_t>> otherFiles;
};

// Gives the message queue a turn once a frame has passed since the last one,
// or at once when `now` is set; false when the run must stop because the
// window is gone.
using YieldFn = std::function<bool(bool now)>;

InstallResult InstallFonts(const FontCommandTargets& targets, const std::wstring& fontsFolder, const YieldFn& yield);
// Unregisters what the recorded rows hold, as they were when it started;
// false when the window went during the run.
bool RemoveFonts(const FontCommandTargets& targets, const YieldFn& yield);

// Tells every top-level window that the font table changed, without waiting
// for any of them.
void AnnounceFontChange();

} // namespace mirvashel
