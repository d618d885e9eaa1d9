// What a screen reader hears of the main and details windows: the names built from the
// report, the condition table and the report texts the faces draw.
#include "core/access/MainAccess.h"
#include "core/access/SpokenText.h"
#include "core/text/Decode.h"
#include "core/weather/ConditionTable.h"
#include "core/weather/FeedParser.h"
#include "core/weather/MoonNames.h"
#include "XmlTestSupport.h"

#include <gtest/gtest.h>

using namespace meltemix;

namespace {

// The test feed as it arrives: Istanbul at 7:50, 11°, light rain, five days from Monday.
TWeatherReport Istanbul() {
    const std::string feed = DecodeDocument(test::ReadTestData("istanbul.xml"));
    TWeatherReport report;
    ClearReport(report);
    ParseFeed(report, feed, test::DomFactory());
    CheckDaysBehind(report, feed);
    return report;
}

MainAccessInputs Ready(const TWeatherReport& report) {
    MainAccessInputs in;
    in.Report = report;
    in.MoonIndex = 6;
    in.MoonPhasePercent = 45;
    return in;
}

std::vector<std::string> Names(const AccessTree& tree) {
    std::vector<std::string> names;
    for (const AccessNode& node : tree.Children)
        names.push_back(node.Name);
    return names;
}

TEST(SpokenText, SymbolsAVoiceMisreadsBecomeWords) {
    const std::pair<const char*, const char*> cases[] = {
        {"24°", "24 derece"},
        {"-5°", "eksi 5 derece"},
        {"Hissedilen sıcaklık: -3°", "Hissedilen sıcaklık: eksi 3 derece"},
        {"Nem oranı: %57", "Nem oranı: yüzde 57"},
        {"E: 40.97°, B: -28.82°", "E: 40 virgül 97 derece, B: eksi 28 virgül 82 derece"},
        {"Rüzgar: Kuzey Doğu, 19.31 km/s", "Rüzgar: Kuzey Doğu, 19 virgül 31 km/s"},
        {"Görüş mesafesi: 9,99 km", "Görüş mesafesi: 9,99 km"}, // read as Turkish already
        {"IP: 192.168.1.20", "IP: 192.168.1.20"},                // an address, not a number
        {"1.2.3", "1.2.3"},
        {"GD: 06:40, GB: 19:16", "GD: 06:40, GB: 19:16"},
        {"Güney-Batı 5-6", "Güney-Batı 5-6"}, // a hyphen inside words and ranges is no minus
        {"%", "%"},
        {"°", "derece"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SpokenText(c.first), c.second) << c.first;
}

TEST(MainAccessTexts, TheTestFeedAsTheFaceShowsIt) {
    const AccessTree tree = MainAccessTree(Ready(Istanbul()));
    EXPECT_EQ(tree.Root.Name, "Meltemix! - Istanbul");
    EXPECT_EQ(tree.Root.Role, AccessRole::Pane);
    const std::vector<std::string> expected = {
        "Istanbul, 11 derece, Yağışlı",
        "Bugün: Yağışlı, en yüksek 13, en düşük 9 derece",
        "Yarın: Parçalı Bulutlu, en yüksek 14, en düşük 8 derece",
        "Çarşamba: Yağışlı, en yüksek 12, en düşük 7 derece",
        "Perşembe: Dolu, en yüksek 10, en düşük 5 derece",
        "Cuma: Açık, en yüksek 9, en düşük 4 derece",
        "Ay: İlk Dördün, yüzde 45",
        "Özellestirmek için tiklatin...",
        "Gizle",
        "Kapat",
    };
    EXPECT_EQ(Names(tree), expected);
}

TEST(MainAccessTexts, EveryConditionCodeReadsAsTheTableWritesIt) {
    TWeatherReport report = Istanbul();
    for (int code = 0; code < ConditionRowCount; ++code) {
        report.ConditionCode = report.Forecast[1].Code = std::to_string(code);
        const std::string text = WeatherIcons[static_cast<std::size_t>(code)].Description;
        const AccessTree tree = MainAccessTree(Ready(report));
        EXPECT_EQ(tree.Children[0].Name, "Istanbul, 11 derece, " + text) << code;
        EXPECT_EQ(tree.Children[2].Name, "Yarın: " + text + ", en yüksek 14, en düşük 8 derece")
            << code;
    }
    // What the table has no row for reads as the face's tooltip does.
    report.ConditionCode = report.Forecast[1].Code = "3200";
    EXPECT_EQ(ConditionName(Ready(report)), "Istanbul, 11 derece, Bilinmiyor");
    EXPECT_EQ(ForecastTileName(report, 1), "Yarın: Bilinmiyor, en yüksek 14, en düşük 8 derece");
    report.ConditionCode = report.Forecast[1].Code = "abc";
    EXPECT_EQ(ConditionName(Ready(report)), "Istanbul, 11 derece, Bilinmiyor");
    EXPECT_EQ(ForecastTileName(report, 1), "Yarın: Bilinmiyor, en yüksek 14, en düşük 8 derece");
}

TEST(MainAccessTexts, NegativeAndMissingFigures) {
    TWeatherReport report = Istanbul();
    report.Temperature = "-5";
    report.Forecast[1] = {"Tue", "-8", "-2", "16"};
    EXPECT_EQ(ConditionName(Ready(report)), "Istanbul, eksi 5 derece, Yağışlı");
    EXPECT_EQ(ForecastTileName(report, 1),
              "Yarın: Kar yağışlı, en yüksek eksi 2, en düşük eksi 8 derece");

    report.Temperature.clear();
    EXPECT_EQ(ConditionName(Ready(report)), "Istanbul, Yağışlı");
    report.Forecast[1] = {"Tue", "", "27", "32"};
    EXPECT_EQ(ForecastTileName(report, 1), "Yarın: Açık, en yüksek 27 derece");
    report.Forecast[1] = {"Tue", "19", "", "32"};
    EXPECT_EQ(ForecastTileName(report, 1), "Yarın: Açık, en düşük 19 derece");
    report.Forecast[1] = {"Tue", "19", "27", ""};
    EXPECT_EQ(ForecastTileName(report, 1), "Yarın: en yüksek 27, en düşük 19 derece");
    report.Forecast[1] = {"Tue", "", "", ""};
    EXPECT_EQ(ForecastTileName(report, 1), "Yarın");
    report.Forecast[1] = {"", "19", "27", "32"}; // no day, no title: the face draws none
    EXPECT_EQ(ForecastTileName(report, 1), "Açık, en yüksek 27, en düşük 19 derece");
    report.Forecast[3] = {"Xyz", "", "", ""}; // a weekday the table does not know
    EXPECT_EQ(ForecastTileName(report, 3), "");
}

TEST(MainAccessTexts, AnEmptySlotIsNoPart) {
    TWeatherReport report = Istanbul();
    report.Forecast[4] = {};
    const AccessTree tree = MainAccessTree(Ready(report));
    const AccessNode& last = tree.Children[MainAccessId::FirstTile + 4 - 1];
    EXPECT_EQ(last.Name, "");
    EXPECT_FALSE(last.Shown);
    EXPECT_TRUE(tree.Children[MainAccessId::FirstTile + 3 - 1].Shown);
}

TEST(MainAccessTexts, TileTitlesByTheReportsHourAndTheFeedsDays) {
    TWeatherReport report = Istanbul();
    EXPECT_EQ(SpokenTileTitle(0, report), "Bugün");
    report.ConditionDate = "Mon, 14 Sep 2009 9:50 pm EEST";
    EXPECT_EQ(SpokenTileTitle(0, report), "Bu gece");
    EXPECT_EQ(SpokenTileTitle(1, report), "Yarın");
    const char* const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    const char* const spoken[] = {"Pazar",    "Pazartesi", "Salı",     "Çarşamba",
                                  "Perşembe", "Cuma",      "Cumartesi"};
    for (int i = 0; i < 7; ++i) {
        report.Forecast[2].Day = days[i];
        report.DaysBehind = false;
        EXPECT_EQ(SpokenTileTitle(2, report), spoken[i]);
        report.DaysBehind = true; // the feed is a day behind: the face names the next day
        EXPECT_EQ(SpokenTileTitle(2, report), spoken[(i + 1) % 7]);
    }
}

TEST(MainAccessTexts, TheConnectionStateWhileNotReady) {
    MainAccessInputs in = Ready(Istanbul());
    in.State = cnConnecting;
    EXPECT_EQ(ConditionName(in), "Istanbul, 11 derece, Yağışlı, Bağlantı kuruluyor...");
    in.State = cnNoConnection;
    EXPECT_EQ(ConditionName(in), "Istanbul, 11 derece, Yağışlı, Bağlantı yok");
    in.State = cnError;
    EXPECT_EQ(ConditionName(in), "Istanbul, 11 derece, Yağışlı, Hata: İstisnai durum oluştu.");

    // Before the first report: the place from the settings and the state only, no tiles,
    // no moon.
    MainAccessInputs first;
    ClearReport(first.Report);
    first.Report.CityName = "İzmir";
    first.State = cnConnecting;
    const AccessTree tree = MainAccessTree(first);
    EXPECT_EQ(tree.Children[0].Name, "İzmir, Bağlantı kuruluyor...");
    EXPECT_EQ(tree.Root.Name, "Meltemix! - İzmir");
    for (int id = MainAccessId::FirstTile; id <= MainAccessId::Moon; ++id)
        EXPECT_FALSE(tree.Node(id)->Shown) << id;

    first.Report.CityName.clear();
    first.State = cnNoConnection;
    EXPECT_EQ(MainAccessTree(first).Root.Name, "Meltemix!");
    EXPECT_EQ(ConditionName(first), "Bağlantı yok");
}

TEST(MainAccessTexts, TurkishLettersStayWhole) {
    TWeatherReport report = Istanbul();
    report.CityName = "Kahramanmaraş Büyükşehir";
    report.ConditionCode = "36";
    EXPECT_EQ(ConditionName(Ready(report)), "Kahramanmaraş Büyükşehir, 11 derece, Çok Sıcak");
    EXPECT_EQ(MainAccessTree(Ready(report)).Root.Name, "Meltemix! - Kahramanmaraş Büyükşehir");
}

TEST(MainAccessTexts, MoonByItsPhase) {
    EXPECT_EQ(MoonTileName(0, 0), "Ay: Yeni Ay, yüzde 0");
    EXPECT_EQ(MoonTileName(2, 9), "Ay: İlk Hilâl, yüzde 9");
    EXPECT_EQ(MoonTileName(28, 100), "Ay: Yeni Ay, yüzde 100");
    EXPECT_EQ(MoonTileName(29, 100), "Ay, yüzde 100");
    TWeatherReport report = Istanbul();
    report.Sunrise.clear(); // the face draws no moon without a sunrise
    EXPECT_FALSE(MainAccessTree(Ready(report)).Node(MainAccessId::Moon)->Shown);
}

TEST(MainAccessTexts, ButtonsAreTheirTooltipsAndActions) {
    MainAccessInputs in = Ready(Istanbul());
    AccessTree tree = MainAccessTree(in);
    for (int id : {MainAccessId::OptionsBtn, MainAccessId::HideBtn, MainAccessId::ExitBtn}) {
        EXPECT_EQ(tree.Node(id)->Role, AccessRole::PushButton);
        EXPECT_EQ(tree.Node(id)->DefaultAction, "Bas");
        EXPECT_FALSE(tree.Node(id)->Shown); // not active: not drawn
    }
    EXPECT_EQ(tree.Node(MainAccessId::OptionsBtn)->Action, AccessAction::Options);
    EXPECT_EQ(tree.Node(MainAccessId::HideBtn)->Action, AccessAction::Hide);
    EXPECT_EQ(tree.Node(MainAccessId::ExitBtn)->Action, AccessAction::Exit);
    EXPECT_EQ(tree.Node(MainAccessId::Condition)->Action, AccessAction::ToggleInfo);
    EXPECT_EQ(tree.Node(MainAccessId::Condition)->DefaultAction, "Bilgi Ekranını Göster");

    in.OptionsShown = in.ExitShown = true;
    in.InfoShown = true;
    tree = MainAccessTree(in);
    EXPECT_TRUE(tree.Node(MainAccessId::OptionsBtn)->Shown);
    EXPECT_FALSE(tree.Node(MainAccessId::HideBtn)->Shown); // no tray icon: no hide button
    EXPECT_TRUE(tree.Node(MainAccessId::ExitBtn)->Shown);
    EXPECT_EQ(tree.Node(MainAccessId::Condition)->DefaultAction, "Bilgi Ekranını Gizle");
}

TEST(InfoAccessTexts, OneItemPerLineItsShareOfTheHeight) {
    const AccessTree tree = InfoAccessTree(
        "Parçalı Bulutlu\r\nE: 40.97°, B: 28.82°\r\nNem oranı: %57", 40);
    EXPECT_EQ(tree.Root.Name, "Meltemix! Bilgi");
    EXPECT_EQ(tree.Root.Role, AccessRole::List);
    const std::vector<std::string> expected = {"Parçalı Bulutlu",
                                               "E: 40 virgül 97 derece, B: 28 virgül 82 derece",
                                               "Nem oranı: yüzde 57"};
    EXPECT_EQ(Names(tree), expected);
    int top = 48;
    for (const AccessNode& item : tree.Children) {
        EXPECT_EQ(item.Role, AccessRole::ListItem);
        EXPECT_EQ(item.Rect.Left, 20);
        EXPECT_EQ(item.Rect.Width, 172);
        EXPECT_EQ(item.Rect.Top, top); // each line starts where the one above ends
        top += item.Rect.Height;
    }
    EXPECT_EQ(top, 48 + 40);
    EXPECT_TRUE(InfoAccessTree("", 0).Children.empty());
    EXPECT_EQ(InfoAccessTree("Nem oranı: %67", 13).ChildCount(), 1);
}

} // namespace
