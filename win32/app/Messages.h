#pragma once

#include <windows.h>

namespace meltemix {

// Posted with wParam 0 and a result code (0 or -1) in lParam.
constexpr UINT WM_WEATHERDATA = WM_USER + 10; // 1034
constexpr UINT WM_SHOWINSTANCE = WM_USER + 11; // 1035: a second start hands over
constexpr UINT WM_IPDATA = WM_USER + 12;       // 1036
constexpr UINT WM_VERSIONDATA = WM_USER + 13;  // 1037

constexpr const wchar_t* ProgramTitle = L"Meltemix!";

} // namespace meltemix
