#include "core/face/AboutFace.h"
#include "core/face/InfoFace.h"
#include "native/fakes/MemoryProfileStore.h"
#include "native/fakes/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace meltemix;

namespace {

using Lines = std::vector<std::string>;

RecordingPictureSource Pictures() {
    RecordingPictureSource source;
    source.Add("Colorize\\Top.png", 195, 20);
    source.Add("Colorize\\Mid.png", 195, 10);
    source.Add("Colorize\\Base.png", 195, 24);
    source.Add("Colorize\\Top Overlay.png", 195, 20);
    source.Add("Colorize\\Mid Overlay.png", 195, 10);
    source.Add("Colorize\\Base Overlay.png", 195, 24);
    source.Add("UI\\Reflection.png", 181, 60);
    source.Add("UI\\Close.png", 18, 18);
    source.Add("Moons\\4.png", 120, 110);
    return source;
}

InfoInputs Humidity() {
    InfoInputs in;
    in.Text = "Nem oranı: %67"; // 14 letters: 77 × 13
    in.TextHeight = 13;
    return in;
}

bool Has(const Lines& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

const std::string CloseLine = "picture UI\\Close.png (175,15,18,18)";

// The info window.

TEST(InfoFace, CreatedHiddenAndPaintedOnce) {
    RecordingPictureSource source = Pictures();
    RecordingWindow window;
    InfoFace info(window, source, Humidity());
    EXPECT_EQ(window.events, (Lines{"alpha 0", "normal band"}));
    EXPECT_FALSE(window.visible);
    EXPECT_EQ(window.lastWidth, 209);
    EXPECT_EQ(window.lastHeight, 204);

    const Lines expected = {
        "picture Colorize\\Top.png (8,8,195,20) scale(0,0,0,0.47058824) tile",
        // A text 13 high takes one pixel off both middle slices.
        "picture Colorize\\Mid.png (8,28,195,9) scale(0,0,0,0.47058824) tile",
        "picture Colorize\\Base.png (8,37,195,24) scale(0,0,0,0.47058824) tile",
        "picture Colorize\\Top Overlay.png (8,8,195,20)",
        "picture UI\\Reflection.png (15,11,181,60)",
        "picture Colorize\\Mid Overlay.png (8,28,195,9) from (0,0,195,9.78) tile",
        "picture Colorize\\Base Overlay.png (8,37,195,24)",
        "text \"Nem oranı: %67\" (20,48,172,14) Tahoma -11 center FF000000",
        "text \"Nem oranı: %67\" (19,47,172,14) Tahoma -11 center FFFFFFFF",
        // 15 bold letters of 9.6: 144 wide, 18 high.
        "text \"Meltemix! Bilgi\" (24,17,145,19) Trebuchet MS -16 bold near FF000000",
        "text \"Meltemix! Bilgi\" (23,16,145,19) Trebuchet MS -16 bold near FFFFFFFF",
    };
    EXPECT_EQ(window.LastLines(), expected);
    EXPECT_EQ(info.TextRect(), (PixelRect{20, 48, 172, 14}));
    EXPECT_EQ(info.HeaderRect(), (PixelRect{24, 17, 145, 19}));

    InfoInputs without = Humidity();
    without.FadeEffect = false;
    without.AlwaysTop = true;
    RecordingWindow opaque;
    InfoFace shown(opaque, source, without);
    EXPECT_EQ(opaque.events, (Lines{"alpha 255", "topmost"}));
}

TEST(InfoFace, TheCloseButtonNeedsAClickAndNoConnecting) {
    RecordingPictureSource source = Pictures();
    RecordingWindow window;
    InfoFace info(window, source, Humidity());
    EXPECT_FALSE(Has(window.LastLines(), CloseLine));
    EXPECT_FALSE(info.CloseButtonAt(180, 20));

    window.events.clear();
    InfoInputs onTop = Humidity();
    onTop.AlwaysTop = true; // switched on since the window was made
    EXPECT_EQ(info.MouseDown(60, 100, true, onTop), InfoPress::Drag);
    EXPECT_TRUE(info.Active());
    EXPECT_EQ(window.events, (Lines{"topmost", "alpha 0"}));
    EXPECT_TRUE(Has(window.LastLines(), CloseLine));
    EXPECT_TRUE(info.CloseButtonAt(175, 15));
    EXPECT_TRUE(info.CloseButtonAt(192, 32));
    EXPECT_FALSE(info.CloseButtonAt(193, 20));
    EXPECT_FALSE(info.CloseButtonAt(174, 20));

    // A further press while active changes nothing; the right button does not drag.
    window.events.clear();
    EXPECT_EQ(info.MouseDown(60, 100, false, Humidity()), InfoPress::Nothing);
    EXPECT_TRUE(window.events.empty());

    InfoInputs connecting = Humidity();
    connecting.MainState = cnConnecting;
    info.RepaintInfo(connecting);
    EXPECT_FALSE(Has(window.LastLines(), CloseLine));
    EXPECT_FALSE(info.CloseButtonAt(180, 20));

    for (TConnectionState other : {cnReady, cnNoConnection, cnError}) {
        InfoInputs in = Humidity();
        in.MainState = other;
        info.RepaintInfo(in);
        EXPECT_TRUE(Has(window.LastLines(), CloseLine)) << other;
    }

    info.Deactivated(Humidity());
    EXPECT_FALSE(info.Active());
    EXPECT_FALSE(Has(window.LastLines(), CloseLine));
    EXPECT_FALSE(info.CloseButtonAt(180, 20));
}

// The close button acts on the click, as the main window's buttons do: pressed and released on
// it with the left button, while it takes clicks.
TEST(InfoFace, TheCloseButtonClosesOnTheClick) {
    RecordingPictureSource source = Pictures();
    RecordingWindow window;
    InfoFace info(window, source, Humidity());
    EXPECT_EQ(info.MouseDown(180, 20, true, Humidity()), InfoPress::Drag); // not yet shown
    EXPECT_FALSE(info.MouseUp(180, 20));
    ASSERT_TRUE(info.CloseButtonAt(180, 20));

    EXPECT_EQ(info.MouseDown(180, 20, true, Humidity()), InfoPress::CloseArmed);
    EXPECT_TRUE(info.MouseUp(192, 32));
    EXPECT_FALSE(info.MouseUp(192, 32)) << "one click, one close";

    EXPECT_EQ(info.MouseDown(180, 20, true, Humidity()), InfoPress::CloseArmed);
    EXPECT_FALSE(info.MouseUp(193, 20)) << "released beside the button";

    EXPECT_EQ(info.MouseDown(180, 20, false, Humidity()), InfoPress::Nothing);
    EXPECT_FALSE(info.MouseUp(180, 20)) << "the right button";

    // The button goes between the press and the release: while connecting, or when another
    // window is activated.
    EXPECT_EQ(info.MouseDown(180, 20, true, Humidity()), InfoPress::CloseArmed);
    InfoInputs connecting = Humidity();
    connecting.MainState = cnConnecting;
    info.RepaintInfo(connecting);
    EXPECT_FALSE(info.MouseUp(180, 20));
    info.RepaintInfo(Humidity());
    EXPECT_EQ(info.MouseDown(180, 20, true, Humidity()), InfoPress::CloseArmed);
    info.Deactivated(Humidity());
    info.MouseDown(60, 100, true, Humidity());
    EXPECT_FALSE(info.MouseUp(180, 20));
}

TEST(InfoFace, TextAndPanelFollowEachRepaint) {
    RecordingPictureSource source = Pictures();
    RecordingWindow window;
    InfoFace info(window, source, Humidity());

    InfoInputs in;
    in.Text = "Açık\r\nGD: 06:47, GB: 16:40\r\nNem oranı: %67";
    in.TextHeight = 39;
    in.Skin.Background = 0;
    info.RepaintInfo(in);
    const Lines expected = {
        "text \"Açık\r\nGD: 06:47, GB: 16:40\r\nNem oranı: %67\" (20,48,172,40) Tahoma -11 "
        "center FF000000",
        "text \"Açık\r\nGD: 06:47, GB: 16:40\r\nNem oranı: %67\" (19,47,172,40) Tahoma -11 "
        "center FFFFFFFF",
        "text \"Meltemix! Bilgi\" (24,17,145,19) Trebuchet MS -16 bold near FF000000",
        "text \"Meltemix! Bilgi\" (23,16,145,19) Trebuchet MS -16 bold near FFFFFFFF",
    };
    EXPECT_EQ(window.LastLines(), expected);

    in.Text.clear();
    in.TextHeight = 0;
    in.Skin.Background = 3;
    info.RepaintInfo(in);
    const Lines lines = window.LastLines();
    ASSERT_EQ(lines.size(), 9u); // the panel and the title only
    EXPECT_EQ(lines[0], "picture Colorize\\Top.png (8,8,195,20) scale(1.0039216,0.5019608,0,1) tile");
    EXPECT_EQ(window.canvasesMade, 3);
}

TEST(InfoFace, FadesWithTheSettingOfTheLastRepaint) {
    RecordingPictureSource source = Pictures();
    RecordingWindow window;
    InfoFace info(window, source, Humidity());
    window.events.clear();
    info.ShowFaded();
    EXPECT_EQ(window.events.size(), 1u + 15u + 14u); // show, 15 hand-overs, 14 pauses
    EXPECT_EQ(window.events.front(), "show");
    EXPECT_EQ(window.events[1], "alpha 18");
    EXPECT_EQ(window.events.back(), "alpha 255");
    EXPECT_EQ(info.Alpha(), 255);

    InfoInputs off = Humidity();
    off.FadeEffect = false;
    info.RepaintInfo(off);
    window.events.clear();
    info.HideFaded();
    EXPECT_EQ(window.events, (Lines{"alpha 0", "hide"}));
    info.ShowFaded();
    EXPECT_EQ(window.events, (Lines{"alpha 0", "hide", "show", "alpha 255"}));
}

// The about window.

AboutTexts ShortTexts() {
    return {"Hakkında", "Meltemix!", "Version 1.0\r\nYazar", "http://maker", "bir\r\niki",
            "http://maker/projects.html#meltemix"};
}

TEST(AboutFace, PaintedOnceOnTheFixedPanel) {
    RecordingPictureSource source = Pictures();
    RecordingWindow window;
    AboutFace about(window, source, ShortTexts(), true);
    EXPECT_EQ(window.events, (Lines{"alpha 0"}));
    EXPECT_EQ(window.lastWidth, 329);
    EXPECT_EQ(window.lastHeight, 249);
    const Lines expected = {
        "picture Colorize\\Top.png (4,8,321,20) scale(1.0039216,0.5019608,0,1) tile",
        "picture Colorize\\Mid.png (4,28,321,45) scale(1.0039216,0.5019608,0,1) tile",
        "picture Colorize\\Base.png (4,73,321,24) scale(1.0039216,0.5019608,0,1) tile",
        "picture Colorize\\Top Overlay.png (4,8,321,20)",
        "picture UI\\Reflection.png (14,11,300,60)",
        "picture Colorize\\Mid Overlay.png (4,28,321,45) from (0,0,195,9.78)",
        "picture Colorize\\Base Overlay.png (4,73,321,24)",
        "picture UI\\Close.png (289,16,18,18)",
        // 8 bold letters of 9.6: 76.8 wide.
        "text \"Hakkında\" (24,17,78,19) Trebuchet MS -16 bold center FF000000",
        "text \"Hakkında\" (23,16,78,19) Trebuchet MS -16 bold center FFFFFFFF",
        "picture Moons\\4.png (0,32,120,110) scale(1,1,1,0.60784316) tile",
        // 9 letters of 13.5: 121.5 rounds to the even 122.
        "text \"Meltemix!\" (120,48,123,30) Impact -27 near FF000000",
        "text \"Meltemix!\" (119,47,123,30) Impact -27 near FFFFFFFF",
        "text \"Version 1.0\r\nYazar\" (120,83,61,27) Trebuchet MS -11 near FF000000",
        "text \"Version 1.0\r\nYazar\" (119,82,61,27) Trebuchet MS -11 near FFFFFFFF",
        "text \"http://maker\" (120,113,67,14) Trebuchet MS -11 near FF000000",
        "text \"http://maker\" (119,112,67,14) Trebuchet MS -11 near FFFFFF80",
        "text \"bir\r\niki\" (24,147,15,23) Trebuchet MS -9 near FF000000",
        "text \"bir\r\niki\" (23,146,15,23) Trebuchet MS -9 near FFFFFFFF",
    };
    EXPECT_EQ(window.LastLines(), expected);
    EXPECT_EQ(about.LinkRect(), (PixelRect{120, 113, 67, 14}));

    RecordingWindow opaque;
    AboutFace shown(opaque, source, ShortTexts(), false);
    EXPECT_EQ(opaque.events, (Lines{"alpha 255"}));
}

TEST(AboutFace, WhereAPressLeads) {
    RecordingPictureSource source = Pictures();
    struct Case {
        int x, y;
        bool left;
        AboutClick result;
        bool stillVisible;
        bool hand;
    };
    const Case cases[] = {
        {30, 150, true, AboutClick::Hidden, false, false},          // the notice
        {40, 20, false, AboutClick::Hidden, false, false},          // the header, right button
        {10, 60, true, AboutClick::Hidden, false, false},           // the logo
        {121, 114, true, AboutClick::OpenLink, true, true},         // the web address
        {186, 126, true, AboutClick::OpenLink, true, true},         // its last pixel
        {187, 126, true, AboutClick::Hidden, false, false},         // just beside it
        {121, 114, false, AboutClick::Nothing, true, true},         // right button on the link
        {290, 20, true, AboutClick::CloseArmed, true, true},        // the close button
        {290, 20, false, AboutClick::Nothing, true, true},
    };
    for (const Case& c : cases) {
        RecordingWindow window;
        AboutFace about(window, source, ShortTexts(), false);
        about.ShowFaded(false);
        EXPECT_EQ(about.MouseDown(c.x, c.y, c.left, false), c.result) << c.x << "," << c.y;
        EXPECT_EQ(window.visible, c.stillVisible) << c.x << "," << c.y;
        EXPECT_EQ(about.HandCursorAt(c.x, c.y), c.hand)
            << c.x << "," << c.y;
    }

    // Without a link the band is text like any other.
    AboutTexts plain = ShortTexts();
    plain.Link.clear();
    RecordingWindow window;
    AboutFace about(window, source, plain, false);
    about.ShowFaded(false);
    EXPECT_FALSE(about.HandCursorAt(121, 114));
    EXPECT_EQ(about.MouseDown(121, 114, true, false), AboutClick::Hidden);
}

// The close button acts on the click, as the main window's buttons do: pressed and released
// on it, and with the left button.
TEST(AboutFace, TheCloseButtonHidesOnTheClick) {
    RecordingPictureSource source = Pictures();
    struct Case {
        int pressX, pressY;
        bool left;
        int releaseX, releaseY;
        bool hidden;
    };
    const Case cases[] = {
        {290, 20, true, 300, 30, true},   // press and release on it
        {290, 20, true, 280, 30, false},  // released beside it
        {290, 20, false, 290, 20, false}, // the right button
    };
    for (const Case& c : cases) {
        RecordingWindow window;
        AboutFace about(window, source, ShortTexts(), false);
        about.ShowFaded(false);
        about.MouseDown(c.pressX, c.pressY, c.left, false);
        EXPECT_TRUE(window.visible) << "a press alone hides nothing";
        EXPECT_EQ(about.MouseUp(c.releaseX, c.releaseY, false),
                  c.hidden ? AboutClick::Hidden : AboutClick::Nothing);
        EXPECT_EQ(window.visible, !c.hidden) << c.releaseX << "," << c.releaseY;
    }

    // A release that no press on the button began does nothing, nor does a second one.
    RecordingWindow window;
    AboutFace about(window, source, ShortTexts(), false);
    about.ShowFaded(false);
    EXPECT_EQ(about.MouseUp(290, 20, false), AboutClick::Nothing);
    about.MouseDown(290, 20, true, false);
    about.MouseUp(200, 20, false);
    EXPECT_EQ(about.MouseUp(290, 20, false), AboutClick::Nothing);
    EXPECT_TRUE(window.visible);
}

TEST(AboutFace, ShowingAndHidingOnlyChangeTheAlpha) {
    RecordingPictureSource source = Pictures();
    RecordingWindow window;
    AboutFace about(window, source, ShortTexts(), true);
    const Lines painting = window.LastLines();
    about.ShowFaded(true);
    about.ShowFaded(true); // already shown
    about.MouseDown(30, 150, true, true);
    about.HideFaded(true); // already hidden
    EXPECT_EQ(window.canvasesMade, 1);
    EXPECT_EQ(window.LastLines(), painting);
    EXPECT_EQ(std::count(window.events.begin(), window.events.end(), "show"), 1);
    EXPECT_EQ(std::count(window.events.begin(), window.events.end(), "hide"), 1);
    EXPECT_EQ(window.events.back(), "hide");
    EXPECT_EQ(about.Alpha(), 0);
}

Endpoints Shipped() {
    MemoryProfileStore store;
    return ReadEndpoints(SettingsFile(store));
}

std::size_t LineBreaks(const std::string& text) {
    std::size_t breaks = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        ++breaks;
    return breaks;
}

TEST(AboutFace, TextsNameTheConfiguredServices) {
    EXPECT_EQ(ProjectPageAddress("http://127.0.0.1:8642"),
              "http://127.0.0.1:8642/projects.html#meltemix");
    const std::pair<const char*, const char*> names[] = {
        {"http://127.0.0.1:8642", "127.0.0.1:8642"},
        {"https://ip.example.org/echo", "ip.example.org"},
        {"live", ""},
        {"", ""}};
    for (const auto& n : names)
        EXPECT_EQ(ServiceName(n.first), n.second) << n.first;

    Endpoints own = Shipped();
    own.Maker = "http://maker.example";
    own.IP = "http://ip.example:81";
    const AboutTexts texts = MakeAboutTexts(own);
    EXPECT_EQ(texts.Header, "Meltemix! Hakkında...");
    EXPECT_EQ(texts.ProductName, "Meltemix!");
    EXPECT_EQ(texts.Label1.substr(0, 13), "Version 1.0\r\n");
    EXPECT_EQ(texts.Label2, "http://maker.example");
    EXPECT_EQ(texts.Link, "http://maker.example/projects.html#meltemix");
    EXPECT_EQ(LineBreaks(texts.Label3), 5u); // six lines
    EXPECT_NE(texts.Label3.find("Open-Meteo (CC BY 4.0)"), std::string::npos);
    EXPECT_NE(texts.Label3.find("GeoNames"), std::string::npos);
    EXPECT_NE(texts.Label3.find("ip.example:81"), std::string::npos);
}

// With the shipped settings there is no maker: the band under the version links to where the
// weather comes from, and the notice names the service the built-in provider asks for the IP.
TEST(AboutFace, WithoutAMakerTheLinkNamesTheWeatherSource) {
    const AboutTexts shipped = MakeAboutTexts(Shipped());
    EXPECT_EQ(shipped.Label2, "Veri kaynağı: open-meteo.com");
    EXPECT_EQ(shipped.Link, "https://open-meteo.com/");
    EXPECT_NE(shipped.Label3.find("IP adresiniz api.ipify.org adresindeki hizmetten"),
              std::string::npos);
    EXPECT_EQ(LineBreaks(shipped.Label3), 5u);

    Endpoints service = Shipped();
    service.Weather = "http://127.0.0.1:8642";
    const AboutTexts own = MakeAboutTexts(service);
    EXPECT_EQ(own.Label2, "Veri kaynağı: 127.0.0.1:8642");
    EXPECT_EQ(own.Link, "http://127.0.0.1:8642");

    Endpoints odd = Shipped();
    odd.Weather = "nowhere";
    odd.IpApi = "";
    const AboutTexts none = MakeAboutTexts(odd);
    EXPECT_EQ(none.Label2, "");
    EXPECT_EQ(none.Link, "");
    EXPECT_NE(none.Label3.find("herkese açık bir IP yansıtma hizmetinden"), std::string::npos);

    // The link is drawn where the maker's address would be, and takes the clicks there.
    RecordingPictureSource source = Pictures();
    RecordingWindow window;
    AboutFace about(window, source, shipped, false);
    const Lines lines = window.LastLines();
    EXPECT_TRUE(Has(lines, "text \"Veri kaynağı: open-meteo.com\" (119,112,155,14) Trebuchet MS "
                           "-11 near FFFFFF80"));
    about.ShowFaded(false);
    EXPECT_EQ(about.MouseDown(125, 118, true, false), AboutClick::OpenLink);
}

} // namespace
