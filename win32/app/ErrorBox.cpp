#include "ErrorBox.h"

#include "Messages.h"
#include "core/app/OpenErrorBoxes.h"
#include "win32/platform/WideText.h"

namespace meltemix {

void ShowErrorBox(HWND owner, const char* utf8Text) {
    // Boxes are shown on the user-interface thread only, and nest there.
    static OpenErrorBoxes open;
    const std::string text = utf8Text;
    if (!open.Open(text))
        return; // the same error stands open already; the program goes on
    MessageBoxW(owner, Widen(text).c_str(), ProgramTitle, MB_OK | MB_ICONERROR);
    open.Closed(text);
}

} // namespace meltemix
