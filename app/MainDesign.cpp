#include "MainDesign.h"

#include "WebLink.h"

namespace mirvashel {

using namespace fx;

namespace {

constexpr BYTE kArabicCharset = 178;
constexpr FontDesign kTahoma{L"Tahoma", 9.75, kArabicCharset};
constexpr FontDesign kArabic24{L"Traditional Arabic", 24, kArabicCharset};
constexpr FontDesign kArabic2775{L"Traditional Arabic", 27.75, kArabicCharset};

constexpr Colour kWindowBack = SysColour(COLOR_WINDOW);
constexpr Colour kWindowText = SysColour(COLOR_WINDOWTEXT);
constexpr Colour kButtonFace = SysColour(COLOR_BTNFACE);
constexpr Colour kButtonText = SysColour(COLOR_BTNTEXT);
constexpr Colour kStripGrey = RgbColour(224, 224, 224);

// What screen readers say of the pictures, which show no text of their own.
constexpr AccessibleDesign kCloseAccess{AccessRole::Command, L"إغلاق", nullptr};
constexpr AccessibleDesign kWebLinkAccess{AccessRole::Link, L"موقعنا", kWebPageAddress};
constexpr AccessibleDesign kDonePanelAccess{AccessRole::Alert, nullptr, nullptr};

} // namespace

// clang-format off
const std::array<ControlDesign, kControlCount> kMainDesign{{
//   name         kind             container   left   top   width height  tab  visible text  font          back         fore         style                                pattern  accessible
    {L"Picture3", Kind::PictureBox, kOnWindow, {   75,   60,  360,  345}, 13, true,  nullptr, nullptr,      kWindowBack, kWindowText, kPlain,                              nullptr, &kCloseAccess},
    {L"Picture2", Kind::PictureBox, kOnWindow, {  585,  105, 1335,  270}, 12, true,  nullptr, nullptr,      kWindowBack, kWindowText, kPlain,                              nullptr, &kWebLinkAccess},
    {L"Command1", Kind::Button,     kOnWindow, {12300, 3180, 1365, 1035},  1, true,  L"Remove", nullptr,    kButtonFace, kButtonText, kPlain,                              nullptr},
    {L"Picture1", Kind::PictureBox, kOnWindow, {  945, 4425, 6120, 3795},  9, false, nullptr, nullptr,      kWindowBack, kWindowText, kBorder,                             nullptr, &kDonePanelAccess},
    {L"Command3", Kind::Button,     kDonePanel, { 2055, 2865, 1845,  495}, 11, true,  L"إنهاء", &kTahoma,    kButtonFace, kButtonText, kPlain,                              nullptr},
    {L"Label3",   Kind::Label,      kDonePanel, {  705,  285, 4710, 2550}, 10, true,
        L"تم تثبيت جميع الخطوط وستيم مسحها حال إعادة التشغيل؛ حتى لا تشغل حيزًا", &kArabic2775,
                                                                                    kWindowBack, kButtonText, kCentred | kRightToLeft | kTransparent, nullptr},
    {L"Command2", Kind::Button,     kOnWindow, { 2805, 3750, 1845,  495},  6, true,  L"تثبيت", &kTahoma,    kButtonFace, kButtonText, kPlain,                              nullptr},
    {L"Text1",    Kind::TextBox,    kOnWindow, {12165, 1590, 3225,  315},  5, false, L"",     nullptr,      kWindowBack, kWindowText, kPlain,                              nullptr},
    {L"List2",    Kind::ListBox,    kOnWindow, {12180, 2445, 3225,  615},  4, false, nullptr, nullptr,      kWindowBack, kWindowText, kSorted,                             nullptr},
    {L"Combo1",   Kind::ComboBox,   kOnWindow, {12180, 2085, 3225,  315},  3, false, L"Combo1", nullptr,    kWindowBack, kWindowText, kPlain,                              nullptr},
    {L"List1",    Kind::ListBox,    kOnWindow, {12375, 4605,  810, 3180},  2, true,  nullptr, nullptr,      kWindowBack, kWindowText, kSorted,                             nullptr},
    {L"File1",    Kind::FileList,   kOnWindow, {13260, 4665,  885, 3150},  0, true,  nullptr, nullptr,      kWindowBack, kWindowText, kPlain,                              kFontFilePattern},
    {L"Picture4", Kind::PictureBox, kOnWindow, {    0,    0, 7965,  525}, 14, true,  nullptr, nullptr,      kStripGrey,  kWindowText, kDockTop,                            nullptr},
    {L"Label2",   Kind::Label,      kOnWindow, {  585,  675, 6765, 2100},  8, true,  L"",     &kArabic24,   kButtonFace, kButtonText, kCentred | kRightToLeft,             nullptr},
    {L"Label1",   Kind::Label,      kOnWindow, { 2490, 2940, 2430,  600},  7, true,  L"عدد الخطوط", &kArabic24, kButtonFace, kButtonText, kCentred,                     nullptr},
}};
// clang-format on

} // namespace mirvashel
