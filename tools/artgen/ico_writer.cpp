#include "ico_writer.hpp"

#include "byte_sink.hpp"
#include "palette.hpp"

#include <stdexcept>

namespace artgen {
namespace {

std::vector<bool> opaquePixels(const RgbaImage& art, std::uint8_t minAlpha) {
    std::vector<bool> opaque(art.pixels.size());
    for (std::size_t i = 0; i < art.pixels.size(); ++i) opaque[i] = art.pixels[i].a >= minAlpha;
    return opaque;
}

void writeInfoHeader(ByteSink& out, const RgbaImage& art, int bits, std::uint32_t dataBytes, std::uint32_t coloursUsed) {
    out.u32(40);
    out.i32(art.width);
    out.i32(art.height * 2); // colour rows and mask rows together
    out.u16(1);
    out.u16(static_cast<std::uint16_t>(bits));
    out.u32(0);              // no compression
    out.u32(dataBytes);
    out.i32(0);
    out.i32(0);
    out.u32(coloursUsed);
    out.u32(coloursUsed);
}

void writePalette(ByteSink& out, const std::vector<Rgb>& palette, std::size_t entries) {
    for (std::size_t i = 0; i < entries; ++i) {
        const Rgb c = i < palette.size() ? palette[i] : Rgb{};
        out.u8(c.b);
        out.u8(c.g);
        out.u8(c.r);
        out.u8(0);
    }
}

void writeIndexRows(ByteSink& out, const RgbaImage& art, const std::vector<std::uint8_t>& indices, int bits) {
    for (int y = art.height - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(art.width);
        if (bits == 8) {
            for (int x = 0; x < art.width; ++x) out.u8(indices[row + static_cast<std::size_t>(x)]);
        } else {
            for (int x = 0; x < art.width; x += 2) {
                const std::uint8_t hi = indices[row + static_cast<std::size_t>(x)];
                const std::uint8_t lo = x + 1 < art.width ? indices[row + static_cast<std::size_t>(x) + 1] : 0;
                out.u8(static_cast<std::uint8_t>((hi << 4) | (lo & 0x0F)));
            }
        }
        out.padToWord(rowStart);
    }
}

void writeMask(ByteSink& out, const RgbaImage& art, const std::vector<bool>& opaque) {
    for (int y = art.height - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        std::uint8_t bitsByte = 0;
        for (int x = 0; x < art.width; ++x) {
            const bool transparent = !opaque[static_cast<std::size_t>(y) * static_cast<std::size_t>(art.width) + static_cast<std::size_t>(x)];
            if (transparent) bitsByte = static_cast<std::uint8_t>(bitsByte | (0x80u >> (x % 8)));
            if (x % 8 == 7 || x + 1 == art.width) {
                out.u8(bitsByte);
                bitsByte = 0;
            }
        }
        out.padToWord(rowStart);
    }
}

} // namespace

EncodedIconImage encodeIconImage(const RgbaImage& art, int bits) {
    const std::uint32_t colourBytes = static_cast<std::uint32_t>(strideFor(art.width, bits) * static_cast<std::size_t>(art.height));
    const std::uint32_t maskBytes = static_cast<std::uint32_t>(strideFor(art.width, 1) * static_cast<std::size_t>(art.height));
    ByteSink out;

    if (bits == 32) {
        const std::vector<bool> visible = opaquePixels(art, 1);
        writeInfoHeader(out, art, bits, colourBytes + maskBytes, 0);
        for (int y = art.height - 1; y >= 0; --y) {
            for (int x = 0; x < art.width; ++x) {
                const Rgba& p = art.at(x, y);
                out.u8(p.b);
                out.u8(p.g);
                out.u8(p.r);
                out.u8(p.a);
            }
        }
        writeMask(out, art, visible);
    } else if (bits == 4 || bits == 8) {
        const std::vector<bool> opaque = opaquePixels(art, kPalettedOpaqueAlpha);
        // Masked pixels must be black in the colour rows: the screen is
        // ANDed with the mask and then XORed with the colour, so any other
        // colour would tint the desktop around the figure. Entry 0 is black
        // in both tables.
        std::vector<Rgb> palette;
        std::vector<std::uint8_t> indices;
        if (bits == 4) {
            const auto& standard = standardColours16();
            palette.assign(standard.begin(), standard.end());
            indices = ditherFloydSteinberg(art, opaque, palette, 0);
        } else {
            std::vector<Rgb> figure;
            for (std::size_t i = 0; i < art.pixels.size(); ++i) {
                if (opaque[i]) figure.push_back(Rgb{art.pixels[i].r, art.pixels[i].g, art.pixels[i].b});
            }
            palette.push_back(Rgb{0, 0, 0});
            const std::vector<Rgb> own = medianCut(figure, 255);
            palette.insert(palette.end(), own.begin(), own.end());
            indices = mapNearest(art, opaque, palette, 0);
        }
        const std::size_t entries = bits == 4 ? 16 : 256;
        writeInfoHeader(out, art, bits, colourBytes + maskBytes, bits == 8 ? 256u : 0u);
        writePalette(out, palette, entries);
        writeIndexRows(out, art, indices, bits);
        writeMask(out, art, opaque);
    } else {
        throw std::invalid_argument("icon images are 4, 8 or 32 bits per pixel");
    }
    return EncodedIconImage{art.width, art.height, bits, out.take()};
}

std::vector<std::uint8_t> encodeIcoFile(const std::vector<EncodedIconImage>& images) {
    constexpr std::uint32_t kHeaderSize = 6;
    constexpr std::uint32_t kEntrySize = 16;
    ByteSink out;
    out.u16(0); // reserved
    out.u16(1); // icon (not cursor)
    out.u16(static_cast<std::uint16_t>(images.size()));

    std::uint32_t offset = kHeaderSize + kEntrySize * static_cast<std::uint32_t>(images.size());
    for (const EncodedIconImage& img : images) {
        if (img.width < 1 || img.width > 256 || img.height < 1 || img.height > 256) {
            throw std::invalid_argument("icon images are 1 to 256 pixels on a side");
        }
        out.u8(static_cast<std::uint8_t>(img.width & 0xFF)); // 256 is stored as 0
        out.u8(static_cast<std::uint8_t>(img.height & 0xFF));
        out.u8(img.bitsPerPixel == 4 ? 16 : 0); // colour count only below 8 bits
        out.u8(0);
        out.u16(1);
        out.u16(static_cast<std::uint16_t>(img.bitsPerPixel));
        out.u32(static_cast<std::uint32_t>(img.dib.size()));
        out.u32(offset);
        offset += static_cast<std::uint32_t>(img.dib.size());
    }
    for (const EncodedIconImage& img : images) out.append(img.dib);
    return out.take();
}

} // namespace artgen
