#pragma once

#include "Window.h"
#include "core/face/AboutFace.h"
#include "core/settings/Endpoints.h"

#include <functional>
#include <memory>

namespace meltemix {

class AreaToolTip;
class GdiplusLayeredSurface;

// The about window: painted once when made, then only faded in and out. A click anywhere
// hides it, except on the web address, which opens the project page.
class TAboutForm : public Window, private SkinWindowHost {
public:
    // `fadeEffect` answers the main window's current FadeEffect setting.
    TAboutForm(HWND owner, const Endpoints& endpoints, std::function<bool()> fadeEffect);
    ~TAboutForm() override;
    TAboutForm(const TAboutForm&) = delete;
    TAboutForm& operator=(const TAboutForm&) = delete;

    // Centred on the desktop and faded in; nothing when it is showing already.
    void ShowFaded();
    void HideFaded();
    bool IsVisible() const override;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // SkinWindowHost.
    std::unique_ptr<Canvas> NewCanvas(int width, int height) override;
    void UpdateLayered(const Canvas& canvas, std::uint8_t windowAlpha) override;
    void Show() override;
    void Hide() override;
    void Sleep(unsigned milliseconds) override;

    void MouseDown(UINT message, LPARAM lParam);
    void Label2Click();
    bool SetCursorOverLink();

    std::function<bool()> fadeEffect_;
    std::string projectPage_;
    std::unique_ptr<GdiplusLayeredSurface> surface_;
    std::unique_ptr<AreaToolTip> closeTip_;
    std::unique_ptr<AboutFace> face_;
};

} // namespace meltemix
