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

ScreenRect moved(const ScreenRect& r, int dx, int dy) {
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

ScreenPoint topLeft(const ScreenRect& r) { return {r.left, r.top}; }

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

std::optional<PairPlace> BringPairOnScreen(const ScreenRect& main, const ScreenRect& info,
                                           const std::vector<ScreenRect>& workAreas,
                                           const NearestWorkArea& nearest) {
    if (visibleAnywhere(main, workAreas) && visibleAnywhere(info, workAreas))
        return std::nullopt;
    const ScreenRect pair{std::min(main.left, info.left), std::min(main.top, info.top),
                          std::max(main.right, info.right), std::max(main.bottom, info.bottom)};
    const ScreenRect area = nearest(main);
    if (area.width() > 0 && area.height() > 0 && pair.width() <= area.width() &&
        pair.height() <= area.height()) {
        const int dx = clampInto(pair.left, pair.width(), area.left, area.right) - pair.left;
        const int dy = clampInto(pair.top, pair.height(), area.top, area.bottom) - pair.top;
        return PairPlace{topLeft(moved(main, dx, dy)), topLeft(moved(info, dx, dy))};
    }
    const ScreenPoint mainTo = BringOnScreen(main, workAreas, area).value_or(topLeft(main));
    const ScreenRect followed = moved(info, mainTo.x - main.left, mainTo.y - main.top);
    const ScreenPoint infoTo =
        BringOnScreen(followed, workAreas, nearest(followed)).value_or(topLeft(followed));
    if (mainTo.x == main.left && mainTo.y == main.top && infoTo.x == info.left &&
        infoTo.y == info.top)
        return std::nullopt;
    return PairPlace{mainTo, infoTo};
}

} // namespace meltemix
