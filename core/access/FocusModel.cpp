#include "core/access/FocusModel.h"

namespace meltemix {
namespace {

bool Focusable(const AccessTree& tree, int child) {
    const AccessNode* node = tree.IsChild(child) ? tree.Node(child) : nullptr;
    return node && node->Shown;
}

int FirstShown(const AccessTree& tree) {
    const int first = Navigate(tree, ChildSelf, NavDirection::First);
    return first == NoChild ? ChildSelf : first;
}

} // namespace

void FocusModel::FocusGained(const AccessTree& tree, bool byKeyboard, bool fromEnd) {
    hasFocus_ = true;
    keyboardUsed_ = keyboardUsed_ || byKeyboard;
    if (fromEnd) {
        const int last = Navigate(tree, ChildSelf, NavDirection::Last);
        focused_ = last == NoChild ? ChildSelf : last;
    } else if (byKeyboard || !Focusable(tree, focused_)) {
        focused_ = FirstShown(tree);
    }
}

void FocusModel::FocusLost() {
    hasFocus_ = false;
    keyboardUsed_ = false;
}

bool FocusModel::Select(const AccessTree& tree, int child) {
    if (!Focusable(tree, child))
        return false;
    focused_ = child;
    return true;
}

bool FocusModel::Revalidate(const AccessTree& tree) {
    if (Focusable(tree, focused_) || focused_ == FirstShown(tree))
        return false;
    focused_ = FirstShown(tree);
    return true;
}

KeyOutcome FocusModel::Key(AccessKey key, const AccessTree& tree) {
    keyboardUsed_ = true;
    Revalidate(tree);
    const bool list = tree.Root.Role == AccessRole::List;
    const auto moveTo = [this](int child) {
        if (child == NoChild || child == focused_)
            return KeyOutcome{KeyOutcome::Nothing, focused_};
        focused_ = child;
        return KeyOutcome{KeyOutcome::FocusMoved, child};
    };
    const auto along = [&](NavDirection direction) {
        return focused_ == ChildSelf ? NoChild : Navigate(tree, focused_, direction);
    };
    switch (key) {
    case AccessKey::Tab:
    case AccessKey::ShiftTab: {
        // A list is one stop: Tab leaves it from any line.
        const bool forward = key == AccessKey::Tab;
        const int next = list ? NoChild : along(forward ? NavDirection::Next : NavDirection::Previous);
        if (next == NoChild)
            return {forward ? KeyOutcome::LeaveForward : KeyOutcome::LeaveBackward, focused_};
        return moveTo(next);
    }
    case AccessKey::Left:
        return moveTo(list ? NoChild : along(NavDirection::Left));
    case AccessKey::Right:
        return moveTo(list ? NoChild : along(NavDirection::Right));
    case AccessKey::Up:
        return moveTo(along(list ? NavDirection::Previous : NavDirection::Up));
    case AccessKey::Down:
        return moveTo(along(list ? NavDirection::Next : NavDirection::Down));
    case AccessKey::Home:
        return moveTo(Navigate(tree, ChildSelf, NavDirection::First));
    case AccessKey::End:
        return moveTo(Navigate(tree, ChildSelf, NavDirection::Last));
    case AccessKey::Enter:
    case AccessKey::Space: {
        const AccessNode* node = tree.Node(focused_);
        if (node && node->Action != AccessAction::None && node->Enabled)
            return {KeyOutcome::Activate, focused_};
        return {KeyOutcome::Nothing, focused_};
    }
    case AccessKey::F5:
        return {KeyOutcome::Refresh, focused_};
    case AccessKey::Menu:
        return {KeyOutcome::OpenMenu, focused_};
    case AccessKey::Escape:
        return {KeyOutcome::GiveBack, focused_};
    case AccessKey::Other:
        break;
    }
    return {KeyOutcome::Nothing, focused_};
}

} // namespace meltemix
