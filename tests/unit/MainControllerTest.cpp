// The main window's rules, played against a recording host.
#include "MainControllerFixture.h"
#include "core/app/OnlineAnswers.h"
#include "core/text/TurkishOrder.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace meltemix;

namespace {

using test::MainControllerTest;

TEST_F(MainControllerTest, CreationStartsTheFirstRequestBeforeTheWindowShows) {
    controller.FormCreate();
    EXPECT_EQ(host.calls("startDownload"),
              (std::vector<std::string>{"startDownload Feed http://w/forecastrss/TUXX0014_c.xml",
                                        "startDownload Ip http://ip/xml.aspx"}));
    EXPECT_EQ(controller.state(), cnConnecting);
    EXPECT_EQ(controller.alpha(), 0); // faded in by LoadedTimer
    EXPECT_FALSE(host.visible);
    EXPECT_TRUE(host.versionTimer);
    EXPECT_TRUE(host.checkTimer);
    EXPECT_EQ(host.checkInterval, 900000u);
    EXPECT_TRUE(host.loadedTimer);
    EXPECT_TRUE(host.tray);
    EXPECT_EQ(host.log.back(), "createOwnedWindows");
    EXPECT_EQ(host.position.x, 300);

    host.log.clear();
    controller.LoadedTimerTimer();
    EXPECT_EQ(host.log.front(), "setLoadedTimer 0");
    EXPECT_EQ(host.count("handOver"), 15);
    EXPECT_EQ(host.log.back(), "showTrayBalloon"); // first run only
}

TEST_F(MainControllerTest, CreationReadsVersionCheckAndEndpointsFromTheFile) {
    store.writeText("General", "CheckNewVersion", "0");
    store.writeText("General", "FadeEffect", "0");
    store.writeText("General", "UpdatePeriod", "9");
    store.writeText("General", "FirstUsage", "0");
    store.writeText("Location", "CityID", "TU X#1");
    controller.FormCreate();
    EXPECT_FALSE(host.versionTimer);
    EXPECT_EQ(controller.alpha(), 255);
    EXPECT_EQ(host.checkInterval, 300000u);
    // A stored code cannot break or redirect the request.
    EXPECT_EQ(host.calls("startDownload Feed")[0],
              "startDownload Feed http://w/forecastrss/TU%20X%231_c.xml");
    controller.LoadedTimerTimer();
    EXPECT_EQ(host.count("showTrayBalloon"), 0);
}

TEST_F(MainControllerTest, WithoutAMakerAddressThereIsNoVersionCheck) {
    store.writeText("Endpoints", "Maker", "");
    controller.FormCreate();
    EXPECT_FALSE(host.versionTimer);
}

TEST_F(MainControllerTest, TheBuiltInProviderAnswersLiveEndpoints) {
    store.writeText("Endpoints", "Weather", "live");
    store.writeText("Endpoints", "IP", "LIVE");
    store.writeText("Location", "CityID", "GN745044");
    controller.FormCreate();
    EXPECT_EQ(host.calls("startDownload"),
              (std::vector<std::string>{"startDownload Feed live GN745044",
                                        "startDownload Ip live "}));
}

TEST_F(MainControllerTest, ARefreshNeverOverlapsTheOneUnderWay) {
    create();
    controller.RefreshWeather();
    controller.CheckTimerTimer();
    controller.RefreshActionExecute();
    EXPECT_EQ(host.count("startDownload"), 0);

    feedArrives();
    host.log.clear();
    controller.RefreshActionExecute();
    // The countdown starts anew around a manual refresh.
    EXPECT_EQ(host.log.front(), "setCheckTimer 0 900000");
    EXPECT_EQ(host.count("startDownload Feed"), 1);
    EXPECT_EQ(host.log.back(), "setCheckTimer 1 900000");
    // The IP lookup of the first refresh is still pending: no second one.
    EXPECT_EQ(host.count("startDownload Ip"), 0);
}

TEST_F(MainControllerTest, AWorkerThatCannotStartIsAnError) {
    create();
    feedArrives();
    host.startRefuses = true;
    host.log.clear();
    controller.RefreshActionExecute();
    EXPECT_EQ(controller.state(), cnError);
    EXPECT_EQ(host.count("freeDownload Feed"), 1);
    EXPECT_EQ(host.count("startDownload Ip"), 0);
    controller.RebuildFace();
    EXPECT_EQ(host.lastFace.statusText, "Hata: İstisnai durum oluştu.");

    // An IP worker that cannot start is simply not there.
    host.refuseOnlyPurpose = true;
    host.refusedPurpose = Download::Ip;
    arrive(Download::Ip, -1, "");
    controller.RefreshActionExecute();
    EXPECT_EQ(controller.state(), cnConnecting);
    EXPECT_EQ(host.count("freeDownload Ip"), 2);
}

TEST_F(MainControllerTest, TheFirstReportUnrollsThePanel) {
    create();
    feedArrives();
    const auto steps = host.calls("paintSkinOnly");
    ASSERT_EQ(steps.size(), 11u);
    EXPECT_EQ(steps.front(), "paintSkinOnly " + std::to_string(1.5f));
    EXPECT_EQ(steps.back(), "paintSkinOnly " + std::to_string(4.0f));
    EXPECT_EQ(host.count("pause 2"), 11);
    EXPECT_EQ(controller.state(), cnReady);
    EXPECT_EQ(controller.report().Temperature, "11");
    EXPECT_EQ(host.lastFace.statusText, "Istanbul");
    EXPECT_EQ(host.lastFace.tempText, "11°");
    EXPECT_TRUE(host.lastFace.gridShown);
    EXPECT_EQ(host.trayHint, "Istanbul, Yağışlı, 11° - Meltemix!");
    EXPECT_EQ(host.lastInfoHeight, 13);

    host.log.clear();
    controller.RefreshWeather();
    feedArrives();
    EXPECT_EQ(host.count("paintSkinOnly"), 0); // only the first time
}

TEST_F(MainControllerTest, WithoutFadeThePanelIsFullAtOnce) {
    store.writeText("General", "FadeEffect", "0");
    create();
    feedArrives();
    EXPECT_EQ(host.count("paintSkinOnly"), 0);
    EXPECT_EQ(controller.growth(), 4.0f);
}

TEST_F(MainControllerTest, AFailedFeedKeepsTheOldWeather) {
    create();
    feedArrives();
    controller.RefreshWeather();
    arrive(Download::Feed, -1, "");
    EXPECT_EQ(controller.state(), cnNoConnection);
    EXPECT_EQ(controller.report().Temperature, "11");
    EXPECT_EQ(host.lastFace.statusText, "Bağlantı yok");
    EXPECT_EQ(host.trayHint, "Meltemix! - Bağlantı yok");
    EXPECT_EQ(controller.IpText(), "Bağlantı yok");
}

TEST_F(MainControllerTest, AnErrorPageEmptiesTheReportButKeepsThePlace) {
    create();
    arrive(Download::Feed, 0, "<html><body>404</body></html>");
    EXPECT_EQ(controller.state(), cnReady);
    EXPECT_EQ(controller.report().Temperature, "");
    EXPECT_EQ(host.lastFace.statusText, "Istanbul");
    controller.FormDestroy();
    EXPECT_EQ(store.readText("Location", "CityName", "?"), "Istanbul");
}

TEST_F(MainControllerTest, TheInfoWindowFollowsAReportWhenWanted) {
    create();
    host.visible = true;
    feedArrives();
    EXPECT_TRUE(host.infoShown);

    store.writeText("Appearance", "ShowInfoText", "0");
    controller.LoadSettings();
    host.infoShown = false;
    controller.RefreshWeather();
    feedArrives();
    EXPECT_FALSE(host.infoShown);
}

TEST_F(MainControllerTest, ControlStatesFollowActivityConnectionAndTray) {
    create(); // connecting, tray shown, not active
    ControlStates c = controller.UpdateControlStates();
    EXPECT_FALSE(c.exitBtnVisible || c.optionsBtnVisible || c.hideBtnVisible);
    EXPECT_FALSE(c.commandsEnabled || c.hideActionEnabled);

    feedArrives();
    c = controller.UpdateControlStates();
    EXPECT_FALSE(c.exitBtnVisible);
    EXPECT_TRUE(c.hideBtnVisible); // with the tray, though not active
    EXPECT_FALSE(c.hideBtnEnabled);
    EXPECT_TRUE(c.commandsEnabled && c.hideActionEnabled);

    controller.FormMouseDown(false);
    c = host.controls;
    EXPECT_TRUE(c.exitBtnVisible && c.exitBtnEnabled && c.optionsBtnVisible && c.hideBtnEnabled);

    host.tray = false;
    c = controller.UpdateControlStates();
    EXPECT_FALSE(c.hideBtnVisible || c.hideActionEnabled);
    EXPECT_TRUE(c.hideBtnEnabled); // enabled but not shown: the table says so

    controller.ApplicationDeactivated();
    EXPECT_FALSE(host.controls.exitBtnVisible);
}

TEST_F(MainControllerTest, DraggingRecordsThePositionAndTheInfoWindowFollows) {
    create();
    host.position = {100, 100};
    host.info = {150, 300};
    host.dragTo = {400, 50};
    controller.FormMouseDown(true);
    EXPECT_EQ(controller.settings().Left, 400);
    controller.FormMove();
    EXPECT_EQ(host.info.x, 450);
    EXPECT_EQ(host.info.y, 250);
    EXPECT_TRUE(controller.active());
    EXPECT_EQ(host.count("setTopMost 0"), 1);
}

// On a screen of another density the main window grows or shrinks about its corner; the info
// window must keep its distance in the new screen's pixels, not lie on the main window.
TEST_F(MainControllerTest, TheInfoWindowKeepsItsDistanceAtAnotherDensity) {
    create(); // at 300, 300 with the info window at 331, 331
    controller.DensityChanged(96, 192);
    host.position = {600, 400}; // the rectangle the system suggests
    controller.FormMove();
    EXPECT_EQ(host.info.x, 662);
    EXPECT_EQ(host.info.y, 462);

    // and back, and to a density that does not divide evenly: rounded, never drifting
    controller.DensityChanged(192, 96);
    controller.FormMove();
    EXPECT_EQ(host.info.x, 631);
    EXPECT_EQ(host.info.y, 431);
    host.info = {300 - 45, 300 + 31};
    host.position = {300, 300};
    controller.FormMouseDown(false); // the offset taken from where the windows stand
    controller.DensityChanged(96, 144);
    controller.FormMove();
    EXPECT_EQ(host.info.x, 300 - 68); // -67.5 away from zero
    EXPECT_EQ(host.info.y, 300 + 47); // 46.5
    controller.DensityChanged(144, 144);
    controller.DensityChanged(0, 96);
    controller.FormMove();
    EXPECT_EQ(host.info.x, 300 - 68);
}

TEST_F(MainControllerTest, FavouritesAreSortedIgnoringCaseTheTurkishWay) {
    create();
    EXPECT_TRUE(controller.FavoriteCaptions().empty());
    store.writeText("Favorites", "zonguldak", "TUXX0001");
    store.writeText("Favorites", "Çorum", "TUXX0002");
    store.writeText("Favorites", "ankara", "TUXX0003");
    store.writeText("Favorites", "Berlin", "GMXX0007");
    store.writeText("Favorites", "cizre", "TUXX0004");
    store.writeText("Favorites", "Empty", "");
    EXPECT_EQ(controller.FavoriteCaptions(),
              (std::vector<std::string>{"ankara", "Berlin", "cizre", "Çorum", "Empty",
                                        "zonguldak"}));

    controller.SelectFavorite("Berlin"); // still connecting
    EXPECT_EQ(host.count("startDownload"), 0);
    feedArrives();
    controller.SelectFavorite("Empty");
    controller.SelectFavorite("Nowhere");
    EXPECT_EQ(host.count("startDownload"), 0);
    controller.SelectFavorite("Berlin");
    EXPECT_EQ(host.calls("startDownload Feed")[0],
              "startDownload Feed http://w/forecastrss/GMXX0007_c.xml");
}

TEST_F(MainControllerTest, TheOptionsDialogRunsWithTheTimerStopped) {
    create();
    feedArrives();
    host.log.clear();
    controller.OptionsActionExecute(); // cancelled
    EXPECT_EQ(host.log.front(), "setCheckTimer 0 900000");
    EXPECT_EQ(host.count("runOptions -1"), 1);
    EXPECT_EQ(host.count("paintFace"), 0); // nothing reloaded
    EXPECT_EQ(host.log.back(), "setCheckTimer 1 900000");
    EXPECT_EQ(store.readText("General", "FirstUsage", ""), "0"); // saved before it opened

    host.options = {true, true};
    host.duringOptions = [&] { store.writeText("Location", "CityID", "TUXX0002"); };
    host.log.clear();
    controller.AddLocActionExecute();
    EXPECT_EQ(host.count("runOptions 2"), 1);
    EXPECT_EQ(host.calls("startDownload Feed")[0],
              "startDownload Feed http://w/forecastrss/TUXX0002_c.xml");
    EXPECT_EQ(host.count("showInfoFaded"), 1);

    host.optionsRaises = true;
    host.log.clear();
    EXPECT_THROW(controller.OptionsActionExecute(), std::runtime_error);
    EXPECT_EQ(host.log.back(), "setCheckTimer 1 900000"); // resumed after the error too
}

TEST_F(MainControllerTest, ANewerVersionIsOfferedOnce) {
    create();
    controller.VersionTimerTimer();
    EXPECT_FALSE(host.versionTimer);
    EXPECT_EQ(host.calls("startDownload Version")[0],
              "startDownload Version http://maker/version.asp?fmt=xml");
    controller.VersionTimerTimer(); // still under way
    EXPECT_EQ(host.count("startDownload Version"), 1);

    host.yes = true;
    arrive(Download::Version, 0, "<?xml version=\"1.0\"?><version><meltemix>1.01</meltemix></version>");
    EXPECT_EQ(host.calls("askYesNo")[0],
              "askYesNo Meltemix! nın 1.01 sürümü çıkmış! İndirmek ister misiniz?");
    EXPECT_EQ(host.calls("openAddress")[0], "openAddress http://maker/downloads.asp#meltemix");

    host.log.clear();
    arrive(Download::Version, 0, "<version><meltemix>1.00</meltemix></version>");
    arrive(Download::Version, -1, "<version><meltemix>9</meltemix></version>");
    EXPECT_EQ(host.count("askYesNo"), 0);
}

TEST_F(MainControllerTest, ThePublicAddressSurvivesFailedLookups) {
    create();
    feedArrives();
    host.log.clear();
    arrive(Download::Ip, 0, "\xEF\xBB\xBF<?xml version=\"1.0\"?><data><ip>203.0.113.42</ip></data>");
    EXPECT_EQ(controller.publicIp(), "203.0.113.42");
    EXPECT_NE(host.lastInfoText.find("IP: 203.0.113.42"), std::string::npos);
    arrive(Download::Ip, -1, "");
    arrive(Download::Ip, 0, "garbage");
    arrive(Download::Ip, 0, "<data><ip></ip></data>");
    EXPECT_EQ(controller.publicIp(), "203.0.113.42");
    EXPECT_EQ(host.count("repaintInfo"), 4); // after every lookup
}

TEST_F(MainControllerTest, HidingAndShowingFadeTheWindow) {
    create();
    controller.LoadedTimerTimer();
    host.log.clear();
    controller.HideActionExecute();
    auto fades = host.calls("handOver");
    ASSERT_EQ(fades.size(), 15u);
    EXPECT_EQ(fades.front(), "handOver 237");
    EXPECT_EQ(fades.back(), "handOver 0");
    EXPECT_EQ(host.count("hideInfoFaded"), 1);

    // FadeEffect switched off while hidden: shown at full opacity at once.
    store.writeText("General", "FadeEffect", "0");
    controller.LoadSettings();
    host.log.clear();
    controller.ShowInstance();
    EXPECT_EQ(host.calls("handOver"), std::vector<std::string>{"handOver 255"});
    EXPECT_EQ(host.count("showInfoFaded"), 1);

    // Hidden without fade the alpha stays; fading in again starts at 255: no ramp.
    controller.HideActionExecute();
    store.writeText("General", "FadeEffect", "1");
    controller.LoadSettings();
    host.log.clear();
    controller.ShowActionExecute();
    EXPECT_EQ(host.count("handOver"), 0);
    EXPECT_TRUE(host.visible);

    host.log.clear();
    controller.ShowInstance(); // already visible
    EXPECT_EQ(host.log, std::vector<std::string>{"restoreApplication"});
}

TEST_F(MainControllerTest, InfoVisibilityIsWrittenAtOnce) {
    create();
    controller.ShowInfoActionExecute();
    EXPECT_EQ(store.readText("Appearance", "ShowInfoText", ""), "0");
    EXPECT_FALSE(controller.showInfoChecked());
    controller.ShowInfoActionExecute();
    EXPECT_EQ(store.readText("Appearance", "ShowInfoText", ""), "1");
}

TEST_F(MainControllerTest, AWakeRefreshesUnlessARequestIsUnderWay) {
    create();
    controller.SystemResumed();
    EXPECT_EQ(host.count("startDownload"), 0);
    // Another network perhaps: the secure connections are tried first again all the same.
    EXPECT_EQ(host.log.at(0), "trySecureConnectionsAgain");
    feedArrives();
    host.log.clear();
    controller.SystemResumed();
    EXPECT_EQ(host.log.at(0), "trySecureConnectionsAgain"); // before the refresh asks
    EXPECT_EQ(host.count("startDownload Feed"), 1);
}

TEST_F(MainControllerTest, TheSessionEndSavesWhatACloseWould) {
    create();
    host.position = {12, 34};
    feedArrives();
    controller.SessionEnding();
    EXPECT_EQ(store.readText("Appearance", "Left", ""), "12");
    EXPECT_EQ(store.readText("General", "FirstUsage", ""), "0");
    EXPECT_EQ(store.readText("Appearance", "InfoTextLeft", ""), "331");
}

TEST_F(MainControllerTest, ATrayTheShellRefusesAtStartDoesNotStopTheWindow) {
    host.trayRefuses = true;
    controller.FormCreate();
    EXPECT_FALSE(host.tray);
    EXPECT_EQ(host.log.back(), "createOwnedWindows");
}

TEST_F(MainControllerTest, ARefusedTrayIconNeverStopsTheOptionsDialogsResult) {
    host.trayRefuses = true;
    controller.FormCreate();
    feedArrives();
    host.visible = true;
    // Every OK with a new place and the info window switched off, the icon refused all along.
    int place = 0;
    host.options = {true, true};
    host.duringOptions = [&] {
        store.writeText("Location", "CityID", "TUXX000" + std::to_string(++place));
        store.writeText("Appearance", "ShowInfoText", "0");
        host.infoShown = true;
    };
    auto okApplied = [&] {
        feedArrives();
        EXPECT_EQ(host.calls("startDownload Feed").back(),
                  "startDownload Feed http://w/forecastrss/TUXX000" + std::to_string(place) +
                      "_c.xml");
        EXPECT_FALSE(host.infoShown);
        EXPECT_TRUE(host.checkTimer);
    };

    // While the icon is still asked for, the dialog says nothing of it.
    EXPECT_NO_THROW(controller.OptionsActionExecute());
    okApplied();

    // Once the retries gave up, the refusal is told once, after the result was applied.
    while (host.trayRetryTimer)
        controller.TrayRetryTimerTimer();
    EXPECT_THROW(controller.OptionsActionExecute(), std::runtime_error);
    okApplied();
    EXPECT_NO_THROW(controller.OptionsActionExecute());
    okApplied();
    EXPECT_FALSE(host.tray);
}

TEST(VersionComparison, OnlyLaterVersionsAreNewer) {
    for (const char* newer : {"1.01", "1.1", "2", "10", "1.00a", "1.00A"})
        EXPECT_TRUE(IsNewerVersion(newer)) << newer;
    for (const char* notNewer : {"1.00", "1.0", "0.99", " 1.5", "", "1", "1.00"})
        EXPECT_FALSE(IsNewerVersion(notNewer)) << notNewer;
}

TEST(OnlineAnswers, AreReadFromTheirDeclarationOn) {
    const auto dom = test::DomFactory();
    EXPECT_EQ(ReadPublicIp("junk\r\n<?xml version=\"1.0\"?><data><ip>1.2.3.4</ip></data>", dom),
              "1.2.3.4");
    EXPECT_EQ(ReadPublicIp("<data><ip>5.6.7.8</ip></data>", dom), "5.6.7.8");
    EXPECT_EQ(ReadPublicIp("<other><ip>5.6.7.8</ip></other>", dom), std::nullopt);
    EXPECT_EQ(ReadPublicIp("", dom), std::nullopt);
    EXPECT_EQ(ReadNewestVersion("<version><meltemix>1.2</meltemix></version>", dom), "1.2");
    EXPECT_EQ(ReadNewestVersion("<html>", dom), std::nullopt);
    const XmlDocumentFactory broken = []() -> std::unique_ptr<XmlDocument> {
        throw XmlDomError("no DOM");
    };
    EXPECT_EQ(ReadPublicIp("<data><ip>5.6.7.8</ip></data>", broken), std::nullopt);
}

TEST(TurkishOrder, FollowsTheTurkishAlphabetIgnoringCase) {
    std::vector<std::string> names = {"Uşak", "Üsküdar", "İzmir", "Iğdır", "Ordu", "Ödemiş",
                                      "Sinop", "Şırnak", "Çanakkale", "Bursa", "cide",
                                      "Gaziantep", "Ğ", "Hatay", "ankara", "Zonguldak"};
    std::sort(names.begin(), names.end(), TurkishLessIgnoringCase);
    EXPECT_EQ(names, (std::vector<std::string>{"ankara", "Bursa", "cide", "Çanakkale",
                                               "Gaziantep", "Ğ", "Hatay", "Iğdır", "İzmir",
                                               "Ordu", "Ödemiş", "Sinop", "Şırnak", "Uşak",
                                               "Üsküdar", "Zonguldak"}));
    EXPECT_FALSE(TurkishLessIgnoringCase("IŞIK", "ışık"));
    EXPECT_FALSE(TurkishLessIgnoringCase("ışık", "IŞIK"));
    EXPECT_TRUE(TurkishLessIgnoringCase("Ad", "Ada"));
}

} // namespace

namespace {

TEST_F(MainControllerTest, WindowsLostOffScreenComeBackAtStartAsTheUserArrangedThem) {
    // The info window beside the main window, both on a monitor that is gone.
    store.writeText("Appearance", "Left", "5000");
    store.writeText("Appearance", "Top", "5000");
    store.writeText("Appearance", "InfoTextLeft", "5240");
    store.writeText("Appearance", "InfoTextTop", "5000");
    host.info = {5240, 5000};
    controller.FormCreate();
    EXPECT_EQ(host.position.x, 1024 - 240 - 209); // the pair against the far edges
    EXPECT_EQ(host.position.y, 738 - 248);
    EXPECT_EQ(host.info.x - host.position.x, 240);
    EXPECT_EQ(host.info.y - host.position.y, 0);
    controller.FormDestroy(); // the visible place is what is kept
    EXPECT_EQ(store.readText("Appearance", "Left", ""), "575");
    EXPECT_EQ(store.readText("Appearance", "InfoTextLeft", ""), "815");

    // A move no click came before (the reload after the options dialog) keeps the distance.
    store.writeText("Appearance", "Left", "100");
    store.writeText("Appearance", "Top", "100");
    controller.LoadSettings();
    EXPECT_EQ(host.info.x, 340);
    EXPECT_EQ(host.info.y, 100);

    host.log.clear();
    host.position = {-100, 20};
    controller.DisplayChanged();
    EXPECT_EQ(host.count("moveWindow"), 0);
    EXPECT_EQ(host.count("moveInfo"), 0);
}

TEST_F(MainControllerTest, AfterADisplayChangeTheInfoWindowComesBackBesideTheMainWindow) {
    create();
    // A right-hand monitor was unplugged: the main window still shows, its info window not.
    host.position = {800, 300};
    host.info = {1100, 300};
    controller.DisplayChanged();
    EXPECT_EQ(host.position.x, 1024 - 300 - 209);
    EXPECT_EQ(host.position.y, 300);
    EXPECT_EQ(host.info.x - host.position.x, 300);
    EXPECT_EQ(host.info.y, 300);
    EXPECT_EQ(controller.settings().Left, 515);
}

TEST_F(MainControllerTest, AFailedRefreshAfterAWakeIsTriedAgainThreeTimes) {
    create();
    feedArrives();
    controller.SystemResumed();
    arrive(Download::Feed, -1, "");
    std::vector<std::uint32_t> pauses;
    while (host.retryTimer) {
        pauses.push_back(host.retryInterval);
        controller.RetryTimerTimer();
        arrive(Download::Feed, -1, "");
    }
    EXPECT_EQ(pauses, (std::vector<std::uint32_t>{10000, 30000, 60000}));
    EXPECT_EQ(host.count("startDownload Feed"), 4); // the wake's refresh and three more
    EXPECT_TRUE(host.checkTimer);                    // the ordinary timer goes on

    // A success ends the retries; a failure without a wake starts none.
    controller.SystemResumed();
    arrive(Download::Feed, -1, "");
    controller.RetryTimerTimer();
    feedArrives();
    EXPECT_FALSE(host.retryTimer);
    controller.RefreshActionExecute();
    arrive(Download::Feed, -1, "");
    EXPECT_FALSE(host.retryTimer);
}

TEST_F(MainControllerTest, ARetryWhileARequestIsUnderWayAsksNothingMore) {
    create();
    feedArrives();
    controller.SystemResumed();
    arrive(Download::Feed, -1, "");
    controller.CheckTimerTimer(); // the ordinary timer got there first
    host.log.clear();
    controller.RetryTimerTimer();
    EXPECT_EQ(host.count("startDownload"), 0);
}

TEST_F(MainControllerTest, TheTrayIconIsAskedForAgainUntilTheShellTakesIt) {
    host.trayRefuses = true;
    controller.FormCreate();
    EXPECT_TRUE(host.trayRetryTimer);
    for (int i = 0; i < 5; ++i)
        controller.TrayRetryTimerTimer();
    EXPECT_TRUE(host.trayRetryTimer);
    host.trayRefuses = false;
    controller.TrayRetryTimerTimer();
    EXPECT_TRUE(host.tray);
    EXPECT_FALSE(host.trayRetryTimer);

    // Two minutes of refusals: then it gives up.
    RecordingMainHost other;
    other.trayRefuses = true;
    MainController again(other, file, locale, test::DomFactory());
    again.FormCreate();
    int tries = 0;
    while (other.trayRetryTimer && tries < 100) {
        again.TrayRetryTimerTimer();
        ++tries;
    }
    EXPECT_EQ(tries, 24);
}

} // namespace
