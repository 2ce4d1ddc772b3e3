// A usp10.dll dropped beside Mirvashel.exe (in a Downloads folder anyone
// can write to) must never be loaded. The program is started the way a
// user starts it, under Windows' own DLL search order (which Wine follows
// for usp10 when the run sets WINEDLLOVERRIDES=usp10=n,b), and runs until
// its window is painted, which measures and draws text through Uniscribe.
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
using testing_support::TempFolder;

constexpr DWORD kRunMs = 20000;
constexpr wchar_t kMarker[] = L"planted-dll-ran";

// The program, the probe and the planted DLL, built beside this test.
fs::path InputsFolder() {
    std::wstring self(32768, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), DWORD(self.size())));
    return fs::path(self).parent_path() / L"inputs";
}

class PlantedDllTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const wchar_t* file : {L"Mirvashel.exe", L"planting_probe.exe", L"usp10.dll"})
            fs::copy_file(InputsFolder() / file, stage.path() / file);
        stage.MakeDir(L"fonts");
    }

    // Starts `program` from the stage, lets it run until it waits for input
    // (after its first paint) or ends, and ends it if need be.
    void Run(const wchar_t* program) {
        const fs::path exe = stage.path() / program;
        std::wstring commandLine = L"\"" + exe.wstring() + L"\"";
        STARTUPINFOW startup{.cb = sizeof(STARTUPINFOW)};
        PROCESS_INFORMATION info{};
        ASSERT_TRUE(CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   stage.str().c_str(), &startup, &info))
            << "CreateProcessW: " << GetLastError();
        // A window program is done once idle; a console one (no input
        // queue: it fails at once) once it has ended.
        if (WaitForInputIdle(info.hProcess, kRunMs) != 0) WaitForSingleObject(info.hProcess, kRunMs);
        if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info.hProcess, 0);
        WaitForSingleObject(info.hProcess, kRunMs);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }

    bool Marked() const { return fs::exists(stage.path() / kMarker); }

    TempFolder stage{L"mirvashel-planting"};
};

// Without this the other test proves nothing: the override is in effect and
// the planted DLL runs in a program that imports Uniscribe.
TEST_F(PlantedDllTest, PlantedDllRunsInAProgramThatImportsUniscribe) {
    Run(L"planting_probe.exe");
    EXPECT_TRUE(Marked());
}

TEST_F(PlantedDllTest, MirvashelDoesNotLoadAPlantedUniscribe) {
    Run(L"Mirvashel.exe");
    EXPECT_FALSE(Marked());
}

} // namespace
