// Device-dependent bitmaps made from the bytes of a .bmp file compiled into
// the program.
#pragma once

#include "Handles.h"

#include <span>

namespace fx {

// An empty owner when the data is not an uncompressed BMP file.
UniqueBitmap BitmapFromFile(std::span<const unsigned char> file);

} // namespace fx
