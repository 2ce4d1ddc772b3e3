#include "palette.hpp"

#include <algorithm>
#include <map>
#include <tuple>

namespace artgen {

const std::array<Rgb, 16>& standardColours16() {
    static const std::array<Rgb, 16> colours{{
        {0, 0, 0},       {128, 0, 0},     {0, 128, 0},   {128, 128, 0},
        {0, 0, 128},     {128, 0, 128},   {0, 128, 128}, {128, 128, 128},
        {192, 192, 192}, {255, 0, 0},     {0, 255, 0},   {255, 255, 0},
        {0, 0, 255},     {255, 0, 255},   {0, 255, 255}, {255, 255, 255},
    }};
    return colours;
}

namespace {

struct Bin {
    Rgb colour;
    std::size_t count = 0;
};

std::uint8_t channel(const Rgb& c, int axis) {
    return axis == 0 ? c.r : (axis == 1 ? c.g : c.b);
}

struct Box {
    std::size_t begin = 0;
    std::size_t end = 0; // bins [begin, end)
    int axis = 0;
    int range = 0;
};

Box measure(const std::vector<Bin>& bins, std::size_t begin, std::size_t end) {
    std::array<int, 3> lo{255, 255, 255};
    std::array<int, 3> hi{0, 0, 0};
    for (std::size_t i = begin; i < end; ++i) {
        for (int a = 0; a < 3; ++a) {
            lo[a] = std::min<int>(lo[a], channel(bins[i].colour, a));
            hi[a] = std::max<int>(hi[a], channel(bins[i].colour, a));
        }
    }
    Box box{begin, end, 0, hi[0] - lo[0]};
    for (int a = 1; a < 3; ++a) {
        if (hi[a] - lo[a] > box.range) {
            box.axis = a;
            box.range = hi[a] - lo[a];
        }
    }
    return box;
}

Rgb average(const std::vector<Bin>& bins, const Box& box) {
    std::size_t total = 0;
    std::array<std::size_t, 3> sum{0, 0, 0};
    for (std::size_t i = box.begin; i < box.end; ++i) {
        total += bins[i].count;
        sum[0] += bins[i].colour.r * bins[i].count;
        sum[1] += bins[i].colour.g * bins[i].count;
        sum[2] += bins[i].colour.b * bins[i].count;
    }
    auto mean = [&](std::size_t s) { return static_cast<std::uint8_t>((s + total / 2) / total); };
    return Rgb{mean(sum[0]), mean(sum[1]), mean(sum[2])};
}

} // namespace

std::vector<Rgb> medianCut(const std::vector<Rgb>& pixels, std::size_t maxColours) {
    std::map<std::tuple<int, int, int>, std::size_t> histogram;
    for (const Rgb& p : pixels) ++histogram[{p.r, p.g, p.b}];

    std::vector<Bin> bins;
    bins.reserve(histogram.size());
    for (const auto& [key, count] : histogram) {
        bins.push_back(Bin{Rgb{static_cast<std::uint8_t>(std::get<0>(key)), static_cast<std::uint8_t>(std::get<1>(key)),
                               static_cast<std::uint8_t>(std::get<2>(key))},
                           count});
    }
    if (bins.size() <= maxColours) {
        std::vector<Rgb> exact;
        for (const Bin& b : bins) exact.push_back(b.colour);
        return exact;
    }

    std::vector<Box> boxes{measure(bins, 0, bins.size())};
    while (boxes.size() < maxColours) {
        // Split the box spanning the widest colour range; on ties the
        // earliest, so the outcome never depends on container internals.
        std::size_t pick = boxes.size();
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].end - boxes[i].begin < 2) continue;
            if (pick == boxes.size() || boxes[i].range > boxes[pick].range) pick = i;
        }
        if (pick == boxes.size()) break;
        const Box box = boxes[pick];
        const int axis = box.axis;
        std::sort(bins.begin() + static_cast<std::ptrdiff_t>(box.begin), bins.begin() + static_cast<std::ptrdiff_t>(box.end),
                  [axis](const Bin& a, const Bin& b) {
                      const auto ka = std::make_tuple(channel(a.colour, axis), a.colour.r, a.colour.g, a.colour.b);
                      const auto kb = std::make_tuple(channel(b.colour, axis), b.colour.r, b.colour.g, b.colour.b);
                      return ka < kb;
                  });
        // Cut where half of the box's pixels (not of its distinct colours)
        // lie on either side, keeping at least one colour in each half.
        std::size_t total = 0;
        for (std::size_t i = box.begin; i < box.end; ++i) total += bins[i].count;
        std::size_t running = 0;
        std::size_t cut = box.begin + 1;
        for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
            running += bins[i].count;
            cut = i + 1;
            if (running * 2 >= total) break;
        }
        boxes[pick] = measure(bins, box.begin, cut);
        boxes.push_back(measure(bins, cut, box.end));
    }

    std::vector<Rgb> palette;
    palette.reserve(boxes.size());
    for (const Box& b : boxes) palette.push_back(average(bins, b));
    std::sort(palette.begin(), palette.end(), [](const Rgb& a, const Rgb& b) {
        return std::make_tuple(a.r, a.g, a.b) < std::make_tuple(b.r, b.g, b.b);
    });
    return palette;
}

std::uint8_t nearestIndex(const std::vector<Rgb>& palette, Rgb c) {
    std::size_t best = 0;
    int bestDistance = -1;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const int dr = int{c.r} - int{palette[i].r};
        const int dg = int{c.g} - int{palette[i].g};
        const int db = int{c.b} - int{palette[i].b};
        // Weighted towards the eye's sensitivity (green most, blue least):
        // plain RGB distance lets dithering of warm yellows pick pure red.
        const int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (bestDistance < 0 || d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return static_cast<std::uint8_t>(best);
}

std::vector<std::uint8_t> mapNearest(const RgbaImage& image, const std::vector<bool>& opaque,
                                     const std::vector<Rgb>& palette, std::uint8_t fillIndex) {
    std::vector<std::uint8_t> indices(image.pixels.size(), fillIndex);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        if (!opaque[i]) continue;
        const Rgba& p = image.pixels[i];
        indices[i] = nearestIndex(palette, Rgb{p.r, p.g, p.b});
    }
    return indices;
}

std::vector<std::uint8_t> ditherFloydSteinberg(const RgbaImage& image, const std::vector<bool>& opaque,
                                               const std::vector<Rgb>& palette, std::uint8_t fillIndex) {
    const int w = image.width;
    const int h = image.height;
    // Accumulated error in sixteenths of a level, integer so every run
    // produces the same pixels.
    std::vector<std::array<int, 3>> error(image.pixels.size(), std::array<int, 3>{0, 0, 0});
    std::vector<std::uint8_t> indices(image.pixels.size(), fillIndex);
    auto idx = [w](int x, int y) { return static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x); };

    for (int y = 0; y < h; ++y) {
        // Serpentine order avoids the diagonal "worms" of one-way scanning.
        const bool leftToRight = (y % 2) == 0;
        const int step = leftToRight ? 1 : -1;
        for (int i = 0; i < w; ++i) {
            const int x = leftToRight ? i : w - 1 - i;
            const std::size_t at = idx(x, y);
            if (!opaque[at]) continue;
            const Rgba& src = image.pixels[at];
            std::array<int, 3> want{int{src.r} * 16 + error[at][0], int{src.g} * 16 + error[at][1],
                                    int{src.b} * 16 + error[at][2]};
            Rgb target{};
            std::array<std::uint8_t*, 3> out{&target.r, &target.g, &target.b};
            for (int c = 0; c < 3; ++c) {
                const int v = (want[c] + 8) / 16;
                *out[c] = static_cast<std::uint8_t>(std::clamp(v, 0, 255));
                want[c] = std::clamp(want[c], 0, 255 * 16);
            }
            const std::uint8_t chosen = nearestIndex(palette, target);
            indices[at] = chosen;
            const Rgb& got = palette[chosen];
            const std::array<int, 3> err{want[0] - int{got.r} * 16, want[1] - int{got.g} * 16, want[2] - int{got.b} * 16};
            auto spread = [&](int dx, int dy, int weight) {
                const int nx = x + dx;
                const int ny = y + dy;
                if (nx < 0 || nx >= w || ny >= h) return;
                const std::size_t n = idx(nx, ny);
                if (!opaque[n]) return;
                for (int c = 0; c < 3; ++c) error[n][c] += err[c] * weight / 16;
            };
            spread(step, 0, 7);
            spread(-step, 1, 3);
            spread(0, 1, 5);
            spread(step, 1, 1);
        }
    }
    return indices;
}

} // namespace artgen
