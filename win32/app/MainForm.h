#pragma once

#include "AboutForm.h"
#include "InfoTextForm.h"
#include "TrayWindow.h"
#include "Window.h"
#include "WindowAccess.h"
#include "core/app/MainController.h"
#include "core/app/TrayIcon.h"
#include "core/face/MainFace.h"
#include "win32/platform/CriticalSectionLock.h"
#include "win32/platform/Dpi.h"
#include "win32/platform/GdiplusCanvas.h"
#include "win32/platform/GdiplusLayered.h"
#include "win32/platform/InternetDownload.h"
#include "win32/platform/InternetThread.h"
#include "win32/platform/Win32LocaleSource.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace meltemix {

class Application;

// The main window: borderless, per-pixel alpha, without a task-bar button. It turns window
// messages into calls of its controller and does what the controller asks of the platform.
// Its face is laid out at 96 dpi and drawn at the window's density; so are its click areas
// and tooltips.
class TMainForm : public Window, private MainWindowHost {
public:
    static constexpr int ClientWidth = 233;
    static constexpr int ClientHeight = 248;

    // `closing` is called when a close begins: from then on a start is to be a first start,
    // not a hand-over to this instance, which is going.
    TMainForm(Application& application, std::function<void()> closing);
    ~TMainForm() override;
    TMainForm(const TMainForm&) = delete;
    TMainForm& operator=(const TMainForm&) = delete;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    enum Button { NoButton = -1, ExitBtn, HideBtn, OptionsBtn };

    void buildMenus();
    void buildTooltips();
    void placeTooltips();
    void takeDpi(Dpi dpi);
    void densityChanged(Dpi dpi, const RECT& suggested);
    POINT logicalPoint(LPARAM lParam) const;
    void fillFavorites(HMENU submenu);
    void updateMenuStates();
    void command(UINT id);
    Button buttonAt(POINT p) const;
    bool buttonShown(Button b) const;
    void showShortPopup();
    void closeForm();
    void cancelDownloads();
    void endDownloads();
    void FormDestroy();

    // Screen readers and the keyboard (MainFormAccess.cpp).
    std::optional<PixelRect> accessUpdate(const FaceState& face, int moonIndex, int moonPercent);
    void accessRepaint();
    void accessFocus(bool gained);
    bool accessKey(UINT message, WPARAM virtualKey);
    void keyOutcome(const KeyOutcome& outcome, POINT at);
    void accessAction(int child);
    void keyboardShow();
    void giveFocusBack();
    void accessShown(std::uint8_t alpha);

    // MainWindowHost
    void setCheckTimer(bool enabled, std::uint32_t intervalMs) override;
    void setVersionTimer(bool enabled) override;
    void setLoadedTimer(bool enabled) override;
    void setRetryTimer(bool enabled, std::uint32_t intervalMs) override;
    void setTrayRetryTimer(bool enabled, std::uint32_t intervalMs) override;
    void startDownload(Download purpose, const DownloadPlan& plan) override;
    std::string downloadedBytes(Download purpose) override;
    void freeDownload(Download purpose) override;
    void trySecureConnectionsAgain() override;
    ScreenPoint windowPosition() const override;
    ScreenRect windowRect() const override;
    std::vector<ScreenRect> workAreas() const override;
    ScreenRect nearestWorkArea(const ScreenRect& rect) const override;
    void moveWindow(ScreenPoint position) override;
    bool windowVisible() const override;
    void showWindow() override;
    void hideWindow() override;
    void bringToForeground() override;
    void restoreApplication() override;
    void setTopMost(bool topMost) override;
    void closeWindow() override;
    void dragWindow() override;
    void applyControlStates(const ControlStates& states) override;
    int paintFace(const FaceState& face) override;
    void paintSkinOnly(const FaceState& face) override;
    void handOver(std::uint8_t alpha) override;
    void pause(int milliseconds) override;
    void createOwnedWindows() override;
    bool infoExists() const override;
    ScreenPoint infoPosition() const override;
    ScreenRect infoRect() const override;
    void moveInfo(ScreenPoint position) override;
    void showInfoFaded() override;
    void hideInfoFaded() override;
    void repaintInfo(const std::string& infoText, int textHeight) override;
    void setInfoTopMost(bool topMost) override;
    void showAbout() override;
    bool trayVisible() const override;
    void setTrayVisible(bool visible) override;
    void setTrayHint(const std::string& hint) override;
    void showTrayBalloon() override;
    bool askYesNo(const std::string& question) override;
    void openAddress(const std::string& address) override;
    OptionsOutcome runOptions(int page) override;
    SystemTime localNow() const override;

    Application& application_;
    std::function<void()> closing_;
    Win32LocaleSource locale_;
    std::unique_ptr<MainController> controller_;
    std::unique_ptr<TrayWindow> trayWindow_;
    std::unique_ptr<TTrayIcon> tray_;
    // What the live provider learned; shared with the workers, which may outlive the window.
    std::shared_ptr<LiveMemory> live_ = std::make_shared<LiveMemory>(
        SystemTicks, std::make_unique<CriticalSectionLock>());
    std::unique_ptr<TInternetThread> workers_[3];
    std::unique_ptr<GdiplusPictureSource> pictures_;
    std::unique_ptr<GdiplusLayeredSurface> surface_;
    std::unique_ptr<MainFace> face_;
    MainFaceResult painted_;
    std::unique_ptr<TInfoTextForm> info_;
    std::unique_ptr<TAboutForm> about_;
    std::string infoText_;
    int infoHeight_ = 0;
    ControlStates controls_;
    HMENU shortPopup_ = nullptr, trayPopup_ = nullptr;
    HMENU shortFavorites_ = nullptr, trayFavorites_ = nullptr;
    std::vector<std::string> favorites_;
    HWND tooltips_ = nullptr;
    Dpi dpi_;
    Button pressed_ = NoButton;
    bool saved_ = false;
    bool cancelled_ = false; // the downloads, since cancelledAt_ (GetTickCount)
    DWORD cancelledAt_ = 0;
    bool openingMenu_ = false;
    std::unique_ptr<WindowAccess> access_;
    std::optional<PixelRect> marked_; // the focus mark last painted
    HWND focusOrigin_ = nullptr;       // where the keyboard was before the tray icon's Enter
    bool focusFromTray_ = false;
    std::uint8_t handedAlpha_ = 0;
};

} // namespace meltemix
