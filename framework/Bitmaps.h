// Device-dependent bitmaps made from the bytes of a .bmp file compiled into
// the program.
#pragma once

#include "Handles.h"

#include <span>

namespace fx {

// An empty owner when the data is not a BMP file, uncompressed or 8-bit
// run-length encoded.
UniqueBitmap BitmapFromFile(std::span<const unsigned char> file);

// The picture of a file drawn for `fileDpi` pixels per inch, for a screen of
// `dpi`: as it is when the two agree, else resized (only a screen between
// the drawn scales, or beyond the largest, needs that).
UniqueBitmap BitmapForDpi(std::span<const unsigned char> file, int fileDpi, int dpi);

} // namespace fx
