#include "core/skin/SkinWindow.h"

namespace meltemix {

FadeHooks CanvasFadeHooks(SkinWindowHost& host, const std::unique_ptr<Canvas>& canvas) {
    FadeHooks hooks;
    hooks.HandOver = [&host, &canvas](std::uint8_t alpha) {
        if (canvas)
            host.UpdateLayered(*canvas, alpha);
    };
    hooks.Sleep = [&host](unsigned milliseconds) { host.Sleep(milliseconds); };
    return hooks;
}

} // namespace meltemix
