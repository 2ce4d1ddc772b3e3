// The main window goes with its object: unbound first, so that its WM_DESTROY
// handler (which posts a quit) never runs on a half-destroyed object.
#include "MainWindow.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(MainWindowLifetimeTest, AMainWindowThatGoesFirstDestroysItsWindowUnbound) {
    testing_support::TempFolder folder;
    auto main = std::make_unique<mirvashel::MainWindow>(
        mirvashel::MainWindow::Environment{.executableFolder = folder.str(), .quitOnDestroy = true});
    ASSERT_TRUE(main->Create());
    const HWND window = main->hwnd();
    main.reset();
    EXPECT_FALSE(IsWindow(window));
    MSG quit;
    EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "a handler ran during destruction";
}

} // namespace
