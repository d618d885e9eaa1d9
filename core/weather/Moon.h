#pragma once

#include "core/weather/DateTime.h"

namespace meltemix {

// How far the moon is through its cycle at a moment, as a whole percentage 0..100
// (100 at the reference new moon itself). Moments before the reference mirror those after
// it. A value outside the calendar's years 1..9999 gives 0.
int MoonPhasePercent(TDateTime moment);

// The moon picture's index 0..28 for a day: the percentage at midnight of that day, times
// 0.279, rounded half to even. The time of day of `today` is ignored, so the caller passes
// the current local date (or date-time).
int MoonIndex(TDateTime today);

// The index for a percentage, as MoonIndex maps it.
int MoonIndexOfPercent(int percent);

} // namespace meltemix
