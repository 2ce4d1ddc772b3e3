// The application icon's figure: an open yellow folder at a slant, a white
// sheet standing up out of it and a green arrow arching over the sheet down
// into the folder's front.
#pragma once

#include "raster.hpp"

namespace artgen {

// Renders the figure at size × size pixels on a transparent ground. Every
// size is the same vector drawing scaled; only the outline pens keep a
// minimum width of about one pixel so the small sizes still show edges.
RgbaImage drawAppIcon(int size);

} // namespace artgen
