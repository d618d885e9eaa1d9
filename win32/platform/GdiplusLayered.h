#pragma once

#include "core/skin/Canvas.h"
#include "win32/platform/Dpi.h"

#include <windows.h>

#include <memory>

namespace meltemix {

// Gives a window per-pixel alpha (WS_EX_LAYERED) unless it has it already.
void EnsureLayered(HWND window);

// Canvases for a layered window and their hand-over: the whole picture replaces the
// window's at its current position, with the window's overall alpha on top of each pixel's.
// Canvases are asked for in the sizes of a 96-dpi screen and drawn at the window's density;
// the window takes the size of the canvas handed over.
class CanvasPixels;
class GdiplusTextResources;
class GdiplusScaledPictures;

class GdiplusLayeredSurface : public LayeredSurface {
public:
    // `keepDrawings`: texts and scaled pictures are kept between repaints (not for a window
    // that paints once).
    explicit GdiplusLayeredSurface(HWND window, Dpi dpi = Dpi(), bool keepDrawings = true);

    // The next canvas is made at this density; what was kept for another is dropped.
    void SetDpi(Dpi dpi);
    std::unique_ptr<Canvas> NewCanvas(int width, int height) override;
    void UpdateLayered(const Canvas& canvas, std::uint8_t windowAlpha) override;

private:
    HWND window_;
    Dpi dpi_;
    std::shared_ptr<GdiplusTextResources> text_; // shared by all its canvases
    std::shared_ptr<GdiplusScaledPictures> scaled_;
    std::shared_ptr<CanvasPixels> recycled_; // of the canvas gone last
};

} // namespace meltemix
