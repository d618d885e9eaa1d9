#include "AboutForm.h"

#include "AreaToolTip.h"
#include "win32/platform/GdiplusCanvas.h"
#include "win32/platform/GdiplusLayered.h"
#include "win32/platform/WideText.h"

#include <shellapi.h>
#include <windowsx.h>

namespace meltemix {
namespace {
constexpr const wchar_t* AboutWindowClass = L"TAboutForm";
}

TAboutForm::TAboutForm(HWND owner, const Endpoints& endpoints, std::function<bool()> fadeEffect)
    : fadeEffect_(std::move(fadeEffect)),
      projectPage_(ProjectPageAddress(endpoints.Maker)) {
    registerClass(AboutWindowClass, nullptr);
    create(WS_EX_LAYERED | WS_EX_TOOLWINDOW, AboutWindowClass, L"Meltemix! Hakkında...", WS_POPUP,
           0, 0, AboutLayout::Width, AboutLayout::Height, owner);
    EnsureLayered(handle());
    surface_ = std::make_unique<GdiplusLayeredSurface>(handle());
    closeTip_ = std::make_unique<AreaToolTip>(handle(), L"Kapat");
    closeTip_->SetArea(AboutLayout::CloseBtn);
    GdiplusPictureSource pictures; // painted once: nothing to keep them for
    face_ = std::make_unique<AboutFace>(static_cast<SkinWindowHost&>(*this), pictures,
                                        MakeAboutTexts(endpoints.Maker, endpoints.IP),
                                        fadeEffect_ && fadeEffect_());
}

TAboutForm::~TAboutForm() {
    face_.reset();
    closeTip_.reset();
    if (handle())
        DestroyWindow(handle());
}

void TAboutForm::ShowFaded() {
    if (!IsVisible()) {
        const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
        const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
        const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
        const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
        SetWindowPos(handle(), nullptr, left + (width - AboutLayout::Width) / 2,
                     top + (height - AboutLayout::Height) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    face_->ShowFaded(fadeEffect_ && fadeEffect_());
}

void TAboutForm::HideFaded() {
    face_->HideFaded(fadeEffect_ && fadeEffect_());
}

bool TAboutForm::IsVisible() const {
    return IsWindowVisible(handle()) != FALSE;
}

std::unique_ptr<Canvas> TAboutForm::NewCanvas(int width, int height) {
    return surface_->NewCanvas(width, height);
}

void TAboutForm::UpdateLayered(const Canvas& canvas, std::uint8_t windowAlpha) {
    surface_->UpdateLayered(canvas, windowAlpha);
}

void TAboutForm::Show() {
    ShowWindow(handle(), SW_SHOW);
    SetForegroundWindow(handle());
}

void TAboutForm::Hide() {
    ShowWindow(handle(), SW_HIDE);
}

void TAboutForm::Sleep(unsigned milliseconds) {
    ::Sleep(milliseconds);
}

void TAboutForm::Label2Click() {
    // A failure to open the page is not reported.
    ShellExecuteW(handle(), L"open", Widen(projectPage_).c_str(), nullptr, nullptr,
                  SW_SHOWNORMAL);
}

void TAboutForm::MouseDown(UINT message, LPARAM lParam) {
    const AboutClick click = face_->MouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam),
                                              message == WM_LBUTTONDOWN,
                                              fadeEffect_ && fadeEffect_());
    if (click == AboutClick::OpenProjectPage)
        Label2Click();
}

bool TAboutForm::SetCursorOverLink() {
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(handle(), &point);
    if (!face_->HandCursorAt(point.x, point.y))
        return false;
    SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
    return true;
}

LRESULT TAboutForm::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!face_)
        return defaultHandling(message, wParam, lParam);
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        MouseDown(message, lParam);
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && SetCursorOverLink())
            return TRUE;
        return defaultHandling(message, wParam, lParam);
    case WM_CLOSE:
        HideFaded(); // the about window lives as long as the main window
        return 0;
    default:
        return defaultHandling(message, wParam, lParam);
    }
}

} // namespace meltemix
