#include "Bitmaps.h"

#include <climits>
#include <cstdint>
#include <cstring>

namespace fx {

UniqueBitmap BitmapFromFile(std::span<const unsigned char> file) {
    BITMAPFILEHEADER fh;
    BITMAPINFOHEADER ih;
    if (file.size() < sizeof fh + sizeof ih) return {};
    std::memcpy(&fh, file.data(), sizeof fh);
    std::memcpy(&ih, file.data() + sizeof fh, sizeof ih);
    if (fh.bfType != 0x4D42 || fh.bfOffBits >= file.size()) return {};
    // A shorter header (the 12-byte core one) has other fields than those
    // read here. A negative width, or a height whose magnitude does not fit,
    // would wrap the size checks.
    if (ih.biSize < sizeof ih || ih.biPlanes != 1 || ih.biWidth <= 0 || ih.biHeight == 0 || ih.biHeight == INT_MIN)
        return {};
    // Sums of the headers' 32-bit fields, in 64 bits: none wraps, on a
    // 32-bit build either.
    using Size = std::uint64_t;
    const Size pixelBytes = file.size() - fh.bfOffBits;
    if (ih.biCompression == BI_RLE8) {
        // Run-length rows are bottom-up, 8-bit colours, in as many bytes as
        // the header says.
        if (ih.biBitCount != 8 || ih.biHeight < 0 || ih.biSizeImage == 0 || ih.biSizeImage > pixelBytes) return {};
    } else {
        if (ih.biCompression != BI_RGB) return {};
        const WORD bits = ih.biBitCount;
        if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return {};
        // Dividing instead of multiplying cannot overflow.
        const Size stride = ((Size(ih.biWidth) * bits + 31) / 32) * 4;
        const Size rows = Size(ih.biHeight < 0 ? -ih.biHeight : ih.biHeight);
        if (stride > pixelBytes / rows) return {};
    }
    // The palette the system reads lies wholly between the header and the
    // pixels: every colour of up to 8 bits, or as many as the header says.
    const Size fullPalette = ih.biBitCount <= 8 ? Size(1) << ih.biBitCount : 0;
    const Size colours = ih.biClrUsed ? ih.biClrUsed : fullPalette;
    if (colours > (fullPalette ? fullPalette : 256) ||
        sizeof fh + Size(ih.biSize) + colours * sizeof(RGBQUAD) > fh.bfOffBits)
        return {};

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
