#pragma once

#include "core/settings/Endpoints.h"
#include "core/skin/Skin.h"
#include "core/skin/SkinWindow.h"

#include <cstdint>
#include <memory>
#include <string>

namespace meltemix {

namespace AboutLayout {
constexpr int Width = 329;
constexpr int Height = 249;
constexpr PixelRect CloseBtn{289, 16, 18, 18};
} // namespace AboutLayout

// The texts of the about window.
struct AboutTexts {
    std::string Header;      // "Meltemix! Hakkında..."
    std::string ProductName; // "Meltemix!"
    std::string Label1;      // version and author, two lines
    std::string Label2;      // the web address shown as a link
    std::string Label3;      // the six-line notice
    std::string Link;        // what a click on Label2 opens
};

// The maker's project page.
std::string ProjectPageAddress(const std::string& makerEndpoint);

// The page of the built-in provider's weather data, which its licence asks to link.
constexpr const char* OpenMeteoPage = "https://open-meteo.com/";

// How the notice names a service by its base address: the host (and port) of an address,
// or a plain description for a value that is no address.
std::string ServiceName(const std::string& baseAddress);

// The about window's texts for the configured services. Without a maker the link names the
// weather data's source instead, and the notice names the IP service really asked.
AboutTexts MakeAboutTexts(const Endpoints& endpoints);

// What a mouse press on the about window leads to.
enum class AboutClick { Nothing, Hidden, OpenLink, CloseArmed };

// The about window's presenter: painted once at creation on the fixed "Sütlü Kahve" panel;
// showing and hiding only change the window alpha. `source` is needed only while it is made.
class AboutFace {
public:
    AboutFace(SkinWindowHost& host, PictureSource& source, AboutTexts texts, bool fadeEffect);

    void ShowFaded(bool fadeEffect);
    void HideFaded(bool fadeEffect);

    // A press anywhere hides the window, except on the link, which opens with the left button
    // (the caller asks the shell), and on the close button, which acts on the click: a left
    // press there only arms it.
    AboutClick MouseDown(int x, int y, bool leftButton, bool fadeEffect);
    // The left button's release: on the armed close button, the window hides.
    AboutClick MouseUp(int x, int y, bool fadeEffect);
    // The close button and the web address show the hand cursor.
    bool HandCursorAt(int x, int y) const;

    const AboutTexts& Texts() const { return texts_; }
    const PixelRect& LinkRect() const { return link_; }
    std::uint8_t Alpha() const { return alpha_; }

    // Paints the picture anew (the window moved to a screen of another density). The
    // pictures are needed for this painting only; the canvas keeps what they gave.
    void Paint(PictureSource& source);

private:
    SkinWindowHost& host_;
    AboutTexts texts_;
    std::unique_ptr<Canvas> canvas_;
    std::uint8_t alpha_;
    PixelRect link_{120, 113, 0, 0};
    bool closePressed_ = false;
};

} // namespace meltemix
