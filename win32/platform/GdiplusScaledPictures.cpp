#include "win32/platform/GdiplusScaledPictures.h"

#include "win32/platform/GdiplusCanvas.h"

#include <algorithm>

namespace meltemix {

Gdiplus::GpBitmap* GdiplusScaledPictures::Scaled(const GdiplusPicture& picture,
                                                 const RectF& source, const PixelRect& dest,
                                                 const DrawAttributes& attributes) {
    const auto found = std::find_if(kept_.begin(), kept_.end(), [&](const Kept& kept) {
        return kept.picture == picture.Shared() && kept.source == source && kept.dest == dest &&
               kept.matrix == attributes.Matrix && kept.tile == attributes.TileEdges;
    });
    if (found == kept_.end()) {
        // Once may be all: each step of the unrolling stretches to a size of its own.
        if (kept_.size() >= Capacity)
            kept_.erase(kept_.begin());
        kept_.push_back({picture.Shared(), source, dest, attributes.Matrix, attributes.TileEdges,
                         nullptr});
        return nullptr;
    }
    found->used = true;
    std::rotate(found, found + 1, kept_.end());
    Kept& kept = kept_.back();
    if (kept.scaled)
        return kept.scaled.get();

    const int width = dest.Left + dest.Width, height = dest.Top + dest.Height;
    Gdiplus::GpBitmap* raw = nullptr;
    if (dest.Left < 0 || dest.Top < 0 || dest.Width <= 0 || dest.Height <= 0 ||
        static_cast<long long>(width) * height > MaxPixels ||
        gdip::GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppPARGB, nullptr, &raw) !=
            Gdiplus::Ok ||
        !raw)
        return nullptr;
    GdipBitmap scaled(raw);
    {
        Gdiplus::GpGraphics* rawGraphics = nullptr;
        if (gdip::GdipGetImageGraphicsContext(raw, &rawGraphics) != Gdiplus::Ok)
            return nullptr;
        const GdipGraphics graphics(rawGraphics);
        gdip::GdipGraphicsClear(rawGraphics, 0);
        const GdipAttributes made = MakeGdipAttributes(attributes);
        const RectF at = dest.ToRectF();
        if (gdip::GdipDrawImageRectRect(rawGraphics, picture.Bitmap(), at.X, at.Y, at.Width,
                                        at.Height, source.X, source.Y, source.Width,
                                        source.Height, Gdiplus::UnitPixel, made.get(), nullptr,
                                        nullptr) != Gdiplus::Ok)
            return nullptr;
    }
    kept.scaled = std::move(scaled);
    return kept.scaled.get();
}

void GdiplusScaledPictures::NewRepaint() {
    kept_.erase(std::remove_if(kept_.begin(), kept_.end(),
                               [](const Kept& kept) { return !kept.used; }),
                kept_.end());
    for (Kept& kept : kept_)
        kept.used = false;
}

} // namespace meltemix
