#include "PopupMenu.h"

namespace meltemix {
namespace {

// What is already queued is handled before the menu's own loop starts, the activation that
// the click caused among it: arriving inside that loop, it closes the menu again.
void processPendingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam)); // for the main loop to see
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace

void TakeForeground(HWND window) {
    SetForegroundWindow(window);
    processPendingMessages();
    // Under Wine the first activation of a window takes it off the screen and on again, and
    // the activation is lost with it: only the second request would have it stay.
    if (GetForegroundWindow() != window)
        SetForegroundWindow(window);
}

void ShowPopupMenu(HWND owner, HMENU menu, int x, int y) {
    // The shell's rules for a menu: the owner in the foreground first, or the menu does not
    // close when the user clicks elsewhere; a null message after, or it opens only every
    // second time.
    TakeForeground(owner);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);
}

} // namespace meltemix
