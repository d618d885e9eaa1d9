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

TEST(Dpi, WindowPixelsGoBackToTheLogicalPixelUnderTheirMiddle) {
    struct Case {
        int dpi, physical, logical;
    };
    const Case cases[] = {{96, 0, 0},    {96, 232, 232}, {96, -1, -1},  {192, 0, 0},
                          {192, 1, 0},   {192, 2, 1},    {192, 465, 232}, {192, -1, -1},
                          {192, -2, -1}, {192, -3, -2},  {144, 1, 1},   {144, 2, 1},
                          {144, 304, 203}, {144, -1, -1}};
    for (const Case& c : cases)
        EXPECT_EQ(Dpi(c.dpi).Unscale(c.physical), c.logical) << c.dpi << " " << c.physical;
    // every pixel of a scaled rectangle maps back into the rectangle
    const PixelRect exit{194, 41, 18, 18};
    for (int dpi : {96, 120, 144, 168, 192}) {
        const PixelRect scaled = Dpi(dpi).Scale(exit);
        for (int x = scaled.Left; x < scaled.Left + scaled.Width; ++x)
            EXPECT_TRUE(exit.Contains(Dpi(dpi).Unscale(x), exit.Top)) << dpi << " " << x;
    }
    // rectangles side by side stay so: the hide button ends where the close button begins
    const PixelRect hide{177, 41, 17, 18}, scaled = Dpi(144).Scale(hide);
    EXPECT_EQ(scaled.Left + scaled.Width, Dpi(144).Scale(exit).Left);
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
