#include "PlainPicture.h"

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
    return std::clamp(CornerRadius + 0.5 - std::hypot(px - cx, py - cy), 0.0, 1.0);
}
} // namespace

void PlainPicture::paint(HWND window, int width, int height, std::uint32_t tint,
                         const std::vector<PlainText>& texts, BYTE alpha) {
    if (dc_ && previous_)
        SelectObject(dc_.get(), previous_);
    bitmap_.reset();
    dc_.reset(CreateCompatibleDC(nullptr));

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dc_ || !bitmap_ || !bits)
        return; // graphics failures are silent
    previous_ = SelectObject(dc_.get(), bitmap_.get());
    size_ = {width, height};

    // First the panel's colours at full strength with a marker alpha of 1; GDI's text clears
    // the alpha of every pixel it touches, which tells the text from the panel afterwards.
    const double red = GetRValue(tint), green = GetGValue(tint), blue = GetBValue(tint);
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < height; ++y) {
        const double shine = 1.0 + 0.35 * (1.0 - static_cast<double>(y) / height);
        for (int x = 0; x < width; ++x) {
            auto lit = [&](double c) {
                return static_cast<std::uint32_t>(std::min(255.0, c * shine));
            };
            pixels[y * width + x] = 1u << 24 | lit(red) << 16 | lit(green) << 8 | lit(blue);
        }
    }
    SetBkMode(dc_.get(), TRANSPARENT);
    SetTextColor(dc_.get(), RGB(255, 255, 255));
    for (const PlainText& t : texts) {
        GdiObject font(CreateFontW(-t.height, 0, 0, 0, t.bold ? FW_BOLD : FW_NORMAL, 0, 0, 0,
                                   DEFAULT_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0, L"Arial"));
        HGDIOBJ old = SelectObject(dc_.get(), font.get());
        RECT r = t.rect;
        DrawTextW(dc_.get(), t.text.c_str(), static_cast<int>(t.text.size()), &r,
                  t.format | DT_NOPREFIX);
        SelectObject(dc_.get(), old);
    }
    GdiFlush();
    for (int y = 0; y < height; ++y) {
        const bool edge = y == 0 || y == height - 1;
        for (int x = 0; x < width; ++x) {
            std::uint32_t& p = pixels[y * width + x];
            const double cover = coverage(x, y, width, height);
            const bool text = (p >> 24) == 0 && cover > 0;
            const bool border = edge || x == 0 || x == width - 1;
            const double a = text ? cover : cover * (border ? 0.85 : 0.62);
            auto channel = [&](int shift) {
                return static_cast<std::uint32_t>(((p >> shift) & 0xFF) * a + 0.5) << shift;
            };
            p = static_cast<std::uint32_t>(a * 255.0 + 0.5) << 24 | channel(16) | channel(8) |
                channel(0); // premultiplied
        }
    }
    handOver(window, alpha);
}

void PlainPicture::handOver(HWND window, BYTE alpha) {
    if (!dc_ || !bitmap_)
        return;
    POINT source = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
    UpdateLayeredWindow(window, nullptr, nullptr, &size_, dc_.get(), &source, 0, &blend,
                        ULW_ALPHA);
}

} // namespace meltemix
