#pragma once

#include "PlainPicture.h"
#include "Window.h"

#include <functional>
#include <string>

namespace meltemix {

// A small layered panel that shows a title and a text, can be dragged and fades in and out:
// the details and about windows until their skinned faces are drawn.
class PlainPanelWindow : public Window {
public:
    PlainPanelWindow(HWND owner, const wchar_t* className, int width, int height,
                     std::function<bool()> fadeEffect);
    ~PlainPanelWindow() override;
    PlainPanelWindow(const PlainPanelWindow&) = delete;
    PlainPanelWindow& operator=(const PlainPanelWindow&) = delete;

    void setContent(const std::wstring& title, const std::wstring& text, std::uint32_t tint);
    void showFaded();
    void hideFaded();
    bool visible() const { return IsWindowVisible(handle()) != FALSE; }
    POINT position() const;
    void moveTo(POINT position);
    void setTopMost(bool topMost);
    // A press anywhere hides the window instead of dragging it (the about window).
    void setHideOnClick(bool hide) { hideOnClick_ = hide; }

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void repaint();
    void fade(int target);

    int width_, height_;
    std::function<bool()> fadeEffect_;
    PlainPicture picture_;
    std::wstring title_, text_;
    std::uint32_t tint_ = 0x808080;
    BYTE alpha_ = 0;
    bool hideOnClick_ = false;
};

} // namespace meltemix
