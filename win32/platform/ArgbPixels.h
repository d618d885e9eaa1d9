#pragma once

#include "core/skin/Canvas.h"

#include <cstddef>
#include <cstdint>
#include <utility>

namespace meltemix {

// Pixels in 32-bit ARGB, not premultiplied, rows top down: what GDI+ keeps as
// PixelFormat32bppARGB, and what the canvases draw on.
struct ArgbView {
    const std::uint32_t* Bits = nullptr;
    int Width = 0;
    int Height = 0;
    int Stride = 0; // pixels from one row to the next
};

// Pixels of their own, fully transparent when made. They come straight from the system and
// go back to it: a window makes and lets go of many, of many sizes, which would leave a
// heap holding far more than it is asked for at any time.
class ArgbImage {
public:
    ArgbImage() = default;
    ArgbImage(int width, int height);
    ArgbImage(ArgbImage&& other) noexcept { *this = std::move(other); }
    ArgbImage& operator=(ArgbImage&& other) noexcept;
    ArgbImage(const ArgbImage&) = delete;
    ArgbImage& operator=(const ArgbImage&) = delete;
    ~ArgbImage();

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return bits_ == nullptr; }
    std::uint32_t* Bits() { return bits_; }
    const std::uint32_t* Bits() const { return bits_; }
    ArgbView View() const { return {bits_, width_, height_, width_}; }
    std::size_t Bytes() const {
        return static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) *
               sizeof(std::uint32_t);
    }

    // Only the part `area` of it; the rest goes.
    void CutTo(const PixelRect& area);

private:
    int width_ = 0;
    int height_ = 0;
    std::uint32_t* bits_ = nullptr;
};

// `top` laid over `bottom`, each channel as GDI+ blends a picture onto an ARGB bitmap: what
// shows of `bottom` is weighted by its alpha times what `top` leaves through.
std::uint32_t Over(std::uint32_t bottom, std::uint32_t top);

// `from` laid over `onto` with its top left corner at (x, y); what falls outside `onto` is
// left out. Transparent pixels of `from` are skipped, opaque ones copied.
void ComposeOver(std::uint32_t* onto, int width, int height, int stride, int x, int y,
                 const ArgbView& from);

// The box around the pixels that have any alpha; empty when none has.
PixelRect InkOf(const ArgbView& pixels);

} // namespace meltemix
