#pragma once

#include "Window.h"
#include "core/skin/SkinWindow.h"
#include "win32/platform/Dpi.h"

#include <memory>

namespace meltemix {

class AreaToolTip;
class GdiplusLayeredSurface;
class GdiplusPictureSource;

// What the info and about windows have in common: a borderless layered tool window that a
// presenter paints through the GDI+ surface, a close button with its tooltip "Kapat", the
// hand cursor over what takes clicks, and the mouse handed to the presenter. A left press
// that arms a button holds the mouse until the release, so that the button acts on the
// click (press and release on it), wherever the pointer went between the two. The presenter
// works in the pixels of a 96-dpi screen; the window is as many times larger as its screen is
// denser, and mouse positions reach the presenter divided back.
class SkinnedForm : public Window, protected SkinWindowHost {
public:
    ~SkinnedForm() override;
    SkinnedForm(const SkinnedForm&) = delete;
    SkinnedForm& operator=(const SkinnedForm&) = delete;

    bool IsVisible() const override;

protected:
    SkinnedForm();
    // Makes the window, hidden, with the surface and the close button's tooltip; the derived
    // window makes its presenter right after, then attaches. `width` and `height` are at 96 dpi.
    // A window painted once at each density keeps nothing of what it drew.
    void createSkinned(const wchar_t* className, const wchar_t* title, int x, int y, int width,
                       int height, HWND owner, bool paintedOnce = false);

    PictureSource& pictures();
    const Dpi& dpi() const { return dpi_; }
    // The close button's tooltip over `area` (at 96 dpi); an empty one shows none.
    void setCloseTipArea(const PixelRect& area);
    // The window moved to a screen of another density: the derived window paints anew.
    virtual void rescaled() {}

    // The presenter's part. Each is called only once the derived window has made its
    // presenter and attached, and not while the window goes.
    // A press of any button at (x, y); true when it armed a button, whose release follows.
    virtual bool mousePressed(int x, int y, bool leftButton);
    // The left button's release at (x, y), in window pixels even outside the window.
    virtual void mouseReleased(int x, int y);
    virtual bool handCursorAt(int x, int y) const;
    // Alt+F4 or the system's close: the window is hidden, never destroyed.
    virtual void closeRequested();

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // SkinWindowHost, but for Show, which each window does its own way.
    std::unique_ptr<Canvas> NewCanvas(int width, int height) override;
    void UpdateLayered(const Canvas& canvas, std::uint8_t windowAlpha) override;
    void Hide() override;
    void Sleep(unsigned milliseconds) override;
    void ApplyAlwaysOnTop(bool alwaysTop) override;

private:
    bool setHandCursor() const;
    void takeDpi(Dpi dpi);

    std::unique_ptr<GdiplusPictureSource> pictures_;
    std::unique_ptr<GdiplusLayeredSurface> surface_;
    std::unique_ptr<AreaToolTip> closeTip_;
    Dpi dpi_;
    PixelRect closeTipArea_;
};

} // namespace meltemix
