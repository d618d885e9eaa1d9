#include "core/face/MainFace.h"
#include "native/fakes/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace meltemix;

namespace {

using Lines = std::vector<std::string>;

RecordingPictureSource MainSet() {
    RecordingPictureSource source;
    source.Add("Colorize\\Top.png", 195, 20);
    source.Add("Colorize\\Mid.png", 195, 10);
    source.Add("Colorize\\Base.png", 195, 24);
    source.Add("Colorize\\Top Overlay.png", 195, 20);
    source.Add("Colorize\\Mid Overlay.png", 195, 10);
    source.Add("Colorize\\Base Overlay.png", 195, 24);
    source.Add("UI\\Reflection.png", 181, 60);
    source.Add("UI\\Close.png", 18, 18);
    source.Add("UI\\Less.png", 18, 18);
    source.Add("UI\\Options.png", 58, 18);
    source.Add("UI\\Grid.png", 191, 113);
    for (const char* big : {"Earth", "Sun", "None", "Many Clouds", "Clouds"})
        source.Add(std::string("Big\\") + big + ".png", 174, 149);
    for (int n = 0; n <= 28; ++n) {
        source.Add("Moons\\" + std::to_string(n) + ".png", 174, 149);
        source.Add("Tiny\\Moons\\" + std::to_string(n) + ".png", 61, 34);
    }
    for (const char* tiny : {"Sun", "Showers", "Clouds", "Thunderstorms", "Blinmiyor", "Snow"})
        source.Add(std::string("Tiny\\") + tiny + ".png", 61, 34);
    return source;
}

// Istanbul on a December afternoon.
MainFaceInputs Afternoon() {
    MainFaceInputs in;
    TWeatherReport& r = in.Report;
    r.CityName = "Istanbul";
    r.ConditionCode = "32";
    r.Temperature = "21";
    r.Sunrise = "6:47 am";
    r.Sunset = "4:40 pm";
    r.ConditionDate = "Mon, 07 Dec 2026 1:50 pm EET";
    r.Forecast = {{{"Mon", "9", "14", "32"},
                   {"Tue", "8", "12", "11"},
                   {"Wed", "-3", "2", "14"},
                   {"Thu", "", "", ""},
                   {"Fri", "5", "10", "3200"}}};
    in.StatusText = "Istanbul";
    in.GridShown = true;
    in.Growth = 4.0f;
    in.MoonIndex = 14;
    in.MoonPhasePercent = 45;
    in.InfoText = "Açık";
    return in;
}

Lines Painted(RecordingPictureSource& source, const MainFaceInputs& in,
              MainFaceResult* result = nullptr) {
    const MainPictures pictures = MainPictures::Load(source);
    RecordingCanvas canvas(MainLayout::Width, MainLayout::Height);
    const MainFaceResult r = PaintMainFace(canvas, pictures, source, in);
    if (result)
        *result = r;
    return canvas.Lines();
}

Lines Pictures(const Lines& lines) {
    Lines pictures;
    for (const std::string& line : lines)
        if (line.compare(0, 8, "picture ") == 0 && line.find("Colorize") == std::string::npos &&
            line.find("Reflection") == std::string::npos)
            pictures.push_back(line);
    return pictures;
}

const char* const SkinAt125[] = {
    "picture Colorize\\Top.png (30,47,195,20) scale(0,0,0,0.47058824) tile",
    "picture Colorize\\Mid.png (30,67,195,12) scale(0,0,0,0.47058824) tile",
    "picture Colorize\\Base.png (30,79,195,24) scale(0,0,0,0.47058824) tile",
    "picture Colorize\\Top Overlay.png (30,47,195,20)",
    "picture UI\\Reflection.png (37,50,181,60)",
    "picture Colorize\\Mid Overlay.png (30,67,195,12) from (0,0,195,9.78) tile",
    "picture Colorize\\Base Overlay.png (30,79,195,24)",
};

TEST(MainFace, BeforeTheFirstReport) {
    RecordingPictureSource source = MainSet();
    MainFaceInputs in;
    in.StatusText = "Bağlantı kuruluyor...";
    MainFaceResult result;
    const Lines lines = Painted(source, in, &result);

    Lines expected(std::begin(SkinAt125), std::end(SkinAt125));
    // 21 letters of 6.5 pixels would start left of 100; at 5 pixels they make 105, one more
    // for the label.
    expected.push_back("text \"Bağlantı kuruluyor...\" (104,94,106,13) Arial -10 far FF000000");
    expected.push_back("text \"Bağlantı kuruluyor...\" (103,93,106,13) Arial -10 far FFFFFFFF");
    expected.push_back("picture Big\\Earth.png (0,0,174,149)");
    expected.push_back("picture Big\\None.png (0,0,174,149)");
    EXPECT_EQ(lines, expected);

    EXPECT_EQ(result.InfoTextHeight, 0);
    EXPECT_FALSE(result.TemperatureRect);
    EXPECT_EQ(result.CityNameRect, (PixelRect{103, 93, 106, 13}));
    EXPECT_FALSE(result.MoonHint);
    for (const auto& hint : result.DayHints)
        EXPECT_FALSE(hint);
}

TEST(MainFace, AReportInFull) {
    RecordingPictureSource source = MainSet();
    MainFaceInputs in = Afternoon();
    in.Active = true;
    in.ExitBtnShown = in.HideBtnShown = in.OptionsBtnShown = true;
    MainFaceResult result;
    const Lines lines = Painted(source, in, &result);
    const Lines expected = {
        "picture Colorize\\Top.png (30,47,195,20) scale(0,0,0,0.47058824) tile",
        "picture Colorize\\Mid.png (30,67,195,40) scale(0,0,0,0.47058824) tile",
        "picture Colorize\\Base.png (30,107,195,24) scale(0,0,0,0.47058824) tile",
        "picture Colorize\\Top Overlay.png (30,47,195,20)",
        "picture UI\\Reflection.png (37,50,181,60)",
        "picture Colorize\\Mid Overlay.png (30,67,195,40) from (0,0,195,9.78) tile",
        "picture Colorize\\Base Overlay.png (30,107,195,24)",
        "picture UI\\Grid.png (36,112,191,113)",
        // Tile 1, today.
        "text \"BUGÜN\" (37,113,61,34) Tahoma -11 center FF000000",
        "text \"BUGÜN\" (36,112,61,34) Tahoma -11 center FFFFFFFF",
        "text \"14°\" (23,153,61,34) Arial -13 bold center FF000000",
        "text \"14°\" (22,152,61,34) Arial -13 bold center FFFFFFFF",
        "text \"9°\" (51,153,61,34) Arial -12 bold center FF000000",
        "text \"9°\" (50,152,61,34) Arial -12 bold center C8FFFFFF",
        "picture Tiny\\Sun.png (36,126,61,34)",
        // Tile 2.
        "text \"YARIN\" (99,113,61,34) Tahoma -11 center FF000000",
        "text \"YARIN\" (98,112,61,34) Tahoma -11 center FFFFFFFF",
        "text \"12°\" (85,153,61,34) Arial -13 bold center FF000000",
        "text \"12°\" (84,152,61,34) Arial -13 bold center FFFFFFFF",
        "text \"8°\" (113,153,61,34) Arial -12 bold center FF000000",
        "text \"8°\" (112,152,61,34) Arial -12 bold center C8FFFFFF",
        "picture Tiny\\Showers.png (98,126,61,34)",
        // Tile 3.
        "text \"ÇRŞ\" (161,113,61,34) Tahoma -11 center FF000000",
        "text \"ÇRŞ\" (160,112,61,34) Tahoma -11 center FFFFFFFF",
        "text \"2°\" (147,153,61,34) Arial -13 bold center FF000000",
        "text \"2°\" (146,152,61,34) Arial -13 bold center FFFFFFFF",
        "text \"-3°\" (175,153,61,34) Arial -12 bold center FF000000",
        "text \"-3°\" (174,152,61,34) Arial -12 bold center C8FFFFFF",
        "picture Tiny\\Snow.png (160,126,61,34)",
        // Tile 4: a day without figures or code.
        "text \"PRŞ\" (37,170,61,34) Tahoma -11 center FF000000",
        "text \"PRŞ\" (36,169,61,34) Tahoma -11 center FFFFFFFF",
        // Tile 5: "not available" has no row.
        "text \"CUM\" (99,170,61,34) Tahoma -11 center FF000000",
        "text \"CUM\" (98,169,61,34) Tahoma -11 center FFFFFFFF",
        "text \"10°\" (85,210,61,34) Arial -13 bold center FF000000",
        "text \"10°\" (84,209,61,34) Arial -13 bold center FFFFFFFF",
        "text \"5°\" (113,210,61,34) Arial -12 bold center FF000000",
        "text \"5°\" (112,209,61,34) Arial -12 bold center C8FFFFFF",
        "picture Tiny\\Blinmiyor.png (98,183,61,34)",
        // The moon tile.
        "picture Tiny\\Moons\\14.png (160,183,61,34)",
        "text \"AY\" (161,170,61,34) Tahoma -11 center FF000000",
        "text \"AY\" (160,169,61,34) Tahoma -11 center FFFFFFFF",
        "text \"%45\" (161,210,61,34) Arial -13 bold center FF000000",
        "text \"%45\" (160,209,61,34) Arial -13 bold center FFFFFFFF",
        // 3 × 21 = 63 wide, so the label is 64 and starts at 221 - 64.
        "text \"21°\" (158,57,64,38) Arial -35 bold far FF000000",
        "text \"21°\" (157,56,64,38) Arial -35 bold far FFFFFFFF",
        "text \"Istanbul\" (157,94,53,16) Arial -13 far FF000000",
        "text \"Istanbul\" (156,93,53,16) Arial -13 far FFFFFFFF",
        "picture Big\\Sun.png (0,0,174,149)",
        "picture Big\\None.png (0,0,174,149)",
        "picture UI\\Close.png (194,41,18,18)",
        "picture UI\\Less.png (177,41,18,18)",
        "picture UI\\Options.png (118,41,58,18)",
    };
    EXPECT_EQ(lines, expected);

    EXPECT_EQ(result.InfoTextHeight, 13);
    EXPECT_EQ(result.DayHints[0], "Açık");
    EXPECT_EQ(result.DayHints[1], "Yağışlı");
    EXPECT_EQ(result.DayHints[2], "Kar yağışlı");
    EXPECT_FALSE(result.DayHints[3]);
    EXPECT_EQ(result.DayHints[4], "Bilinmiyor");
    EXPECT_EQ(result.MoonHint, "Dolunay");
    EXPECT_EQ(result.TemperatureRect, (PixelRect{157, 56, 64, 38}));
    EXPECT_EQ(result.CityNameRect, (PixelRect{156, 93, 53, 16}));
}

TEST(MainFace, FirstTileTitleByTheReportsHour) {
    const std::pair<const char*, const char*> cases[] = {
        {"Mon, 07 Dec 2026 3:59 pm EET", "BUGÜN"},   {"Mon, 07 Dec 2026 4:00 pm EET", "BU GECE"},
        {"Mon, 07 Dec 2026 1:59 am EET", "BU GECE"}, {"Mon, 07 Dec 2026 2:00 am EET", "BUGÜN"},
        {"Mon, 07 Dec 2026 12:00 am EET", "BU GECE"}, {"Mon, 07 Dec 2026 11:59 pm EET", "BU GECE"},
        {"", "BUGÜN"}};
    for (const auto& c : cases)
        EXPECT_EQ(FirstTileTitle(c.first), c.second) << c.first;

    RecordingPictureSource source = MainSet();
    MainFaceInputs in = Afternoon();
    in.Report.ConditionDate = "Mon, 07 Dec 2026 4:00 pm EET";
    const Lines lines = Painted(source, in);
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "text \"BU GECE\" (36,112,61,34) Tahoma -11 center FFFFFFFF"),
              lines.end());
}

TEST(MainFace, BackdropAndBigPicture) {
    struct Case {
        const char* code;
        const char* time;
        const char* sunset;
        int moon;
        const char* backdrop;
        const char* picture;
    };
    const Case cases[] = {
        {"32", "Mon, 07 Dec 2026 1:50 pm EET", "4:40 pm", 9, "Big\\Sun", "Big\\None"},
        {"32", "Mon, 07 Dec 2026 6:47 am EET", "4:40 pm", 9, "Big\\Sun", "Big\\None"},
        {"32", "Mon, 07 Dec 2026 6:46 am EET", "4:40 pm", 9, "Moons\\9", "Big\\None"},
        {"32", "Mon, 07 Dec 2026 4:40 pm EET", "4:40 pm", 9, "Moons\\9", "Big\\None"},
        {"30", "", "4:40 pm", 28, "Moons\\28", "Big\\Clouds"}, // no time: before sunrise
        {"30", "Mon, 07 Dec 2026 1:50 pm EET", "late", 9, "Big\\Earth", "Big\\Clouds"},
        {"26", "Mon, 07 Dec 2026 1:50 pm EET", "4:40 pm", 9, "Big\\None", "Big\\Many Clouds"},
        {"26", "Mon, 07 Dec 2026 9:00 pm EET", "4:40 pm", 9, "Big\\None", "Big\\Many Clouds"},
        {"3200", "Mon, 07 Dec 2026 9:00 pm EET", "4:40 pm", -1, "Moons\\0", "Big\\None"},
        {"3200", "Mon, 07 Dec 2026 1:50 pm EET", "4:40 pm", 3, "Big\\Sun", "Big\\None"},
        {"50", "Mon, 07 Dec 2026 1:50 pm EET", "4:40 pm", 9, "Big\\Earth", "Big\\None"},
        {"abc", "Mon, 07 Dec 2026 1:50 pm EET", "4:40 pm", 9, "Big\\Earth", "Big\\None"},
    };
    for (const Case& c : cases) {
        RecordingPictureSource source = MainSet();
        MainFaceInputs in = Afternoon();
        in.Report.ConditionCode = c.code;
        in.Report.ConditionDate = c.time;
        in.Report.Sunset = c.sunset;
        in.MoonIndex = c.moon;
        const Lines pictures = Pictures(Painted(source, in));
        ASSERT_GE(pictures.size(), 2u);
        const std::string where = std::string(c.code) + " " + c.time;
        EXPECT_EQ(pictures[pictures.size() - 2], std::string("picture ") + c.backdrop +
                                                     ".png (0,0,174,149)")
            << where;
        EXPECT_EQ(pictures.back(), std::string("picture ") + c.picture + ".png (0,0,174,149)")
            << where;
    }
}

TEST(MainFace, TemperatureAndPlaceEndAtTheirRightEdges) {
    RecordingPictureSource source = MainSet();
    const MainPictures pictures = MainPictures::Load(source);
    for (const char* temperature : {"-5", "21", "-12", "7"}) {
        for (const char* place : {"Van", "Kahramanmaraş", "Bağlantı yok"}) {
            MainFaceInputs in = Afternoon();
            in.Report.Temperature = temperature;
            in.StatusText = place;
            RecordingCanvas canvas(MainLayout::Width, MainLayout::Height);
            const MainFaceResult r = PaintMainFace(canvas, pictures, source, in);
            ASSERT_TRUE(r.TemperatureRect);
            EXPECT_EQ(r.TemperatureRect->Left + r.TemperatureRect->Width, 221) << temperature;
            EXPECT_EQ(r.TemperatureRect->Top, 56);
            EXPECT_EQ(r.CityNameRect.Left + r.CityNameRect.Width, 209) << place;
            EXPECT_EQ(r.CityNameRect.Top, 93);
        }
    }

    // Minus five measured 52.5 wide: rounded to the even 52, so the label is 53 wide.
    MainFaceInputs in = Afternoon();
    in.Report.Temperature = "-5";
    RecordingCanvas canvas(MainLayout::Width, MainLayout::Height);
    canvas.textSizes["-5°"] = {52.5f, 40.4f};
    const MainFaceResult r = PaintMainFace(canvas, pictures, source, in);
    EXPECT_EQ(r.TemperatureRect, (PixelRect{168, 56, 53, 41}));
    const Lines lines = canvas.Lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "text \"-5°\" (168,56,53,41) Arial -35 bold far FFFFFFFF"),
              lines.end());
}

// A long place name would run under the big picture and be lost there: it is drawn smaller,
// down to 7 points, as far as it needs to start at x = 100, and still ends at x = 209.
TEST(MainFace, ALongPlaceNameIsDrawnSmaller) {
    RecordingPictureSource source = MainSet();
    const MainPictures pictures = MainPictures::Load(source);
    struct Case {
        const char* place;
        int fontHeight;
        PixelRect rect;
    };
    const Case cases[] = {
        // 16 letters of 6.5 pixels: 104, so the name starts at 104 in its own size.
        {"Şanlıurfa Merkez", -13, {104, 93, 105, 16}},
        // One more letter would start at 98: a pixel smaller, 6 per letter.
        {"Şanlıurfa Merkezi", -12, {106, 93, 103, 15}},
        {"Kahramanmaraş Büyükşehir", -9, {100, 93, 109, 12}},
        // Too long even at 7 points: it keeps that size and runs on to the left.
        {"Kahramanmaraş Büyükşehir Belediyesi", -9, {50, 93, 159, 12}},
    };
    for (const Case& c : cases) {
        MainFaceInputs in = Afternoon();
        in.StatusText = c.place;
        in.CityFontName = "Verdana";
        RecordingCanvas canvas(MainLayout::Width, MainLayout::Height);
        const MainFaceResult r = PaintMainFace(canvas, pictures, source, in);
        EXPECT_EQ(r.CityNameRect, c.rect) << c.place;
        const std::string drawn = "text \"" + std::string(c.place) + "\" (" +
                                  std::to_string(c.rect.Left) + ",93," +
                                  std::to_string(c.rect.Width) + "," +
                                  std::to_string(c.rect.Height) + ") Verdana " +
                                  std::to_string(c.fontHeight) + " far FFFFFFFF";
        const Lines lines = canvas.Lines();
        EXPECT_NE(std::find(lines.begin(), lines.end(), drawn), lines.end()) << drawn;
    }
}

TEST(MainFace, FontsFollowTheSettings) {
    RecordingPictureSource source = MainSet();
    MainFaceInputs in = Afternoon();
    in.TempFontName = "Verdana";
    in.CityFontName = "Georgia";
    const Lines lines = Painted(source, in);
    const auto has = [&lines](const std::string& part) {
        return std::any_of(lines.begin(), lines.end(),
                           [&part](const std::string& l) { return l.find(part) != std::string::npos; });
    };
    EXPECT_TRUE(has("\"21°\" (157,56,64,38) Verdana -35 bold far"));
    EXPECT_TRUE(has("\"Istanbul\" (156,93,53,16) Georgia -13 far"));
}

TEST(MainFace, ButtonsOnlyWhileActiveAndShown) {
    RecordingPictureSource source = MainSet();
    MainFaceInputs in = Afternoon();
    in.ExitBtnShown = in.HideBtnShown = in.OptionsBtnShown = true;
    Lines pictures = Pictures(Painted(source, in));
    EXPECT_EQ(pictures.back(), "picture Big\\None.png (0,0,174,149)"); // not active: none

    in.Active = true;
    in.HideBtnShown = false; // no tray icon
    pictures = Pictures(Painted(source, in));
    ASSERT_GE(pictures.size(), 2u);
    EXPECT_EQ(pictures[pictures.size() - 2], "picture UI\\Close.png (194,41,18,18)");
    EXPECT_EQ(pictures.back(), "picture UI\\Options.png (118,41,58,18)");

    in.ExitBtnShown = in.OptionsBtnShown = false; // connecting
    pictures = Pictures(Painted(source, in));
    EXPECT_EQ(pictures.back(), "picture Big\\None.png (0,0,174,149)");
}

TEST(MainFace, TheFocusMarkIsAThinFrameDrawnLast) {
    RecordingPictureSource source = MainSet();
    MainFaceInputs in = Afternoon();
    for (const std::string& line : Painted(source, in))
        EXPECT_NE(line.compare(0, 5, "fill "), 0) << line; // no keyboard focus: no mark
    in.FocusMark = PixelRect{36, 112, 61, 57};
    const Lines lines = Painted(source, in);
    ASSERT_GE(lines.size(), 8u);
    const Lines mark(lines.end() - 8, lines.end());
    const Lines expected = {
        "fill (35,111,63,1) 82000000", "fill (35,169,63,1) 82000000",
        "fill (35,112,1,57) 82000000", "fill (97,112,1,57) 82000000",
        "fill (36,112,61,1) EBFFFFFF", "fill (36,168,61,1) EBFFFFFF",
        "fill (36,113,1,55) EBFFFFFF", "fill (96,113,1,55) EBFFFFFF",
    };
    EXPECT_EQ(mark, expected);
}

TEST(MainFace, TilesOfOddReports) {
    RecordingPictureSource source = MainSet();
    MainFaceInputs in = Afternoon();
    in.Report.DaysBehind = true; // the feed's days are a day behind: each label moves on
    in.Report.Forecast[1].Code = "abc";
    in.Report.Forecast[2].Day = "Someday"; // no title
    in.Report.Sunrise.clear();             // no moon tile
    MainFaceResult result;
    const Lines lines = Painted(source, in, &result);
    const auto has = [&lines](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(has("text \"YARIN\" (98,112,61,34) Tahoma -11 center FFFFFFFF"));
    EXPECT_TRUE(has("text \"CUM\" (36,169,61,34) Tahoma -11 center FFFFFFFF"));  // Thu + 1
    EXPECT_TRUE(has("text \"CMT\" (98,169,61,34) Tahoma -11 center FFFFFFFF"));  // Fri + 1
    EXPECT_FALSE(has("text \"ÇRŞ\" (160,112,61,34) Tahoma -11 center FFFFFFFF"));
    EXPECT_TRUE(has("picture Tiny\\Thunderstorms.png (98,126,61,34)")); // not a number: row 0
    EXPECT_EQ(result.DayHints[1], "Bilinmiyor");
    EXPECT_FALSE(result.MoonHint);
    for (const std::string& line : lines)
        EXPECT_EQ(line.find("Moons"), std::string::npos) << line;

    in.Report.Sunrise = "6:47 am";
    in.MoonIndex = 28; // the new moon again
    Painted(source, in, &result);
    EXPECT_EQ(result.MoonHint, "Yeni Ay");
}

TEST(MainFace, InfoTextHeightInTheLabelsFont) {
    RecordingCanvas canvas(10, 10);
    EXPECT_EQ(MeasureInfoTextHeight(canvas, ""), 0);
    EXPECT_EQ(MeasureInfoTextHeight(canvas, "Açık"), 13);
    EXPECT_EQ(MeasureInfoTextHeight(canvas, "Açık\r\nNem oranı: %67"), 26);
    canvas.textSizes["x"] = {5, 13.5f};
    EXPECT_EQ(MeasureInfoTextHeight(canvas, "x"), 14); // 13.5 rounds to the even 14
    canvas.textSizes["y"] = {5, 12.5f};
    EXPECT_EQ(MeasureInfoTextHeight(canvas, "y"), 12);
}

TEST(MainFace, RepaintsOnANewCanvasWithTheWindowAlpha) {
    RecordingPictureSource source = MainSet();
    RecordingWindow window;
    MainFace face(window, source);
    const std::size_t fixedLoads = source.loads.size();
    EXPECT_EQ(fixedLoads, 14u); // seven skin slices, three buttons, the grid, three backdrops

    face.RebuildFace(Afternoon(), 0);
    face.RebuildFace(Afternoon(), 0);
    EXPECT_EQ(window.canvasesMade, 2);
    EXPECT_EQ(window.lastWidth, 233);
    EXPECT_EQ(window.lastHeight, 248);
    // Only the pictures that change with the weather are read again.
    for (std::size_t i = fixedLoads; i < source.loads.size(); ++i) {
        const std::string& path = source.loads[i];
        EXPECT_TRUE(path.find("\\Tiny\\") != std::string::npos ||
                    path.find("\\Big\\") != std::string::npos)
            << path;
    }

    face.UpdateLayered(137);
    EXPECT_EQ(window.events, (Lines{"alpha 0", "alpha 0", "alpha 137"}));
    EXPECT_EQ(window.canvasesMade, 2);

    face.RepaintSkinOnly(SkinSettings{}, 1.5f, 255);
    Lines expected(std::begin(SkinAt125), std::end(SkinAt125));
    expected[1] = "picture Colorize\\Mid.png (30,67,195,15) scale(0,0,0,0.47058824) tile";
    expected[2] = "picture Colorize\\Base.png (30,82,195,24) scale(0,0,0,0.47058824) tile";
    expected[5] = "picture Colorize\\Mid Overlay.png (30,67,195,15) from (0,0,195,9.78) tile";
    expected[6] = "picture Colorize\\Base Overlay.png (30,82,195,24)";
    expected.push_back("picture Big\\Earth.png (0,0,174,149)");
    EXPECT_EQ(window.LastLines(), expected);
    EXPECT_EQ(window.events.back(), "alpha 255");
}

} // namespace
