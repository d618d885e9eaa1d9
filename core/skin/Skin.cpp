#include "core/skin/Skin.h"

#include <algorithm>
#include <cmath>

namespace meltemix {

std::string ResourcePath(const std::string& relative) {
    return "Contents\\Resources\\" + relative;
}

SkinSettings SkinSettingsOf(const MainSettings& settings) {
    return {settings.Background, settings.BackColor, settings.GlassEffect, settings.GlassOpacity};
}

std::optional<SkinTint> PresetTint(const SkinSettings& settings) {
    switch (settings.Background) {
    case 0:
        return std::nullopt;
    case 1:
        return SkinTint{0, 0, 0, 0};
    case 2:
        return SkinTint{0, 0, 0, 120};
    case 3:
        return SkinTint{128, 64, 0, 255};
    default: {
        const std::uint32_t c = settings.BackColor;
        const auto channel = [c](int shift) { return static_cast<std::uint8_t>(c >> shift & 0xFF); };
        return SkinTint{channel(0), channel(8), channel(16),
                        settings.GlassEffect ? settings.GlassOpacity : std::uint8_t{255}};
    }
    }
}

namespace {
// Computed wide and stored narrow once, so 128 gives exactly the single-precision 1.0039216.
float Share(double numerator) {
    return static_cast<float>(numerator / 255.0);
}
} // namespace

ColorMatrix TintMatrix(const SkinTint& tint) {
    ColorMatrix m{};
    m[0][0] = Share(2.0 * tint.Red);
    m[1][1] = Share(2.0 * tint.Green);
    m[2][2] = Share(2.0 * tint.Blue);
    m[3][3] = Share(tint.Alpha);
    m[4][4] = 1.0f;
    return m;
}

ColorMatrix AlphaMatrix(float factor) {
    ColorMatrix m = IdentityMatrix();
    m[3][3] = factor;
    return m;
}

SkinPictures SkinPictures::Load(PictureSource& source) {
    const auto load = [&source](const char* name) { return source.Load(ResourcePath(name)); };
    SkinPictures p;
    p.Top = load("Colorize\\Top.png");
    p.Mid = load("Colorize\\Mid.png");
    p.Base = load("Colorize\\Base.png");
    p.TopOverlay = load("Colorize\\Top Overlay.png");
    p.MidOverlay = load("Colorize\\Mid Overlay.png");
    p.BaseOverlay = load("Colorize\\Base Overlay.png");
    p.Reflection = load("UI\\Reflection.png");
    p.source_ = &source;
    return p;
}

const std::array<std::unique_ptr<Picture>, 3>& SkinPictures::TintedSlices(const SkinTint& tint) const {
    if (tintedFor_ && *tintedFor_ == tint)
        return tinted_;
    const ColorMatrix matrix = TintMatrix(tint);
    const Picture* slices[] = {Top.get(), Mid.get(), Base.get()};
    for (std::size_t i = 0; i < tinted_.size(); ++i)
        tinted_[i] = source_ && slices[i] ? source_->Recolored(*slices[i], matrix) : nullptr;
    tintedFor_ = tint;
    return tinted_;
}

SkinPlacement MainSkinPlacement(float growth) {
    SkinPlacement p;
    p.Left = 30;
    p.Top = 47;
    p.Growth = growth;
    return p;
}

SkinPlacement InfoSkinPlacement(int textHeight) {
    SkinPlacement p;
    p.Left = 8;
    p.Top = 8;
    p.Growth = 1.0f;
    p.ExtraMiddle = static_cast<float>(textHeight - 14);
    return p;
}

SkinPlacement AboutSkinPlacement() {
    SkinPlacement p;
    p.Left = 4;
    p.Top = 8;
    p.Growth = 4.5f;
    p.PanelWidth = 321;
    p.ReflectionLeft = 10;
    p.ReflectionWidth = 321 - 21;
    p.TileMidOverlay = false;
    return p;
}

int RoundHalfEven(double value) {
    const double floor = std::floor(value);
    const double rest = value - floor;
    double result = floor;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(floor, 2.0) != 0.0))
        result += 1.0;
    return static_cast<int>(result);
}

namespace {

float Height(const Picture& p) {
    return static_cast<float>(p.Height());
}

float WidthOf(const Picture& p, const SkinPlacement& placement) {
    return placement.PanelWidth > 0 ? placement.PanelWidth : static_cast<float>(p.Width());
}

// A middle slice's drawn height. A short text in the info window takes up to 14 pixels off
// the slices; a slice cannot go below nothing (a negative height would draw it upside down,
// reaching above the panel's top).
float MiddleHeight(const Picture& p, const SkinPlacement& placement) {
    const int m = RoundHalfEven(static_cast<double>(p.Height()) * placement.Growth +
                                placement.ExtraMiddle);
    return static_cast<float>(std::max(m, 0));
}

} // namespace

void PaintSkin(Canvas& canvas, const SkinPictures& pictures, const SkinPlacement& placement,
               const SkinSettings& settings) {
    PaintSkin(canvas, pictures, placement, PresetTint(settings));
}

void PaintSkin(Canvas& canvas, const SkinPictures& pictures, const SkinPlacement& placement,
               const std::optional<SkinTint>& tint) {
    if (!tint)
        return;
    const float x = placement.Left;

    if (tint->Alpha != 0) {
        const auto& recolored = pictures.TintedSlices(*tint);
        // A slice tinted ahead is drawn as it is, any other through the matrix.
        const auto slice = [&](std::size_t i, const Picture& original, float y, float height) {
            DrawAttributes attributes;
            attributes.TileEdges = true;
            if (!recolored[i])
                attributes.Matrix = TintMatrix(*tint);
            const Picture& drawn = recolored[i] ? *recolored[i] : original;
            canvas.DrawPicture(drawn, {x, y, WidthOf(original, placement), height}, attributes);
        };
        float y = placement.Top;
        const Picture& top = *pictures.Top;
        slice(0, top, y, Height(top));
        y += Height(top);
        const Picture& mid = *pictures.Mid;
        const float m = MiddleHeight(mid, placement);
        slice(1, mid, y, m);
        y += m;
        const Picture& base = *pictures.Base;
        slice(2, base, y, Height(base));
    }

    float y = placement.Top;
    const Picture& topOverlay = *pictures.TopOverlay;
    canvas.DrawPicture(topOverlay, {x, y, WidthOf(topOverlay, placement), Height(topOverlay)});
    const Picture& reflection = *pictures.Reflection;
    const float reflectionWidth = placement.ReflectionWidth > 0
                                      ? placement.ReflectionWidth
                                      : static_cast<float>(reflection.Width());
    canvas.DrawPicture(reflection,
                       {x + placement.ReflectionLeft, y + 3, reflectionWidth, Height(reflection)});
    y += Height(topOverlay);

    // The bottom rows of the middle overlay carry its fade into the base; stretched, they
    // would smear, so they are left out.
    const Picture& midOverlay = *pictures.MidOverlay;
    const float m = MiddleHeight(midOverlay, placement);
    DrawAttributes overlay;
    overlay.TileEdges = placement.TileMidOverlay;
    canvas.DrawPicturePart(
        midOverlay, {x, y, WidthOf(midOverlay, placement), m},
        {0, 0, static_cast<float>(midOverlay.Width()), static_cast<float>(0.978 * midOverlay.Height())},
        overlay);
    y += m;
    const Picture& baseOverlay = *pictures.BaseOverlay;
    canvas.DrawPicture(baseOverlay, {x, y, WidthOf(baseOverlay, placement), Height(baseOverlay)});
}

void DrawShadowText(Canvas& canvas, const std::string& text, const RectF& rect,
                    const FontSpec& font, TextAlign align, Argb color, bool shadow) {
    if (shadow)
        canvas.DrawString(text, {rect.X + 1, rect.Y + 1, rect.Width, rect.Height}, font, OpaqueBlack,
                        align);
    canvas.DrawString(text, rect, font, color, align);
}

SizeF MeasureText(Canvas& canvas, const std::string& text, const FontSpec& font, TextAlign align) {
    return canvas.MeasureText(text, font, align);
}

PixelRect FitLabel(Canvas& canvas, const std::string& text, const FontSpec& font,
                   TextAlign align, int left, int top) {
    const SizeF size = canvas.MeasureText(text, font, align);
    return {left, top, RoundHalfEven(size.Width) + 1, RoundHalfEven(size.Height) + 1};
}

void DrawLabelText(Canvas& canvas, const std::string& text, const PixelRect& label,
                   const FontSpec& font, TextAlign align, Argb color) {
    RectF rect = label.ToRectF();
    rect.X -= 1;
    rect.Y -= 1;
    DrawShadowText(canvas, text, rect, font, align, color);
}

} // namespace meltemix
