#include "core/app/Placement.h"

#include <algorithm>

namespace meltemix {
namespace {

int clampInto(int start, int size, int areaStart, int areaEnd) {
    // A window larger than the area shows its top or left edge, where its controls are.
    return std::max(areaStart, std::min(start, areaEnd - size));
}

bool visibleAnywhere(const ScreenRect& window, const std::vector<ScreenRect>& workAreas) {
    return std::any_of(workAreas.begin(), workAreas.end(),
                       [&](const ScreenRect& area) { return Intersects(window, area); });
}

} // namespace

bool Intersects(const ScreenRect& a, const ScreenRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

std::optional<ScreenPoint> BringOnScreen(const ScreenRect& window,
                                         const std::vector<ScreenRect>& workAreas,
                                         const ScreenRect& nearest) {
    if (visibleAnywhere(window, workAreas) || nearest.width() <= 0 || nearest.height() <= 0)
        return std::nullopt;
    return ScreenPoint{clampInto(window.left, window.width(), nearest.left, nearest.right),
                       clampInto(window.top, window.height(), nearest.top, nearest.bottom)};
}

std::optional<ScreenPoint> BringInfoOnScreen(const ScreenRect& info, ScreenPoint mainMove,
                                             const std::vector<ScreenRect>& workAreas,
                                             const ScreenRect& nearest) {
    if (visibleAnywhere(info, workAreas))
        return std::nullopt;
    const ScreenRect followed{info.left + mainMove.x, info.top + mainMove.y,
                              info.right + mainMove.x, info.bottom + mainMove.y};
    for (const ScreenRect& area : workAreas) {
        if (followed.left >= area.left && followed.right <= area.right &&
            followed.top >= area.top && followed.bottom <= area.bottom)
            return ScreenPoint{followed.left, followed.top};
    }
    return BringOnScreen(info, workAreas, nearest);
}

} // namespace meltemix
