// Where the main window's parts are, how the keyboard and a screen reader move between them,
// and which changes a screen reader hears of.
#include "core/access/FocusModel.h"
#include "core/access/MainAccess.h"

#include <gtest/gtest.h>

using namespace meltemix;
using namespace meltemix::MainAccessId;

namespace {

TWeatherReport FullReport() {
    TWeatherReport r;
    r.CityName = "Istanbul";
    r.Temperature = "24";
    r.ConditionCode = "30";
    r.Sunrise = "6:40 am";
    r.Sunset = "7:16 pm";
    r.ConditionDate = "Mon, 14 Sep 2009 10:50 am EEST";
    const char* days[] = {"Mon", "Tue", "Wed", "Thu", "Fri"};
    for (int i = 0; i < 5; ++i)
        r.Forecast[static_cast<std::size_t>(i)] = {days[i], "18", "26", "30"};
    return r;
}

MainAccessInputs Active() {
    MainAccessInputs in;
    in.Report = FullReport();
    in.OptionsShown = in.HideShown = in.ExitShown = true;
    return in;
}

bool Disjoint(const PixelRect& a, const PixelRect& b) {
    return a.Left + a.Width <= b.Left || b.Left + b.Width <= a.Left ||
           a.Top + a.Height <= b.Top || b.Top + b.Height <= a.Top;
}

TEST(AccessTree, PartsAreDisjointInsideTheWindowAndFoundAtTheirMiddles) {
    const AccessTree tree = MainAccessTree(Active());
    ASSERT_EQ(tree.ChildCount(), 10);
    const PixelRect& window = tree.Root.Rect;
    for (int a = 1; a <= tree.ChildCount(); ++a) {
        const PixelRect& r = tree.Node(a)->Rect;
        EXPECT_TRUE(tree.Node(a)->Shown) << a;
        EXPECT_GT(r.Width, 0);
        EXPECT_GT(r.Height, 0);
        EXPECT_TRUE(r.Left >= 0 && r.Top >= 0 && r.Left + r.Width <= window.Width &&
                    r.Top + r.Height <= window.Height) << a;
        for (int b = a + 1; b <= tree.ChildCount(); ++b)
            EXPECT_TRUE(Disjoint(r, tree.Node(b)->Rect)) << a << " and " << b;
        EXPECT_EQ(HitTest(tree, r.Left + r.Width / 2, r.Top + r.Height / 2), a);
        EXPECT_EQ(HitTest(tree, r.Left, r.Top), a);
        EXPECT_NE(HitTest(tree, r.Left + r.Width, r.Top + r.Height), a);
    }
    EXPECT_EQ(HitTest(tree, 5, 5), ChildSelf);    // the window, on no part
    EXPECT_EQ(HitTest(tree, 233, 10), NoChild);   // beside it
    EXPECT_EQ(HitTest(tree, -1, 10), NoChild);
}

TEST(AccessTree, TheCloseButtonTakesTheColumnItSharesWithTheHideButton) {
    const AccessTree tree = MainAccessTree(Active());
    EXPECT_EQ(HitTest(tree, 194, 50), ExitBtn); // where a click closes the window
    EXPECT_EQ(HitTest(tree, 193, 50), HideBtn);
}

TEST(AccessTree, HiddenPartsAreNeitherFoundNorReached) {
    MainAccessInputs in = Active();
    in.HideShown = false;
    in.Report.Forecast[1] = {};
    const AccessTree tree = MainAccessTree(in);
    EXPECT_EQ(HitTest(tree, 185, 50), ChildSelf);
    EXPECT_EQ(HitTest(tree, 128, 140), ChildSelf);
    EXPECT_EQ(Navigate(tree, FirstTile, NavDirection::Next), FirstTile + 2);
    EXPECT_EQ(Navigate(tree, FirstTile, NavDirection::Right), FirstTile + 2);
    EXPECT_EQ(Navigate(tree, OptionsBtn, NavDirection::Next), ExitBtn);
    EXPECT_EQ(Navigate(tree, ExitBtn, NavDirection::Left), OptionsBtn);
}

TEST(AccessTree, NavigationFollowsTheLayout) {
    const AccessTree tree = MainAccessTree(Active());
    EXPECT_EQ(Navigate(tree, ChildSelf, NavDirection::First), Condition);
    EXPECT_EQ(Navigate(tree, ChildSelf, NavDirection::Last), ExitBtn);
    EXPECT_EQ(Navigate(tree, Condition, NavDirection::First), NoChild);
    EXPECT_EQ(Navigate(tree, Condition, NavDirection::Previous), NoChild);
    EXPECT_EQ(Navigate(tree, ExitBtn, NavDirection::Next), NoChild);
    EXPECT_EQ(Navigate(tree, Condition, NavDirection::Next), FirstTile);
    // The tiles are a grid of three over two with the moon last.
    EXPECT_EQ(Navigate(tree, FirstTile, NavDirection::Right), FirstTile + 1);
    EXPECT_EQ(Navigate(tree, FirstTile + 2, NavDirection::Right), NoChild);
    EXPECT_EQ(Navigate(tree, FirstTile, NavDirection::Down), FirstTile + 3);
    EXPECT_EQ(Navigate(tree, FirstTile + 2, NavDirection::Down), Moon);
    EXPECT_EQ(Navigate(tree, Moon, NavDirection::Left), FirstTile + 4);
    EXPECT_EQ(Navigate(tree, Moon, NavDirection::Down), NoChild);
    EXPECT_EQ(Navigate(tree, FirstTile, NavDirection::Up), Condition);
    EXPECT_EQ(Navigate(tree, Condition, NavDirection::Down), FirstTile + 1);
    EXPECT_EQ(Navigate(tree, Condition, NavDirection::Up), OptionsBtn);
    EXPECT_EQ(Navigate(tree, OptionsBtn, NavDirection::Right), HideBtn);
    EXPECT_EQ(Navigate(tree, ExitBtn, NavDirection::Down), Condition);
    EXPECT_EQ(Navigate(tree, 11, NavDirection::Next), NoChild); // no such part
}

TEST(AccessChanges, OnlyWhatChangedIsTold) {
    const MainAccessInputs in = Active();
    const AccessTree before = MainAccessTree(in);
    EXPECT_TRUE(CompareTrees(before, MainAccessTree(in)).Empty()); // the same report again

    MainAccessInputs one = in;
    one.Report.Forecast[2].High = "31";
    AccessChanges changes = CompareTrees(before, MainAccessTree(one));
    EXPECT_EQ(changes.Renamed, std::vector<int>{FirstTile + 2});
    EXPECT_TRUE(changes.Appeared.empty() && changes.Vanished.empty());

    MainAccessInputs moved = in;
    moved.Report.CityName = "Ankara";
    moved.Report.Temperature = "12";
    changes = CompareTrees(before, MainAccessTree(moved));
    EXPECT_EQ(changes.Renamed, (std::vector<int>{ChildSelf, Condition}));

    // Connecting: the state joins the condition's name and the buttons go.
    MainAccessInputs connecting = in;
    connecting.State = cnConnecting;
    connecting.OptionsShown = connecting.HideShown = connecting.ExitShown = false;
    changes = CompareTrees(before, MainAccessTree(connecting));
    EXPECT_EQ(changes.Renamed, std::vector<int>{Condition});
    EXPECT_EQ(changes.Vanished, (std::vector<int>{OptionsBtn, HideBtn, ExitBtn}));
    changes = CompareTrees(MainAccessTree(connecting), before);
    EXPECT_EQ(changes.Appeared, (std::vector<int>{OptionsBtn, HideBtn, ExitBtn}));

    // A part that stays hidden is not news, whatever its name.
    MainAccessInputs empty = connecting;
    empty.Report.Forecast[4] = {};
    MainAccessInputs emptier = empty;
    emptier.Report.Forecast[4].Code = "";
    EXPECT_TRUE(CompareTrees(MainAccessTree(empty), MainAccessTree(emptier)).Empty());

    // The details window's lines come and go at its end.
    const AccessTree two = InfoAccessTree("a\r\nb", 26), three = InfoAccessTree("a\r\nc\r\nd", 39);
    changes = CompareTrees(two, three);
    EXPECT_EQ(changes.Renamed, std::vector<int>{2});
    EXPECT_EQ(changes.Appeared, std::vector<int>{3});
    EXPECT_EQ(CompareTrees(three, two).Vanished, std::vector<int>{3});
}

TEST(FocusModel, AClickGivesTheFocusButDrawsNoMark) {
    const AccessTree tree = MainAccessTree(Active());
    FocusModel focus;
    EXPECT_FALSE(focus.MarkShown());
    focus.FocusGained(tree, false);
    EXPECT_TRUE(focus.HasFocus());
    EXPECT_FALSE(focus.MarkShown());
    EXPECT_EQ(focus.Key(AccessKey::Tab, tree).What, KeyOutcome::FocusMoved);
    EXPECT_TRUE(focus.MarkShown()); // the keyboard is in use now
    focus.FocusLost();
    EXPECT_FALSE(focus.MarkShown());
    focus.FocusGained(tree, false); // clicked again: the mark waits for the keyboard again
    EXPECT_FALSE(focus.MarkShown());
    EXPECT_EQ(focus.Focused(), FirstTile); // where it was
    focus.FocusLost();
    focus.FocusGained(tree, true); // from the tray icon: the first part, marked
    EXPECT_TRUE(focus.MarkShown());
    EXPECT_EQ(focus.Focused(), Condition);
}

TEST(FocusModel, TabGoesThroughTheShownPartsAndOnOut) {
    MainAccessInputs in = Active();
    in.HideShown = false;
    const AccessTree tree = MainAccessTree(in);
    FocusModel focus;
    focus.FocusGained(tree, true);
    std::vector<int> visited{focus.Focused()};
    KeyOutcome outcome;
    while ((outcome = focus.Key(AccessKey::Tab, tree)).What == KeyOutcome::FocusMoved)
        visited.push_back(outcome.Child);
    EXPECT_EQ(visited, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 10}));
    EXPECT_EQ(outcome.What, KeyOutcome::LeaveForward);
    EXPECT_EQ(focus.Key(AccessKey::ShiftTab, tree).Child, OptionsBtn);
    EXPECT_EQ(focus.Key(AccessKey::Home, tree).Child, Condition);
    EXPECT_EQ(focus.Key(AccessKey::ShiftTab, tree).What, KeyOutcome::LeaveBackward);
    EXPECT_EQ(focus.Key(AccessKey::End, tree).Child, ExitBtn);
    focus.FocusLost();
    focus.FocusGained(tree, true, true); // entered backwards, from the next window
    EXPECT_EQ(focus.Focused(), ExitBtn);
}

TEST(FocusModel, KeysAndWhatTheyAskFor) {
    const AccessTree tree = MainAccessTree(Active());
    FocusModel focus;
    focus.FocusGained(tree, true);
    EXPECT_EQ(focus.Key(AccessKey::Enter, tree).What, KeyOutcome::Activate); // the condition
    EXPECT_EQ(focus.Key(AccessKey::Down, tree).Child, FirstTile + 1);
    EXPECT_EQ(focus.Key(AccessKey::Enter, tree).What, KeyOutcome::Nothing); // a tile does nothing
    EXPECT_EQ(focus.Key(AccessKey::F5, tree).What, KeyOutcome::Refresh);
    const KeyOutcome menu = focus.Key(AccessKey::Menu, tree);
    EXPECT_EQ(menu.What, KeyOutcome::OpenMenu);
    EXPECT_EQ(menu.Child, FirstTile + 1);
    EXPECT_EQ(focus.Key(AccessKey::Escape, tree).What, KeyOutcome::GiveBack);
    EXPECT_EQ(focus.Key(AccessKey::Other, tree).What, KeyOutcome::Nothing);
    EXPECT_TRUE(focus.Select(tree, ExitBtn));
    const KeyOutcome press = focus.Key(AccessKey::Space, tree);
    EXPECT_EQ(press.What, KeyOutcome::Activate);
    EXPECT_EQ(press.Child, ExitBtn);
    EXPECT_FALSE(focus.Select(tree, 11));
    EXPECT_FALSE(focus.Select(tree, ChildSelf));
}

TEST(FocusModel, APartThatGoesTakesTheFocusToTheFirst) {
    MainAccessInputs in = Active();
    FocusModel focus;
    focus.FocusGained(MainAccessTree(in), true);
    ASSERT_TRUE(focus.Select(MainAccessTree(in), HideBtn));
    EXPECT_FALSE(focus.Revalidate(MainAccessTree(in)));
    in.OptionsShown = in.HideShown = in.ExitShown = false; // F5: connecting
    EXPECT_TRUE(focus.Revalidate(MainAccessTree(in)));
    EXPECT_EQ(focus.Focused(), Condition);
    EXPECT_FALSE(focus.Revalidate(MainAccessTree(in)));
}

TEST(FocusModel, AListIsOneStopWithItsLinesUpAndDown) {
    const AccessTree list = InfoAccessTree("a\r\nb\r\nc", 39);
    FocusModel focus;
    focus.FocusGained(list, true);
    EXPECT_EQ(focus.Focused(), 1);
    EXPECT_EQ(focus.Key(AccessKey::Down, list).Child, 2);
    EXPECT_EQ(focus.Key(AccessKey::Right, list).What, KeyOutcome::Nothing);
    EXPECT_EQ(focus.Key(AccessKey::Down, list).Child, 3);
    EXPECT_EQ(focus.Key(AccessKey::Down, list).What, KeyOutcome::Nothing);
    EXPECT_EQ(focus.Key(AccessKey::Up, list).Child, 2);
    EXPECT_EQ(focus.Key(AccessKey::Tab, list).What, KeyOutcome::LeaveForward);
    EXPECT_EQ(focus.Key(AccessKey::ShiftTab, list).What, KeyOutcome::LeaveBackward);
    // An empty list keeps the focus on itself.
    const AccessTree empty = InfoAccessTree("", 0);
    focus.FocusLost();
    focus.FocusGained(empty, true);
    EXPECT_EQ(focus.Focused(), ChildSelf);
    EXPECT_EQ(focus.Key(AccessKey::Down, empty).What, KeyOutcome::Nothing);
}

} // namespace
