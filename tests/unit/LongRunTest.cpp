// What a run of weeks meets: shells that restart or refuse, wakes in the middle of a request,
// faults that raise where nothing used to, a close inside a dialog.
#include "MainControllerFixture.h"
#include "core/app/OpenErrorBoxes.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace meltemix;

namespace {

using test::MainControllerTest;

// ---- the tray icon

TEST_F(MainControllerTest, AnIconTheShellNeverTookGoesInWithTheNextNotificationArea) {
    host.trayRefusals = 1000; // a shell that comes up minutes after the program
    controller.FormCreate();
    int retries = 0;
    while (host.trayRetryTimer && retries < 100) {
        controller.TrayRetryTimerTimer();
        ++retries;
    }
    EXPECT_EQ(retries, 24);
    EXPECT_FALSE(host.tray);
    EXPECT_FALSE(host.controls.hideActionEnabled);

    host.trayRefusals = 0;
    controller.TaskbarCreated(); // the shell at last
    EXPECT_TRUE(host.tray);
    feedArrives();
    EXPECT_TRUE(host.controls.hideActionEnabled); // the window can be hidden again
}

TEST_F(MainControllerTest, ABusyNewShellGetsTheRetriesOfAStart) {
    create();
    feedArrives();
    ASSERT_TRUE(host.tray);
    host.shellRestarted();
    host.trayRefusals = 2;
    controller.TaskbarCreated();
    EXPECT_FALSE(host.tray);
    EXPECT_TRUE(host.trayRetryTimer);
    controller.TrayRetryTimerTimer();
    EXPECT_FALSE(host.tray);
    controller.TrayRetryTimerTimer();
    EXPECT_TRUE(host.tray);
    EXPECT_FALSE(host.trayRetryTimer);
    EXPECT_TRUE(host.controls.hideActionEnabled);

    // An icon switched off in the options stays off, whatever the shell does.
    store.writeText("General", "ShowTrayIcon", "0");
    controller.LoadSettings();
    host.log.clear();
    controller.TaskbarCreated();
    EXPECT_EQ(host.count("setTrayVisible 1"), 0);
}

// ---- a wake

TEST_F(MainControllerTest, ARequestUnderWayAtAWakeIsItsFirstTry) {
    create();
    feedArrives();
    controller.CheckTimerTimer(); // fell due in the sleep and fired at the wake
    controller.SystemResumed();
    EXPECT_EQ(host.count("startDownload Feed"), 1);
    arrive(Download::Feed, -1, ""); // on the network that is not up yet
    EXPECT_TRUE(host.retryTimer);
    EXPECT_EQ(host.retryInterval, 10000u);
    controller.RetryTimerTimer();
    EXPECT_EQ(host.count("startDownload Feed"), 2);
    feedArrives();
    EXPECT_EQ(controller.state(), cnReady);
    EXPECT_FALSE(host.retryTimer);
}

// ---- faults where nothing used to raise

TEST_F(MainControllerTest, ARepaintThatRaisesAtARefreshsStartLeavesNothingStuck) {
    create();
    feedArrives();
    host.paintRaises = 1;
    EXPECT_THROW(controller.RefreshActionExecute(), std::runtime_error);
    EXPECT_EQ(controller.state(), cnNoConnection);
    EXPECT_EQ(controller.report().Temperature, "11");
    EXPECT_TRUE(host.controls.commandsEnabled);
    EXPECT_TRUE(host.checkTimer); // the manual refresh stopped it for its time only
    host.log.clear();
    controller.CheckTimerTimer();
    EXPECT_EQ(host.count("startDownload Feed"), 1);
}

TEST_F(MainControllerTest, AnUnrollingThatRaisesLeavesTheStateOfAFailedDownload) {
    create();
    host.paintRaises = 1; // the first step of the first report's unrolling
    EXPECT_THROW(feedArrives(), std::runtime_error);
    EXPECT_EQ(controller.state(), cnNoConnection);
    EXPECT_EQ(host.lastFace.statusText, "Bağlantı yok");
    EXPECT_TRUE(host.controls.commandsEnabled);
    controller.CheckTimerTimer();
    feedArrives();
    EXPECT_EQ(controller.state(), cnReady);
    EXPECT_EQ(controller.growth(), 4.0f);
}

TEST_F(MainControllerTest, AReportThatCannotBeReadKeepsTheOneShown) {
    bool domMissing = false;
    MainController guarded(host, file, locale, [&]() -> std::unique_ptr<XmlDocument> {
        if (domMissing)
            throw std::runtime_error("Microsoft.XMLDOM bileşeni oluşturulamadı");
        return test::DomFactory()();
    });
    guarded.FormCreate();
    arrive(Download::Feed, 0, "");
    host.bytes[Download::Feed] = test::ReadTestData("istanbul.xml");
    guarded.CheckTimerTimer();
    guarded.OnDownloaded(Download::Feed, 0);
    ASSERT_EQ(guarded.report().Temperature, "11");

    domMissing = true;
    guarded.CheckTimerTimer();
    EXPECT_THROW(guarded.OnDownloaded(Download::Feed, 0), std::runtime_error);
    EXPECT_EQ(guarded.state(), cnNoConnection);
    EXPECT_EQ(guarded.report().Temperature, "11");
    EXPECT_EQ(host.trayHint, "Meltemix! - Bağlantı yok");
    EXPECT_TRUE(host.controls.commandsEnabled);
    host.log.clear();
    guarded.CheckTimerTimer(); // the next period asks again
    EXPECT_EQ(host.count("startDownload Feed"), 1);
}

// ---- a close inside a modal loop

TEST_F(MainControllerTest, ACloseInsideTheOptionsDialogStartsNothingAfterIt) {
    create();
    feedArrives();
    host.options = {true, true}; // whatever the dialog says as it goes
    host.duringOptions = [&] { controller.FormClose(); };
    host.log.clear();
    controller.OptionsActionExecute();
    EXPECT_EQ(host.count("startDownload"), 0);
    EXPECT_EQ(host.count("paintFace"), 0);
    EXPECT_FALSE(host.checkTimer);
    controller.CheckTimerTimer();
    controller.FormMouseDown(true); // a drag the close came in
    EXPECT_EQ(host.count("startDownload"), 0);
    EXPECT_EQ(host.count("paintFace"), 0);
}

// ---- error boxes

TEST(OpenErrorBoxes, AnErrorStandingOpenIsNotShownAgainADifferentOneIs) {
    OpenErrorBoxes boxes;
    ASSERT_TRUE(boxes.Open("Microsoft.XMLDOM bileşeni oluşturulamadı"));
    // Refreshes behind the box raise the same again, and a write refused once.
    EXPECT_FALSE(boxes.Open("Microsoft.XMLDOM bileşeni oluşturulamadı"));
    EXPECT_TRUE(boxes.Open("Unable to write to .\\Options.ini"));
    EXPECT_FALSE(boxes.Open("Unable to write to .\\Options.ini"));
    boxes.Closed("Unable to write to .\\Options.ini");
    EXPECT_FALSE(boxes.Open("Microsoft.XMLDOM bileşeni oluşturulamadı"));
    boxes.Closed("Microsoft.XMLDOM bileşeni oluşturulamadı");
    EXPECT_TRUE(boxes.Open("Microsoft.XMLDOM bileşeni oluşturulamadı")); // read and closed: news again
}

} // namespace
