#pragma once

#include "core/skin/Canvas.h"

namespace meltemix {

// The keyboard focus on a part of a face: a thin white frame along the part's edges with a
// dark one just outside it, so that it shows on every tint and over every picture.
void DrawFocusMark(Canvas& canvas, const PixelRect& part);

} // namespace meltemix
