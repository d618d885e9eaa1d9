#pragma once

#include "core/skin/Canvas.h"
#include "core/skin/SkinWindow.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace meltemix {

// One drawing call as a canvas received it.
struct DrawCall {
    enum class Kind { Picture, Text, Fill } kind = Kind::Picture;
    // Pictures.
    std::string path;
    RectF dest;
    std::optional<RectF> source; // none: the whole picture
    std::optional<ColorMatrix> matrix;
    bool tile = false;
    bool recoloredTwice = false; // a recoloured picture drawn through a matrix again
    // Texts (dest is the layout rectangle).
    std::string text;
    FontSpec font;
    Argb color = 0;
    TextAlign align = TextAlign::Near;
};

// A readable line for a call, for comparing whole paintings in tests:
//   picture UI\Grid.png (36,112,191,113)
//   picture Colorize\Mid.png (30,67,195,12) tint(0,0,0,0.47058824) tile
//   picture Colorize\Mid Overlay.png (30,67,195,12) from (0,0,195,9.78) tile
//   text "BUGÜN" (36,112,61,34) Tahoma -11 center FFFFFFFF
//   fill (35,111,63,1) FFFFFFFF
// Picture paths lose their "Contents\Resources\" prefix; a matrix that only scales shows its
// diagonal as "tint(r,g,b,a)", any other as "matrix".
std::string Describe(const DrawCall& call);

// Records every drawing call instead of drawing. Pictures that are empty are not recorded:
// a real canvas draws nothing for them. Text is measured by a fixed rule unless the test
// gave the text a size: each code point is half the font's pixel height wide (bold ones
// six tenths), each line the pixel height plus 2 high; an empty text is 0 × 0.
class RecordingCanvas : public Canvas {
public:
    RecordingCanvas(int width, int height) : width_(width), height_(height) {}

    std::map<std::string, SizeF> textSizes;
    std::vector<DrawCall> calls;

    static SizeF RuleSize(const std::string& text, const FontSpec& font);

    std::vector<std::string> Lines() const;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void DrawPicture(const Picture& picture, const RectF& dest,
                     const DrawAttributes& attributes) override;
    void DrawPicturePart(const Picture& picture, const RectF& dest, const RectF& source,
                         const DrawAttributes& attributes) override;
    void DrawString(const std::string& text, const RectF& rect, const FontSpec& font, Argb color,
                  TextAlign align) override;
    SizeF MeasureText(const std::string& text, const FontSpec& font, TextAlign align) override;
    void FillRectangle(const RectF& rect, Argb color) override;

private:
    int width_;
    int height_;
};

// Pictures of fixed sizes by path; any other path is missing (0 × 0). Every load and every
// recolouring is logged; a recoloured picture draws as the original through the matrix.
class RecordingPictureSource : public PictureSource {
public:
    std::map<std::string, std::pair<int, int>> sizes; // full path -> width, height
    std::vector<std::string> loads;
    std::vector<std::string> recolorings; // the paths of the pictures asked for
    bool recolors = true; // false: as a source that cannot recolour

    // Gives `relative` (below "Contents\Resources\") a size.
    void Add(const std::string& relative, int width, int height);

    std::unique_ptr<Picture> Load(const std::string& path) override;
    std::unique_ptr<Picture> Recolored(const Picture& picture, const ColorMatrix& matrix) override;
};

// A window for the presenters: hands out recording canvases and logs, in one list, what the
// window system would see: "show", "hide", "alpha N" (a hand-over), "sleep N", "topmost" or "normal band".
class RecordingWindow : public SkinWindowHost {
public:
    bool visible = false;
    std::vector<std::string> events;
    // Text sizes every new canvas starts with.
    std::map<std::string, SizeF> textSizes;
    // The calls of the canvas last handed over, and its size.
    std::vector<DrawCall> lastPainting;
    int lastWidth = 0;
    int lastHeight = 0;
    int canvasesMade = 0;

    std::vector<std::string> LastLines() const;

    std::unique_ptr<Canvas> NewCanvas(int width, int height) override;
    void UpdateLayered(const Canvas& canvas, std::uint8_t windowAlpha) override;
    bool IsVisible() const override { return visible; }
    void Show() override;
    void Hide() override;
    void Sleep(unsigned milliseconds) override;
    void ApplyAlwaysOnTop(bool alwaysTop) override;
};

} // namespace meltemix
