// The main window for screen readers and the keyboard: what its parts are called, the keys
// over them, the tray icon's Enter and Escape back. The window's procedure only forwards.
#include "MainForm.h"

#include "PopupMenu.h"
#include "core/access/MainAccess.h"

namespace meltemix {

std::optional<PixelRect> TMainForm::accessUpdate(const FaceState& face, int moonIndex,
                                                 int moonPercent) {
    MainAccessInputs in;
    in.Report = *face.report;
    in.State = face.state;
    in.OptionsShown = face.controls.optionsBtnVisible && face.controls.optionsBtnEnabled;
    in.HideShown = face.controls.hideBtnVisible && face.controls.hideBtnEnabled;
    in.ExitShown = face.controls.exitBtnVisible && face.controls.exitBtnEnabled;
    in.MoonIndex = moonIndex;
    in.MoonPhasePercent = moonPercent;
    in.InfoShown = controller_->showInfoChecked();
    access_->Update(MainAccessTree(in));
    marked_ = access_->Mark();
    return marked_;
}

// The mark follows the focus: the face is painted anew when it moves, comes or goes.
void TMainForm::accessRepaint() {
    if (access_->Mark() != marked_)
        controller_->RebuildFace();
}

void TMainForm::accessFocus(bool gained) {
    if (gained)
        access_->FocusGained(false);
    else
        access_->FocusLost();
    accessRepaint();
}

bool TMainForm::accessKey(UINT message, WPARAM virtualKey) {
    const std::optional<AccessKey> key = AccessKeyOf(message, virtualKey);
    if (!key)
        return false;
    // The keyboard makes the window active as a click does: its buttons show.
    if (!controller_->active())
        controller_->FormMouseDown(false);
    keyOutcome(access_->Key(*key), access_->FocusedCentre());
    accessRepaint();
    return true;
}

// What a key in either window of the widget asks for; `at` is where its focused part is.
void TMainForm::keyOutcome(const KeyOutcome& outcome, POINT at) {
    switch (outcome.What) {
    case KeyOutcome::Activate:
        accessAction(outcome.Child);
        break;
    case KeyOutcome::Refresh:
        controller_->RefreshActionExecute();
        break;
    case KeyOutcome::OpenMenu:
        openingMenu_ = true;
        ShowPopupMenu(handle(), shortPopup_, at.x, at.y);
        openingMenu_ = false;
        break;
    case KeyOutcome::LeaveForward:
    case KeyOutcome::LeaveBackward: {
        const bool backwards = outcome.What == KeyOutcome::LeaveBackward;
        // On to the details window when it shows; else round to the other end of this one.
        if (GetFocus() == handle() && info_ && info_->IsVisible()) {
            info_->TakeKeyboardFocus(backwards);
        } else if (GetFocus() == handle()) {
            access_->FocusGained(true, backwards);
        } else {
            access_->ExpectKeyboardFocus(backwards);
            TakeForeground(handle());
        }
        break;
    }
    case KeyOutcome::GiveBack:
        if (GetFocus() != handle()) { // from the details window: back to this one
            access_->ExpectKeyboardFocus(false);
            TakeForeground(handle());
        } else {
            giveFocusBack();
        }
        break;
    case KeyOutcome::FocusMoved:
    case KeyOutcome::Nothing:
        break;
    }
}

void TMainForm::accessAction(int child) {
    const AccessNode* node = access_->Tree().Node(child);
    switch (node ? node->Action : AccessAction::None) {
    case AccessAction::ToggleInfo:
        controller_->ShowInfoActionExecute();
        break;
    case AccessAction::Options:
        controller_->OptionsActionExecute();
        break;
    case AccessAction::Hide:
        controller_->HideActionExecute();
        break;
    case AccessAction::Exit:
        controller_->ExitActionExecute();
        break;
    case AccessAction::None:
        break;
    }
}

// Enter or Space on the tray icon: the widget shown if hidden, and the keyboard on it.
void TMainForm::keyboardShow() {
    const HWND foreground = GetForegroundWindow();
    if (foreground == handle() && IsWindowVisible(handle()))
        return; // it has the keyboard already
    focusOrigin_ = foreground;
    focusFromTray_ = true;
    access_->ExpectKeyboardFocus(false);
    controller_->ShowActionExecute();
    TakeForeground(handle());
    if (!controller_->active())
        controller_->FormMouseDown(false); // the buttons show, as after a click
    accessRepaint();
}

// Escape: the keyboard goes back to the tray icon when it came from there and the shell
// takes it, else to the window that had it.
void TMainForm::giveFocusBack() {
    const bool fromTray = std::exchange(focusFromTray_, false);
    const HWND origin = std::exchange(focusOrigin_, nullptr);
    if (fromTray && trayWindow_ && trayWindow_->returnFocus())
        return;
    if (origin && IsWindow(origin) && origin != handle() && GetAncestor(origin, GA_ROOTOWNER) !=
                                                                 GetAncestor(handle(), GA_ROOTOWNER))
        SetForegroundWindow(origin);
    else if (HWND shell = GetShellWindow())
        SetForegroundWindow(shell);
}

// A fade's end: shown at full opacity, or hidden.
void TMainForm::accessShown(std::uint8_t alpha) {
    const bool ended = alpha == 255 && handedAlpha_ != 255 && IsWindowVisible(handle());
    handedAlpha_ = alpha;
    if (ended)
        access_->Shown(true);
}

} // namespace meltemix
