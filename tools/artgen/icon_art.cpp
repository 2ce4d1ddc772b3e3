#include "icon_art.hpp"

#include <cairo.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

namespace artgen {
namespace {

// The drawing is laid out on a 128 × 128 grid.
constexpr double kGrid = 128.0;

struct Point {
    double x = 0;
    double y = 0;
};

Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
Point operator*(Point a, double k) { return {a.x * k, a.y * k}; }

Point normalised(Point v) {
    const double len = std::hypot(v.x, v.y);
    return {v.x / len, v.y / len};
}

struct Colour {
    double r, g, b;
};

constexpr Colour rgb(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }

void setColour(cairo_t* cr, Colour c) { cairo_set_source_rgb(cr, c.r, c.g, c.b); }

void polygon(cairo_t* cr, const std::vector<Point>& pts) {
    cairo_new_path(cr);
    cairo_move_to(cr, pts.front().x, pts.front().y);
    for (std::size_t i = 1; i < pts.size(); ++i) cairo_line_to(cr, pts[i].x, pts[i].y);
    cairo_close_path(cr);
}

// Pen widths are given on the 128 grid; at small sizes they are widened to
// keep at least 0.7 device pixels, or the outlines would blur into the fills
// and the parts of the figure would run together.
double pen(double gridWidth, double scale) { return std::max(gridWidth, 0.7 / scale); }

void fillAndOutline(cairo_t* cr, Colour fill, Colour line, double gridPen, double scale) {
    setColour(cr, fill);
    cairo_fill_preserve(cr);
    setColour(cr, line);
    cairo_set_line_width(cr, pen(gridPen, scale));
    cairo_stroke(cr);
}

// Colours of the figure. Kept near the pure yellows and greens of the
// 16-colour table so the dithered 4-bit images stay calm.
constexpr Colour kFolderBack = rgb(236, 196, 24);
constexpr Colour kFolderBackShade = rgb(214, 166, 12);
constexpr Colour kFolderFrontTop = rgb(255, 240, 80);
constexpr Colour kFolderFrontBottom = rgb(255, 226, 40);
constexpr Colour kFolderLine = rgb(140, 100, 4);
constexpr Colour kSheet = rgb(255, 255, 255);
constexpr Colour kSheetEdge = rgb(140, 182, 228);
constexpr Colour kSheetFold = rgb(222, 236, 252);
constexpr Colour kArrow = rgb(28, 150, 36);
constexpr Colour kArrowLight = rgb(104, 226, 84);
constexpr Colour kArrowLine = rgb(12, 88, 16);

// Fills the current path with a top-to-bottom shade and outlines it in the
// folder's line colour.
void fillShadedFolderPart(cairo_t* cr, double top, double bottom, Colour from, Colour to, double scale) {
    cairo_pattern_t* shade = cairo_pattern_create_linear(0, top, 0, bottom);
    cairo_pattern_add_color_stop_rgb(shade, 0, from.r, from.g, from.b);
    cairo_pattern_add_color_stop_rgb(shade, 1, to.r, to.g, to.b);
    cairo_set_source(cr, shade);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(shade);
    setColour(cr, kFolderLine);
    cairo_set_line_width(cr, pen(2.5, scale));
    cairo_stroke(cr);
}

void drawFolderBack(cairo_t* cr, double scale) {
    // Back wall with its tab, leaning right like the rest of the folder.
    polygon(cr, {{12, 118}, {19, 56}, {23, 52}, {72, 52}, {78, 45}, {106, 45}, {111, 50}, {106, 118}});
    fillShadedFolderPart(cr, 45, 118, kFolderBack, kFolderBackShade, scale);
}

void drawSheet(cairo_t* cr, double scale) {
    // Tilted a little clockwise, standing out of the folder's mouth; its
    // lower part disappears behind the front flap.
    cairo_save(cr);
    cairo_translate(cr, 66, 54);
    cairo_rotate(cr, 10.0 * std::numbers::pi / 180.0);
    polygon(cr, {{-24, -46}, {12, -46}, {24, -34}, {24, 40}, {-24, 40}});
    fillAndOutline(cr, kSheet, kSheetEdge, 3.0, scale);
    // Folded corner.
    polygon(cr, {{12, -46}, {12, -34}, {24, -34}});
    fillAndOutline(cr, kSheetFold, kSheetEdge, 2.0, scale);
    cairo_restore(cr);
}

void drawFolderFront(cairo_t* cr, double scale) {
    // The open front flap falls forward: its top edge sits lower and further
    // right than the hinge along the bottom.
    polygon(cr, {{32, 76}, {126, 76}, {108, 124}, {10, 124}});
    fillShadedFolderPart(cr, 76, 124, kFolderFrontTop, kFolderFrontBottom, scale);
}

Point bezier(const std::array<Point, 4>& c, double t) {
    const double u = 1 - t;
    return c[0] * (u * u * u) + c[1] * (3 * u * u * t) + c[2] * (3 * u * t * t) + c[3] * (t * t * t);
}

Point bezierTangent(const std::array<Point, 4>& c, double t) {
    const double u = 1 - t;
    return (c[1] - c[0]) * (3 * u * u) + (c[2] - c[1]) * (6 * u * t) + (c[3] - c[2]) * (3 * t * t);
}

void drawArrow(cairo_t* cr, double scale) {
    // Centre line of the shaft: up from the left, over the sheet, and down
    // towards the folder's front on the right.
    const std::array<Point, 4> spine{{{8, 88}, {6, 22}, {62, 0}, {88, 64}}};
    constexpr double kShaft = 14.0;      // shaft width
    constexpr double kHeadHalf = 25.0;   // half the width of the head's base
    constexpr double kHeadLength = 30.0;
    constexpr double kLightBand = 5.5;   // width of the lighter upper band
    constexpr int kSteps = 48;

    std::vector<Point> outer;
    std::vector<Point> inner;
    std::vector<Point> bandInner;
    for (int i = 0; i <= kSteps; ++i) {
        const double t = static_cast<double>(i) / kSteps;
        const Point p = bezier(spine, t);
        const Point d = normalised(bezierTangent(spine, t));
        const Point out{d.y, -d.x}; // towards the outside of the arch
        outer.push_back(p + out * (kShaft / 2));
        inner.push_back(p - out * (kShaft / 2));
        bandInner.push_back(p + out * (kShaft / 2 - kLightBand));
    }
    const Point end = spine[3];
    const Point dir = normalised(bezierTangent(spine, 1.0));
    const Point out{dir.y, -dir.x};
    const Point tip = end + dir * kHeadLength;
    const Point headOuter = end + out * kHeadHalf;
    const Point headInner = end - out * kHeadHalf;

    std::vector<Point> shape = outer;
    shape.push_back(headOuter);
    shape.push_back(tip);
    shape.push_back(headInner);
    shape.insert(shape.end(), inner.rbegin(), inner.rend());

    polygon(cr, shape);
    setColour(cr, kArrow);
    cairo_fill(cr);

    // Lighter band along the top of the shaft, running on into the head.
    std::vector<Point> band = outer;
    band.push_back(headOuter);
    band.push_back(tip);
    band.push_back(end + out * (kShaft / 2 - kLightBand));
    band.insert(band.end(), bandInner.rbegin(), bandInner.rend());
    cairo_save(cr);
    polygon(cr, shape);
    cairo_clip(cr);
    polygon(cr, band);
    setColour(cr, kArrowLight);
    cairo_fill(cr);
    cairo_restore(cr);

    polygon(cr, shape);
    setColour(cr, kArrowLine);
    cairo_set_line_width(cr, pen(2.5, scale));
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

} // namespace

RgbaImage drawAppIcon(int size) {
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size), &cairo_surface_destroy);
    std::unique_ptr<cairo_t, decltype(&cairo_destroy)> context(cairo_create(surface.get()), &cairo_destroy);
    cairo_t* cr = context.get();

    const double scale = size / kGrid;
    cairo_scale(cr, scale, scale);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);

    drawFolderBack(cr, scale);
    drawSheet(cr, scale);
    drawFolderFront(cr, scale);
    drawArrow(cr, scale);

    return fromCairoArgb(surface.get());
}

} // namespace artgen
