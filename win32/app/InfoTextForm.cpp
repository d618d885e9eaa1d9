#include "InfoTextForm.h"

#include "AreaToolTip.h"
#include "win32/platform/GdiplusCanvas.h"
#include "win32/platform/GdiplusLayered.h"

#include <windowsx.h>

namespace meltemix {
namespace {
constexpr const wchar_t* InfoWindowClass = L"TInfoTextForm";
}

TInfoTextForm::TInfoTextForm(HWND owner, const SettingsFile& settings, InputsSource inputs,
                             std::function<void()> closeRequested)
    : inputs_(std::move(inputs)),
      closeRequested_(std::move(closeRequested)),
      pictures_(std::make_unique<GdiplusPictureSource>()) {
    registerClass(InfoWindowClass, nullptr);
    const ScreenPoint at = ReadInfoPosition(settings);
    create(WS_EX_LAYERED | WS_EX_TOOLWINDOW, InfoWindowClass, L"Meltemix! Bilgi", WS_POPUP, at.x,
           at.y, InfoLayout::Width, InfoLayout::Height, owner);
    EnsureLayered(handle());
    surface_ = std::make_unique<GdiplusLayeredSurface>(handle());
    closeTip_ = std::make_unique<AreaToolTip>(handle(), L"Kapat");
    face_ = std::make_unique<InfoFace>(static_cast<InfoWindowHost&>(*this), *pictures_, inputs_());
    UpdateToolTip();
}

TInfoTextForm::~TInfoTextForm() {
    face_.reset(); // no repaint while the window goes
    closeTip_.reset();
    if (handle())
        DestroyWindow(handle());
}

void TInfoTextForm::RepaintInfo() {
    face_->RepaintInfo(inputs_());
    UpdateToolTip();
}

void TInfoTextForm::ShowFaded() {
    face_->ShowFaded();
}

void TInfoTextForm::HideFaded() {
    face_->HideFaded();
}

bool TInfoTextForm::IsVisible() const {
    return IsWindowVisible(handle()) != FALSE;
}

ScreenPoint TInfoTextForm::Position() const {
    RECT rect;
    GetWindowRect(handle(), &rect);
    return {rect.left, rect.top};
}

void TInfoTextForm::MoveTo(int x, int y) {
    SetWindowPos(handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TInfoTextForm::ApplyAlwaysOnTop(bool alwaysTop) {
    SetWindowPos(handle(), alwaysTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

std::unique_ptr<Canvas> TInfoTextForm::NewCanvas(int width, int height) {
    return surface_->NewCanvas(width, height);
}

void TInfoTextForm::UpdateLayered(const Canvas& canvas, std::uint8_t windowAlpha) {
    surface_->UpdateLayered(canvas, windowAlpha);
}

// Shown without taking the focus: it appears beside the main window after each report.
void TInfoTextForm::Show() {
    ShowWindow(handle(), SW_SHOWNOACTIVATE);
}

void TInfoTextForm::Hide() {
    ShowWindow(handle(), SW_HIDE);
}

void TInfoTextForm::Sleep(unsigned milliseconds) {
    ::Sleep(milliseconds);
}

void TInfoTextForm::UpdateToolTip() {
    const PixelRect& close = InfoLayout::CloseBtn;
    closeTip_->SetArea(face_->CloseButtonAt(close.Left, close.Top) ? close : PixelRect{});
}

void TInfoTextForm::MouseDown(UINT message, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    if (face_->CloseButtonAt(x, y)) {
        // The button takes the press, as a control would; only a left click closes.
        if (message == WM_LBUTTONDOWN && closeRequested_)
            closeRequested_();
        return;
    }
    face_->MouseDown(inputs_());
    UpdateToolTip();
    if (message != WM_LBUTTONDOWN)
        return;
    ReleaseCapture();
    SendMessageW(handle(), WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0); // returns on release
    RepaintInfo();
}

bool TInfoTextForm::SetCursorOverButton() {
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(handle(), &point);
    if (!face_->CloseButtonAt(point.x, point.y))
        return false;
    SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
    return true;
}

LRESULT TInfoTextForm::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!face_)
        return defaultHandling(message, wParam, lParam);
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        MouseDown(message, lParam);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            face_->Deactivated(inputs_());
            UpdateToolTip();
        }
        return defaultHandling(message, wParam, lParam);
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && SetCursorOverButton())
            return TRUE;
        return defaultHandling(message, wParam, lParam);
    case WM_CLOSE:
        // Alt+F4 hides it as its close button does; the main window decides.
        if (closeRequested_)
            closeRequested_();
        return 0;
    default:
        return defaultHandling(message, wParam, lParam);
    }
}

} // namespace meltemix
