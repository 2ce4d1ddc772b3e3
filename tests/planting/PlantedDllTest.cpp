// A system DLL dropped beside Mirvashel.exe (a Downloads folder) must never
// be loaded, by the program or by a system library on its behalf. One name
// at a time, under Windows' search order for it (WINEDLLOVERRIDES=name=n,b,
// set by the CMake file), through a run that paints, installs and reports.
#include "ChildProcess.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using testing_support::InputsFolder;
using testing_support::Process;
using testing_support::TempFolder;
using testing_support::VisibleWindowOf;
using testing_support::WaitUntil;

constexpr DWORD kRunMs = 20000;
constexpr wchar_t kMarker[] = L"planted-dll-ran";
constexpr int kInstallButtonId = 106; // kInstallButton: 100 + its row in the design table

// The DLLs a loaded image names in its import directory.
std::vector<std::string> ImportedDlls(HMODULE module) {
    const auto base = reinterpret_cast<const char*>(module);
    const auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const DWORD at = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    std::vector<std::string> names;
    for (auto entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + at); at && entry->Name; ++entry)
        names.emplace_back(base + entry->Name);
    return names;
}

bool Names(const std::vector<std::string>& dlls, const std::string& dll) {
    return std::any_of(dlls.begin(), dlls.end(), [&](const std::string& d) { return !_stricmp(d.c_str(), dll.c_str()); });
}

class PlantedDllTest : public ::testing::TestWithParam<const wchar_t*> {
protected:
    void SetUp() override {
        for (const std::wstring& file : {std::wstring(L"Mirvashel.exe"), std::wstring(L"planting_probe.exe"), Dll()})
            fs::copy_file(InputsFolder() / file, stage.path() / file);
        stage.Write(L"fonts\\refused.ttf", "not a font"); // the run ends with the report
    }

    std::wstring Dll() const { return std::wstring(GetParam()) + L".dll"; }
    bool Marked() const { return fs::exists(stage.path() / kMarker); }

    // The whole run: start-up and first paint, an install whose refused file
    // brings up the report (a message box), which is closed again.
    void RunMirvashel() {
        Process process;
        ASSERT_TRUE(process.Start(stage.path() / L"Mirvashel.exe", stage.path())) << "CreateProcessW: " << GetLastError();
        HWND window = nullptr;
        WaitUntil(process, [&] { return (window = VisibleWindowOf(process.id(), L"Mirvashel")) != nullptr; }, kRunMs);
        ASSERT_NE(window, nullptr) << "no window";
        ASSERT_TRUE(PostMessageW(GetDlgItem(window, kInstallButtonId), BM_CLICK, 0, 0));
        HWND box = nullptr;
        WaitUntil(process, [&] { return (box = VisibleWindowOf(process.id(), L"#32770")) != nullptr; }, kRunMs);
        ASSERT_NE(box, nullptr) << "no report";
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        WaitUntil(process, [&] { return !IsWindow(box); }, kRunMs);
    }

    TempFolder stage{L"mirvashel-planting"};
};

TEST_P(PlantedDllTest, RunsInAProgramThatLoadsItByNameButNeverInMirvashel) {
    // Without this the rest proves nothing: the search order is in effect.
    Process probe;
    ASSERT_TRUE(probe.Start(stage.path() / L"planting_probe.exe", stage.path(), GetParam())) << GetLastError();
    probe.WaitForEnd(kRunMs);
    ASSERT_TRUE(Marked()) << "a program that loads it by name does not";
    fs::remove(stage.path() / kMarker);

    ASSERT_NO_FATAL_FAILURE(RunMirvashel());
    if (!Marked()) return;
    // Wine 8's own user32 imports version.dll (Windows' does not): loaded before
    // the program's first line, reported apart when the program does not import it.
    const HMODULE exe = LoadLibraryExW((stage.path() / L"Mirvashel.exe").c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(exe, nullptr);
    const std::vector<std::string> imports = ImportedDlls(exe);
    FreeLibrary(exe);
    const std::string dll = fs::path(Dll()).string();
    ASSERT_FALSE(Names(imports, dll)) << "the program imports " << dll;
    for (const std::string& system : imports)
        if (HMODULE loaded = LoadLibraryExA(system.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
            loaded && Names(ImportedDlls(loaded), dll))
            GTEST_SKIP() << dll << " is imported by this Wine's " << system << ": loaded before the program's first line";
    ADD_FAILURE() << fs::path(Dll()) << " planted beside the program was loaded";
}

INSTANTIATE_TEST_SUITE_P(SystemDlls, PlantedDllTest,
                         ::testing::Values(L"usp10", L"version", L"uxtheme", L"msimg32", L"dwmapi", L"cryptbase"),
                         [](const ::testing::TestParamInfo<const wchar_t*>& name) {
                             return fs::path(name.param).string();
                         });

} // namespace
