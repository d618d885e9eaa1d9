#include "core/face/AboutFace.h"

#include "core/provider/DownloadPlan.h"

#include <utility>

namespace meltemix {
namespace {

const FontSpec HeaderFont{"Trebuchet MS", -16, true};
const FontSpec ProductFont{"Impact", -27, false};
const FontSpec LabelFont{"Trebuchet MS", -11, false};
const FontSpec NoticeFont{"Trebuchet MS", -9, false};
constexpr Argb PaleYellow = MakeArgb(255, 255, 255, 128);
constexpr float LogoOpacity = 155.0f / 255.0f;

void PaintLabel(Canvas& canvas, const std::string& text, const FontSpec& font, Argb color,
                int left, int top, PixelRect* placed = nullptr) {
    if (text.empty())
        return;
    const PixelRect label = FitLabel(canvas, text, font, TextAlign::Near, left, top);
    DrawLabelText(canvas, text, label, font, TextAlign::Near, color);
    if (placed)
        *placed = label;
}

// The built-in provider asks its upstream services; any other address is asked itself.
std::string IpServiceName(const Endpoints& endpoints) {
    return ServiceName(IsLiveEndpoint(endpoints.IP) ? endpoints.IpApi : endpoints.IP);
}

// The link below the version: the maker's site when there is a maker, else where the weather
// comes from. Nothing when neither is an address to open.
void SetLink(AboutTexts& t, const Endpoints& endpoints) {
    if (!endpoints.Maker.empty()) {
        t.Label2 = endpoints.Maker;
        t.Link = ProjectPageAddress(endpoints.Maker);
    } else if (IsLiveEndpoint(endpoints.Weather)) {
        t.Label2 = "Veri kaynağı: open-meteo.com";
        t.Link = OpenMeteoPage;
    } else if (!ServiceName(endpoints.Weather).empty()) {
        t.Label2 = "Veri kaynağı: " + ServiceName(endpoints.Weather);
        t.Link = endpoints.Weather;
    }
}

} // namespace

std::string ProjectPageAddress(const std::string& makerEndpoint) {
    return makerEndpoint + "/projects.html#meltemix";
}

std::string ServiceName(const std::string& baseAddress) {
    const std::string::size_type scheme = baseAddress.find("://");
    if (scheme == std::string::npos)
        return std::string();
    std::string host = baseAddress.substr(scheme + 3);
    const std::string::size_type path = host.find('/');
    if (path != std::string::npos)
        host.erase(path);
    return host;
}

AboutTexts MakeAboutTexts(const Endpoints& endpoints) {
    const std::string ipService = IpServiceName(endpoints);
    const std::string ipLine =
        ipService.empty() ? "IP adresiniz herkese açık bir IP yansıtma hizmetinden öğrenilir."
                          : "IP adresiniz " + ipService + " adresindeki hizmetten öğrenilir.";
    AboutTexts t;
    t.Header = "Meltemix! Hakkında...";
    t.ProductName = "Meltemix!";
    t.Label1 = "Version 1.0\r\nMeltemix! Geliştiricileri";
    t.Label3 = "Meltemix! ücretsiz bir masaüstü hava durumu göstericisidir.\r\n"
               "Hava durumu verileri: Open-Meteo (CC BY 4.0).\r\n"
               "Yer bilgileri: GeoNames (CC BY 4.0).\r\n"
               "Programdaki resimlerin tümü Meltemix!'in kendi çizimleridir.\r\n"
               "Ekran tasarımı cam görünümlü masaüstü araçlarından esinlenmiştir.\r\n" +
               ipLine;
    SetLink(t, endpoints);
    return t;
}

AboutFace::AboutFace(SkinWindowHost& host, PictureSource& source, AboutTexts texts,
                     bool fadeEffect)
    : host_(host), texts_(std::move(texts)), alpha_(fadeEffect ? 0 : 255) {
    Paint(source);
}

void AboutFace::Paint(PictureSource& source) {
    const SkinPictures skin = SkinPictures::Load(source);
    const std::unique_ptr<Picture> close = source.Load(ResourcePath("UI\\Close.png"));
    const std::unique_ptr<Picture> logo = source.Load(ResourcePath("Moons\\4.png"));
    canvas_ = host_.NewCanvas(AboutLayout::Width, AboutLayout::Height);
    Canvas& canvas = *canvas_;

    SkinSettings coffee;
    coffee.Background = MilkCoffeePreset; // whatever the user chose for the other windows
    PaintSkin(canvas, skin, AboutSkinPlacement(), coffee);

    DrawPictureAt(canvas, *close, static_cast<float>(AboutLayout::CloseBtn.Left),
                  static_cast<float>(AboutLayout::CloseBtn.Top));

    const PixelRect header = FitLabel(canvas, texts_.Header, HeaderFont, TextAlign::Center, 24, 17);
    DrawLabelText(canvas, texts_.Header, header, HeaderFont, TextAlign::Center, White);

    DrawAttributes faded;
    faded.Matrix = AlphaMatrix(LogoOpacity);
    faded.TileEdges = true;
    DrawPictureAt(canvas, *logo, 0, 32, faded);

    PaintLabel(canvas, texts_.ProductName, ProductFont, White, 120, 48);
    PaintLabel(canvas, texts_.Label1, LabelFont, White, 120, 83);
    PaintLabel(canvas, texts_.Label2, LabelFont, PaleYellow, 120, 113, &link_);
    PaintLabel(canvas, texts_.Label3, NoticeFont, White, 24, 147);

    host_.UpdateLayered(canvas, alpha_);
}

void AboutFace::ShowFaded(bool fadeEffect) {
    meltemix::ShowFaded(host_, fadeEffect, alpha_, CanvasFadeHooks(host_, canvas_));
}

void AboutFace::HideFaded(bool fadeEffect) {
    meltemix::HideFaded(host_, fadeEffect, alpha_, CanvasFadeHooks(host_, canvas_));
}

AboutClick AboutFace::MouseDown(int x, int y, bool leftButton, bool fadeEffect) {
    const bool onClose = AboutLayout::CloseBtn.Contains(x, y);
    const bool onLink = !texts_.Link.empty() && link_.Contains(x, y);
    closePressed_ = onClose && leftButton;
    if (onClose)
        return closePressed_ ? AboutClick::CloseArmed : AboutClick::Nothing;
    if (onLink)
        return leftButton ? AboutClick::OpenLink : AboutClick::Nothing;
    HideFaded(fadeEffect);
    return AboutClick::Hidden;
}

AboutClick AboutFace::MouseUp(int x, int y, bool fadeEffect) {
    const bool clicked = closePressed_ && AboutLayout::CloseBtn.Contains(x, y);
    closePressed_ = false;
    if (!clicked)
        return AboutClick::Nothing;
    HideFaded(fadeEffect);
    return AboutClick::Hidden;
}

bool AboutFace::HandCursorAt(int x, int y) const {
    return AboutLayout::CloseBtn.Contains(x, y) || (!texts_.Link.empty() && link_.Contains(x, y));
}

} // namespace meltemix
