#include "ErrorBox.h"

#include "Messages.h"
#include "win32/platform/WideText.h"

namespace meltemix {

void ShowErrorBox(HWND owner, const char* utf8Text) {
    MessageBoxW(owner, Widen(utf8Text).c_str(), ProgramTitle, MB_OK | MB_ICONERROR);
}

} // namespace meltemix
