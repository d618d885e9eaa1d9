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

// "Contents\Resources\UI\Grid.png" -> "Contents\Resources@2x\UI\Grid.png"; empty for a
// path outside the picture folder.
std::string DoublePath(const std::string& path) {
    static const std::string folder = "Contents\\Resources\\";
    const std::string::size_type at = path.find(folder);
    if (at == std::string::npos)
        return {};
    return path.substr(0, at) + "Contents\\Resources@2x\\" + path.substr(at + folder.size());
}

// A picture at twice the size lays out as the one it stands for: half, rounded up.
int Logical(int pixels, int density) {
    return (pixels + density - 1) / density;
}

} // namespace

std::unique_ptr<Picture> GdiplusPictureSource::Load(const std::string& path) {
    if (dense_) {
        const std::string twice = DoublePath(path);
        if (!twice.empty())
            if (auto picture = LoadFile(twice, path, 2))
                return picture;
    }
    if (auto picture = LoadFile(path, path, 1))
        return picture;
    return EmptyPicture(path);
}

#ifdef MELTEMIX_PICTURES_UNCACHED

// A build for comparing faces: every picture read from its file at every load and drawn as
// decoded, every tint drawn through its matrix.
std::unique_ptr<Picture> GdiplusPictureSource::LoadFile(const std::string& file,
                                                        const std::string& path, int density) {
    int width = 0, height = 0;
    GdipBitmap decoded = Decode(file, width, height);
    if (!decoded)
        return nullptr;
    return std::make_unique<GdiplusPicture>(path, Share(decoded.release()),
                                            Logical(width, density), Logical(height, density),
                                            density);
}

std::unique_ptr<Picture> GdiplusPictureSource::Recolored(const Picture&, const ColorMatrix&) {
    return nullptr;
}

#else

namespace {

// A copy of a decoded picture in the canvases' own pixel format, which they lay down as it
// is; the decoded one itself when it cannot be made. The copy also lets go of the file,
// which GDI+ holds open while the picture it decoded from it lives.
std::shared_ptr<Gdiplus::GpBitmap> Copied(GdipBitmap decoded, int width, int height) {
    Gdiplus::GpBitmap* copy = nullptr;
    if (gdip::GdipCloneBitmapAreaI(0, 0, width, height, PixelFormat32bppARGB, decoded.get(),
                                   &copy) != Gdiplus::Ok ||
        !copy)
        return Share(decoded.release());
    return Share(copy);
}

} // namespace

std::unique_ptr<Picture> GdiplusPictureSource::LoadFile(const std::string& file,
                                                        const std::string& path, int density) {
    const auto found = std::find_if(kept_.begin(), kept_.end(),
                                    [&file](const Kept& kept) { return kept.file == file; });
    WIN32_FILE_ATTRIBUTE_DATA attributes;
    const std::wstring wide = Widen(file);
    if (!GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &attributes)) {
        if (found != kept_.end())
            kept_.erase(found); // gone: whatever comes back under its name is new
        return nullptr;
    }
    // Looked at before the file is read: one replaced in between is read again next time.
    FileStamp stamp;
    stamp.written = static_cast<std::uint64_t>(attributes.ftLastWriteTime.dwHighDateTime) << 32 |
                    attributes.ftLastWriteTime.dwLowDateTime;
    stamp.size =
        static_cast<std::uint64_t>(attributes.nFileSizeHigh) << 32 | attributes.nFileSizeLow;

    if (found != kept_.end() && found->stamp.written == stamp.written &&
        found->stamp.size == stamp.size) {
        std::rotate(found, found + 1, kept_.end()); // now the one used last
        const Kept& kept = kept_.back();
        return std::make_unique<GdiplusPicture>(path, kept.bitmap, kept.width, kept.height,
                                                kept.density);
    }
    if (found != kept_.end())
        kept_.erase(found);

    int width = 0, height = 0;
    GdipBitmap decoded = Decode(file, width, height);
    if (!decoded)
        return nullptr; // unreadable now; perhaps not at the next look
    Kept kept{file, stamp, Copied(std::move(decoded), width, height),
              Logical(width, density), Logical(height, density), density};
    if (kept_.size() >= Capacity)
        kept_.erase(kept_.begin());
    kept_.push_back(kept);
    return std::make_unique<GdiplusPicture>(path, kept.bitmap, kept.width, kept.height, density);
}

std::unique_ptr<Picture> GdiplusPictureSource::Recolored(const Picture& picture,
                                                         const ColorMatrix& matrix) {
    const auto* decoded = dynamic_cast<const GdiplusPicture*>(&picture);
    if (!decoded || !decoded->Bitmap() || picture.Empty())
        return nullptr;
    UINT w = 0, h = 0; // the bitmap's own pixels, all of them recoloured
    gdip::GdipGetImageWidth(decoded->Bitmap(), &w);
    gdip::GdipGetImageHeight(decoded->Bitmap(), &h);
    const int width = static_cast<int>(w), height = static_cast<int>(h);
    Gdiplus::GpBitmap* raw = nullptr;
    if (gdip::GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &raw) !=
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
    return std::make_unique<GdiplusPicture>(picture.Path(), Share(recolored.release()),
                                            picture.Width(), picture.Height(),
                                            decoded->Density());
}

#endif

} // namespace meltemix
