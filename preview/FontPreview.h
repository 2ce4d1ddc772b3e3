// The preview: the count label is drawn in the family picked in the font list.
#pragma once

#include "Controls.h"

namespace mirvashel {

// Applies the selected row's family to the label's font; size, weight and
// character set stay. Nothing changes when no row is selected or the family
// cannot be set.
void PreviewSelectedFont(const fx::ListBox& fontList, fx::Label& label);

} // namespace mirvashel
