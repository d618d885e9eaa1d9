#pragma once

#include "core/access/AccessTree.h"
#include "core/access/FocusModel.h"
#include "win32/platform/AccessibleServer.h"
#include "win32/platform/Dpi.h"

#include <windows.h>

#include <functional>
#include <optional>

namespace meltemix {

// Posted by a window to itself when a screen reader asks for a part's action (wParam: the
// part), so that the action runs from the message loop and not inside the reader's call.
constexpr UINT WM_ACCESSACTION = WM_APP + 1;

// The key of a WM_KEYDOWN or WM_SYSKEYDOWN as the focus model knows it; none for a key the
// window leaves to the system (Alt+F4 among them).
std::optional<AccessKey> AccessKeyOf(UINT message, WPARAM virtualKey);

// What a skinned window needs for screen readers and the keyboard: its MSAA server, its
// parts as last painted, the keyboard focus over them, and the events that tell of a change.
// The window forwards WM_GETOBJECT, the focus, the keys and WM_ACCESSACTION here and hands
// over its parts after each repaint.
class WindowAccess : private AccessibleHost {
public:
    using Action = std::function<void(int child)>;

    WindowAccess(HWND window, std::function<Dpi()> dpi, Action action);
    ~WindowAccess() override;
    WindowAccess(const WindowAccess&) = delete;
    WindowAccess& operator=(const WindowAccess&) = delete;

    std::optional<LRESULT> GetObject(WPARAM wParam, LPARAM lParam) {
        return server_.Answer(wParam, lParam);
    }
    void ActionPosted(WPARAM child);

    // The parts as the window now shows them: events for what changed, and the focus moved
    // off a part that went.
    void Update(AccessTree tree);
    // The window got or lost the keyboard focus (WM_SETFOCUS, WM_KILLFOCUS).
    void FocusGained(bool byKeyboard, bool fromEnd = false);
    void FocusLost();
    // The keyboard focus will come by the keyboard: from the tray icon, or by Tab from the
    // other window of the widget.
    void ExpectKeyboardFocus(bool fromEnd) { expected_ = fromEnd ? 2 : 1; }
    KeyOutcome Key(AccessKey key);
    // The rectangle to mark as focused, when a mark is to be drawn.
    std::optional<PixelRect> Mark() const;
    const AccessTree& Tree() const { return tree_; }
    int Focused() const { return focus_.Focused(); }
    // The middle of the focused part (of the window, when no part has the focus) on the screen.
    POINT FocusedCentre() const;
    bool HasFocus() const { return focus_.HasFocus(); }
    // A fade ended with the window shown, or hidden.
    void Shown(bool shown);
    // The window goes: clients that still hold its object are cut off.
    void Disconnect() { server_.Disconnect(); }

private:
    HWND AccessibleWindow() const override { return window_; }
    POINT AccessibleOrigin() const override;
    bool AccessibleShown() const override { return IsWindowVisible(window_) != FALSE; }
    Dpi AccessibleDpi() const override { return dpi_(); }
    const AccessTree& AccessibleParts() override { return tree_; }
    int AccessibleFocus() const override;
    void AccessibleDefaultAction(int child) override;
    bool AccessibleTakeFocus(int child) override;

    HWND window_;
    std::function<Dpi()> dpi_;
    Action action_;
    AccessTree tree_;
    FocusModel focus_;
    int expected_ = 0; // 1: the next focus comes by the keyboard; 2: so, and backwards
    AccessibleServer server_;
};

} // namespace meltemix
