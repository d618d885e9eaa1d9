#include "core/access/AccessTree.h"

#include <cstdlib>
#include <limits>

namespace meltemix {
namespace {

bool Visible(const AccessTree& tree, int id) {
    const AccessNode* node = tree.Node(id);
    return node && node->Shown;
}

// Twice the middle, so that it stays whole.
int MiddleX2(const PixelRect& r) { return 2 * r.Left + r.Width; }
int MiddleY2(const PixelRect& r) { return 2 * r.Top + r.Height; }

bool Overlaps(int a0, int a1, int b0, int b1) { return a0 < b1 && b0 < a1; }

int Step(const AccessTree& tree, int from, int step) {
    for (int id = from + step; id >= 1 && id <= tree.ChildCount(); id += step)
        if (Visible(tree, id))
            return id;
    return NoChild;
}

int Towards(const AccessTree& tree, int from, NavDirection direction) {
    const PixelRect& start = tree.Node(from)->Rect;
    const bool horizontal = direction == NavDirection::Left || direction == NavDirection::Right;
    const int sign = direction == NavDirection::Right || direction == NavDirection::Down ? 1 : -1;
    int best = NoChild;
    long long bestScore = std::numeric_limits<long long>::max();
    for (int id = 1; id <= tree.ChildCount(); ++id) {
        if (id == from || !Visible(tree, id))
            continue;
        const PixelRect& r = tree.Node(id)->Rect;
        const int along = horizontal ? MiddleX2(r) - MiddleX2(start) : MiddleY2(r) - MiddleY2(start);
        if (along * sign <= 0)
            continue;
        const int across = horizontal ? MiddleY2(r) - MiddleY2(start) : MiddleX2(r) - MiddleX2(start);
        const bool inLine = horizontal
                                ? Overlaps(r.Top, r.Top + r.Height, start.Top, start.Top + start.Height)
                                : Overlaps(r.Left, r.Left + r.Width, start.Left, start.Left + start.Width);
        if (!inLine)
            continue; // a part off the row or column is not "that way"
        const long long score = 2LL * std::abs(along) + std::abs(across);
        if (score < bestScore) {
            bestScore = score;
            best = id;
        }
    }
    return best;
}

} // namespace

const AccessNode* AccessTree::Node(int id) const {
    if (id == ChildSelf)
        return &Root;
    return IsChild(id) ? &Children[static_cast<std::size_t>(id - 1)] : nullptr;
}

int HitTest(const AccessTree& tree, int x, int y) {
    for (int id = 1; id <= tree.ChildCount(); ++id)
        if (Visible(tree, id) && tree.Node(id)->Rect.Contains(x, y))
            return id;
    return tree.Root.Rect.Contains(x, y) ? ChildSelf : NoChild;
}

int Navigate(const AccessTree& tree, int from, NavDirection direction) {
    switch (direction) {
    case NavDirection::First:
        return from == ChildSelf ? Step(tree, 0, 1) : NoChild;
    case NavDirection::Last:
        return from == ChildSelf ? Step(tree, tree.ChildCount() + 1, -1) : NoChild;
    case NavDirection::Next:
    case NavDirection::Previous:
        if (!tree.IsChild(from))
            return NoChild;
        return Step(tree, from, direction == NavDirection::Next ? 1 : -1);
    default:
        return tree.IsChild(from) ? Towards(tree, from, direction) : NoChild;
    }
}

AccessChanges CompareTrees(const AccessTree& before, const AccessTree& after) {
    AccessChanges changes;
    if (before.Root.Name != after.Root.Name)
        changes.Renamed.push_back(ChildSelf);
    for (int id = 1; id <= after.ChildCount(); ++id) {
        const AccessNode& now = *after.Node(id);
        const AccessNode* was = before.Node(id);
        const bool wasShown = was && was->Shown;
        if (now.Shown && !wasShown)
            changes.Appeared.push_back(id);
        else if (!now.Shown && wasShown)
            changes.Vanished.push_back(id);
        else if (now.Shown && was->Name != now.Name)
            changes.Renamed.push_back(id);
    }
    for (int id = after.ChildCount() + 1; id <= before.ChildCount(); ++id)
        if (before.Node(id)->Shown)
            changes.Vanished.push_back(id);
    return changes;
}

} // namespace meltemix
