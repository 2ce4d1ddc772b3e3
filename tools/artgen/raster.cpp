#include "raster.hpp"

#include <cairo.h>

#include <cstring>

namespace artgen {
namespace {

std::uint32_t wordAt(const unsigned char* data, int stride, int x, int y) {
    std::uint32_t word = 0;
    std::memcpy(&word, data + static_cast<std::ptrdiff_t>(y) * stride + static_cast<std::ptrdiff_t>(x) * 4, sizeof word);
    return word;
}

std::uint8_t unpremultiply(std::uint32_t channel, std::uint32_t alpha) {
    const std::uint32_t v = (channel * 255u + alpha / 2u) / alpha;
    return static_cast<std::uint8_t>(v > 255u ? 255u : v);
}

} // namespace

RgbaImage fromCairoArgb(cairo_surface_t* surface) {
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    RgbaImage out(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = wordAt(data, stride, x, y);
            const std::uint32_t a = p >> 24;
            if (a == 0) continue;
            Rgba& px = out.at(x, y);
            px.a = static_cast<std::uint8_t>(a);
            px.r = unpremultiply((p >> 16) & 0xFFu, a);
            px.g = unpremultiply((p >> 8) & 0xFFu, a);
            px.b = unpremultiply(p & 0xFFu, a);
        }
    }
    return out;
}

RgbImage fromCairoRgb(cairo_surface_t* surface) {
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    RgbImage out(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = wordAt(data, stride, x, y);
            out.at(x, y) = Rgb{static_cast<std::uint8_t>((p >> 16) & 0xFFu),
                               static_cast<std::uint8_t>((p >> 8) & 0xFFu),
                               static_cast<std::uint8_t>(p & 0xFFu)};
        }
    }
    return out;
}

} // namespace artgen
