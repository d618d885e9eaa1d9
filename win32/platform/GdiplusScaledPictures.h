#pragma once

#include "core/skin/Canvas.h"
#include "win32/platform/GdiplusApi.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

namespace meltemix {

class GdiplusPicture;

// Pictures drawn stretched, kept as they were drawn. Stretching costs more than all else a
// repaint draws, and a window draws its panel's middle slices into the same rectangles again
// and again: one stretched in two repaints in a row is kept, and copied pixel for pixel until
// a repaint goes by without it. The library's stretching depends,
// at the edges, on where the picture lands, so each is kept stretched into its very
// rectangle, on a bitmap reaching from the canvas's origin to that rectangle's far corner.
class GdiplusScaledPictures {
public:
    // More than one repaint stretches.
    static constexpr std::size_t Capacity = 6;

    // Bitmaps larger than this are not kept.
    static constexpr int MaxPixels = 1024 * 1024;

    // A bitmap holding the part `source` of `picture` drawn into `dest` (whole pixels)
    // through `attributes`, over nothing, at the same place; null when it is not kept (yet),
    // and the caller stretches it.
    Gdiplus::GpBitmap* Scaled(const GdiplusPicture& picture, const RectF& source,
                              const PixelRect& dest, const DrawAttributes& attributes);
    // A repaint begins: what the one before did not draw goes (the unrolling's sizes, an
    // old look), so that no more is kept than one repaint draws.
    void NewRepaint();

private:
    struct Kept {
        std::shared_ptr<Gdiplus::GpBitmap> picture; // held, so that its address stays its own
        RectF source;
        PixelRect dest;
        std::optional<ColorMatrix> matrix;
        bool tile = false;
        GdipBitmap scaled; // none: stretched once so far
        bool used = true; // since the last repaint began
    };

    std::vector<Kept> kept_; // the one used last at the end
};

} // namespace meltemix
