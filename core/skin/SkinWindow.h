#pragma once

#include "core/skin/Canvas.h"
#include "core/skin/Fade.h"

namespace meltemix {

// What the presenters of the info and about windows need of their window: canvases and the
// hand-over, visibility, a pause between the steps of a fade, and the stacking band.
class SkinWindowHost : public LayeredSurface, public WindowVisibility {
public:
    virtual void Sleep(unsigned milliseconds) = 0;
    // Puts the window in the top-most band, or else in the normal band, without moving,
    // sizing or activating it (the info window follows the main window's setting).
    virtual void ApplyAlwaysOnTop(bool alwaysTop) = 0;
};

// Fade hooks that hand `canvas` over again at each level; a window not yet painted has
// nothing to hand over and only waits.
FadeHooks CanvasFadeHooks(SkinWindowHost& host, const std::unique_ptr<Canvas>& canvas);

} // namespace meltemix
