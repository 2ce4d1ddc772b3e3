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
    if (fh.bfType != 0x4D42 || fh.bfOffBits >= file.size()) return {};
    // A negative width, or a height whose magnitude does not fit, would wrap
    // the size check; dividing instead of multiplying cannot overflow.
    if (ih.biWidth < 0 || ih.biHeight == INT_MIN) return {};
    const size_t pixelBytes = file.size() - fh.bfOffBits;
    if (ih.biCompression == BI_RLE8) {
        // Run-length rows are bottom-up, after a palette of 8-bit colours.
        const size_t colours = ih.biClrUsed ? ih.biClrUsed : 256;
        if (ih.biBitCount != 8 || ih.biHeight < 0 || colours > 256 || ih.biSizeImage > pixelBytes ||
            sizeof fh + ih.biSize + colours * sizeof(RGBQUAD) > fh.bfOffBits)
            return {};
    } else {
        if (ih.biCompression != BI_RGB) return {};
        const size_t stride = ((size_t(ih.biWidth) * ih.biBitCount + 31) / 32) * 4;
        const size_t rows = size_t(ih.biHeight < 0 ? -ih.biHeight : ih.biHeight);
        if (rows && stride > pixelBytes / rows) return {};
    }

    WindowDC screen(nullptr);
    return UniqueBitmap(CreateDIBitmap(screen.get(), &ih, CBM_INIT, file.data() + fh.bfOffBits,
                                       reinterpret_cast<const BITMAPINFO*>(file.data() + sizeof fh),
                                       DIB_RGB_COLORS));
}

UniqueBitmap BitmapForDpi(std::span<const unsigned char> file, int fileDpi, int dpi) {
    UniqueBitmap drawn = BitmapFromFile(file);
    if (!drawn || fileDpi == dpi || fileDpi <= 0) return drawn;
    BITMAP bm{};
    GetObjectW(drawn.get(), sizeof bm, &bm);
    // Rounded up, as the drawn scales are: the picture covers its box.
    const int width = (bm.bmWidth * dpi + fileDpi - 1) / fileDpi, height = (bm.bmHeight * dpi + fileDpi - 1) / fileDpi;
    WindowDC screen(nullptr);
    UniqueBitmap resized(CreateCompatibleBitmap(screen.get(), width, height));
    MemoryDC source(CreateCompatibleDC(screen.get())), target(CreateCompatibleDC(screen.get()));
    {
        SelectGuard from(source.get(), drawn.get()), to(target.get(), resized.get());
        // Shrinking averages the finer drawing's pixels (it stays as sharp
        // as a drawing at this size); enlarging, past the largest drawing,
        // repeats pixels rather than blur them.
        SetStretchBltMode(target.get(), width < bm.bmWidth ? HALFTONE : COLORONCOLOR);
        SetBrushOrgEx(target.get(), 0, 0, nullptr);
        StretchBlt(target.get(), 0, 0, width, height, source.get(), 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    }
    return resized;
}

} // namespace fx
