#include "win32/platform/GdiplusCanvas.h"

#include "win32/platform/WideText.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cwchar>

namespace meltemix {
namespace {

// The screen's device context for as long as a font is being made.
class DesktopDc {
public:
    DesktopDc() : window_(GetDesktopWindow()), dc_(GetDC(window_)) {}
    ~DesktopDc() {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    DesktopDc(const DesktopDc&) = delete;
    DesktopDc& operator=(const DesktopDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

bool Whole(float value) {
    return value == std::floor(value);
}

// A picture from another source has nothing GDI+ could draw.
Gdiplus::GpImage* ImageOf(const Picture& picture) {
    const auto* decoded = dynamic_cast<const GdiplusPicture*>(&picture);
    return decoded ? decoded->Bitmap() : nullptr;
}

// Lines break at line feeds alone; a carriage return before one would otherwise count as a
// character of its own on some implementations (Wine's gives it a width).
std::wstring TextForLayout(const std::string& utf8) {
    std::wstring wide = Widen(utf8);
    std::wstring::size_type at = 0;
    while ((at = wide.find(L"\r\n", at)) != std::wstring::npos)
        wide.erase(at, 1);
    return wide;
}

// `source` in the bitmap's pixels.
void DrawPart(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, const RectF& dest,
              const RectF& source, const DrawAttributes& attributes) {
    const GdipAttributes made = MakeGdipAttributes(attributes);
    gdip::GdipDrawImageRectRect(graphics, image, dest.X, dest.Y, dest.Width, dest.Height,
                                source.X, source.Y, source.Width, source.Height,
                                Gdiplus::UnitPixel, made.get(), nullptr, nullptr);
}

RectF Times(const RectF& rect, float factor) {
    if (factor == 1)
        return rect;
    return {rect.X * factor, rect.Y * factor, rect.Width * factor, rect.Height * factor};
}

bool Whole(const RectF& rect) {
    return Whole(rect.X) && Whole(rect.Y) && Whole(rect.Width) && Whole(rect.Height);
}

PixelRect PixelsOf(const RectF& whole) {
    return {static_cast<int>(whole.X), static_cast<int>(whole.Y), static_cast<int>(whole.Width),
            static_cast<int>(whole.Height)};
}

// Each edge on the nearest whole pixel: pictures side by side meet without a seam, and none
// is smeared over a pixel it covers half.
RectF Snapped(const RectF& rect) {
    const float left = std::floor(rect.X + 0.5f), top = std::floor(rect.Y + 0.5f);
    return {left, top, std::floor(rect.X + rect.Width + 0.5f) - left,
            std::floor(rect.Y + rect.Height + 0.5f) - top};
}

int Scaled(int size, float scale) {
    return static_cast<int>(std::lround(static_cast<double>(size) * scale));
}

} // namespace

// Pictures are placed on whole pixels of the bitmap, and kept pixels copied one to one onto
// it: for as long as this lives, the canvas draws in the bitmap's pixels.
class GdiplusCanvas::InBitmapPixels {
public:
    explicit InBitmapPixels(const GdiplusCanvas& canvas) : canvas_(canvas) {
        if (canvas_.scale_ != 1)
            gdip::GdipResetWorldTransform(canvas_.graphics_.get());
    }
    ~InBitmapPixels() {
        if (canvas_.scale_ != 1)
            gdip::GdipScaleWorldTransform(canvas_.graphics_.get(), canvas_.scale_, canvas_.scale_,
                                          Gdiplus::MatrixOrderPrepend);
    }
    InBitmapPixels(const InBitmapPixels&) = delete;
    InBitmapPixels& operator=(const InBitmapPixels&) = delete;

private:
    const GdiplusCanvas& canvas_;
};

GdipAttributes MakeGdipAttributes(const DrawAttributes& attributes) {
    if (!attributes.Matrix && !attributes.TileEdges)
        return nullptr;
    Gdiplus::GpImageAttributes* raw = nullptr;
    if (gdip::GdipCreateImageAttributes(&raw) != Gdiplus::Ok)
        return nullptr;
    GdipAttributes made(raw);
    if (attributes.Matrix) {
        Gdiplus::ColorMatrix matrix;
        for (int row = 0; row < 5; ++row)
            for (int column = 0; column < 5; ++column)
                matrix.m[row][column] = (*attributes.Matrix)[row][column];
        gdip::GdipSetImageAttributesColorMatrix(raw, Gdiplus::ColorAdjustTypeBitmap, TRUE, &matrix,
                                                nullptr, Gdiplus::ColorMatrixFlagsDefault);
    }
    if (attributes.TileEdges)
        gdip::GdipSetImageAttributesWrapMode(raw, Gdiplus::WrapModeTile, 0, FALSE);
    return made;
}

GdiplusCanvas::GdiplusCanvas(int width, int height, std::shared_ptr<GdiplusTextResources> text,
                             std::shared_ptr<GdiplusScaledPictures> scaled, float scale)
    : width_(width),
      height_(height),
      scale_(scale > 0 ? scale : 1),
      pixelWidth_(Scaled(width, scale_)),
      pixelHeight_(Scaled(height, scale_)),
      text_(text ? std::move(text) : std::make_shared<GdiplusTextResources>()),
      scaled_(std::move(scaled)) {
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (gdip::GdipCreateBitmapFromScan0(pixelWidth_, pixelHeight_, 0, PixelFormat32bppARGB,
                                        nullptr, &bitmap) != Gdiplus::Ok)
        return;
    bitmap_.reset(bitmap);
    Gdiplus::GpGraphics* graphics = nullptr;
    if (gdip::GdipGetImageGraphicsContext(bitmap, &graphics) != Gdiplus::Ok)
        return;
    graphics_.reset(graphics);
    gdip::GdipGraphicsClear(graphics, 0);
    if (scale_ != 1)
        gdip::GdipScaleWorldTransform(graphics, scale_, scale_, Gdiplus::MatrixOrderPrepend);
    // Plain anti-aliasing: sub-pixel (ClearType) text has no meaning on transparent pixels.
    gdip::GdipSetTextRenderingHint(graphics, Gdiplus::TextRenderingHintAntiAlias);
}

GdiplusCanvas::~GdiplusCanvas() {
    graphics_.reset(); // the surface before the bitmap it draws on
}

void GdiplusCanvas::DrawPicture(const Picture& picture, const RectF& dest,
                                const DrawAttributes& attributes) {
    Draw(picture, dest,
         {0, 0, static_cast<float>(picture.Width()), static_cast<float>(picture.Height())},
         attributes);
}

void GdiplusCanvas::DrawPicturePart(const Picture& picture, const RectF& dest,
                                    const RectF& source, const DrawAttributes& attributes) {
    Draw(picture, dest, source, attributes);
}

RectF GdiplusCanvas::OnBitmap(const RectF& rect) const {
    return Times(rect, scale_);
}

void GdiplusCanvas::Draw(const Picture& picture, const RectF& dest, const RectF& source,
                         const DrawAttributes& attributes) {
    if (!graphics_ || picture.Empty() || !ImageOf(picture))
        return;
    const auto& decoded = dynamic_cast<const GdiplusPicture&>(picture);
    const RectF from = Times(source, static_cast<float>(decoded.Density()));
    const RectF onto = scale_ == 1 ? dest : Snapped(OnBitmap(dest));
    // What counts is whether the picture's own pixels are stretched onto the bitmap's.
    const bool stretched = onto.Width != from.Width || onto.Height != from.Height;
    if (scaled_ && stretched && Whole(onto)) {
        const PixelRect at = PixelsOf(onto);
        if (Gdiplus::GpBitmap* kept = scaled_->Scaled(decoded, from, at, attributes)) {
            const InBitmapPixels pixels(*this);
            gdip::GdipDrawImageRectRectI(graphics_.get(), kept, at.Left, at.Top, at.Width,
                                         at.Height, at.Left, at.Top, at.Width, at.Height,
                                         Gdiplus::UnitPixel, nullptr, nullptr, nullptr);
            return;
        }
    }
    const InBitmapPixels pixels(*this);
    if (!attributes.Matrix && !attributes.TileEdges &&
        source.X == 0 && source.Y == 0 && source.Width == static_cast<float>(picture.Width()) &&
        source.Height == static_cast<float>(picture.Height())) {
        gdip::GdipDrawImageRect(graphics_.get(), decoded.Bitmap(), onto.X, onto.Y, onto.Width,
                                onto.Height);
        return;
    }
    DrawPart(graphics_.get(), decoded.Bitmap(), onto, from, attributes);
}

Gdiplus::GpFont* GdiplusTextResources::Font(const FontSpec& wanted) {
    for (const auto& known : fonts_)
        if (known.first == wanted)
            return known.second.get();
    LOGFONTW logfont = {};
    logfont.lfHeight = wanted.Height;
    logfont.lfWeight = wanted.Bold ? FW_BOLD : FW_NORMAL;
    logfont.lfCharSet = DEFAULT_CHARSET;
    logfont.lfOutPrecision = OUT_DEFAULT_PRECIS;
    logfont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    logfont.lfQuality = ANTIALIASED_QUALITY;
    const std::wstring face = Widen(wanted.Face);
    wcsncpy(logfont.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    Gdiplus::GpFont* font = nullptr;
    const DesktopDc dc;
    if (gdip::GdipCreateFontFromLogfontW(dc.get(), &logfont, &font) != Gdiplus::Ok)
        font = nullptr;
    fonts_.emplace_back(wanted, GdipFont(font)); // a failure is remembered too
    return font;
}

Gdiplus::GpStringFormat* GdiplusTextResources::Format(TextAlign align) {
    GdipFormat& slot = formats_[static_cast<std::size_t>(align)];
    if (!slot) {
        Gdiplus::GpStringFormat* format = nullptr;
        if (gdip::GdipCreateStringFormat(0, LANG_NEUTRAL, &format) != Gdiplus::Ok)
            return nullptr;
        slot.reset(format);
        gdip::GdipSetStringFormatAlign(format, static_cast<Gdiplus::StringAlignment>(align));
    }
    return slot.get();
}

namespace {

// The text laid out as Canvas::DrawString promises, into `rect` of `graphics`.
void DrawLaidOut(Gdiplus::GpGraphics* graphics, const std::string& text, const RectF& rect,
                 Gdiplus::GpFont* font, Gdiplus::GpStringFormat* format, Argb color) {
    Gdiplus::GpSolidFill* fill = nullptr;
    if (gdip::GdipCreateSolidFill(color, &fill) != Gdiplus::Ok)
        return;
    const GdipBrush brush(fill);
    const std::wstring wide = TextForLayout(text);
    // Wrapped lines below the rectangle are cut off at its edge, also where the library
    // itself would draw them whole.
    gdip::GdipSetClipRect(graphics, rect.X, rect.Y, rect.Width, rect.Height,
                          Gdiplus::CombineModeReplace);
    // One paragraph at a time: some implementations (Wine's) count a line feed's glyph into
    // the width of the line before it, so a line exactly as wide as the measured text would
    // wrap. Each paragraph still wraps at word boundaries within the width.
    const float bottom = rect.Y + rect.Height;
    float y = rect.Y;
    std::wstring::size_type start = 0;
    while (y < bottom) {
        std::wstring::size_type end = wide.find(L'\n', start);
        if (end == std::wstring::npos)
            end = wide.size();
        const std::wstring line = wide.substr(start, end - start);
        if (!line.empty()) {
            const Gdiplus::RectF layout(rect.X, y, rect.Width, bottom - y);
            gdip::GdipDrawString(graphics, line.c_str(), static_cast<INT>(line.size()), font,
                                 &layout, format, brush.get());
        }
        if (end == wide.size())
            break; // the last (often the only) paragraph needs no height
        float height = 0;
        if (line.empty()) {
            gdip::GdipGetFontHeight(font, graphics, &height);
        } else {
            const Gdiplus::RectF column(0, 0, rect.Width, 0); // no limit downwards
            Gdiplus::RectF box;
            if (gdip::GdipMeasureString(graphics, line.c_str(), static_cast<INT>(line.size()),
                                        font, &column, format, &box, nullptr,
                                        nullptr) == Gdiplus::Ok)
                height = box.Height;
        }
        if (height <= 0)
            break;
        y += height;
        start = end + 1;
    }
    gdip::GdipResetClip(graphics);
}

} // namespace

namespace {

// The box around the pixels of `bitmap` that have any alpha; empty when none has.
PixelRect InkOf(Gdiplus::GpBitmap* bitmap, int width, int height) {
    Gdiplus::BitmapData data;
    const Gdiplus::Rect all(0, 0, width, height);
    if (gdip::GdipBitmapLockBits(bitmap, &all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB,
                                 &data) != Gdiplus::Ok)
        return {0, 0, width, height};
    int left = width, top = height, right = -1, bottom = -1;
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(
            static_cast<const unsigned char*>(data.Scan0) + static_cast<std::ptrdiff_t>(y) * data.Stride);
        for (int x = 0; x < width; ++x)
            if (row[x] >> 24) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    }
    gdip::GdipBitmapUnlockBits(bitmap, &data);
    if (right < 0)
        return {};
    return {left, top, right - left + 1, bottom - top + 1};
}

} // namespace

const GdiplusTextResources::Pixels* GdiplusTextResources::Drawn(const std::string& text,
                                                                int width, int height,
                                                                const FontSpec& font, Argb color,
                                                                TextAlign align, float scale) {
    const auto found = std::find_if(drawn_.begin(), drawn_.end(), [&](const DrawnText& d) {
        return d.text == text && d.width == width && d.height == height && d.font == font &&
               d.color == color && d.align == align && d.scale == scale;
    });
    if (found == drawn_.end()) {
        // Once may be all: the about window draws its texts once for the program's life.
        if (drawn_.size() >= DrawnCapacity)
            drawn_.erase(drawn_.begin());
        drawn_.push_back({text, width, height, font, color, align, scale, std::nullopt});
        return nullptr;
    }
    found->used = true;
    std::rotate(found, found + 1, drawn_.end());
    DrawnText& kept = drawn_.back();
    if (kept.pixels)
        return &*kept.pixels;

    Gdiplus::GpFont* gpFont = Font(font);
    Gdiplus::GpStringFormat* format = Format(align);
    const int pixelWidth = Scaled(width, scale), pixelHeight = Scaled(height, scale);
    Gdiplus::GpBitmap* raw = nullptr;
    // Not premultiplied: text drawn over nothing keeps its colour exactly.
    if (!gpFont || !format ||
        gdip::GdipCreateBitmapFromScan0(pixelWidth, pixelHeight, 0, PixelFormat32bppARGB, nullptr,
                                        &raw) != Gdiplus::Ok ||
        !raw)
        return nullptr;
    GdipBitmap whole(raw);
    {
        Gdiplus::GpGraphics* rawGraphics = nullptr;
        if (gdip::GdipGetImageGraphicsContext(raw, &rawGraphics) != Gdiplus::Ok)
            return nullptr;
        const GdipGraphics graphics(rawGraphics);
        gdip::GdipGraphicsClear(rawGraphics, 0);
        gdip::GdipSetTextRenderingHint(rawGraphics, Gdiplus::TextRenderingHintAntiAlias);
        if (scale != 1)
            gdip::GdipScaleWorldTransform(rawGraphics, scale, scale, Gdiplus::MatrixOrderPrepend);
        DrawLaidOut(rawGraphics, text,
                    {0, 0, static_cast<float>(width), static_cast<float>(height)}, gpFont, format,
                    color);
    }
    // Most of a text's rectangle is empty: only its ink is kept.
    Pixels pixels;
    pixels.Ink = InkOf(raw, pixelWidth, pixelHeight);
    if (pixels.Ink.Width > 0) {
        Gdiplus::GpBitmap* ink = nullptr;
        if (gdip::GdipCloneBitmapAreaI(pixels.Ink.Left, pixels.Ink.Top, pixels.Ink.Width,
                                       pixels.Ink.Height, PixelFormat32bppARGB, raw,
                                       &ink) != Gdiplus::Ok ||
            !ink)
            return nullptr;
        pixels.Bitmap.reset(ink);
    }
    kept.pixels = std::move(pixels);
    return &*kept.pixels;
}

void GdiplusTextResources::NewRepaint() {
    drawn_.erase(std::remove_if(drawn_.begin(), drawn_.end(),
                                [](const DrawnText& drawn) { return !drawn.used; }),
                 drawn_.end());
    for (DrawnText& drawn : drawn_)
        drawn.used = false;
}

void GdiplusCanvas::DrawString(const std::string& text, const RectF& rect, const FontSpec& font,
                               Argb color, TextAlign align) {
    if (!graphics_ || text.empty())
        return;
    // A text's pixels do not depend on where it lands as long as it lands on whole pixels
    // of the bitmap: drawn once, it is copied from then on.
    if (Whole(rect) && Whole(OnBitmap(rect)) && rect.Width > 0 && rect.Height > 0 &&
        text_->KeepsDrawn()) {
        const int width = static_cast<int>(rect.Width), height = static_cast<int>(rect.Height);
        if (const GdiplusTextResources::Pixels* drawn =
                text_->Drawn(text, width, height, font, color, align, scale_)) {
            const PixelRect& ink = drawn->Ink;
            const PixelRect at = PixelsOf(OnBitmap(rect));
            const InBitmapPixels pixels(*this);
            if (drawn->Bitmap)
                gdip::GdipDrawImageRectRectI(graphics_.get(), drawn->Bitmap.get(),
                                             at.Left + ink.Left, at.Top + ink.Top, ink.Width,
                                             ink.Height, 0, 0, ink.Width, ink.Height,
                                             Gdiplus::UnitPixel, nullptr, nullptr, nullptr);
            return;
        }
    }
    Gdiplus::GpFont* gpFont = text_->Font(font);
    Gdiplus::GpStringFormat* format = text_->Format(align);
    if (gpFont && format)
        DrawLaidOut(graphics_.get(), text, rect, gpFont, format, color);
}

SizeF GdiplusCanvas::MeasureText(const std::string& text, const FontSpec& font, TextAlign align) {
    // No text takes no room, whatever the library would say of an empty layout.
    if (!graphics_ || text.empty())
        return {};
    Gdiplus::GpFont* gpFont = text_->Font(font);
    Gdiplus::GpStringFormat* format = text_->Format(align);
    if (!gpFont || !format)
        return {};
    const std::wstring wide = TextForLayout(text);
    const Gdiplus::RectF unbounded(0, 0, 0, 0); // no width: no wrapping
    Gdiplus::RectF box;
    if (gdip::GdipMeasureString(graphics_.get(), wide.c_str(), static_cast<INT>(wide.size()),
                                gpFont, &unbounded, format, &box, nullptr,
                                nullptr) != Gdiplus::Ok)
        return {};
    return {box.Width, box.Height};
}

Argb GdiplusCanvas::PixelAt(int x, int y) const {
    Gdiplus::ARGB pixel = 0;
    if (!bitmap_ || x < 0 || y < 0 || x >= pixelWidth_ || y >= pixelHeight_ ||
        gdip::GdipBitmapGetPixel(bitmap_.get(), x, y, &pixel) != Gdiplus::Ok)
        return 0;
    return pixel;
}

} // namespace meltemix
