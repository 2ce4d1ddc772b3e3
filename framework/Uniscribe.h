#pragma once
// The few Uniscribe functions the text painter uses, resolved once from
// usp10.dll in the system folder. Importing them would let Windows load a
// usp10.dll planted beside the program instead.
#include <windows.h>

#include <usp10.h>

namespace fx {

struct UniscribeFunctions {
    decltype(&::ScriptStringAnalyse) ScriptStringAnalyse;
    decltype(&::ScriptStringFree) ScriptStringFree;
    decltype(&::ScriptString_pSize) ScriptString_pSize;
    decltype(&::ScriptStringOut) ScriptStringOut;
};

// Loaded on first use. Without Uniscribe every analysis fails, so text
// measures as empty and is not drawn, instead of the program crashing.
const UniscribeFunctions& Uniscribe();

} // namespace fx
