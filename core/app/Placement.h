#pragma once

#include "core/settings/MainSettings.h"

#include <optional>
#include <vector>

namespace meltemix {

// A rectangle on the virtual screen; right and bottom are outside it.
struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

bool Intersects(const ScreenRect& a, const ScreenRect& b);

// Where a window must go so that the user can see it again, or nothing when any part of it
// already lies in a work area: a visible window stays exactly where the user put it. One
// wholly outside every work area moves, keeping its size, into `nearest` (the work area of
// the monitor nearest to it), as little as it takes.
std::optional<ScreenPoint> BringOnScreen(const ScreenRect& window,
                                         const std::vector<ScreenRect>& workAreas,
                                         const ScreenRect& nearest);

// The same for the info window, which tries first to keep its offset from the main window
// (`mainMove` is how far the main window was just moved): that place is taken when it lies
// wholly in one work area.
std::optional<ScreenPoint> BringInfoOnScreen(const ScreenRect& info, ScreenPoint mainMove,
                                             const std::vector<ScreenRect>& workAreas,
                                             const ScreenRect& nearest);

} // namespace meltemix
