#include "core/skin/Canvas.h"

namespace meltemix {

ColorMatrix IdentityMatrix() {
    ColorMatrix m{};
    for (std::size_t i = 0; i < m.size(); ++i)
        m[i][i] = 1.0f;
    return m;
}

void DrawPictureAt(Canvas& canvas, const Picture& picture, float x, float y,
                   const DrawAttributes& attributes) {
    canvas.DrawPicture(picture,
                       {x, y, static_cast<float>(picture.Width()),
                        static_cast<float>(picture.Height())},
                       attributes);
}

} // namespace meltemix
