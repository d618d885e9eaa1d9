#pragma once

#include <cstdint>
#include <functional>

namespace meltemix {

// Every fade of the program: 18 alpha levels per step, 2 ms apart, so a whole ramp is 15
// hand-overs and about 30 ms.
constexpr int FadeStep = 18;
constexpr unsigned FadeDelayMs = 2;

// What a fade does to a window: hand the unchanged picture over with a new alpha, and wait.
struct FadeHooks {
    std::function<void(std::uint8_t alpha)> HandOver;
    std::function<void(unsigned milliseconds)> Sleep;
};

// Ramps `alpha` up to `target` (FadeIn) or down to it (FadeOut) by `step`, handing over at
// every level and waiting `delayMs` after each but the last, which lands on the target
// exactly. Nothing happens unless `fadeEffect` is on. These block their thread for the
// whole ramp, as the windows expect.
void FadeIn(bool fadeEffect, std::uint8_t& alpha, int step, unsigned delayMs, std::uint8_t target,
            const FadeHooks& hooks);
void FadeOut(bool fadeEffect, std::uint8_t& alpha, int step, unsigned delayMs, std::uint8_t target,
             const FadeHooks& hooks);

// The visibility of a window as the fades need it.
class WindowVisibility {
public:
    virtual ~WindowVisibility() = default;
    virtual bool IsVisible() const = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
};

// Showing and hiding of the info and about windows. Showing a visible window or hiding a
// hidden one does nothing. Without the fade, showing makes the window opaque at once and
// hiding makes it transparent before it goes.
void ShowFaded(WindowVisibility& window, bool fadeEffect, std::uint8_t& alpha,
               const FadeHooks& hooks);
void HideFaded(WindowVisibility& window, bool fadeEffect, std::uint8_t& alpha,
               const FadeHooks& hooks);

} // namespace meltemix
