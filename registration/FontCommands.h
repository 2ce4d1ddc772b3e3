// The install and remove commands: register every font file of the fonts
// folder with a countdown, and unregister every path that was recorded.
#pragma once

#include "Controls.h"
#include "FileList.h"

#include <functional>
#include <string>

namespace mirvashel {

// The controls the commands work on.
struct FontCommandTargets {
    fx::FileList& fileList;      // File1
    fx::ListBox& fontList;       // List1
    fx::ListBox& registeredList; // List2: every path handed to Windows, sorted, never cleared
    fx::Label& countLabel;       // Label1
    fx::Control& donePanel;      // Picture1
};

enum class InstallOutcome {
    Completed,
    NoFontsFolder, // nothing was touched
    Interrupted,   // the program is ending; the fonts registered so far stay registered
};

// Gives the message queue a turn; false when the run must stop because the
// window is gone.
using YieldFn = std::function<bool()>;

InstallOutcome InstallFonts(const FontCommandTargets& targets, const std::wstring& fontsFolder, const YieldFn& yield);
void RemoveFonts(const FontCommandTargets& targets);

// Tells every top-level window that the font table changed, without waiting
// for any of them.
void AnnounceFontChange();

} // namespace mirvashel
