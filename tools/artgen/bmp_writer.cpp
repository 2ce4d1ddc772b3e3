#include "bmp_writer.hpp"

#include "byte_sink.hpp"

#include <algorithm>
#include <stdexcept>

namespace artgen {

namespace {

constexpr std::uint32_t kNoCompression = 0, kRle8 = 1;

struct PixelFormat {
    std::uint16_t bitsPerPixel;
    std::uint32_t compression;
    std::uint32_t pixelBytes;
    std::uint32_t colours; // palette entries written after the headers
};

// The file header and the 40-byte info header; rows are stored bottom-up
// (positive height), as RLE bitmaps must be.
void writeHeaders(ByteSink& out, const RgbImage& image, const PixelFormat& format) {
    constexpr std::uint32_t kFileHeaderSize = 14;
    constexpr std::uint32_t kInfoHeaderSize = 40;
    const std::uint32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize + 4 * format.colours;
    out.u8('B');
    out.u8('M');
    out.u32(pixelOffset + format.pixelBytes);
    out.u16(0);
    out.u16(0);
    out.u32(pixelOffset);

    out.u32(kInfoHeaderSize);
    out.i32(image.width);
    out.i32(image.height);
    out.u16(1); // planes
    out.u16(format.bitsPerPixel);
    out.u32(format.compression);
    out.u32(format.pixelBytes);
    out.i32(0); // resolution is left unspecified
    out.i32(0);
    out.u32(format.colours); // colours used
    out.u32(format.colours); // colours important
}

} // namespace

std::vector<std::uint8_t> encodeBmp24(const RgbImage& image) {
    const auto stride = static_cast<std::uint32_t>(strideFor(image.width, 24));
    ByteSink out;
    writeHeaders(out, image, {24, kNoCompression, stride * static_cast<std::uint32_t>(image.height), 0});

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

namespace {

// One row of palette indexes as RLE8: a run of two or more equal indexes
// is one (count, index) pair; other indexes go out as literal stretches
// (0, count, indexes..., padded to an even length), which must hold at
// least three, so shorter ones are written as runs of one.
void encodeRow(const std::vector<std::uint8_t>& row, ByteSink& out) {
    std::size_t x = 0;
    auto runAt = [&](std::size_t at) {
        std::size_t n = 1;
        while (at + n < row.size() && row[at + n] == row[at] && n < 255) ++n;
        return n;
    };
    while (x < row.size()) {
        const std::size_t run = runAt(x);
        if (run >= 2) {
            out.u8(static_cast<std::uint8_t>(run));
            out.u8(row[x]);
            x += run;
            continue;
        }
        std::size_t end = x;
        while (end < row.size() && end - x < 255 && runAt(end) < 2) ++end;
        const std::size_t count = end - x;
        if (count < 3) {
            for (; x < end; ++x) {
                out.u8(1);
                out.u8(row[x]);
            }
            continue;
        }
        out.u8(0);
        out.u8(static_cast<std::uint8_t>(count));
        for (; x < end; ++x) out.u8(row[x]);
        if (count % 2 != 0) out.u8(0);
    }
    out.u8(0); // end of line
    out.u8(0);
}

} // namespace

std::vector<std::uint8_t> encodeBmpRle8(const RgbImage& image) {
    std::vector<Rgb> palette;
    std::vector<std::vector<std::uint8_t>> rows;
    for (int y = image.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row;
        for (int x = 0; x < image.width; ++x) {
            const Rgb& p = image.at(x, y);
            auto found = std::find(palette.begin(), palette.end(), p);
            if (found == palette.end()) {
                if (palette.size() == 256) throw std::runtime_error("more than 256 colours for an 8-bit bitmap");
                palette.push_back(p);
                found = palette.end() - 1;
            }
            row.push_back(static_cast<std::uint8_t>(found - palette.begin()));
        }
        rows.push_back(std::move(row));
    }
    ByteSink pixels;
    for (const auto& row : rows) encodeRow(row, pixels);
    pixels.u8(0); // end of bitmap
    pixels.u8(1);

    ByteSink out;
    writeHeaders(out, image,
                 {8, kRle8, static_cast<std::uint32_t>(pixels.size()), static_cast<std::uint32_t>(palette.size())});
    for (const Rgb& c : palette) {
        out.u8(c.b);
        out.u8(c.g);
        out.u8(c.r);
        out.u8(0);
    }
    out.append(pixels.bytes());
    return out.take();
}

} // namespace artgen
