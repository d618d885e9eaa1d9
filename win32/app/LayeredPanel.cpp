#include "LayeredPanel.h"

#include "win32/platform/Handles.h"

#include <algorithm>
#include <cmath>

namespace meltemix {
namespace {
constexpr double CornerRadius = 12.0;

// Coverage of the pixel (x, y) by a rounded rectangle, anti-aliased at the corners.
double coverage(int x, int y, int width, int height) {
    const double px = x + 0.5, py = y + 0.5;
    const double cx = std::clamp(px, CornerRadius, width - CornerRadius);
    const double cy = std::clamp(py, CornerRadius, height - CornerRadius);
    const double distance = std::hypot(px - cx, py - cy);
    return std::clamp(CornerRadius + 0.5 - distance, 0.0, 1.0);
}
} // namespace

void PaintGlassPanel(HWND window, int width, int height, std::uint32_t tint, BYTE windowAlpha) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    MemoryDc dc(CreateCompatibleDC(nullptr));
    void* bits = nullptr;
    GdiObject bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dc || !bitmap || !bits)
        return; // graphics failures are silent
    HGDIOBJ previous = SelectObject(dc.get(), bitmap.get());

    const double red = GetRValue(tint), green = GetGValue(tint), blue = GetBValue(tint);
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < height; ++y) {
        // Lighter at the top, like light falling on glass.
        const double shine = 1.0 + 0.35 * (1.0 - static_cast<double>(y) / height);
        const bool edge = y == 0 || y == height - 1;
        for (int x = 0; x < width; ++x) {
            const bool border = edge || x == 0 || x == width - 1;
            const double alpha = coverage(x, y, width, height) * (border ? 0.85 : 0.62);
            auto channel = [&](double c) {
                const double lit = std::min(255.0, (border ? c + 90.0 : c) * shine);
                return static_cast<std::uint32_t>(lit * alpha + 0.5); // premultiplied
            };
            pixels[y * width + x] = static_cast<std::uint32_t>(alpha * 255.0 + 0.5) << 24 |
                                    channel(red) << 16 | channel(green) << 8 | channel(blue);
        }
    }

    POINT source = {0, 0};
    SIZE size = {width, height};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, windowAlpha, AC_SRC_ALPHA};
    UpdateLayeredWindow(window, nullptr, nullptr, &size, dc.get(), &source, 0, &blend, ULW_ALPHA);
    SelectObject(dc.get(), previous);
}

} // namespace meltemix
