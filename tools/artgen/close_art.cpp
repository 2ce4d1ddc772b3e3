#include "close_art.hpp"

#include <cairo.h>

#include <memory>

namespace artgen {
namespace {

// The white strokes fill columns 5..17 and rows 4..17; a one-pixel grey rim
// around them (columns 4..18, rows 3..18) lifts the white off the light
// background. Both are cut square at their boxes so the arms end on the
// pixel grid instead of fading out in round or pointed caps.
constexpr double kCoreLeft = 5, kCoreTop = 4, kCoreRight = 18, kCoreBottom = 18;
constexpr double kStroke = 3.0;
constexpr double kRim = 1.0;
constexpr double kRimGrey = 204.0 / 255.0;

void diagonals(cairo_t* cr) {
    cairo_new_path(cr);
    cairo_move_to(cr, kCoreLeft, kCoreTop);
    cairo_line_to(cr, kCoreRight, kCoreBottom);
    cairo_move_to(cr, kCoreRight, kCoreTop);
    cairo_line_to(cr, kCoreLeft, kCoreBottom);
}

void strokeInside(cairo_t* cr, double inset, double width, double grey) {
    cairo_save(cr);
    cairo_rectangle(cr, kCoreLeft - inset, kCoreTop - inset, (kCoreRight - kCoreLeft) + 2 * inset,
                    (kCoreBottom - kCoreTop) + 2 * inset);
    cairo_clip(cr);
    diagonals(cr);
    cairo_set_source_rgb(cr, grey, grey, grey);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
    cairo_stroke(cr);
    cairo_restore(cr);
}

} // namespace

RgbImage drawCloseImage(int dpi) {
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, scaledSize(kCloseWidth, dpi), scaledSize(kCloseHeight, dpi)),
        &cairo_surface_destroy);
    std::unique_ptr<cairo_t, decltype(&cairo_destroy)> context(cairo_create(surface.get()), &cairo_destroy);
    cairo_t* cr = context.get();

    cairo_set_source_rgb(cr, kStripBackground.r / 255.0, kStripBackground.g / 255.0, kStripBackground.b / 255.0);
    cairo_paint(cr);
    cairo_scale(cr, dpi / 96.0, dpi / 96.0);
    strokeInside(cr, kRim, kStroke + 2 * kRim, kRimGrey);
    strokeInside(cr, 0, kStroke, 1.0);
    return fromCairoRgb(surface.get());
}

} // namespace artgen
