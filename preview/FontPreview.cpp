#include "FontPreview.h"

namespace mirvashel {

void PreviewSelectedFont(const fx::ListBox& fontList, fx::Label& label) {
    if (fontList.SelectedIndex() < 0) return;
    label.SetFontFace(fontList.SelectedText());
}

} // namespace mirvashel
