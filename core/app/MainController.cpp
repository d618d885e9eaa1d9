#include "core/app/MainController.h"

#include "core/app/OnlineAnswers.h"
#include "core/skin/Fade.h"
#include "core/text/Decode.h"
#include "core/text/TurkishOrder.h"
#include "core/weather/DateTime.h"
#include "core/weather/FeedParser.h"
#include "core/weather/LocaleNames.h"
#include "core/weather/ReportTexts.h"
#include "core/weather/StatusTexts.h"

#include <algorithm>

namespace meltemix {
namespace {

// After a wake the network often comes up seconds after the system: a failed refresh is
// tried again after these pauses, then the ordinary timer takes over.
constexpr std::uint32_t ResumeRetryMs[] = {10000, 30000, 60000};
// At logon the shell may not take the tray icon yet: asked again this often, this long.
constexpr std::uint32_t TrayRetryMs = 5000;
constexpr int TrayRetries = 24; // two minutes


int index(Download purpose) { return static_cast<int>(purpose); }

} // namespace

MainController::MainController(MainWindowHost& host, SettingsFile& settingsFile,
                               const LocaleSource& locale, XmlDocumentFactory createDocument)
    : host_(host), file_(settingsFile), locale_(locale),
      createDocument_(std::move(createDocument)) {}

// ---- creation and destruction

void MainController::FormCreate() {
    creating_ = true;
    LoadLocaleNames(locale_, TurkishLcid);
    formats_ = LoadLocaleFormats(locale_, TurkishLcid);
    growth_ = 1.25f;
    gridShown_ = false;
    endpoints_ = ReadEndpoints(file_);
    // Read before the rest of the settings; a change in the dialog counts from the next start.
    // Without a maker's address there is nobody to ask.
    host_.setVersionTimer(file_.readFlag(keys::CheckNewVersion) && !endpoints_.Maker.empty());
    ClearReport(report_);
    LoadSettings();
    alpha_ = settings_.FadeEffect ? 0 : 255;
    RebuildFace();
    RefreshWeather();
    applyTrayVisible();
    checkTimerOn_ = settings_.AutoUpdate;
    host_.setCheckTimer(checkTimerOn_, settings_.UpdatePeriod);
    host_.setLoadedTimer(true);
    host_.createOwnedWindows();
    BringWindowsOnScreen();
    creating_ = false;
}

void MainController::LoadedTimerTimer() {
    host_.setLoadedTimer(false);
    ShowFaded();
    if (settings_.FirstUsage)
        host_.showTrayBalloon();
}

void MainController::FormClose() {
    // From here on nothing starts: a close that came inside a drag, a menu or a dialog lets
    // the code after it run to its end, and that code must not refresh or repaint a window
    // that is going.
    closing_ = true;
    host_.hideInfoFaded();
    HideFaded();
}

void MainController::FormDestroy() { SaveSettings(); }

void MainController::SessionEnding() { SaveSettings(); }

// ---- settings

void MainController::LoadSettings() {
    if (const std::exception_ptr refusal = loadSettings())
        std::rethrow_exception(refusal);
}

std::exception_ptr MainController::loadSettings() {
    ::meltemix::LoadSettings(file_, settings_);
    report_.CityName = settings_.CityName;
    host_.moveWindow({settings_.Left, settings_.Top});
    host_.setCheckTimer(checkTimerOn_, settings_.UpdatePeriod);
    const std::exception_ptr refusal = applyTrayVisible();
    ApplyAlwaysOnTop();
    if (host_.infoExists())
        host_.setInfoTopMost(settings_.AlwaysTop);
    return refusal;
}

void MainController::SaveSettings() {
    const ScreenPoint position = host_.windowPosition();
    settings_.Left = position.x;
    settings_.Top = position.y;
    settings_.CityName = report_.CityName;
    const ScreenPoint info = host_.infoExists() ? host_.infoPosition() : ReadInfoPosition(file_);
    ::meltemix::SaveSettings(file_, settings_, info);
}

std::exception_ptr MainController::applyTrayVisible() {
    try {
        host_.setTrayVisible(settings_.ShowTrayIcon);
        if (host_.trayVisible())
            trayRefusalReported_ = false; // a later refusal is news again
    } catch (...) {
        // At start the shell may not be ready for the icon yet; the window must come up all
        // the same and the icon is asked for again a while. Later, the user hears of a
        // refusal once, not at every change of the settings, and not while it is asked again.
        if (creating_) {
            startTrayRetries();
        } else if (!trayRetrying_ && !trayRefusalReported_) {
            trayRefusalReported_ = true;
            return std::current_exception();
        }
    }
    return nullptr;
}

void MainController::startTrayRetries() {
    trayRetries_ = 0;
    trayRetrying_ = true;
    host_.setTrayRetryTimer(true, TrayRetryMs);
}

void MainController::TaskbarCreated() {
    // The shell's new notification area is empty. It comes when Explorer restarts, and when
    // one that was late at logon is finally up: an icon the user wants goes in, whether or
    // not it ever got into the old one, and a busy new shell gets the same retries as at
    // start, counted anew.
    if (!settings_.ShowTrayIcon || closing_)
        return;
    host_.setTrayRetryTimer(false, TrayRetryMs);
    trayRetrying_ = false;
    try {
        host_.setTrayVisible(true);
    } catch (...) {
        startTrayRetries();
    }
    RebuildFace(); // the hide button comes and goes with the icon
}

void MainController::TrayRetryTimerTimer() {
    host_.setTrayRetryTimer(false, TrayRetryMs);
    trayRetrying_ = false;
    if (!settings_.ShowTrayIcon || host_.trayVisible())
        return;
    try {
        host_.setTrayVisible(true);
        RebuildFace(); // the hide button comes with the icon
    } catch (...) {
        if (++trayRetries_ < TrayRetries) {
            trayRetrying_ = true;
            host_.setTrayRetryTimer(true, TrayRetryMs);
        }
    }
}

void MainController::BringWindowsOnScreen() {
    const std::vector<ScreenRect> areas = host_.workAreas();
    const ScreenRect main = host_.windowRect();
    if (!host_.infoExists()) {
        if (const auto to = BringOnScreen(main, areas, host_.nearestWorkArea(main)))
            placeMain(*to);
        return;
    }
    // The two windows stand as the user left them: a move of the main window (its WM_MOVE)
    // takes the info window along at that distance, not on top of it.
    const ScreenRect info = host_.infoRect();
    infoOffset_ = {info.left - main.left, info.top - main.top};
    const auto nearest = [this](const ScreenRect& rect) { return host_.nearestWorkArea(rect); };
    if (const auto to = BringPairOnScreen(main, info, areas, nearest)) {
        if (to->main.x != main.left || to->main.y != main.top)
            placeMain(to->main);
        host_.moveInfo(to->info);
        infoOffset_ = {to->info.x - to->main.x, to->info.y - to->main.y};
    }
}

void MainController::placeMain(ScreenPoint position) {
    host_.moveWindow(position);
    settings_.Left = position.x;
    settings_.Top = position.y;
}

// ---- the refresh cycle

void MainController::RefreshWeather() {
    if (closing_ || workers_[index(Download::Feed)])
        return;
    try {
        state_ = cnConnecting;
        RebuildFace();
    } catch (...) {
        // Nothing is under way: left in cnConnecting, no refresh would ever start again.
        refreshFailed();
        throw;
    }
    try {
        host_.startDownload(Download::Feed, PlanFeedDownload(endpoints_, settings_.CityID));
        workers_[index(Download::Feed)] = true;
        startLookup(Download::Ip, PlanIpDownload(endpoints_));
    } catch (...) {
        host_.freeDownload(Download::Feed);
        workers_[index(Download::Feed)] = false;
        state_ = cnError;
        // The face still says it is connecting, and the commands it greyed would stay so.
        repaintQuietly();
    }
}

void MainController::refreshFailed() {
    state_ = cnNoConnection;
    armWakeRetry();
    repaintQuietly();
    try {
        host_.setTrayHint(TrayHintText(state_, report_));
    } catch (...) {
    }
}

void MainController::armWakeRetry() {
    if (resumeRetries_ >= 0 && resumeRetries_ < 3)
        host_.setRetryTimer(true, ResumeRetryMs[resumeRetries_]);
    else
        resumeRetries_ = -1;
}

void MainController::repaintQuietly() noexcept {
    // The error under way is the one the user hears of; a repaint that fails as well would
    // only say the same again. The control states are applied before the painting.
    try {
        RebuildFace();
    } catch (...) {
    }
}

void MainController::startLookup(Download purpose, const DownloadPlan& plan) {
    if (workers_[index(purpose)])
        return;
    if (purpose == Download::Version)
        host_.setVersionTimer(false);
    try {
        host_.startDownload(purpose, plan);
        workers_[index(purpose)] = true;
    } catch (...) {
        host_.freeDownload(purpose);
        workers_[index(purpose)] = false;
    }
}

void MainController::CheckTimerTimer() {
    if (state_ != cnConnecting)
        RefreshWeather();
}

void MainController::RefreshActionExecute() {
    if (state_ == cnConnecting)
        return;
    StopAutoUpdate();
    try {
        RefreshWeather();
    } catch (...) {
        ResumeAutoUpdate(); // or no timer would ever refresh again
        throw;
    }
    ResumeAutoUpdate();
}

void MainController::SystemResumed() {
    // After sleep the machine may well be on another network, where TLS is not in the way.
    host_.trySecureConnectionsAgain();
    // The network often comes up seconds after the system. Whichever request answers first
    // is the wake's first try: this one, or one under way since before the sleep or started
    // by a timer that fell due during it, which is as likely to fail.
    resumeRetries_ = 0;
    host_.setRetryTimer(false, 0);
    if (state_ != cnConnecting)
        RefreshWeather();
}

void MainController::RetryTimerTimer() {
    host_.setRetryTimer(false, 0);
    if (resumeRetries_ < 0)
        return;
    ++resumeRetries_;
    if (state_ != cnConnecting) // a request under way answers for this try
        RefreshWeather();
}

void MainController::OnDownloaded(Download purpose, int resultCode) {
    // The worker goes whatever happens to its answer: one left behind would refuse every
    // later request of its purpose.
    std::string bytes;
    std::exception_ptr lost;
    try {
        bytes = host_.downloadedBytes(purpose);
    } catch (...) {
        lost = std::current_exception();
    }
    host_.freeDownload(purpose);
    workers_[index(purpose)] = false;
    if (purpose == Download::Feed) {
        try {
            if (lost)
                std::rethrow_exception(lost);
            feedArrived(resultCode, bytes);
        } catch (...) {
            if (state_ == cnConnecting)
                refreshFailed();
            throw;
        }
        return;
    }
    if (lost)
        std::rethrow_exception(lost);
    switch (purpose) {
    case Download::Feed:
        break;
    case Download::Ip:
        ipArrived(resultCode, bytes);
        break;
    case Download::Version:
        versionArrived(resultCode, bytes);
        break;
    }
}

void MainController::feedArrived(int resultCode, const std::string& bytes) {
    feedText_ = DecodeDocument(bytes);
    if (resultCode != 0) {
        state_ = cnNoConnection; // the previous report stays
        armWakeRetry();
    } else {
        resumeRetries_ = -1;
        if (!firstFeedShown_ && settings_.FadeEffect) {
            while (growth_ < 4.0f) {
                growth_ += 0.25f;
                host_.paintSkinOnly(faceState());
                host_.pause(static_cast<int>(FadeDelayMs));
            }
        } else {
            growth_ = 4.0f;
        }
        // Read aside and taken only whole: a reading that fails (no XML component, no
        // memory) leaves the report it had, as a failed download does.
        TWeatherReport arrived;
        ClearReport(arrived);
        ParseFeed(arrived, feedText_, createDocument_);
        CheckDaysBehind(arrived, feedText_);
        // An answer without a place (an error page) must not wipe the name the user chose.
        if (arrived.CityName.empty())
            arrived.CityName = report_.CityName;
        const SystemTime now = host_.localNow();
        std::string dateText = DateText(cnReady, EncodeDateTime(now).value_or(0.0));
        std::string hijriText = HijriText(cnReady, now);
        report_ = std::move(arrived);
        dateText_ = std::move(dateText);
        hijriText_ = std::move(hijriText);
        firstFeedShown_ = true;
        state_ = cnReady;
        gridShown_ = true;
    }
    RebuildFace();
    host_.repaintInfo(infoText_, infoHeight_);
    if (settings_.ShowInfoText && host_.windowVisible())
        host_.showInfoFaded();
    host_.setTrayHint(TrayHintText(state_, report_));
}

void MainController::ipArrived(int resultCode, const std::string& bytes) {
    if (resultCode == 0) {
        const auto address = ReadPublicIp(bytes, createDocument_);
        if (address && !address->empty())
            publicIp_ = *address;
    }
    infoText_ = InfoText();
    host_.repaintInfo(infoText_, infoHeight_);
}

void MainController::VersionTimerTimer() {
    startLookup(Download::Version, PlanVersionDownload(endpoints_));
}

void MainController::versionArrived(int resultCode, const std::string& bytes) {
    if (resultCode != 0)
        return;
    if (const auto newest = ReadNewestVersion(bytes, createDocument_))
        newestVersion_ = *newest;
    if (newestVersion_.empty() || !IsNewerVersion(newestVersion_))
        return;
    if (host_.askYesNo(NewVersionQuestion(newestVersion_)))
        host_.openAddress(endpoints_.Maker + "/downloads.asp#meltemix");
}

// ---- texts

std::string MainController::StatusText() const {
    return ::meltemix::StatusText(state_, report_.CityName);
}

std::string MainController::IpText() const {
    return ::meltemix::IpText(state_, report_.CityName, publicIp_);
}

std::string MainController::InfoText() const {
    return ::meltemix::InfoText(report_, settings_, formats_, dateText_, hijriText_, IpText());
}

// ---- painting and showing

FaceState MainController::faceState() const {
    FaceState face;
    face.report = &report_;
    face.settings = &settings_;
    face.formats = &formats_;
    face.state = state_;
    face.statusText = StatusText();
    face.tempText = report_.Temperature.empty() ? std::string() : TempText(report_);
    face.infoText = infoText_;
    face.active = active_;
    face.gridShown = gridShown_;
    face.trayVisible = host_.trayVisible();
    face.growth = growth_;
    face.alpha = alpha_;
    face.now = host_.localNow();
    return face;
}

void MainController::RebuildFace() {
    if (closing_)
        return;
    const ControlStates controls = UpdateControlStates();
    infoText_ = InfoText();
    FaceState face = faceState();
    face.controls = controls;
    infoHeight_ = host_.paintFace(face);
}

ControlStates MainController::UpdateControlStates() {
    const bool idle = state_ != cnConnecting;
    const bool tray = host_.trayVisible();
    ControlStates c;
    c.exitBtnEnabled = c.exitBtnVisible = active_ && idle;
    c.optionsBtnEnabled = c.optionsBtnVisible = active_ && idle;
    c.hideBtnEnabled = active_ && idle;
    c.hideBtnVisible = tray && idle;
    c.commandsEnabled = idle;
    c.hideActionEnabled = tray && idle;
    host_.applyControlStates(c);
    return c;
}

FadeHooks MainController::fadeHooks() {
    return {[this](std::uint8_t alpha) { host_.handOver(alpha); },
            [this](unsigned milliseconds) { host_.pause(static_cast<int>(milliseconds)); }};
}

void MainController::ShowFaded() {
    host_.showWindow();
    if (settings_.FadeEffect) {
        FadeIn(true, alpha_, FadeStep, FadeDelayMs, 255, fadeHooks());
    } else {
        alpha_ = 255;
        host_.handOver(alpha_);
    }
}

void MainController::HideFaded() {
    FadeOut(settings_.FadeEffect, alpha_, FadeStep, FadeDelayMs, 0, fadeHooks());
    host_.hideWindow();
}

void MainController::StopAutoUpdate() {
    checkTimerOn_ = false;
    host_.setCheckTimer(false, settings_.UpdatePeriod);
}

void MainController::ResumeAutoUpdate() {
    checkTimerOn_ = settings_.AutoUpdate && !closing_;
    host_.setCheckTimer(checkTimerOn_, settings_.UpdatePeriod);
}

void MainController::ApplyAlwaysOnTop() { host_.setTopMost(settings_.AlwaysTop); }

// ---- commands

void MainController::ExitActionExecute() { host_.closeWindow(); }

void MainController::ShowInfoActionExecute() { SetInfoVisible(!settings_.ShowInfoText); }

void MainController::SetInfoVisible(bool visible) {
    settings_.ShowInfoText = visible;
    if (visible)
        host_.showInfoFaded();
    else
        host_.hideInfoFaded();
    file_.writeFlag(keys::ShowInfoText, visible);
    file_.flush();
}

void MainController::HideActionExecute() {
    HideFaded();
    host_.hideInfoFaded();
}

void MainController::ShowActionExecute() {
    host_.bringToForeground();
    ShowFaded();
    if (settings_.ShowInfoText)
        host_.showInfoFaded();
}

void MainController::AboutActionExecute() { host_.showAbout(); }

void MainController::OpenOptions(int page) {
    StopAutoUpdate();
    std::exception_ptr refusal;
    try {
        SaveSettings();
        const auto outcome = host_.runOptions(page);
        if (outcome.ok && !closing_) {
            // A refused tray icon is told after the rest of the result has been applied.
            refusal = loadSettings();
            if (outcome.placeChanged)
                RefreshWeather();
            else
                RebuildFace();
            host_.repaintInfo(InfoText(), infoHeight_);
            if (settings_.ShowInfoText)
                host_.showInfoFaded();
            else
                host_.hideInfoFaded();
        }
    } catch (...) {
        ResumeAutoUpdate();
        throw;
    }
    ResumeAutoUpdate();
    if (refusal)
        std::rethrow_exception(refusal);
}

std::vector<std::string> MainController::FavoriteCaptions() {
    std::vector<std::string> lines = file_.readSectionValues(sections::Favorites);
    std::stable_sort(lines.begin(), lines.end(), TurkishLessIgnoringCase);
    std::vector<std::string> captions;
    for (const std::string& line : lines)
        captions.push_back(line.substr(0, line.find('=')));
    return captions;
}

void MainController::SelectFavorite(const std::string& caption) {
    if (state_ == cnConnecting)
        return;
    const std::string code = file_.readText(sections::Favorites, caption, "");
    if (code.empty())
        return;
    settings_.CityID = code;
    RefreshWeather();
}

// ---- window events

void MainController::FormMouseDown(bool leftButton) {
    if (host_.infoExists()) {
        const ScreenPoint info = host_.infoPosition(), main = host_.windowPosition();
        infoOffset_ = {info.x - main.x, info.y - main.y};
    }
    if (!active_) {
        active_ = true;
        ApplyAlwaysOnTop();
        RebuildFace();
    }
    if (leftButton) {
        host_.dragWindow();
        const ScreenPoint position = host_.windowPosition();
        settings_.Left = position.x;
        settings_.Top = position.y;
        RebuildFace();
    }
}

void MainController::FormMove() {
    if (!host_.infoExists())
        return;
    const ScreenPoint main = host_.windowPosition();
    host_.moveInfo({main.x + infoOffset_.x, main.y + infoOffset_.y});
}

void MainController::DensityChanged(int oldDpi, int newDpi) {
    if (oldDpi <= 0 || newDpi <= 0 || oldDpi == newDpi)
        return;
    const auto scaled = [&](int distance) {
        const long long product = static_cast<long long>(distance) * newDpi;
        // to the nearest pixel, halves away from zero as on either side of the main window
        return static_cast<int>((product + (product < 0 ? -oldDpi : oldDpi) / 2) / oldDpi);
    };
    infoOffset_ = {scaled(infoOffset_.x), scaled(infoOffset_.y)};
}

void MainController::ApplicationDeactivated() {
    active_ = false;
    RebuildFace();
}

void MainController::ShowInstance() {
    host_.restoreApplication();
    if (host_.windowVisible())
        return;
    ShowFaded();
    if (settings_.ShowInfoText)
        host_.showInfoFaded();
}

} // namespace meltemix
