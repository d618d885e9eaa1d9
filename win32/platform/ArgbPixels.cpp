#include "win32/platform/ArgbPixels.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>

namespace meltemix {

ArgbImage::ArgbImage(int width, int height) {
    if (width <= 0 || height <= 0)
        return;
    const std::size_t bytes =
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * sizeof(std::uint32_t);
    // Committed pages read as zero: transparent.
    bits_ = static_cast<std::uint32_t*>(
        VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    if (bits_) {
        width_ = width;
        height_ = height;
    }
}

ArgbImage& ArgbImage::operator=(ArgbImage&& other) noexcept {
    if (this != &other) {
        if (bits_)
            VirtualFree(bits_, 0, MEM_RELEASE);
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
        bits_ = std::exchange(other.bits_, nullptr);
    }
    return *this;
}

ArgbImage::~ArgbImage() {
    if (bits_)
        VirtualFree(bits_, 0, MEM_RELEASE);
}

void ArgbImage::CutTo(const PixelRect& area) {
    const int left = std::max(area.Left, 0), top = std::max(area.Top, 0);
    const int right = std::min(area.Left + area.Width, width_),
              bottom = std::min(area.Top + area.Height, height_);
    ArgbImage cut(right - left, bottom - top);
    for (int y = 0; y < cut.height_; ++y)
        std::copy_n(bits_ + static_cast<std::size_t>(top + y) * width_ + left, cut.width_,
                    cut.bits_ + static_cast<std::size_t>(y) * cut.width_);
    *this = std::move(cut);
}

std::uint32_t Over(std::uint32_t bottom, std::uint32_t top) {
    const std::uint32_t topAlpha = top >> 24;
    if (topAlpha == 255)
        return top;
    if (topAlpha == 0)
        return bottom;
    // What shows of the bottom pixel, on the scale of 255, rounded down.
    const std::uint32_t shown = (bottom >> 24) * (255 - topAlpha) / 255;
    if (shown == 0)
        return top;
    const std::uint32_t alpha = shown + topAlpha;
    const auto channel = [&](int shift) {
        return ((bottom >> shift & 0xFF) * shown + (top >> shift & 0xFF) * topAlpha) / alpha;
    };
    return alpha << 24 | channel(16) << 16 | channel(8) << 8 | channel(0);
}

void ComposeOver(std::uint32_t* onto, int width, int height, int stride, int x, int y,
                 const ArgbView& from) {
    const int left = std::max(x, 0), top = std::max(y, 0);
    const int right = std::min(x + from.Width, width), bottom = std::min(y + from.Height, height);
    for (int row = top; row < bottom; ++row) {
        std::uint32_t* target = onto + static_cast<std::ptrdiff_t>(row) * stride;
        const std::uint32_t* source = from.Bits + static_cast<std::ptrdiff_t>(row - y) * from.Stride;
        for (int column = left; column < right; ++column) {
            const std::uint32_t pixel = source[column - x];
            if (pixel >> 24 == 0)
                continue;
            target[column] = pixel >> 24 == 255 ? pixel : Over(target[column], pixel);
        }
    }
}

PixelRect InkOf(const ArgbView& pixels) {
    int left = pixels.Width, top = pixels.Height, right = -1, bottom = -1;
    for (int y = 0; y < pixels.Height; ++y) {
        const std::uint32_t* row = pixels.Bits + static_cast<std::ptrdiff_t>(y) * pixels.Stride;
        for (int x = 0; x < pixels.Width; ++x)
            if (row[x] >> 24) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    }
    if (right < 0)
        return {};
    return {left, top, right - left + 1, bottom - top + 1};
}

} // namespace meltemix
