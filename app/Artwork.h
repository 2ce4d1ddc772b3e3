// The close and web-address images, compiled into the program as the bytes
// of their .bmp files (they are not in the resource table).
#pragma once

#include <cstddef>
#include <span>

extern const unsigned char kCloseImageBmp[];
extern const std::size_t kCloseImageBmpSize;
extern const unsigned char kWebAddressImageBmp[];
extern const std::size_t kWebAddressImageBmpSize;

namespace mirvashel::artwork {

inline std::span<const unsigned char> CloseImage() { return {kCloseImageBmp, kCloseImageBmpSize}; }
inline std::span<const unsigned char> WebAddressImage() { return {kWebAddressImageBmp, kWebAddressImageBmpSize}; }

} // namespace mirvashel::artwork
