#pragma once

#include <windows.h>

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

private:
    int dpi_;
};

} // namespace meltemix
