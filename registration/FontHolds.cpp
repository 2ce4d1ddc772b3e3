#include "FontHolds.h"

#include "FileList.h"
#include "Handles.h"

namespace mirvashel {

namespace {

// The font file opened for reading, or empty when it cannot be opened or is
// not a file on disk, which is never registered.
fx::UniqueKernelHandle OpenFontFile(const std::wstring& path) {
    // Others may go on reading it, but none may write, rename or delete it
    // while the handle is open. Opening a pipe or a device this way does not
    // wait for the other end.
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    fx::UniqueKernelHandle owned(file);
    // A pipe, console or device (reached through a link, or a named pipe on
    // Wine's Unix side) would make Windows wait for data that may never come.
    if (GetFileType(file) != FILE_TYPE_DISK) return {};
    return owned;
}

// Whether the file is still what its listing showed, a plain file with
// content: it may have been replaced since, by a named pipe for instance,
// on which Windows would wait for good. A look at its attributes opens
// nothing and costs a fraction of the registration.
bool StillPlain(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    return GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) &&
           fx::ShowsPlainContent(data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow);
}

} // namespace

bool FontHolds::Register(const std::wstring& path, bool listedAsPlainFile) {
    // A file that its folder's listing showed as plain, with content, and
    // whose attributes still say so goes straight to Windows: a look of its
    // own (open, type, close) costs several times the registration. Anything
    // else is looked at first and held open while Windows registers it, so
    // the file registered is the one that was looked at.
    fx::UniqueKernelHandle file;
    if (!(listedAsPlainFile && StillPlain(path)) && !(file = OpenFontFile(path))) return false;
    if (!AddFontResourceW(path.c_str())) return false;
    // An install's paths usually come in the map's order: hinted at the end,
    // each one takes a comparison or two instead of a search.
    ++held_.try_emplace(held_.end(), path, 0)->second;
    return true;
}

bool FontHolds::Release(const std::wstring& path) {
    const auto held = held_.find(path);
    if (held == held_.end() || !RemoveFontResourceW(path.c_str())) return false;
    if (--held->second == 0) held_.erase(held);
    return true;
}

} // namespace mirvashel
