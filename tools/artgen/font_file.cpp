#include "font_file.hpp"

#include <fontconfig/fontconfig.h>

#include <memory>
#include <stdexcept>

namespace artgen {
namespace {

constexpr const char* kFamily = "DejaVu Sans";
constexpr const char* kFileName = "DejaVuSansCondensed-Bold.ttf";

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

std::string findLetteringFont() {
    std::unique_ptr<FcConfig, decltype(&FcConfigDestroy)> config(FcInitLoadConfigAndFonts(), &FcConfigDestroy);
    if (!config) throw std::runtime_error("fontconfig could not be initialised");

    std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> pattern(FcPatternCreate(), &FcPatternDestroy);
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(kFamily));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, FC_WEIGHT_BOLD);
    FcPatternAddInteger(pattern.get(), FC_WIDTH, FC_WIDTH_CONDENSED);
    FcPatternAddInteger(pattern.get(), FC_SLANT, FC_SLANT_ROMAN);
    FcConfigSubstitute(config.get(), pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());

    FcResult result = FcResultNoMatch;
    std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> match(FcFontMatch(config.get(), pattern.get(), &result),
                                                                  &FcPatternDestroy);
    FcChar8* file = nullptr;
    if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch || file == nullptr) {
        throw std::runtime_error("no font file found for the web-address lettering");
    }
    std::string path(reinterpret_cast<const char*>(file));
    if (!endsWith(path, std::string("/") + kFileName)) {
        throw std::runtime_error("fontconfig offered " + path + " instead of " + kFileName +
                                 " (Debian package fonts-dejavu-extra)");
    }
    return path;
}

} // namespace artgen
