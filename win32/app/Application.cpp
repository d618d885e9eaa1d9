#include "Application.h"

#include "Messages.h"
#include "resource.h"

#include <objbase.h>

namespace meltemix {
namespace {
constexpr const wchar_t* ApplicationClass = L"TApplication";
}

Application::Application() {
    // The XML DOM and the shell-link object live in this thread's single-threaded apartment.
    comReady_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    icon_ = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MELTEMIX));
    registerClass(ApplicationClass, icon_);
    create(0, ApplicationClass, ProgramTitle, WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 0,
           nullptr);
    const LONG_PTR exStyle = GetWindowLongPtrW(handle(), GWL_EXSTYLE);
    SetWindowLongPtrW(handle(), GWL_EXSTYLE, exStyle | WS_EX_TOOLWINDOW);
    attach();
}

// The system's close would destroy the owned windows under the program, before it has saved
// where they stand.
LRESULT Application::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE && mainWindow_ && IsWindow(mainWindow_)) {
        PostMessageW(mainWindow_, WM_CLOSE, 0, 0);
        return 0;
    }
    return defaultHandling(message, wParam, lParam);
}

Application::~Application() {
    detach();
    if (handle())
        DestroyWindow(handle());
    if (comReady_)
        CoUninitialize();
}

int Application::run() {
    // The main window's end posts the quit message, but a modal loop the close came in (the
    // system's move loop, for one) may take it for itself: the loop also ends once the main
    // window is gone.
    MSG message;
    while (mainWindow_ && GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

} // namespace meltemix
