#pragma once

#include <windows.h>

namespace meltemix {

// Base of the program's window classes: the window procedure finds the object through
// GWLP_USERDATA and hands it every message once the derived window has attached, that is
// once what its handlers use exists. Before that (CreateWindowExW sends WM_NCCREATE,
// WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE and more, SetWindowPos and ShowWindow theirs)
// and after it detaches, messages get the system's default handling. An error a handler
// raises ends in the error box and the program goes on.
class Window {
public:
    virtual ~Window() = default;
    HWND handle() const { return hwnd_; }
    // Where the window stands; once the system has destroyed it (with its owner, say), where
    // it last stood, so that what is saved after is still the user's arrangement.
    RECT rect() const;

protected:
    static void registerClass(const wchar_t* className, HICON icon);
    HWND create(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                int x, int y, int width, int height, HWND owner);
    void attach() { attached_ = true; }
    void detach() { attached_ = false; }
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT defaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    bool attached_ = false;
    RECT lastRect_ = {};
};

} // namespace meltemix
