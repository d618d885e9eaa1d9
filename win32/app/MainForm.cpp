#include "MainForm.h"

#include "AppSettings.h"
#include "Application.h"
#include "ErrorBox.h"
#include "LayeredPanel.h"
#include "Messages.h"
#include "SingleInstance.h"

namespace meltemix {

TMainForm::TMainForm(Application& application) {
    registerClass(MainWindowClass, application.icon());
    LoadSettings(AppSettings(), settings_);
    infoPosition_ = ReadInfoPosition(AppSettings());

    // Owned by the application's hidden tool window, so it has no task-bar button either.
    create(WS_EX_LAYERED, MainWindowClass, ProgramTitle, WS_POPUP, settings_.Left, settings_.Top,
           ClientWidth, ClientHeight, application.ownerWindow());
    RebuildFace();
    ShowWindow(handle(), SW_SHOWNOACTIVATE);
}

TMainForm::~TMainForm() {
    if (handle())
        DestroyWindow(handle());
}

void TMainForm::RebuildFace() {
    PaintGlassPanel(handle(), ClientWidth, ClientHeight, settings_.BackColor, 255);
}

LRESULT TMainForm::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SHOWINSTANCE:
        ShowInstance();
        return 0;
    case WM_LBUTTONDOWN:
        DragWindow();
        return 0;
    case WM_CLOSE:
        DestroyWindow(handle());
        return 0;
    case WM_DESTROY:
        FormDestroy();
        return 0;
    default:
        return defaultHandling(message, wParam, lParam);
    }
}

void TMainForm::ShowInstance() {
    if (!IsWindowVisible(handle()))
        ShowWindow(handle(), SW_SHOWNOACTIVATE);
    SetForegroundWindow(handle());
}

void TMainForm::DragWindow() {
    ReleaseCapture();
    SendMessageW(handle(), WM_SYSCOMMAND, 0xF012, 0); // move by dragging; returns on release
    RECT rect;
    GetWindowRect(handle(), &rect);
    settings_.Left = rect.left;
    settings_.Top = rect.top;
}

void TMainForm::FormDestroy() {
    // The loop must end even when the settings cannot be written; the user has seen why.
    RunGuarded(nullptr, [&] {
        RECT rect;
        GetWindowRect(handle(), &rect);
        settings_.Left = rect.left;
        settings_.Top = rect.top;
        SaveSettings(AppSettings(), settings_, infoPosition_);
    });
    PostQuitMessage(0);
}

} // namespace meltemix
