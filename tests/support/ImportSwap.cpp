#include "ImportSwap.h"

#include <utility>

namespace testing_support {

ImportSwap::ImportSwap(void* imported, void* replacement) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const DWORD imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports); dll->Name && !slot_; ++dll)
        for (auto** slot = reinterpret_cast<void**>(base + dll->FirstThunk); *slot && !slot_; ++slot)
            if (*slot == imported) slot_ = slot;
    if (!slot_) return;
    DWORD protection = 0; // left writable afterwards: it is this test program's own table
    VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &protection);
    // Kept from the slot itself: the compiler may take an imported
    // function's address as fixed and read it again later.
    original_ = std::exchange(*slot_, replacement);
}

ImportSwap::~ImportSwap() {
    if (slot_) *slot_ = original_;
}

} // namespace testing_support
