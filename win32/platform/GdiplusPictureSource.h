#pragma once

#include "core/skin/Canvas.h"
#include "win32/platform/GdiplusApi.h"
#include "win32/platform/GdiplusPicture.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace meltemix {

// Pictures from files relative to the working directory. Decoding a PNG costs far more than
// drawing it, and the faces draw the same few pictures at every repaint, so each decoded
// picture is kept by its path, in the canvases' own ARGB, which they lay down as it is. Its
// pixels may be let go while a window draws it only from what it scaled of it (see
// PicturePixels); they are read again from the file when needed. Before each use the file's last write time and size are looked at again: a picture
// replaced on disk shows at the next repaint, and a missing one is looked for again.
// For a window on a denser screen than 96 dpi, a picture of Contents\Resources is taken from
// Contents\Resources@2x, where the same name holds it drawn at twice the width and height,
// when that file is there; it keeps the size of the picture it stands for.
class GdiplusPictureSource : public PictureSource {
public:
    // The pictures kept at most; the one used longest ago goes first. More than one repaint
    // loads (eight at most), and little memory whatever the weather did.
    static constexpr std::size_t Capacity = 10;

    explicit GdiplusPictureSource(int dpi = 96) { SetDpi(dpi); }
    void SetDpi(int dpi) { dense_ = dpi > 96; }

    std::unique_ptr<Picture> Load(const std::string& path) override;
    std::unique_ptr<Picture> Recolored(const Picture& picture, const ColorMatrix& matrix) override;

private:
    // The picture of `file` standing for `path` at `density`; null when the file is missing
    // or unreadable.
    std::unique_ptr<Picture> LoadFile(const std::string& file, const std::string& path,
                                      int density);

    bool dense_ = false;
    struct FileStamp {
        std::uint64_t written = 0;
        std::uint64_t size = 0;
    };
    struct Kept {
        std::string file;
        FileStamp stamp;
        std::shared_ptr<PicturePixels> pixels;
        int width = 0; // of the picture it stands for
        int height = 0;
        int density = 1;
    };

    std::vector<Kept> kept_; // the one used last at the end
};

} // namespace meltemix
