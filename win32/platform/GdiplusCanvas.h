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
// bitmap may be shared with other pictures of the same file: nothing draws into it.
class GdiplusPicture : public Picture {
public:
    GdiplusPicture(std::string path, std::shared_ptr<Gdiplus::GpBitmap> bitmap, int width,
                   int height)
        : Picture(std::move(path), width, height), bitmap_(std::move(bitmap)) {}

    Gdiplus::GpBitmap* Bitmap() const { return bitmap_.get(); }
    const std::shared_ptr<Gdiplus::GpBitmap>& Shared() const { return bitmap_; }

private:
    std::shared_ptr<Gdiplus::GpBitmap> bitmap_;
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
    // The text as a canvas draws it into a rectangle of width × height at (0, 0); null when
    // it is not kept (yet), and the caller draws it.
    const Pixels* Drawn(const std::string& text, int width, int height, const FontSpec& font,
                        Argb color, TextAlign align);
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
class GdiplusCanvas : public Canvas {
public:
    // Without shared text resources the canvas makes its own; without kept stretched
    // pictures it stretches at every drawing.
    GdiplusCanvas(int width, int height, std::shared_ptr<GdiplusTextResources> text = nullptr,
                  std::shared_ptr<GdiplusScaledPictures> scaled = nullptr);
    ~GdiplusCanvas() override;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void DrawPicture(const Picture& picture, const RectF& dest,
                     const DrawAttributes& attributes) override;
    void DrawPicturePart(const Picture& picture, const RectF& dest, const RectF& source,
                         const DrawAttributes& attributes) override;
    void DrawString(const std::string& text, const RectF& rect, const FontSpec& font, Argb color,
                    TextAlign align) override;
    SizeF MeasureText(const std::string& text, const FontSpec& font, TextAlign align) override;

    Gdiplus::GpBitmap* Bitmap() const { return bitmap_.get(); }
    // The pixel as drawn (not premultiplied); 0 outside the canvas or without GDI+.
    Argb PixelAt(int x, int y) const;

private:
    void Draw(const Picture& picture, const RectF& dest, const RectF& source,
              const DrawAttributes& attributes);

    int width_;
    int height_;
    std::shared_ptr<GdiplusTextResources> text_;
    std::shared_ptr<GdiplusScaledPictures> scaled_;
    GdipBitmap bitmap_;
    GdipGraphics graphics_;
};

} // namespace meltemix
