#include "win32/platform/Win32LocaleSource.h"

#include "win32/platform/WideText.h"

#include <windows.h>

namespace meltemix {

std::string Win32LocaleSource::Text(std::uint32_t lcid, std::uint32_t item) const {
    // 80 characters is the longest any locale item may be.
    wchar_t buffer[80];
    const int length = GetLocaleInfoW(static_cast<LCID>(lcid), static_cast<LCTYPE>(item), buffer,
                                      static_cast<int>(sizeof buffer / sizeof buffer[0]));
    if (length <= 0)
        return std::string();
    // The count includes the terminating zero.
    return Narrow(buffer, length - 1);
}

} // namespace meltemix
