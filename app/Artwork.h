// The close and web-address images, compiled into the program as the bytes
// of run-length encoded .bmp files (they are not in the resource table):
// drawn for 96 dpi (the same pixels as close.bmp and weblink.bmp) and again
// for the commonest larger display scales, where a stretched 96-dpi picture
// would look blurred or blocky.
#pragma once

#include <array>
#include <cstddef>
#include <span>

#define MIRVASHEL_ARTWORK(symbol)                                                                                  \
    extern const unsigned char symbol[];                                                                           \
    extern const std::size_t symbol##Size;
MIRVASHEL_ARTWORK(kCloseImage96Bmp)
MIRVASHEL_ARTWORK(kWebAddressImage96Bmp)
MIRVASHEL_ARTWORK(kCloseImage120Bmp)
MIRVASHEL_ARTWORK(kWebAddressImage120Bmp)
MIRVASHEL_ARTWORK(kCloseImage144Bmp)
MIRVASHEL_ARTWORK(kWebAddressImage144Bmp)
MIRVASHEL_ARTWORK(kCloseImage192Bmp)
MIRVASHEL_ARTWORK(kWebAddressImage192Bmp)
#undef MIRVASHEL_ARTWORK

namespace mirvashel::artwork {

using File = std::span<const unsigned char>;

// Both pictures as drawn for one number of pixels per inch.
struct Scale {
    int dpi;
    File close, webAddress;
};

#define MIRVASHEL_SCALE(dpi, close, web) Scale{dpi, {close, close##Size}, {web, web##Size}}
inline const std::array<Scale, 4> kScales{
    MIRVASHEL_SCALE(96, kCloseImage96Bmp, kWebAddressImage96Bmp),
    MIRVASHEL_SCALE(120, kCloseImage120Bmp, kWebAddressImage120Bmp),
    MIRVASHEL_SCALE(144, kCloseImage144Bmp, kWebAddressImage144Bmp),
    MIRVASHEL_SCALE(192, kCloseImage192Bmp, kWebAddressImage192Bmp),
};
#undef MIRVASHEL_SCALE

// The pictures drawn for exactly `dpi`, or else for the nearest larger
// scale (the largest beyond it), which the caller resizes: shrinking a
// finer drawing keeps it crisp, where enlarging the 96-dpi one would not.
inline const Scale& ForDpi(int dpi) {
    for (const Scale& s : kScales)
        if (s.dpi >= dpi) return s;
    return kScales.back();
}

} // namespace mirvashel::artwork
