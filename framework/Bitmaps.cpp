#include "Bitmaps.h"

#include <climits>
#include <cstring>

namespace fx {

UniqueBitmap BitmapFromFile(std::span<const unsigned char> file) {
    BITMAPFILEHEADER fh;
    BITMAPINFOHEADER ih;
    if (file.size() < sizeof fh + sizeof ih) return {};
    std::memcpy(&fh, file.data(), sizeof fh);
    std::memcpy(&ih, file.data() + sizeof fh, sizeof ih);
    if (fh.bfType != 0x4D42 || fh.bfOffBits >= file.size() || ih.biCompression != BI_RGB) return {};
    // A negative width, or a height whose magnitude does not fit, would wrap
    // the size check; dividing instead of multiplying cannot overflow.
    if (ih.biWidth < 0 || ih.biHeight == INT_MIN) return {};
    const size_t stride = ((size_t(ih.biWidth) * ih.biBitCount + 31) / 32) * 4;
    const size_t rows = size_t(ih.biHeight < 0 ? -ih.biHeight : ih.biHeight);
    if (rows && stride > (file.size() - fh.bfOffBits) / rows) return {};

    WindowDC screen(nullptr);
    return UniqueBitmap(CreateDIBitmap(screen.get(), &ih, CBM_INIT, file.data() + fh.bfOffBits,
                                       reinterpret_cast<const BITMAPINFO*>(file.data() + sizeof fh),
                                       DIB_RGB_COLORS));
}

} // namespace fx
