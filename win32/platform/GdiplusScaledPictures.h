#pragma once

#include "core/skin/Canvas.h"
#include "win32/platform/ArgbPixels.h"
#include "win32/platform/GdiplusApi.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

namespace meltemix {

class GdiplusPicture;
class PicturePixels;

// The part `source` (in the bitmap's own pixels) of `picture` scaled to width × height through
// `attributes`, over nothing, with its top left corner at the origin, cut to its ink: `Ink`
// is where in the width × height the pixels lie. Scaled at the origin, a picture comes out
// the same wherever it is then laid: scaled in place, the library's sampling at its first
// row and column depends on where it lands, and leaves them out at some places. None when
// the picture's pixels cannot be had or drawn.
struct ScaledPixels {
    PixelRect Ink;
    ArgbImage Pixels;
};
std::optional<ScaledPixels> ScalePicture(const GdiplusPicture& picture, const RectF& source,
                                         int width, int height,
                                         const DrawAttributes& attributes);

// Pictures of one window as scaled to the sizes its canvas draws them at. Scaling costs far
// more than laying the pixels down, and a window draws the same pictures at the same sizes
// at every repaint:
// - a picture drawn at its own size, on a canvas whose density is not the picture's, is kept
//   at the first scaling, for as long as the picture itself lives (its window's face holds
//   it, or the picture source still keeps it) and repaints go on drawing it: the backdrop of
//   the unrolling goes some repaints after it;
// - a picture stretched beyond its own size (the panel's middle slices) is kept from its
//   second repaint in a row, until a repaint goes by without it: each step of the unrolling
//   stretches to a size of its own.
// A picture that a repaint drew only from what was kept of it lets go of its own pixels,
// which are made again when it is to be scaled to another size. A density change drops all:
// nothing of the old one is drawn again.
class GdiplusScaledPictures {
public:
    // Stretched sizes registered at most, kept or not: more than one repaint stretches.
    static constexpr std::size_t StretchedCapacity = 6;
    // Repaints that go by without a picture drawn at its own size before it goes: a refresh
    // draws every picture of its face, but the unrolling's backdrop is drawn by the unrolling
    // alone.
    static constexpr int OwnSizeIdleRepaints = 8;

    // Pictures larger than this are not kept.
    static constexpr int MaxPixels = 1024 * 1024;

    // The pixels `ScalePicture` gives, when they are kept; null when they are not (yet), and
    // the caller scales the picture itself. `ownSize`: the picture is laid out at its own
    // size and only the density scales it.
    const ScaledPixels* Scaled(const GdiplusPicture& picture, const RectF& source, int width,
                               int height, const DrawAttributes& attributes, bool ownSize);
    // The canvas drew `picture` from its own pixels, which it needs again next time.
    void DrawnAsItIs(const GdiplusPicture& picture) { Drawn(picture, false); }
    // A repaint begins: stretched pictures the one before did not draw go, and so does
    // whatever was scaled from a picture that is gone; pictures it drew only from what was
    // kept let go of their own pixels.
    void NewRepaint();
    // The window is now at another density.
    void Clear() {
        kept_.clear();
        drawn_.clear();
    }

    // What is kept, for the memory's sake.
    std::size_t Count() const;
    std::size_t Bytes() const;

private:
    void Drawn(const GdiplusPicture& picture, bool fromKept);

    struct Kept {
        std::weak_ptr<PicturePixels> picture; // which may go before this
        RectF source;
        int width = 0;
        int height = 0;
        std::optional<ColorMatrix> matrix;
        bool tile = false;
        bool ownSize = false;
        std::optional<ScaledPixels> scaled; // none: stretched once so far
        int idle = 0;                       // repaints gone by without it
    };

    // The pictures the repaint drew, and whether only from what was kept of them.
    struct DrawnPicture {
        std::weak_ptr<PicturePixels> picture;
        bool fromKept = true;
    };

    std::vector<Kept> kept_; // the one used last at the end
    std::vector<DrawnPicture> drawn_;
};

} // namespace meltemix
