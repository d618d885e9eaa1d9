// A main window of the program's class that will not close: it ignores WM_CLOSE, as a hung
// or stubborn copy of the program would, so that the setup's tests can see what the setup
// does when the program it has to replace does not end. WM_APP ends it.
#include <windows.h>

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        return 0;
    case WM_APP:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"TMainForm";
    if (!RegisterClassW(&windowClass))
        return 1;
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, L"TMainForm", L"Meltemix!", WS_POPUP, 300,
                                  300, 120, 80, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    ShowWindow(window, SW_SHOWNOACTIVATE);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
