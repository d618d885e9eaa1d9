#pragma once

#include "core/skin/Skin.h"
#include "core/skin/SkinWindow.h"
#include "core/weather/ConnectionState.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace meltemix {

namespace InfoLayout {
constexpr int Width = 209;
constexpr int Height = 204;
constexpr PixelRect CloseBtn{175, 15, 18, 18};
constexpr int HeaderLeft = 24;
constexpr int HeaderTop = 17;
constexpr int TextLeft = 20;
constexpr int TextTop = 48;
constexpr int TextWidth = 172;
} // namespace InfoLayout

constexpr const char* InfoHeaderText = "Meltemix! Bilgi";
constexpr const char* CloseHint = "Kapat";

// What the info window takes from the main window at every repaint.
struct InfoInputs {
    SkinSettings Skin;
    bool FadeEffect = true;
    std::string Text;         // the details text
    int TextHeight = 0;       // t, as the main window's last repaint measured the text
    TConnectionState MainState = cnReady;
    bool AlwaysTop = false;   // the main window's stay-on-top setting
    std::optional<PixelRect> FocusMark; // the line with the keyboard focus, while marked
};

// What a mouse press on the info window leads to.
enum class InfoPress { Nothing, CloseArmed, Drag };

// The info window's presenter: the details under the title "Meltemix! Bilgi" on the skin,
// a close button that shows once the window was clicked, fades in and out.
class InfoFace {
public:
    // Loads the pictures and paints the first picture; the window is still hidden. Its
    // alpha starts at 0 when fading, else 255.
    InfoFace(SkinWindowHost& host, PictureSource& source, const InfoInputs& inputs);

    void RepaintInfo(const InfoInputs& inputs);
    // The kept pictures read again from `source`, which now gives others (another screen
    // density); the next repaint shows them.
    void ReloadPictures(PictureSource& source);
    void ShowFaded();
    void HideFaded();

    // A mouse press at (x, y). On the close button a left press only arms it, since the
    // button acts on the click, and other buttons do nothing there. Elsewhere the first press
    // after a deactivation makes the window active again, and the left button drags the
    // window (the caller calls RepaintInfo when the drag ends).
    InfoPress MouseDown(int x, int y, bool leftButton, const InfoInputs& inputs);
    // The left button's release: true when it ends a click on the close button (pressed and
    // released on it while it takes clicks); the caller then hides the window.
    bool MouseUp(int x, int y);
    // Another window was activated: the close button goes.
    void Deactivated(const InfoInputs& inputs);

    // Whether a press at (x, y) hits the close button, which takes clicks only while it is
    // both shown and enabled.
    bool CloseButtonAt(int x, int y) const;

    bool Active() const { return active_; }
    std::uint8_t Alpha() const { return alpha_; }
    // Where the last repaint put the texts (the labels' rectangles).
    const PixelRect& HeaderRect() const { return header_; }
    const PixelRect& TextRect() const { return text_; }

private:
    SkinWindowHost& host_;
    SkinPictures skin_;
    std::unique_ptr<Picture> close_;
    std::unique_ptr<Canvas> canvas_;
    std::uint8_t alpha_;
    bool fadeEffect_;
    bool active_ = false;
    bool closeClickable_ = false;
    bool closePressed_ = false;
    PixelRect header_{InfoLayout::HeaderLeft, InfoLayout::HeaderTop, 0, 0};
    PixelRect text_{InfoLayout::TextLeft, InfoLayout::TextTop, InfoLayout::TextWidth, 0};
};

} // namespace meltemix
