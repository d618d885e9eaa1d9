#pragma once

#include "core/weather/ConnectionState.h"
#include "core/app/Placement.h"
#include "core/provider/DownloadPlan.h"
#include "core/settings/MainSettings.h"
#include "core/weather/LocaleFormats.h"
#include "core/weather/SystemTime.h"
#include "core/weather/WeatherReport.h"

#include <cstdint>
#include <string>
#include <vector>

namespace meltemix {

// The three downloads the main window may have under way, one worker each.
enum class Download { Feed, Ip, Version };

// What the buttons and actions of the main window are allowed to do right now.
struct ControlStates {
    bool exitBtnVisible = false, exitBtnEnabled = false;
    bool optionsBtnVisible = false, optionsBtnEnabled = false;
    bool hideBtnVisible = false, hideBtnEnabled = false;
    bool commandsEnabled = false; // OptionsAction, ExitAction, RefreshAction, AddLocAction
    bool hideActionEnabled = false;
};

// Everything a repaint of the main window's face reads.
struct FaceState {
    const TWeatherReport* report = nullptr;
    const MainSettings* settings = nullptr;
    const LocaleFormats* formats = nullptr;
    TConnectionState state = cnReady;
    std::string statusText;
    std::string tempText;
    std::string infoText;
    ControlStates controls;
    bool active = false;
    bool gridShown = false;
    bool trayVisible = false;
    float growth = 1.25f;
    std::uint8_t alpha = 255;
    SystemTime now;
};

// The main window's platform side. The controller decides; these do.
class MainWindowHost {
public:
    virtual ~MainWindowHost() = default;

    // Timers. Enabling a timer restarts its countdown.
    virtual void setCheckTimer(bool enabled, std::uint32_t intervalMs) = 0;
    virtual void setVersionTimer(bool enabled) = 0;
    virtual void setLoadedTimer(bool enabled) = 0;
    // One-shot timers of the retries after a wake and of the tray icon at start.
    virtual void setRetryTimer(bool enabled, std::uint32_t intervalMs) = 0;
    virtual void setTrayRetryTimer(bool enabled, std::uint32_t intervalMs) = 0;

    // Workers: start one for a purpose (raises when it cannot), take the bytes it fetched,
    // free it (waiting for its thread). The completion arrives as OnDownloaded.
    virtual void startDownload(Download purpose, const DownloadPlan& plan) = 0;
    virtual std::string downloadedBytes(Download purpose) = 0;
    virtual void freeDownload(Download purpose) = 0;
    // The built-in provider asks every upstream over a secure connection first again.
    virtual void trySecureConnectionsAgain() = 0;

    // The window.
    virtual ScreenPoint windowPosition() const = 0;
    virtual ScreenRect windowRect() const = 0;
    // The work areas of all monitors, and that of the monitor nearest to a rectangle.
    virtual std::vector<ScreenRect> workAreas() const = 0;
    virtual ScreenRect nearestWorkArea(const ScreenRect& rect) const = 0;
    virtual void moveWindow(ScreenPoint position) = 0;
    virtual bool windowVisible() const = 0;
    virtual void showWindow() = 0;
    virtual void hideWindow() = 0;
    virtual void bringToForeground() = 0;
    virtual void restoreApplication() = 0;
    virtual void setTopMost(bool topMost) = 0;
    virtual void closeWindow() = 0;
    // Lets the user drag the window; returns when the button is released.
    virtual void dragWindow() = 0;
    virtual void applyControlStates(const ControlStates& states) = 0;
    // Paints the whole face and hands it over; returns the measured height of the info text.
    virtual int paintFace(const FaceState& face) = 0;
    virtual void paintSkinOnly(const FaceState& face) = 0;
    // Hands the current picture over again with another window alpha.
    virtual void handOver(std::uint8_t alpha) = 0;
    virtual void pause(int milliseconds) = 0;

    // The info and about windows, made last at creation.
    virtual void createOwnedWindows() = 0;
    virtual bool infoExists() const = 0;
    virtual ScreenPoint infoPosition() const = 0;
    virtual ScreenRect infoRect() const = 0;
    virtual void moveInfo(ScreenPoint position) = 0;
    virtual void showInfoFaded() = 0;
    virtual void hideInfoFaded() = 0;
    virtual void repaintInfo(const std::string& infoText, int textHeight) = 0;
    virtual void setInfoTopMost(bool topMost) = 0;
    virtual void showAbout() = 0;

    // The tray icon. Showing or removing it raises when the shell refuses.
    virtual bool trayVisible() const = 0;
    virtual void setTrayVisible(bool visible) = 0;
    virtual void setTrayHint(const std::string& hint) = 0;
    virtual void showTrayBalloon() = 0;

    // Questions, the shell, the options dialog, the clock.
    virtual bool askYesNo(const std::string& question) = 0;
    virtual void openAddress(const std::string& address) = 0;
    struct OptionsOutcome {
        bool ok = false;
        bool placeChanged = false;
    };
    virtual OptionsOutcome runOptions(int page) = 0;
    virtual SystemTime localNow() const = 0;
};

} // namespace meltemix
