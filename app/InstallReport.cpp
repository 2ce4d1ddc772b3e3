#include "InstallReport.h"

#include "DecimalText.h"

#include <algorithm>

namespace mirvashel {

namespace {

constexpr wchar_t kNoFontsFolder[] = L"لم يُعثر على مجلد الخطوط بجوار البرنامج:";
constexpr wchar_t kUnreadableFolder[] = L"تعذّرت قراءة مجلد الخطوط بجوار البرنامج، فلم يُثبَّت أي خط:";
constexpr wchar_t kSystemErrorNumber[] = L"رمز الخطأ: ";
constexpr wchar_t kRefusedFiles[] = L"لم يقبل ويندوز بعض ملفات الخطوط، فلم تُثبَّت.";
constexpr wchar_t kRefusedCount[] = L"عدد هذه الملفات: ";
constexpr wchar_t kMoreRefused[] = L"وملفات أخرى عددها ";
constexpr wchar_t kNoFontFiles[] =
    L"لا يحوي مجلد الخطوط ولا المجلدات التي فيه أي ملف خط (\u202A.ttf\u202C أو \u202A.otf\u202C أو \u202A.ttc\u202C):";
constexpr wchar_t kOtherFiles[] = L"وفيه ملفات أخرى من هذه الأنواع:";
constexpr wchar_t kNoExtension[] = L"بلا امتداد";
constexpr wchar_t kTimes[] = L" \u00D7";
constexpr wchar_t kMoreKinds[] = L"وأنواع أخرى عددها ";
// Above the list of names or kinds: the sentence, the count or the folder,
// and a blank line or the sentence about the other files.
constexpr size_t kLinesBesideNames = 3;
constexpr wchar_t kNewLine[] = L"\r\n";

// Paths and file names read left to right inside the right-to-left text.
std::wstring LeftToRight(const std::wstring& text) { return L"\u202A" + text + L"\u202C"; }

// Characters that reorder the text around them, as anyone may put in a file
// name: "invoice<RLO>fdp.ttf" would show as a PDF file. Shown as their code.
bool ReordersText(wchar_t c) {
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

std::wstring ShownPlainly(const std::wstring& name) {
    constexpr wchar_t kHexDigits[] = L"0123456789ABCDEF";
    std::wstring shown;
    for (const wchar_t c : name) {
        if (!ReordersText(c)) {
            shown += c;
            continue;
        }
        shown += L"<U+";
        for (int shift = 12; shift >= 0; shift -= 4) shown += kHexDigits[(c >> shift) & 0xF];
        shown += L'>';
    }
    return shown;
}

// The system's own words for an error, in the user's language.
std::wstring SystemReason(DWORD error) {
    wchar_t text[512];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                  text, DWORD(std::size(text)), nullptr);
    while (length > 0 && (text[length - 1] == L'\n' || text[length - 1] == L'\r' || text[length - 1] == L' '))
        --length;
    return length ? std::wstring(text, length) : kSystemErrorNumber + fx::DecimalText(error);
}

// How many names the message lists: all when they fit, else as many as fit
// beside the line that counts the rest.
size_t NamedFiles(size_t refused, size_t lines) {
    const size_t nameLines = lines > kLinesBesideNames ? lines - kLinesBesideNames : 0;
    if (refused <= std::min(kMaxNamedFiles, nameLines)) return refused;
    return std::min(kMaxNamedFiles, nameLines > 0 ? nameLines - 1 : 0);
}

std::wstring RefusedFiles(const std::vector<std::wstring>& names, const ReportRoom& room) {
    std::wstring text = std::wstring(kRefusedFiles) + kNewLine + kRefusedCount + fx::DecimalText(names.size()) +
                        kNewLine;
    const size_t named = NamedFiles(names.size(), room.lines);
    for (size_t i = 0; i < named; ++i)
        text += kNewLine + LeftToRight(room.fitName ? room.fitName(ShownPlainly(names[i])) : ShownPlainly(names[i]));
    if (names.size() > named) text += kNewLine + std::wstring(kMoreRefused) + fx::DecimalText(names.size() - named);
    return text;
}

// Someone who dropped a zip or web fonts into the folder learns why nothing
// was installed.
std::wstring NothingToInstall(const InstallResult& result, const std::wstring& fontsFolder, const ReportRoom& room) {
    const auto fit = [&](const std::wstring& text) { return room.fitName ? room.fitName(text) : text; };
    std::wstring text = kNoFontFiles + (kNewLine + LeftToRight(fit(fontsFolder)));
    const auto& kinds = result.otherFiles;
    if (kinds.empty()) return text;
    text += kNewLine + std::wstring(kOtherFiles);
    const size_t named = NamedFiles(kinds.size(), room.lines);
    for (size_t i = 0; i < named; ++i) {
        const std::wstring count = kTimes + fx::DecimalText(kinds[i].second);
        text += kNewLine + (kinds[i].first.empty() ? kNoExtension + count : LeftToRight(fit(kinds[i].first) + count));
    }
    if (kinds.size() > named) text += kNewLine + std::wstring(kMoreKinds) + fx::DecimalText(kinds.size() - named);
    return text;
}

} // namespace

std::wstring InstallReport(const InstallResult& result, const std::wstring& fontsFolder, const ReportRoom& room) {
    switch (result.outcome) {
    case InstallOutcome::NoFontsFolder:
        return kNoFontsFolder + (kNewLine + LeftToRight(ShownPlainly(fontsFolder)));
    case InstallOutcome::UnreadableFolder:
        return kUnreadableFolder + (kNewLine + LeftToRight(ShownPlainly(fontsFolder))) + kNewLine +
               SystemReason(result.folderError);
    case InstallOutcome::Completed:
        if (result.foundNone) return NothingToInstall(result, fontsFolder, room);
        return result.refused.empty() ? std::wstring() : RefusedFiles(result.refused, room);
    case InstallOutcome::Interrupted:
        break;
    }
    return {};
}

} // namespace mirvashel
