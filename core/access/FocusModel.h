#pragma once

#include "core/access/AccessTree.h"

namespace meltemix {

// The keys a skinned window understands once it has the keyboard focus.
enum class AccessKey { Tab, ShiftTab, Left, Right, Up, Down, Home, End, Enter, Space, F5, Menu,
                       Escape, Other };

// What a key leads to; `Child` is the part it concerns.
struct KeyOutcome {
    enum Kind {
        Nothing,
        FocusMoved,  // the focus is on another part now: tell the screen reader
        Activate,    // the part's action (a button's click, the details window shown or hidden)
        Refresh,     // "&Tazele"
        OpenMenu,    // the window's menu, at the part
        LeaveForward,  // Tab past the last part: on to the next window of the widget
        LeaveBackward, // Shift+Tab before the first part
        GiveBack,    // Escape: the focus goes back where it came from
    };
    Kind What = Nothing;
    int Child = ChildSelf;
};

// The keyboard focus over a window's parts: which part has it, and whether its mark is to be
// drawn. The mark shows only once the keyboard has been used (a click gives the window the
// focus but draws none: nothing changes for the mouse), and never while the window lacks
// the focus. Tab and Shift+Tab go through the shown parts in reading order and out of the
// window at either end; the arrows go to the nearest part that way (in a list, Up and Down
// to the line above or below), Home and End to the first and last part.
class FocusModel {
public:
    // The part that gets the focus when the window gets it.
    int Focused() const { return focused_; }
    bool MarkShown() const { return hasFocus_ && keyboardUsed_; }
    bool HasFocus() const { return hasFocus_; }

    // The window got the keyboard focus, by the keyboard (from the tray icon, by Tab from
    // another window of the widget) or not (a click). `fromEnd`: entered backwards, so the
    // last part has it.
    void FocusGained(const AccessTree& tree, bool byKeyboard, bool fromEnd = false);
    void FocusLost();
    KeyOutcome Key(AccessKey key, const AccessTree& tree);
    // A screen reader moved the focus (accSelect); false for a part that cannot have it.
    bool Select(const AccessTree& tree, int child);
    // The tree changed: true when the focused part is no longer shown and the focus moved
    // to the first part that is.
    bool Revalidate(const AccessTree& tree);

private:
    int focused_ = 1;
    bool hasFocus_ = false;
    bool keyboardUsed_ = false;
};

} // namespace meltemix
