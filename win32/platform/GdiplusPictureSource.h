#pragma once

#include "core/skin/Canvas.h"
#include "win32/platform/GdiplusApi.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace meltemix {

// Pictures from files relative to the working directory. Decoding a PNG costs far more than
// drawing it, and the faces draw the same few pictures at every repaint, so each decoded
// picture is kept by its path, in premultiplied ARGB, which GDI+ draws without a conversion.
// Before each use the file's last write time and size are looked at again: a picture
// replaced on disk shows at the next repaint, and a missing one is looked for again.
class GdiplusPictureSource : public PictureSource {
public:
    // The pictures kept at most; the one used longest ago goes first. More than one repaint
    // loads (eight at most), and little memory whatever the weather did.
    static constexpr std::size_t Capacity = 10;

    std::unique_ptr<Picture> Load(const std::string& path) override;
    std::unique_ptr<Picture> Recolored(const Picture& picture, const ColorMatrix& matrix) override;

private:
    struct FileStamp {
        std::uint64_t written = 0;
        std::uint64_t size = 0;
    };
    struct Kept {
        std::string path;
        FileStamp stamp;
        std::shared_ptr<Gdiplus::GpBitmap> bitmap;
        int width = 0;
        int height = 0;
    };

    std::vector<Kept> kept_; // the one used last at the end
};

} // namespace meltemix
