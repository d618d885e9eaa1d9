#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace meltemix {

// What the skinned windows need of a 2-D graphics library: pictures loaded from files, an
// off-screen ARGB canvas to draw them and text into, and the hand-over of that canvas to a
// layered window. Graphics failures are silent everywhere: a picture that cannot be loaded
// is empty and draws nothing, a failed drawing step leaves the canvas as it was.

struct RectF {
    float X = 0;
    float Y = 0;
    float Width = 0;
    float Height = 0;
};

inline bool operator==(const RectF& a, const RectF& b) {
    return a.X == b.X && a.Y == b.Y && a.Width == b.Width && a.Height == b.Height;
}

struct SizeF {
    float Width = 0;
    float Height = 0;
};

// A rectangle in whole window pixels: the size a label takes after its text was measured.
struct PixelRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;

    bool Contains(int x, int y) const {
        return x >= Left && y >= Top && x < Left + Width && y < Top + Height;
    }
    RectF ToRectF() const {
        return {static_cast<float>(Left), static_cast<float>(Top), static_cast<float>(Width),
                static_cast<float>(Height)};
    }
};

inline bool operator==(const PixelRect& a, const PixelRect& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Width == b.Width && a.Height == b.Height;
}

inline bool operator!=(const PixelRect& a, const PixelRect& b) { return !(a == b); }

// A decoded picture. A missing or unreadable file gives an empty one (0 × 0) that draws
// nothing, so every caller can treat all pictures alike.
class Picture {
public:
    virtual ~Picture() = default;
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }
    // The path it was loaded from, as the caller gave it.
    const std::string& Path() const { return path_; }

protected:
    Picture(std::string path, int width, int height)
        : path_(std::move(path)), width_(width), height_(height) {}

private:
    std::string path_;
    int width_;
    int height_;
};

// A 5 × 5 colour matrix applied to (R, G, B, A, 1) taken as 0..1, row vector times matrix
// (row i holds what input channel i adds to each output channel); results clamp to 0..1.
using ColorMatrix = std::array<std::array<float, 5>, 5>;

// Loads pictures by a path relative to the working directory, with backslashes as the
// program writes them ("Contents\\Resources\\UI\\Grid.png"). Never returns null.
class PictureSource {
public:
    virtual ~PictureSource() = default;
    virtual std::unique_ptr<Picture> Load(const std::string& path) = 0;
    // `picture` passed once through `matrix` at its own size, so that it can be drawn often
    // without the matrix: what it then draws, scaled anywhere, is what `picture` drawn through
    // the matrix would. Null when the source cannot make one; the caller then keeps drawing
    // through the matrix.
    virtual std::unique_ptr<Picture> Recolored(const Picture& /*picture*/,
                                               const ColorMatrix& /*matrix*/) {
        return nullptr;
    }
};

ColorMatrix IdentityMatrix();

// How a picture is drawn: optionally through a colour matrix, optionally with the edge mode
// "tile", which keeps a stretched picture's edges from fading into transparency.
struct DrawAttributes {
    std::optional<ColorMatrix> Matrix;
    bool TileEdges = false;
};

// A window-system font as a control carries it: face name, character height in pixels given
// negative as the platform takes it (-11 is an 11-pixel character), weight.
struct FontSpec {
    std::string Face;
    int Height = -11;
    bool Bold = false;
};

inline bool operator==(const FontSpec& a, const FontSpec& b) {
    return a.Face == b.Face && a.Height == b.Height && a.Bold == b.Bold;
}

enum class TextAlign { Near = 0, Center = 1, Far = 2 };

// ARGB as the graphics library takes it: A·2^24 + R·2^16 + G·2^8 + B.
using Argb = std::uint32_t;

constexpr Argb MakeArgb(std::uint8_t a, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<Argb>(a) << 24 | static_cast<Argb>(r) << 16 | static_cast<Argb>(g) << 8 | b;
}

constexpr Argb White = MakeArgb(255, 255, 255, 255);
constexpr Argb OpaqueBlack = MakeArgb(255, 0, 0, 0);

// An off-screen 32-bit ARGB picture of a window's size, fully transparent when made.
class Canvas {
public:
    virtual ~Canvas() = default;

    virtual int Width() const = 0;
    virtual int Height() const = 0;

    // The whole picture scaled into `dest`.
    virtual void DrawPicture(const Picture& picture, const RectF& dest,
                             const DrawAttributes& attributes = {}) = 0;
    // The part `source` (in picture pixels) of the picture scaled into `dest`.
    virtual void DrawPicturePart(const Picture& picture, const RectF& dest, const RectF& source,
                                 const DrawAttributes& attributes = {}) = 0;
    // UTF-8 text, anti-aliased, starting at the top of `rect`, aligned horizontally within it,
    // wrapped at word boundaries within its width and clipped to it.
    virtual void DrawString(const std::string& text, const RectF& rect, const FontSpec& font,
                          Argb color, TextAlign align) = 0;
    // The bounding box of the text laid out without wrapping.
    virtual SizeF MeasureText(const std::string& text, const FontSpec& font, TextAlign align) = 0;
    // `rect` filled with one colour, blended over what is there.
    virtual void FillRectangle(const RectF& rect, Argb color) = 0;
};

// A layered window's side of the painting: a fresh canvas of a size, and the hand-over of a
// finished canvas with the window's overall alpha (0 invisible .. 255 as painted).
class LayeredSurface {
public:
    virtual ~LayeredSurface() = default;
    virtual std::unique_ptr<Canvas> NewCanvas(int width, int height) = 0;
    virtual void UpdateLayered(const Canvas& canvas, std::uint8_t windowAlpha) = 0;
};

// Draws `picture` at (x, y) in its own size; the common case of every face.
void DrawPictureAt(Canvas& canvas, const Picture& picture, float x, float y,
                   const DrawAttributes& attributes = {});

} // namespace meltemix
