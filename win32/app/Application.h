#pragma once

#include "Window.h"

namespace meltemix {

// The application object: COM for this thread, and the hidden top-level window that owns
// the program's windows. It carries WS_EX_TOOLWINDOW, so the program never has a task-bar
// button: the tray icon and the main window are its only presence.
class Application : public Window {
public:
    Application();
    ~Application() override;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    HWND ownerWindow() const { return handle(); }
    HICON icon() const { return icon_; }
    // The window whose close is the program's: where the system closes the application
    // (a task manager's "end task", taskkill), the program closes as its "&Kapat" does.
    void setMainWindow(HWND window) { mainWindow_ = window; }
    // Runs the message loop until the main window has been destroyed.
    int run();

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HWND mainWindow_ = nullptr;
    bool comReady_ = false;
    HICON icon_ = nullptr;
};

} // namespace meltemix
