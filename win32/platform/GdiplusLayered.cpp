#include "win32/platform/GdiplusLayered.h"

#include "win32/platform/GdiplusCanvas.h"
#include "win32/platform/Handles.h"

namespace meltemix {
namespace {

class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() {
        if (dc_)
            ReleaseDC(nullptr, dc_);
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// Puts a bitmap into a memory device context and takes it out again.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc_, previous_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The build for comparing faces in the end-to-end run stretches and draws every text at
// every repaint.
#ifdef MELTEMIX_PICTURES_UNCACHED
constexpr bool KeepDrawings = false;
#else
constexpr bool KeepDrawings = true;
#endif

} // namespace

void EnsureLayered(HWND window) {
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
    if (!(style & WS_EX_LAYERED))
        SetWindowLongPtrW(window, GWL_EXSTYLE, style | WS_EX_LAYERED);
}

GdiplusLayeredSurface::GdiplusLayeredSurface(HWND window, Dpi dpi, bool keepDrawings)
    : window_(window),
      dpi_(dpi),
      text_(std::make_shared<GdiplusTextResources>(KeepDrawings && keepDrawings)),
      scaled_(KeepDrawings && keepDrawings ? std::make_shared<GdiplusScaledPictures>() : nullptr),
      recycled_(std::make_shared<CanvasPixels>()) {}

void GdiplusLayeredSurface::SetDpi(Dpi dpi) {
    if (dpi.value() != dpi_.value()) {
        text_->Clear();
        if (scaled_)
            scaled_->Clear();
    }
    dpi_ = dpi;
}

std::unique_ptr<Canvas> GdiplusLayeredSurface::NewCanvas(int width, int height) {
    text_->NewRepaint();
    if (scaled_)
        scaled_->NewRepaint();
    return std::make_unique<GdiplusCanvas>(width, height, text_, scaled_, dpi_.Factor(),
                                           recycled_);
}

void GdiplusLayeredSurface::UpdateLayered(const Canvas& canvas, std::uint8_t windowAlpha) {
    const auto* painted = dynamic_cast<const GdiplusCanvas*>(&canvas);
    if (!painted || !painted->Bitmap())
        return;
    // A fresh device bitmap each time: the hand-over holds nothing between repaints.
    HBITMAP raw = nullptr;
    if (gdip::GdipCreateHBITMAPFromBitmap(painted->Bitmap(), &raw, 0) != Gdiplus::Ok || !raw)
        return;
    const GdiObject bitmap(raw);
    const ScreenDc screen;
    const MemoryDc memory(CreateCompatibleDC(screen.get()));
    if (!screen.get() || !memory)
        return;
    const Selection selected(memory.get(), bitmap.get());

    RECT rect;
    GetWindowRect(window_, &rect);
    POINT position = {rect.left, rect.top};
    SIZE size = {painted->PixelWidth(), painted->PixelHeight()};
    POINT origin = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, windowAlpha, AC_SRC_ALPHA};
    UpdateLayeredWindow(window_, screen.get(), &position, &size, memory.get(), &origin, 0, &blend,
                        ULW_ALPHA);
}

} // namespace meltemix
