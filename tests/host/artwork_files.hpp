// Reading helpers for the artwork tests: the committed files under app/res
// and the little-endian fields and pixel rows inside them, parsed
// independently of the writers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace artwork_test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path.string());
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline Bytes readResource(const std::string& name) {
    return readFile(std::filesystem::path(MIRVASHEL_SOURCE_DIR) / "app" / "res" / name);
}

// Consecutive little-endian fields of the given byte widths, starting at `at`.
inline std::vector<std::uint32_t> fields(const Bytes& b, std::size_t at, std::initializer_list<std::size_t> widths) {
    std::vector<std::uint32_t> out;
    for (const std::size_t width : widths) {
        out.push_back(0);
        for (std::size_t i = width; i-- > 0;) out.back() = (out.back() << 8) | b.at(at + i);
        at += width;
    }
    return out;
}

// Bytes in a row of `width` samples of `bits` each, padded to whole DWORDs.
inline std::size_t stride(int width, int bits) { return (std::size_t(width) * std::size_t(bits) + 31) / 32 * 4; }

struct Colour {
    int r = 0, g = 0, b = 0, a = 255;
};

// The bottom-up rows of a 24-bit (BGR) or 32-bit (BGRA) DIB at `at`, returned top-down.
inline std::vector<Colour> readRows(const Bytes& b, std::size_t at, int width, int height, int bits) {
    std::vector<Colour> out;
    const std::size_t bytes = std::size_t(bits) / 8;
    for (auto y = static_cast<std::size_t>(height); y-- > 0;) {
        for (std::size_t x = 0; x < std::size_t(width); ++x) {
            const std::size_t p = at + stride(width, bits) * y + x * bytes;
            out.push_back(Colour{b.at(p + 2), b.at(p + 1), b.at(p), bits == 32 ? b.at(p + 3) : 255});
        }
    }
    return out;
}

} // namespace artwork_test
