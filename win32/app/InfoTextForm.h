#pragma once

#include "SkinnedForm.h"
#include "WindowAccess.h"
#include "core/app/Placement.h"
#include "core/face/InfoFace.h"
#include "core/settings/MainSettings.h"
#include "core/settings/SettingsFile.h"

#include <functional>
#include <memory>

namespace meltemix {

// The info window: a small skinned window with the details of the current report. The main
// window owns it, decides when it shows, and answers for it what it shows (the inputs).
class TInfoTextForm : public SkinnedForm {
public:
    // What the main window shows now: its skin settings, the details text and its height,
    // its connection state and its stay-on-top setting. Asked at every repaint.
    using InputsSource = std::function<InfoInputs()>;

    // Made hidden at (InfoTextLeft, InfoTextTop) of the settings file. `closeRequested` runs
    // when the close button is clicked; the main window then hides this window.
    // The keys it leaves to the main window (Tab out of it, Escape, F5, the menu key) go
    // to `keys`, with where its focused line is.
    using KeysLeft = std::function<void(const KeyOutcome& outcome, POINT at)>;

    TInfoTextForm(HWND owner, const SettingsFile& settings, InputsSource inputs,
                  std::function<void()> closeRequested, KeysLeft keys);
    ~TInfoTextForm() override;

    void RepaintInfo();
    void ShowFaded();
    void HideFaded();
    // The window's left and top on the screen, as the settings keep them.
    ScreenPoint Position() const;
    ScreenRect Rect() const;
    void MoveTo(int x, int y);
    // The keyboard comes here from the main window, by Tab (or Shift+Tab: `fromEnd`).
    void TakeKeyboardFocus(bool fromEnd);
    using SkinnedForm::ApplyAlwaysOnTop;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Show() override;
    bool mousePressed(int x, int y, bool leftButton) override;
    void mouseReleased(int x, int y) override;
    bool handCursorAt(int x, int y) const override;
    void closeRequested() override;
    void rescaled() override;
    void UpdateToolTip();
    // What the main window gives, with the focus mark of this window.
    InfoInputs inputs() const;
    void UpdateLayered(const Canvas& canvas, std::uint8_t windowAlpha) override;
    void Hide() override;

    InputsSource inputs_;
    KeysLeft keys_;
    std::unique_ptr<WindowAccess> access_;
    std::uint8_t handedAlpha_ = 0;
    std::function<void()> closeRequested_;
    std::unique_ptr<InfoFace> face_;
};

} // namespace meltemix
