#pragma once

#include "core/skin/Canvas.h"
#include "win32/platform/ArgbPixels.h"
#include "win32/platform/GdiplusApi.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace meltemix {

// Pixels of our own as a GDI+ bitmap, which draws into them; they must outlive it.
GdipBitmap BitmapOn(ArgbImage& pixels);

// The decoded pixels of a picture. A window on a screen whose density is not the picture's
// draws it only from what it scaled of it; the pixels it was scaled from can then be let go,
// and are made again when they are asked for: read from the file again, or made again from
// the picture they were made from.
class PicturePixels {
public:
    // How they are made again; null when they cannot be, and are never let go.
    using Remake = std::function<ArgbImage()>;

    explicit PicturePixels(ArgbImage pixels, Remake remake = nullptr);

    // Null when they cannot be made again.
    Gdiplus::GpBitmap* Bitmap();
    void LetGo();
    bool Held() const { return bitmap_ != nullptr; }

private:
    ArgbImage pixels_;
    GdipBitmap bitmap_; // on pixels_
    Remake remake_;
};

// A picture decoded by GDI+; empty when the file is missing or unreadable. The decoded
// pixels may be shared with other pictures of the same file: nothing draws into them. Its
// width and height are those the faces lay it out by; a picture drawn for denser screens
// has `density` (2) bitmap pixels to each of them.
class GdiplusPicture : public Picture {
public:
    GdiplusPicture(std::string path, std::shared_ptr<PicturePixels> pixels, int width,
                   int height, int density = 1)
        : Picture(std::move(path), width, height), pixels_(std::move(pixels)),
          density_(density) {}

    // Made again when they were let go; null without pixels.
    Gdiplus::GpBitmap* Bitmap() const { return pixels_ ? pixels_->Bitmap() : nullptr; }
    // The pixels, which stand for the picture also while they are let go.
    const std::shared_ptr<PicturePixels>& Pixels() const { return pixels_; }
    int Density() const { return density_; }

private:
    std::shared_ptr<PicturePixels> pixels_;
    int density_;
};

} // namespace meltemix
