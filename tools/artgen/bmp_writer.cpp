#include "bmp_writer.hpp"

#include "byte_sink.hpp"

namespace artgen {

std::vector<std::uint8_t> encodeBmp24(const RgbImage& image) {
    constexpr std::uint32_t kFileHeaderSize = 14;
    constexpr std::uint32_t kInfoHeaderSize = 40;
    const auto stride = static_cast<std::uint32_t>(strideFor(image.width, 24));
    const std::uint32_t pixelBytes = stride * static_cast<std::uint32_t>(image.height);
    const std::uint32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize;

    ByteSink out;
    out.u8('B');
    out.u8('M');
    out.u32(pixelOffset + pixelBytes);
    out.u16(0);
    out.u16(0);
    out.u32(pixelOffset);

    out.u32(kInfoHeaderSize);
    out.i32(image.width);
    out.i32(image.height); // positive: rows are stored bottom-up
    out.u16(1);            // planes
    out.u16(24);           // bits per pixel
    out.u32(0);            // no compression
    out.u32(pixelBytes);
    out.i32(0);            // resolution is left unspecified
    out.i32(0);
    out.u32(0);            // colours used
    out.u32(0);            // colours important

    for (int y = image.height - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        for (int x = 0; x < image.width; ++x) {
            const Rgb& p = image.at(x, y);
            out.u8(p.b);
            out.u8(p.g);
            out.u8(p.r);
        }
        out.padToWord(rowStart);
    }
    return out.take();
}

} // namespace artgen
