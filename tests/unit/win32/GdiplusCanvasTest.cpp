#include "core/skin/Skin.h"
#include "win32/platform/GdiplusCanvas.h"
#include "win32/platform/GdiplusSession.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

using namespace meltemix;

namespace {

// A 4 × 4 PNG, every pixel mid-grey (128, 128, 128) and opaque.
const unsigned char GreyPng[] = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44,
    0x52, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x04, 0x08, 0x06, 0x00, 0x00, 0x00, 0xa9,
    0xf1, 0x9e, 0x7e, 0x00, 0x00, 0x00, 0x12, 0x49, 0x44, 0x41, 0x54, 0x78, 0xda, 0x63, 0x68,
    0x68, 0x68, 0xf8, 0x8f, 0x8c, 0x19, 0x48, 0x17, 0x00, 0x00, 0x42, 0x87, 0x27, 0xf1, 0x60,
    0xb6, 0xf0, 0x2e, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};

int Alpha(Argb c) { return static_cast<int>(c >> 24 & 0xFF); }
int Red(Argb c) { return static_cast<int>(c >> 16 & 0xFF); }
int Green(Argb c) { return static_cast<int>(c >> 8 & 0xFF); }
int Blue(Argb c) { return static_cast<int>(c & 0xFF); }

// The box around every pixel with any ink; empty (left > right) when there is none.
struct InkBox {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    bool Empty() const { return right < left; }
};

InkBox Ink(const GdiplusCanvas& canvas) {
    InkBox box;
    for (int y = 0; y < canvas.PixelHeight(); ++y)
        for (int x = 0; x < canvas.PixelWidth(); ++x)
            if (Alpha(canvas.PixelAt(x, y)) != 0) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
            }
    return box;
}

class GdiplusCanvasTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        session_ = new GdiplusSession;
        char folder[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        greyPath_ = std::string(folder) + "meltemix-grey-" + std::to_string(GetCurrentProcessId()) +
                    ".png";
        if (FILE* file = std::fopen(greyPath_.c_str(), "wb")) {
            std::fwrite(GreyPng, 1, sizeof GreyPng, file);
            std::fclose(file);
        }
    }
    static void TearDownTestSuite() {
        DeleteFileA(greyPath_.c_str());
        delete session_;
        session_ = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(session_->Started()); }

    static GdiplusSession* session_;
    static std::string greyPath_;
    GdiplusPictureSource pictures_;
};

GdiplusSession* GdiplusCanvasTest::session_ = nullptr;
std::string GdiplusCanvasTest::greyPath_;

const FontSpec Tahoma{"Tahoma", -11, false};

TEST_F(GdiplusCanvasTest, MissingPictureIsEmptyAndDrawsNothing) {
    const std::unique_ptr<Picture> missing = pictures_.Load("Contents\\Resources\\No\\Such.png");
    EXPECT_EQ(missing->Width(), 0);
    EXPECT_EQ(missing->Height(), 0);

    GdiplusCanvas canvas(40, 30);
    EXPECT_TRUE(Ink(canvas).Empty()); // a new canvas is fully transparent
    canvas.DrawPicture(*missing, {0, 0, 40, 30}, {});
    DrawAttributes tinted;
    tinted.Matrix = TintMatrix({255, 255, 255, 255});
    tinted.TileEdges = true;
    canvas.DrawPicturePart(*missing, {0, 0, 40, 30}, {0, 0, 4, 4}, tinted);
    EXPECT_TRUE(Ink(canvas).Empty());
}

TEST_F(GdiplusCanvasTest, TintedGreyComesOutInTheTint) {
    const std::unique_ptr<Picture> grey = pictures_.Load(greyPath_);
    ASSERT_EQ(grey->Width(), 4);
    ASSERT_EQ(grey->Height(), 4);

    GdiplusCanvas canvas(40, 40);
    DrawAttributes coffee;
    coffee.Matrix = TintMatrix({128, 64, 0, 255});
    coffee.TileEdges = true;
    canvas.DrawPicture(*grey, {0, 0, 20, 20}, coffee);
    const Argb inside = canvas.PixelAt(10, 10);
    EXPECT_EQ(Alpha(inside), 255);
    EXPECT_NEAR(Red(inside), 128, 1);
    EXPECT_NEAR(Green(inside), 64, 1);
    EXPECT_EQ(Blue(inside), 0);
    // Tiled edges stay as solid as the middle when the picture is stretched.
    EXPECT_EQ(Alpha(canvas.PixelAt(19, 19)), 255);
    EXPECT_EQ(Alpha(canvas.PixelAt(20, 20)), 0);

    DrawAttributes white;
    white.Matrix = TintMatrix({255, 255, 255, 120}); // twice as bright, translucent
    canvas.DrawPicture(*grey, {20, 20, 8, 8}, white);
    const Argb glass = canvas.PixelAt(24, 24);
    EXPECT_NEAR(Alpha(glass), 120, 1);
    EXPECT_GE(Red(glass), 254);
    EXPECT_GE(Green(glass), 254);
    EXPECT_GE(Blue(glass), 254);

    // A part of the picture into a rectangle, without attributes.
    canvas.DrawPicturePart(*grey, {30, 0, 6, 6}, {0, 0, 2, 2}, {});
    const Argb plain = canvas.PixelAt(33, 3);
    EXPECT_EQ(Alpha(plain), 255);
    EXPECT_NEAR(Red(plain), 128, 1);
}

TEST_F(GdiplusCanvasTest, TextIsDrawnInsideItsRectangle) {
    GdiplusCanvas canvas(200, 80);
    canvas.DrawString("Meltemix! Bilgi", {10, 20, 150, 20}, Tahoma, White, TextAlign::Near);
    const InkBox nearInk = Ink(canvas);
    ASSERT_FALSE(nearInk.Empty()) << "no font for Tahoma";
    EXPECT_GE(nearInk.left, 10);
    EXPECT_LT(nearInk.left, 14);
    EXPECT_GE(nearInk.top, 20);
    EXPECT_LE(nearInk.bottom, 39);
    EXPECT_LT(nearInk.right, 160);

    GdiplusCanvas farCanvas(200, 80);
    farCanvas.DrawString("21°", {10, 20, 150, 40}, {"Arial", -35, true}, White, TextAlign::Far);
    const InkBox right = Ink(farCanvas);
    ASSERT_FALSE(right.Empty()) << "no font for Arial";
    EXPECT_GT(right.left, 85);
    EXPECT_LE(right.right, 159);
    EXPECT_GT(right.right, 150);

    // Too long for its rectangle: wrapped and cut off at the rectangle's edges.
    GdiplusCanvas clipped(200, 80);
    clipped.DrawString("Hissedilen sıcaklık: 21° Görüş mesafesi: Sınırsız", {20, 10, 60, 15},
                       Tahoma, White, TextAlign::Center);
    const InkBox cut = Ink(clipped);
    ASSERT_FALSE(cut.Empty());
    EXPECT_GE(cut.left, 20);
    EXPECT_LE(cut.right, 79);
    EXPECT_GE(cut.top, 10);
    EXPECT_LE(cut.bottom, 24);
}

TEST_F(GdiplusCanvasTest, MeasuresWithoutWrapping) {
    GdiplusCanvas canvas(10, 10);
    const SizeF one = canvas.MeasureText("Nem oranı: %67", Tahoma, TextAlign::Center);
    EXPECT_GT(one.Width, 50.0f);
    EXPECT_LT(one.Width, 120.0f);
    EXPECT_GE(one.Height, 11.0f);
    EXPECT_LE(one.Height, 16.0f);

    const SizeF two =
        canvas.MeasureText("Nem oranı: %67\r\nNem oranı: %67", Tahoma, TextAlign::Center);
    EXPECT_NEAR(two.Width, one.Width, 0.5f);
    EXPECT_GT(two.Height, 1.8f * one.Height);

    // Far longer than the canvas is wide, and still one line.
    const std::string longLine(120, 'x');
    const SizeF wide = canvas.MeasureText(longLine, Tahoma, TextAlign::Near);
    EXPECT_GT(wide.Width, 300.0f);
    EXPECT_NEAR(wide.Height, one.Height, 0.5f);

    const SizeF bold = canvas.MeasureText("Meltemix! Bilgi", {"Trebuchet MS", -16, true},
                                          TextAlign::Near);
    EXPECT_GT(bold.Width, 60.0f);
    const SizeF empty = canvas.MeasureText("", Tahoma, TextAlign::Center);
    EXPECT_EQ(empty.Width, 0.0f);
    EXPECT_EQ(empty.Height, 0.0f);
}

TEST_F(GdiplusCanvasTest, TextFitsTheRectangleItWasMeasuredFor) {
    // The faces size each label by measuring its text and draw the text into that label:
    // the text must not wrap there.
    for (const char* text :
         {"Programdaki resimlerin tümü Meltemix!'in kendi çizimleridir.\r\n"
          "Ekran tasarımı cam görünümlü masaüstü araçlarından esinlenmiştir.\r\n"
          "IP adresiniz 127.0.0.1:8642 adresindeki hizmetten öğrenilir.",
          "Ekran tasarımı cam görünümlü masaüstü araçlarından esinlenmiştir.",
          "Version 1.0\r\nMeltemix! Geliştiricileri", "Bağlantı kuruluyor...", "-5°"}) {
        for (const FontSpec& font : {FontSpec{"Trebuchet MS", -9, false}, FontSpec{"Arial", -13, false},
                                     FontSpec{"Arial", -35, true}}) {
            GdiplusCanvas canvas(400, 120);
            const SizeF size = canvas.MeasureText(text, font, TextAlign::Near);
            const PixelRect label = FitLabel(canvas, text, font, TextAlign::Near, 5, 5);
            canvas.DrawString(text, label.ToRectF(), font, White, TextAlign::Near);
            const InkBox ink = Ink(canvas);
            ASSERT_FALSE(ink.Empty()) << text;
            // The widest line reaches its measured width, less the padding the measure adds
            // around the glyphs: nothing wrapped.
            const float reach = std::min(size.Width, 395.0f - 5.0f);
            const float padding = static_cast<float>(-font.Height) / 3 + 2;
            EXPECT_GE(ink.right + padding, 5 + reach) << text << " " << font.Height;
            EXPECT_LE(ink.bottom, 5 + static_cast<int>(size.Height)) << text << " " << font.Height;
        }
    }
}

int LargestDifference(const GdiplusCanvas& a, const GdiplusCanvas& b) {
    int largest = 0;
    for (int y = 0; y < a.PixelHeight(); ++y)
        for (int x = 0; x < a.PixelWidth(); ++x)
            for (int channel : {0, 8, 16, 24})
                largest = std::max(largest, std::abs(static_cast<int>(a.PixelAt(x, y) >> channel & 0xFF) -
                                                     static_cast<int>(b.PixelAt(x, y) >> channel & 0xFF)));
    return largest;
}

TEST_F(GdiplusCanvasTest, KeptTextsDrawAsDrawnAnew) {
    const auto kept = std::make_shared<GdiplusTextResources>(true);
    GdiplusCanvas drawn(200, 90), copied(200, 90, kept);
    const std::unique_ptr<Picture> grey = pictures_.Load(greyPath_);
    DrawAttributes glass;
    glass.Matrix = TintMatrix({40, 90, 200, 150});
    for (GdiplusCanvas* canvas : {&drawn, &copied}) {
        canvas->DrawPicture(*grey, {0, 0, 200, 90}, glass); // text lands on a translucent panel
        for (int pass = 0; pass < 2; ++pass) {              // the second from what was kept
            DrawShadowText(*canvas, "Parçalı Bulutlu\r\nNem oranı: %67", {12, 7, 150, 40}, Tahoma,
                           TextAlign::Center, White);
            DrawShadowText(*canvas, "-5°", {90, 40, 90, 45}, {"Arial", -35, true},
                           TextAlign::Far, MakeArgb(200, 255, 255, 255));
        }
    }
    EXPECT_EQ(LargestDifference(drawn, copied), 0);
    EXPECT_FALSE(Ink(drawn).Empty());
    // Kept from the second drawing on; of its rectangle only the ink.
    const FontSpec big{"Arial", -35, true};
    const GdiplusTextResources::Layout layout{90, 45};
    EXPECT_EQ(kept->Drawn("24°", layout, big, White, TextAlign::Far), nullptr);
    const GdiplusTextResources::Pixels* second =
        kept->Drawn("24°", layout, big, White, TextAlign::Far);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(kept->Drawn("24°", layout, big, White, TextAlign::Far), second);
    EXPECT_GT(second->Ink.Left, 20);
    EXPECT_LT(second->Ink.Width * second->Ink.Height, 90 * 45 / 2);
    EXPECT_EQ(second->Image.Width(), second->Ink.Width);
    kept->NewRepaint();
    kept->NewRepaint(); // a repaint without it
    EXPECT_EQ(kept->Drawn("24°", layout, big, White, TextAlign::Far), nullptr);
    // Between pixels of a denser canvas, a text is kept for where it lands within a pixel.
    const GdiplusTextResources::Layout half{90, 45, 1.5f, 0.5f, 0};
    kept->Drawn("24°", half, big, White, TextAlign::Far);
    const GdiplusTextResources::Pixels* between = kept->Drawn("24°", half, big, White, TextAlign::Far);
    ASSERT_NE(between, nullptr);
    EXPECT_EQ(kept->Drawn("24°", {90, 45, 1.5f, 0, 0}, big, White, TextAlign::Far), nullptr);

    // What a text measures is kept for its font and the canvas's scale.
    GdiplusCanvas measuring(10, 10, kept), denser(10, 10, kept, nullptr, 1.5f);
    const SizeF tahoma = measuring.MeasureText("Nem oranı: %67", Tahoma, TextAlign::Center);
    EXPECT_NE(kept->Measure("Nem oranı: %67", Tahoma, TextAlign::Center, 1), nullptr);
    EXPECT_EQ(kept->Measure("Nem oranı: %67", Tahoma, TextAlign::Center, 1.5f), nullptr);
    const SizeF arial = measuring.MeasureText("Nem oranı: %67", big, TextAlign::Center);
    EXPECT_GT(arial.Width, 1.5f * tahoma.Width);
    EXPECT_EQ(measuring.MeasureText("Nem oranı: %67", Tahoma, TextAlign::Center).Width, tahoma.Width);
    EXPECT_NEAR(denser.MeasureText("Nem oranı: %67", Tahoma, TextAlign::Center).Width, tahoma.Width,
                0.2f * tahoma.Width);
    kept->Clear(); // another density
    EXPECT_EQ(kept->Measure("Nem oranı: %67", Tahoma, TextAlign::Center, 1), nullptr);
}

// At 96 to 192 dpi: the bitmap grows, a picture lands on its rectangle times the scale, and
// text grows with it, drawn where the library draws it on that canvas, alike whether drawn
// anew or copied from what was kept, also between the pixels of a canvas at 125, 150 or 175 %.
TEST_F(GdiplusCanvasTest, DenserCanvasesDrawTheSameLayoutAtTheirScale) {
    const std::unique_ptr<Picture> grey = pictures_.Load(greyPath_);
    int singleHeight = 0;
    for (float scale : {1.0f, 1.25f, 1.5f, 1.75f, 2.0f}) {
        const auto scaled = [scale](int logical) {
            return static_cast<int>(std::floor(logical * scale + 0.5f));
        };
        GdiplusCanvas pictured(20, 12, nullptr, nullptr, scale);
        EXPECT_EQ(pictured.Width(), 20);
        EXPECT_EQ(pictured.PixelWidth(), static_cast<int>(std::lround(20 * scale))) << scale;
        EXPECT_EQ(pictured.PixelHeight(), static_cast<int>(std::lround(12 * scale))) << scale;
        DrawPictureAt(pictured, *grey, 3, 5);
        const InkBox box = Ink(pictured);
        EXPECT_EQ(box.left, scaled(3)) << scale;
        EXPECT_EQ(box.top, scaled(5)) << scale;
        EXPECT_EQ(box.right, scaled(7) - 1) << scale;
        EXPECT_EQ(box.bottom, scaled(9) - 1) << scale;

        for (const float left : {2.0f, 3.0f}) {
            const auto kept = std::make_shared<GdiplusTextResources>(true);
            GdiplusCanvas drawn(100, 30, nullptr, nullptr, scale), first(100, 30, kept, nullptr, scale),
                copied(100, 30, kept, nullptr, scale), library(100, 30, nullptr, nullptr, scale);
            for (GdiplusCanvas* canvas : {&first, &copied}) // the second from what was kept
                canvas->DrawString("Meltemix! Bilgi", {left, 3, 95, 26}, Tahoma, White, TextAlign::Near);
            drawn.DrawString("Meltemix! Bilgi", {left, 3, 95, 26}, Tahoma, White, TextAlign::Near);
            // Off whole layout pixels, the library lays the text out in place.
            library.DrawString("Meltemix! Bilgi", {left, 3, 95.5f, 26}, Tahoma, White,
                               TextAlign::Near);
            ASSERT_NE(kept->Drawn("Meltemix! Bilgi", {95, 26, scale, scale * left - std::floor(scale * left),
                                                      scale * 3 - std::floor(scale * 3)},
                                  Tahoma, White, TextAlign::Near),
                      nullptr);
            EXPECT_EQ(LargestDifference(drawn, copied), 0) << scale;
            EXPECT_LE(LargestDifference(drawn, library), 2) << scale << " at " << left;
            const InkBox text = Ink(drawn);
            ASSERT_FALSE(text.Empty());
            EXPECT_GE(text.top, scaled(3)) << scale;
            const int height = text.bottom - text.top + 1;
            if (scale == 1)
                singleHeight = height;
            // glyphs of the larger size, not the small ones enlarged or left small
            EXPECT_NEAR(height, singleHeight * scale, 0.2 * singleHeight * scale) << scale;
        }
    }
}

// A window's next canvas takes the pixels of the one before, as transparent as fresh ones.
TEST_F(GdiplusCanvasTest, ANewCanvasTakesTheLastOnesPixelsCleared) {
    const auto recycled = std::make_shared<CanvasPixels>();
    const std::unique_ptr<Picture> grey = pictures_.Load(greyPath_);
    const std::uint32_t* first = nullptr;
    {
        GdiplusCanvas canvas(40, 30, nullptr, nullptr, 1.5f, recycled);
        canvas.DrawPicture(*grey, {0, 0, 40, 30}, {});
        canvas.DrawString("Bilgi", {2, 2, 30, 14}, Tahoma, White, TextAlign::Near);
        ASSERT_FALSE(Ink(canvas).Empty());
        first = canvas.Pixels().Bits;
    }
    {
        GdiplusCanvas again(40, 30, nullptr, nullptr, 1.5f, recycled);
        EXPECT_EQ(again.Pixels().Bits, first);
        EXPECT_TRUE(Ink(again).Empty());
        DrawPictureAt(again, *grey, 4, 4);
        EXPECT_EQ(Ink(again).left, 6);
    }
    GdiplusCanvas larger(41, 30, nullptr, nullptr, 1.5f, recycled);
    EXPECT_EQ(larger.PixelWidth(), 62);
    EXPECT_TRUE(Ink(larger).Empty());
}

TEST_F(GdiplusCanvasTest, EveryFaceOfTheWindowsGivesAFont) {
    GdiplusCanvas canvas(10, 10);
    for (const char* face : {"Tahoma", "Arial", "Trebuchet MS", "Impact"}) {
        for (bool bold : {false, true}) {
            const SizeF size = canvas.MeasureText("Meltemix!", {face, -27, bold}, TextAlign::Near);
            EXPECT_GT(size.Width, 40.0f) << face << (bold ? " bold" : "");
            EXPECT_GT(size.Height, 20.0f) << face << (bold ? " bold" : "");
        }
    }
}

} // namespace
