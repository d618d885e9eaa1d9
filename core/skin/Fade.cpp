#include "core/skin/Fade.h"

namespace meltemix {

void FadeIn(bool fadeEffect, std::uint8_t& alpha, int step, unsigned delayMs, std::uint8_t target,
            const FadeHooks& hooks) {
    if (!fadeEffect || step <= 0)
        return;
    while (alpha < target) {
        if (alpha + step >= target) {
            alpha = target;
            hooks.HandOver(alpha);
            return;
        }
        alpha = static_cast<std::uint8_t>(alpha + step);
        hooks.HandOver(alpha);
        hooks.Sleep(delayMs);
    }
}

void FadeOut(bool fadeEffect, std::uint8_t& alpha, int step, unsigned delayMs, std::uint8_t target,
             const FadeHooks& hooks) {
    if (!fadeEffect || step <= 0)
        return;
    while (alpha > target) {
        if (alpha - step <= target) {
            alpha = target;
            hooks.HandOver(alpha);
            return;
        }
        alpha = static_cast<std::uint8_t>(alpha - step);
        hooks.HandOver(alpha);
        hooks.Sleep(delayMs);
    }
}

void ShowFaded(WindowVisibility& window, bool fadeEffect, std::uint8_t& alpha,
               const FadeHooks& hooks) {
    if (window.IsVisible())
        return;
    window.Show();
    if (fadeEffect) {
        FadeIn(true, alpha, FadeStep, FadeDelayMs, 255, hooks);
    } else {
        alpha = 255;
        hooks.HandOver(alpha);
    }
}

void HideFaded(WindowVisibility& window, bool fadeEffect, std::uint8_t& alpha,
               const FadeHooks& hooks) {
    if (!window.IsVisible())
        return;
    if (fadeEffect) {
        FadeOut(true, alpha, FadeStep, FadeDelayMs, 0, hooks);
    } else {
        alpha = 0;
        hooks.HandOver(alpha);
    }
    window.Hide();
}

} // namespace meltemix
