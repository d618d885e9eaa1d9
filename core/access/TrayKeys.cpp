#include "core/access/TrayKeys.h"

namespace meltemix {

TrayCallback DecodeTrayCallback(int version, std::uint64_t wParam, std::uint64_t lParam,
                                std::uint32_t iconId) {
    TrayCallback callback;
    const std::uint32_t low = static_cast<std::uint32_t>(lParam & 0xFFFFFFFFu);
    const std::uint32_t idWord = (low >> 16) & 0xFFFFu;
    if (version >= TrayVersion4 && idWord == (iconId & 0xFFFFu)) {
        callback.Event = low & 0xFFFFu;
        callback.HasPoint = true;
        // The coordinates are signed: a screen left of or above the primary one.
        callback.X = static_cast<std::int16_t>(wParam & 0xFFFFu);
        callback.Y = static_cast<std::int16_t>((wParam >> 16) & 0xFFFFu);
    } else {
        callback.Event = low;
    }
    return callback;
}

TrayRequest TrayInputReader::Read(std::uint32_t event) {
    const std::uint32_t previous = last_;
    last_ = event;
    switch (event) {
    case TrayEvent::Select:
        return previous == TrayEvent::LeftUp ? TrayRequest::Nothing : TrayRequest::ShowAndFocus;
    case TrayEvent::KeySelect:
        return TrayRequest::ShowAndFocus;
    case TrayEvent::ContextMenu:
        return previous == TrayEvent::RightUp ? TrayRequest::MouseMenu : TrayRequest::KeyMenu;
    default:
        return TrayRequest::Mouse;
    }
}

} // namespace meltemix
