#pragma once

#include <windows.h>

#include <exception>
#include <utility>

namespace meltemix {

// The standard error box: the error's text, the program's title, the error icon. While a box
// of the same text stands open, nothing more is shown.
void ShowErrorBox(HWND owner, const char* utf8Text);

// Runs `action`; an error it raises is shown in the error box and goes no further,
// so that no exception crosses a window procedure or a COM boundary.
template <typename Action>
bool RunGuarded(HWND owner, Action&& action) noexcept {
    try {
        std::forward<Action>(action)();
        return true;
    } catch (const std::exception& error) {
        ShowErrorBox(owner, error.what());
    } catch (...) {
        ShowErrorBox(owner, "Bilinmeyen bir hata oluştu.");
    }
    return false;
}

} // namespace meltemix
