#pragma once

#include <windows.h>

namespace meltemix {

// Shows a popup menu at a screen point for `owner`, which receives its commands, and returns
// when it closes.
void ShowPopupMenu(HWND owner, HMENU menu, int x, int y);

} // namespace meltemix
