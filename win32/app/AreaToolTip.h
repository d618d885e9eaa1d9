#pragma once

#include "core/skin/Canvas.h"

#include <windows.h>

namespace meltemix {

// A tooltip over one rectangle of a window, as a control's hint would show over the
// control. Layered windows have no child controls, so the rectangle stands in for one.
class AreaToolTip {
public:
    AreaToolTip(HWND window, const wchar_t* text);
    ~AreaToolTip();
    AreaToolTip(const AreaToolTip&) = delete;
    AreaToolTip& operator=(const AreaToolTip&) = delete;

    // The area in window pixels; an empty one shows no tooltip.
    void SetArea(const PixelRect& area);

private:
    HWND window_;
    HWND tip_ = nullptr;
};

} // namespace meltemix
