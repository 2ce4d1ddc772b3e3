// Plain pixel buffers shared by the drawing code and the file writers.
#pragma once

#include <cstdint>
#include <vector>

typedef struct _cairo_surface cairo_surface_t;

namespace artgen {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
    friend bool operator==(const Rgba&, const Rgba&) = default;
};

// Top-down image with straight (not premultiplied) alpha, the form icons store.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;

    RgbaImage() = default;
    RgbaImage(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h)) {}
    Rgba& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)]; }
    const Rgba& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)]; }
};

// Top-down opaque image, the content of a 24-bit bitmap.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;

    RgbImage() = default;
    RgbImage(int w, int h, Rgb fill = {}) : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill) {}
    Rgb& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)]; }
    const Rgb& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)]; }
};

// Reads a cairo ARGB32 surface (premultiplied, native-endian words) into a
// straight-alpha image. Fully transparent pixels come out as all zeros so that
// their colour never depends on drawing order.
RgbaImage fromCairoArgb(cairo_surface_t* surface);

// Reads a cairo RGB24 surface into an opaque image.
RgbImage fromCairoRgb(cairo_surface_t* surface);

} // namespace artgen
