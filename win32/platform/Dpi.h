#pragma once

#include "core/skin/Canvas.h"

#include <windows.h>

// Sent from Windows 8.1 on when a window lands on a screen of another density; the headers
// of a program built for Windows XP leave it out.
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace meltemix {

// The pixel density a window is drawn at, and sizes given for 96 dots per inch turned into
// pixels at it (the factor f = dpi / 96).
class Dpi {
public:
    static constexpr int Standard = 96;

    explicit Dpi(int dotsPerInch = Standard);

    // The window's monitor where the system scales per window (GetDpiForWindow, Windows 10
    // 1607 and later, found at run time), else the system's setting (LOGPIXELSX of the
    // screen), which Windows XP honours too.
    static Dpi OfWindow(HWND window);

    int value() const { return dpi_; }
    // round(f × logical), halves away from zero, so that -11 and 11 scale alike.
    int Scale(int logical) const;
    // Edges scaled one by one, so that rectangles side by side stay side by side.
    PixelRect Scale(const PixelRect& logical) const;
    // The logical pixel under the middle of a window pixel; the inverse of Scale for points
    // (also left of and above the window, where the mouse may be while held).
    int Unscale(int physical) const;
    float Factor() const { return static_cast<float>(dpi_) / Standard; }
    // The window rectangle around a client area, with the frame at this density where the
    // system draws frames per screen (AdjustWindowRectExForDpi, Windows 10 1607 and later,
    // found at run time), else at the system's.
    RECT FrameAround(const RECT& client, DWORD style, DWORD exStyle) const;

private:
    int dpi_;
};

// Moves and sizes `window` to `at` (screen coordinates), as WM_DPICHANGED suggests it.
void PlaceWindow(HWND window, const RECT& at);

} // namespace meltemix
