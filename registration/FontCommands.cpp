#include "FontCommands.h"

#include "DecimalText.h"
#include "FileTree.h"
#include "FontLoadM.h"
#include "Paths.h"

#include <cwchar>
#include <utility>

namespace mirvashel {

namespace {

// The count label holds a whole number while a run counts it down.
long long CaptionNumber(const fx::Label& label) {
    return std::wcstoll(label.Caption().c_str(), nullptr, 10);
}

void RefillFontList(fx::ListBox& fontList) {
    FontLoadM::FillListWithFonts(fontList);
    fontList.Select(0); // the selection change runs the preview
}

// The file list shows the folder itself: the files of the tree that lie in it,
// in the same order.
std::vector<fx::ListedFile> TopLevel(const std::vector<fx::ListedFile>& files) {
    std::vector<fx::ListedFile> top;
    for (const fx::ListedFile& file : files)
        if (file.name.find(L'\\') == std::wstring::npos) top.push_back(file);
    return top;
}

} // namespace

InstallResult InstallFonts(const FontCommandTargets& t, const std::wstring& fontsFolder, const YieldFn& yield) {
    // The whole tree is read before anything is touched: the count starts
    // from the number of files the run registers. A deep or crowded tree
    // takes a while, so the queue turns meanwhile.
    fx::FileTree tree;
    const DWORD error = fx::ListMatchingTree(fontsFolder, t.fileList.Pattern(), tree, [&] { return yield(false); });
    if (error == ERROR_CANCELLED) return {InstallOutcome::Interrupted};
    if (error != ERROR_SUCCESS)
        return {error == ERROR_PATH_NOT_FOUND ? InstallOutcome::NoFontsFolder : InstallOutcome::UnreadableFolder, error};
    t.fileList.SetPath(fontsFolder, TopLevel(tree.files));

    RefillFontList(t.fontList);
    const int count = int(tree.files.size());
    t.countLabel.SetCaption(fx::DecimalText(count));

    InstallResult result{InstallOutcome::Completed};
    if (count == 0) {
        result.foundNone = true;
        result.otherFiles = std::move(tree.others);
    }
    // The record of registered paths is never shown: without redrawing it
    // skips its scroll-bar and repaint upkeep for every row it gains.
    fx::ListBox::BatchUpdate quietRecord(t.registeredList, count);
    fx::ListBox::OrderedAppend record(t.registeredList); // the files come in name order
    if (!yield(true)) return {InstallOutcome::Interrupted}; // the count is shown before the first file
    for (int i = 0; i < count; ++i) {
        // The file list lies outside the window, so nobody sees its highlight
        // walk; moving it per file scrolls the list each time, which costs
        // more than registering the font. It ends on its last file, as a
        // walk would leave it.
        if (i + 1 == count && t.fileList.FileCount() > 0) t.fileList.Select(t.fileList.FileCount() - 1);
        const fx::ListedFile& file = tree.files[size_t(i)];
        const std::wstring path = fx::JoinPath(fontsFolder, file.name);
        // A refused file is still recorded and counted, and named afterwards.
        if (!t.holds.Register(path, file.plain)) result.refused.push_back(file.name);
        record(path);
        // Painted at the next turn of the queue; the last value at once.
        t.countLabel.SetCaption(fx::DecimalText(CaptionNumber(t.countLabel) - 1));
        if (!yield(i + 1 == count)) return {InstallOutcome::Interrupted};
    }
    t.donePanel.SetVisible(true);
    AnnounceFontChange();
    return result;
}

bool RemoveFonts(const FontCommandTargets& t, const YieldFn& yield) {
    // Taken once: while the queue turns, nothing the walk relies on changes.
    const std::vector<std::wstring> rows = t.registeredList.Rows();
    bool going = true;
    for (size_t i = 0; going && i < rows.size(); ++i) {
        // Only what this program still holds: the rest of a file's
        // registrations belong to other programs.
        t.holds.Release(rows[i]);
        going = yield(i + 1 == rows.size());
    }
    if (going) {
        // The record is never shown: the selection ends where a walk
        // selecting each row would leave it, without scrolling per row.
        if (!rows.empty()) t.registeredList.Select(int(rows.size()) - 1);
        RefillFontList(t.fontList);
    }
    AnnounceFontChange(); // also after a cut-short run: what was released is gone
    return going;
}

void AnnounceFontChange() { PostMessageW(HWND_BROADCAST, WM_FONTCHANGE, 0, 0); }

} // namespace mirvashel
