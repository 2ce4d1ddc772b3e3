// A system DLL dropped beside Mirvashel.exe (in a Downloads folder anyone
// can write to) must never be loaded, whether the program loads it or a
// system library loads it late on the program's behalf. One name is planted
// at a time; the program is started the way a user starts it, under
// Windows' own DLL search order for these names (the test's CMake sets
// WINEDLLOVERRIDES=name=n,b for them, which Wine passes to the processes it
// starts), and taken through a run that paints, installs and shows its
// report.
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
using testing_support::UpperCase;
using testing_support::VisibleWindowOf;
using testing_support::WaitUntil;

constexpr DWORD kRunMs = 20000;
constexpr wchar_t kMarker[] = L"planted-dll-ran";
constexpr int kInstallButtonId = 106; // Command2: 100 + its row in the design table

// The DLL names in a loaded image's import directory, in upper case.
std::vector<std::wstring> ImportedDlls(HMODULE module) {
    std::vector<std::wstring> names;
    const auto base = reinterpret_cast<const BYTE*>(module);
    const auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!directory.VirtualAddress) return names;
    for (auto entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress); entry->Name;
         ++entry) {
        const auto name = reinterpret_cast<const char*>(base + entry->Name);
        names.push_back(UpperCase(std::wstring(name, name + strlen(name))));
    }
    return names;
}

bool Contains(const std::vector<std::wstring>& names, const std::wstring& name) {
    return std::find(names.begin(), names.end(), UpperCase(name)) != names.end();
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

    bool Start(Process& process, const wchar_t* program, const std::wstring& argument = {}) {
        return process.Start(stage.path() / program, stage.path(), argument);
    }

    // The whole run: start-up and first paint, an install whose refused file
    // brings up the report (a message box), which is closed again.
    void RunMirvashel() {
        Process process;
        ASSERT_TRUE(Start(process, L"Mirvashel.exe")) << "CreateProcessW: " << GetLastError();
        HWND window = nullptr;
        WaitUntil([&] { return (window = VisibleWindowOf(process.id(), L"Mirvashel")) || !process.Running(); }, kRunMs);
        ASSERT_NE(window, nullptr) << "no window";
        ASSERT_TRUE(PostMessageW(GetDlgItem(window, kInstallButtonId), BM_CLICK, 0, 0));
        HWND box = nullptr;
        WaitUntil([&] { return (box = VisibleWindowOf(process.id(), L"#32770")) || !process.Running(); }, kRunMs);
        ASSERT_NE(box, nullptr) << "no report";
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        WaitUntil([&] { return !IsWindow(box); }, kRunMs);
    }

    TempFolder stage{L"mirvashel-planting"};
};

// Without this the other test proves nothing: the search order is in effect
// and the planted DLL runs in a program that loads it by name.
TEST_P(PlantedDllTest, RunsInAProgramThatLoadsItByName) {
    Process probe;
    ASSERT_TRUE(Start(probe, L"planting_probe.exe", GetParam())) << "CreateProcessW: " << GetLastError();
    probe.WaitForEnd(kRunMs);
    EXPECT_TRUE(Marked());
}

TEST_P(PlantedDllTest, MirvashelNeverLoadsIt) {
    ASSERT_NO_FATAL_FAILURE(RunMirvashel());
    if (!Marked()) return;
    // Wine 8's user32 imports version.dll (Windows' does not), so Wine loads
    // it before the program's first line: the program can do nothing about
    // that. It is reported, not counted, when the program does not import
    // the name and one of the system DLLs it imports does.
    const HMODULE exe = LoadLibraryExW((stage.path() / L"Mirvashel.exe").c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(exe, nullptr);
    const std::vector<std::wstring> imports = ImportedDlls(exe);
    FreeLibrary(exe);
    ASSERT_FALSE(Contains(imports, Dll())) << "the program imports " << fs::path(Dll());
    for (const std::wstring& system : imports) {
        const HMODULE loaded = LoadLibraryExW(system.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (loaded && Contains(ImportedDlls(loaded), Dll()))
            GTEST_SKIP() << fs::path(Dll()) << " is imported by this Wine's " << fs::path(system)
                         << ": loaded by Wine before the program's first line";
    }
    ADD_FAILURE() << fs::path(Dll()) << " planted beside the program was loaded";
}

INSTANTIATE_TEST_SUITE_P(SystemDlls, PlantedDllTest,
                         ::testing::Values(L"usp10", L"version", L"uxtheme", L"msimg32", L"dwmapi", L"cryptbase"),
                         [](const ::testing::TestParamInfo<const wchar_t*>& name) {
                             return fs::path(name.param).string();
                         });

} // namespace
