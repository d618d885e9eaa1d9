#include "win32/platform/Dpi.h"

#include <gtest/gtest.h>

namespace meltemix {
namespace {

TEST(Dpi, StandardDensityKeepsEveryPixel) {
    const Dpi dpi;
    for (int value : {-11, -1, 0, 1, 7, 448, 481})
        EXPECT_EQ(dpi.Scale(value), value);
}

TEST(Dpi, ScalesRoundHalvesAwayFromZero) {
    const Dpi twice(192), half(144), quarter(120);
    EXPECT_EQ(twice.Scale(448), 896);
    EXPECT_EQ(twice.Scale(481), 962);
    EXPECT_EQ(half.Scale(481), 722);
    EXPECT_EQ(half.Scale(75), 113);
    // a font's height is negative and must grow as much as a positive size
    EXPECT_EQ(half.Scale(-11), -17);
    EXPECT_EQ(half.Scale(-9), -14);
    EXPECT_EQ(quarter.Scale(2), 3);
    EXPECT_EQ(quarter.Scale(1), 1);
}

TEST(Dpi, NoDensityCountsAsTheStandardOne) {
    EXPECT_EQ(Dpi(0).value(), Dpi::Standard);
    EXPECT_EQ(Dpi(-5).Scale(10), 10);
}

TEST(Dpi, WithoutAWindowTheSystemSettingApplies) {
    HDC screen = GetDC(nullptr);
    const int system = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(Dpi::OfWindow(nullptr).value(), system);
}

} // namespace
} // namespace meltemix
