#include "InstallReport.h"

#include "DecimalText.h"

namespace mirvashel {

namespace {

constexpr wchar_t kNoFontsFolder[] = L"لم يُعثر على مجلد الخطوط بجوار البرنامج:";
constexpr wchar_t kUnreadableFolder[] = L"تعذّرت قراءة مجلد الخطوط بجوار البرنامج، فلم يُثبَّت أي خط:";
constexpr wchar_t kSystemErrorNumber[] = L"رمز الخطأ: ";
constexpr wchar_t kRefusedFiles[] = L"لم يقبل ويندوز بعض ملفات الخطوط، فلم تُثبَّت.";
constexpr wchar_t kRefusedCount[] = L"عدد هذه الملفات: ";
constexpr wchar_t kMoreRefused[] = L"وملفات أخرى عددها ";
constexpr wchar_t kNewLine[] = L"\r\n";

// Paths and file names read left to right inside the right-to-left text.
std::wstring LeftToRight(const std::wstring& text) { return L"\u202A" + text + L"\u202C"; }

// The system's own words for an error, in the user's language.
std::wstring SystemReason(DWORD error) {
    wchar_t text[512];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                  text, DWORD(std::size(text)), nullptr);
    while (length > 0 && (text[length - 1] == L'\n' || text[length - 1] == L'\r' || text[length - 1] == L' '))
        --length;
    return length ? std::wstring(text, length) : kSystemErrorNumber + fx::DecimalText(error);
}

std::wstring RefusedFiles(const std::vector<std::wstring>& names) {
    std::wstring text = std::wstring(kRefusedFiles) + kNewLine + kRefusedCount + fx::DecimalText(names.size()) +
                        kNewLine;
    for (size_t i = 0; i < names.size() && i < kMaxNamedFiles; ++i) text += kNewLine + LeftToRight(names[i]);
    if (names.size() > kMaxNamedFiles)
        text += kNewLine + std::wstring(kMoreRefused) + fx::DecimalText(names.size() - kMaxNamedFiles);
    return text;
}

} // namespace

std::wstring InstallReport(const InstallResult& result, const std::wstring& fontsFolder) {
    switch (result.outcome) {
    case InstallOutcome::NoFontsFolder:
        return kNoFontsFolder + (kNewLine + LeftToRight(fontsFolder));
    case InstallOutcome::UnreadableFolder:
        return kUnreadableFolder + (kNewLine + LeftToRight(fontsFolder)) + kNewLine + SystemReason(result.folderError);
    case InstallOutcome::Completed:
        return result.refused.empty() ? std::wstring() : RefusedFiles(result.refused);
    case InstallOutcome::Interrupted:
        break;
    }
    return {};
}

} // namespace mirvashel
