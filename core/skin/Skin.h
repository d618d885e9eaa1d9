#pragma once

#include "core/settings/MainSettings.h"
#include "core/skin/Canvas.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace meltemix {

// Paths of the pictures, relative to the working directory.
std::string ResourcePath(const std::string& relative); // "UI\\Grid.png" -> "Contents\\Resources\\UI\\Grid.png"

// The settings that choose a window's panel; the main window's values, which the info
// window copies at every repaint.
struct SkinSettings {
    std::uint8_t Background = 2;       // panel preset 0..4 (4 and above: own colour)
    std::uint32_t BackColor = 8421504; // 0x00BBGGRR, the tint of the own-colour preset
    bool GlassEffect = false;          // own colour: translucent panel
    std::uint8_t GlassOpacity = 150;   // own colour with glass: the panel's alpha
};

// The skin settings among the main window's.
SkinSettings SkinSettingsOf(const MainSettings& settings);

// The tint of the three panel slices and the panel's alpha.
struct SkinTint {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;
    std::uint8_t Alpha = 0;
};

inline bool operator==(const SkinTint& a, const SkinTint& b) {
    return a.Red == b.Red && a.Green == b.Green && a.Blue == b.Blue && a.Alpha == b.Alpha;
}

constexpr std::uint8_t MilkCoffeePreset = 3; // the about window's fixed panel

// The tint a preset gives; none for preset 0, which draws no skin at all.
std::optional<SkinTint> PresetTint(const SkinSettings& settings);

// Multiplies red, green and blue by twice the tint's share of 255 and alpha by the alpha's
// share, in single precision: a mid-grey slice comes out in the tint colour.
ColorMatrix TintMatrix(const SkinTint& tint);

// Multiplies alpha alone (the about window's faded logo).
ColorMatrix AlphaMatrix(float factor);

// The seven pictures of the skin, loaded once per window, and the three panel slices as the
// last tint painted makes them.
struct SkinPictures {
    std::unique_ptr<Picture> Top, Mid, Base, TopOverlay, MidOverlay, BaseOverlay, Reflection;

    // The pictures of `source`, which must outlive them and makes their tinted slices.
    static SkinPictures Load(PictureSource& source);

    // Top, Mid and Base through the tint's matrix, remade only when the tint differs from the
    // last one asked for: a window repaints many times in one look. A slice the source could
    // not make is null and has to be drawn through the matrix instead.
    const std::array<std::unique_ptr<Picture>, 3>& TintedSlices(const SkinTint& tint) const;

private:
    PictureSource* source_ = nullptr;
    mutable std::optional<SkinTint> tintedFor_;
    mutable std::array<std::unique_ptr<Picture>, 3> tinted_;
};

// Where and how big a window draws its panel.
struct SkinPlacement {
    float Left = 0; // the anchor's left and top
    float Top = 0;
    float Growth = 1.0f;      // s: stretches the middle slices
    float ExtraMiddle = 0;    // pixels added to both middle slices before rounding (info: t - 14)
    float PanelWidth = 0;     // 0: each picture's own width
    float ReflectionLeft = 7; // offset from the anchor's left
    float ReflectionWidth = 0; // 0: the picture's own width
    bool TileMidOverlay = true;
};

// The three windows' panels. The main window's growth factor is 1.25 until the first report
// and 4.0 afterwards; the info window's panel grows with its text height t beyond 14.
SkinPlacement MainSkinPlacement(float growth);
SkinPlacement InfoSkinPlacement(int textHeight);
SkinPlacement AboutSkinPlacement();

// The tinted panel, then the untinted overlays and the gloss, each pass advancing by its
// own pictures' heights. Nothing for preset 0; the tinted pass is left out when the panel's
// alpha is 0, since it could only paint transparent pixels.
void PaintSkin(Canvas& canvas, const SkinPictures& pictures, const SkinPlacement& placement,
               const SkinSettings& settings);
void PaintSkin(Canvas& canvas, const SkinPictures& pictures, const SkinPlacement& placement,
               const std::optional<SkinTint>& tint);

// Rounds to the nearest integer, ties to even, as every size of the faces is rounded.
int RoundHalfEven(double value);

// Text in opaque black moved by (+1, +1) first, then in its colour: readable on any panel.
void DrawShadowText(Canvas& canvas, const std::string& text, const RectF& rect,
                    const FontSpec& font, TextAlign align, Argb color, bool shadow = true);

SizeF MeasureText(Canvas& canvas, const std::string& text, const FontSpec& font, TextAlign align);

// The rectangle a label takes for its text: measured without wrapping, round(w) + 1 wide and
// round(h) + 1 high, at (left, top).
PixelRect FitLabel(Canvas& canvas, const std::string& text, const FontSpec& font,
                   TextAlign align, int left, int top);

// A label's text drawn with shadow in the label's rectangle moved by (-1, -1), as the
// labels of the info and about windows draw.
void DrawLabelText(Canvas& canvas, const std::string& text, const PixelRect& label,
                   const FontSpec& font, TextAlign align, Argb color);

} // namespace meltemix
