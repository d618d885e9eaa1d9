#include "core/skin/Fade.h"
#include "core/skin/Skin.h"
#include "native/fakes/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace meltemix;

namespace {

using Lines = std::vector<std::string>;

// Slices whose heights differ, so that every offset in the expectations tells which
// picture it came from.
RecordingPictureSource SkinSet(int midHeight = 10) {
    RecordingPictureSource source;
    source.Add("Colorize\\Top.png", 195, 20);
    source.Add("Colorize\\Mid.png", 195, midHeight);
    source.Add("Colorize\\Base.png", 195, 24);
    source.Add("Colorize\\Top Overlay.png", 195, 21);
    source.Add("Colorize\\Mid Overlay.png", 195, midHeight);
    source.Add("Colorize\\Base Overlay.png", 195, 25);
    source.Add("UI\\Reflection.png", 181, 60);
    return source;
}

Lines Paint(RecordingPictureSource& source, const SkinPlacement& placement,
            const SkinSettings& settings) {
    const SkinPictures pictures = SkinPictures::Load(source);
    RecordingCanvas canvas(233, 248);
    PaintSkin(canvas, pictures, placement, settings);
    return canvas.Lines();
}

SkinSettings Preset(std::uint8_t background) {
    SkinSettings s;
    s.Background = background;
    return s;
}

TEST(SkinPreset, TintAndAlphaOfEachPreset) {
    struct Case {
        SkinSettings settings;
        int red, green, blue, alpha;
    };
    SkinSettings own = Preset(4);
    own.BackColor = 0x00336699; // blue 0x33, green 0x66, red 0x99
    own.GlassOpacity = 77;
    SkinSettings glass = own;
    glass.GlassEffect = true;
    SkinSettings clear = glass;
    clear.GlassOpacity = 0;
    SkinSettings beyond = own;
    beyond.Background = 200;
    const Case cases[] = {{Preset(1), 0, 0, 0, 0},          {Preset(2), 0, 0, 0, 120},
                          {Preset(3), 128, 64, 0, 255},     {own, 0x99, 0x66, 0x33, 255},
                          {glass, 0x99, 0x66, 0x33, 77},    {clear, 0x99, 0x66, 0x33, 0},
                          {beyond, 0x99, 0x66, 0x33, 255}};
    for (const Case& c : cases) {
        const auto tint = PresetTint(c.settings);
        ASSERT_TRUE(tint) << int(c.settings.Background);
        EXPECT_EQ(tint->Red, c.red) << int(c.settings.Background);
        EXPECT_EQ(tint->Green, c.green) << int(c.settings.Background);
        EXPECT_EQ(tint->Blue, c.blue) << int(c.settings.Background);
        EXPECT_EQ(tint->Alpha, c.alpha) << int(c.settings.Background);
    }
    EXPECT_FALSE(PresetTint(Preset(0)));
}

TEST(SkinPreset, MatrixFactorsInSinglePrecision) {
    const ColorMatrix coffee = TintMatrix({128, 64, 0, 120});
    EXPECT_EQ(coffee[0][0], 1.0039216f);
    EXPECT_EQ(coffee[1][1], 0.5019608f);
    EXPECT_EQ(coffee[2][2], 0.0f);
    EXPECT_EQ(coffee[3][3], 0.47058824f);
    EXPECT_EQ(coffee[4][4], 1.0f);
    EXPECT_EQ(TintMatrix({0, 0, 0, 150})[3][3], 0.5882353f);

    const ColorMatrix white = TintMatrix({255, 255, 255, 255});
    EXPECT_EQ(white[0][0], 2.0f);
    EXPECT_EQ(white[1][1], 2.0f);
    EXPECT_EQ(white[2][2], 2.0f);
    EXPECT_EQ(white[3][3], 1.0f);
    // Only the diagonal: no channel leaks into another and nothing is added.
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < 5; ++column) {
            if (row != column) {
                EXPECT_EQ(white[row][column], 0.0f) << row << "," << column;
            }
        }
    }
}

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
    const std::pair<double, int> cases[] = {{12.5, 12}, {17.5, 18}, {0.5, 0},   {1.5, 2},
                                            {2.4999, 2}, {2.5001, 3}, {-0.5, 0}, {-1.5, -2},
                                            {-2.6, -3}, {40.0, 40}};
    for (const auto& c : cases)
        EXPECT_EQ(RoundHalfEven(c.first), c.second) << c.first;
}

TEST(PaintSkin, MainWindowGrowthStretchesTheMiddleSlices) {
    RecordingPictureSource source = SkinSet();
    const Lines small = Paint(source, MainSkinPlacement(1.25f), Preset(2));
    const Lines expected = {
        "picture Colorize\\Top.png (30,47,195,20) scale(0,0,0,0.47058824) tile",
        "picture Colorize\\Mid.png (30,67,195,12) scale(0,0,0,0.47058824) tile",
        "picture Colorize\\Base.png (30,79,195,24) scale(0,0,0,0.47058824) tile",
        "picture Colorize\\Top Overlay.png (30,47,195,21)",
        "picture UI\\Reflection.png (37,50,181,60)",
        "picture Colorize\\Mid Overlay.png (30,68,195,12) from (0,0,195,9.78) tile",
        "picture Colorize\\Base Overlay.png (30,80,195,25)",
    };
    EXPECT_EQ(small, expected);

    const Lines grown = Paint(source, MainSkinPlacement(4.0f), Preset(2));
    ASSERT_EQ(grown.size(), 7u);
    EXPECT_EQ(grown[1], "picture Colorize\\Mid.png (30,67,195,40) scale(0,0,0,0.47058824) tile");
    EXPECT_EQ(grown[2], "picture Colorize\\Base.png (30,107,195,24) scale(0,0,0,0.47058824) tile");
    EXPECT_EQ(grown[5],
              "picture Colorize\\Mid Overlay.png (30,68,195,40) from (0,0,195,9.78) tile");
    EXPECT_EQ(grown[6], "picture Colorize\\Base Overlay.png (30,108,195,25)");

    // 14 × 1.25 = 17.5 rounds up to the even 18, where 12.5 rounded down.
    RecordingPictureSource odd = SkinSet(14);
    EXPECT_EQ(Paint(odd, MainSkinPlacement(1.25f), Preset(2))[1],
              "picture Colorize\\Mid.png (30,67,195,18) scale(0,0,0,0.47058824) tile");
}

TEST(PaintSkin, MissingPicturesMoveTheSlicesBelowThemUp) {
    RecordingPictureSource source = SkinSet();
    source.sizes.erase("Contents\\Resources\\Colorize\\Top.png");
    source.sizes.erase("Contents\\Resources\\Colorize\\Mid Overlay.png");
    const Lines lines = Paint(source, MainSkinPlacement(1.25f), Preset(2));
    const Lines expected = {
        "picture Colorize\\Mid.png (30,47,195,12) scale(0,0,0,0.47058824) tile",
        "picture Colorize\\Base.png (30,59,195,24) scale(0,0,0,0.47058824) tile",
        "picture Colorize\\Top Overlay.png (30,47,195,21)",
        "picture UI\\Reflection.png (37,50,181,60)",
        "picture Colorize\\Base Overlay.png (30,68,195,25)",
    };
    EXPECT_EQ(lines, expected);
}

TEST(PaintSkin, PresetsWithoutAVisiblePanel) {
    RecordingPictureSource source = SkinSet();
    EXPECT_TRUE(Paint(source, MainSkinPlacement(4.0f), Preset(0)).empty());

    const Lines thin = Paint(source, MainSkinPlacement(1.25f), Preset(1));
    const Lines overlaysOnly = {
        "picture Colorize\\Top Overlay.png (30,47,195,21)",
        "picture UI\\Reflection.png (37,50,181,60)",
        "picture Colorize\\Mid Overlay.png (30,68,195,12) from (0,0,195,9.78) tile",
        "picture Colorize\\Base Overlay.png (30,80,195,25)",
    };
    EXPECT_EQ(thin, overlaysOnly);

    SkinSettings glass = Preset(4);
    glass.GlassEffect = true;
    glass.GlassOpacity = 0;
    EXPECT_EQ(Paint(source, MainSkinPlacement(1.25f), glass), overlaysOnly);

    SkinSettings white = Preset(4);
    white.BackColor = 0x00FFFFFF;
    white.GlassOpacity = 0; // ignored without the glass effect
    EXPECT_EQ(Paint(source, MainSkinPlacement(1.25f), white)[0],
              "picture Colorize\\Top.png (30,47,195,20) scale(2,2,2,1) tile");
}

TEST(PaintSkin, InfoPanelFollowsTheTextHeight) {
    RecordingPictureSource source = SkinSet();
    const std::pair<int, const char*> middles[] = {{14, "10"}, {13, "9"}, {15, "11"}, {40, "36"}};
    for (const auto& c : middles) {
        const Lines lines = Paint(source, InfoSkinPlacement(c.first), Preset(2));
        ASSERT_EQ(lines.size(), 7u);
        EXPECT_EQ(lines[1], std::string("picture Colorize\\Mid.png (8,28,195,") + c.second +
                                ") scale(0,0,0,0.47058824) tile")
            << c.first;
        EXPECT_EQ(lines[5], std::string("picture Colorize\\Mid Overlay.png (8,29,195,") +
                                c.second + ") from (0,0,195,9.78) tile")
            << c.first;
    }
    EXPECT_EQ(Paint(source, InfoSkinPlacement(14), Preset(2))[4],
              "picture UI\\Reflection.png (15,11,181,60)");
}

TEST(PaintSkin, EmptyInfoTextDoesNotTurnTheMiddleSlicesOver) {
    // No text measures 0 high: 10 - 14 would be a negative height, drawn mirrored above.
    RecordingPictureSource source = SkinSet();
    const Lines lines = Paint(source, InfoSkinPlacement(0), Preset(2));
    const Lines expected = {
        "picture Colorize\\Top.png (8,8,195,20) scale(0,0,0,0.47058824) tile",
        "picture Colorize\\Mid.png (8,28,195,0) scale(0,0,0,0.47058824) tile",
        "picture Colorize\\Base.png (8,28,195,24) scale(0,0,0,0.47058824) tile",
        "picture Colorize\\Top Overlay.png (8,8,195,21)",
        "picture UI\\Reflection.png (15,11,181,60)",
        "picture Colorize\\Mid Overlay.png (8,29,195,0) from (0,0,195,9.78) tile",
        "picture Colorize\\Base Overlay.png (8,29,195,25)",
    };
    EXPECT_EQ(lines, expected);
}

TEST(PaintSkin, AboutPanelIsMilkCoffeeAtFixedWidths) {
    RecordingPictureSource source = SkinSet();
    const SkinPictures pictures = SkinPictures::Load(source);
    RecordingCanvas canvas(329, 249);
    PaintSkin(canvas, pictures, AboutSkinPlacement(), PresetTint(Preset(MilkCoffeePreset)));
    const Lines expected = {
        "picture Colorize\\Top.png (4,8,321,20) scale(1.0039216,0.5019608,0,1) tile",
        "picture Colorize\\Mid.png (4,28,321,45) scale(1.0039216,0.5019608,0,1) tile",
        "picture Colorize\\Base.png (4,73,321,24) scale(1.0039216,0.5019608,0,1) tile",
        "picture Colorize\\Top Overlay.png (4,8,321,21)",
        "picture UI\\Reflection.png (14,11,300,60)",
        "picture Colorize\\Mid Overlay.png (4,29,321,45) from (0,0,195,9.78)",
        "picture Colorize\\Base Overlay.png (4,74,321,25)",
    };
    EXPECT_EQ(canvas.Lines(), expected);
}

TEST(PaintSkin, SlicesTintedOncePerLook) {
    RecordingPictureSource source = SkinSet();
    const SkinPictures pictures = SkinPictures::Load(source);
    const auto paint = [&](const SkinSettings& settings, float growth = 4.0f) {
        RecordingCanvas canvas(233, 248);
        PaintSkin(canvas, pictures, MainSkinPlacement(growth), settings);
        return canvas.Lines();
    };
    const Lines tinted = {"Contents\\Resources\\Colorize\\Top.png",
                          "Contents\\Resources\\Colorize\\Mid.png",
                          "Contents\\Resources\\Colorize\\Base.png"};

    // The unrolling repaints one look many times at growing sizes.
    const Lines first = paint(Preset(2), 1.25f);
    for (float growth = 1.5f; growth <= 4.0f; growth += 0.25f)
        paint(Preset(2), growth);
    EXPECT_EQ(source.recolorings, tinted);
    // Drawn as they are: what reaches the canvas is one pass of the matrix.
    EXPECT_EQ(first[0], "picture Colorize\\Top.png (30,47,195,20) scale(0,0,0,0.47058824) tile");

    SkinSettings own = Preset(4);
    own.BackColor = 0x00A05020;
    source.recolorings.clear();
    paint(own);
    EXPECT_EQ(source.recolorings.size(), 3u) << "another preset";
    own.GlassOpacity = 40; // no glass: still opaque, still the same look
    paint(own);
    EXPECT_EQ(source.recolorings.size(), 3u);
    own.GlassEffect = true;
    paint(own);
    EXPECT_EQ(source.recolorings.size(), 6u) << "another opacity";
    own.BackColor = 0x00A05021;
    paint(own);
    EXPECT_EQ(source.recolorings.size(), 9u) << "another colour";
    paint(Preset(1)); // nothing tinted to draw
    paint(Preset(0));
    EXPECT_EQ(source.recolorings.size(), 9u);
    own.BackColor = 0x00A05020;
    paint(own);
    EXPECT_EQ(source.recolorings.size(), 12u) << "back to an earlier look";

    // A source that cannot recolour: the same painting, through the matrix each time.
    RecordingPictureSource plain = SkinSet();
    plain.recolors = false;
    RecordingPictureSource baked = SkinSet();
    for (std::uint8_t preset = 0; preset <= 4; ++preset)
        EXPECT_EQ(Paint(plain, MainSkinPlacement(4.0f), Preset(preset)),
                  Paint(baked, MainSkinPlacement(4.0f), Preset(preset)))
            << int{preset};
}

TEST(DrawShadowText, BlackOneDownRightThenTheColour) {
    RecordingCanvas canvas(100, 100);
    const FontSpec font{"Tahoma", -11, false};
    DrawShadowText(canvas, "AY", {160, 169, 61, 34}, font, TextAlign::Center, 0xC8FFFFFF);
    const Lines expected = {"text \"AY\" (161,170,61,34) Tahoma -11 center FF000000",
                            "text \"AY\" (160,169,61,34) Tahoma -11 center C8FFFFFF"};
    EXPECT_EQ(canvas.Lines(), expected);
}

// Fades.

struct FadeLog : WindowVisibility {
    bool visible = false;
    std::vector<std::string> events;
    FadeHooks hooks{[this](std::uint8_t a) { events.push_back(std::to_string(a)); },
                    [this](unsigned ms) { events.push_back("z" + std::to_string(ms)); }};
    bool IsVisible() const override { return visible; }
    void Show() override {
        visible = true;
        events.push_back("show");
    }
    void Hide() override {
        visible = false;
        events.push_back("hide");
    }
};

Lines Ramp(int from, int to, int step) {
    Lines lines;
    for (int a = from + step; step > 0 ? a < to : a > to; a += step) {
        lines.push_back(std::to_string(a));
        lines.push_back("z2");
    }
    lines.push_back(std::to_string(to));
    return lines;
}

TEST(Fade, FifteenHandOversEachWay) {
    FadeLog log;
    std::uint8_t alpha = 0;
    FadeIn(true, alpha, FadeStep, FadeDelayMs, 255, log.hooks);
    EXPECT_EQ(alpha, 255);
    EXPECT_EQ(log.events, Ramp(0, 255, 18));
    EXPECT_EQ(log.events.front(), "18");
    EXPECT_EQ(log.events[log.events.size() - 3], "252");
    EXPECT_EQ(std::count_if(log.events.begin(), log.events.end(),
                            [](const std::string& e) { return e[0] != 'z'; }),
              15);

    log.events.clear();
    FadeOut(true, alpha, FadeStep, FadeDelayMs, 0, log.hooks);
    EXPECT_EQ(alpha, 0);
    EXPECT_EQ(log.events, Ramp(255, 0, -18));
    EXPECT_EQ(log.events[log.events.size() - 3], "3");
}

TEST(Fade, PartialRampsAndNoRamps) {
    FadeLog log;
    std::uint8_t alpha = 250;
    FadeIn(true, alpha, FadeStep, FadeDelayMs, 255, log.hooks);
    EXPECT_EQ(log.events, Lines{"255"});

    log.events.clear();
    alpha = 255;
    FadeIn(true, alpha, FadeStep, FadeDelayMs, 255, log.hooks); // already there
    alpha = 0;
    FadeIn(false, alpha, FadeStep, FadeDelayMs, 255, log.hooks); // fading switched off
    FadeOut(false, alpha = 200, FadeStep, FadeDelayMs, 0, log.hooks);
    EXPECT_TRUE(log.events.empty());
    EXPECT_EQ(alpha, 200);

    alpha = 100;
    FadeOut(true, alpha, FadeStep, FadeDelayMs, 90, log.hooks);
    EXPECT_EQ(log.events, Lines{"90"});
}

TEST(Fade, ShowAndHideOfTheSmallWindows) {
    FadeLog log;
    std::uint8_t alpha = 0;
    ShowFaded(log, true, alpha, log.hooks);
    Lines expected = {"show"};
    for (const std::string& e : Ramp(0, 255, 18))
        expected.push_back(e);
    EXPECT_EQ(log.events, expected);

    log.events.clear();
    ShowFaded(log, true, alpha, log.hooks); // already visible
    EXPECT_TRUE(log.events.empty());

    HideFaded(log, false, alpha, log.hooks);
    EXPECT_EQ(log.events, (Lines{"0", "hide"})); // transparent before it goes
    EXPECT_EQ(alpha, 0);

    log.events.clear();
    HideFaded(log, true, alpha, log.hooks); // already hidden
    EXPECT_TRUE(log.events.empty());

    // Faded out, then shown with the fade switched off: opaque at once.
    ShowFaded(log, false, alpha, log.hooks);
    EXPECT_EQ(log.events, (Lines{"show", "255"}));

    log.events.clear();
    HideFaded(log, true, alpha, log.hooks);
    expected = Ramp(255, 0, -18);
    expected.push_back("hide");
    EXPECT_EQ(log.events, expected);
}

} // namespace
