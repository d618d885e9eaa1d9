// The fair yardstick of the memory measurement: minimal.exe's layered window with GDI+ text,
// which also uses once each system service the widget uses: the XML DOM, one download
// through WinInet, one PNG drawn (from Contents\Resources@2x above 96 dpi), the common
// controls with a tooltip, and the tray. What the widget holds beyond this is its own.
//   floor.exe URL   (run in a folder with Contents\Resources)
#include <windows.h>
#include <objidl.h> // left out by WIN32_LEAN_AND_MEAN, needed by the GDI+ headers
#include <oleauto.h>

#include <algorithm>
using std::max; // the GDI+ headers expect the macros NOMINMAX removes
using std::min;
#include <gdiplus.h>

#include <commctrl.h>
#include <shellapi.h>
#include <wininet.h>

#include <string>

namespace {

struct InternetHandle {
    HINTERNET h;
    ~InternetHandle() {
        if (h)
            InternetCloseHandle(h);
    }
};

std::string Download(const wchar_t* url) {
    std::string body;
    InternetHandle session{InternetOpenW(L"Floor", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0)};
    if (!session.h)
        return body;
    InternetHandle request{InternetOpenUrlW(session.h, url, nullptr, 0,
                                            INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0)};
    if (!request.h)
        return body;
    char buffer[4096];
    DWORD read = 0;
    while (InternetReadFile(request.h, buffer, sizeof buffer, &read) && read > 0)
        body.append(buffer, read);
    return body;
}

// The document read into the DOM and let go, as the widget reads a feed.
void ReadWithDom(const std::string& text) {
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(L"Microsoft.XMLDOM", &clsid)))
        return;
    IDispatch* dom = nullptr;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(&dom))))
        return;
    OLECHAR* name = const_cast<OLECHAR*>(L"loadXML");
    DISPID id = 0;
    if (SUCCEEDED(dom->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id))) {
        const std::wstring wide(text.begin(), text.end());
        VARIANT argument;
        VariantInit(&argument);
        argument.vt = VT_BSTR;
        argument.bstrVal = SysAllocString(wide.c_str());
        DISPPARAMS parameters = {&argument, nullptr, 1, 0};
        VARIANT result;
        VariantInit(&result);
        dom->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, &result,
                    nullptr, nullptr);
        VariantClear(&result);
        VariantClear(&argument);
    }
    dom->Release();
}

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
        Bitmap picture(dpi > 96 ? L"Contents\\Resources@2x\\Big\\Earth.png"
                                : L"Contents\\Resources\\Big\\Earth.png");
        graphics.DrawImage(&picture, 0.0f, 0.0f, 174.0f, 149.0f);
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

HWND AddToolTip(HWND window) {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = 1;
    tool.rect = {0, 0, 174, 149};
    tool.lpszText = const_cast<wchar_t*>(L"Parçalı Bulutlu");
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    return tip;
}

NOTIFYICONDATAW TrayIcon(HWND window) {
    NOTIFYICONDATAW icon = {};
    icon.cbSize = sizeof icon;
    icon.hWnd = window;
    icon.uID = 1;
    icon.uFlags = NIF_ICON | NIF_TIP;
    icon.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    lstrcpyW(icon.szTip, L"Floor");
    return icon;
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    CoInitialize(nullptr);
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.lpszClassName = L"TFloorForm";
    RegisterClassExW(&wc);
    const int dpi = ScreenDpi();
    HWND window = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, wc.lpszClassName, L"Floor",
                                  WS_POPUP, 300, 300, Scaled(233, dpi), Scaled(248, dpi), nullptr,
                                  nullptr, instance, nullptr);
    paint(window, dpi);
    AddToolTip(window);
    NOTIFYICONDATAW icon = TrayIcon(window);
    Shell_NotifyIconW(NIM_ADD, &icon);
    ReadWithDom(Download(commandLine));
    ShowWindow(window, SW_SHOWNOACTIVATE);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    Shell_NotifyIconW(NIM_DELETE, &icon);
    Gdiplus::GdiplusShutdown(token);
    CoUninitialize();
    return 0;
}
