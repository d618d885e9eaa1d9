#include "WindowAccess.h"

#include <utility>

namespace meltemix {

std::optional<AccessKey> AccessKeyOf(UINT message, WPARAM virtualKey) {
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0)
        return std::nullopt; // Alt+F4 and the system's other chords stay the system's
    if (message == WM_SYSKEYDOWN)
        return virtualKey == VK_F10 && shift ? std::optional<AccessKey>(AccessKey::Menu)
                                             : std::nullopt;
    switch (virtualKey) {
    case VK_TAB: return shift ? AccessKey::ShiftTab : AccessKey::Tab;
    case VK_LEFT: return AccessKey::Left;
    case VK_RIGHT: return AccessKey::Right;
    case VK_UP: return AccessKey::Up;
    case VK_DOWN: return AccessKey::Down;
    case VK_HOME: return AccessKey::Home;
    case VK_END: return AccessKey::End;
    case VK_RETURN: return AccessKey::Enter;
    case VK_SPACE: return AccessKey::Space;
    case VK_F5: return AccessKey::F5;
    case VK_APPS: return AccessKey::Menu;
    case VK_F10: return shift ? std::optional<AccessKey>(AccessKey::Menu) : std::nullopt;
    case VK_ESCAPE: return AccessKey::Escape;
    default: return std::nullopt;
    }
}

WindowAccess::WindowAccess(HWND window, std::function<Dpi()> dpi, Action action)
    : window_(window), dpi_(std::move(dpi)), action_(std::move(action)), server_(*this) {}

WindowAccess::~WindowAccess() = default;

POINT WindowAccess::AccessibleOrigin() const {
    POINT origin = {0, 0};
    ClientToScreen(window_, &origin);
    return origin;
}

int WindowAccess::AccessibleFocus() const {
    return focus_.HasFocus() && GetFocus() == window_ ? focus_.Focused() : NoChild;
}

POINT WindowAccess::FocusedCentre() const {
    const int focused = tree_.IsChild(focus_.Focused()) ? focus_.Focused() : ChildSelf;
    const PixelRect r = dpi_().Scale(tree_.Node(focused)->Rect);
    const POINT origin = AccessibleOrigin();
    return {origin.x + r.Left + r.Width / 2, origin.y + r.Top + r.Height / 2};
}

void WindowAccess::AccessibleDefaultAction(int child) {
    PostMessageW(window_, WM_ACCESSACTION, static_cast<WPARAM>(child), 0);
}

void WindowAccess::ActionPosted(WPARAM child) {
    const AccessNode* node = tree_.Node(static_cast<int>(child));
    // The part may have gone between the request and now.
    if (node && node->Shown && node->Enabled && node->Action != AccessAction::None && action_)
        action_(static_cast<int>(child));
}

bool WindowAccess::AccessibleTakeFocus(int child) {
    if (!focus_.HasFocus() || !focus_.Select(tree_, child))
        return false;
    server_.Raise(EVENT_OBJECT_FOCUS, child);
    return true;
}

void WindowAccess::Update(AccessTree tree) {
    AccessTree before = std::exchange(tree_, std::move(tree));
    const AccessChanges changes = CompareTrees(before, tree_);
    server_.Tell(changes, tree_.ChildCount(), before.ChildCount() != tree_.ChildCount());
    if (focus_.Revalidate(tree_) && focus_.HasFocus())
        server_.Raise(EVENT_OBJECT_FOCUS, focus_.Focused());
}

void WindowAccess::FocusGained(bool byKeyboard, bool fromEnd) {
    const int expected = std::exchange(expected_, 0);
    focus_.FocusGained(tree_, byKeyboard || expected != 0, fromEnd || expected == 2);
    server_.Raise(EVENT_OBJECT_FOCUS, focus_.Focused());
}

void WindowAccess::FocusLost() {
    focus_.FocusLost();
}

KeyOutcome WindowAccess::Key(AccessKey key) {
    const KeyOutcome outcome = focus_.Key(key, tree_);
    if (outcome.What == KeyOutcome::FocusMoved)
        server_.Raise(EVENT_OBJECT_FOCUS, outcome.Child);
    return outcome;
}

std::optional<PixelRect> WindowAccess::Mark() const {
    const AccessNode* node = focus_.MarkShown() ? tree_.Node(focus_.Focused()) : nullptr;
    if (!node || focus_.Focused() == ChildSelf || !node->Shown)
        return std::nullopt;
    return node->Rect;
}

void WindowAccess::Shown(bool shown) {
    server_.Raise(shown ? EVENT_OBJECT_SHOW : EVENT_OBJECT_HIDE, ChildSelf);
}

} // namespace meltemix
