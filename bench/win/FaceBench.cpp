// Times what a repaint of the windows costs with the real GDI+ canvas: the main window's face
// (full, skin only, and the eleven skin-only steps of the unrolling), the info window's face, and one hand-over of the main window's
// canvas to a real layered window. Median of 200 runs each; pictures come from
// Contents\Resources below the working directory, and missing ones are reported.
// "facebench --hold SECONDS" then shows the main face with the real info and about windows
// beside it for that long, to be looked at (or photographed on a virtual screen).
// "facebench --scale F" times the faces drawn for a screen of F times the density, F from 1 to
// 3 (1.5: 144 dpi, 2: 192 dpi), with the pictures of Contents\Resources@2x.
#include "AboutForm.h"
#include "InfoTextForm.h"
#include "core/face/InfoFace.h"
#include "core/face/MainFace.h"
#include "win32/platform/Dpi.h"
#include "win32/platform/GdiplusCanvas.h"
#include "win32/platform/GdiplusLayered.h"
#include "win32/platform/GdiplusSession.h"
#include "win32/platform/Win32ProfileStore.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using namespace meltemix;

namespace {

constexpr int Runs = 200;
constexpr int WarmUp = 5;

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void Report(const char* what, const std::function<void()>& run) {
    for (int i = 0; i < WarmUp; ++i)
        run();
    std::vector<double> times;
    times.reserve(Runs);
    for (int i = 0; i < Runs; ++i) {
        const double start = Now();
        run();
        times.push_back(Now() - start);
    }
    std::sort(times.begin(), times.end());
    const double median = (times[Runs / 2 - 1] + times[Runs / 2]) / 2;
    std::printf("%-34s median %8.3f ms   min %8.3f   max %8.3f   (%d runs)\n", what, median,
                times.front(), times.back(), Runs);
}

// Hands over only when asked, so that painting and hand-over are timed apart.
class SwitchedSurface : public SkinWindowHost {
public:
    SwitchedSurface(HWND window, Dpi dpi) : real_(window, dpi), window_(window) {}
    bool handOver = false;

    std::unique_ptr<Canvas> NewCanvas(int width, int height) override {
        return real_.NewCanvas(width, height);
    }
    void UpdateLayered(const Canvas& canvas, std::uint8_t alpha) override {
        if (handOver)
            real_.UpdateLayered(canvas, alpha);
    }
    bool IsVisible() const override { return IsWindowVisible(window_) != FALSE; }
    void Show() override { ShowWindow(window_, SW_SHOWNOACTIVATE); }
    void Hide() override { ShowWindow(window_, SW_HIDE); }
    void Sleep(unsigned milliseconds) override { ::Sleep(milliseconds); }
    void ApplyAlwaysOnTop(bool) override {}

private:
    GdiplusLayeredSurface real_;
    HWND window_;
};

HWND MakeLayeredWindow(int width, int height) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"FaceBench";
    RegisterClassExW(&wc);
    return CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, L"FaceBench", L"FaceBench", WS_POPUP,
                           100, 100, width, height, nullptr, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
}

MainFaceInputs Istanbul() {
    MainFaceInputs in;
    TWeatherReport& r = in.Report;
    r.CityName = "Istanbul";
    r.ConditionCode = "30";
    r.Temperature = "21";
    r.Sunrise = "6:47 am";
    r.Sunset = "4:40 pm";
    r.ConditionDate = "Mon, 07 Dec 2026 1:50 pm EET";
    r.Forecast = {{{"Mon", "9", "14", "30"},
                   {"Tue", "8", "12", "11"},
                   {"Wed", "-3", "2", "14"},
                   {"Thu", "1", "6", "28"},
                   {"Fri", "5", "10", "32"}}};
    in.StatusText = "Istanbul";
    in.Active = true;
    in.ExitBtnShown = in.HideBtnShown = in.OptionsBtnShown = true;
    in.GridShown = true;
    in.Growth = 4.0f;
    in.MoonIndex = 14;
    in.MoonPhasePercent = 97;
    in.InfoText = "Parçalı Bulutlu\r\nNem oranı: %67\r\nIP: 192.0.2.10";
    return in;
}

int CountFound(GdiplusPictureSource& source, const std::vector<std::string>& names) {
    int found = 0;
    for (const std::string& name : names)
        if (!source.Load(ResourcePath(name))->Empty())
            ++found;
    return found;
}

} // namespace

// Shows the faces at work: the main face, the real info window beside it, the about window.
void Hold(HWND mainWindow, MainFace& face, const MainFaceInputs& inputs, int seconds) {
    face.RebuildFace(inputs, 255);
    RECT main;
    GetWindowRect(mainWindow, &main);

    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    Win32ProfileStore store(std::wstring(folder) + L"facebench.ini");
    SettingsFile settings(store);
    InfoInputs info;
    info.Text = inputs.InfoText;
    info.TextHeight = face.RebuildFace(inputs, 255).InfoTextHeight;
    info.FadeEffect = true;
    TInfoTextForm infoForm(nullptr, settings, [&info] { return info; }, [] {}, nullptr);
    infoForm.MoveTo(main.right + 10, main.top);
    infoForm.ShowFaded();
    Endpoints endpoints;
    endpoints.Maker = endpoints.IP = "http://127.0.0.1:8642";
    TAboutForm about(nullptr, endpoints, [] { return true; });
    about.ShowFaded();

    const DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
    while (GetTickCount() < end) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(20);
    }
    about.HideFaded();
    infoForm.HideFaded();
}

int wmain(int argc, wchar_t** argv) {
    int holdSeconds = 0;
    double scale = 1;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring option = argv[i];
        if (option == L"--hold")
            holdSeconds = _wtoi(argv[i + 1]);
        else if (option == L"--scale")
            scale = _wtof(argv[i + 1]);
    }
    if (!(scale >= 1 && scale <= 3)) {
        std::printf("--scale takes a factor from 1 to 3\n");
        return 2;
    }
    const Dpi dpi(static_cast<int>(scale * Dpi::Standard + 0.5));
    GdiplusSession gdiplus;
    if (!gdiplus.Started()) {
        std::printf("GDI+ did not start\n");
        return 1;
    }
    std::printf("at %d dpi\n", dpi.value());
    GdiplusPictureSource pictures(dpi.value());
    const std::vector<std::string> fixed = {
        "Colorize\\Top.png",         "Colorize\\Mid.png",  "Colorize\\Base.png",
        "Colorize\\Top Overlay.png", "Colorize\\Mid Overlay.png", "Colorize\\Base Overlay.png",
        "UI\\Reflection.png",        "UI\\Close.png",      "UI\\Less.png",
        "UI\\Options.png",           "UI\\Grid.png",       "Big\\Earth.png",
        "Big\\Sun.png",              "Big\\None.png"};
    const std::vector<std::string> perRepaint = {
        "Big\\Clouds.png", "Tiny\\Clouds.png", "Tiny\\Showers.png", "Tiny\\Snow.png",
        "Tiny\\Sun And Clouds.png", "Tiny\\Sun.png", "Tiny\\Moons\\14.png"};
    std::printf("pictures found: %d of %zu kept, %d of %zu read at each repaint\n",
                CountFound(pictures, fixed), fixed.size(), CountFound(pictures, perRepaint),
                perRepaint.size());

    const HWND window =
        MakeLayeredWindow(dpi.Scale(MainLayout::Width), dpi.Scale(MainLayout::Height));
    if (!window) {
        std::printf("no layered window\n");
        return 1;
    }
    SwitchedSurface surface(window, dpi);
    surface.handOver = true;
    MainFace face(surface, pictures);
    const MainFaceInputs inputs = Istanbul();
    face.RebuildFace(inputs, 255);
    ShowWindow(window, SW_SHOWNOACTIVATE);

    surface.handOver = false;
    MainFaceResult result;
    Report("main face, full repaint (painting)", [&] { result = face.RebuildFace(inputs, 255); });
    Report("main face, skin only (painting)", [&] { face.RepaintSkinOnly(inputs.Skin, 4.0f, 255); });
    // The first report's unrolling: the panel grows by a quarter at each step, every step at a
    // size of its own.
    Report("main face, unrolling (11 steps)", [&] {
        for (float growth = 1.5f; growth <= 4.0f; growth += 0.25f)
            face.RepaintSkinOnly(inputs.Skin, growth, 255);
    });
    face.RebuildFace(inputs, 255);
    surface.handOver = true;
    const std::string handOver = "UpdateLayeredWindow of " +
                                 std::to_string(dpi.Scale(MainLayout::Width)) + " x " +
                                 std::to_string(dpi.Scale(MainLayout::Height));
    Report(handOver.c_str(), [&] { face.UpdateLayered(255); });

    const HWND infoWindow =
        MakeLayeredWindow(dpi.Scale(InfoLayout::Width), dpi.Scale(InfoLayout::Height));
    SwitchedSurface infoSurface(infoWindow, dpi);
    InfoInputs info;
    info.Text = inputs.InfoText;
    info.TextHeight = result.InfoTextHeight;
    InfoFace infoFace(infoSurface, pictures, info);
    Report("info face, repaint (painting)", [&] { infoFace.RepaintInfo(info); });

    std::printf("details text height t = %d; temperature at (%d, %d, %d x %d); place at (%d, %d, "
                "%d x %d)\n",
                result.InfoTextHeight, result.TemperatureRect ? result.TemperatureRect->Left : -1,
                result.TemperatureRect ? result.TemperatureRect->Top : -1,
                result.TemperatureRect ? result.TemperatureRect->Width : -1,
                result.TemperatureRect ? result.TemperatureRect->Height : -1,
                result.CityNameRect.Left, result.CityNameRect.Top, result.CityNameRect.Width,
                result.CityNameRect.Height);
    DestroyWindow(infoWindow);
    if (holdSeconds > 0)
        Hold(window, face, inputs, holdSeconds);
    DestroyWindow(window);
    return 0;
}
