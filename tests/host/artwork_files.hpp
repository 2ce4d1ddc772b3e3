// Reading helpers for the artwork tests: the committed files under app/res
// and little-endian fields inside them, parsed independently of the writers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace artwork_test {

using Bytes = std::vector<std::uint8_t>;

inline std::filesystem::path resourceFolder() { return std::filesystem::path(MIRVASHEL_SOURCE_DIR) / "app" / "res"; }

inline Bytes readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path.string());
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline Bytes readResource(const std::string& name) { return readFile(resourceFolder() / name); }

inline std::uint32_t u16(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(b.at(at)) | (static_cast<std::uint32_t>(b.at(at + 1)) << 8);
}
inline std::uint32_t u32(const Bytes& b, std::size_t at) { return u16(b, at) | (u16(b, at + 2) << 16); }
inline std::int32_t i32(const Bytes& b, std::size_t at) { return static_cast<std::int32_t>(u32(b, at)); }

inline std::size_t stride(int width, int bits) { return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bits) + 31) / 32) * 4; }

struct Colour {
    int r = 0, g = 0, b = 0, a = 255;
    friend bool operator==(const Colour&, const Colour&) = default;
};

} // namespace artwork_test
