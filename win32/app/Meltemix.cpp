// The program's entry: refuse systems before XP, hand over to a running instance, or run.
#include "Application.h"
#include "MainForm.h"
#include "Messages.h"
#include "SingleInstance.h"
#include "win32/platform/GdiplusSession.h"

#include <windows.h>

using namespace meltemix;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (!IsSupportedWindowsVersion()) {
        MessageBoxW(nullptr,
                    L"Üzgünüm! Bu program ancak Windows XP veya üzeri işletim sisitemlerinde "
                    L"çalışabilmektedir.",
                    L"Hata", MB_OK | MB_ICONERROR);
        return 0;
    }

    SingleInstance instance;
    if (HWND running = instance.runningWindow()) {
        PostMessageW(running, WM_SHOWINSTANCE, 0, 0);
        SetForegroundWindow(running);
        return 0;
    }

    GdiplusSession gdiplus; // outlives every window and picture
    Application application;
    TMainForm mainForm(application, [&instance] { instance.release(); });
    return application.run();
}
