#include "win32/platform/GdiplusScaledPictures.h"

#include "win32/platform/GdiplusCanvas.h"

#include <algorithm>

namespace meltemix {
namespace {

// The same picture, also once it is gone and another took its address.
bool Same(const std::weak_ptr<PicturePixels>& kept,
          const std::shared_ptr<PicturePixels>& picture) {
    return !kept.owner_before(picture) && !picture.owner_before(kept);
}

} // namespace

std::optional<ScaledPixels> ScalePicture(const GdiplusPicture& picture, const RectF& source,
                                         int width, int height,
                                         const DrawAttributes& attributes) {
    Gdiplus::GpBitmap* own = picture.Bitmap();
    if (!own || width <= 0 || height <= 0)
        return std::nullopt;
    ScaledPixels scaled;
    scaled.Pixels = ArgbImage(width, height);
    {
        const GdipBitmap bitmap = BitmapOn(scaled.Pixels);
        Gdiplus::GpGraphics* rawGraphics = nullptr;
        if (!bitmap || gdip::GdipGetImageGraphicsContext(bitmap.get(), &rawGraphics) != Gdiplus::Ok)
            return std::nullopt;
        const GdipGraphics graphics(rawGraphics);
        const GdipAttributes made = MakeGdipAttributes(attributes);
        if (gdip::GdipDrawImageRectRect(rawGraphics, own, 0, 0, static_cast<float>(width),
                                        static_cast<float>(height), source.X, source.Y,
                                        source.Width, source.Height, Gdiplus::UnitPixel,
                                        made.get(), nullptr, nullptr) != Gdiplus::Ok)
            return std::nullopt;
    }
    scaled.Ink = InkOf(scaled.Pixels.View());
    scaled.Pixels.CutTo(scaled.Ink);
    return scaled;
}

const ScaledPixels* GdiplusScaledPictures::Scaled(const GdiplusPicture& picture,
                                                  const RectF& source, int width, int height,
                                                  const DrawAttributes& attributes,
                                                  bool ownSize) {
    const std::shared_ptr<PicturePixels>& shared = picture.Pixels();
    if (!shared || width <= 0 || height <= 0 ||
        static_cast<long long>(width) * height > MaxPixels) {
        Drawn(picture, false);
        return nullptr;
    }
    const auto found = std::find_if(kept_.begin(), kept_.end(), [&](const Kept& kept) {
        return Same(kept.picture, shared) && kept.source == source && kept.width == width &&
               kept.height == height && kept.matrix == attributes.Matrix &&
               kept.tile == attributes.TileEdges;
    });
    if (found == kept_.end()) {
        if (!ownSize) {
            const auto stretched = std::count_if(kept_.begin(), kept_.end(),
                                                 [](const Kept& kept) { return !kept.ownSize; });
            if (static_cast<std::size_t>(stretched) >= StretchedCapacity)
                kept_.erase(std::find_if(kept_.begin(), kept_.end(),
                                         [](const Kept& kept) { return !kept.ownSize; }));
        }
        kept_.push_back({shared, source, width, height, attributes.Matrix, attributes.TileEdges,
                         ownSize, std::nullopt});
        if (!ownSize) {
            Drawn(picture, false);
            return nullptr; // once may be all
        }
    } else {
        found->idle = 0;
        found->ownSize = found->ownSize || ownSize;
        std::rotate(found, found + 1, kept_.end());
    }
    Kept& kept = kept_.back();
    if (!kept.scaled)
        kept.scaled = ScalePicture(picture, source, width, height, attributes);
    if (!kept.scaled) {
        Drawn(picture, false);
        return nullptr; // not to be had now; perhaps at the next repaint
    }
    Drawn(picture, true);
    return &*kept.scaled;
}

void GdiplusScaledPictures::Drawn(const GdiplusPicture& picture, bool fromKept) {
    const std::shared_ptr<PicturePixels>& pixels = picture.Pixels();
    const auto found = std::find_if(drawn_.begin(), drawn_.end(), [&](const DrawnPicture& drawn) {
        return Same(drawn.picture, pixels);
    });
    if (found == drawn_.end())
        drawn_.push_back({pixels, fromKept});
    else
        found->fromKept = found->fromKept && fromKept;
}

void GdiplusScaledPictures::NewRepaint() {
    for (const DrawnPicture& drawn : drawn_)
        if (drawn.fromKept)
            if (const std::shared_ptr<PicturePixels> pixels = drawn.picture.lock())
                pixels->LetGo();
    drawn_.clear();
    for (Kept& kept : kept_)
        ++kept.idle; // the repaint that just ended counts from now on
    kept_.erase(std::remove_if(kept_.begin(), kept_.end(),
                               [](const Kept& kept) {
                                   return kept.idle > (kept.ownSize ? OwnSizeIdleRepaints : 1) ||
                                          kept.picture.expired();
                               }),
                kept_.end());
}

std::size_t GdiplusScaledPictures::Count() const {
    return static_cast<std::size_t>(std::count_if(
        kept_.begin(), kept_.end(), [](const Kept& kept) { return kept.scaled.has_value(); }));
}

std::size_t GdiplusScaledPictures::Bytes() const {
    std::size_t bytes = 0;
    for (const Kept& kept : kept_)
        if (kept.scaled)
            bytes += kept.scaled->Pixels.Bytes();
    return bytes;
}

} // namespace meltemix
