#include "win32/platform/ArgbPixels.h"
#include "win32/platform/GdiplusCanvas.h"
#include "win32/platform/GdiplusSession.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>

using namespace meltemix;

namespace {

ArgbImage Random(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    ArgbImage image(width, height);
    for (int i = 0; i < width * height; ++i) {
        std::uint32_t pixel = random();
        if (i % 5 == 0)
            pixel |= 0xFF000000u; // opaque
        else if (i % 7 == 0)
            pixel &= 0x00FFFFFFu; // transparent
        image.Bits()[i] = pixel;
    }
    return image;
}

int Channel(std::uint32_t pixel, int shift) { return static_cast<int>(pixel >> shift & 0xFF); }

// Pictures laid on as they are blend as the library blends a picture drawn at its own size,
// and only where they overlap the pixels they are laid on.
TEST(ArgbPixelsTest, ComposedAsTheLibraryDrawsAPictureAtItsOwnSize) {
    GdiplusSession session;
    ASSERT_TRUE(session.Started());
    ArgbImage top = Random(40, 30, 1);
    for (const auto& [x, y] : {std::pair{0, 0}, {13, 7}, {-9, -4}, {50, 45}, {-45, 0}}) {
        ArgbImage composed = Random(64, 48, 2), library = Random(64, 48, 2);
        ComposeOver(composed.Bits(), 64, 48, 64, x, y, top.View());
        {
            const GdipBitmap onto = BitmapOn(library), picture = BitmapOn(top);
            Gdiplus::GpGraphics* graphics = nullptr;
            ASSERT_EQ(gdip::GdipGetImageGraphicsContext(onto.get(), &graphics), Gdiplus::Ok);
            gdip::GdipDrawImageRectRectI(graphics, picture.get(), x, y, 40, 30, 0, 0, 40, 30,
                                         Gdiplus::UnitPixel, nullptr, nullptr, nullptr);
            gdip::GdipDeleteGraphics(graphics);
        }
        int largest = 0;
        for (int i = 0; i < 64 * 48; ++i)
            for (int shift : {0, 8, 16, 24})
                largest = std::max(largest, std::abs(Channel(composed.Bits()[i], shift) -
                                                     Channel(library.Bits()[i], shift)));
        EXPECT_LE(largest, 1) << x << ", " << y;
    }
}

TEST(ArgbPixelsTest, InkIsWhereAlphaIs) {
    ArgbImage image(9, 7);
    EXPECT_EQ(InkOf(image.View()).Width, 0);
    image.Bits()[2 * 9 + 3] = 0x01000000u;
    image.Bits()[5 * 9 + 6] = 0xFF123456u;
    const PixelRect ink = InkOf(image.View());
    EXPECT_EQ(ink, (PixelRect{3, 2, 4, 4}));
    image.CutTo(ink);
    EXPECT_EQ(image.Width(), 4);
    EXPECT_EQ(image.Height(), 4);
    EXPECT_EQ(image.Bits()[0], 0x01000000u);
    EXPECT_EQ(image.Bits()[15], 0xFF123456u);
}

} // namespace
