#pragma once

#include "core/app/MainHost.h"

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace meltemix {

// A main window without a platform: every call is written to `log` as one line
// ("startDownload Feed http://…", "handOver 36", "pause 2"), and what the platform would
// answer is set by the fields below.
class RecordingMainHost : public MainWindowHost {
public:
    std::vector<std::string> log;

    // Answers.
    ScreenPoint position{300, 300};
    ScreenPoint info{331, 331};
    bool visible = false;
    bool infoCreated = false;
    bool tray = false;
    bool trayRefuses = false;
    int trayRefusals = 0;            // so many adds are refused, then the shell takes the icon
    int paintRaises = 0;             // so many repaints (whole or skin only) raise
    bool startRefuses = false;       // every startDownload raises
    Download refusedPurpose = Download::Feed;
    bool refuseOnlyPurpose = false;  // only starts for refusedPurpose raise
    bool yes = false;
    OptionsOutcome options;
    bool optionsRaises = false;
    std::function<void()> duringOptions; // what the user does in the dialog
    // The window's WM_MOVE, sent whenever the window's position changes (the controller's
    // FormMove), as the real window hears it inside its own move.
    std::function<void()> moved;
    std::map<Download, std::string> bytes;
    SystemTime now;
    int infoTextHeight = 13;
    ScreenPoint dragTo{300, 300};
    std::vector<ScreenRect> areas{{0, 0, 1024, 738}};
    bool retryTimer = false;
    std::uint32_t retryInterval = 0;
    bool trayRetryTimer = false;

    // What the controller last asked for.
    bool checkTimer = false;
    std::uint32_t checkInterval = 0;
    bool versionTimer = false;
    bool loadedTimer = false;
    ControlStates controls;
    FaceState lastFace;
    std::string trayHint;
    std::string lastInfoText;
    int lastInfoHeight = -1;
    bool infoShown = false;
    bool topMost = false;

    // The shell made its notification area anew, without the icon.
    void shellRestarted() { tray = false; }

    // The lines of the log that start with `prefix`.
    std::vector<std::string> calls(const std::string& prefix) const;
    int count(const std::string& prefix) const {
        return static_cast<int>(calls(prefix).size());
    }

    void setCheckTimer(bool enabled, std::uint32_t intervalMs) override;
    void setVersionTimer(bool enabled) override;
    void setLoadedTimer(bool enabled) override;
    void setRetryTimer(bool enabled, std::uint32_t intervalMs) override;
    void setTrayRetryTimer(bool enabled, std::uint32_t intervalMs) override;
    void startDownload(Download purpose, const DownloadPlan& plan) override;
    std::string downloadedBytes(Download purpose) override;
    void freeDownload(Download purpose) override;
    void trySecureConnectionsAgain() override { log.push_back("trySecureConnectionsAgain"); }
    ScreenPoint windowPosition() const override { return position; }
    ScreenRect windowRect() const override {
        return {position.x, position.y, position.x + 233, position.y + 248};
    }
    std::vector<ScreenRect> workAreas() const override { return areas; }
    ScreenRect nearestWorkArea(const ScreenRect& rect) const override;
    void moveWindow(ScreenPoint p) override;
    bool windowVisible() const override { return visible; }
    void showWindow() override;
    void hideWindow() override;
    void bringToForeground() override { log.push_back("bringToForeground"); }
    void restoreApplication() override { log.push_back("restoreApplication"); }
    void setTopMost(bool on) override;
    void closeWindow() override { log.push_back("closeWindow"); }
    void dragWindow() override;
    void applyControlStates(const ControlStates& states) override { controls = states; }
    int paintFace(const FaceState& face) override;
    void paintSkinOnly(const FaceState& face) override;
    void handOver(std::uint8_t alpha) override;
    void pause(int milliseconds) override;
    void createOwnedWindows() override;
    bool infoExists() const override { return infoCreated; }
    ScreenPoint infoPosition() const override { return info; }
    ScreenRect infoRect() const override { return {info.x, info.y, info.x + 209, info.y + 204}; }
    void moveInfo(ScreenPoint p) override;
    void showInfoFaded() override;
    void hideInfoFaded() override;
    void repaintInfo(const std::string& infoText, int textHeight) override;
    void setInfoTopMost(bool on) override;
    void showAbout() override { log.push_back("showAbout"); }
    bool trayVisible() const override { return tray; }
    void setTrayVisible(bool on) override;
    void setTrayHint(const std::string& hint) override;
    void showTrayBalloon() override { log.push_back("showTrayBalloon"); }
    bool askYesNo(const std::string& question) override;
    void openAddress(const std::string& address) override;
    OptionsOutcome runOptions(int page) override;
    SystemTime localNow() const override { return now; }
};

const char* PurposeName(Download purpose);

} // namespace meltemix
