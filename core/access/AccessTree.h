#pragma once

#include "core/skin/Canvas.h"

#include <string>
#include <vector>

namespace meltemix {

// What a skinned window tells assistive technology about itself: the window's own object
// and its parts, each with a role, a name and a rectangle in the window's layout (the pixels
// of a 96-dpi screen; the window scales them to its density). A part's child id is its
// position in `Children` plus one; id 0 is the window itself.
enum class AccessRole { Pane, List, ListItem, StaticText, PushButton };

// What a part does when it is activated (Enter, or a screen reader's default action).
enum class AccessAction { None, ToggleInfo, Options, Hide, Exit };

struct AccessNode {
    AccessRole Role = AccessRole::StaticText;
    std::string Name;
    PixelRect Rect;
    bool Shown = true;   // drawn now; a part not drawn is neither found nor focused
    bool Enabled = true;
    AccessAction Action = AccessAction::None;
    std::string DefaultAction; // the action's name, empty for none
};

inline bool operator==(const AccessNode& a, const AccessNode& b) {
    return a.Role == b.Role && a.Name == b.Name && a.Rect == b.Rect && a.Shown == b.Shown &&
           a.Enabled == b.Enabled && a.Action == b.Action && a.DefaultAction == b.DefaultAction;
}

struct AccessTree {
    AccessNode Root;
    std::vector<AccessNode> Children;

    int ChildCount() const { return static_cast<int>(Children.size()); }
    bool IsChild(int id) const { return id >= 1 && id <= ChildCount(); }
    // The node of an id (0: the root); null for an id that names nothing.
    const AccessNode* Node(int id) const;
};

constexpr int ChildSelf = 0;
constexpr int NoChild = -1;

// The shown part under a point of the layout: its id, ChildSelf inside the window but on no
// part, NoChild outside the window.
int HitTest(const AccessTree& tree, int x, int y);

enum class NavDirection { Up, Down, Left, Right, Next, Previous, First, Last };

// The shown part reached from `from` in a direction, NoChild when there is none. Next and
// Previous follow the reading order (the ids), First and Last are its ends (from the root);
// the four directions go to the nearest shown part in the start's row (or column) whose
// middle lies that way.
int Navigate(const AccessTree& tree, int from, NavDirection direction);

// What changed between two states of a window's tree, for the events a screen reader
// listens to: the ids whose names changed (the root as ChildSelf), and those that appeared
// or went.
struct AccessChanges {
    std::vector<int> Renamed;
    std::vector<int> Appeared;
    std::vector<int> Vanished;

    bool Empty() const { return Renamed.empty() && Appeared.empty() && Vanished.empty(); }
};

AccessChanges CompareTrees(const AccessTree& before, const AccessTree& after);

} // namespace meltemix
