// The display scale: its one rule for lengths and fonts (the card's skin drawn again by it: ResourceFilesTest.cpp).
#include <gtest/gtest.h>

#include "toolkit/core/DpiScale.h"
#include "toolkit/core/Errors.h"

TEST(DpiScale, LengthsAndPointSizesInPixelsAtADpiWithHalvesToEven) {
    const struct { int32_t value; int dpi, pixels; } lengths[] = {{272, 96, 272}, {201, 144, 302}, {5, 144, 8}, {3, 144, 4},
        {1, 144, 2}, {7, 120, 9}, {2, 120, 2}, {9, 192, 18}, {-3, 144, -4}, {1, 48, 0}};
    for (auto c : lengths) EXPECT_EQ(tk::Scale(c.value, c.dpi), c.pixels) << c.value << " at " << c.dpi;
    EXPECT_THROW(tk::Scale(INT32_MAX, 144), tk::OverflowError);
    const struct { double points; int dpi, pixels; } fonts[] = {{8.25, 96, 11}, {8.25, 144, 16}, {8.25, 120, 14}, {7.5, 120, 12}};
    for (auto c : fonts) EXPECT_EQ(tk::PointsToPixels(c.points, c.dpi), c.pixels) << c.points << " at " << c.dpi;
}
