// The tray icon's callback in both packings, and the tool tip cut at a word. (What the icon
// does with them: TrayKeyboardTest.)
#include "core/access/TrayKeys.h"
#include "core/text/WordCut.h"

#include <gtest/gtest.h>

using namespace meltemix;

namespace {

constexpr std::uint32_t Id = 0x000300A4;

std::uint64_t Pack(int low, int high) {
    return (static_cast<std::uint64_t>(static_cast<std::uint16_t>(high)) << 16) |
           static_cast<std::uint16_t>(low);
}

TEST(TrayCallback, BothPackings) {
    // Version 4: the point in wParam, the event and the identifier's low word in lParam.
    TrayCallback c = DecodeTrayCallback(4, Pack(1200, 740), Pack(TrayEvent::ContextMenu, Id), Id);
    EXPECT_EQ(c.Event, TrayEvent::ContextMenu);
    EXPECT_TRUE(c.HasPoint);
    EXPECT_EQ(c.X, 1200);
    EXPECT_EQ(c.Y, 740);
    c = DecodeTrayCallback(4, Pack(-30, -2), Pack(TrayEvent::KeySelect, Id), Id);
    EXPECT_EQ(c.Event, TrayEvent::KeySelect);
    EXPECT_EQ(c.X, -30); // a screen left of the primary one
    EXPECT_EQ(c.Y, -2);
    // The older packing: the identifier in wParam, the event alone in lParam.
    for (int version : {0, 3, 4}) {
        c = DecodeTrayCallback(version, Id, TrayEvent::ContextMenu, Id);
        EXPECT_EQ(c.Event, TrayEvent::ContextMenu) << version;
        EXPECT_FALSE(c.HasPoint) << version;
    }
    // Under version 3 nothing is taken for a point.
    c = DecodeTrayCallback(3, Pack(1200, 740), Pack(TrayEvent::ContextMenu, Id), Id);
    EXPECT_FALSE(c.HasPoint);
    EXPECT_NE(c.Event, TrayEvent::ContextMenu);
}

TEST(WordCut, CutAtAWordWithAnEllipsis) {
    EXPECT_EQ(CutAtWord("Istanbul, Açık, 21° - Meltemix!", 127), "Istanbul, Açık, 21° - Meltemix!");
    EXPECT_EQ(CutAtWord("Istanbul, Açık, 21° - Meltemix!", 31), "Istanbul, Açık, 21° - Meltemix!");
    EXPECT_EQ(CutAtWord("Istanbul, Açık, 21° - Meltemix!", 30), "Istanbul, Açık, 21°…");
    EXPECT_EQ(CutAtWord("Istanbul, Açık, 21° - Meltemix!", 17), "Istanbul, Açık…");
    EXPECT_EQ(CutAtWord("Istanbul, Açık, 21° - Meltemix!", 16), "Istanbul, Açık…");
    EXPECT_EQ(CutAtWord("Istanbul, Açık, 21° - Meltemix!", 15), "Istanbul…");
    EXPECT_EQ(CutAtWord("Kahramanmaraş", 6), "Kahra…"); // one word: cut where the room ends
    EXPECT_EQ(CutAtWord("ab", 0), "");
    // The shell's 127 units: a long place name never ends in the middle of a word.
    const std::string name(110, 'x');
    const std::string hint = "Yukarı " + name + ", Açık, 21° - Meltemix!";
    EXPECT_EQ(CutAtWord(hint, 127), "Yukarı " + name + ", Açık…");
}

} // namespace
