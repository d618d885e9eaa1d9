#pragma once

#include <cstdint>

namespace meltemix {

// The tray icon's callback as the shell sends it. Before version 4 the message carries the
// icon's identifier in wParam and the event in lParam; from version 4 on, wParam carries the
// point the event concerns (the pointer, or the icon itself for the keyboard) and lParam the
// event in its low word and the identifier's low word in its high word.
namespace TrayEvent {
constexpr std::uint32_t LeftUp = 0x0202, RightUp = 0x0205;
constexpr std::uint32_t ContextMenu = 0x007B; // WM_CONTEXTMENU: menu key, Shift+F10, right click
constexpr std::uint32_t Select = 0x0400;      // NIN_SELECT: a click, or Enter on a clicked icon
constexpr std::uint32_t KeySelect = 0x0401;   // NIN_KEYSELECT: Enter or Space on the icon
} // namespace TrayEvent

constexpr int TrayVersion4 = 4; // NOTIFYICON_VERSION_4, Windows Vista and later
constexpr int TrayVersion3 = 3; // NOTIFYICON_VERSION, Windows 2000 and XP

struct TrayCallback {
    std::uint32_t Event = 0;
    bool HasPoint = false;
    int X = 0, Y = 0; // screen coordinates, when HasPoint
};

// Reads a callback in the packing of the version the shell took. A message in the older
// packing still reads as such under version 4 (its high word of lParam is empty where the
// newer one carries the identifier), so that a shell that agreed to version 4 but packs as
// before does not lose the user's clicks.
TrayCallback DecodeTrayCallback(int version, std::uint64_t wParam, std::uint64_t lParam,
                                std::uint32_t iconId);

// What a callback asks of the program. From version 3 on the shell follows a left release by
// NIN_SELECT and a right release by WM_CONTEXTMENU; those two come from the mouse when they
// follow the release directly and from the keyboard otherwise, and only the keyboard's are
// new behaviour.
enum class TrayRequest {
    Mouse,        // a mouse message: handled as it always was
    Nothing,      // the mouse's own select, already handled as its click
    ShowAndFocus, // Enter or Space: the widget shown and given the keyboard focus
    KeyMenu,      // the menu key or Shift+F10: the menu at the icon, the focus back to it after
    MouseMenu,    // the right click's menu, at the pointer
};

class TrayInputReader {
public:
    TrayRequest Read(std::uint32_t event);

private:
    std::uint32_t last_ = 0;
};

} // namespace meltemix
