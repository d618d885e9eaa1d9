#include "win32/platform/GdiplusPictureSource.h"

#include "win32/platform/GdiplusCanvas.h"
#include "win32/platform/WideText.h"

#include <algorithm>
#include <cstdint>

namespace meltemix {
namespace {

std::unique_ptr<Picture> EmptyPicture(const std::string& path) {
    return std::make_unique<GdiplusPicture>(path, nullptr, 0, 0);
}

// The file as GDI+ decodes it, in the canvases' own pixel format, which they lay down as it
// is; empty when it is missing or unreadable. The pixels are our own: the decoded picture,
// which holds the file open while it lives, goes at once.
ArgbImage Decode(const std::string& path) {
    Gdiplus::GpBitmap* raw = nullptr;
    const std::wstring wide = Widen(path);
    if (gdip::GdipCreateBitmapFromFile(wide.c_str(), &raw) != Gdiplus::Ok || !raw)
        return {};
    const GdipBitmap decoded(raw);
    UINT width = 0, height = 0;
    gdip::GdipGetImageWidth(raw, &width);
    gdip::GdipGetImageHeight(raw, &height);
    ArgbImage pixels(static_cast<int>(width), static_cast<int>(height));
    if (pixels.Empty())
        return {};
    Gdiplus::BitmapData data = {};
    data.Width = width;
    data.Height = height;
    data.Stride = static_cast<INT>(width * sizeof(std::uint32_t));
    data.PixelFormat = PixelFormat32bppARGB;
    data.Scan0 = pixels.Bits();
    const Gdiplus::Rect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    if (gdip::GdipBitmapLockBits(raw, &all,
                                 Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                                 PixelFormat32bppARGB, &data) != Gdiplus::Ok)
        return {};
    gdip::GdipBitmapUnlockBits(raw, &data);
    return pixels;
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
    ArgbImage decoded = Decode(file);
    if (decoded.Empty())
        return nullptr;
    const int width = decoded.Width(), height = decoded.Height();
    return std::make_unique<GdiplusPicture>(path,
                                            std::make_shared<PicturePixels>(std::move(decoded)),
                                            Logical(width, density), Logical(height, density),
                                            density);
}

std::unique_ptr<Picture> GdiplusPictureSource::Recolored(const Picture&, const ColorMatrix&) {
    return nullptr;
}

#else

namespace {

// `picture` passed through `matrix` at its own size; null when that cannot be done.
ArgbImage Recolor(Gdiplus::GpBitmap* picture, const ColorMatrix& matrix) {
    if (!picture)
        return {};
    UINT w = 0, h = 0; // the bitmap's own pixels, all of them recoloured
    gdip::GdipGetImageWidth(picture, &w);
    gdip::GdipGetImageHeight(picture, &h);
    const int width = static_cast<int>(w), height = static_cast<int>(h);
    ArgbImage recolored(width, height); // blended over nothing, as onto a fresh canvas
    const GdipBitmap bitmap = BitmapOn(recolored);
    Gdiplus::GpGraphics* rawGraphics = nullptr;
    if (!bitmap || gdip::GdipGetImageGraphicsContext(bitmap.get(), &rawGraphics) != Gdiplus::Ok)
        return {};
    const GdipGraphics graphics(rawGraphics);
    DrawAttributes attributes;
    attributes.Matrix = matrix;
    attributes.TileEdges = true; // as the slices are drawn through the matrix
    const GdipAttributes made = MakeGdipAttributes(attributes);
    if (!made ||
        gdip::GdipDrawImageRectRectI(rawGraphics, picture, 0, 0, width, height, 0, 0, width,
                                     height, Gdiplus::UnitPixel, made.get(), nullptr,
                                     nullptr) != Gdiplus::Ok)
        return {};
    return recolored;
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
        return std::make_unique<GdiplusPicture>(path, kept.pixels, kept.width, kept.height,
                                                kept.density);
    }
    if (found != kept_.end())
        kept_.erase(found);

    ArgbImage decoded = Decode(file);
    if (decoded.Empty())
        return nullptr; // unreadable now; perhaps not at the next look
    const int width = decoded.Width(), height = decoded.Height();
    // Read again, it must still fit where the faces lay out the picture it was.
    auto readAgain = [file, width, height] {
        ArgbImage again = Decode(file);
        return again.Width() == width && again.Height() == height ? std::move(again)
                                                                  : ArgbImage();
    };
    Kept kept{file, stamp, std::make_shared<PicturePixels>(std::move(decoded), readAgain),
              Logical(width, density), Logical(height, density), density};
    if (kept_.size() >= Capacity)
        kept_.erase(kept_.begin());
    kept_.push_back(kept);
    return std::make_unique<GdiplusPicture>(path, kept.pixels, kept.width, kept.height, density);
}

std::unique_ptr<Picture> GdiplusPictureSource::Recolored(const Picture& picture,
                                                         const ColorMatrix& matrix) {
    const auto* decoded = dynamic_cast<const GdiplusPicture*>(&picture);
    if (!decoded || !decoded->Pixels() || picture.Empty())
        return nullptr;
    const std::shared_ptr<PicturePixels> original = decoded->Pixels();
    auto recolor = [original, matrix] { return Recolor(original->Bitmap(), matrix); };
    ArgbImage recolored = recolor();
    if (recolored.Empty())
        return nullptr;
    // The recoloured picture is drawn in its stead: its own pixels are needed again only for
    // another tint.
    original->LetGo();
    return std::make_unique<GdiplusPicture>(
        picture.Path(), std::make_shared<PicturePixels>(std::move(recolored), std::move(recolor)),
        picture.Width(), picture.Height(), decoded->Density());
}

#endif

} // namespace meltemix
