// The load handler: runs once, after the controls exist and before the
// window is first shown.
#include "MainWindow.h"
#include "DecimalText.h"
#include "Paths.h"

namespace mirvashel {

namespace {
constexpr const wchar_t* kInstructionLines[] = {
    L"فضلا، قبل تثبيت الخطوط مؤقتًا",
    L"أغلق برنامجي الوورد والفوتوشوب",
    L"ثم اضغط تثبيت",
    L"",
};
constexpr wchar_t kLineBreak[] = L"\r\n";
constexpr wchar_t kCountedFolderName[] = L"VevoDider";
} // namespace

void MainWindow::OnLoad() {
    const fx::Units& u = units();
    SetWindowPos(hwnd(), nullptr, 0, 0, u.ToPixelsX(kOuterWidthTwips), u.ToPixelsY(kOuterHeightTwips),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    std::wstring instructions;
    for (const wchar_t* line : kInstructionLines) (instructions += line) += kLineBreak;
    Get<fx::Label>(kInstructionsLabel).SetCaption(instructions);

    Get<fx::PictureBox>(kDonePanel).MoveTo(kPanelLeftTwips, kPanelTopTwips);

    // A missing or unreadable folder leaves the count label's design caption.
    auto& files = Get<fx::FileList>(kFileList);
    if (files.SetPath(fx::JoinPath(env_.executableFolder, kCountedFolderName)) == ERROR_SUCCESS)
        Get<fx::Label>(kCountLabel).SetCaption(fx::DecimalText(files.FileCount()));
}

} // namespace mirvashel
