// Finds the font file the web-address lettering is drawn with.
#pragma once

#include <string>

namespace artgen {

// Asks fontconfig for the bold condensed DejaVu Sans face and returns its
// file. Rejects a substitute: the picture must come out the same on every
// build machine, which only holds when the same outlines are rendered.
std::string findLetteringFont();

} // namespace artgen
