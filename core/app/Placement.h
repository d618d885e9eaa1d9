#pragma once

#include "core/settings/MainSettings.h"

#include <functional>
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

// The work area of the monitor nearest to a rectangle, as the platform picks it.
using NearestWorkArea = std::function<ScreenRect(const ScreenRect&)>;

struct PairPlace {
    ScreenPoint main, info;
};

// The same for the main window and its info window together, or nothing when both can be
// seen. The user arranged the two, so the pair moves as a whole, as little as it takes, into
// the main window's work area, keeping their offset. Only a pair too far apart to fit there
// comes back window by window, the info window keeping its offset where that shows it.
std::optional<PairPlace> BringPairOnScreen(const ScreenRect& main, const ScreenRect& info,
                                           const std::vector<ScreenRect>& workAreas,
                                           const NearestWorkArea& nearest);

} // namespace meltemix
