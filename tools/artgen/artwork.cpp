#include "artwork.hpp"

#include "bmp_writer.hpp"
#include "close_art.hpp"
#include "font_file.hpp"
#include "icon_art.hpp"
#include "ico_writer.hpp"
#include "weblink_art.hpp"

#include <cmath>
#include <fstream>
#include <iterator>
#include <utility>
#include <stdexcept>

namespace artgen {

inline constexpr int kWeblinkShades = 16;

std::vector<std::uint8_t> buildIconFile() {
    std::vector<EncodedIconImage> images;
    for (int size : kIconSizes) {
        const RgbaImage art = drawAppIcon(size);
        for (int depth : kIconDepths) images.push_back(encodeIconImage(art, depth));
    }
    return encodeIcoFile(images);
}

std::vector<std::uint8_t> buildCloseBitmap() { return encodeBmp24(drawCloseImage()); }

std::vector<std::uint8_t> buildWeblinkBitmap() { return encodeBmp24(drawWeblinkImage(findLetteringFont())); }

namespace {

// The lettering's edge shades reduced to a few steps between ground and
// ink: a short palette and longer runs, at no visible cost at these sizes.
RgbImage withFewerShades(RgbImage image, int steps) {
    const double span = double(kStripBackground.g) - kWeblinkInk.g;
    auto mix = [](int from, int to, double t) { return static_cast<std::uint8_t>(from + (to - from) * t + 0.5); };
    for (Rgb& p : image.pixels) {
        const double t = std::round((kStripBackground.g - p.g) / span * steps) / steps;
        p = Rgb{mix(kStripBackground.r, kWeblinkInk.r, t), mix(kStripBackground.g, kWeblinkInk.g, t),
                mix(kStripBackground.b, kWeblinkInk.b, t)};
    }
    return image;
}

} // namespace

RgbImage scaledWeblinkImage(const std::string& letteringFont, int dpi) {
    RgbImage image = drawWeblinkImage(letteringFont, dpi);
    return dpi == 96 ? image : withFewerShades(std::move(image), kWeblinkShades);
}

std::vector<ArtworkFile> buildAllArtwork() {
    std::vector<ArtworkFile> files{
        {"Mirvashel.ico", buildIconFile()},
        {"close.bmp", buildCloseBitmap()},
        {"weblink.bmp", buildWeblinkBitmap()},
    };
    // What the program embeds: both pictures run-length encoded, at 96 dpi
    // with exactly the pixels above, and at the other scales. Uncompressed,
    // the pictures for the seven common scales would cost it about 170 KB.
    const std::string letteringFont = findLetteringFont();
    std::vector<int> dpis{96};
    dpis.insert(dpis.end(), std::begin(kScaledDpis), std::end(kScaledDpis));
    for (const int dpi : dpis) {
        const std::string suffix = std::to_string(dpi).insert(0, 1, '-').append(".bmp");
        files.push_back({"close" + suffix, encodeBmpRle8(drawCloseImage(dpi))});
        files.push_back({"weblink" + suffix, encodeBmpRle8(scaledWeblinkImage(letteringFont, dpi))});
    }
    return files;
}

void writeArtwork(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    for (const ArtworkFile& file : buildAllArtwork()) {
        const std::filesystem::path target = folder / file.name;
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(file.bytes.data()), static_cast<std::streamsize>(file.bytes.size()));
        if (!out) throw std::runtime_error("cannot write " + target.string());
    }
}

} // namespace artgen
