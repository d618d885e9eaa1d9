#include "InfoTextForm.h"

#include "win32/platform/WideText.h"

namespace meltemix {

TInfoTextForm::TInfoTextForm(HWND owner, const SettingsFile& settings, InputsSource inputs,
                             std::function<void()> closeRequested)
    : inputs_(std::move(inputs)), closeRequested_(std::move(closeRequested)) {
    const ScreenPoint at = ReadInfoPosition(settings);
    createSkinned(L"TInfoTextForm", L"Meltemix! Bilgi", at.x, at.y, InfoLayout::Width,
                  InfoLayout::Height, owner);
    face_ = std::make_unique<InfoFace>(static_cast<SkinWindowHost&>(*this), pictures(), inputs_());
    UpdateToolTip();
    attach();
}

TInfoTextForm::~TInfoTextForm() = default;

void TInfoTextForm::RepaintInfo() {
    const InfoInputs inputs = inputs_();
    face_->RepaintInfo(inputs);
    UpdateToolTip();
    // Never drawn (the window has no caption), but read out by screen readers: the title and
    // the details, one line after the other.
    std::string title = InfoHeaderText;
    if (!inputs.Text.empty())
        title += "\r\n" + inputs.Text;
    SetWindowTextW(handle(), Widen(title).c_str());
}

void TInfoTextForm::ShowFaded() {
    face_->ShowFaded();
}

void TInfoTextForm::HideFaded() {
    face_->HideFaded();
}

ScreenPoint TInfoTextForm::Position() const {
    const ScreenRect rect = Rect();
    return {rect.left, rect.top};
}

ScreenRect TInfoTextForm::Rect() const {
    const RECT r = rect();
    return {r.left, r.top, r.right, r.bottom};
}

void TInfoTextForm::MoveTo(int x, int y) {
    SetWindowPos(handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Shown without taking the focus: it appears beside the main window after each report.
void TInfoTextForm::Show() {
    ShowWindow(handle(), SW_SHOWNOACTIVATE);
}

void TInfoTextForm::UpdateToolTip() {
    const PixelRect& close = InfoLayout::CloseBtn;
    setCloseTipArea(face_->CloseButtonAt(close.Left, close.Top) ? close : PixelRect{});
}

void TInfoTextForm::rescaled() {
    face_->ReloadPictures(pictures());
    RepaintInfo();
}

bool TInfoTextForm::mousePressed(int x, int y, bool leftButton) {
    const InfoPress press = face_->MouseDown(x, y, leftButton, inputs_());
    UpdateToolTip();
    if (press == InfoPress::Drag) {
        ReleaseCapture();
        SendMessageW(handle(), WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0); // returns on release
        RepaintInfo();
    }
    return press == InfoPress::CloseArmed;
}

void TInfoTextForm::mouseReleased(int x, int y) {
    if (face_->MouseUp(x, y) && closeRequested_)
        closeRequested_();
}

bool TInfoTextForm::handCursorAt(int x, int y) const {
    return face_->CloseButtonAt(x, y);
}

// Alt+F4 hides it as its close button does; the main window decides.
void TInfoTextForm::closeRequested() {
    if (closeRequested_)
        closeRequested_();
}

LRESULT TInfoTextForm::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE) {
        face_->Deactivated(inputs_());
        UpdateToolTip();
    }
    return SkinnedForm::handleMessage(message, wParam, lParam);
}

} // namespace meltemix
