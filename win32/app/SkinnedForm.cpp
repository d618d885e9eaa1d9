#include "SkinnedForm.h"

#include "AreaToolTip.h"
#include "win32/platform/GdiplusCanvas.h"
#include "win32/platform/GdiplusLayered.h"

#include <windowsx.h>

namespace meltemix {

SkinnedForm::SkinnedForm() : pictures_(std::make_unique<GdiplusPictureSource>()) {}

// Destroyed here, after the derived window and its presenter are gone: the messages of the
// window's end reach none of them.
SkinnedForm::~SkinnedForm() {
    detach();
    closeTip_.reset();
    if (handle())
        DestroyWindow(handle());
}

void SkinnedForm::createSkinned(const wchar_t* className, const wchar_t* title, int x, int y,
                                int width, int height, HWND owner, bool paintedOnce) {
    registerClass(className, nullptr);
    const Dpi system = Dpi::OfWindow(nullptr);
    create(WS_EX_LAYERED | WS_EX_TOOLWINDOW, className, title, WS_POPUP, x, y,
           system.Scale(width), system.Scale(height), owner);
    EnsureLayered(handle());
    surface_ = std::make_unique<GdiplusLayeredSurface>(handle(), Dpi(), !paintedOnce);
    closeTip_ = std::make_unique<AreaToolTip>(handle(), L"Kapat");
    // Where each screen has its own density, the window's may not be the system's.
    takeDpi(Dpi::OfWindow(handle()));
    if (dpi_.value() != system.value())
        SetWindowPos(handle(), nullptr, 0, 0, dpi_.Scale(width), dpi_.Scale(height),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SkinnedForm::takeDpi(Dpi dpi) {
    dpi_ = dpi;
    pictures_->SetDpi(dpi.value());
    surface_->SetDpi(dpi);
    setCloseTipArea(closeTipArea_);
}

PictureSource& SkinnedForm::pictures() {
    return *pictures_;
}

void SkinnedForm::setCloseTipArea(const PixelRect& area) {
    closeTipArea_ = area;
    closeTip_->SetArea(dpi_.Scale(area));
}

bool SkinnedForm::IsVisible() const {
    return IsWindowVisible(handle()) != FALSE;
}

bool SkinnedForm::mousePressed(int, int, bool) {
    return false;
}

void SkinnedForm::mouseReleased(int, int) {}

bool SkinnedForm::handCursorAt(int, int) const {
    return false;
}

void SkinnedForm::closeRequested() {}

std::unique_ptr<Canvas> SkinnedForm::NewCanvas(int width, int height) {
    return surface_->NewCanvas(width, height);
}

void SkinnedForm::UpdateLayered(const Canvas& canvas, std::uint8_t windowAlpha) {
    surface_->UpdateLayered(canvas, windowAlpha);
}

void SkinnedForm::Hide() {
    ShowWindow(handle(), SW_HIDE);
}

void SkinnedForm::Sleep(unsigned milliseconds) {
    ::Sleep(milliseconds);
}

void SkinnedForm::ApplyAlwaysOnTop(bool alwaysTop) {
    SetWindowPos(handle(), alwaysTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool SkinnedForm::setHandCursor() const {
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(handle(), &point);
    if (!handCursorAt(dpi_.Unscale(point.x), dpi_.Unscale(point.y)))
        return false;
    SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
    return true;
}

LRESULT SkinnedForm::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (mousePressed(dpi_.Unscale(GET_X_LPARAM(lParam)), dpi_.Unscale(GET_Y_LPARAM(lParam)),
                         message == WM_LBUTTONDOWN))
            SetCapture(handle());
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() == handle())
            ReleaseCapture();
        mouseReleased(dpi_.Unscale(GET_X_LPARAM(lParam)), dpi_.Unscale(GET_Y_LPARAM(lParam)));
        return 0;
    case WM_DPICHANGED: {
        takeDpi(Dpi(HIWORD(wParam)));
        PlaceWindow(handle(), *reinterpret_cast<const RECT*>(lParam));
        rescaled();
        return 0;
    }
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && setHandCursor())
            return TRUE;
        return defaultHandling(message, wParam, lParam);
    case WM_CLOSE:
        closeRequested();
        return 0;
    default:
        return defaultHandling(message, wParam, lParam);
    }
}

} // namespace meltemix
