// Points this program's import of one system function elsewhere for the
// object's lifetime: for failures no real folder or device can be made to
// give (a listing that breaks off midway).
#pragma once

#include <windows.h>

namespace testing_support {

class ImportSwap {
public:
    ImportSwap(void* imported, void* replacement);
    ~ImportSwap();
    ImportSwap(const ImportSwap&) = delete;
    ImportSwap& operator=(const ImportSwap&) = delete;

private:
    void** slot_ = nullptr;
    void* original_ = nullptr;
};

} // namespace testing_support
