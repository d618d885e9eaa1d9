#pragma once

#include "Window.h"
#include "core/app/TrayIcon.h"

#include <shellapi.h>

#include <functional>

namespace meltemix {

// The tray icon's platform side: a hidden top-level window that receives the shell's
// callbacks and its "TaskbarCreated" broadcast (a message-only window would miss that),
// Shell_NotifyIconW with the version-2 record, the animation timer and the popup menu.
class TrayWindow : public Window, public TrayShell {
public:
    // `menuOwner` receives the popup menu's commands; `popup` returns the menu to show;
    // `shellRestarted` hears of a new notification area, once the icon knows it is not in it.
    TrayWindow(HWND menuOwner, std::function<HMENU()> popup,
               std::function<void()> shellRestarted);
    ~TrayWindow() override;
    TrayWindow(const TrayWindow&) = delete;
    TrayWindow& operator=(const TrayWindow&) = delete;

    void attach(TCustomTrayIcon* icon) { icon_ = icon; }

    bool notify(NotifyCommand command, const NotifyRecord& record) override;
    void cursorPos(int& x, int& y) const override;
    TShiftState keyState() const override;
    void setAnimationTimer(bool enabled, std::uint32_t intervalMs) override;
    void popupMenu(int x, int y) override;
    bool setVersion(int version) override;
    bool returnFocus() override;
    bool iconCentre(int& x, int& y) const override;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    NOTIFYICONDATAW identity() const;

    HWND menuOwner_;
    std::function<HMENU()> popup_;
    std::function<void()> shellRestarted_;
    TCustomTrayIcon* icon_ = nullptr;
    UINT taskbarCreated_ = 0;
};

} // namespace meltemix
