// A test of one main window whose expected places are pixels of a 96-dpi
// screen: skipped on a screen of another scale, where they do not hold.
#pragma once

#include "TempFolder.h"
#include "TestWindow.h"

#include <gtest/gtest.h>

namespace testing_support {

class WindowAt96DpiTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (window->units().ToPixelsX(15) != 1) GTEST_SKIP() << "expected pixel places assume 96 dpi";
    }
    TempFolder folder;
    TestWindow window{folder.str()};
};

} // namespace testing_support
