// The font families Windows reports, listed by face name.
#pragma once

#include "Controls.h"

#include <windows.h>

namespace mirvashel::FontLoadM {

// Empties the list and adds the face name of every family that Windows
// reports for the list's own display context.
void FillListWithFonts(fx::ListBox& list);

// One family: adds its face name (the text before the first NUL of the
// 32-character field; a field without NUL gives no row). Always goes on.
int CALLBACK EnumFontFamProc(const LOGFONTW* logFont, const TEXTMETRICW* metrics, DWORD fontType, LPARAM context);

} // namespace mirvashel::FontLoadM
