#pragma once

#include "SkinnedForm.h"
#include "core/face/AboutFace.h"
#include "core/settings/Endpoints.h"

#include <functional>
#include <memory>

namespace meltemix {

// The about window: painted once when first shown (most runs never show it, and a painted
// face at a high density is much memory to hold for nothing), then only faded in and out. A
// click anywhere hides it, except on the link, which opens its page.
class TAboutForm : public SkinnedForm {
public:
    // `fadeEffect` answers the main window's current FadeEffect setting.
    TAboutForm(HWND owner, const Endpoints& endpoints, std::function<bool()> fadeEffect);
    ~TAboutForm() override;

    // Centred on the desktop and faded in; nothing when it is showing already.
    void ShowFaded();
    void HideFaded();

private:
    void Show() override;
    bool mousePressed(int x, int y, bool leftButton) override;
    void mouseReleased(int x, int y) override;
    bool handCursorAt(int x, int y) const override;
    void closeRequested() override;
    void rescaled() override;
    void Label2Click();
    bool fading() const;
    // Painted the first time it is asked for.
    AboutFace& face();

    std::function<bool()> fadeEffect_;
    AboutTexts texts_;
    std::unique_ptr<AboutFace> face_;
};

} // namespace meltemix
