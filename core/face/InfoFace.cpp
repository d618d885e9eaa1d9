#include "core/face/InfoFace.h"

#include "core/face/FocusMark.h"
namespace meltemix {
namespace {
const FontSpec HeaderFont{"Trebuchet MS", -16, true};
const FontSpec TextFont{"Tahoma", -11, false};
} // namespace

InfoFace::InfoFace(SkinWindowHost& host, PictureSource& source, const InfoInputs& inputs)
    : host_(host),
      skin_(SkinPictures::Load(source)),
      close_(source.Load(ResourcePath("UI\\Close.png"))),
      alpha_(inputs.FadeEffect ? 0 : 255),
      fadeEffect_(inputs.FadeEffect) {
    RepaintInfo(inputs);
    host_.ApplyAlwaysOnTop(inputs.AlwaysTop);
}

void InfoFace::ReloadPictures(PictureSource& source) {
    skin_ = SkinPictures::Load(source);
    close_ = source.Load(ResourcePath("UI\\Close.png"));
}

void InfoFace::RepaintInfo(const InfoInputs& inputs) {
    canvas_.reset();
    canvas_ = host_.NewCanvas(InfoLayout::Width, InfoLayout::Height);
    Canvas& canvas = *canvas_;
    fadeEffect_ = inputs.FadeEffect;

    PaintSkin(canvas, skin_, InfoSkinPlacement(inputs.TextHeight), inputs.Skin);

    if (!inputs.Text.empty()) {
        const SizeF size = canvas.MeasureText(inputs.Text, TextFont, TextAlign::Center);
        text_.Height = RoundHalfEven(size.Height) + 1; // the width stays: long lines wrap
        DrawLabelText(canvas, inputs.Text, text_, TextFont, TextAlign::Center, White);
    }

    const bool shown = inputs.MainState != cnConnecting;
    const bool enabled = active_ && shown;
    closeClickable_ = shown && enabled;
    if (closeClickable_)
        DrawPictureAt(canvas, *close_, static_cast<float>(InfoLayout::CloseBtn.Left),
                      static_cast<float>(InfoLayout::CloseBtn.Top));

    header_ = FitLabel(canvas, InfoHeaderText, HeaderFont, TextAlign::Near, InfoLayout::HeaderLeft,
                       InfoLayout::HeaderTop);
    DrawLabelText(canvas, InfoHeaderText, header_, HeaderFont, TextAlign::Near, White);
    if (inputs.FocusMark)
        DrawFocusMark(canvas, *inputs.FocusMark);

    host_.UpdateLayered(canvas, alpha_);
}

void InfoFace::ShowFaded() {
    meltemix::ShowFaded(host_, fadeEffect_, alpha_, CanvasFadeHooks(host_, canvas_));
}

void InfoFace::HideFaded() {
    meltemix::HideFaded(host_, fadeEffect_, alpha_, CanvasFadeHooks(host_, canvas_));
}

InfoPress InfoFace::MouseDown(int x, int y, bool leftButton, const InfoInputs& inputs) {
    const bool onClose = CloseButtonAt(x, y);
    closePressed_ = onClose && leftButton;
    if (onClose)
        return closePressed_ ? InfoPress::CloseArmed : InfoPress::Nothing;
    if (!active_) {
        active_ = true;
        host_.ApplyAlwaysOnTop(inputs.AlwaysTop);
        RepaintInfo(inputs);
    }
    return leftButton ? InfoPress::Drag : InfoPress::Nothing;
}

bool InfoFace::MouseUp(int x, int y) {
    const bool clicked = closePressed_ && CloseButtonAt(x, y);
    closePressed_ = false;
    return clicked;
}

void InfoFace::Deactivated(const InfoInputs& inputs) {
    active_ = false;
    RepaintInfo(inputs);
}

bool InfoFace::CloseButtonAt(int x, int y) const {
    return closeClickable_ && InfoLayout::CloseBtn.Contains(x, y);
}

} // namespace meltemix
