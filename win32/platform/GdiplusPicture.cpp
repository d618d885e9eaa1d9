#include "win32/platform/GdiplusPicture.h"

#include <cstdint>

namespace meltemix {

GdipBitmap BitmapOn(ArgbImage& pixels) {
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (pixels.Empty() ||
        gdip::GdipCreateBitmapFromScan0(pixels.Width(), pixels.Height(),
                                        pixels.Width() * static_cast<INT>(sizeof(std::uint32_t)),
                                        PixelFormat32bppARGB,
                                        reinterpret_cast<BYTE*>(pixels.Bits()),
                                        &bitmap) != Gdiplus::Ok)
        return nullptr;
    return GdipBitmap(bitmap);
}

PicturePixels::PicturePixels(ArgbImage pixels, Remake remake)
    : pixels_(std::move(pixels)), bitmap_(BitmapOn(pixels_)), remake_(std::move(remake)) {}

Gdiplus::GpBitmap* PicturePixels::Bitmap() {
    if (!bitmap_ && remake_) {
        pixels_ = remake_();
        bitmap_ = BitmapOn(pixels_);
    }
    return bitmap_.get();
}

void PicturePixels::LetGo() {
    if (!remake_)
        return;
    bitmap_.reset(); // before the pixels it draws from
    pixels_ = ArgbImage();
}

} // namespace meltemix
