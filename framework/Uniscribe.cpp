#include "Uniscribe.h"

#include "SystemLibraries.h"

namespace fx {
namespace {

HRESULT WINAPI AnalyseUnavailable(HDC, const void*, int, int, int, DWORD, int, SCRIPT_CONTROL*, SCRIPT_STATE*,
                                  const int*, SCRIPT_TABDEF*, const BYTE*, SCRIPT_STRING_ANALYSIS* ssa) {
    if (ssa) *ssa = nullptr;
    return E_FAIL;
}
HRESULT WINAPI FreeUnavailable(SCRIPT_STRING_ANALYSIS*) { return E_FAIL; }
const SIZE* WINAPI SizeUnavailable(SCRIPT_STRING_ANALYSIS) { return nullptr; }
HRESULT WINAPI OutUnavailable(SCRIPT_STRING_ANALYSIS, int, int, UINT, const RECT*, int, int, BOOL) { return E_FAIL; }

template <typename Fn>
bool Resolve(HMODULE module, const char* name, Fn& slot) {
    slot = ModuleFunction<Fn>(module, name);
    return slot != nullptr;
}

UniscribeFunctions Load() {
    const UniscribeFunctions unavailable{AnalyseUnavailable, FreeUnavailable, SizeUnavailable, OutUnavailable};
    const HMODULE module = LoadSystemLibrary(L"usp10.dll");
    if (!module) return unavailable;
    UniscribeFunctions f{};
    // All or nothing: a half-resolved set could analyse without freeing.
    const bool complete = Resolve(module, "ScriptStringAnalyse", f.ScriptStringAnalyse) &&
                          Resolve(module, "ScriptStringFree", f.ScriptStringFree) &&
                          Resolve(module, "ScriptString_pSize", f.ScriptString_pSize) &&
                          Resolve(module, "ScriptStringOut", f.ScriptStringOut);
    return complete ? f : unavailable;
}

} // namespace

const UniscribeFunctions& Uniscribe() {
    static const UniscribeFunctions functions = Load();
    return functions;
}

} // namespace fx
