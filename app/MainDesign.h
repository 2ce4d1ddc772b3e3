// The main window's design: its fifteen controls in creation order.
#pragma once

#include "Design.h" // the framework's design types

#include <array>

namespace mirvashel {

// Rows of the design table; the order is creation and stacking order.
enum Ctl : int {
    Picture3, Picture2, Command1, Picture1, Command3, Label3, Command2, Text1,
    List2, Combo1, List1, File1, Picture4, Label2, Label1, kControlCount
};

extern const std::array<fx::ControlDesign, kControlCount> kMainDesign;

// The font files the program registers and counts (File1's pattern):
// TrueType, OpenType and collections, which Windows registers alike.
inline constexpr wchar_t kFontFilePattern[] = L"*.ttf;*.otf;*.ttc";

// The window itself.
inline constexpr int kDesignClientTwips = 7965;   // client width and height at design
inline constexpr int kOuterWidthTwips = 8000;     // set at load
inline constexpr int kOuterHeightTwips = 5000;
inline constexpr int kPanelLeftTwips = 795;       // where load puts the completion panel
inline constexpr int kPanelTopTwips = 615;

} // namespace mirvashel
