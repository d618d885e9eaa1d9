#include "core/skin/Skin.h"
#include "win32/platform/GdiplusCanvas.h"
#include "win32/platform/GdiplusPictureSource.h"
#include "win32/platform/GdiplusSession.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

using namespace meltemix;

namespace {

// 2 × 2, opaque red (200, 30, 30).
const unsigned char RedPng[] = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44,
    0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x08, 0x06, 0x00, 0x00, 0x00, 0x72,
    0xb6, 0x0d, 0x24, 0x00, 0x00, 0x00, 0x11, 0x49, 0x44, 0x41, 0x54, 0x78, 0xda, 0x63, 0x38,
    0x21, 0x27, 0xf7, 0x1f, 0x84, 0x19, 0x60, 0x0c, 0x00, 0x47, 0x34, 0x08, 0x0d, 0x1b, 0x27,
    0x91, 0xb7, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};

// 4 × 4, every pixel of its own colour, with alphas 255, 200, 120 and 40 mixed.
const unsigned char MixedPng[] = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44,
    0x52, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x04, 0x08, 0x06, 0x00, 0x00, 0x00, 0xa9,
    0xf1, 0x9e, 0x7e, 0x00, 0x00, 0x00, 0x41, 0x49, 0x44, 0x41, 0x54, 0x78, 0xda, 0x0d, 0xca,
    0x21, 0x01, 0x00, 0x41, 0x08, 0x04, 0xc0, 0x8b, 0xb3, 0x9a, 0x38, 0xe8, 0x0d, 0x81, 0x26,
    0x04, 0x1a, 0x4d, 0x92, 0x0d, 0x41, 0x17, 0xfe, 0x47, 0xcf, 0x83, 0xfc, 0xa8, 0x54, 0x6b,
    0x62, 0xe5, 0x78, 0xa8, 0x0c, 0xd6, 0xa0, 0xcb, 0x6f, 0x2b, 0xf5, 0xc0, 0x39, 0xd2, 0xd5,
    0xcc, 0x58, 0xce, 0x3f, 0xcc, 0x83, 0x96, 0x68, 0x9b, 0x5b, 0x73, 0x7d, 0xa3, 0xf6, 0x21,
    0x85, 0x3f, 0x09, 0x47, 0xc6, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42,
    0x60, 0x82};

template <std::size_t N>
void Write(const std::string& path, const unsigned char (&bytes)[N]) {
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    std::fwrite(bytes, 1, N, file);
    std::fclose(file);
}

Gdiplus::GpBitmap* BitmapOf(const Picture& picture) {
    return dynamic_cast<const GdiplusPicture&>(picture).Bitmap();
}

int Channel(Argb c, int shift) { return static_cast<int>(c >> shift & 0xFF); }

// The largest difference of two canvases in what shows of them: alpha, and each colour as
// far as its alpha lets it show (a colour under a faint alpha is barely defined).
int LargestShownDifference(const GdiplusCanvas& a, const GdiplusCanvas& b) {
    int largest = 0;
    for (int y = 0; y < a.PixelHeight(); ++y)
        for (int x = 0; x < a.PixelWidth(); ++x)
            for (int shift : {0, 8, 16, 24}) {
                const Argb pa = a.PixelAt(x, y), pb = b.PixelAt(x, y);
                const int scale = shift == 24 ? 255 : std::max(Channel(pa, 24), Channel(pb, 24));
                largest = std::max(largest,
                                   (std::abs(Channel(pa, shift) - Channel(pb, shift)) * scale +
                                    254) / 255);
            }
    return largest;
}

class GdiplusPictureSourceTest : public testing::Test {
protected:
    static void SetUpTestSuite() { session_ = new GdiplusSession; }
    static void TearDownTestSuite() {
        delete session_;
        session_ = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(session_->Started());
        char folder[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        folder_ = std::string(folder) + "meltemix-pictures-" +
                  std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
    }
    void TearDown() override {
        for (int i = 0; i <= static_cast<int>(GdiplusPictureSource::Capacity); ++i)
            DeleteFileA(Path(i).c_str());
        DeleteFileA(Path("Sky").c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    std::string Path(const std::string& name) const { return folder_ + name + ".png"; }
    std::string Path(int i) const { return Path(std::to_string(i)); }

    static GdiplusSession* session_;
    std::string folder_;
    GdiplusPictureSource pictures_;
};

GdiplusSession* GdiplusPictureSourceTest::session_ = nullptr;

TEST_F(GdiplusPictureSourceTest, DecodedOnceWhileTheFileStaysAsItWas) {
    const std::string sky = Path("Sky");
    Write(sky, MixedPng);
    const std::unique_ptr<Picture> first = pictures_.Load(sky);
    ASSERT_EQ(first->Width(), 4);
    const std::unique_ptr<Picture> again = pictures_.Load(sky);
    EXPECT_EQ(BitmapOf(*again), BitmapOf(*first)) << "decoded a second time";
    Gdiplus::PixelFormat format = 0;
    gdip::GdipGetImagePixelFormat(BitmapOf(*first), &format);
    EXPECT_EQ(format, PixelFormat32bppARGB); // as the canvases lay it down

    // Kept pictures hold no file open: a user can replace it while the program runs.
    ASSERT_TRUE(DeleteFileA(sky.c_str()));
    EXPECT_TRUE(pictures_.Load(sky)->Empty()) << "gone from the disk, gone from the face";
    Write(sky, RedPng);
    const std::unique_ptr<Picture> replaced = pictures_.Load(sky);
    ASSERT_EQ(replaced->Width(), 2);
    GdiplusCanvas canvas(2, 2);
    canvas.DrawPicture(*replaced, {0, 0, 2, 2}, {});
    EXPECT_EQ(canvas.PixelAt(1, 1), MakeArgb(255, 200, 30, 30));
    // The face still drawing the first one keeps it whole.
    EXPECT_EQ(first->Width(), 4);

    // Replaced in place, without a moment of absence.
    Write(sky, MixedPng);
    EXPECT_EQ(pictures_.Load(sky)->Width(), 4);
}

TEST_F(GdiplusPictureSourceTest, KeepsTheLastUsedUpToItsCapacity) {
    const int capacity = static_cast<int>(GdiplusPictureSource::Capacity);
    for (int i = 0; i <= capacity; ++i)
        Write(Path(i), RedPng);
    const std::unique_ptr<Picture> oldest = pictures_.Load(Path(0));
    const std::unique_ptr<Picture> often = pictures_.Load(Path(1));
    for (int i = 2; i <= capacity; ++i) {
        pictures_.Load(Path(i));
        EXPECT_EQ(BitmapOf(*pictures_.Load(Path(1))), BitmapOf(*often)) << i;
    }
    EXPECT_NE(BitmapOf(*pictures_.Load(Path(0))), BitmapOf(*oldest)) << "still kept";
}

TEST_F(GdiplusPictureSourceTest, RecoloredDrawsAsThroughTheMatrix) {
    const std::string sky = Path("Sky");
    Write(sky, MixedPng);
    const std::unique_ptr<Picture> mixed = pictures_.Load(sky);
    ASSERT_FALSE(mixed->Empty());
    for (const SkinTint& tint : {SkinTint{128, 64, 0, 255}, SkinTint{0, 0, 0, 120},
                                 SkinTint{255, 255, 255, 200}, SkinTint{32, 80, 160, 150}}) {
        const ColorMatrix matrix = TintMatrix(tint);
        const std::unique_ptr<Picture> recolored = pictures_.Recolored(*mixed, matrix);
        ASSERT_NE(recolored, nullptr);
        EXPECT_EQ(recolored->Width(), 4);
        EXPECT_EQ(recolored->Height(), 4);
        EXPECT_EQ(recolored->Path(), sky);
        // Stretched as the panel's slices are, with tiled edges.
        GdiplusCanvas through(23, 30), ahead(23, 30);
        DrawAttributes tinted;
        tinted.Matrix = matrix;
        tinted.TileEdges = true;
        through.DrawPicture(*mixed, {1, 2, 21, 27}, tinted);
        DrawAttributes tiled;
        tiled.TileEdges = true;
        ahead.DrawPicture(*recolored, {1, 2, 21, 27}, tiled);
        EXPECT_LE(LargestShownDifference(through, ahead), 2) << int{tint.Red} << "," << int{tint.Green} << "," << int{tint.Blue}
                              << "," << int{tint.Alpha};
    }
    EXPECT_EQ(pictures_.Recolored(*pictures_.Load(Path("None")), IdentityMatrix()), nullptr);
}

const float Scales[] = {1.0f, 1.25f, 1.5f, 1.75f, 2.0f};

// A canvas's pixels from (x, y) on, `width` × `height` of them, as one number each.
std::vector<Argb> Area(const GdiplusCanvas& canvas, int x, int y, int width, int height) {
    std::vector<Argb> area;
    for (int row = y; row < y + height; ++row)
        for (int column = x; column < x + width; ++column)
            area.push_back(canvas.PixelAt(column, row));
    return area;
}

TEST_F(GdiplusPictureSourceTest, KeptScaledPicturesDrawAsScaledAnew) {
    const std::string sky = Path("Sky");
    Write(sky, MixedPng);
    const std::unique_ptr<Picture> mixed = pictures_.Load(sky);
    ASSERT_FALSE(mixed->Empty());
    DrawAttributes tinted;
    tinted.Matrix = TintMatrix({128, 64, 0, 200});
    tinted.TileEdges = true;
    DrawAttributes tiled;
    tiled.TileEdges = true;
    struct Case {
        RectF dest;
        RectF source;
        DrawAttributes attributes;
    };
    const Case cases[] = {{{3, 5, 4, 4}, {0, 0, 4, 4}, {}},          // own size
                          {{3, 5, 19, 31}, {0, 0, 4, 4}, tinted},    // stretched, tinted
                          {{7, 2, 15, 33}, {0, 0, 4, 3.912f}, tiled}, // a part, as the overlay
                          {{0, 0, 23, 9}, {0, 0, 4, 4}, {}}};
    for (const float scale : Scales) {
        auto scaled = std::make_shared<GdiplusScaledPictures>();
        for (const Case& c : cases) {
            // Over a backdrop, as the overlays are drawn: once onto a canvas that scales anew,
            // and in two repaints onto canvases that keep what they scaled.
            GdiplusCanvas anew(30, 40, nullptr, nullptr, scale);
            std::unique_ptr<GdiplusCanvas> keeping;
            for (int repaint = 0; repaint < 2; ++repaint) {
                scaled->NewRepaint();
                keeping = std::make_unique<GdiplusCanvas>(30, 40, nullptr, scaled, scale);
                keeping->DrawPicture(*mixed, {0, 0, 30, 40}, tiled);
                keeping->DrawPicturePart(*mixed, c.dest, c.source, c.attributes);
            }
            anew.DrawPicture(*mixed, {0, 0, 30, 40}, tiled);
            anew.DrawPicturePart(*mixed, c.dest, c.source, c.attributes);
            EXPECT_EQ(LargestShownDifference(anew, *keeping), 0)
                << scale << ": " << c.dest.Width << "x" << c.dest.Height;
        }
        EXPECT_GT(scaled->Count(), 0u) << scale;
    }
}

// Scaled where it lands, the library leaves out the first row or column at some places: the
// panel's slices would part there. Scaled on its own, a picture is the same wherever it lands.
TEST_F(GdiplusPictureSourceTest, ScaledPicturesAreTheSameWhereverTheyLand) {
    const std::string sky = Path("Sky");
    Write(sky, MixedPng);
    const std::unique_ptr<Picture> mixed = pictures_.Load(sky);
    ASSERT_FALSE(mixed->Empty());
    DrawAttributes tiled;
    tiled.TileEdges = true;
    for (const float scale : Scales)
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 60; x += 7) {
                GdiplusCanvas elsewhere(80, 80, nullptr, nullptr, scale);
                elsewhere.DrawPicture(*mixed, {static_cast<float>(x), static_cast<float>(y), 5, 7},
                                      tiled);
                // on the canvas's whole pixels nearest to its edges
                const auto edge = [scale](int at) {
                    return static_cast<int>(std::floor(static_cast<float>(at) * scale + 0.5f));
                };
                const int width = edge(x + 5) - edge(x), height = edge(y + 7) - edge(y);
                GdiplusCanvas atOrigin(width, height);
                atOrigin.DrawPicture(*mixed,
                                     {0, 0, static_cast<float>(width), static_cast<float>(height)},
                                     tiled);
                ASSERT_EQ(Area(elsewhere, edge(x), edge(y), width, height),
                          Area(atOrigin, 0, 0, width, height))
                    << scale << " at " << x << ", " << y;
                for (const Argb pixel : Area(atOrigin, 0, 0, width, height))
                    ASSERT_GT(pixel >> 24, 0u) << "an edge left out at " << x << ", " << y;
            }
}

TEST_F(GdiplusPictureSourceTest, ScaledPicturesKeptBySizeWhilePicturesLive) {
    const std::string sky = Path("Sky");
    Write(sky, MixedPng);
    GdiplusPictureSource dense(144);
    std::unique_ptr<Picture> picture = dense.Load(sky);
    const auto& decoded = dynamic_cast<const GdiplusPicture&>(*picture);
    GdiplusScaledPictures scaled;
    DrawAttributes none;

    // At its own size: kept at once, one for each size it lands at, wherever that is.
    const ScaledPixels* six = scaled.Scaled(decoded, {0, 0, 4, 4}, 6, 6, none, true);
    ASSERT_NE(six, nullptr);
    EXPECT_EQ(six->Ink.Width, 6);
    EXPECT_EQ(scaled.Scaled(decoded, {0, 0, 4, 4}, 6, 6, none, true), six);
    EXPECT_NE(scaled.Scaled(decoded, {0, 0, 4, 4}, 5, 6, none, true), six);
    EXPECT_EQ(scaled.Count(), 2u);
    EXPECT_EQ(scaled.Bytes(), (6u * 6 + 5 * 6) * 4);

    // Stretched: from its second repaint in a row, until a repaint goes by without it.
    EXPECT_EQ(scaled.Scaled(decoded, {0, 0, 4, 4}, 6, 30, none, false), nullptr);
    scaled.NewRepaint();
    const ScaledPixels* tall = scaled.Scaled(decoded, {0, 0, 4, 4}, 6, 30, none, false);
    ASSERT_NE(tall, nullptr);
    scaled.NewRepaint();
    scaled.NewRepaint();
    EXPECT_EQ(scaled.Count(), 2u) << "the stretched one stays after a repaint without it";
    EXPECT_EQ(scaled.Scaled(decoded, {0, 0, 4, 4}, 6, 30, none, false), nullptr);
    // At its own size: until as many repaints go by without it as a face may draw without it.
    for (int repaint = 1; repaint < GdiplusScaledPictures::OwnSizeIdleRepaints; ++repaint) {
        scaled.NewRepaint();
        scaled.Scaled(decoded, {0, 0, 4, 4}, 6, 6, none, true);
    }
    for (int repaint = 0; repaint < GdiplusScaledPictures::OwnSizeIdleRepaints; ++repaint)
        scaled.NewRepaint();
    EXPECT_EQ(scaled.Count(), 1u) << "the one drawn last is still kept";
    scaled.NewRepaint();
    EXPECT_EQ(scaled.Count(), 0u);
    ASSERT_EQ(scaled.Scaled(decoded, {0, 0, 4, 4}, 6, 6, none, true)->Ink.Width, 6);

    // Its picture gone (a replaced file, another tint), so is what was scaled from it; the
    // file's new picture is scaled anew.
    picture.reset();
    Write(sky, RedPng);
    const std::unique_ptr<Picture> replaced = dense.Load(sky);
    scaled.NewRepaint();
    EXPECT_EQ(scaled.Count(), 0u);
    GdiplusCanvas canvas(4, 4, nullptr, std::make_shared<GdiplusScaledPictures>(), 1.5f);
    DrawPictureAt(canvas, *replaced, 1, 1);
    EXPECT_EQ(canvas.PixelAt(3, 3), MakeArgb(255, 200, 30, 30));

    scaled.Scaled(dynamic_cast<const GdiplusPicture&>(*replaced), {0, 0, 2, 2}, 3, 3, none, true);
    scaled.Clear(); // another density
    EXPECT_EQ(scaled.Count(), 0u);
}

// A window drawing a picture only from what it scaled of it lets go of the picture's own
// pixels; asked for again, to be scaled to another size or tinted anew, they are as before.
TEST_F(GdiplusPictureSourceTest, PixelsLetGoAreMadeAgainAsTheyWere) {
    const std::string sky = Path("Sky");
    Write(sky, MixedPng);
    GdiplusPictureSource dense(144);
    const std::unique_ptr<Picture> picture = dense.Load(sky);
    const auto& mixed = dynamic_cast<const GdiplusPicture&>(*picture);
    const std::unique_ptr<Picture> tinted = dense.Recolored(*picture, TintMatrix({128, 64, 0, 200}));
    ASSERT_NE(tinted, nullptr);
    EXPECT_FALSE(mixed.Pixels()->Held()) << "only its tint is drawn";
    const auto& tint = dynamic_cast<const GdiplusPicture&>(*tinted);

    const auto scaled = std::make_shared<GdiplusScaledPictures>();
    const auto paint = [&](float height) {
        scaled->NewRepaint();
        auto canvas = std::make_unique<GdiplusCanvas>(12, 40, nullptr, scaled, 1.5f);
        DrawPictureAt(*canvas, *picture, 0, 0);
        canvas->DrawPicture(*tinted, {4, 0, 4, height}, {});
        return canvas;
    };
    GdiplusCanvas reference(12, 40, nullptr, nullptr, 1.5f);
    DrawPictureAt(reference, *picture, 0, 0);
    reference.DrawPicture(*tinted, {4, 0, 4, 30}, {});

    paint(20);
    paint(30); // the stretched tint: not kept yet
    EXPECT_TRUE(tint.Pixels()->Held());
    paint(30);
    paint(30);
    EXPECT_FALSE(mixed.Pixels()->Held());
    EXPECT_FALSE(tint.Pixels()->Held());
    EXPECT_EQ(LargestShownDifference(*paint(30), reference), 0);
    // another size: made again, from the file and through the tint
    GdiplusCanvas taller(12, 40, nullptr, nullptr, 1.5f);
    taller.DrawPicture(*tinted, {4, 0, 4, 36}, {});
    GdiplusCanvas fresh(12, 40, nullptr, nullptr, 1.5f);
    GdiplusPictureSource other(144);
    fresh.DrawPicture(*other.Recolored(*other.Load(sky), TintMatrix({128, 64, 0, 200})),
                      {4, 0, 4, 36}, {});
    EXPECT_EQ(LargestShownDifference(taller, fresh), 0);

    // At the picture's own density it is laid down as it is at every repaint: kept.
    const auto standard = std::make_shared<GdiplusScaledPictures>();
    GdiplusPictureSource single(96);
    const std::unique_ptr<Picture> own = single.Load(sky);
    for (int repaint = 0; repaint < 3; ++repaint) {
        standard->NewRepaint();
        GdiplusCanvas canvas(8, 8, nullptr, standard);
        DrawPictureAt(canvas, *own, 1, 1);
    }
    EXPECT_TRUE(dynamic_cast<const GdiplusPicture&>(*own).Pixels()->Held());
}

TEST_F(GdiplusPictureSourceTest, DenserScreensTakeThePictureDrawnAtTwiceTheSize) {
    const std::string set = folder_ + "Contents\\", single = set + "Resources\\",
                      twice = set + "Resources@2x\\";
    for (const std::string& folder : {set, single, twice})
        CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = single + "Sky.png";
    Write(path, RedPng);
    Write(twice + "Sky.png", MixedPng);

    // The double picture lays out at the size of the one it stands for, and on a canvas at
    // twice the scale every one of its pixels lands on one of the canvas's.
    GdiplusPictureSource atStandard(96), reference(96);
    const std::unique_ptr<Picture> mixed = reference.Load(twice + "Sky.png");
    GdiplusCanvas expected(4, 4);
    DrawPictureAt(expected, *mixed, 0, 0);
    for (int dpi : {144, 192}) {
        GdiplusPictureSource dense(dpi);
        const std::unique_ptr<Picture> sky = dense.Load(path);
        EXPECT_EQ(sky->Path(), path);
        ASSERT_EQ(sky->Width(), 2) << dpi;
        ASSERT_EQ(sky->Height(), 2) << dpi;
        EXPECT_EQ(dynamic_cast<const GdiplusPicture&>(*sky).Density(), 2);
        if (dpi == 192) {
            GdiplusCanvas whole(2, 2, nullptr, nullptr, 2), part(2, 2, nullptr, nullptr, 2);
            DrawPictureAt(whole, *sky, 0, 0);
            EXPECT_EQ(LargestShownDifference(whole, expected), 0);
            part.DrawPicturePart(*sky, {0, 0, 2, 1}, {0, 0, 2, 1}, {}); // its top half
            EXPECT_EQ(part.PixelAt(3, 1), expected.PixelAt(3, 1));
            EXPECT_EQ(part.PixelAt(3, 2), 0u);
        }
    }
    EXPECT_EQ(dynamic_cast<const GdiplusPicture&>(*atStandard.Load(path)).Density(), 1);

    // Without the double picture the picture itself; back again, it shows at the next load.
    GdiplusPictureSource dense(192);
    ASSERT_EQ(dynamic_cast<const GdiplusPicture&>(*dense.Load(path)).Density(), 2);
    ASSERT_TRUE(DeleteFileA((twice + "Sky.png").c_str()));
    const std::unique_ptr<Picture> fallback = dense.Load(path);
    EXPECT_EQ(dynamic_cast<const GdiplusPicture&>(*fallback).Density(), 1);
    GdiplusCanvas canvas(2, 2, nullptr, nullptr, 2);
    DrawPictureAt(canvas, *fallback, 0, 0);
    EXPECT_EQ(canvas.PixelAt(1, 1), MakeArgb(255, 200, 30, 30));
    Write(twice + "Sky.png", MixedPng);
    EXPECT_EQ(dynamic_cast<const GdiplusPicture&>(*dense.Load(path)).Density(), 2);
    // A double picture drawn through a matrix once keeps its pixels.
    const std::unique_ptr<Picture> recolored =
        dense.Recolored(*dense.Load(path), TintMatrix({128, 64, 0, 255}));
    ASSERT_NE(recolored, nullptr);
    EXPECT_EQ(recolored->Width(), 2);
    EXPECT_EQ(dynamic_cast<const GdiplusPicture&>(*recolored).Density(), 2);

    DeleteFileA((twice + "Sky.png").c_str());
    DeleteFileA(path.c_str());
    for (const std::string& folder : {twice, single, set})
        RemoveDirectoryA(folder.c_str());
}

} // namespace
