#pragma once

#include "Window.h"
#include "core/face/InfoFace.h"
#include "core/settings/MainSettings.h"
#include "core/settings/SettingsFile.h"

#include <functional>
#include <memory>

namespace meltemix {

class AreaToolTip;
class GdiplusLayeredSurface;
class GdiplusPictureSource;

// The info window: a small skinned window with the details of the current report. The main
// window owns it, decides when it shows, and answers for it what it shows (the inputs).
class TInfoTextForm : public Window, private InfoWindowHost {
public:
    // What the main window shows now: its skin settings, the details text and its height,
    // its connection state and its stay-on-top setting. Asked at every repaint.
    using InputsSource = std::function<InfoInputs()>;

    // Made hidden at (InfoTextLeft, InfoTextTop) of the settings file. `closeRequested` runs
    // when the close button is clicked; the main window then hides this window.
    TInfoTextForm(HWND owner, const SettingsFile& settings, InputsSource inputs,
                  std::function<void()> closeRequested);
    ~TInfoTextForm() override;
    TInfoTextForm(const TInfoTextForm&) = delete;
    TInfoTextForm& operator=(const TInfoTextForm&) = delete;

    void RepaintInfo();
    void ShowFaded();
    void HideFaded();
    bool IsVisible() const override;
    // The window's left and top on the screen, as the settings keep them.
    ScreenPoint Position() const;
    void MoveTo(int x, int y);
    void ApplyAlwaysOnTop(bool alwaysTop) override;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // InfoWindowHost.
    std::unique_ptr<Canvas> NewCanvas(int width, int height) override;
    void UpdateLayered(const Canvas& canvas, std::uint8_t windowAlpha) override;
    void Show() override;
    void Hide() override;
    void Sleep(unsigned milliseconds) override;

    void MouseDown(UINT message, LPARAM lParam);
    bool SetCursorOverButton();
    void UpdateToolTip();

    InputsSource inputs_;
    std::function<void()> closeRequested_;
    std::unique_ptr<GdiplusPictureSource> pictures_;
    std::unique_ptr<GdiplusLayeredSurface> surface_;
    std::unique_ptr<AreaToolTip> closeTip_;
    std::unique_ptr<InfoFace> face_;
};

} // namespace meltemix
