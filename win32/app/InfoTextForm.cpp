#include "InfoTextForm.h"

#include "PopupMenu.h"
#include "core/access/MainAccess.h"
#include "win32/platform/WideText.h"

namespace meltemix {

TInfoTextForm::TInfoTextForm(HWND owner, const SettingsFile& settings, InputsSource inputs,
                             std::function<void()> closeRequested, KeysLeft keys)
    : inputs_(std::move(inputs)), keys_(std::move(keys)),
      closeRequested_(std::move(closeRequested)) {
    const ScreenPoint at = ReadInfoPosition(settings);
    createSkinned(L"TInfoTextForm", L"Meltemix! Bilgi", at.x, at.y, InfoLayout::Width,
                  InfoLayout::Height, owner);
    access_ = std::make_unique<WindowAccess>(handle(), [this] { return dpi(); }, nullptr);
    const InfoInputs first = inputs_();
    access_->Update(InfoAccessTree(first.Text, first.TextHeight));
    face_ = std::make_unique<InfoFace>(static_cast<SkinWindowHost&>(*this), pictures(), first);
    UpdateToolTip();
    attach();
}

TInfoTextForm::~TInfoTextForm() = default;

InfoInputs TInfoTextForm::inputs() const {
    InfoInputs in = inputs_();
    in.FocusMark = access_->Mark();
    return in;
}

void TInfoTextForm::RepaintInfo() {
    const InfoInputs given = inputs_();
    access_->Update(InfoAccessTree(given.Text, given.TextHeight));
    const InfoInputs inputs = this->inputs();
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
    const InfoPress press = face_->MouseDown(x, y, leftButton, inputs());
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

void TInfoTextForm::TakeKeyboardFocus(bool fromEnd) {
    access_->ExpectKeyboardFocus(fromEnd);
    TakeForeground(handle());
}

void TInfoTextForm::UpdateLayered(const Canvas& canvas, std::uint8_t windowAlpha) {
    SkinnedForm::UpdateLayered(canvas, windowAlpha);
    // A fade's end, at full opacity: screen readers hear the window appear now.
    const bool ended = windowAlpha == 255 && handedAlpha_ != 255 && IsVisible();
    handedAlpha_ = windowAlpha;
    if (ended)
        access_->Shown(true);
}

void TInfoTextForm::Hide() {
    SkinnedForm::Hide();
    access_->Shown(false);
    handedAlpha_ = 0;
}

LRESULT TInfoTextForm::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            face_->Deactivated(inputs());
            UpdateToolTip();
        }
        break;
    case WM_GETOBJECT:
        if (const std::optional<LRESULT> object = access_->GetObject(wParam, lParam))
            return *object;
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        const std::optional<PixelRect> before = access_->Mark();
        if (message == WM_SETFOCUS)
            access_->FocusGained(false);
        else
            access_->FocusLost();
        if (access_->Mark() != before)
            RepaintInfo();
        return 0;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (const std::optional<AccessKey> key = AccessKeyOf(message, wParam)) {
            const KeyOutcome outcome = access_->Key(*key);
            RepaintInfo(); // the mark shows, or moves
            if (outcome.What != KeyOutcome::FocusMoved && outcome.What != KeyOutcome::Nothing &&
                keys_)
                keys_(outcome, access_->FocusedCentre());
            return 0;
        }
        break;
    case WM_DESTROY:
        access_->Disconnect();
        break;
    default:
        break;
    }
    return SkinnedForm::handleMessage(message, wParam, lParam);
}

} // namespace meltemix
