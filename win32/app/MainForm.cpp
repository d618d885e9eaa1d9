#include "MainForm.h"

#include "AppSettings.h"
#include "Application.h"
#include "ErrorBox.h"
#include "Messages.h"
#include "ModalLoops.h"
#include "OptionsForm.h"
#include "PopupMenu.h"
#include "SingleInstance.h"
#include "core/access/MainAccess.h"
#include "core/weather/DateTime.h"
#include "core/weather/Moon.h"
#include "core/weather/ReportTexts.h"
#include "win32/platform/MsxmlDocument.h"
#include "win32/platform/WideText.h"

#include <commctrl.h>
#include <shellapi.h>

#include <stdexcept>
#include <utility>

namespace meltemix {
namespace {

enum : UINT {
    CmdAbout = 100, CmdAddLoc, CmdRefresh, CmdShowInfo, CmdOptions, CmdExit, CmdShow, CmdHide,
    CmdFavorite = 1000, // + the entry's index
};
enum : UINT_PTR { CheckTimer = 1, VersionTimer = 2, LoadedTimer = 3, RetryTimer = 4,
                  TrayRetryTimer = 5 };

constexpr const char* WelcomeText =
    "Meltemix! çalışıyor! Hemen bulunduğunuz ili seçin ve\r\ntam beş günlük Hava durumunu "
    "öğrenin. Bunun için ana pencerede farenin sağ tuşuna basmanız yeterli. Hem dahası da var...";

const char* const ButtonHints[] = {ExitHint, HideHint, OptionsHint};
constexpr RECT WeatherLblRect = {0, 0, 174, 149};
constexpr UINT_PTR WeatherLblTool = 10;
constexpr UINT_PTR DayTool = 20; // + the tile's index 0..4
constexpr UINT_PTR MoonTool = 25;

constexpr RECT rectOf(const PixelRect& r) { return {r.Left, r.Top, r.Left + r.Width, r.Top + r.Height}; }

// Click areas of the three buttons, in the order of Button.
constexpr RECT ButtonRects[] = {rectOf(MainLayout::ExitBtn), rectOf(MainLayout::HideBtn),
                                rectOf(MainLayout::OptionsBtn)};

// Every tooltip's tool and its area at 96 dpi.
std::vector<std::pair<UINT_PTR, RECT>> TooltipAreas() {
    std::vector<std::pair<UINT_PTR, RECT>> areas;
    for (int b = 0; b < 3; ++b)
        areas.emplace_back(static_cast<UINT_PTR>(b + 1), ButtonRects[b]);
    areas.emplace_back(WeatherLblTool, WeatherLblRect);
    for (std::size_t i = 0; i < MainLayout::DayLbl.size(); ++i)
        areas.emplace_back(DayTool + i, rectOf(MainLayout::DayLbl[i]));
    areas.emplace_back(MoonTool, rectOf(MainLayout::MoonLbl));
    return areas;
}

Download purposeOf(UINT message) {
    return message == WM_WEATHERDATA ? Download::Feed
           : message == WM_IPDATA    ? Download::Ip
                                     : Download::Version;
}

UINT messageOf(Download purpose) {
    return purpose == Download::Feed ? WM_WEATHERDATA
           : purpose == Download::Ip ? WM_IPDATA
                                     : WM_VERSIONDATA;
}

void appendItem(HMENU menu, UINT id, const wchar_t* caption) {
    AppendMenuW(menu, MF_STRING, id, caption);
}

} // namespace

TMainForm::TMainForm(Application& application, std::function<void()> closing)
    : application_(application), closing_(std::move(closing)) {
    registerClass(MainWindowClass, application.icon());
    // Owned by the application's hidden tool window, so it has no task-bar button either.
    const Dpi system = Dpi::OfWindow(nullptr);
    create(WS_EX_LAYERED, MainWindowClass, ProgramTitle, WS_POPUP, 300, 300,
           system.Scale(ClientWidth), system.Scale(ClientHeight), application.ownerWindow());
    if (!handle())
        throw std::runtime_error("The main window cannot be created.");
    // Where each screen has its own density, the window's may not be the system's.
    dpi_ = Dpi::OfWindow(handle());
    if (dpi_.value() != system.value())
        SetWindowPos(handle(), nullptr, 0, 0, dpi_.Scale(ClientWidth), dpi_.Scale(ClientHeight),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    pictures_ = std::make_unique<GdiplusPictureSource>(dpi_.value());
    surface_ = std::make_unique<GdiplusLayeredSurface>(handle(), dpi_);
    face_ = std::make_unique<MainFace>(*surface_, *pictures_);
    buildMenus();
    buildTooltips();
    placeTooltips();

    trayWindow_ = std::make_unique<TrayWindow>(
        handle(), [this] { return trayPopup_; },
        [this] {
            // The shell may broadcast while the window is still being made.
            if (controller_)
                RunGuarded(handle(), [&] { controller_->TaskbarCreated(); });
        });
    tray_ = std::make_unique<TTrayIcon>(*trayWindow_,
                                        reinterpret_cast<std::uintptr_t>(application.icon()),
                                        "Meltemix!");
    trayWindow_->attach(tray_.get());
    tray_->SetHint("Meltemix!");
    tray_->SetIcon(reinterpret_cast<std::uintptr_t>(application.icon()));
    tray_->SetPopupMenu(true);
    tray_->OnDblClick = [this] { RunGuarded(handle(), [&] { controller_->ShowActionExecute(); }); };
    tray_->OnKeySelect = [this] { RunGuarded(handle(), [&] { keyboardShow(); }); };
    tray_->SetBalloonTitle("Meltemix!");
    tray_->SetBalloonFlags(bfInfo);
    tray_->SetBalloonHint(WelcomeText);

    access_ = std::make_unique<WindowAccess>(
        handle(), [this] { return dpi_; },
        [this](int child) { accessAction(child); });
    MainWindowHost& host = *this;
    controller_ = std::make_unique<MainController>(host, AppSettings(), locale_,
                                                   [] { return CreateMsxmlDocument(); });
    attach();
    application.setMainWindow(handle());
    controller_->FormCreate();
    // Visible from the start, at alpha 0 when it is to fade in.
    ShowWindow(handle(), SW_SHOWNOACTIVATE);
}

TMainForm::~TMainForm() {
    closeForm();
    // What may take a while comes once the main window is gone, so that a start meanwhile
    // finds no running instance to hand over to and becomes the program. The icon first:
    // Wine's notification area, for one, takes seconds to let go of it.
    tray_.reset();
    trayWindow_.reset();
    endDownloads();
    if (shortPopup_)
        DestroyMenu(shortPopup_);
    if (trayPopup_)
        DestroyMenu(trayPopup_);
}

// ---- menus and tooltips

void TMainForm::buildMenus() {
    auto build = [](bool tray, HMENU& favorites) {
        HMENU menu = CreatePopupMenu();
        favorites = CreatePopupMenu();
        appendItem(menu, CmdAbout, L"&Meltemix! Hakkında...");
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        appendItem(menu, CmdAddLoc, L"&Yeni Yer Ekle...");
        appendItem(menu, CmdRefresh, L"&Tazele");
        appendItem(menu, CmdShowInfo, L"&Bilgi Ekranı");
        appendItem(menu, CmdOptions, L"&Ayarlar...");
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(favorites),
                    tray ? L"Favori Şehirlerim" : L"&Favori Şehirlerim");
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        if (tray) {
            appendItem(menu, CmdShow, L"&Göster");
            appendItem(menu, CmdHide, L"Gi&zle");
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        }
        appendItem(menu, CmdExit, L"&Kapat");
        return menu;
    };
    shortPopup_ = build(false, shortFavorites_);
    trayPopup_ = build(true, trayFavorites_);
}

void TMainForm::fillFavorites(HMENU submenu) {
    while (GetMenuItemCount(submenu) > 0)
        DeleteMenu(submenu, 0, MF_BYPOSITION);
    favorites_ = controller_->FavoriteCaptions();
    if (favorites_.empty()) {
        AppendMenuW(submenu, MF_STRING | MF_GRAYED, 0, L"Favori Listesi Boş");
        return;
    }
    for (std::size_t i = 0; i < favorites_.size(); ++i)
        AppendMenuW(submenu, MF_STRING, CmdFavorite + static_cast<UINT>(i),
                    Widen(favorites_[i]).c_str());
}

void TMainForm::updateMenuStates() {
    for (HMENU menu : {shortPopup_, trayPopup_}) {
        const UINT commands = controls_.commandsEnabled ? MF_ENABLED : MF_GRAYED;
        for (UINT id : {CmdOptions, CmdExit, CmdRefresh, CmdAddLoc})
            EnableMenuItem(menu, id, MF_BYCOMMAND | commands);
        EnableMenuItem(menu, CmdHide,
                       MF_BYCOMMAND | (controls_.hideActionEnabled ? MF_ENABLED : MF_GRAYED));
        CheckMenuItem(menu, CmdShowInfo,
                      MF_BYCOMMAND | (controller_->showInfoChecked() ? MF_CHECKED : MF_UNCHECKED));
    }
}

void TMainForm::buildTooltips() {
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&init);
    tooltips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX,
                                0, 0, 0, 0, handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!tooltips_)
        return;
    // Buttons first: where they overlap the big picture, the button's hint wins.
    for (const auto& [id, rect] : TooltipAreas()) {
        TOOLINFOW tool = {};
        tool.cbSize = TTTOOLINFOW_V1_SIZE;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = handle();
        tool.uId = id;
        tool.rect = rect;
        tool.lpszText = LPSTR_TEXTCALLBACKW;
        SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

// The tools' rectangles at the window's density.
void TMainForm::placeTooltips() {
    if (!tooltips_)
        return;
    SendMessageW(tooltips_, TTM_SETMAXTIPWIDTH, 0, dpi_.Scale(400));
    for (const auto& [id, rect] : TooltipAreas()) {
        TOOLINFOW tool = {};
        tool.cbSize = TTTOOLINFOW_V1_SIZE;
        tool.hwnd = handle();
        tool.uId = id;
        tool.rect = {dpi_.Scale(rect.left), dpi_.Scale(rect.top), dpi_.Scale(rect.right),
                     dpi_.Scale(rect.bottom)};
        SendMessageW(tooltips_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void TMainForm::takeDpi(Dpi dpi) {
    dpi_ = dpi;
    pictures_->SetDpi(dpi.value());
    surface_->SetDpi(dpi);
    if (face_)
        face_->ReloadPictures();
    placeTooltips();
}

void TMainForm::densityChanged(Dpi dpi, const RECT& suggested) {
    const int old = dpi_.value();
    takeDpi(dpi);
    controller_->DensityChanged(old, dpi.value());
    PlaceWindow(handle(), suggested);
    controller_->FormMove(); // the info window at its new distance, even where only the size changed
    controller_->RebuildFace();
}

POINT TMainForm::logicalPoint(LPARAM lParam) const {
    return {dpi_.Unscale(static_cast<short>(LOWORD(lParam))),
            dpi_.Unscale(static_cast<short>(HIWORD(lParam)))};
}

// ---- buttons

bool TMainForm::buttonShown(Button b) const {
    switch (b) {
    case ExitBtn: return controls_.exitBtnVisible && controls_.exitBtnEnabled;
    case HideBtn: return controls_.hideBtnVisible && controls_.hideBtnEnabled;
    case OptionsBtn: return controls_.optionsBtnVisible && controls_.optionsBtnEnabled;
    default: return false;
    }
}

TMainForm::Button TMainForm::buttonAt(POINT p) const {
    for (int b = ExitBtn; b <= OptionsBtn; ++b)
        if (PtInRect(&ButtonRects[b], p) && buttonShown(static_cast<Button>(b)))
            return static_cast<Button>(b);
    return NoButton;
}

void TMainForm::command(UINT id) {
    switch (id) {
    case CmdAbout: controller_->AboutActionExecute(); break;
    case CmdAddLoc: controller_->AddLocActionExecute(); break;
    case CmdRefresh: controller_->RefreshActionExecute(); break;
    case CmdShowInfo: controller_->ShowInfoActionExecute(); break;
    case CmdOptions: controller_->OptionsActionExecute(); break;
    case CmdExit: controller_->ExitActionExecute(); break;
    case CmdShow: controller_->ShowActionExecute(); break;
    case CmdHide: controller_->HideActionExecute(); break;
    default:
        if (id >= CmdFavorite && id - CmdFavorite < favorites_.size())
            controller_->SelectFavorite(favorites_[id - CmdFavorite]);
        break;
    }
}

void TMainForm::showShortPopup() {
    POINT p = {};
    GetCursorPos(&p);
    openingMenu_ = true;
    ShowPopupMenu(handle(), shortPopup_, p.x, p.y);
    openingMenu_ = false;
}

// ---- messages

LRESULT TMainForm::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_WEATHERDATA:
    case WM_IPDATA:
    case WM_VERSIONDATA:
        controller_->OnDownloaded(purposeOf(message), static_cast<int>(lParam));
        return 0;
    case WM_SHOWINSTANCE:
        controller_->ShowInstance();
        return 0;
    case WM_TIMER:
        if (wParam == CheckTimer)
            controller_->CheckTimerTimer();
        else if (wParam == VersionTimer)
            controller_->VersionTimerTimer();
        else if (wParam == LoadedTimer)
            controller_->LoadedTimerTimer();
        else if (wParam == RetryTimer)
            controller_->RetryTimerTimer();
        else if (wParam == TrayRetryTimer)
            controller_->TrayRetryTimerTimer();
        return 0;
    case WM_LBUTTONDOWN: {
        const POINT p = logicalPoint(lParam);
        pressed_ = buttonAt(p);
        if (pressed_ == NoButton)
            controller_->FormMouseDown(true);
        return 0;
    }
    case WM_LBUTTONUP: {
        const POINT p = logicalPoint(lParam);
        const Button released = buttonAt(p);
        if (released != NoButton && released == pressed_)
            command(released == ExitBtn ? CmdExit : released == HideBtn ? CmdHide : CmdOptions);
        pressed_ = NoButton;
        return 0;
    }
    case WM_LBUTTONDBLCLK:
        controller_->RefreshActionExecute();
        return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        controller_->FormMouseDown(false);
        return 0;
    case WM_RBUTTONUP:
        showShortPopup();
        return 0;
    case WM_INITMENUPOPUP: {
        const HMENU menu = reinterpret_cast<HMENU>(wParam);
        if (menu == shortPopup_ || menu == trayPopup_) {
            updateMenuStates();
            fillFavorites(menu == shortPopup_ ? shortFavorites_ : trayFavorites_);
        }
        return 0;
    }
    case WM_COMMAND:
        if (HIWORD(wParam) == 0)
            command(LOWORD(wParam));
        return 0;
    case WM_SETCURSOR: {
        POINT p = {};
        GetCursorPos(&p);
        ScreenToClient(handle(), &p);
        if (LOWORD(lParam) == HTCLIENT &&
            buttonAt({dpi_.Unscale(p.x), dpi_.Unscale(p.y)}) != NoButton) {
            SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
            return TRUE;
        }
        return defaultHandling(message, wParam, lParam);
    }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom == tooltips_ && header->code == TTN_GETDISPINFOW) {
            auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
            static std::wstring text;
            const UINT_PTR id = header->idFrom;
            if (id == WeatherLblTool)
                text = Widen(controller_->InfoText()); // built when it is about to show
            else if (id >= DayTool && id < DayTool + 5 && painted_.DayHints[id - DayTool])
                text = Widen(*painted_.DayHints[id - DayTool]);
            else if (id == MoonTool && painted_.MoonHint)
                text = Widen(*painted_.MoonHint);
            else if (id >= 1 && id <= 3 && buttonShown(static_cast<Button>(id - 1)))
                text = Widen(ButtonHints[id - 1]);
            else
                text.clear();
            info->lpszText = const_cast<wchar_t*>(text.c_str());
        }
        return 0;
    }
    case WM_MOVE:
        controller_->FormMove();
        return 0;
    case WM_DPICHANGED:
        densityChanged(Dpi(HIWORD(wParam)), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DISPLAYCHANGE: {
        // Where the system's density is the window's, a display change can change it too.
        const Dpi now = Dpi::OfWindow(handle());
        if (now.value() != dpi_.value()) {
            RECT at = {};
            GetWindowRect(handle(), &at);
            densityChanged(now, {at.left, at.top, at.left + now.Scale(ClientWidth),
                                 at.top + now.Scale(ClientHeight)});
        }
        controller_->DisplayChanged();
        return 0;
    }
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETWORKAREA)
            controller_->DisplayChanged();
        return defaultHandling(message, wParam, lParam);
    case WM_ACTIVATEAPP:
        if (!wParam)
            controller_->ApplicationDeactivated();
        else if (openingMenu_ && !controller_->active())
            controller_->FormMouseDown(false); // the click's activation, given back for its menu
        return 0;
    case WM_POWERBROADCAST:
        if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND)
            controller_->SystemResumed();
        return TRUE;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam)
            controller_->SessionEnding();
        return 0;
    case WM_CLOSE:
        if (closing_)
            std::exchange(closing_, nullptr)();
        // A download that hangs must not hold the close: it is ended now, while the windows
        // fade out.
        cancelDownloads();
        // The close may have come inside a drag, a menu, a dialog or a box: each ends, and
        // what started it finds the program closing and starts nothing more.
        EndModalLoops();
        RunGuarded(handle(), [&] { controller_->FormClose(); });
        closeForm();
        return 0;
    case WM_GETOBJECT:
        if (const std::optional<LRESULT> object = access_->GetObject(wParam, lParam))
            return *object;
        return defaultHandling(message, wParam, lParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        accessFocus(message == WM_SETFOCUS);
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (accessKey(message, wParam))
            return 0;
        return defaultHandling(message, wParam, lParam);
    case WM_ACCESSACTION:
        access_->ActionPosted(wParam);
        return 0;
    case WM_DESTROY:
        access_->Disconnect();
        FormDestroy();
        return 0;
    default:
        return defaultHandling(message, wParam, lParam);
    }
}

void TMainForm::closeForm() {
    // Saved while the info window still stands: the system destroys owned windows before
    // their owner hears of its own destruction. The loop must end even when the settings
    // cannot be written; the user has seen why.
    if (!saved_) {
        saved_ = true;
        RunGuarded(handle(), [&] { controller_->FormDestroy(); });
    }
    about_.reset();
    info_.reset();
    if (handle())
        DestroyWindow(handle());
}

void TMainForm::FormDestroy() {
    application_.setMainWindow(nullptr);
    for (UINT_PTR timer : {CheckTimer, VersionTimer, LoadedTimer, RetryTimer, TrayRetryTimer})
        KillTimer(handle(), timer);
    cancelDownloads();
    PostQuitMessage(0);
}

void TMainForm::cancelDownloads() {
    if (!cancelled_) {
        cancelled_ = true;
        cancelledAt_ = GetTickCount();
    }
    for (auto& worker : workers_)
        if (worker)
            worker->Cancel();
}

// WinInet ends most calls on a handle that is closed under them, but not every one (a name
// lookup runs to its end): the workers get a second from the close's start at most, and one
// still running then is left to the process's end, which follows at once.
void TMainForm::endDownloads() {
    constexpr DWORD GraceMs = 1000;
    cancelDownloads();
    for (auto& worker : workers_) {
        if (!worker)
            continue;
        const DWORD spent = GetTickCount() - cancelledAt_;
        if (worker->WaitEnd(spent < GraceMs ? GraceMs - spent : 0))
            worker.reset();
        else
            TInternetThread::Abandon(std::move(worker));
    }
}

// ---- MainWindowHost: timers and workers

void TMainForm::setCheckTimer(bool enabled, std::uint32_t intervalMs) {
    KillTimer(handle(), CheckTimer);
    if (enabled)
        SetTimer(handle(), CheckTimer, intervalMs, nullptr);
}

void TMainForm::setVersionTimer(bool enabled) {
    if (enabled)
        SetTimer(handle(), VersionTimer, 3000, nullptr);
    else
        KillTimer(handle(), VersionTimer);
}

void TMainForm::setLoadedTimer(bool enabled) {
    if (enabled)
        SetTimer(handle(), LoadedTimer, 250, nullptr);
    else
        KillTimer(handle(), LoadedTimer);
}

void TMainForm::setRetryTimer(bool enabled, std::uint32_t intervalMs) {
    KillTimer(handle(), RetryTimer);
    if (enabled)
        SetTimer(handle(), RetryTimer, intervalMs, nullptr);
}

void TMainForm::setTrayRetryTimer(bool enabled, std::uint32_t intervalMs) {
    KillTimer(handle(), TrayRetryTimer);
    if (enabled)
        SetTimer(handle(), TrayRetryTimer, intervalMs, nullptr);
}

void TMainForm::startDownload(Download purpose, const DownloadPlan& plan) {
    auto& worker = workers_[static_cast<int>(purpose)];
    worker = std::make_unique<TInternetThread>(handle(), messageOf(purpose),
                                               DownloadJob(plan, live_));
    worker->Start();
}

std::string TMainForm::downloadedBytes(Download purpose) {
    const auto& worker = workers_[static_cast<int>(purpose)];
    return worker ? worker->ResultText() : std::string();
}

void TMainForm::freeDownload(Download purpose) { workers_[static_cast<int>(purpose)].reset(); }

void TMainForm::trySecureConnectionsAgain() { live_->Plain.forgetAll(); }

// ---- MainWindowHost: the window

ScreenPoint TMainForm::windowPosition() const {
    const RECT r = rect();
    return {r.left, r.top};
}

ScreenRect TMainForm::windowRect() const {
    const RECT r = rect();
    return {r.left, r.top, r.right, r.bottom};
}

namespace {
BOOL CALLBACK collectWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM context) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info)) {
        const RECT& w = info.rcWork;
        reinterpret_cast<std::vector<ScreenRect>*>(context)->push_back(
            {w.left, w.top, w.right, w.bottom});
    }
    return TRUE;
}
} // namespace

std::vector<ScreenRect> TMainForm::workAreas() const {
    std::vector<ScreenRect> areas;
    EnumDisplayMonitors(nullptr, nullptr, &collectWorkArea, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

ScreenRect TMainForm::nearestWorkArea(const ScreenRect& rect) const {
    const RECT r = {rect.left, rect.top, rect.right, rect.bottom};
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info))
        return {};
    return {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
}

void TMainForm::moveWindow(ScreenPoint p) {
    SetWindowPos(handle(), nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TMainForm::windowVisible() const { return IsWindowVisible(handle()) != FALSE; }
void TMainForm::showWindow() { ShowWindow(handle(), SW_SHOWNOACTIVATE); }
void TMainForm::hideWindow() {
    ShowWindow(handle(), SW_HIDE);
    access_->Shown(false);
    handedAlpha_ = 0;
}
void TMainForm::bringToForeground() { SetForegroundWindow(handle()); }

void TMainForm::restoreApplication() {
    if (IsIconic(handle()))
        ShowWindow(handle(), SW_RESTORE);
}

void TMainForm::setTopMost(bool topMost) {
    SetWindowPos(handle(), topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TMainForm::closeWindow() { PostMessageW(handle(), WM_CLOSE, 0, 0); }

void TMainForm::dragWindow() {
    ReleaseCapture();
    SendMessageW(handle(), WM_SYSCOMMAND, 0xF012, 0); // returns when the button is released
}

void TMainForm::applyControlStates(const ControlStates& states) { controls_ = states; }

int TMainForm::paintFace(const FaceState& face) {
    MainFaceInputs inputs;
    inputs.Report = *face.report;
    inputs.StatusText = face.statusText;
    inputs.Active = face.active;
    inputs.ExitBtnShown = face.controls.exitBtnVisible;
    inputs.HideBtnShown = face.controls.hideBtnVisible;
    inputs.OptionsBtnShown = face.controls.optionsBtnVisible;
    inputs.GridShown = face.gridShown;
    inputs.Growth = face.growth;
    if (const auto now = EncodeDateTime(face.now)) {
        inputs.MoonIndex = MoonIndex(*now);
        inputs.MoonPhasePercent = MoonPhasePercent(*now);
    }
    inputs.Skin = SkinSettingsOf(*face.settings);
    inputs.TempFontName = face.settings->TempFontName;
    inputs.CityFontName = face.settings->CityFontName;
    inputs.Formats = *face.formats;
    inputs.InfoText = face.infoText;
    inputs.FocusMark = accessUpdate(face, inputs.MoonIndex, inputs.MoonPhasePercent);
    painted_ = face_->RebuildFace(inputs, face.alpha);
    // The borderless window's title is never drawn; screen readers announce it, so it tells
    // what the face shows, as the tray's tool tip does.
    SetWindowTextW(handle(), Widen(TrayHintText(face.state, *face.report)).c_str());
    return painted_.InfoTextHeight;
}

void TMainForm::paintSkinOnly(const FaceState& face) {
    face_->RepaintSkinOnly(SkinSettingsOf(*face.settings), face.growth, face.alpha);
}

void TMainForm::handOver(std::uint8_t alpha) {
    face_->UpdateLayered(alpha);
    accessShown(alpha);
}
void TMainForm::pause(int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }

// ---- MainWindowHost: the info and about windows

void TMainForm::createOwnedWindows() {
    auto inputs = [this] {
        const MainSettings& settings = controller_->settings();
        InfoInputs in;
        in.Skin = SkinSettingsOf(settings);
        in.FadeEffect = settings.FadeEffect;
        in.Text = infoText_;
        in.TextHeight = infoHeight_;
        in.MainState = controller_->state();
        in.AlwaysTop = settings.AlwaysTop;
        return in;
    };
    infoText_ = controller_->InfoText();
    info_ = std::make_unique<TInfoTextForm>(
        handle(), AppSettings(), inputs,
        [this] { RunGuarded(handle(), [&] { controller_->SetInfoVisible(false); }); },
        [this](const KeyOutcome& outcome, POINT at) {
            RunGuarded(handle(), [&] { keyOutcome(outcome, at); });
        });
    about_ = std::make_unique<TAboutForm>(handle(), controller_->endpoints(),
                                          [this] { return controller_->settings().FadeEffect; });
}

bool TMainForm::infoExists() const { return info_ != nullptr; }
ScreenPoint TMainForm::infoPosition() const { return info_->Position(); }

ScreenRect TMainForm::infoRect() const {
    return info_->Rect();
}

void TMainForm::moveInfo(ScreenPoint p) {
    if (info_)
        info_->MoveTo(p.x, p.y);
}

void TMainForm::showInfoFaded() {
    if (info_)
        info_->ShowFaded();
}

void TMainForm::hideInfoFaded() {
    if (info_)
        info_->HideFaded();
}

void TMainForm::repaintInfo(const std::string& infoText, int textHeight) {
    infoText_ = infoText;
    infoHeight_ = textHeight;
    if (info_)
        info_->RepaintInfo();
}

void TMainForm::setInfoTopMost(bool topMost) {
    if (info_)
        info_->ApplyAlwaysOnTop(topMost);
}

void TMainForm::showAbout() {
    if (about_)
        about_->ShowFaded();
}

// ---- MainWindowHost: tray, questions, shell, clock

bool TMainForm::trayVisible() const { return tray_ && tray_->Visible(); }
void TMainForm::setTrayVisible(bool visible) { tray_->SetVisible(visible); }
void TMainForm::setTrayHint(const std::string& hint) { tray_->SetHint(hint); }
void TMainForm::showTrayBalloon() { tray_->ShowBalloonHint(); }

bool TMainForm::askYesNo(const std::string& question) {
    return MessageBoxW(handle(), Widen(question).c_str(), ProgramTitle,
                       MB_YESNO | MB_ICONINFORMATION) == IDYES;
}

void TMainForm::openAddress(const std::string& address) {
    ShellExecuteW(handle(), L"open", Widen(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

MainWindowHost::OptionsOutcome TMainForm::runOptions(int page) {
    const auto outcome = RunOptionsDialog(handle(), page, live_.get());
    return {outcome.ok, outcome.placeChanged};
}

SystemTime TMainForm::localNow() const {
    SYSTEMTIME t = {};
    GetLocalTime(&t);
    SystemTime s;
    s.wYear = t.wYear;
    s.wMonth = t.wMonth;
    s.wDayOfWeek = t.wDayOfWeek;
    s.wDay = t.wDay;
    s.wHour = t.wHour;
    s.wMinute = t.wMinute;
    s.wSecond = t.wSecond;
    s.wMilliseconds = t.wMilliseconds;
    return s;
}

} // namespace meltemix
