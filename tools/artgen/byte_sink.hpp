// Little-endian byte buffer used by the BMP and ICO writers. Windows file
// formats store every multi-byte field little-endian regardless of the host.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace artgen {

class ByteSink {
public:
    void u8(std::uint8_t v) { bytes_.push_back(v); }
    void u16(std::uint16_t v) {
        u8(static_cast<std::uint8_t>(v & 0xFFu));
        u8(static_cast<std::uint8_t>(v >> 8));
    }
    void u32(std::uint32_t v) {
        u16(static_cast<std::uint16_t>(v & 0xFFFFu));
        u16(static_cast<std::uint16_t>(v >> 16));
    }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void zeros(std::size_t n) { bytes_.insert(bytes_.end(), n, 0); }
    void append(const std::vector<std::uint8_t>& more) {
        bytes_.insert(bytes_.end(), more.begin(), more.end());
    }
    // Rows of Windows bitmaps are padded to whole 32-bit words.
    void padToWord(std::size_t rowStart) {
        while ((bytes_.size() - rowStart) % 4 != 0) u8(0);
    }

    [[nodiscard]] std::size_t size() const { return bytes_.size(); }
    [[nodiscard]] const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

// Bytes in one padded row of a bitmap with the given width and bit depth.
constexpr std::size_t strideFor(int width, int bitsPerPixel) {
    return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel) + 31u) / 32u) * 4u;
}

} // namespace artgen
