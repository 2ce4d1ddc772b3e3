// The file list's folder reading. (Which files it shows, and the missing,
// empty and unreadable folders, are checked where they matter: the start-up
// count and the install run.)
#include "ChildProcess.h"
#include "FileList.h"
#include "FileTree.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <algorithm>
#include <iterator>

namespace {

// A file where a folder is expected is not a folder that could not be read.
// (A folder that cannot be read, from the start or midway, is checked where
// the user meets it: the install run's message.)
TEST(FileListTest, AFileWhereAFolderIsExpectedIsAMissingFolder) {
    testing_support::TempFolder dir;
    std::vector<fx::ListedFile> files;
    EXPECT_EQ(fx::ListMatchingFiles(dir.Write(L"a.ttf").wstring(), L"*.ttf", files), DWORD(ERROR_PATH_NOT_FOUND));
}

// Only a file with content is taken at the listing's word: a pipe, like an
// empty file, lists with none, and the install looks at those first.
TEST(FileListTest, OnlyAFileWithContentIsListedAsPlain) {
    testing_support::TempFolder dir;
    dir.Write(L"empty.ttf", "");
    dir.Write(L"full.ttf", "x");
    std::vector<fx::ListedFile> files;
    ASSERT_EQ(fx::ListMatchingFiles(dir.str(), L"*.ttf", files), DWORD(ERROR_SUCCESS));
    ASSERT_EQ(files.size(), 2u);
    EXPECT_FALSE(files[0].plain) << "empty.ttf";
    EXPECT_TRUE(files[1].plain) << "full.ttf";
}

// Names come in the order a user reads them in this locale: case-blind,
// digits as characters, hyphens and apostrophes weighed as Windows does.
TEST(FileListTest, NamesComeInTheLocalesCaseBlindOrder) {
    const wchar_t* const files[] = {L"b.ttf", L"A.ttf", L"co-op.ttf", L"coop.ttf", L"Ab.ttf", L"10.ttf",
                                    L"9.ttf", L"\u00c4x.ttf", L"ax.ttf", L"it's.ttf", L"its.ttf", L"_z.ttf"};
    testing_support::TempFolder dir;
    for (const wchar_t* f : files) dir.Write(f);
    std::vector<fx::ListedFile> listed;
    ASSERT_EQ(fx::ListMatchingFiles(dir.str(), L"*.ttf", listed), DWORD(ERROR_SUCCESS));
    ASSERT_EQ(listed.size(), std::size(files));
    EXPECT_TRUE(std::is_sorted(listed.begin(), listed.end(), [](const fx::ListedFile& a, const fx::ListedFile& b) {
        return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.name.c_str(), int(a.name.size()),
                              b.name.c_str(), int(b.name.size())) == CSTR_LESS_THAN;
    }));
}

struct DeepWalk {
    fx::FileTree tree;
    DWORD result = ERROR_GEN_FAILURE;
};

// Walks the deep tree with only 64 KB of the thread's stack left.
DWORD WINAPI WalkWithLittleStack(void* param) {
    constexpr ULONG_PTR kLeft = 64 * 1024;
    MEMORY_BASIC_INFORMATION stack{}; // the stack's whole reservation begins at its allocation base
    VirtualQuery(&stack, &stack, sizeof stack);
    const ULONG_PTR room = reinterpret_cast<ULONG_PTR>(&stack) - reinterpret_cast<ULONG_PTR>(stack.AllocationBase);
    volatile char* taken = static_cast<char*>(alloca(room - kLeft));
    taken[0] = 0;
    auto& walk = *static_cast<DeepWalk*>(param);
    walk.result = fx::ListMatchingTree((testing_support::InputsFolder() / L"trees" / L"deep" / L"fonts").wstring(),
                                       L"*.ttf;*.otf", walk.tree);
    return 0;
}

// The walk's stack does not grow with the tree's depth: a chain of 300
// folders walked with 64 KB of stack left, where a walk that recursed per
// level runs out (Wine gives a thread at least 1 MB, so the rest is taken
// up first).
TEST(FileTreeTest, ADeepTreeIsWalkedOnASmallStack) {
    DeepWalk walk;
    HANDLE thread = CreateThread(nullptr, 0, &WalkWithLittleStack, &walk, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    WaitForSingleObject(thread, INFINITE);
    DWORD exitCode = 1;
    GetExitCodeThread(thread, &exitCode);
    CloseHandle(thread);
    ASSERT_EQ(exitCode, 0u);
    EXPECT_EQ(walk.result, DWORD(ERROR_SUCCESS));
    EXPECT_EQ(walk.tree.files.size(), 300u + 100u * 10u);
    EXPECT_EQ(walk.tree.others, (std::vector<std::pair<std::wstring, size_t>>{{L".txt", 100u * 990u}}));
}

} // namespace
