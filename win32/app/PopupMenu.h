#pragma once

#include <windows.h>

namespace meltemix {

// Brings `window` to the foreground with the keyboard, and keeps it there: what is queued is
// handled first, the activation it may undo among it.
void TakeForeground(HWND window);

// Shows a popup menu at a screen point for `owner`, which receives its commands, and returns
// when it closes.
void ShowPopupMenu(HWND owner, HMENU menu, int x, int y);

} // namespace meltemix
