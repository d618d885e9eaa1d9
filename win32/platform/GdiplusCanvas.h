#pragma once

#include "core/skin/Canvas.h"
#include "win32/platform/ArgbPixels.h"
#include "win32/platform/GdiplusApi.h"
#include "win32/platform/GdiplusPicture.h"
#include "win32/platform/GdiplusPictureSource.h" // the pictures it draws
#include "win32/platform/GdiplusScaledPictures.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace meltemix {

// The image attributes of a drawing; null when it needs none.
GdipAttributes MakeGdipAttributes(const DrawAttributes& attributes);

// Fonts and string formats for the canvases of one window. A repaint uses a handful of
// fonts many times and a window repaints often, so each is made once and kept.
// Drawing a text costs far more than copying its pixels, and a window draws the same texts
// at every repaint. With `keepDrawn`, a text drawn in two repaints in a row is kept as the
// pixels it gave, cut to where they have ink, until a repaint goes by without it; and the
// size a text measures is kept too.
class GdiplusTextResources {
public:
    // Enough for every text of the main face, each drawn twice (shadow and colour).
    static constexpr std::size_t DrawnCapacity = 48;
    // The texts a repaint measures, with room for the place name tried at smaller sizes.
    static constexpr std::size_t MeasuredCapacity = 16;

    explicit GdiplusTextResources(bool keepDrawn = false) : keepDrawn_(keepDrawn) {}

    // Null when the font cannot be made; the failure is kept too.
    Gdiplus::GpFont* Font(const FontSpec& font);
    Gdiplus::GpStringFormat* Format(TextAlign align);

    // How a canvas lays a text out: its rectangle of width × height (whole pixels of the
    // layout), the canvas's scale, and where on the canvas's pixels the rectangle begins
    // beyond whole ones (0 ≤ offset < 1; a rectangle on whole layout pixels may fall between
    // pixels of a canvas at 125 %, 150 % or 175 %).
    struct Layout {
        int Width = 0;
        int Height = 0;
        float Scale = 1;
        float OffsetX = 0;
        float OffsetY = 0;
    };
    // The pixels of a text drawn over nothing: `Ink` is where in its rectangle (in the
    // canvas's pixels, from the whole pixel where the rectangle begins) they lie, empty when
    // nowhere; `Image` holds them.
    struct Pixels {
        PixelRect Ink;
        ArgbImage Image;
    };

    bool KeepsDrawn() const { return keepDrawn_; }
    // The text drawn anew; empty pixels when it cannot be.
    Pixels Draw(const std::string& text, const Layout& layout, const FontSpec& font, Argb color,
                TextAlign align);
    // The text as Draw gives it, when it is kept; null when it is not (yet), and the caller
    // draws it.
    const Pixels* Drawn(const std::string& text, const Layout& layout, const FontSpec& font,
                        Argb color, TextAlign align);
    // What a canvas at `scale` measured the text to be, when kept; Measured keeps it.
    const SizeF* Measure(const std::string& text, const FontSpec& font, TextAlign align,
                         float scale);
    void Measured(const std::string& text, const FontSpec& font, TextAlign align, float scale,
                  const SizeF& size);
    // A repaint begins: the texts the one before did not draw go.
    void NewRepaint();
    // The window is now at another density: nothing drawn or measured for the old one is used
    // again.
    void Clear();

    std::size_t Bytes() const;

private:
    struct DrawnText {
        std::string text;
        Layout layout;
        FontSpec font;
        Argb color = 0;
        TextAlign align = TextAlign::Near;
        std::optional<Pixels> pixels; // none: drawn once so far
        bool used = true;             // since the last repaint began
    };
    struct MeasuredText {
        std::string text;
        FontSpec font;
        TextAlign align = TextAlign::Near;
        float scale = 1;
        SizeF size;
    };

    bool keepDrawn_;
    std::vector<std::pair<FontSpec, GdipFont>> fonts_;
    std::array<GdipFormat, 3> formats_;
    std::vector<DrawnText> drawn_;       // the one used last at the end
    std::vector<MeasuredText> measured_; // the one used last at the end
};

// The pixels of a window's last canvas, given back when it goes and taken by the next one of
// the same size, cleared: pages fresh from the system cost a fault each when first drawn on,
// which at 200 % took longer than all the drawing of a repaint.
class CanvasPixels {
public:
    // Transparent pixels of that size.
    ArgbImage Take(int width, int height);
    void GiveBack(ArgbImage pixels) { spare_ = std::move(pixels); }

private:
    ArgbImage spare_;
};

// A 32-bit ARGB bitmap with its drawing surface, fully transparent when made. Text is drawn
// anti-aliased in fonts made from a LOGFONT: face names are found the way the window system
// finds them, also under Wine, where the family lookup by name misses "Tahoma" and "Arial".
// On a denser screen the bitmap has round(scale × size) pixels a side and everything is
// drawn through that scale: callers lay out in the sizes of a 96-dpi screen, and texts and
// pictures come out at the bitmap's full resolution, not enlarged.
// A picture drawn at other than its own pixels' size, and a text, is drawn on its own first
// and then laid onto the bitmap, whether or not it is kept: so it is the same wherever it
// lands, kept or drawn anew. A picture at its own pixels' size is laid on as it is.
class GdiplusCanvas : public Canvas {
public:
    // Without shared text resources the canvas makes its own; without kept scaled pictures
    // it scales at every drawing; without pixels to take, it takes fresh ones.
    GdiplusCanvas(int width, int height, std::shared_ptr<GdiplusTextResources> text = nullptr,
                  std::shared_ptr<GdiplusScaledPictures> scaled = nullptr, float scale = 1,
                  std::shared_ptr<CanvasPixels> recycled = nullptr);
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
    void FillRectangle(const RectF& rect, Argb color) override;

    Gdiplus::GpBitmap* Bitmap() const { return bitmap_.get(); }
    // The bitmap's pixels.
    ArgbView Pixels() const { return pixels_.View(); }
    // The bitmap's pixel as drawn (not premultiplied); 0 outside it or without GDI+.
    Argb PixelAt(int x, int y) const;

private:
    void Draw(const Picture& picture, const RectF& dest, const RectF& source,
              const DrawAttributes& attributes);
    // `rect` in the bitmap's pixels.
    RectF OnBitmap(const RectF& rect) const;
    // `pixels` laid over the bitmap's, their top left corner at (x, y).
    void Lay(const ArgbView& pixels, int x, int y);
    // The part `source` of `bitmap`, at its own size, laid at (x, y); false when its pixels
    // cannot be read.
    bool Lay(Gdiplus::GpBitmap* bitmap, const PixelRect& source, int x, int y);

    int width_;
    int height_;
    float scale_;
    int pixelWidth_;
    int pixelHeight_;
    std::shared_ptr<GdiplusTextResources> text_;
    std::shared_ptr<GdiplusScaledPictures> scaled_;
    std::shared_ptr<CanvasPixels> recycled_;
    ArgbImage pixels_; // what the bitmap draws into
    GdipBitmap bitmap_;
    GdipGraphics graphics_;
};

} // namespace meltemix
