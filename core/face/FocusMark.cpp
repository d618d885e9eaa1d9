#include "core/face/FocusMark.h"

namespace meltemix {
namespace {

constexpr Argb Light = MakeArgb(235, 255, 255, 255);
constexpr Argb Dark = MakeArgb(130, 0, 0, 0);

void Frame(Canvas& canvas, float x, float y, float width, float height, Argb color) {
    canvas.FillRectangle({x, y, width, 1}, color);
    canvas.FillRectangle({x, y + height - 1, width, 1}, color);
    canvas.FillRectangle({x, y + 1, 1, height - 2}, color);
    canvas.FillRectangle({x + width - 1, y + 1, 1, height - 2}, color);
}

} // namespace

void DrawFocusMark(Canvas& canvas, const PixelRect& part) {
    if (part.Width < 2 || part.Height < 2)
        return;
    const RectF r = part.ToRectF();
    Frame(canvas, r.X - 1, r.Y - 1, r.Width + 2, r.Height + 2, Dark);
    Frame(canvas, r.X, r.Y, r.Width, r.Height, Light);
}

} // namespace meltemix
