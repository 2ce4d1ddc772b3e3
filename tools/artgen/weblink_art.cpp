#include "weblink_art.hpp"

#include "title_strip.hpp"

#include <cairo-ft.h>
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>
#include <stdexcept>

namespace artgen {
namespace {

// At 15 pixels to the em, light hinting snaps the face's x-height to 9
// pixels, its ascenders to 12 and its descenders to 3: exactly the rows the
// lettering may use around the baseline. At that height the name is far too
// wide for the picture, so the face is squeezed sideways, just enough to fit
// between the side margins; a smaller size would cost x-height instead.
constexpr double kEmPixels = 15.0;
constexpr double kScratchOrigin = 16.0;
constexpr int kScratchWidth = 160;

using SurfacePtr = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
using ContextPtr = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;
using FontFacePtr = std::unique_ptr<cairo_font_face_t, decltype(&cairo_font_face_destroy)>;

FT_Library freetype() {
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) != 0) throw std::runtime_error("FreeType could not be initialised");
        return lib;
    }();
    return library;
}

const cairo_user_data_key_t kFaceKey{};

FontFacePtr loadFace(const std::string& fontFile) {
    FT_Face face = nullptr;
    if (FT_New_Face(freetype(), fontFile.c_str(), 0, &face) != 0) {
        throw std::runtime_error("cannot load font file " + fontFile);
    }
    FontFacePtr cairoFace(cairo_ft_font_face_create_for_ft_face(face, 0), &cairo_font_face_destroy);
    // cairo may keep the face cached past our last reference; hand the
    // FreeType face's lifetime over to it.
    if (cairo_font_face_set_user_data(cairoFace.get(), &kFaceKey, face,
                                      [](void* f) { FT_Done_Face(static_cast<FT_Face>(f)); }) != CAIRO_STATUS_SUCCESS) {
        FT_Done_Face(face);
        throw std::runtime_error("cannot attach font face");
    }
    return cairoFace;
}

struct Layout {
    double em = 0;
    double widthScale = 1;
    double originX = 0;
    double baseline = kBaselineRow + 1.0; // the bottom edge of the baseline row
    int width = kScratchWidth, height = kWeblinkHeight; // of the measuring strip
};

// Sets up font, size and rendering options and shows the host name with
// its baseline on the bottom edge of kBaselineRow.
void showHost(cairo_t* cr, cairo_font_face_t* face, const Layout& layout) {
    cairo_set_font_face(cr, face);
    cairo_matrix_t size;
    cairo_matrix_init_scale(&size, layout.em * layout.widthScale, layout.em);
    cairo_set_font_matrix(cr, &size);

    std::unique_ptr<cairo_font_options_t, decltype(&cairo_font_options_destroy)> options(cairo_font_options_create(),
                                                                                         &cairo_font_options_destroy);
    cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options.get());

    cairo_scaled_font_t* font = cairo_get_scaled_font(cr);
    cairo_glyph_t* glyphs = nullptr;
    int count = 0;
    if (cairo_scaled_font_text_to_glyphs(font, layout.originX, layout.baseline, kWeblinkHost, -1, &glyphs, &count, nullptr,
                                         nullptr, nullptr) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error("cannot lay out the host name");
    }
    cairo_show_glyphs(cr, glyphs, count);
    cairo_glyph_free(glyphs);
}

struct InkBox {
    int left = -1, right = -1, top = -1, bottom = -1;
    [[nodiscard]] int width() const { return right - left + 1; }
};

// Renders coverage only, into a strip wide enough for any squeeze tried,
// and reports which pixels received any ink at all.
InkBox measure(cairo_font_face_t* face, const Layout& layout) {
    SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_A8, layout.width, layout.height), &cairo_surface_destroy);
    ContextPtr context(cairo_create(surface.get()), &cairo_destroy);
    showHost(context.get(), face, layout);
    cairo_surface_flush(surface.get());
    const unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    InkBox box;
    for (int y = 0; y < layout.height; ++y) {
        for (int x = 0; x < layout.width; ++x) {
            if (data[y * stride + x] == 0) continue;
            if (box.left < 0 || x < box.left) box.left = x;
            if (x > box.right) box.right = x;
            if (box.top < 0) box.top = y;
            box.bottom = y;
        }
    }
    return box;
}

} // namespace

RgbImage drawWeblinkImage(const std::string& fontFile, int dpi) {
    FontFacePtr face = loadFace(fontFile);
    // At other DPIs every length scales; the baseline stays on a pixel edge.
    const double scale = dpi / 96.0;
    const int room = (kLetteringRight - kLetteringLeft + 1) * dpi / 96;
    const int left = (kLetteringLeft * dpi + 48) / 96;
    const int width = scaledSize(kWeblinkWidth, dpi), height = scaledSize(kWeblinkHeight, dpi);

    // Squeeze in small steps until the ink fits the room. Hinted glyphs
    // land on whole pixels, so the ink width moves in steps and a plain
    // downward scan finds the widest setting that fits.
    Layout layout{kEmPixels * scale, 1.0, kScratchOrigin * scale, double(((kBaselineRow + 1) * dpi + 48) / 96),
                  scaledSize(kScratchWidth, dpi), height};
    InkBox ink = measure(face.get(), layout);
    while (ink.width() > room) {
        layout.widthScale -= 1.0 / 512.0;
        if (layout.widthScale < 0.5) throw std::runtime_error("host name does not fit the web-address picture");
        ink = measure(face.get(), layout);
    }
    if (dpi == 96 ? (ink.top < kLetteringTop || ink.bottom > kLetteringBottom) : (ink.top < 0 || ink.bottom >= height)) {
        throw std::runtime_error("lettering leaves its rows");
    }
    // Move by whole pixels only, so the glyphs rasterise exactly as measured.
    layout.originX += left - ink.left;

    SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height), &cairo_surface_destroy);
    ContextPtr context(cairo_create(surface.get()), &cairo_destroy);
    cairo_t* cr = context.get();
    cairo_set_source_rgb(cr, kStripBackground.r / 255.0, kStripBackground.g / 255.0, kStripBackground.b / 255.0);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, kWeblinkInk.r / 255.0, kWeblinkInk.g / 255.0, kWeblinkInk.b / 255.0);
    showHost(cr, face.get(), layout);

    return fromCairoRgb(surface.get());
}

} // namespace artgen
