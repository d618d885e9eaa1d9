#include "ModalLoops.h"

#include <windows.h>

namespace meltemix {
namespace {

BOOL CALLBACK endDialog(HWND window, LPARAM) {
    // Dialogs and message boxes are of the dialog class; cancelled, each returns to its caller
    // as if the user had pressed Escape (a question counts as not answered yes).
    wchar_t name[16] = {};
    if (GetClassNameW(window, name, 16) && lstrcmpW(name, L"#32770") == 0)
        EndDialog(window, IDCANCEL);
    return TRUE;
}

} // namespace

void EndModalLoops() {
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    if (GetGUIThreadInfo(GetCurrentThreadId(), &gui)) {
        if (gui.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE))
            EndMenu();
        // The move loop ends when the button goes up; the window stays where it was dragged
        // to (Escape would put it back).
        if ((gui.flags & GUI_INMOVESIZE) && gui.hwndMoveSize)
            PostMessageW(gui.hwndMoveSize, WM_LBUTTONUP, 0, 0);
    }
    EnumThreadWindows(GetCurrentThreadId(), &endDialog, 0);
}

} // namespace meltemix
