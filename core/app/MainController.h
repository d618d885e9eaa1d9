#pragma once

#include "core/weather/ConnectionState.h"
#include "core/app/MainHost.h"
#include "core/settings/Endpoints.h"
#include "core/settings/MainSettings.h"
#include "core/settings/SettingsFile.h"
#include "core/skin/Fade.h"
#include "core/weather/LocaleFormats.h"
#include "core/weather/LocaleSource.h"
#include "core/weather/WeatherReport.h"
#include "core/xml/XmlDocument.h"

#include <exception>
#include <string>
#include <vector>

namespace meltemix {

// The main window's rules: its life cycle, the refresh cycle and the arrival of the feed, the
// IP and version answers, the commands and menus, hiding and showing. The window forwards
// every event here; everything the platform does goes through the host.
class MainController {
public:
    MainController(MainWindowHost& host, SettingsFile& settingsFile,
                   const LocaleSource& locale, XmlDocumentFactory createDocument);

    // Creation and destruction of the window, in the order the program relies on.
    void FormCreate();
    void FormClose();
    void FormDestroy();

    void LoadSettings();
    void SaveSettings();

    // The refresh cycle.
    void RefreshWeather();
    void CheckTimerTimer();
    void RefreshActionExecute();
    void OnDownloaded(Download purpose, int resultCode);

    void VersionTimerTimer();
    void LoadedTimerTimer();

    // Commands.
    void ExitActionExecute();
    void ShowInfoActionExecute();
    void OptionsActionExecute() { OpenOptions(-1); }
    void AddLocActionExecute() { OpenOptions(2); }
    void HideActionExecute();
    void ShowActionExecute();
    void AboutActionExecute();
    void OpenOptions(int page);
    void SetInfoVisible(bool visible);

    // The favourites submenus: the captions in menu order, empty for an empty list.
    std::vector<std::string> FavoriteCaptions();
    void SelectFavorite(const std::string& caption);

    // Window events.
    void FormMouseDown(bool leftButton);
    void FormMove();
    // The main window now draws at `newDpi` instead of `oldDpi`, and is about to take its new
    // size and place: the info window keeps its distance in the new screen's pixels, so that
    // it stays beside the main window rather than over it.
    void DensityChanged(int oldDpi, int newDpi);
    void ApplicationDeactivated();
    void ShowInstance();
    // The system woke from sleep: the weather on screen may be hours old.
    void SystemResumed();
    // The session ends without a close: keep what a close would have kept.
    void SessionEnding();
    // The monitors or the work area changed: a window left off every screen comes back.
    void DisplayChanged() { BringWindowsOnScreen(); }
    void BringWindowsOnScreen();
    // The shell's notification area was made anew: the tray icon is no longer in it.
    void TaskbarCreated();
    // The timed retries of a refresh after a wake, and of the tray icon.
    void RetryTimerTimer();
    void TrayRetryTimerTimer();

    void RebuildFace();
    void ShowFaded();
    void HideFaded();
    void StopAutoUpdate();
    void ResumeAutoUpdate();
    void ApplyAlwaysOnTop();
    ControlStates UpdateControlStates();

    std::string StatusText() const;
    std::string IpText() const;
    // The details text as it would be built now (the big picture's hint asks for it).
    std::string InfoText() const;

    // Read access for the window and for tests.
    TConnectionState state() const { return state_; }
    const MainSettings& settings() const { return settings_; }
    const TWeatherReport& report() const { return report_; }
    bool active() const { return active_; }
    float growth() const { return growth_; }
    std::uint8_t alpha() const { return alpha_; }
    const std::string& publicIp() const { return publicIp_; }
    const std::string& newestVersion() const { return newestVersion_; }
    const Endpoints& endpoints() const { return endpoints_; }
    bool showInfoChecked() const { return settings_.ShowInfoText; }

private:
    void startLookup(Download purpose, const DownloadPlan& plan);
    void feedArrived(int resultCode, const std::string& bytes);
    void ipArrived(int resultCode, const std::string& bytes);
    void versionArrived(int resultCode, const std::string& bytes);
    std::exception_ptr loadSettings();
    std::exception_ptr applyTrayVisible();
    void startTrayRetries();
    // The state a failed download leaves, for a refresh whose start or arrival raised.
    void refreshFailed();
    void repaintQuietly() noexcept;
    void armWakeRetry();
    void placeMain(ScreenPoint position);
    FadeHooks fadeHooks();
    FaceState faceState() const;

    MainWindowHost& host_;
    SettingsFile& file_;
    const LocaleSource& locale_;
    XmlDocumentFactory createDocument_;
    LocaleFormats formats_;
    Endpoints endpoints_;

    MainSettings settings_;
    TWeatherReport report_;
    TConnectionState state_ = cnReady;
    bool active_ = false;
    bool firstFeedShown_ = false;
    bool gridShown_ = false;
    bool creating_ = false;
    bool closing_ = false;
    bool checkTimerOn_ = false;
    int resumeRetries_ = -1; // retries done since a wake; -1 when not retrying
    int trayRetries_ = 0;
    bool trayRetrying_ = false;
    bool trayRefusalReported_ = false;
    float growth_ = 1.25f;
    std::uint8_t alpha_ = 255;
    ScreenPoint infoOffset_;
    bool workers_[3] = {false, false, false};

    std::string feedText_;
    std::string dateText_;
    std::string hijriText_;
    std::string infoText_;
    int infoHeight_ = 0;
    std::string publicIp_;
    std::string newestVersion_;
};

} // namespace meltemix
