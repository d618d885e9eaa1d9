#include "win32/platform/GdiplusPictureSource.h"

#include "win32/platform/GdiplusCanvas.h"
#include "win32/platform/WideText.h"

#include <algorithm>

namespace meltemix {
namespace {

std::shared_ptr<Gdiplus::GpBitmap> Share(Gdiplus::GpBitmap* bitmap) {
    return std::shared_ptr<Gdiplus::GpBitmap>(bitmap, GdipImageDeleter());
}

std::unique_ptr<Picture> EmptyPicture(const std::string& path) {
    return std::make_unique<GdiplusPicture>(path, nullptr, 0, 0);
}

// The file as GDI+ decodes it, or null; `width` and `height` are set for a picture with pixels.
GdipBitmap Decode(const std::string& path, int& width, int& height) {
    Gdiplus::GpBitmap* raw = nullptr;
    const std::wstring wide = Widen(path);
    if (gdip::GdipCreateBitmapFromFile(wide.c_str(), &raw) != Gdiplus::Ok || !raw)
        return nullptr;
    GdipBitmap bitmap(raw);
    UINT w = 0, h = 0;
    gdip::GdipGetImageWidth(raw, &w);
    gdip::GdipGetImageHeight(raw, &h);
    if (w == 0 || h == 0)
        return nullptr;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return bitmap;
}

} // namespace

#ifdef MELTEMIX_PICTURES_UNCACHED

// A build for comparing faces: every picture read from its file at every load and drawn as
// decoded, every tint drawn through its matrix.
std::unique_ptr<Picture> GdiplusPictureSource::Load(const std::string& path) {
    int width = 0, height = 0;
    GdipBitmap decoded = Decode(path, width, height);
    if (!decoded)
        return EmptyPicture(path);
    return std::make_unique<GdiplusPicture>(path, Share(decoded.release()), width, height);
}

std::unique_ptr<Picture> GdiplusPictureSource::Recolored(const Picture&, const ColorMatrix&) {
    return nullptr;
}

#else

namespace {

// The premultiplied copy of a decoded picture; the decoded one itself when it cannot be
// made. The copy also lets go of the file, which GDI+ holds open while the picture it
// decoded from it lives.
std::shared_ptr<Gdiplus::GpBitmap> Premultiplied(GdipBitmap decoded, int width, int height) {
    Gdiplus::GpBitmap* copy = nullptr;
    if (gdip::GdipCloneBitmapAreaI(0, 0, width, height, PixelFormat32bppPARGB, decoded.get(),
                                   &copy) != Gdiplus::Ok ||
        !copy)
        return Share(decoded.release());
    return Share(copy);
}

} // namespace

std::unique_ptr<Picture> GdiplusPictureSource::Load(const std::string& path) {
    const auto found = std::find_if(kept_.begin(), kept_.end(),
                                    [&path](const Kept& kept) { return kept.path == path; });
    WIN32_FILE_ATTRIBUTE_DATA file;
    const std::wstring wide = Widen(path);
    if (!GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &file)) {
        if (found != kept_.end())
            kept_.erase(found); // gone: whatever comes back under its name is new
        return EmptyPicture(path);
    }
    // Looked at before the file is read: one replaced in between is read again next time.
    FileStamp stamp;
    stamp.written = static_cast<std::uint64_t>(file.ftLastWriteTime.dwHighDateTime) << 32 |
                    file.ftLastWriteTime.dwLowDateTime;
    stamp.size = static_cast<std::uint64_t>(file.nFileSizeHigh) << 32 | file.nFileSizeLow;

    if (found != kept_.end() && found->stamp.written == stamp.written &&
        found->stamp.size == stamp.size) {
        std::rotate(found, found + 1, kept_.end()); // now the one used last
        const Kept& kept = kept_.back();
        return std::make_unique<GdiplusPicture>(path, kept.bitmap, kept.width, kept.height);
    }
    if (found != kept_.end())
        kept_.erase(found);

    int width = 0, height = 0;
    GdipBitmap decoded = Decode(path, width, height);
    if (!decoded)
        return EmptyPicture(path); // unreadable now; perhaps not at the next look
    Kept kept{path, stamp, Premultiplied(std::move(decoded), width, height), width, height};
    if (kept_.size() >= Capacity)
        kept_.erase(kept_.begin());
    kept_.push_back(kept);
    return std::make_unique<GdiplusPicture>(path, kept.bitmap, width, height);
}

std::unique_ptr<Picture> GdiplusPictureSource::Recolored(const Picture& picture,
                                                         const ColorMatrix& matrix) {
    const auto* decoded = dynamic_cast<const GdiplusPicture*>(&picture);
    if (!decoded || !decoded->Bitmap() || picture.Empty())
        return nullptr;
    const int width = picture.Width(), height = picture.Height();
    Gdiplus::GpBitmap* raw = nullptr;
    if (gdip::GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppPARGB, nullptr, &raw) !=
            Gdiplus::Ok ||
        !raw)
        return nullptr;
    GdipBitmap recolored(raw);
    Gdiplus::GpGraphics* rawGraphics = nullptr;
    if (gdip::GdipGetImageGraphicsContext(raw, &rawGraphics) != Gdiplus::Ok)
        return nullptr;
    GdipGraphics graphics(rawGraphics);
    gdip::GdipGraphicsClear(rawGraphics, 0); // blended over nothing, as onto a fresh canvas
    DrawAttributes attributes;
    attributes.Matrix = matrix;
    attributes.TileEdges = true; // as the slices are drawn through the matrix
    const GdipAttributes made = MakeGdipAttributes(attributes);
    if (!made ||
        gdip::GdipDrawImageRectRectI(rawGraphics, decoded->Bitmap(), 0, 0, width, height, 0, 0,
                                     width, height, Gdiplus::UnitPixel, made.get(), nullptr,
                                     nullptr) != Gdiplus::Ok)
        return nullptr;
    graphics.reset(); // the surface before the bitmap it drew on is handed out
    return std::make_unique<GdiplusPicture>(picture.Path(), Share(recolored.release()), width,
                                            height);
}

#endif

} // namespace meltemix
