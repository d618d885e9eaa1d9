#include "Dpi.h"

namespace meltemix {
namespace {

struct ScreenDc {
    HDC dc = GetDC(nullptr);
    ~ScreenDc() {
        if (dc)
            ReleaseDC(nullptr, dc);
    }
    ScreenDc() = default;
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
};

int SystemDpi() {
    ScreenDc screen;
    return screen.dc ? GetDeviceCaps(screen.dc, LOGPIXELSX) : 0;
}

// Not imported: Windows XP has no such functions and would refuse to start the program.
template <typename Function>
Function User32Function(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<Function>(
                        reinterpret_cast<void*>(GetProcAddress(user32, name)))
                  : nullptr;
}

int WindowDpiOfSystem(HWND window) {
    const auto getDpiForWindow = User32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    return getDpiForWindow && window ? static_cast<int>(getDpiForWindow(window)) : 0;
}

} // namespace

Dpi::Dpi(int dotsPerInch) : dpi_(dotsPerInch > 0 ? dotsPerInch : Standard) {}

Dpi Dpi::OfWindow(HWND window) {
    const int dpi = WindowDpiOfSystem(window);
    return Dpi(dpi > 0 ? dpi : SystemDpi());
}

int Dpi::Scale(int logical) const {
    const long long scaled = static_cast<long long>(logical) * dpi_;
    const long long half = Standard / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / Standard : -((-scaled + half) / Standard));
}

RECT Dpi::FrameAround(const RECT& client, DWORD style, DWORD exStyle) const {
    RECT frame = client;
    using AdjustForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    if (const auto adjust = User32Function<AdjustForDpi>("AdjustWindowRectExForDpi"))
        if (adjust(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi_)))
            return frame;
    frame = client;
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return frame;
}

PixelRect Dpi::Scale(const PixelRect& logical) const {
    const int left = Scale(logical.Left), top = Scale(logical.Top);
    return {left, top, Scale(logical.Left + logical.Width) - left,
            Scale(logical.Top + logical.Height) - top};
}

int Dpi::Unscale(int physical) const {
    // floor((physical + 1/2) / f), in whole numbers
    const long long twice = (2LL * physical + 1) * Standard, divisor = 2LL * dpi_;
    return static_cast<int>(twice >= 0 ? twice / divisor : -((-twice + divisor - 1) / divisor));
}

void PlaceWindow(HWND window, const RECT& at) {
    SetWindowPos(window, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace meltemix
