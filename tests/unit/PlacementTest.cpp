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

TEST(Placement, ThePairComesBackAsAWhole) {
    const std::vector<ScreenRect> one{Primary};
    const auto nearest = [](const ScreenRect&) { return Primary; };
    const ScreenRect main = at(5000, 5000), info = at(5031, 5031, 209, 204);
    const auto back = BringPairOnScreen(main, info, one, nearest);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->main.x, 1024 - 240); // the pair is 240 × 248
    EXPECT_EQ(back->main.y, 738 - 248);
    EXPECT_EQ(back->info.x - back->main.x, 31);
    EXPECT_EQ(back->info.y - back->main.y, 31);

    // Both can be seen, if only in part: nothing moves.
    EXPECT_FALSE(BringPairOnScreen(at(-100, 20), at(900, 700, 209, 204), one, nearest));
    // Only the info window is lost, above the screen: the pair moves down as little as it takes.
    const auto down = BringPairOnScreen(at(100, 50), at(100, -300, 209, 204), one, nearest);
    ASSERT_TRUE(down);
    EXPECT_EQ(down->main.x, 100);
    EXPECT_EQ(down->main.y, 350);
    EXPECT_EQ(down->info.y, 0);
}

TEST(Placement, APairTooFarApartComesBackWindowByWindow) {
    const std::vector<ScreenRect> two{Primary, RightOfIt};
    const auto nearest = [](const ScreenRect& r) { return r.left >= 1024 ? RightOfIt : Primary; };
    // The main window on the primary, its info window far right of every monitor: the main
    // window stays where the user sees it, the info window comes to the monitor nearest it.
    const auto back = BringPairOnScreen(at(300, 300), at(9000, 300, 209, 204), two, nearest);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->main.x, 300);
    EXPECT_EQ(back->main.y, 300);
    EXPECT_EQ(back->info.x, 2944 - 209);
    EXPECT_EQ(back->info.y, 300);

    // Both lost, far apart: the main window as on its own; the info window follows it where
    // that is on a screen.
    const auto both = BringPairOnScreen(at(-5000, 100), at(-3000, 200, 209, 204), {Primary},
                                        [](const ScreenRect&) { return Primary; });
    ASSERT_TRUE(both);
    EXPECT_EQ(both->main.x, 0);
    EXPECT_EQ(both->info.x, 1024 - 209);
    EXPECT_EQ(both->info.y, 200);
}

} // namespace
