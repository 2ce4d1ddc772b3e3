// A usp10.dll dropped beside Mirvashel.exe (in a Downloads folder anyone
// can write to) must never be loaded. The program is started the way a
// user starts it, under Windows' own DLL search order (which Wine follows
// for usp10 when the run sets WINEDLLOVERRIDES=usp10=n,b), and runs until
// its window is painted, which measures and draws text through Uniscribe.
#include "ChildProcess.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using testing_support::InputsFolder;
using testing_support::Process;
using testing_support::TempFolder;

constexpr DWORD kRunMs = 20000;
constexpr wchar_t kMarker[] = L"planted-dll-ran";

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
        Process process;
        ASSERT_TRUE(process.Start(stage.path() / program, stage.path())) << "CreateProcessW: " << GetLastError();
        // A window program is done once idle; a console one (no input
        // queue: it fails at once) once it has ended.
        if (WaitForInputIdle(process.handle(), kRunMs) != 0) process.WaitForEnd(kRunMs);
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
