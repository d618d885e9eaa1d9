// Windows lost off every screen come back; windows the user can see stay put.
#include "core/app/Placement.h"

#include <gtest/gtest.h>

using namespace meltemix;

namespace {

const ScreenRect Primary{0, 0, 1024, 738};     // a task bar below
const ScreenRect LeftOfIt{-1280, 0, 0, 1024};  // a second monitor to the left
const ScreenRect RightOfIt{1024, 0, 2944, 1050};

ScreenRect at(int x, int y, int w = 233, int h = 248) { return {x, y, x + w, y + h}; }

TEST(Placement, OnlyAWindowWhollyOffEveryScreenMoves) {
    const std::vector<ScreenRect> one{Primary};
    EXPECT_EQ(BringOnScreen(at(300, 300), one, Primary), std::nullopt);
    EXPECT_EQ(BringOnScreen(at(-100, 20), one, Primary), std::nullopt); // partly visible
    EXPECT_EQ(BringOnScreen(at(1023, 737), one, Primary), std::nullopt); // one pixel shows

    const auto back = BringOnScreen(at(5000, 5000), one, Primary);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->x, 1024 - 233); // as little as it takes: against the far edges
    EXPECT_EQ(back->y, 738 - 248);
    const auto above = BringOnScreen(at(200, -400), one, Primary);
    ASSERT_TRUE(above);
    EXPECT_EQ(above->x, 200);
    EXPECT_EQ(above->y, 0);
}

TEST(Placement, MonitorsLeftAndRightCount) {
    const std::vector<ScreenRect> three{Primary, LeftOfIt, RightOfIt};
    EXPECT_EQ(BringOnScreen(at(-900, 100), three, LeftOfIt), std::nullopt);
    EXPECT_EQ(BringOnScreen(at(2000, 800), three, RightOfIt), std::nullopt);
    // The left monitor was unplugged: the window it held comes to the nearest one.
    const auto back = BringOnScreen(at(-900, 100), {Primary}, Primary);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->x, 0);
    EXPECT_EQ(back->y, 100);
    // Negative coordinates inside a monitor left of the primary are no reason to move.
    const auto toLeft = BringOnScreen(at(-3000, 100), three, LeftOfIt);
    ASSERT_TRUE(toLeft);
    EXPECT_EQ(toLeft->x, -1280);
}

TEST(Placement, AWindowLargerThanTheAreaShowsItsTopLeft) {
    const ScreenRect tiny{0, 0, 200, 150};
    const auto back = BringOnScreen(at(900, 900), {tiny}, tiny);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->x, 0);
    EXPECT_EQ(back->y, 0);
}

TEST(Placement, TheInfoWindowKeepsItsOffsetWhereItFits) {
    const std::vector<ScreenRect> one{Primary};
    // The main window came from (5000, 5000) to (791, 490); the info window was 31 right of it.
    const ScreenPoint mainMove{791 - 5000, 490 - 5000};
    const auto clamped = BringInfoOnScreen(at(5031, 5031, 209, 204), mainMove, one, Primary);
    ASSERT_TRUE(clamped); // 822 + 209 is past the right edge: clamped instead
    EXPECT_EQ(clamped->x, 1024 - 209);
    EXPECT_EQ(clamped->y, 738 - 204);

    const ScreenPoint smallMove{-2000, 0};
    const auto kept = BringInfoOnScreen(at(2100, 100, 209, 204), smallMove, one, Primary);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->x, 100);
    EXPECT_EQ(kept->y, 100);

    EXPECT_EQ(BringInfoOnScreen(at(900, 100, 209, 204), smallMove, one, Primary), std::nullopt);
}

} // namespace
