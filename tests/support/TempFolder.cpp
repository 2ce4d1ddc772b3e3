#include "TempFolder.h"

#include <windows.h>

#include <atomic>
#include <fstream>
#include <cstdio>

namespace testing_support {

namespace fs = std::filesystem;

TempFolder::TempFolder(std::wstring_view name) {
    static std::atomic<int> counter{0};
    path_ = fs::temp_directory_path() /
            (std::wstring(name) + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter));
    fs::remove_all(path_);
    fs::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    // Attributes set by a test (read-only, hidden) must not block the removal.
    for (auto it = fs::recursive_directory_iterator(path_, ignored); it != fs::recursive_directory_iterator();
         it.increment(ignored))
        SetFileAttributesW(it->path().c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove_all(path_, ignored);
}

fs::path TempFolder::MakeDir(const fs::path& relative) const {
    fs::create_directories(path_ / relative);
    return path_ / relative;
}

fs::path TempFolder::Write(const fs::path& relative, std::string_view bytes) const {
    const fs::path target = path_ / relative;
    fs::create_directories(target.parent_path());
    std::ofstream(target, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    return target;
}

fs::path TempFolder::CopyTestFont(std::wstring_view fontFile, const fs::path& relative) const {
    const fs::path target = path_ / relative;
    fs::create_directories(target.parent_path());
    fs::copy_file(TestFontsFolder() / fontFile, target, fs::copy_options::overwrite_existing);
    return target;
}

fs::path TestFontsFolder() { return fs::absolute(L"testfonts"); }

fs::path ScaleFolder() { return fs::absolute(L"scale"); }

std::wstring TestFamily(int index) {
    wchar_t name[32];
    std::swprintf(name, 32, L"MirvTest%04d", index);
    return name;
}

} // namespace testing_support
