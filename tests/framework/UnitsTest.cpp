// Twips to pixels at the scales the program meets.
#include "Units.h"

#include <gtest/gtest.h>

namespace {

// Twips halfway between two pixels go to the even pixel: at 120 dpi a
// pixel is 12 twips, at 192 dpi 7.5 (halves from a drag's arithmetic).
TEST(UnitsTest, TwipsHalfwayBetweenPixelsGoToTheEvenPixel) {
    const struct { int dpi; double twips; int pixels; } cases[] = {
        {120, 18, 2}, {120, 30, 2}, {120, 42, 4}, {120, -30, -2}, {192, 3.75, 0}, {192, 11.25, 2}, {192, 18.75, 2}};
    for (const auto& c : cases) {
        EXPECT_EQ(fx::Units(c.dpi, c.dpi).ToPixelsX(c.twips), c.pixels) << c.twips << " twips at " << c.dpi;
        EXPECT_EQ(fx::Units(c.dpi, c.dpi).ToPixelsY(c.twips), c.pixels) << c.twips << " twips at " << c.dpi;
    }
}

} // namespace
