#include "artwork.hpp"

#include "bmp_writer.hpp"
#include "close_art.hpp"
#include "font_file.hpp"
#include "icon_art.hpp"
#include "ico_writer.hpp"
#include "weblink_art.hpp"

#include <fstream>
#include <stdexcept>

namespace artgen {

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

std::vector<ArtworkFile> buildAllArtwork() {
    std::vector<ArtworkFile> files{
        {"Mirvashel.ico", buildIconFile()},
        {"close.bmp", buildCloseBitmap()},
        {"weblink.bmp", buildWeblinkBitmap()},
    };
    // The other scales, compressed: seven 24-bit pairs would cost the
    // program about 170 KB.
    const std::string letteringFont = findLetteringFont();
    for (const int dpi : kScaledDpis) {
        const std::string suffix = std::to_string(dpi).insert(0, 1, '-').append(".bmp");
        files.push_back({"close" + suffix, encodeBmpRle8(drawCloseImage(dpi))});
        files.push_back({"weblink" + suffix, encodeBmpRle8(drawWeblinkImage(letteringFont, dpi))});
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
