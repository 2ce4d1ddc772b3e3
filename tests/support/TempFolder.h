// A fresh folder under the temporary folder, removed with everything in it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace testing_support {

class TempFolder {
public:
    explicit TempFolder(std::wstring_view name = L"mirvashel-test");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const noexcept { return path_; }
    std::wstring str() const { return path_.wstring(); }
    // Creates a sub-folder (and its parents); returns its path.
    std::filesystem::path MakeDir(const std::filesystem::path& relative) const;
    // Writes a file with the given bytes.
    std::filesystem::path Write(const std::filesystem::path& relative, std::string_view bytes = "x") const;
    // Copies one of the generated test fonts (by file name).
    std::filesystem::path CopyTestFont(std::wstring_view fontFile, const std::filesystem::path& relative) const;

private:
    std::filesystem::path path_;
};

// The folder of fonts generated for the tests, with unique family names
// "MirvTest0000" ... "MirvTest0011" and the Arabic-named "خط تجريبي".
std::filesystem::path TestFontsFolder();
// A program folder whose fonts folder (and VevoDider, a link to it) holds
// kScaleEntries empty files named 100000.ttf, 100001.ttf, ...
std::filesystem::path ScaleFolder();
inline constexpr int kScaleEntries = 40000;
std::wstring TestFamily(int index);

} // namespace testing_support
