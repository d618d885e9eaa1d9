#pragma once

#include "Window.h"
#include "core/settings/MainSettings.h"

namespace meltemix {

class Application;

// The main window: borderless, per-pixel alpha, without a task-bar button.
class TMainForm : public Window {
public:
    static constexpr int ClientWidth = 233;
    static constexpr int ClientHeight = 248;

    explicit TMainForm(Application& application);
    ~TMainForm() override;
    TMainForm(const TMainForm&) = delete;
    TMainForm& operator=(const TMainForm&) = delete;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FormDestroy();
    void ShowInstance();
    void DragWindow();
    void RebuildFace();

    MainSettings settings_;
    ScreenPoint infoPosition_;
};

} // namespace meltemix
