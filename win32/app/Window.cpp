#include "Window.h"

#include "ErrorBox.h"

namespace meltemix {

void Window::registerClass(const wchar_t* className, HICON icon) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Window::procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hIcon = icon;
    wc.hIconSm = icon;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = className;
    wc.style = CS_DBLCLKS;
    RegisterClassExW(&wc);
}

HWND Window::create(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                    int x, int y, int width, int height, HWND owner) {
    return CreateWindowExW(exStyle, className, title, style, x, y, width, height, owner, nullptr,
                           GetModuleHandleW(nullptr), this);
}

RECT Window::rect() const {
    RECT r = lastRect_;
    if (hwnd_)
        GetWindowRect(hwnd_, &r);
    return r;
}

LRESULT Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return defaultHandling(message, wParam, lParam);
}

LRESULT Window::defaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<Window*>(created->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && message == WM_DESTROY)
        GetWindowRect(hwnd, &self->lastRect_);
    LRESULT result = 0;
    if (!self || !self->attached_)
        result = DefWindowProcW(hwnd, message, wParam, lParam);
    else if (!RunGuarded(hwnd, [&] { result = self->handleMessage(message, wParam, lParam); }))
        result = 0;
    if (self && message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->attached_ = false;
    }
    return result;
}

} // namespace meltemix
