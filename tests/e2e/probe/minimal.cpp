// The smallest program that shows what the widget shows at the least: a 233 x 248 layered
// window with GDI+ text, drawn at the screen's density as the widget's windows are (350 x 372
// at 144 dpi). Its memory is the yardstick for the real program's.
#include <windows.h>
#include <objidl.h> // left out by WIN32_LEAN_AND_MEAN, needed by the GDI+ headers

#include <algorithm>
using std::max; // the GDI+ headers expect the macros NOMINMAX removes
using std::min;
#include <gdiplus.h>

#include <cstdint>

namespace {

// The screen's density: the window is drawn at it, as the widget's are.
int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int Scaled(int size, int dpi) {
    return MulDiv(size, dpi, 96);
}

void paint(HWND window, int dpi) {
    using namespace Gdiplus;
    Bitmap canvas(Scaled(233, dpi), Scaled(248, dpi), PixelFormat32bppARGB);
    {
        Graphics graphics(&canvas);
        graphics.ScaleTransform(dpi / 96.0f, dpi / 96.0f);
        graphics.SetTextRenderingHint(TextRenderingHintAntiAlias);
        SolidBrush panel(Color(150, 40, 40, 40));
        graphics.FillRectangle(&panel, 30, 47, 195, 194);
        LOGFONTW logfont = {};
        logfont.lfHeight = -35;
        logfont.lfWeight = FW_BOLD;
        lstrcpyW(logfont.lfFaceName, L"Arial");
        HDC screen = GetDC(nullptr);
        Font font(screen, &logfont);
        ReleaseDC(nullptr, screen);
        SolidBrush white(Color(255, 255, 255, 255));
        graphics.DrawString(L"24°", -1, &font, PointF(150, 56), &white);
    }
    HBITMAP bitmap = nullptr;
    canvas.GetHBITMAP(Color(0, 0, 0, 0), &bitmap);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    POINT source = {0, 0};
    SIZE size = {Scaled(233, dpi), Scaled(248, dpi)};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UpdateLayeredWindow(window, screen, nullptr, &size, memory, &source, 0, &blend, ULW_ALPHA);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.lpszClassName = L"TMinimalForm";
    RegisterClassExW(&wc);
    const int dpi = ScreenDpi();
    HWND window = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, wc.lpszClassName, L"Minimal",
                                  WS_POPUP, 300, 300, Scaled(233, dpi), Scaled(248, dpi), nullptr,
                                  nullptr, instance, nullptr);
    paint(window, dpi);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
