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

ArgbImage CanvasPixels::Take(int width, int height) {
    ArgbImage pixels = std::move(spare_);
    if (pixels.Width() != width || pixels.Height() != height)
        return ArgbImage(width, height);
    std::fill_n(pixels.Bits(), static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                std::uint32_t{0});
    return pixels;
}

GdiplusCanvas::GdiplusCanvas(int width, int height, std::shared_ptr<GdiplusTextResources> text,
                             std::shared_ptr<GdiplusScaledPictures> scaled, float scale,
                             std::shared_ptr<CanvasPixels> recycled)
    : width_(width),
      height_(height),
      scale_(scale > 0 ? scale : 1),
      pixelWidth_(Scaled(width, scale_)),
      pixelHeight_(Scaled(height, scale_)),
      text_(text ? std::move(text) : std::make_shared<GdiplusTextResources>()),
      scaled_(std::move(scaled)),
      recycled_(std::move(recycled)),
      pixels_(recycled_ ? recycled_->Take(pixelWidth_, pixelHeight_)
                        : ArgbImage(pixelWidth_, pixelHeight_)),
      bitmap_(BitmapOn(pixels_)) {
    Gdiplus::GpGraphics* graphics = nullptr;
    if (!bitmap_ || gdip::GdipGetImageGraphicsContext(bitmap_.get(), &graphics) != Gdiplus::Ok)
        return;
    graphics_.reset(graphics);
    if (scale_ != 1)
        gdip::GdipScaleWorldTransform(graphics, scale_, scale_, Gdiplus::MatrixOrderPrepend);
    // Plain anti-aliasing: sub-pixel (ClearType) text has no meaning on transparent pixels.
    gdip::GdipSetTextRenderingHint(graphics, Gdiplus::TextRenderingHintAntiAlias);
}

GdiplusCanvas::~GdiplusCanvas() {
    graphics_.reset(); // the surface before the bitmap it draws on, and that before its pixels
    bitmap_.reset();
    if (recycled_)
        recycled_->GiveBack(std::move(pixels_));
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

void GdiplusCanvas::Lay(const ArgbView& pixels, int x, int y) {
    // What the library drew before is all in the pixels before they are written beside it.
    gdip::GdipFlush(graphics_.get(), Gdiplus::FlushIntentionSync);
    ComposeOver(pixels_.Bits(), pixels_.Width(), pixels_.Height(), pixels_.Width(), x, y, pixels);
}

bool GdiplusCanvas::Lay(Gdiplus::GpBitmap* bitmap, const PixelRect& source, int x, int y) {
    Gdiplus::BitmapData data;
    const Gdiplus::Rect area(source.Left, source.Top, source.Width, source.Height);
    if (gdip::GdipBitmapLockBits(bitmap, &area, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB,
                                 &data) != Gdiplus::Ok)
        return false;
    const bool rowsDown = data.Stride > 0 && data.Stride % sizeof(std::uint32_t) == 0;
    if (rowsDown)
        Lay({static_cast<const std::uint32_t*>(data.Scan0), static_cast<int>(data.Width),
             static_cast<int>(data.Height), data.Stride / static_cast<int>(sizeof(std::uint32_t))},
            x, y);
    gdip::GdipBitmapUnlockBits(bitmap, &data);
    return rowsDown;
}

void GdiplusCanvas::Draw(const Picture& picture, const RectF& dest, const RectF& source,
                         const DrawAttributes& attributes) {
    // A picture from another source has nothing GDI+ could draw.
    const auto* drawn = dynamic_cast<const GdiplusPicture*>(&picture);
    if (!graphics_ || picture.Empty() || !drawn || !drawn->Pixels())
        return;
    const GdiplusPicture& decoded = *drawn;
    const RectF from = Times(source, static_cast<float>(decoded.Density()));
    const RectF onto = scale_ == 1 ? dest : Snapped(OnBitmap(dest));
    if (Whole(onto)) {
        if (onto.Width <= 0 || onto.Height <= 0)
            return;
        const PixelRect at = PixelsOf(onto);
        // What counts is whether the picture's own pixels are stretched onto the bitmap's.
        const bool stretched = onto.Width != from.Width || onto.Height != from.Height;
        if (!stretched && !attributes.Matrix && Whole(from)) {
            if (scaled_)
                scaled_->DrawnAsItIs(decoded);
            if (Gdiplus::GpBitmap* bitmap = decoded.Bitmap())
                if (Lay(bitmap, PixelsOf(from), at.Left, at.Top))
                    return;
        }
        const bool ownSize = dest.Width == source.Width && dest.Height == source.Height;
        if (scaled_)
            if (const ScaledPixels* kept =
                    scaled_->Scaled(decoded, from, at.Width, at.Height, attributes, ownSize)) {
                Lay(kept->Pixels.View(), at.Left + kept->Ink.Left, at.Top + kept->Ink.Top);
                return;
            }
        if (const auto scaled = ScalePicture(decoded, from, at.Width, at.Height, attributes))
            Lay(scaled->Pixels.View(), at.Left + scaled->Ink.Left, at.Top + scaled->Ink.Top);
        return;
    }
    // Between whole pixels of a canvas at its own scale (no face draws there): the library
    // places it.
    if (Gdiplus::GpBitmap* bitmap = decoded.Bitmap())
        DrawPart(graphics_.get(), bitmap, onto, from, attributes);
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
    // A failure is remembered for the rest of this repaint only: the texts of one repaint do
    // not each ask again, and one that failed for a moment (the system short of GDI objects)
    // is drawn again at the next repaint rather than never.
    fonts_.emplace_back(wanted, GdipFont(font));
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

bool operator==(const GdiplusTextResources::Layout& a, const GdiplusTextResources::Layout& b) {
    return a.Width == b.Width && a.Height == b.Height && a.Scale == b.Scale &&
           a.OffsetX == b.OffsetX && a.OffsetY == b.OffsetY;
}

} // namespace

GdiplusTextResources::Pixels GdiplusTextResources::Draw(const std::string& text,
                                                        const Layout& layout, const FontSpec& font,
                                                        Argb color, TextAlign align) {
    Gdiplus::GpFont* gpFont = Font(font);
    Gdiplus::GpStringFormat* format = Format(align);
    if (!gpFont || !format)
        return {};
    const auto reach = [&layout](int size, float offset) {
        return static_cast<int>(std::ceil(offset + static_cast<float>(size) * layout.Scale));
    };
    Pixels pixels;
    pixels.Image = ArgbImage(reach(layout.Width, layout.OffsetX), reach(layout.Height, layout.OffsetY));
    {
        const GdipBitmap bitmap = BitmapOn(pixels.Image);
        Gdiplus::GpGraphics* rawGraphics = nullptr;
        if (!bitmap || gdip::GdipGetImageGraphicsContext(bitmap.get(), &rawGraphics) != Gdiplus::Ok)
            return {};
        const GdipGraphics graphics(rawGraphics);
        gdip::GdipSetTextRenderingHint(rawGraphics, Gdiplus::TextRenderingHintAntiAlias);
        if (layout.OffsetX != 0 || layout.OffsetY != 0)
            gdip::GdipTranslateWorldTransform(rawGraphics, layout.OffsetX, layout.OffsetY,
                                              Gdiplus::MatrixOrderPrepend);
        if (layout.Scale != 1)
            gdip::GdipScaleWorldTransform(rawGraphics, layout.Scale, layout.Scale,
                                          Gdiplus::MatrixOrderPrepend);
        // Not premultiplied: text drawn over nothing keeps its colour exactly.
        DrawLaidOut(rawGraphics, text,
                    {0, 0, static_cast<float>(layout.Width), static_cast<float>(layout.Height)},
                    gpFont, format, color);
    }
    // Most of a text's rectangle is empty: only its ink is kept.
    pixels.Ink = InkOf(pixels.Image.View());
    pixels.Image.CutTo(pixels.Ink);
    return pixels;
}

const GdiplusTextResources::Pixels* GdiplusTextResources::Drawn(const std::string& text,
                                                                const Layout& layout,
                                                                const FontSpec& font, Argb color,
                                                                TextAlign align) {
    if (!keepDrawn_)
        return nullptr;
    const auto found = std::find_if(drawn_.begin(), drawn_.end(), [&](const DrawnText& d) {
        return d.text == text && d.layout == layout && d.font == font && d.color == color &&
               d.align == align;
    });
    if (found == drawn_.end()) {
        // Once may be all: the about window draws its texts once for the program's life.
        if (drawn_.size() >= DrawnCapacity)
            drawn_.erase(drawn_.begin());
        drawn_.push_back({text, layout, font, color, align, std::nullopt});
        return nullptr;
    }
    found->used = true;
    std::rotate(found, found + 1, drawn_.end());
    DrawnText& kept = drawn_.back();
    if (!kept.pixels)
        kept.pixels = Draw(text, layout, font, color, align);
    return &*kept.pixels;
}

const SizeF* GdiplusTextResources::Measure(const std::string& text, const FontSpec& font,
                                           TextAlign align, float scale) {
    if (!keepDrawn_)
        return nullptr;
    const auto found = std::find_if(measured_.begin(), measured_.end(), [&](const MeasuredText& m) {
        return m.text == text && m.font == font && m.align == align && m.scale == scale;
    });
    if (found == measured_.end())
        return nullptr;
    std::rotate(found, found + 1, measured_.end());
    return &measured_.back().size;
}

void GdiplusTextResources::Measured(const std::string& text, const FontSpec& font,
                                    TextAlign align, float scale, const SizeF& size) {
    if (!keepDrawn_)
        return;
    if (measured_.size() >= MeasuredCapacity)
        measured_.erase(measured_.begin());
    measured_.push_back({text, font, align, scale, size});
}

void GdiplusTextResources::Clear() {
    drawn_.clear();
    measured_.clear();
}

std::size_t GdiplusTextResources::Bytes() const {
    std::size_t bytes = 0;
    for (const DrawnText& drawn : drawn_)
        if (drawn.pixels)
            bytes += drawn.pixels->Image.Bytes();
    return bytes;
}

void GdiplusTextResources::NewRepaint() {
    fonts_.erase(std::remove_if(fonts_.begin(), fonts_.end(),
                                [](const auto& known) { return !known.second; }),
                 fonts_.end());
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
    // A text's pixels depend only on where it lands within a pixel of the bitmap: drawn on
    // its own there, it is laid onto the bitmap, kept or drawn anew.
    if (Whole(rect) && rect.Width > 0 && rect.Height > 0) {
        const RectF at = OnBitmap(rect);
        const float left = std::floor(at.X), top = std::floor(at.Y);
        const GdiplusTextResources::Layout layout{static_cast<int>(rect.Width),
                                                  static_cast<int>(rect.Height), scale_,
                                                  at.X - left, at.Y - top};
        const int x = static_cast<int>(left), y = static_cast<int>(top);
        if (const GdiplusTextResources::Pixels* kept =
                text_->Drawn(text, layout, font, color, align)) {
            Lay(kept->Image.View(), x + kept->Ink.Left, y + kept->Ink.Top);
            return;
        }
        const GdiplusTextResources::Pixels drawn = text_->Draw(text, layout, font, color, align);
        Lay(drawn.Image.View(), x + drawn.Ink.Left, y + drawn.Ink.Top);
        return;
    }
    Gdiplus::GpFont* gpFont = text_->Font(font);
    Gdiplus::GpStringFormat* format = text_->Format(align);
    if (gpFont && format)
        DrawLaidOut(graphics_.get(), text, rect, gpFont, format, color);
}

void GdiplusCanvas::FillRectangle(const RectF& rect, Argb color) {
    Gdiplus::GpSolidFill* fill = nullptr;
    if (!graphics_ || gdip::GdipCreateSolidFill(color, &fill) != Gdiplus::Ok)
        return;
    const GdipBrush brush(fill);
    gdip::GdipFillRectangle(graphics_.get(), brush.get(), rect.X, rect.Y, rect.Width, rect.Height);
}

SizeF GdiplusCanvas::MeasureText(const std::string& text, const FontSpec& font, TextAlign align) {
    // No text takes no room, whatever the library would say of an empty layout.
    if (!graphics_ || text.empty())
        return {};
    if (const SizeF* kept = text_->Measure(text, font, align, scale_))
        return *kept;
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
    const SizeF size{box.Width, box.Height};
    text_->Measured(text, font, align, scale_, size);
    return size;
}

Argb GdiplusCanvas::PixelAt(int x, int y) const {
    if (!bitmap_ || x < 0 || y < 0 || x >= pixelWidth_ || y >= pixelHeight_)
        return 0;
    gdip::GdipFlush(graphics_.get(), Gdiplus::FlushIntentionSync);
    return pixels_.Bits()[static_cast<std::size_t>(y) * static_cast<std::size_t>(pixelWidth_) +
                          static_cast<std::size_t>(x)];
}

} // namespace meltemix
