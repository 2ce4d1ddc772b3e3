#include "Png.h"

#include "Handles.h"

#include <array>
#include <fstream>
#include <string>

namespace testing_support {

namespace {

std::uint32_t Crc32(const unsigned char* data, size_t size, std::uint32_t crc = 0) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void PutBE32(std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(char((v >> shift) & 0xFF));
}

void Chunk(std::string& out, const char* type, const std::string& body) {
    PutBE32(out, std::uint32_t(body.size()));
    std::string typed = std::string(type, 4) + body;
    out += typed;
    PutBE32(out, Crc32(reinterpret_cast<const unsigned char*>(typed.data()), typed.size()));
}

} // namespace

Image CaptureWindow(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    Image image;
    image.width = r.right - r.left;
    image.height = r.bottom - r.top;
    fx::WindowDC screen(nullptr);
    fx::MemoryDC memory(CreateCompatibleDC(screen.get()));
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), image.width, -image.height, 1, 32, BI_RGB};
    void* bits = nullptr;
    fx::UniqueBitmap dib(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    {
        fx::SelectGuard select(memory.get(), dib.get());
        BitBlt(memory.get(), 0, 0, image.width, image.height, screen.get(), r.left, r.top, SRCCOPY);
    }
    GdiFlush();
    const auto* src = static_cast<const std::uint32_t*>(bits);
    image.pixels.assign(src, src + size_t(image.width) * size_t(image.height));
    for (auto& p : image.pixels) p &= 0xFFFFFF;
    return image;
}

bool SavePng(const Image& image, const std::filesystem::path& file) {
    std::string raw; // filter byte 0, then RGB, per row
    for (int y = 0; y < image.height; ++y) {
        raw.push_back('\0');
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t p = image.At(x, y);
            raw.push_back(char((p >> 16) & 0xFF));
            raw.push_back(char((p >> 8) & 0xFF));
            raw.push_back(char(p & 0xFF));
        }
    }
    std::string zlib("\x78\x01", 2); // deflate, stored blocks
    std::uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    for (size_t pos = 0; pos < raw.size() || pos == 0; pos += 65535) {
        const size_t n = std::min<size_t>(65535, raw.size() - pos);
        zlib.push_back(pos + n >= raw.size() ? '\1' : '\0');
        zlib.push_back(char(n & 0xFF));
        zlib.push_back(char(n >> 8));
        zlib.push_back(char(~n & 0xFF));
        zlib.push_back(char((~n >> 8) & 0xFF));
        zlib.append(raw, pos, n);
        if (raw.empty()) break;
    }
    PutBE32(zlib, (b << 16) | a);

    std::string ihdr;
    PutBE32(ihdr, std::uint32_t(image.width));
    PutBE32(ihdr, std::uint32_t(image.height));
    ihdr += std::string("\x08\x02\x00\x00\x00", 5); // 8-bit RGB
    std::string png("\x89PNG\r\n\x1a\n", 8);
    Chunk(png, "IHDR", ihdr);
    Chunk(png, "IDAT", zlib);
    Chunk(png, "IEND", "");
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(png.data(), std::streamsize(png.size()));
    return bool(out);
}

std::filesystem::path ScreenshotFolder() { return std::filesystem::absolute(L"screenshots"); }

} // namespace testing_support
