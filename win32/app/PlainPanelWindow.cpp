#include "PlainPanelWindow.h"

namespace meltemix {

PlainPanelWindow::PlainPanelWindow(HWND owner, const wchar_t* className, int width, int height,
                                   std::function<bool()> fadeEffect)
    : width_(width), height_(height), fadeEffect_(std::move(fadeEffect)) {
    registerClass(className, nullptr);
    create(WS_EX_LAYERED | WS_EX_TOOLWINDOW, className, L"", WS_POPUP, 0, 0, width, height, owner);
    alpha_ = fadeEffect_() ? 0 : 255;
}

PlainPanelWindow::~PlainPanelWindow() {
    if (handle())
        DestroyWindow(handle());
}

void PlainPanelWindow::setContent(const std::wstring& title, const std::wstring& text,
                                  std::uint32_t tint) {
    title_ = title;
    text_ = text;
    tint_ = tint;
    repaint();
}

void PlainPanelWindow::repaint() {
    std::vector<PlainText> texts;
    texts.push_back({title_, {16, 10, width_ - 16, 34}, 16, true, DT_LEFT | DT_SINGLELINE});
    texts.push_back({text_, {12, 40, width_ - 12, height_ - 8}, 11, false, DT_CENTER | DT_WORDBREAK});
    picture_.paint(handle(), width_, height_, tint_, texts, alpha_);
}

void PlainPanelWindow::fade(int target) {
    while (alpha_ != target) {
        const int next = alpha_ < target ? alpha_ + 18 : alpha_ - 18;
        const bool last = alpha_ < target ? next >= target : next <= target;
        alpha_ = static_cast<BYTE>(last ? target : next);
        picture_.handOver(handle(), alpha_);
        if (!last)
            Sleep(2);
    }
}

void PlainPanelWindow::showFaded() {
    if (visible())
        return;
    ShowWindow(handle(), SW_SHOWNOACTIVATE);
    if (fadeEffect_()) {
        fade(255);
    } else {
        alpha_ = 255;
        picture_.handOver(handle(), alpha_);
    }
}

void PlainPanelWindow::hideFaded() {
    if (!visible())
        return;
    if (fadeEffect_()) {
        fade(0);
    } else {
        alpha_ = 0;
        picture_.handOver(handle(), alpha_);
    }
    ShowWindow(handle(), SW_HIDE);
}

POINT PlainPanelWindow::position() const {
    RECT r = {};
    GetWindowRect(handle(), &r);
    return {r.left, r.top};
}

void PlainPanelWindow::moveTo(POINT p) {
    SetWindowPos(handle(), nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlainPanelWindow::setTopMost(bool topMost) {
    SetWindowPos(handle(), topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT PlainPanelWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        if (hideOnClick_) {
            hideFaded();
        } else {
            ReleaseCapture();
            SendMessageW(handle(), WM_SYSCOMMAND, 0xF012, 0);
        }
        return 0;
    default:
        return defaultHandling(message, wParam, lParam);
    }
}

} // namespace meltemix
