// The main window's design: its fifteen controls in creation order.
#pragma once

#include "Design.h" // the framework's design types

#include <array>

namespace mirvashel {

// Rows of the design table, named for their role (the table's name column
// keeps the designer's names); the order is creation and stacking order.
enum Ctl : int {
    kClosePicture, kWebLinkPicture, kRemoveButton, kDonePanel, kEndButton, kDoneLabel, kInstallButton, kSpareTextBox,
    kRegisteredList, kSpareComboBox, kFontList, kFileList, kTitleStrip, kInstructionsLabel, kCountLabel, kControlCount
};

extern const std::array<fx::ControlDesign, kControlCount> kMainDesign;

// The font files the program registers and counts (the file list's pattern):
// TrueType, OpenType and collections, which Windows registers alike.
inline constexpr wchar_t kFontFilePattern[] = L"*.ttf;*.otf;*.ttc";

// The window itself.
inline constexpr int kDesignClientTwips = 7965;   // client width and height at design
inline constexpr int kOuterWidthTwips = 8000;     // set at load
inline constexpr int kOuterHeightTwips = 5000;
inline constexpr int kPanelLeftTwips = 795;       // where load puts the completion panel
inline constexpr int kPanelTopTwips = 615;

} // namespace mirvashel
