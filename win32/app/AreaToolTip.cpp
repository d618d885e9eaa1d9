#include "AreaToolTip.h"

#include <commctrl.h>

namespace meltemix {
namespace {

TOOLINFOW ToolOf(HWND window) {
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = 1;
    return tool;
}

} // namespace

AreaToolTip::AreaToolTip(HWND window, const wchar_t* text) : window_(window) {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!tip_)
        return;
    TOOLINFOW tool = ToolOf(window_);
    tool.lpszText = const_cast<wchar_t*>(text);
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

AreaToolTip::~AreaToolTip() {
    if (tip_)
        DestroyWindow(tip_);
}

void AreaToolTip::SetArea(const PixelRect& area) {
    if (!tip_)
        return;
    TOOLINFOW tool = ToolOf(window_);
    tool.rect = {area.Left, area.Top, area.Left + area.Width, area.Top + area.Height};
    SendMessageW(tip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

} // namespace meltemix
