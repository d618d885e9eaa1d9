#pragma once

#include "core/skin/Canvas.h"
#include "win32/platform/GdiplusApi.h"
#include "win32/platform/GdiplusPictureSource.h" // the pictures it draws
#include "win32/platform/GdiplusScaledPictures.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace meltemix {

// A picture decoded by GDI+; empty when the file is missing or unreadable. The decoded
// bitmap may be shared with other pictures of the same file: nothing draws into it. Its
// width and height are those the faces lay it out by; a picture drawn for denser screens
// has `density` (2) bitmap pixels to each of them.
class GdiplusPicture : public Picture {
public:
    GdiplusPicture(std::string path, std::shared_ptr<Gdiplus::GpBitmap> bitmap, int width,
                   int height, int density = 1)
        : Picture(std::move(path), width, height), bitmap_(std::move(bitmap)),
          density_(density) {}

    Gdiplus::GpBitmap* Bitmap() const { return bitmap_.get(); }
    const std::shared_ptr<Gdiplus::GpBitmap>& Shared() const { return bitmap_; }
    int Density() const { return density_; }

private:
    std::shared_ptr<Gdiplus::GpBitmap> bitmap_;
    int density_;
};

// The image attributes of a drawing; null when it needs none.
GdipAttributes MakeGdipAttributes(const DrawAttributes& attributes);

// Fonts and string formats for the canvases of one window. A repaint uses a handful of
// fonts many times and a window repaints often, so each is made once and kept.
// Drawing a text costs far more than copying its pixels, and a window draws the same texts
// at every repaint. With `keepDrawn`, a text drawn in two repaints in a row is kept as the
// pixels it gave, cut to where they have ink, until a repaint goes by without it.
class GdiplusTextResources {
public:
    // Enough for every text of the main face, each drawn twice (shadow and colour).
    static constexpr std::size_t DrawnCapacity = 48;

    explicit GdiplusTextResources(bool keepDrawn = false) : keepDrawn_(keepDrawn) {}

    // Null when the font cannot be made; the failure is kept too.
    Gdiplus::GpFont* Font(const FontSpec& font);
    Gdiplus::GpStringFormat* Format(TextAlign align);

    // The pixels of a text drawn over nothing: `Ink` is where in its rectangle they lie (empty:
    // nowhere), `Bitmap` holds them.
    struct Pixels {
        PixelRect Ink;
        GdipBitmap Bitmap;
    };

    bool KeepsDrawn() const { return keepDrawn_; }
    // The text as a canvas at `scale` draws it into a rectangle of width × height at (0, 0),
    // in the canvas's own pixels (width × scale and height × scale whole); null when it is
    // not kept (yet), and the caller draws it.
    const Pixels* Drawn(const std::string& text, int width, int height, const FontSpec& font,
                        Argb color, TextAlign align, float scale = 1);
    // A repaint begins: the texts the one before did not draw go.
    void NewRepaint();

private:
    struct DrawnText {
        std::string text;
        int width = 0;
        int height = 0;
        FontSpec font;
        Argb color = 0;
        TextAlign align = TextAlign::Near;
        float scale = 1;
        std::optional<Pixels> pixels; // none: drawn once so far
        bool used = true;             // since the last repaint began
    };

    bool keepDrawn_;
    std::vector<std::pair<FontSpec, GdipFont>> fonts_;
    std::array<GdipFormat, 3> formats_;
    std::vector<DrawnText> drawn_; // the one used last at the end
};

// A 32-bit ARGB bitmap with its drawing surface, fully transparent when made. Text is drawn
// anti-aliased in fonts made from a LOGFONT: face names are found the way the window system
// finds them, also under Wine, where the family lookup by name misses "Tahoma" and "Arial".
// On a denser screen the bitmap has round(scale × size) pixels a side and everything is
// drawn through that scale: callers lay out in the sizes of a 96-dpi screen, and texts and
// pictures come out at the bitmap's full resolution, not enlarged.
class GdiplusCanvas : public Canvas {
public:
    // Without shared text resources the canvas makes its own; without kept stretched
    // pictures it stretches at every drawing.
    GdiplusCanvas(int width, int height, std::shared_ptr<GdiplusTextResources> text = nullptr,
                  std::shared_ptr<GdiplusScaledPictures> scaled = nullptr, float scale = 1);
    ~GdiplusCanvas() override;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    // The bitmap's size: what the window shows.
    int PixelWidth() const { return pixelWidth_; }
    int PixelHeight() const { return pixelHeight_; }
    void DrawPicture(const Picture& picture, const RectF& dest,
                     const DrawAttributes& attributes) override;
    void DrawPicturePart(const Picture& picture, const RectF& dest, const RectF& source,
                         const DrawAttributes& attributes) override;
    void DrawString(const std::string& text, const RectF& rect, const FontSpec& font, Argb color,
                    TextAlign align) override;
    SizeF MeasureText(const std::string& text, const FontSpec& font, TextAlign align) override;

    Gdiplus::GpBitmap* Bitmap() const { return bitmap_.get(); }
    // The bitmap's pixel as drawn (not premultiplied); 0 outside it or without GDI+.
    Argb PixelAt(int x, int y) const;

private:
    class InBitmapPixels;

    void Draw(const Picture& picture, const RectF& dest, const RectF& source,
              const DrawAttributes& attributes);
    // `rect` in the bitmap's pixels.
    RectF OnBitmap(const RectF& rect) const;

    int width_;
    int height_;
    float scale_;
    int pixelWidth_;
    int pixelHeight_;
    std::shared_ptr<GdiplusTextResources> text_;
    std::shared_ptr<GdiplusScaledPictures> scaled_;
    GdipBitmap bitmap_;
    GdipGraphics graphics_;
};

} // namespace meltemix
