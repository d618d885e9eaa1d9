#pragma once

#include <windows.h>

#include <cstdint>

namespace meltemix {

// Fills a layered window with a plain tinted glass panel (rounded, translucent), for the
// time before a skin is drawn. `tint` is a colour reference, 0x00BBGGRR.
void PaintGlassPanel(HWND window, int width, int height, std::uint32_t tint, BYTE windowAlpha);

} // namespace meltemix
