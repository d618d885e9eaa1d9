#include "AboutForm.h"

#include "win32/platform/GdiplusPictureSource.h"
#include "win32/platform/WideText.h"

#include <shellapi.h>

namespace meltemix {

TAboutForm::TAboutForm(HWND owner, const Endpoints& endpoints, std::function<bool()> fadeEffect)
    : fadeEffect_(std::move(fadeEffect)), texts_(MakeAboutTexts(endpoints)) {
    createSkinned(L"TAboutForm", L"Meltemix! Hakkında...", 0, 0, AboutLayout::Width,
                  AboutLayout::Height, owner, true);
    setCloseTipArea(AboutLayout::CloseBtn);
    attach();
}

AboutFace& TAboutForm::face() {
    if (!face_) {
        GdiplusPictureSource pictures(dpi().value()); // painted once: nothing to keep them for
        face_ = std::make_unique<AboutFace>(static_cast<SkinWindowHost&>(*this), pictures,
                                            texts_, fading());
    }
    return *face_;
}

void TAboutForm::rescaled() {
    if (!face_)
        return; // painted at the density it has when first shown
    GdiplusPictureSource pictures(dpi().value());
    face_->Paint(pictures);
}

TAboutForm::~TAboutForm() = default;

bool TAboutForm::fading() const {
    return fadeEffect_ && fadeEffect_();
}

void TAboutForm::ShowFaded() {
    if (!IsVisible()) {
        const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
        const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
        const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
        const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
        RECT own = {};
        GetWindowRect(handle(), &own);
        SetWindowPos(handle(), nullptr, left + (width - (own.right - own.left)) / 2,
                     top + (height - (own.bottom - own.top)) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    face().ShowFaded(fading());
}

void TAboutForm::HideFaded() {
    if (face_)
        face_->HideFaded(fading());
}

void TAboutForm::Show() {
    ShowWindow(handle(), SW_SHOW);
    SetForegroundWindow(handle());
}

void TAboutForm::Label2Click() {
    // A failure to open the page is not reported.
    ShellExecuteW(handle(), L"open", Widen(texts_.Link).c_str(), nullptr, nullptr,
                  SW_SHOWNORMAL);
}

bool TAboutForm::mousePressed(int x, int y, bool leftButton) {
    const AboutClick click = face().MouseDown(x, y, leftButton, fading());
    if (click == AboutClick::OpenLink)
        Label2Click();
    return click == AboutClick::CloseArmed;
}

void TAboutForm::mouseReleased(int x, int y) {
    face().MouseUp(x, y, fading());
}

bool TAboutForm::handCursorAt(int x, int y) const {
    return face_ && face_->HandCursorAt(x, y);
}

void TAboutForm::closeRequested() {
    HideFaded(); // the about window lives as long as the main window
}

} // namespace meltemix
