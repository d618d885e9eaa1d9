#include "TrayWindow.h"

#include "PopupMenu.h"

#include "win32/platform/WideText.h"

#include <shellapi.h>

#include <algorithm>

namespace meltemix {
namespace {
constexpr const wchar_t* TrayWindowClass = L"TTrayIconWindow";
constexpr UINT_PTR AnimationTimer = 1;

template <std::size_t N>
void copyText(wchar_t (&target)[N], const std::string& utf8) {
    const std::wstring wide = Widen(utf8);
    const std::size_t count = std::min(wide.size(), N - 1);
    std::copy_n(wide.begin(), count, target);
    target[count] = L'\0';
}
} // namespace

TrayWindow::TrayWindow(HWND menuOwner, std::function<HMENU()> popup,
                       std::function<void()> shellRestarted)
    : menuOwner_(menuOwner), popup_(std::move(popup)), shellRestarted_(std::move(shellRestarted)) {
    registerClass(TrayWindowClass, nullptr);
    create(0, TrayWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr);
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    Window::attach(); // each handler asks for the icon it serves first
}

TrayWindow::~TrayWindow() {
    detach();
    if (handle()) {
        KillTimer(handle(), AnimationTimer);
        DestroyWindow(handle());
    }
}

NOTIFYICONDATAW TrayWindow::identity() const {
    NOTIFYICONDATAW data = {};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE; // the balloon fields, understood since XP
    data.hWnd = handle();
    data.uID = static_cast<UINT>(reinterpret_cast<UINT_PTR>(handle()));
    return data;
}

bool TrayWindow::notify(NotifyCommand command, const NotifyRecord& record) {
    NOTIFYICONDATAW data = identity();
    data.uFlags = record.flags;
    data.uCallbackMessage = NotifyRecord::CallbackMessage;
    data.hIcon = reinterpret_cast<HICON>(record.icon);
    copyText(data.szTip, record.tip);
    copyText(data.szInfo, record.info);
    copyText(data.szInfoTitle, record.infoTitle);
    data.uTimeout = record.timeout;
    data.dwInfoFlags = record.infoFlags;
    const DWORD verb = command == NotifyCommand::Add      ? NIM_ADD
                       : command == NotifyCommand::Modify ? NIM_MODIFY
                                                          : NIM_DELETE;
    return Shell_NotifyIconW(verb, &data) != FALSE;
}

bool TrayWindow::setVersion(int version) {
    NOTIFYICONDATAW data = identity();
    data.uVersion = static_cast<UINT>(version);
    return Shell_NotifyIconW(NIM_SETVERSION, &data) != FALSE;
}

bool TrayWindow::returnFocus() {
    NOTIFYICONDATAW data = identity();
    return Shell_NotifyIconW(NIM_SETFOCUS, &data) != FALSE;
}

// Windows 7 and later tell where an icon is; the function is looked up, as XP lacks it.
bool TrayWindow::iconCentre(int& x, int& y) const {
    struct Identifier {
        DWORD cbSize;
        HWND hWnd;
        UINT uID;
        GUID guidItem;
    };
    using GetRect = HRESULT(WINAPI*)(const Identifier*, RECT*);
    const HMODULE shell = GetModuleHandleW(L"shell32.dll");
    const auto getRect = shell ? reinterpret_cast<GetRect>(reinterpret_cast<void (*)()>(
                                     GetProcAddress(shell, "Shell_NotifyIconGetRect")))
                               : nullptr;
    if (!getRect)
        return false;
    const Identifier identifier = {sizeof(Identifier), handle(),
                                   static_cast<UINT>(reinterpret_cast<UINT_PTR>(handle())), {}};
    RECT rect = {};
    if (getRect(&identifier, &rect) != S_OK || rect.right <= rect.left || rect.bottom <= rect.top)
        return false;
    x = (rect.left + rect.right) / 2;
    y = (rect.top + rect.bottom) / 2;
    return true;
}

void TrayWindow::cursorPos(int& x, int& y) const {
    POINT p = {};
    GetCursorPos(&p);
    x = p.x;
    y = p.y;
}

TShiftState TrayWindow::keyState() const {
    TShiftState s;
    s.shift = GetKeyState(VK_SHIFT) < 0;
    s.ctrl = GetKeyState(VK_CONTROL) < 0;
    s.alt = GetKeyState(VK_MENU) < 0;
    return s;
}

void TrayWindow::setAnimationTimer(bool enabled, std::uint32_t intervalMs) {
    if (!handle())
        return;
    if (enabled)
        SetTimer(handle(), AnimationTimer, intervalMs, nullptr);
    else
        KillTimer(handle(), AnimationTimer);
}

void TrayWindow::popupMenu(int x, int y) {
    if (HMENU menu = popup_ ? popup_() : nullptr)
        ShowPopupMenu(menuOwner_, menu, x, y);
}

LRESULT TrayWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        if (icon_)
            icon_->TaskbarCreated();
        if (shellRestarted_)
            shellRestarted_();
        return 0;
    }
    switch (message) {
    case WM_QUERYENDSESSION:
        return 1;
    case WM_DESTROY:
        // Closed by the system before the program ends (taskkill closes every top-level
        // window): the icon must not stay behind, dead, in the notification area.
        if (icon_)
            icon_->SessionEnding();
        return 0;
    case WM_ENDSESSION:
        if (wParam && icon_)
            icon_->SessionEnding();
        return 0;
    case WM_TIMER:
        if (wParam == AnimationTimer && icon_)
            icon_->AnimationTick();
        return 0;
    case NotifyRecord::CallbackMessage:
        if (icon_)
            icon_->Callback(static_cast<std::uint64_t>(wParam),
                            static_cast<std::uint64_t>(static_cast<ULONG_PTR>(lParam)),
                            static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(handle())));
        return 0;
    default:
        return defaultHandling(message, wParam, lParam);
    }
}

} // namespace meltemix
